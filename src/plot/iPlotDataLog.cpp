#include "plot/iPlotDataLog.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "plot/iLogFile.h"

namespace {

// Rows already in a compact log being appended to: the first two rows carry
// an X float per channel, later rows only the Y floats. Only the two header
// lines are read; the rest is counted from the file's size, however large
// the log has grown.
long long CompactRowsInFile(const std::string& fileName, int channels) {
    // "Compact Interval" and a channel count: a header longer than this is
    // not one we wrote.
    constexpr std::streamsize kMaxHeaderBytes = 256;
    std::ifstream file(fileName, std::ios::binary);
    char head[kMaxHeaderBytes];
    file.read(head, kMaxHeaderBytes);
    const std::string_view start(head, size_t(file.gcount()));
    size_t headerEnd = 0;
    for (int line = 0; line < 2 && headerEnd != std::string_view::npos; ++line) {
        headerEnd = start.find('\n', headerEnd);
        if (headerEnd != std::string_view::npos)
            ++headerEnd;
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    if (headerEnd == std::string_view::npos || channels <= 0 || error)
        return 0;
    const long long payload = static_cast<long long>(size - headerEnd);
    const long long fullRow = 8LL * channels;
    if (payload < 2 * fullRow)
        return payload / fullRow;
    return 2 + (payload - 2 * fullRow) / (4LL * channels);
}

}  // namespace

void TiPlotDataLog::Activate(const std::string& fileName, bool append,
                             const TDataFileSource& source, const TiDataLogForm& form) {
    CheckLogCanStart(fileName, active_);
    if (append) {
        ProbeLogFile(fileName, std::ios::in | std::ios::out);
        rowsInFile_ = form.Compact ? CompactRowsInFile(fileName, source.ChannelCount()) : 0;
    } else {
        ProbeLogFile(fileName, std::ios::out | std::ios::trunc);
        AppendToLogFile(fileName, form.Compact
                                      ? WriteCompactLogHeader(source)
                                      : WriteTextLogHeader(source, form.ColumnSeparator));
        rowsInFile_ = 0;
    }
    fileName_ = fileName;
    form_ = form;
    active_ = true;
    pendingRows_ = 0;
}

void TiPlotDataLog::Deactivate(const TDataFileSource& source) {
    if (!active_)
        throw std::runtime_error("Logging not Active");
    active_ = false;
    if (pendingRows_ > 0)
        WritePending(source);
}

void TiPlotDataLog::WritePending(const TDataFileSource& source) {
    const int count = source.ChannelCount() > 0 ? source.PointCount(0) : 0;
    // A ring may have dropped points that were pending; log what still exists.
    const int rows = std::min(pendingRows_, count);
    pendingRows_ = 0;
    std::string bytes;
    for (int index = count - rows; index < count; ++index, ++rowsInFile_) {
        bytes += form_.Compact ? WriteCompactLogRow(source, index, rowsInFile_ < 2)
                               : WriteTextLogRow(source, index, form_.ColumnSeparator,
                                                 form_.DecimalSeparator);
    }
    if (!bytes.empty())
        AppendToLogFile(fileName_, bytes);
}
