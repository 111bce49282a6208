#include "gdi/TextMeasureCache.h"

void TTextMeasureCache::UseDevice(const TDevice& device) {
    if (device == device_)
        return;
    Clear();
    device_ = device;
}

void TTextMeasureCache::Clear() {
    fonts_.clear();
    last_ = nullptr;
    textCount_ = 0;
}

TTextMeasureCache::TFontMeasures& TTextMeasureCache::MeasuresOf(const TFont& font) {
    const int pixelHeight = font.PixelHeight();
    if (last_ && std::get<1>(lastKey_) == pixelHeight && std::get<2>(lastKey_) == font.Style() &&
        std::get<0>(lastKey_) == font.Name())
        return *last_;
    lastKey_ = {font.Name(), pixelHeight, font.Style()};
    last_ = &fonts_[lastKey_];
    return *last_;
}

std::optional<int> TTextMeasureCache::Width(const TFont& font, const QString& text) {
    const TFontMeasures& measures = MeasuresOf(font);
    const auto found = measures.Widths.constFind(text);
    if (found == measures.Widths.cend())
        return std::nullopt;
    return *found;
}

void TTextMeasureCache::StoreWidth(const TFont& font, const QString& text, int width) {
    if (textCount_ >= kMaxTexts)
        Clear();
    TFontMeasures& measures = MeasuresOf(font);
    const auto before = measures.Widths.size();
    measures.Widths.insert(text, width);
    textCount_ += std::size_t(measures.Widths.size() - before);
}

std::optional<int> TTextMeasureCache::LineHeight(const TFont& font) {
    return MeasuresOf(font).LineHeight;
}

void TTextMeasureCache::StoreLineHeight(const TFont& font, int height) {
    MeasuresOf(font).LineHeight = height;
}
