#include "console/ArrivalStamps.h"

#include <algorithm>

namespace {
constexpr double kSecondsPerDay = 24.0 * 60 * 60;
}

std::string FormatArrivalStamp(TDateTime localTime) {
    return FormatDateTime("[hh:nn:ss.zzz] ", localTime);
}

TBlockStamps::TBlockStamps(const TArrivalMarks& marks) {
    if (marks.Empty()) {
        stamps_.push_back({0, FormatArrivalStamp(Now())});
        return;
    }
    // One reading of the wall clock for the whole block keeps its stamps in order.
    const TArrivalTime steadyNow = TArrivalClock::now();
    const TDateTime localNow = Now();
    for (const TArrivalMark& mark : marks.Marks()) {
        const double age = std::chrono::duration<double>(steadyNow - mark.At).count();
        stamps_.push_back({mark.End, FormatArrivalStamp(localNow - age / kSecondsPerDay)});
    }
}

std::string_view TBlockStamps::At(std::size_t offset) const {
    const auto after =
        std::upper_bound(stamps_.begin(), stamps_.end(), offset,
                         [](std::size_t at, const TStamp& stamp) { return at < stamp.end; });
    return after == stamps_.end() ? stamps_.back().text : after->text;
}
