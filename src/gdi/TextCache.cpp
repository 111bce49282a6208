#include "gdi/TextCache.h"

#include <utility>

void TTextCache::UseDevice(const TDevice& device) {
    if (device == device_)
        return;
    Clear();
    device_ = device;
}

void TTextCache::Clear() {
    fonts_.clear();
    last_ = nullptr;
    textCount_ = 0;
}

TTextCache::TFontEntries& TTextCache::EntriesOf(const TFont& font) {
    const int pixelHeight = font.PixelHeight();
    if (last_ && std::get<1>(lastKey_) == pixelHeight && std::get<2>(lastKey_) == font.Style() &&
        std::get<0>(lastKey_) == font.Name())
        return *last_;
    lastKey_ = {font.Name(), pixelHeight, font.Style()};
    last_ = &fonts_[lastKey_];
    return *last_;
}

const TTextCache::TTextEntry* TTextCache::Find(const TFont& font, const QString& text) {
    const TFontEntries& entries = EntriesOf(font);
    const auto found = entries.Texts.constFind(text);
    return found == entries.Texts.cend() ? nullptr : &*found;
}

TTextCache::TTextEntry& TTextCache::Insert(const TFont& font, const QString& text) {
    if (textCount_ >= kMaxTexts && !Find(font, text))
        Clear();
    TFontEntries& entries = EntriesOf(font);
    const auto before = entries.Texts.size();
    TTextEntry& entry = entries.Texts[text];
    textCount_ += std::size_t(entries.Texts.size() - before);
    return entry;
}

std::optional<int> TTextCache::Width(const TFont& font, const QString& text) {
    const TTextEntry* entry = Find(font, text);
    return entry ? entry->Width : std::nullopt;
}

void TTextCache::StoreWidth(const TFont& font, const QString& text, int width) {
    Insert(font, text).Width = width;
}

std::optional<int> TTextCache::LineHeight(const TFont& font) {
    return EntriesOf(font).LineHeight;
}

void TTextCache::StoreLineHeight(const TFont& font, int height) {
    EntriesOf(font).LineHeight = height;
}

const QList<QGlyphRun>* TTextCache::Glyphs(const TFont& font, const QString& text) {
    const TTextEntry* entry = Find(font, text);
    return entry && entry->Glyphs ? &*entry->Glyphs : nullptr;
}

const QList<QGlyphRun>& TTextCache::StoreGlyphs(const TFont& font, const QString& text,
                                                QList<QGlyphRun> glyphs) {
    return Insert(font, text).Glyphs.emplace(std::move(glyphs));
}
