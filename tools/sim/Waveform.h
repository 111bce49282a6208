// The simulated device's signal: one integer sample per line, as text.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

enum class TWaveShape { Sine, Square, Triangle, Saw, Noise };
enum class TNumberFormat { Decimal, Hexadecimal };

struct TWaveSettings {
    TWaveShape Shape = TWaveShape::Sine;
    double Amplitude = 500;
    double Offset = 512;
    unsigned Period = 100;  // samples per cycle
};

class TWaveform {
  public:
    explicit TWaveform(const TWaveSettings& wave, std::uint32_t seed = 1);
    std::int32_t Next();

  private:
    double Unit(double phase);  // the shape over one cycle, in -1 .. 1

    TWaveSettings wave_;
    std::uint64_t index_ = 0;
    std::mt19937 random_;
};

// "512\r\n" or, in hexadecimal, upper-case digits of the 32-bit value
// ("200\r\n"; negative values as their two's complement), ended by `ending`.
std::string FormatSampleLine(std::int32_t value, TNumberFormat format,
                             std::string_view ending = "\r\n");
