#include "plot/iPlotDataFiles.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <limits>
#include <vector>

#include "platform/StrConv.h"

namespace {

constexpr std::string_view kCompactHeader = "Compact Interval";
constexpr float kMissingMark = 1e38f;
constexpr float kEndMark = 2e38f;
constexpr std::string_view kLineEnd = "\r\n";
// Floats are stored little-endian, which is what memcpy gives us here.
static_assert(std::endian::native == std::endian::little);

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

// A data file's fields lose spaces and control characters at both ends.
std::string_view TrimField(std::string_view s) {
    return Trim(s, TBlanks::SpacesAndControls);
}

int MaxPointCount(const TDataFileSource& source) {
    int rows = 0;
    for (int c = 0; c < source.ChannelCount(); ++c)
        rows = std::max(rows, source.PointCount(c));
    return rows;
}

// The 15-significant-digit form through to_chars' own rounding, with the
// exponent written as "E20" / "E-7".
void AppendRoundedNumber(std::string& out, double value, char decimalSeparator) {
    char buffer[40];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (ec != std::errc{})
        return;
    for (char* p = buffer; p != end; ++p) {
        if (*p == '.') {
            out.push_back(decimalSeparator);
        } else if (*p == 'e') {
            out.push_back('E');
            char* exp = p + 1;
            if (*exp == '+')
                ++exp;
            if (*exp == '-')
                out.push_back(*exp++);
            while (exp + 1 < end && *exp == '0')
                ++exp;
            out.append(exp, end);
            return;
        } else {
            out.push_back(*p);
        }
    }
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
// from integers. False when the value is not such a decimal.
bool AppendShortDecimal(std::string& out, double value, char decimalSeparator) {
    constexpr double kScale = 1e6;
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e9))
        return false;
    const long long scaled = std::llround(magnitude * kScale);
    if (double(scaled) / kScale != magnitude)
        return false;
    char text[32];
    char* to = text;
    if (value < 0)
        *to++ = '-';
    to = std::to_chars(to, to + 12, scaled / 1000000).ptr;
    long long fraction = scaled % 1000000;
    if (fraction != 0) {
        int digits = 6;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        *to++ = decimalSeparator;
        char* last = to + digits;
        for (char* p = last; p != to; fraction /= 10)
            *--p = char('0' + fraction % 10);
        to = last;
    }
    out.append(text, size_t(to - text));
    return true;
}

// Any decimal of at most 15 significant digits reads back as the same double,
// so when the shortest round-trip form has at most 15 digits it is exactly
// what rounding to 15 digits gives, and much cheaper to find.
void AppendNumber(std::string& out, double value, char decimalSeparator) {
    if (AppendShortDecimal(out, value, decimalSeparator))
        return;
    char shortest[40];
    const char* end =
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
    if (p == end) {
        out.append(shortest, size_t(end - shortest));  // inf, nan
        return;
    }
    // Subnormal numbers carry fewer digits than that promise needs.
    if (count > 15 || std::fabs(value) < std::numeric_limits<double>::min()) {
        AppendRoundedNumber(out, value, decimalSeparator);
        return;
    }
    int exponent = 0;
    for (const char* q = p + 2; q != end; ++q)
        exponent = exponent * 10 + (*q - '0');
    if (p[1] == '-')
        exponent = -exponent;
    char text[48];
    char* to = text;
    if (shortest[0] == '-')
        *to++ = '-';
    to = LayOut(to, digits, count, exponent, decimalSeparator);
    out.append(text, size_t(to - text));
}

void AppendYText(std::string& out, const TDataFileSource& source, int channel, int index,
                 char decimalSeparator) {
    switch (source.Mark(channel, index)) {
        case idpmNull:
            out += "Null";
            break;
        case idpmEmpty:
            out += "Empty";
            break;
        case idpmNormal:
            AppendNumber(out, source.Y(channel, index), decimalSeparator);
            break;
    }
}

void AppendFloat(std::string& out, double value) {
    uint32_t bits = std::bit_cast<uint32_t>(static_cast<float>(value));
    char bytes[4];
    std::memcpy(bytes, &bits, 4);
    out.append(bytes, 4);
}

