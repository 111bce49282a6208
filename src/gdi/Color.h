#pragma once
// Colours as the plot stores them: R + 256*G + 65536*B in the low three
// bytes. A value whose top byte is 0xFF names a system colour by its low byte
// (15 button face, 16 button shadow, ...); stored files keep these numbers, so
// the type is a signed 32-bit integer like the values written to them.

#include <QColor>
#include <cstdint>

using TColor = std::int32_t;

constexpr TColor RGBColor(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}
constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | unsigned(index));
}
constexpr int GetRValue(TColor c) {
    return c & 0xFF;
}
constexpr int GetGValue(TColor c) {
    return (c >> 8) & 0xFF;
}
constexpr int GetBValue(TColor c) {
    return (c >> 16) & 0xFF;
}
constexpr bool IsSystemColor(TColor c) {
    return (static_cast<std::uint32_t>(c) >> 24) == 0xFF;
}

inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBColor(128, 0, 0);
inline constexpr TColor clGreen = RGBColor(0, 128, 0);
inline constexpr TColor clOlive = RGBColor(128, 128, 0);
inline constexpr TColor clNavy = RGBColor(0, 0, 128);
inline constexpr TColor clPurple = RGBColor(128, 0, 128);
inline constexpr TColor clTeal = RGBColor(0, 128, 128);
inline constexpr TColor clGray = RGBColor(128, 128, 128);
inline constexpr TColor clSilver = RGBColor(192, 192, 192);
inline constexpr TColor clRed = RGBColor(255, 0, 0);
inline constexpr TColor clLime = RGBColor(0, 255, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clBlue = RGBColor(0, 0, 255);
inline constexpr TColor clFuchsia = RGBColor(255, 0, 255);
inline constexpr TColor clAqua = RGBColor(0, 255, 255);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

// The plain RGB value a colour stands for; system colours use the classic
// desktop scheme so pictures look the same on every machine.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
