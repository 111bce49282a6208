// The data file writers: the text and the compact form and the log's rows.
// Whole files are written in large blocks straight from the points, fetched
// a batch of rows at a time: a file of millions of points is written at the
// speed of the disk, never held whole in memory.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "plot/iPlotDataCompactList.h"
#include "plot/iPlotDataFiles.h"

namespace {

constexpr float kMissingMark = 1e38f;
constexpr float kEndMark = 2e38f;
constexpr std::string_view kLineEnd = "\r\n";
// Floats are stored little-endian, which is what memcpy gives us here.
static_assert(std::endian::native == std::endian::little);
// The longest number text: a sign, 15 digits, a separator and "0.000" in
// front of them or an exponent such as "E-308" behind.
constexpr size_t kMaxNumberText = 32;

// The 15-significant-digit form through to_chars' own rounding, with the
// exponent written as "E20" / "E-7".
char* WriteRoundedNumber(char* to, double value, char decimalSeparator) {
    char buffer[40];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc{})
        return to;
    for (char* p = buffer; p != end; ++p) {
        if (*p == '.') {
            *to++ = decimalSeparator;
        } else if (*p == 'e') {
            *to++ = 'E';
            char* exp = p + 1;
            if (*exp == '+')
                ++exp;
            if (*exp == '-')
                *to++ = *exp++;
            while (exp + 1 < end && *exp == '0')
                ++exp;
            return std::copy(exp, end, to);
        } else {
            *to++ = *p;
        }
    }
    return to;
}

// Lays out significant digits the way a 15-digit general format does: plain
// for exponents from -4 to 14, else "d.dddE<exp>". Writes to `to` and
// answers the end.
char* LayOut(char* to, const char* digits, int count, int exponent, char decimalSeparator) {
    constexpr int kPrecision = 15;
    if (exponent < -4 || exponent >= kPrecision) {
        *to++ = digits[0];
        if (count > 1) {
            *to++ = decimalSeparator;
            to = std::copy(digits + 1, digits + count, to);
        }
        *to++ = 'E';
        if (exponent < 0)
            *to++ = '-';
        return std::to_chars(to, to + 8, std::abs(exponent)).ptr;
    }
    if (exponent < 0) {
        *to++ = '0';
        *to++ = decimalSeparator;
        to = std::fill_n(to, -exponent - 1, '0');
        return std::copy(digits, digits + count, to);
    }
    if (count <= exponent + 1) {
        to = std::copy(digits, digits + count, to);
        return std::fill_n(to, exponent + 1 - count, '0');
    }
    to = std::copy(digits, digits + exponent + 1, to);
    *to++ = decimalSeparator;
    return std::copy(digits + exponent + 1, digits + count, to);
}

// Samples usually have a few decimals. When the value is the double nearest
// to a decimal with at most six of them (and below 1e9, so at most 15
// significant digits), that decimal is exactly the 15-digit form: write it
// from integers. Null when the value is not such a decimal.
char* WriteShortDecimal(char* to, double value, char decimalSeparator) {
    constexpr double kScale = 1e6;
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e9))
        return nullptr;
    const long long scaled = std::llround(magnitude * kScale);
    if (double(scaled) / kScale != magnitude)
        return nullptr;
    if (value < 0)
        *to++ = '-';
    to = std::to_chars(to, to + 12, scaled / 1000000).ptr;
    long long fraction = scaled % 1000000;
    if (fraction == 0)
        return to;
    int digits = 6;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --digits;
    }
    *to++ = decimalSeparator;
    char* last = to + digits;
    for (char* p = last; p != to; fraction /= 10)
        *--p = char('0' + fraction % 10);
    return last;
}

