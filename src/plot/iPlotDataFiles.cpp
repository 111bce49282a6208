#include "plot/iPlotDataFiles.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "platform/StrConv.h"

namespace {

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
// Most fields have none, which is told here without a call per field.
std::string_view TrimField(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    if (!s.empty() && !blank(s.front()) && !blank(s.back()))
        return s;
    return Trim(s, TBlanks::SpacesAndControls);
}

// The first `c` in `s`, or npos: a plain scan, since the fields of a data
// file are a few bytes and a memchr call costs more than that.
size_t FindChar(std::string_view s, char c) {
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == c)
            return i;
    return std::string_view::npos;
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
    // read) they stay valid, since nothing is moved unless more has come.
    bool More() {
        if (!in_ || !*in_)
            return false;
        if (in_->peek() == std::istream::traits_type::eof()) {
            if (in_->bad())
                throw TiDataFileError("The file cannot be read");
            return false;
        }
        // What is left moves to the front and the chunk is read in behind
        // it, straight from the file.
        const std::string_view rest = Rest();
        if (capacity_ - rest.size() < kChunkBytes) {
            capacity_ = std::max(2 * capacity_, rest.size() + kChunkBytes);
            auto grown = std::make_unique_for_overwrite<char[]>(capacity_);
            if (!rest.empty())  // an empty view may have no data to copy from
                std::memcpy(grown.get(), rest.data(), rest.size());
            buffer_ = std::move(grown);
        } else {
            std::memmove(buffer_.get(), rest.data(), rest.size());
        }
        in_->read(buffer_.get() + rest.size(), std::streamsize(kChunkBytes));
        if (in_->bad())
            throw TiDataFileError("The file cannot be read");
        view_ = std::string_view(buffer_.get(), rest.size() + size_t(in_->gcount()));
        consumed_ = 0;
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
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
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
        const size_t at = FindChar(line, separator);
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

// The 15 digits a value is written with can round it past the range of a
// double: the largest ones become "1.79769313486232E308", the smallest
// subnormals lose their exact form. Such a text reads as the nearest double,
// so that what the text form saves it loads; a number beyond what the
// writer can produce ("1e999") is still refused.
std::optional<double> OutOfRangeAsWritten(const char* first, const char* last) {
    constexpr long double kLargestWritten = 1.79769313486232e308L;
    long double wide = 0;
    const auto [end, ec] = std::from_chars(first, last, wide, std::chars_format::general);
    if (ec != std::errc{} || end != last || !(std::fabs(wide) <= kLargestWritten))
        return std::nullopt;
    if (std::fabs(wide) > std::numeric_limits<double>::max())
        return std::copysign(std::numeric_limits<double>::max(), double(wide));
    return double(wide);
}

// Plain decimal text of at most 15 digits and no exponent ("-12.345") from
// `first` up to `last` or the first `stop`, with `point` or `otherPoint` as
// its decimal point: its digits form an integer a double holds exactly, as
// it does the power of ten of its decimals, so their one correctly rounded
// quotient is exactly what from_chars answers, at a fraction of the cost.
// Returns where the text ends (`last` or its `stop`) with the number in
// `value`, or null for any other text.
const char* ScanShortDecimal(const char* first, const char* last, char point, char otherPoint,
                             char stop, double& value) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxDigits = 15;
    const bool negative = first != last && *first == '-';
    const char* p = negative ? first + 1 : first;
    std::int64_t digits = 0;
    int count = 0;
    int decimals = -1;  // no decimal point yet
    for (; p != last; ++p) {
        const unsigned digit = unsigned(static_cast<unsigned char>(*p)) - '0';
        if (digit < 10) {
            if (++count > kMaxDigits)
                return nullptr;
            digits = digits * 10 + digit;
            if (decimals >= 0)
                ++decimals;
        } else if ((*p == point || *p == otherPoint) && decimals < 0) {
            decimals = 0;
        } else if (*p == stop) {
            break;
        } else {
            return nullptr;
        }
    }
    if (count == 0)
        return nullptr;
    const double magnitude = double(digits) / kPowersOfTen[std::max(decimals, 0)];
    value = negative ? -magnitude : magnitude;
    return p;
}

// The whole of [first, last) as ScanShortDecimal reads it, or null.
std::optional<double> ParseShortDecimal(const char* first, const char* last, char point,
                                        char otherPoint) {
    double value = 0;
    // A second decimal point stops the scan short of the end.
    const char* end = ScanShortDecimal(first, last, point, otherPoint, point, value);
    if (end == nullptr || end != last)
        return std::nullopt;
    return value;
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
    if (const std::optional<double> plain = ParseShortDecimal(first, last, '.', '.'))
        return *plain;
    double value = 0;
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (const std::optional<double> written = OutOfRangeAsWritten(first, last))
            return *written;
    }
    if (ec != std::errc{} || end != last || !std::isfinite(value))
        ThrowNotANumber(text);
    return value;
}