std::string CompactHeader(const TDataFileSource& source) {
    std::string out(kCompactHeader);
    out += kLineEnd;
    out += std::to_string(source.ChannelCount());
    out += kLineEnd;
    return out;
}

// The bytes a reader works through: all of them at once, or a stream read a
// chunk at a time and forgotten once consumed, so that a data file of any
// size is read without holding all of it.
class ByteWindow {
  public:
    explicit ByteWindow(std::string_view bytes) : view_(bytes) {}
    explicit ByteWindow(std::istream& in) : in_(&in) { More(); }

    std::string_view Rest() const { return view_.substr(consumed_); }
    void Consume(size_t count) { consumed_ += count; }
    // Reads the next chunk behind what is left; false at the end. Views of
    // Rest() taken before are no longer valid once it returns true; at the
    // end (a file that ends on a chunk's edge, or was cut short while it is
    // read) they stay valid, since the bytes held are left as they are.
    bool More() {
        if (!in_ || !*in_)
            return false;
        chunk_.resize(kChunkBytes);
        in_->read(chunk_.data(), std::streamsize(kChunkBytes));
        const auto read = size_t(in_->gcount());
        if (in_->bad())
            throw TiDataFileError("The file cannot be read");
        if (read == 0)
            return false;
        buffer_.erase(0, consumed_);
        consumed_ = 0;
        buffer_.append(chunk_.data(), read);
        view_ = buffer_;
        return true;
    }
    // Has at least `count` bytes left, reading on as needed.
    bool Has(size_t count) {
        while (Rest().size() < count)
            if (!More())
                return false;
        return true;
    }

  private:
    static constexpr size_t kChunkBytes = size_t{1} << 20;
    std::istream* in_ = nullptr;
    std::string buffer_;
    std::string chunk_;  // what the last read brought, before it joins buffer_
    std::string_view view_;
    size_t consumed_ = 0;
};

// Lines end at CR LF, a lone CR or a lone LF; a last line without an end
// counts. A line stays valid until the next call.
class LineReader {
  public:
    explicit LineReader(ByteWindow& window) : window_(window) {}
    bool Next(std::string_view& line) {
        std::string_view rest = window_.Rest();
        // A plain scan: find_first_of tests each byte against the set with a
        // call of its own, which dominates reading a large file.
        size_t end = 0;
        for (;;) {
            while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
                ++end;
            // A CR that ends what is read may be the first half of a CR LF.
            const bool open = end == rest.size() || (rest[end] == '\r' && end + 1 == rest.size());
            if (!open || !window_.More())
                break;
            rest = window_.Rest();
        }
        if (rest.empty())
            return false;
        if (end == rest.size()) {
            line = rest;
            window_.Consume(rest.size());
            return true;
        }
        line = rest.substr(0, end);
        size_t skip = end + 1;
        if (rest[end] == '\r' && skip < rest.size() && rest[skip] == '\n')
            ++skip;
        window_.Consume(skip);
        return true;
    }

  private:
    ByteWindow& window_;
};

// Splits at `separator`: an empty line has no fields, a trailing separator adds
// none. Only the first `maxFields` are split off: a line of a million
// separators costs no more than the columns the channels can take.
void SplitFields(std::string_view line, char separator, size_t maxFields,
                 std::vector<std::string_view>& fields) {
    fields.clear();
    while (!line.empty() && fields.size() < maxFields) {
        const size_t at = line.find(separator);
        if (at == std::string_view::npos) {
            fields.push_back(line);
            return;
        }
        fields.push_back(line.substr(0, at));
        line.remove_prefix(at + 1);
    }
}

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    // A runaway field (a binary file, a megabyte line) is quoted shortened.
    constexpr size_t kMaxQuoted = 64;
    const std::string quoted = text.size() <= kMaxQuoted
                                   ? std::string(text)
                                   : std::string(text.substr(0, kMaxQuoted)) + "...";
    throw TiDataFileError("'" + quoted + "' is not a valid floating point value");
}

