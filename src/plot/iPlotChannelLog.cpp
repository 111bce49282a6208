#include "plot/iPlotChannelLog.h"

#include <algorithm>
#include <stdexcept>

#include "plot/iLogFile.h"
#include "plot/iPlotDataFiles.h"
#include "plot/iPropertyText.h"

void TiPlotChannelLog::Start(const std::string& FileName, bool Append) {
    CheckLogCanStart(FileName, Active_);
    ProbeLogFile(FileName, Append ? std::ios::app : std::ios::out | std::ios::trunc);
    FileName_ = FileName;
    Active_ = true;
    PendingCount_ = 0;
}

void TiPlotChannelLog::Stop(const TiPlotDataCustomList& List, char Separator) {
    if (!Active_)
        throw std::runtime_error("Logging not Active");
    Active_ = false;
    if (PendingCount_ > 0)
        Flush(List, Separator);
}

void TiPlotChannelLog::CountPoint(const TiPlotDataCustomList& List, int BufferSize,
                                  char Separator) {
    ++PendingCount_;
    if (PendingCount_ >= BufferSize || BufferSize < 2)
        Flush(List, Separator);
}

void TiPlotChannelLog::Flush(const TiPlotDataCustomList& List, char Separator) {
    constexpr std::size_t MaxLineLength = 255;
    // A ring may have dropped points that were pending; log what still exists.
    const int pending = std::min(PendingCount_, List.Count());
    std::string text;
    for (int i = List.Count() - pending; i < List.Count(); ++i) {
        std::string line = FormatDataNumber(List.GetX(i), UserDecimalSeparator()) + Separator +
                           FormatDataNumber(List.GetY(i), UserDecimalSeparator());
        line.resize(std::min(line.size(), MaxLineLength));
        text += line + "\r\n";
    }
    PendingCount_ = 0;
    AppendToLogFile(FileName_, text);
}