// The other of '.' and ',', or 0 for a separator that is neither.
char ForeignSeparator(char decimalSeparator) {
    return decimalSeparator == '.' ? ',' : (decimalSeparator == ',' ? '.' : 0);
}

// Swaps the first foreign decimal separator for the user's one, so that files
// written where the other separator is used still read.
std::string_view AdaptSeparator(std::string_view field, char decimalSeparator,
                                std::string& scratch) {
    const char foreign = ForeignSeparator(decimalSeparator);
    const size_t at = foreign ? FindChar(field, foreign) : std::string_view::npos;
    if (at == std::string_view::npos)
        return field;
    scratch.assign(field);
    scratch[at] = decimalSeparator;
    return scratch;
}

// A field of a plain short decimal with either separator and no blanks, read
// as swapping the separator, trimming and ParseNumber would read it, without
// them; null for any other field, which takes that whole way.
std::optional<double> ReadPlainField(std::string_view field, char decimalSeparator) {
    const char foreign = ForeignSeparator(decimalSeparator);
    return ParseShortDecimal(field.data(), field.data() + field.size(), decimalSeparator,
                             foreign ? foreign : decimalSeparator);
}

// Gathers plain points per channel and hands them to the sink in runs: a
// file of millions of points is added at list speed. A marked point goes to
// the sink after the plain points its channel had before it.
class PointRuns {
  public:
    PointRuns(TDataFileSink& sink, int channels) : sink_(sink), runs_(size_t(channels)) {}
    void Add(int channel, double x, double y) {
        Run& run = runs_[size_t(channel)];
        // A run's room is fixed and taken at its first point: no capacity
        // test per point, and a channel without points costs nothing.
        if (!run.Xs) [[unlikely]]
            MakeRoom(run);
        run.Xs[run.Count] = x;
        run.Ys[run.Count] = y;
        if (++run.Count == kRunLength) [[unlikely]]
            Hand(channel);
    }
    // Points of X 0 and the Ys in order, as Add would add them one by one.
    void AddYs(int channel, std::span<const float> ys) {
        Run& run = runs_[size_t(channel)];
        if (!run.Xs)
            MakeRoom(run);
        while (!ys.empty()) {
            const size_t count = std::min(kRunLength - run.Count, ys.size());
            double* const xs = run.Xs.get() + run.Count;
            double* const to = run.Ys.get() + run.Count;
            for (size_t k = 0; k < count; ++k) {
                xs[k] = 0;
                to[k] = ys[k];
            }
            ys = ys.subspan(count);
            run.Count += count;
            if (run.Count == kRunLength)
                Hand(channel);
        }
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
        std::unique_ptr<double[]> Xs, Ys;
        size_t Count = 0;
    };
    // Out of line, so that Add stays small enough to be inlined where each
    // point is read.
    [[gnu::noinline]] static void MakeRoom(Run& run) {
        run.Xs = std::make_unique_for_overwrite<double[]>(kRunLength);
        run.Ys = std::make_unique_for_overwrite<double[]>(kRunLength);
    }
    [[gnu::noinline]] void Hand(int channel) {
        Run& run = runs_[size_t(channel)];
        if (run.Count == 0)
            return;
        const size_t count = run.Count;
        run.Count = 0;
        sink_.AddPoints(channel, {run.Xs.get(), count}, {run.Ys.get(), count});
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

// A row of plain short decimals only (the rows of a file this program
// saved), read in one pass over its bytes as splitting it at `separator` and
// reading each field would read it: the pairs read into `xs` and `ys` (at
// most their size; an X without its Y is not read), or -1 for a row that
// needs that whole way (a blank, a mark, an exponent, an empty field).
int ReadPlainRow(std::string_view line, char separator, char point, char otherPoint,
                 std::span<double> xs, std::span<double> ys) {
    const char* p = line.data();
    const char* const end = p + line.size();
    size_t pairs = 0;
    while (pairs < xs.size() && p != end) {
        p = ScanShortDecimal(p, end, point, otherPoint, separator, xs[pairs]);
        if (p == nullptr)
            return -1;
        if (p == end || ++p == end)
            break;
        p = ScanShortDecimal(p, end, point, otherPoint, separator, ys[pairs]);
        if (p == nullptr)
            return -1;
        ++pairs;
        if (p != end)
            ++p;
    }
    return int(pairs);
}

void ReadTextData(LineReader& lines, char columnSeparator, PointRuns& runs, size_t channels,
                  char decimalSeparator) {
    std::vector<std::string_view> fields;
    std::string scratch;
    std::string_view line;
    // A field split off holds no column separator, so the one-pass reading
    // takes the foreign decimal point only where it is not the separator.
    // Where the separator is the user's own decimal point, every row goes
    // the whole way.
    const bool plainRows = columnSeparator != decimalSeparator;
    const char foreign = ForeignSeparator(decimalSeparator);
    const char otherPoint = foreign && foreign != columnSeparator ? foreign : decimalSeparator;
    std::vector<double> xs(plainRows ? channels : 0), ys(xs.size());
    while (lines.Next(line)) {
        if (plainRows) {
            const int pairs =
                ReadPlainRow(line, columnSeparator, decimalSeparator, otherPoint, xs, ys);
            for (int i = 0; i < pairs; ++i)
                runs.Add(i, xs[size_t(i)], ys[size_t(i)]);
            if (pairs >= 0)
                continue;
        }
        SplitFields(line, columnSeparator, 2 * channels, fields);
        for (size_t i = 0; 2 * i + 1 < fields.size() && i < channels; ++i) {
            double x = 0;
            if (const std::optional<double> plain =
                    ReadPlainField(fields[2 * i], decimalSeparator)) {
                x = *plain;
            } else {
                const std::string_view xField =
                    TrimField(AdaptSeparator(fields[2 * i], decimalSeparator, scratch));
                if (xField.empty())
                    continue;
                x = ParseNumber(xField, decimalSeparator);
            }
            if (const std::optional<double> y =
                    ReadPlainField(fields[2 * i + 1], decimalSeparator)) {
                runs.Add(int(i), x, *y);
                continue;
            }
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
        const float value = FloatAt(window_.Rest().data());
        window_.Consume(4);
        return value;
    }
    // As many whole records of `size` bytes as are read, at least one unless
    // the file ends first; consumed, valid until the next call.
    std::string_view WholeRecords(size_t size) {
        if (!window_.Has(size))
            return {};
        const std::string_view rest = window_.Rest();
        const size_t bytes = rest.size() / size * size;
        window_.Consume(bytes);
        return rest.substr(0, bytes);
    }
    static float FloatAt(const char* bytes) {
        uint32_t bits;
        std::memcpy(&bits, bytes, 4);
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

// A value the text form could not hold (an infinity, not a number) counts as
// missing, as NaN always did, and so does 1e38. Written as two comparisons,
// which a NaN fails, so that a block of values is tested without a branch.
bool IsCompactValue(float v) {
    return v >= -std::numeric_limits<float>::max() && v < kCompactMarksFrom;
}

// Takes a value pair unless either value is missing.
void AddCompactPair(PointRuns& runs, int channel, float x, float y, int sinkChannels) {
    if (IsCompactValue(x) && IsCompactValue(y) && channel < sinkChannels)
        runs.Add(channel, x, y);
}

// One row float by float; false once a mark ends the rows.
bool ReadCompactRow(ByteReader& reader, int channels, bool withX, PointRuns& runs,
                    int sinkChannels) {
    for (int j = 0; j < channels; ++j) {
        const float x = withX ? reader.Float() : 0.0f;
        if (x > kCompactRowsEndAbove)
            return false;
        const float y = reader.Float();
        if (y > kCompactRowsEndAbove)
            return false;
        AddCompactPair(runs, j, x, y, sinkChannels);
    }
    return true;
}

// The Y floats of a file of one channel, a block at a time: a block without
// a mark (any block of a saved channel but its last) is added in one go, any
// other float by float. False once the end mark is read.
bool ReadSingleChannelYs(std::string_view rows, PointRuns& runs) {
    constexpr size_t kBlock = 512;
    float ys[kBlock];
    for (size_t at = 0; at < rows.size(); at += 4 * kBlock) {
        const size_t count = std::min(kBlock, (rows.size() - at) / 4);
        bool plain = true;
        for (size_t k = 0; k < count; ++k) {
            ys[k] = ByteReader::FloatAt(rows.data() + at + 4 * k);
            plain &= IsCompactValue(ys[k]);
        }
        if (plain) {
            runs.AddYs(0, {ys, count});
            continue;
        }
        for (size_t k = 0; k < count; ++k) {
            if (ys[k] > kCompactRowsEndAbove)
                return false;
            AddCompactPair(runs, 0, 0.0f, ys[k], 1);
        }
    }
    return true;
}

void ReadCompactRows(ByteReader& reader, int channels, PointRuns& runs, int sinkChannels) {
    for (int row = 0; row < 2; ++row)
        if (reader.AtEnd() || !ReadCompactRow(reader, channels, true, runs, sinkChannels))
            return;
    // The rows after hold Y alone: those read whole are taken straight from
    // the bytes, the rest (a row cut short) float by float.
    const size_t rowBytes = size_t(channels) * 4;
    while (!reader.AtEnd()) {
        const std::string_view rows = reader.WholeRecords(rowBytes);
        if (rows.empty()) {
            if (!ReadCompactRow(reader, channels, false, runs, sinkChannels))
                return;
            continue;
        }
        if (channels == 1 && sinkChannels >= 1) {
            if (!ReadSingleChannelYs(rows, runs))
                return;
            continue;
        }
        int j = 0;
        for (size_t at = 0; at < rows.size(); at += 4) {
            const float y = ByteReader::FloatAt(rows.data() + at);
            if (y > kCompactRowsEndAbove)
                return;
            AddCompactPair(runs, j, 0.0f, y, sinkChannels);
            j = j + 1 == channels ? 0 : j + 1;
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
    if (const std::optional<double> plain = ReadPlainField(field, decimalSeparator))
        return *plain;
    std::string scratch;
    return ParseNumber(AdaptSeparator(TrimField(field), decimalSeparator, scratch),
                       decimalSeparator);
}

namespace {

void ReadDataWindow(ByteWindow& bytes, TDataFileSink& sink, char decimalSeparator) {
    // The first line tells the form; it is looked at before anything is read.
    while (bytes.Rest().find_first_of("\r\n") == std::string_view::npos && bytes.More()) {
    }
    const std::string_view rest = bytes.Rest();
    const std::string_view firstLine = rest.substr(0, rest.find_first_of("\r\n"));
    if (EqualsNoCase(firstLine, kCompactDataHeader)) {
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