double ParseNumber(std::string_view field, char decimalSeparator) {
    const std::string_view text = TrimField(field);
    std::string normalised;
    std::string_view digits = text;
    if (decimalSeparator != '.') {
        // from_chars knows only "."; a "." in the text is not the user's separator.
        if (text.find('.') != std::string_view::npos)
            ThrowNotANumber(text);
        normalised.assign(text);
        std::replace(normalised.begin(), normalised.end(), decimalSeparator, '.');
        digits = normalised;
    }
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (first != last && *first == '+')
        ++first;
    // Only plain decimal numbers: no "inf", "nan" or hexadecimal floats.
    if (first == last ||
        !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '-' || *first == '.'))
        ThrowNotANumber(text);
    double value = 0;
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc{} || end != last || !std::isfinite(value))
        ThrowNotANumber(text);
    return value;
}

// Swaps the first foreign decimal separator for the user's one, so that files
// written where the other separator is used still read.
std::string_view AdaptSeparator(std::string_view field, char decimalSeparator,
                                std::string& scratch) {
    const char foreign = decimalSeparator == '.' ? ',' : (decimalSeparator == ',' ? '.' : 0);
    const size_t at = foreign ? field.find(foreign) : std::string_view::npos;
    if (at == std::string_view::npos)
        return field;
    scratch.assign(field);
    scratch[at] = decimalSeparator;
    return scratch;
}

// Gathers plain points per channel and hands them to the sink in runs: a
// file of millions of points is added at list speed. A marked point goes to
// the sink after the plain points its channel had before it.
class PointRuns {
  public:
    PointRuns(TDataFileSink& sink, int channels) : sink_(sink), runs_(size_t(channels)) {}
    void Add(int channel, double x, double y) {
        Run& run = runs_[size_t(channel)];
        run.Xs.push_back(x);
        run.Ys.push_back(y);
        if (run.Xs.size() == kRunLength)
            Hand(channel);
    }
    void AddMarked(int channel, double x, TiDataPointMark mark) {
        Hand(channel);
        sink_.AddPoint(channel, x, 0, mark);
    }
    // Hands over what is gathered, channel by channel.
    void Flush() {
        for (size_t channel = 0; channel < runs_.size(); ++channel)
            Hand(int(channel));
    }

  private:
    static constexpr size_t kRunLength = 4096;
    struct Run {
        std::vector<double> Xs, Ys;
    };
    void Hand(int channel) {
        Run& run = runs_[size_t(channel)];
        if (run.Xs.empty())
            return;
        sink_.AddPoints(channel, run.Xs, run.Ys);
        run.Xs.clear();
        run.Ys.clear();
    }

    TDataFileSink& sink_;
    std::vector<Run> runs_;
};

void AddYField(PointRuns& runs, int channel, double x, std::string_view yField,
               char decimalSeparator) {
    if (EqualsNoCase(yField, "NULL")) {
        runs.AddMarked(channel, x, idpmNull);
    } else if (EqualsNoCase(yField, "EMPTY")) {
        runs.AddMarked(channel, x, idpmEmpty);
    } else {
        runs.Add(channel, x, ParseNumber(yField, decimalSeparator));
    }
}

// Runs Read with the points it gathers; they reach the sink also when it
// stops at a fault, as every point before the fault stays added.
template <class ReadFn>
void ReadInRuns(TDataFileSink& sink, int channels, ReadFn&& Read) {
    PointRuns runs(sink, channels);
    try {
        Read(runs);
    } catch (const TiDataFileError&) {
        runs.Flush();
        throw;
    }
    runs.Flush();
}

void ReadTextData(LineReader& lines, char columnSeparator, PointRuns& runs, size_t channels,
                  char decimalSeparator) {
    std::vector<std::string_view> fields;
    std::string scratch;
    std::string_view line;
    while (lines.Next(line)) {
        SplitFields(line, columnSeparator, 2 * channels, fields);
        for (size_t i = 0; 2 * i + 1 < fields.size() && i < channels; ++i) {
            const std::string_view xField =
                TrimField(AdaptSeparator(fields[2 * i], decimalSeparator, scratch));
            if (xField.empty())
                continue;
            const double x = ParseNumber(xField, decimalSeparator);
            const std::string_view yField =
                TrimField(AdaptSeparator(fields[2 * i + 1], decimalSeparator, scratch));
            if (yField.empty())
                continue;
            AddYField(runs, int(i), x, yField, decimalSeparator);
        }
    }
}

