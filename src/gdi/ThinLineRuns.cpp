#include "gdi/ThinLineRuns.h"

#include <cstdlib>
#include <utility>

std::optional<TThinLineRuns> ThinLineRuns(const TLineSegment& line) {
    const int dx = line.To.X - line.From.X;
    const int dy = line.To.Y - line.From.Y;
    if (dx == 0 && dy == 0)
        return std::nullopt;
    // Along: the longer direction; aside: the other one.
    const bool alongX = std::abs(dx) >= std::abs(dy);
    int alongStart = alongX ? line.From.X : line.From.Y;
    int asideStart = alongX ? line.From.Y : line.From.X;
    int alongEnd = alongX ? line.To.X : line.To.Y;
    int asideEnd = alongX ? line.To.Y : line.To.X;
    if (alongStart > alongEnd) {
        std::swap(alongStart, alongEnd);
        std::swap(asideStart, asideEnd);
    }
    const int step = asideEnd - asideStart;
    if (step < -1 || step > 1)
        return std::nullopt;
    const auto run = [alongX](int from, int to, int aside) {
        return alongX ? TRect{from, aside, to, aside + 1} : TRect{aside, from, aside + 1, to};
    };
    TThinLineRuns runs;
    if (step >= 0) {
        runs.Runs[runs.Count++] = run(alongStart, alongEnd, asideStart);
    } else {
        runs.Runs[runs.Count++] = run(alongStart, alongStart + 1, asideStart);
        if (alongEnd > alongStart + 1)
            runs.Runs[runs.Count++] = run(alongStart + 1, alongEnd, asideEnd);
    }
    return runs;
}
