#include "platform/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Days from 1970-01-01 to the civil date, proleptic Gregorian (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

// 30 December 1899 counted from 1 January 1970.
const std::int64_t kEpochOffsetDays = DaysFromCivil(1899, 12, 30);

std::string TwoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    return text.size() < width ? std::string(width - text.size(), '0') + text : text;
}

size_t RunLength(std::string_view text, size_t at) {
    size_t n = 1;
    while (at + n < text.size() && (text[at + n] | 0x20) == (text[at] | 0x20)) {
        ++n;
    }
    return n;
}

}  // namespace

TDateTime Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                           local.tm_min, local.tm_sec, static_cast<int>(millis)});
}

TDateTime EncodeDateTime(const TDateTimeParts& p) {
    const auto days = static_cast<double>(
        DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) -
        kEpochOffsetDays);
    const double millis = ((p.hour * 60.0 + p.minute) * 60.0 + p.second) * 1000.0 + p.millisecond;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + millis / kMillisecondsPerDay : days - millis / kMillisecondsPerDay;
}

TDateTimeParts DecodeDateTime(TDateTime value) {
    const double whole = std::trunc(value);
    auto millis =
        static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kMillisecondsPerDay));
    std::int64_t days = static_cast<std::int64_t>(whole);
    if (millis >= static_cast<std::int64_t>(kMillisecondsPerDay)) {
        millis = 0;
        days += value >= 0 ? 1 : -1;
    }
    TDateTimeParts parts{};
    CivilFromDays(days + kEpochOffsetDays, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(millis / 3600000);
    parts.minute = static_cast<int>(millis / 60000 % 60);
    parts.second = static_cast<int>(millis / 1000 % 60);
    parts.millisecond = static_cast<int>(millis % 1000);
    return parts;
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
    const TDateTimeParts p = DecodeDateTime(value);
    std::string out;
    bool afterHour = false;  // an "m" right after an hour means minutes
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            const size_t close = format.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? format.size() : close;
            out.append(format.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        const size_t n = RunLength(format, i);
        switch (c | 0x20) {
            case 'y':
                out += n <= 2 ? TwoDigits(p.year % 100) : Padded(p.year, 4);
                break;
            case 'm':
                if (afterHour) {
                    out += n >= 2 ? TwoDigits(p.minute) : std::to_string(p.minute);
                } else {
                    out += n >= 2 ? TwoDigits(p.month) : std::to_string(p.month);
                }
                break;
            case 'd':
                out += n >= 2 ? TwoDigits(p.day) : std::to_string(p.day);
                break;
            case 'h':
                out += n >= 2 ? TwoDigits(p.hour) : std::to_string(p.hour);
                break;
            case 'n':
                out += n >= 2 ? TwoDigits(p.minute) : std::to_string(p.minute);
                break;
            case 's':
                out += n >= 2 ? TwoDigits(p.second) : std::to_string(p.second);
                break;
            case 'z':
                out += n >= 3 ? Padded(p.millisecond, 3) : std::to_string(p.millisecond);
                break;
            default:
                out.append(n, c);
                break;
        }
        const char kind = static_cast<char>(c | 0x20);
        if (kind == 'h') {
            afterHour = true;
        } else if (std::string_view("ymdnsz").find(kind) != std::string_view::npos) {
            afterHour = false;
        }
        i += n;
    }
    return out;
}
