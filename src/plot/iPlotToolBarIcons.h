#pragma once
// The toolbar's button pictures. They are drawn as vectors at whatever size
// and device pixel ratio the screen needs, so a 24 × 24 picture stays sharp on
// a 2× display instead of being a blurred bitmap. Pictures are looked up by
// their resource-style names ("PAUSE", "SMALLPAUSE", …); the "SMALL" prefix
// selects the 16 × 16 variant.

#include <QImage>
#include <string>
#include <string_view>
#include <vector>

constexpr int ToolBarPictureSize = 24;
constexpr int SmallToolBarPictureSize = 16;

// Logical size of the named picture (24, or 16 with the "SMALL" prefix).
int ToolBarPictureLogicalSize(std::string_view pictureName);

// Renders the named picture on a transparent background. The image holds
// size × devicePixelRatio pixels and carries the ratio, so painting it at its
// logical size maps one image pixel to one device pixel. An unknown name gives
// a null image.
QImage RenderToolBarPicture(std::string_view pictureName, qreal devicePixelRatio = 1.0);

// The disabled look: the picture's shape in a light grey with a white relief,
// like a greyed button on a classic toolbar.
QImage GreyedToolBarPicture(const QImage& picture);

// The toolbar's shared image list: each picture is rendered once and then
// addressed by index; the greyed variant is made on first use.
class TiPlotToolBarImageList {
  public:
    int Add(std::string_view pictureName, qreal devicePixelRatio);
    int Count() const { return static_cast<int>(m_entries.size()); }
    const QImage& Picture(int index, bool enabled);
    void Clear() { m_entries.clear(); }

  private:
    struct Entry {
        QImage normal;
        QImage greyed;
    };
    std::vector<Entry> m_entries;
};