void ReadTextLog(LineReader& lines, char columnSeparator, PointRuns& runs, size_t channels,
                 char decimalSeparator) {
    std::vector<std::string_view> fields;
    std::string_view line;
    while (lines.Next(line)) {
        SplitFields(line, columnSeparator, channels + 1, fields);
        if (fields.empty() || TrimField(fields[0]).empty())
            continue;
        const double x = ParseNumber(fields[0], decimalSeparator);
        for (size_t k = 1; k < fields.size() && k - 1 < channels; ++k) {
            const std::string_view yField = TrimField(fields[k]);
            if (yField.empty())
                continue;
            AddYField(runs, int(k - 1), x, yField, decimalSeparator);
        }
    }
}

class ByteReader {
  public:
    explicit ByteReader(ByteWindow& window) : window_(window) {}
    bool AtEnd() { return !window_.Has(1); }
    // The next line up to a LF, without its CRs; a copy, since reading on
    // may move the window.
    std::string TextLine() {
        std::string_view rest = window_.Rest();
        size_t end = 0;
        while ((end = rest.find('\n', end)) == std::string_view::npos) {
            end = rest.size();
            if (!window_.More())
                break;
            rest = window_.Rest();
        }
        std::string line(rest.substr(0, end));
        window_.Consume(std::min(end + 1, rest.size()));
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    }
    float Float() {
        if (!window_.Has(4))
            throw TiDataFileError("Invalid Data");
        uint32_t bits;
        std::memcpy(&bits, window_.Rest().data(), 4);
        window_.Consume(4);
        return std::bit_cast<float>(bits);
    }

  private:
    ByteWindow& window_;
};

int ParseChannelCount(std::string_view text) {
    int count = 0;
    const std::string_view trimmed = TrimField(text);
    auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), count);
    if (ec != std::errc{} || end != trimmed.data() + trimmed.size() || trimmed.empty())
        throw TiDataFileError("'" + std::string(text) + "' is not a valid integer value");
    return count;
}

void ReadCompactRows(ByteReader& reader, int channels, PointRuns& runs, int sinkChannels) {
    for (int row = 0; !reader.AtEnd(); ++row) {
        for (int j = 0; j < channels; ++j) {
            const float x = row <= 1 ? reader.Float() : 0.0f;
            if (x > 1.5e38f)
                return;
            const float y = reader.Float();
            if (y > 1.5e38f)
                return;
            // A value the text form could not hold (an infinity, not a number)
            // counts as missing, as NaN always did.
            if (std::isfinite(x) && std::isfinite(y) && x < 9e37f && y < 9e37f && j < sinkChannels)
                runs.Add(j, x, y);
        }
    }
}

void ReadCompact(ByteWindow& bytes, TDataFileSink& sink) {
    ByteReader reader(bytes);
    reader.TextLine();
    const int channels = ParseChannelCount(reader.TextLine());
    // A file naming no channels has no rows; reading on would never advance.
    if (channels <= 0)
        return;
    const int sinkChannels = sink.ChannelCount();
    ReadInRuns(sink, std::min(channels, sinkChannels),
               [&](PointRuns& runs) { ReadCompactRows(reader, channels, runs, sinkChannels); });
}

}  // namespace

double ReadDataNumber(std::string_view field, char decimalSeparator) {
    std::string scratch;
    return ParseNumber(AdaptSeparator(TrimField(field), decimalSeparator, scratch),
                       decimalSeparator);
}

std::string FormatDataNumber(double value, char decimalSeparator) {
    std::string out;
    AppendNumber(out, value, decimalSeparator);
    return out;
}

std::string WriteTextDataFile(const TDataFileSource& source, char columnSeparator,
                              char decimalSeparator) {
    const int channels = source.ChannelCount();
    std::string out;
    for (int c = 0; c < channels; ++c) {
        if (c > 0)
            out += columnSeparator;
        const std::string title = source.ChannelTitle(c);
        out += title + "(X)";
        out += columnSeparator;
        out += title + "(Y)";
    }
    out += kLineEnd;
    const int rows = MaxPointCount(source);
    out.reserve(out.size() + size_t(rows) * size_t(channels) * 24);
    for (int i = 0; i < rows; ++i) {
        for (int c = 0; c < channels; ++c) {
            if (c > 0)
                out += columnSeparator;
            if (i < source.PointCount(c)) {
                AppendNumber(out, source.X(c, i), decimalSeparator);
                out += columnSeparator;
                AppendYText(out, source, c, i, decimalSeparator);
            } else {
                out += columnSeparator;
            }
        }
        out += kLineEnd;
    }
    return out;
}

