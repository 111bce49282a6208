#include "plot/iPlotChannelLog.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "plot/iPlotDataFiles.h"
#include "plot/iPropertyText.h"

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

void TiPlotChannelLog::Start(const std::string& FileName, bool Append) {
    if (Trimmed(FileName).empty())
        throw std::runtime_error("Log File Name not Defined");
    if (Active_)
        throw std::runtime_error("Logging Already Active");
    // Open once now so that a bad path is reported here, not at the first flush.
    std::ofstream file(
        FileName, Append ? std::ios::binary | std::ios::app : std::ios::binary | std::ios::trunc);
    if (!file)
        throw std::runtime_error("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
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
    std::ofstream file(FileName_, std::ios::binary | std::ios::app);
    file << text;
    if (!file)
        throw std::runtime_error("Cannot write file \"" + FileName_ + "\"");
}
