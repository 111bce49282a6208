#pragma once
// The plot's data file forms, as functions between bytes and channel points:
// the text form (tab or comma columns, "Null"/"Empty" marks), the log form
// that starts with "(X)", and the compact form of 32-bit floats.
//
// The plot component adapts its channels to TDataFileSource / TDataFileSink;
// everything here is independent of widgets so it can be tested on bytes.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

class TiDataFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum TiDataPointMark { idpmNormal, idpmNull, idpmEmpty };

struct TDataFilePoint {
    double X = 0;
    double Y = 0;
    TiDataPointMark Mark = idpmNormal;
};

// What a data file is written from: channels by index, points by index.
class TDataFileSource {
  public:
    virtual ~TDataFileSource() = default;
    virtual int ChannelCount() const = 0;
    virtual std::string ChannelTitle(int channel) const = 0;  // UTF-8
    virtual int PointCount(int channel) const = 0;
    virtual double X(int channel, int index) const = 0;
    virtual double Y(int channel, int index) const = 0;
    virtual TiDataPointMark Mark(int channel, int index) const = 0;
    // The points from `first` on, as X, Y and Mark give them one by one.
    virtual void Points(int channel, int first, std::span<TDataFilePoint> out) const {
        for (size_t i = 0; i < out.size(); ++i) {
            const int index = first + int(i);
            out[i] = {X(channel, index), Y(channel, index), Mark(channel, index)};
        }
    }
    // Y of the points from `first` on as the nearest 32-bit floats, with
    // infinities beyond their range: all the compact form keeps of a point
    // after its first two rows.
    virtual void FloatYs(int channel, int first, std::span<float> out) const;
};

// Where a writer's bytes go, a large block at a time, in file order.
using TDataFileOutput = std::function<void(std::string_view block)>;

// What a data file is read into. Points are added to what channels hold.
class TDataFileSink {
  public:
    virtual ~TDataFileSink() = default;
    virtual int ChannelCount() const = 0;
    virtual void AddPoint(int channel, double x, double y, TiDataPointMark mark) = 0;
    // Plain points in a run, as AddPoint would add them one by one.
    virtual void AddPoints(int channel, std::span<const double> xs, std::span<const double> ys) {
        for (size_t i = 0; i < xs.size(); ++i)
            AddPoint(channel, xs[i], ys[i], idpmNormal);
    }
};

// The first line of the compact form.
inline constexpr std::string_view kCompactDataHeader = "Compact Interval";
// The compact form reads a float from here up as a mark, never as a point: a
// missing value, or above kCompactRowsEndAbove the end of the rows.
inline constexpr float kCompactMarksFrom = 9e37f;
inline constexpr float kCompactRowsEndAbove = 1.5e38f;

// Shortest general decimal text with at most 15 significant digits, using
// `decimalSeparator`; exponents as "1E20", "1.5E-7".
std::string FormatDataNumber(double value, char decimalSeparator);

// A number field as the text forms read it: plain decimal text with either
// decimal separator; "inf", "nan" and hexadecimal floats are refused. Throws
// TiDataFileError "'<text>' is not a valid floating point value".
double ReadDataNumber(std::string_view field, char decimalSeparator);

// Text form: header of "<title>(X)" / "<title>(Y)" columns, then one row per
// point index; rows end with CR LF.
void WriteTextDataFile(const TDataFileSource& source, char columnSeparator, char decimalSeparator,
                       const TDataFileOutput& output);
std::string WriteTextDataFile(const TDataFileSource& source, char columnSeparator,
                              char decimalSeparator);

// Compact form: "Compact Interval", the channel count, X floats for the first
// two rows only, Y floats, 1e38 for missing points, 2e38 at the end.
void WriteCompactDataFile(const TDataFileSource& source, const TDataFileOutput& output);
std::string WriteCompactDataFile(const TDataFileSource& source);

// The log's first line(s) and its rows, in text or compact form.
std::string WriteTextLogHeader(const TDataFileSource& source, char columnSeparator);
std::string WriteTextLogRow(const TDataFileSource& source, int index, char columnSeparator,
                            char decimalSeparator);
std::string WriteCompactLogHeader(const TDataFileSource& source);
// X floats go only into a compact file's first two rows (`withX`).
std::string WriteCompactLogRow(const TDataFileSource& source, int index, bool withX);

// Reads any of the three forms (told apart by the first line) and adds the
// points to `sink`. Throws TiDataFileError with the bare reason ("Invalid
// Data", "'abc' is not a valid floating point value"); points added before the
// fault stay added.
void ReadDataFile(std::string_view bytes, TDataFileSink& sink, char decimalSeparator);
// A channel's own data file: one row "X<separator>Y" per point, the separator
// a tab when the first line holds one, else a comma; each part trimmed of
// blanks, "Null" (any case) for a null point, rows without a separator or an
// X skipped. Adds the points to the sink's channel 0 in file order. Throws
// TiDataFileError for a malformed number or a line past 4,096 bytes ("Invalid
// Data"); points before the fault stay added.
void ReadChannelDataFile(std::string_view bytes, TDataFileSink& sink, char decimalSeparator);
// The same, read from a stream a chunk at a time: a file of any size is read
// without holding it all in memory (a single line is held whole).
void ReadDataFile(std::istream& file, TDataFileSink& sink, char decimalSeparator);
