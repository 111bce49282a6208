#include "Waveform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

TWaveform::TWaveform(const TWaveSettings& wave, std::uint32_t seed) : wave_(wave), random_(seed) {
    if (wave_.Period == 0) {
        wave_.Period = 1;
    }
}

std::int32_t TWaveform::Next() {
    const double phase = static_cast<double>(index_ % wave_.Period) / wave_.Period;
    ++index_;
    const double value = std::lround(wave_.Offset + wave_.Amplitude * Unit(phase));
    return static_cast<std::int32_t>(std::clamp<double>(value, INT32_MIN, INT32_MAX));
}

double TWaveform::Unit(double phase) {
    switch (wave_.Shape) {
        case TWaveShape::Sine:
            return std::sin(2 * std::numbers::pi * phase);
        case TWaveShape::Square:
            return phase < 0.5 ? 1.0 : -1.0;
        case TWaveShape::Triangle:
            return phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
        case TWaveShape::Saw:
            return 2 * phase - 1;
        case TWaveShape::Noise:
            break;
    }
    return std::uniform_real_distribution<double>(-1.0, 1.0)(random_);
}

std::string FormatSampleLine(std::int32_t value, TNumberFormat format, std::string_view ending) {
    if (format == TNumberFormat::Decimal) {
        return std::to_string(value) + std::string(ending);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::string reversed;
    do {
        reversed += kDigits[bits & 0xF];
        bits >>= 4;
    } while (bits != 0);
    return std::string(reversed.rbegin(), reversed.rend()) + std::string(ending);
}
