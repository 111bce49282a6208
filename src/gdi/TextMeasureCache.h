#pragma once
// Text widths and line heights measured on a canvas, kept from one paint to
// the next: a frame that shows the same texts in the same fonts measures
// nothing again. An owner that paints often (the plot) keeps one and lends it
// to each canvas it paints on (TCanvas::LendTextMeasureCache).
//
// The figures hold for one kind of canvas at one resolution; lent to another,
// the cache starts over. Past kMaxTexts texts it forgets everything, so labels
// that keep changing (a time axis scrolling on) cannot make it grow.

#include <QHash>
#include <QString>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <typeinfo>

#include "gdi/Font.h"

class TTextMeasureCache {
  public:
    static constexpr std::size_t kMaxTexts = 4096;

    // What decides the measures apart from the font and the text.
    struct TDevice {
        const std::type_info* Kind = nullptr;
        int PixelsPerInchX = 0;
        int PixelsPerInchY = 0;
        bool operator==(const TDevice&) const = default;
    };

    // Starts over unless the figures were measured on such a device.
    void UseDevice(const TDevice& device);

    std::optional<int> Width(const TFont& font, const QString& text);
    void StoreWidth(const TFont& font, const QString& text, int width);
    std::optional<int> LineHeight(const TFont& font);
    void StoreLineHeight(const TFont& font, int height);

    std::size_t TextCount() const { return textCount_; }
    void Clear();

  private:
    // The font fields a canvas turns into a device font: colour and rotation
    // do not change a text's extent.
    using TFontKey = std::tuple<std::string, int, TFontStyles>;
    struct TFontMeasures {
        std::optional<int> LineHeight;
        QHash<QString, int> Widths;
    };
    TFontMeasures& MeasuresOf(const TFont& font);

    TDevice device_;
    std::map<TFontKey, TFontMeasures> fonts_;
    // The font asked last, which most lookups ask again.
    TFontMeasures* last_ = nullptr;
    TFontKey lastKey_;
    std::size_t textCount_ = 0;
};
