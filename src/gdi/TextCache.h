#pragma once
// What a canvas works out about a text in a font, kept from one paint to the
// next: its width, the font's line height and, on devices that draw glyphs,
// the text laid out as glyph runs. A frame that shows the same texts in the
// same fonts measures and shapes nothing again. An owner that paints often
// (the plot) keeps one and lends it to each canvas it paints on
// (TCanvas::LendTextCache).
//
// The entries hold for one kind of canvas at one resolution and pixel ratio;
// lent to another, the cache starts over. Past kMaxTexts texts it forgets
// everything, so labels that keep changing (a time axis scrolling on) cannot
// make it grow.

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <typeinfo>

#include "gdi/Font.h"

class TTextCache {
  public:
    static constexpr std::size_t kMaxTexts = 4096;

    // What decides the entries apart from the font and the text.
    struct TDevice {
        const std::type_info* Kind = nullptr;
        int PixelsPerInchX = 0;
        int PixelsPerInchY = 0;
        double PixelRatio = 1.0;
        bool operator==(const TDevice&) const = default;
    };

    // Starts over unless the entries were made on such a device.
    void UseDevice(const TDevice& device);

    std::optional<int> Width(const TFont& font, const QString& text);
    void StoreWidth(const TFont& font, const QString& text, int width);
    std::optional<int> LineHeight(const TFont& font);
    void StoreLineHeight(const TFont& font, int height);
    // The glyph runs of the text on one line, its baseline at y = 0.
    const QList<QGlyphRun>* Glyphs(const TFont& font, const QString& text);
    const QList<QGlyphRun>& StoreGlyphs(const TFont& font, const QString& text,
                                        QList<QGlyphRun> glyphs);

    std::size_t TextCount() const { return textCount_; }
    void Clear();

  private:
    // The font fields a canvas turns into a device font: colour and rotation
    // change neither a text's extent nor its glyphs.
    using TFontKey = std::tuple<std::string, int, TFontStyles>;
    struct TTextEntry {
        std::optional<int> Width;
        std::optional<QList<QGlyphRun>> Glyphs;
    };
    struct TFontEntries {
        std::optional<int> LineHeight;
        QHash<QString, TTextEntry> Texts;
    };
    TFontEntries& EntriesOf(const TFont& font);
    const TTextEntry* Find(const TFont& font, const QString& text);
    TTextEntry& Insert(const TFont& font, const QString& text);

    TDevice device_;
    std::map<TFontKey, TFontEntries> fonts_;
    // The font asked last, which most lookups ask again.
    TFontEntries* last_ = nullptr;
    TFontKey lastKey_;
    std::size_t textCount_ = 0;
};