// Any decimal of at most 15 significant digits reads back as the same double,
// so when the shortest round-trip form has at most 15 digits it is exactly
// what rounding to 15 digits gives, and much cheaper to find.
char* WriteNumber(char* to, double value, char decimalSeparator) {
    if (char* end = WriteShortDecimal(to, value, decimalSeparator))
        return end;
    char shortest[40];
    char* end =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific)
            .ptr;
    // "-d.ddde+XX": collect the digits up to the exponent.
    char digits[24];
    int count = 0;
    const char* p = shortest;
    for (; p != end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && count < int(sizeof digits))
            digits[count++] = *p;
    }
    if (p == end)
        return std::copy(shortest, end, to);  // inf, nan
    // Subnormal numbers carry fewer digits than that promise needs.
    if (count > 15 || std::fabs(value) < std::numeric_limits<double>::min())
        return WriteRoundedNumber(to, value, decimalSeparator);
    int exponent = 0;
    for (const char* q = p + 2; q != end; ++q)
        exponent = exponent * 10 + (*q - '0');
    if (p[1] == '-')
        exponent = -exponent;
    if (shortest[0] == '-')
        *to++ = '-';
    return LayOut(to, digits, count, exponent, decimalSeparator);
}

char* WriteText(char* to, std::string_view text) {
    return std::copy(text.begin(), text.end(), to);
}

char* WriteYText(char* to, const TDataFilePoint& point, char decimalSeparator) {
    switch (point.Mark) {
        case idpmNull:
            return WriteText(to, "Null");
        case idpmEmpty:
            return WriteText(to, "Empty");
        case idpmNormal:
            break;
    }
    return WriteNumber(to, point.Y, decimalSeparator);
}

char* WriteFloat(char* to, float value) {
    const auto bits = std::bit_cast<uint32_t>(value);
    std::memcpy(to, &bits, 4);
    return to + 4;
}

// A float as the compact form stores it. One the reader would take for the
// end of the rows (an infinity, or past 1.5e38), losing every point after
// it, is written as missing instead and costs only its own point. Minus
// infinity, which a value below the float range became, is kept: the reader
// skips it.
float StoredFloat(float value) {
    return value > kCompactRowsEndAbove ? kMissingMark : value;
}

char* WriteValueFloat(char* to, double value) {
    return WriteFloat(to, StoredFloat(ToCompactFloat(value)));
}

void AppendNumber(std::string& out, double value, char decimalSeparator) {
    char text[kMaxNumberText];
    out.append(text, WriteNumber(text, value, decimalSeparator));
}

void AppendYText(std::string& out, const TDataFileSource& source, int channel, int index,
                 char decimalSeparator) {
    char text[kMaxNumberText];
    const TDataFilePoint point{0, source.Y(channel, index), source.Mark(channel, index)};
    out.append(text, WriteYText(text, point, decimalSeparator));
}

void AppendValueFloat(std::string& out, double value) {
    char bytes[4];
    out.append(bytes, WriteValueFloat(bytes, value));
}

std::string CompactHeader(const TDataFileSource& source) {
    std::string out(kCompactDataHeader);
    out += kLineEnd;
    out += std::to_string(source.ChannelCount());
    out += kLineEnd;
    return out;
}

