#include "plot/iPublished.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

void TiPublishedProperty::WrongKind() const {
    throw std::logic_error("Property " + name_ + " has no value of this kind");
}

std::int64_t TiPublishedProperty::GetOrdinal(TiPersistent&) const {
    WrongKind();
}
void TiPublishedProperty::SetOrdinal(TiPersistent&, std::int64_t) const {
    WrongKind();
}
double TiPublishedProperty::GetFloat(TiPersistent&) const {
    WrongKind();
}
void TiPublishedProperty::SetFloat(TiPersistent&, double) const {
    WrongKind();
}
std::string TiPublishedProperty::GetString(TiPersistent&) const {
    WrongKind();
}
void TiPublishedProperty::SetString(TiPersistent&, const std::string&) const {
    WrongKind();
}
TiPersistent* TiPublishedProperty::GetObject(TiPersistent&) const {
    WrongKind();
}
const TiVariant& TiPublishedProperty::GetVariant(TiPersistent&) const {
    WrongKind();
}
void TiPublishedProperty::SetVariant(TiPersistent&, const TiVariant&) const {
    WrongKind();
}

const TiPublishedProperty* TiPublishedTable::Find(std::string_view name) const {
    for (const Entry& entry : entries_)
        if (SameText(entry->Name(), name))
            return entry.get();
    return nullptr;
}

const std::vector<std::string>& PenStyleNames() {
    static const std::vector<std::string> names{
        "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
    return names;
}

const std::vector<std::string>& BrushStyleNames() {
    static const std::vector<std::string> names{"bsSolid",    "bsClear",     "bsHorizontal",
                                                "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                "bsCross",    "bsDiagCross"};
    return names;
}

const TiPublishedTable& TiFont::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiFont>("TFont")
            .Integer("Charset", &TFont::Charset, &TFont::SetCharset)
            .Color("Color", &TFont::Color, &TFont::SetColor)
            .Integer("Height", &TFont::Height, &TFont::SetHeight, kFontHeightRange)
            .String("Name", &TFont::Name, &TFont::SetName)
            .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation, kAngleRange)
            .Integer("Size", &TFont::Size, &TFont::SetSize, false)
            .Set("Style", &TFont::Style, &TFont::SetStyle,
                 {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
            .Build();
    return table;
}

const TiPublishedTable& TiPen::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiPen>("TPen")
            .Color("Color", &TPen::Color, &TPen::SetColor)
            .Enumeration("Style", &TPen::Style, &TPen::SetStyle, PenStyleNames())
            .Integer("Width", &TPen::Width, &TPen::SetWidth, kPixelRange)
            .Build();
    return table;
}

const TiPublishedTable& TiBrush::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiBrush>("TBrush")
            .Color("Color", &TBrush::Color, &TBrush::SetColor)
            .Enumeration("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleNames())
            .Build();
    return table;
}