std::string WriteCompactDataFile(const TDataFileSource& source) {
    std::string out = CompactHeader(source);
    const int channels = source.ChannelCount();
    const int rows = MaxPointCount(source);
    out.reserve(out.size() + size_t(rows) * size_t(channels) * 4 + 16);
    for (int i = 0; i < rows; ++i) {
        for (int c = 0; c < channels; ++c) {
            const bool has = i < source.PointCount(c);
            if (i < 2)
                AppendFloat(out, has ? source.X(c, i) : kMissingMark);
            AppendFloat(out, has ? source.Y(c, i) : kMissingMark);
        }
    }
    AppendFloat(out, kEndMark);
    return out;
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
            AppendFloat(out, has ? source.X(c, index) : kMissingMark);
        AppendFloat(out, has ? source.Y(c, index) : kMissingMark);
    }
    return out;
}

namespace {

void ReadDataWindow(ByteWindow& bytes, TDataFileSink& sink, char decimalSeparator) {
    // The first line tells the form; it is looked at before anything is read.
    while (bytes.Rest().find_first_of("\r\n") == std::string_view::npos && bytes.More()) {
    }
    const std::string_view rest = bytes.Rest();
    const std::string_view firstLine = rest.substr(0, rest.find_first_of("\r\n"));
    if (EqualsNoCase(firstLine, kCompactHeader)) {
        ReadCompact(bytes, sink);
        return;
    }
    const char columnSeparator = firstLine.find('\t') != std::string_view::npos ? '\t' : ',';
    LineReader lines(bytes);
    std::string_view header;
    lines.Next(header);
    const bool isLog = header.size() >= 3 && EqualsNoCase(header.substr(0, 3), "(X)");
    const int channels = std::max(sink.ChannelCount(), 0);
    ReadInRuns(sink, channels, [&](PointRuns& runs) {
        if (isLog)
            ReadTextLog(lines, columnSeparator, runs, size_t(channels), decimalSeparator);
        else
            ReadTextData(lines, columnSeparator, runs, size_t(channels), decimalSeparator);
    });
}

}  // namespace

namespace {

// A channel data file's parts lose spaces, tabs and line breaks at both ends.
std::string_view TrimBlanks(std::string_view s) {
    return Trim(s, TBlanks::SpacesTabsAndLineBreaks);
}

void ReadChannelRows(std::string_view bytes, PointRuns& runs, char decimalSeparator) {
    // A point row is a few dozen characters; a "line" of megabytes is not a
    // data file.
    constexpr size_t kMaxLineLength = 4096;
    char separator = 0;
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kMaxLineLength)
            throw TiDataFileError("Invalid Data");
        if (separator == 0)
            separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
        const size_t split = line.find(separator);
        if (split == std::string_view::npos)
            continue;
        const std::string_view xText = TrimBlanks(line.substr(0, split));
        if (xText.empty())
            continue;
        const std::string_view yText = TrimBlanks(line.substr(split + 1));
        const double x = ReadDataNumber(xText, decimalSeparator);
        if (EqualsNoCase(yText, "NULL"))
            runs.AddMarked(0, x, idpmNull);
        else
            runs.Add(0, x, ReadDataNumber(yText, decimalSeparator));
    }
}

}  // namespace

void ReadChannelDataFile(std::string_view bytes, TDataFileSink& sink, char decimalSeparator) {
    ReadInRuns(sink, 1, [&](PointRuns& runs) { ReadChannelRows(bytes, runs, decimalSeparator); });
}

void ReadDataFile(std::string_view bytes, TDataFileSink& sink, char decimalSeparator) {
    ByteWindow window(bytes);
    ReadDataWindow(window, sink, decimalSeparator);
}

void ReadDataFile(std::istream& file, TDataFileSink& sink, char decimalSeparator) {
    ByteWindow window(file);
    ReadDataWindow(window, sink, decimalSeparator);
}