// Gathers what a writer writes and hands it on whenever the next piece would
// not fit, so the output sees large blocks and the writer plain memory.
class BlockWriter {
  public:
    explicit BlockWriter(const TDataFileOutput& output) : output_(output) {}
    // Where up to `bytes` more may be written; End says where they ended.
    // The buffer grows to a block as it fills, so a small file never pays
    // for a whole block.
    char* Room(size_t bytes) {
        if (buffer_.size() - used_ < bytes) {
            if (used_ + bytes > kBlockBytes)
                Finish();
            buffer_.resize(std::max({buffer_.size(), used_ + bytes,
                                     std::min(2 * buffer_.size(), kBlockBytes), kFirstBytes}));
        }
        return buffer_.data() + used_;
    }
    void End(const char* end) { used_ = size_t(end - buffer_.data()); }
    void Append(std::string_view text) { End(WriteText(Room(text.size()), text)); }
    // Hands on what is gathered.
    void Finish() {
        if (used_ > 0)
            output_(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

    static constexpr size_t kBlockBytes = size_t{1} << 20;

  private:
    static constexpr size_t kFirstBytes = size_t{4} << 10;
    const TDataFileOutput& output_;
    std::vector<char> buffer_;
    size_t used_ = 0;
};

// The source's points a batch of rows at a time, each channel's fetched in
// one call.
class RowBatch {
  public:
    explicit RowBatch(const TDataFileSource& source)
        : source_(source), channels_(size_t(std::max(source.ChannelCount(), 0))) {
        for (size_t c = 0; c < channels_.size(); ++c) {
            channels_[c].Count = source.PointCount(int(c));
            rows_ = std::max(rows_, channels_[c].Count);
        }
    }
    int Rows() const { return rows_; }
    // Fetches the rows from `first` on, as many as a batch holds; answers
    // how many.
    int Fetch(int first) {
        const int rows = std::min(kRows, rows_ - first);
        for (size_t c = 0; c < channels_.size(); ++c) {
            Channel& channel = channels_[c];
            channel.Fetched = std::clamp(channel.Count - first, 0, rows);
            channel.Points.resize(size_t(kRows));
            source_.Points(int(c), first, std::span(channel.Points).first(size_t(channel.Fetched)));
        }
        return rows;
    }
    // Channel `channel`'s point in the fetched row `row`, or null when it has
    // none there.
    const TDataFilePoint* At(size_t channel, int row) const {
        const Channel& from = channels_[channel];
        return row < from.Fetched ? &from.Points[size_t(row)] : nullptr;
    }

  private:
    static constexpr int kRows = 1024;
    struct Channel {
        int Count = 0;
        int Fetched = 0;
        std::vector<TDataFilePoint> Points;
    };
    const TDataFileSource& source_;
    std::vector<Channel> channels_;
    int rows_ = 0;
};

// Writes every row, a batch at a time: Row(to, batch, row, index) writes the
// fetched row `row`, the file's row `index`, and answers its end.
// Room is asked for as many rows at a time as a block holds, not row by row.
template <class WriteRow>
void WriteRows(const TDataFileSource& source, BlockWriter& out, size_t rowBytes, WriteRow&& Row) {
    RowBatch batch(source);
    const int rowsPerRoom = int(std::clamp<size_t>(BlockWriter::kBlockBytes / rowBytes, 1, 1024));
    for (int first = 0; first < batch.Rows();) {
        const int rows = batch.Fetch(first);
        for (int row = 0; row < rows;) {
            const int last = std::min(rows, row + rowsPerRoom);
            char* to = out.Room(size_t(last - row) * rowBytes);
            for (; row < last; ++row)
                to = Row(to, batch, row, first + row);
            out.End(to);
        }
        first += rows;
    }
}

// The compact form's rows from the third on, which hold Y alone: each
// channel's floats are fetched a batch of rows at a time (a compact list
// copies what it stores) and set in place in the rows, a column at a time.
void WriteCompactYRows(const TDataFileSource& source, const std::vector<int>& counts, int rows,
                       BlockWriter& out) {
    const size_t channels = counts.size();
    if (channels == 0)
        return;
    const size_t rowBytes = channels * 4;
    const int batchRows = int(std::clamp<size_t>(BlockWriter::kBlockBytes / rowBytes, 1, 4096));
    std::vector<float> ys(static_cast<size_t>(batchRows));
    for (int first = 2; first < rows; first += batchRows) {
        const int count = std::min(batchRows, rows - first);
        char* to = out.Room(size_t(count) * rowBytes);
        for (size_t c = 0; c < channels; ++c) {
            const int fetched = std::clamp(counts[c] - first, 0, count);
            // A channel that has ended is not asked for points it lacks.
            if (fetched > 0)
                source.FloatYs(int(c), first, std::span(ys).first(size_t(fetched)));
            char* at = to + c * 4;
            for (int row = 0; row < fetched; ++row, at += rowBytes)
                WriteFloat(at, StoredFloat(ys[size_t(row)]));
            for (int row = fetched; row < count; ++row, at += rowBytes)
                WriteFloat(at, kMissingMark);
        }
        out.End(to + size_t(count) * rowBytes);
    }
}

std::string Gathered(const std::function<void(const TDataFileOutput&)>& write) {
    std::string all;
    write([&all](std::string_view block) { all += block; });
    return all;
}

}  // namespace

std::string FormatDataNumber(double value, char decimalSeparator) {
    std::string out;
    AppendNumber(out, value, decimalSeparator);
    return out;
}

void WriteTextDataFile(const TDataFileSource& source, char columnSeparator, char decimalSeparator,
                       const TDataFileOutput& output) {
    const int channels = source.ChannelCount();
    BlockWriter out(output);
    for (int c = 0; c < channels; ++c) {
        if (c > 0)
            out.Append({&columnSeparator, 1});
        const std::string title = source.ChannelTitle(c);
        out.Append(title + "(X)" + columnSeparator + title + "(Y)");
    }
    out.Append(kLineEnd);
    const size_t rowBytes = size_t(channels) * (2 * kMaxNumberText + 2) + kLineEnd.size();
    WriteRows(source, out, rowBytes, [&](char* to, const RowBatch& batch, int row, int) {
        for (size_t c = 0; c < size_t(channels); ++c) {
            if (c > 0)
                *to++ = columnSeparator;
            if (const TDataFilePoint* point = batch.At(c, row)) {
                to = WriteNumber(to, point->X, decimalSeparator);
                *to++ = columnSeparator;
                to = WriteYText(to, *point, decimalSeparator);
            } else {
                *to++ = columnSeparator;
            }
        }
        return WriteText(to, kLineEnd);
    });
    out.Finish();
}

std::string WriteTextDataFile(const TDataFileSource& source, char columnSeparator,
                              char decimalSeparator) {
    return Gathered([&](const TDataFileOutput& output) {
        WriteTextDataFile(source, columnSeparator, decimalSeparator, output);
    });
}

void WriteCompactDataFile(const TDataFileSource& source, const TDataFileOutput& output) {
    BlockWriter out(output);
    out.Append(CompactHeader(source));
    std::vector<int> counts(size_t(std::max(source.ChannelCount(), 0)));
    for (size_t c = 0; c < counts.size(); ++c)
        counts[c] = source.PointCount(int(c));
    const int rows = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    // The first two rows hold X and Y, as the log's first rows do.
    for (int row = 0; row < std::min(rows, 2); ++row)
        out.Append(WriteCompactLogRow(source, row, true));
    WriteCompactYRows(source, counts, rows, out);
    out.End(WriteFloat(out.Room(4), kEndMark));
    out.Finish();
}

std::string WriteCompactDataFile(const TDataFileSource& source) {
    return Gathered([&](const TDataFileOutput& output) { WriteCompactDataFile(source, output); });
}

void TDataFileSource::FloatYs(int channel, int first, std::span<float> out) const {
    // Through Points a piece at a time, in a buffer that stays in the cache.
    constexpr size_t kPiece = 256;
    TDataFilePoint piece[kPiece];
    for (size_t done = 0; done < out.size(); done += kPiece) {
        const std::span<TDataFilePoint> points(piece, std::min(kPiece, out.size() - done));
        Points(channel, first + int(done), points);
        for (size_t i = 0; i < points.size(); ++i)
            out[done + i] = ToCompactFloat(points[i].Y);
    }
}

std::string WriteTextLogHeader(const TDataFileSource& source, char columnSeparator) {
    std::string out = "(X)";
    for (int c = 0; c < source.ChannelCount(); ++c) {
        out += columnSeparator;
        out += source.ChannelTitle(c) + "(Y)";
    }
    out += kLineEnd;
    return out;
}

std::string WriteTextLogRow(const TDataFileSource& source, int index, char columnSeparator,
                            char decimalSeparator) {
    std::string out;
    if (source.ChannelCount() > 0 && index < source.PointCount(0))
        AppendNumber(out, source.X(0, index), decimalSeparator);
    for (int c = 0; c < source.ChannelCount(); ++c) {
        out += columnSeparator;
        if (index < source.PointCount(c))
            AppendYText(out, source, c, index, decimalSeparator);
    }
    out += kLineEnd;
    return out;
}

std::string WriteCompactLogHeader(const TDataFileSource& source) {
    return CompactHeader(source);
}

std::string WriteCompactLogRow(const TDataFileSource& source, int index, bool withX) {
    std::string out;
    for (int c = 0; c < source.ChannelCount(); ++c) {
        const bool has = index < source.PointCount(c);
        if (withX)
            AppendValueFloat(out, has ? source.X(c, index) : kMissingMark);
        AppendValueFloat(out, has ? source.Y(c, index) : kMissingMark);
    }
    return out;
}
