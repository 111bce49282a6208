#include "plot/iPlotToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr std::string_view SmallPrefix = "SMALL";
constexpr double DesignGrid = 24.0;  // every picture is designed on a 24-unit grid

// The classic sixteen-colour palette keeps the pictures in the toolbar's
// traditional look.
const QColor Black(0, 0, 0);
const QColor DarkGrey(64, 64, 64);
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor White(255, 255, 255);
const QColor Green(0, 128, 0);
const QColor Lime(0, 224, 0);
const QColor Navy(0, 0, 128);
const QColor Blue(0, 64, 255);
const QColor Red(208, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor PaleBlue(200, 228, 255);

// Draws in design units and snaps straight strokes and edges to the device
// pixel grid, which is what keeps the pictures crisp at 16, 24, 30 and 48
// device pixels.
class IconPen {
  public:
    IconPen(QPainter& painter, double devicePixelsPerUnit)
        : m_painter(painter), m_scale(devicePixelsPerUnit) {
        m_painter.setRenderHint(QPainter::Antialiasing, true);
    }

    // Stroke width in device pixels for a design width, never thinner than
    // one pixel so small pictures keep every line.
    int StrokeWidth(double units = 1.0) const {
        return std::max(1, static_cast<int>(std::lround(units * m_scale)));
    }

    void Line(double x1, double y1, double x2, double y2, const QColor& color, double units = 1.0) {
        const int w = StrokeWidth(units);
        QPen pen(color, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLine(QPointF(Snap(x1, w), Snap(y1, w)), QPointF(Snap(x2, w), Snap(y2, w)));
    }

    // A filled, outlined rectangle whose outline lies inside the given edges.
    void Box(double left, double top, double right, double bottom, const QColor& fill,
             const QColor& outline, double units = 1.0) {
        const QRectF outer(Edge(left), Edge(top), Edge(right) - Edge(left),
                           Edge(bottom) - Edge(top));
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(outline);
        m_painter.drawRect(outer);
        const int w = StrokeWidth(units);
        m_painter.setBrush(fill);
        m_painter.drawRect(outer.adjusted(w, w, -w, -w));
    }

    void Fill(double left, double top, double right, double bottom, const QColor& fill) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(fill);
        m_painter.drawRect(
            QRectF(Edge(left), Edge(top), Edge(right) - Edge(left), Edge(bottom) - Edge(top)));
    }

    void Polygon(std::initializer_list<QPointF> points, const QColor& fill, const QColor& outline,
                 double units = 1.0) {
        QPolygonF polygon;
        for (const QPointF& p : points) {
            polygon << QPointF(p.x() * m_scale, p.y() * m_scale);
        }
        m_painter.setPen(
            QPen(outline, StrokeWidth(units), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(fill);
        m_painter.drawPolygon(polygon);
    }

    void Circle(double cx, double cy, double radius, const QColor& fill, const QColor& outline,
                double units = 1.0) {
        const int w = StrokeWidth(units);
        m_painter.setPen(QPen(outline, w));
        m_painter.setBrush(fill);
        m_painter.drawEllipse(QPointF(cx * m_scale, cy * m_scale), radius * m_scale - w / 2.0,
                              radius * m_scale - w / 2.0);
    }

    // A line with round caps for diagonals such as a magnifier's handle.
    void Stroke(double x1, double y1, double x2, double y2, const QColor& color, double units) {
        m_painter.setPen(QPen(color, StrokeWidth(units), Qt::SolidLine, Qt::RoundCap));
        m_painter.drawLine(QPointF(x1 * m_scale, y1 * m_scale),
                           QPointF(x2 * m_scale, y2 * m_scale));
    }

    // Dots one stroke wide with one-stroke gaps, counted in whole pixels so
    // the rhythm stays even at every size.
    void DottedRect(double left, double top, double right, double bottom, const QColor& color) {
        const int w = StrokeWidth();
        const int l = static_cast<int>(Edge(left)), t = static_cast<int>(Edge(top));
        const int r = static_cast<int>(Edge(right)) - w, b = static_cast<int>(Edge(bottom)) - w;
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(color);
        for (int x = l; x <= r; x += 2 * w) {
            m_painter.drawRect(x, t, w, w);
            m_painter.drawRect(x, b, w, w);
        }
        for (int y = t; y <= b; y += 2 * w) {
            m_painter.drawRect(l, y, w, w);
            m_painter.drawRect(r, y, w, w);
        }
    }

  private:
    // Pixel edge nearest to a design coordinate.
    double Edge(double v) const { return std::round(v * m_scale); }
    // Centre of a stroke of width w: odd widths sit on pixel centres.
    double Snap(double v, int w) const { return Edge(v) + (w % 2 ? 0.5 : 0.0); }

    QPainter& m_painter;
    double m_scale;
};

void DrawMagnifier(IconPen& pen, double cx, double cy, double radius) {
    pen.Stroke(cx + radius * 0.7, cy + radius * 0.7, cx + radius * 1.75, cy + radius * 1.75,
               DarkGrey, 3.0);
    pen.Circle(cx, cy, radius, PaleBlue, Black, 1.5);
}

void DrawResume(IconPen& pen) {
    pen.Polygon({{7, 4}, {20, 12}, {7, 20}}, Lime, Green, 1.5);
}

void DrawPause(IconPen& pen) {
    pen.Box(6, 4, 11, 20, Blue, Navy);
    pen.Box(13, 4, 18, 20, Blue, Navy);
}

void DrawScroll(IconPen& pen) {
    pen.Line(12, 4, 12, 20, Black, 1.5);
    pen.Line(4, 12, 20, 12, Black, 1.5);
    pen.Polygon({{12, 1.5}, {16, 6}, {8, 6}}, Black, Black);
    pen.Polygon({{12, 22.5}, {16, 18}, {8, 18}}, Black, Black);
    pen.Polygon({{1.5, 12}, {6, 8}, {6, 16}}, Black, Black);
    pen.Polygon({{22.5, 12}, {18, 8}, {18, 16}}, Black, Black);
}

void DrawZoomAxes(IconPen& pen) {
    DrawMagnifier(pen, 11, 11, 5);
    pen.Polygon({{11, 1}, {14, 4}, {8, 4}}, Black, Black);
    pen.Polygon({{11, 21}, {14, 18}, {8, 18}}, Black, Black);
    pen.Polygon({{1, 11}, {4, 8}, {4, 14}}, Black, Black);
    pen.Polygon({{21, 11}, {18, 8}, {18, 14}}, Black, Black);
}

void DrawZoomOut(IconPen& pen) {
    DrawMagnifier(pen, 10, 10, 7);
    pen.Line(6.5, 10, 13.5, 10, Black, 2.0);
}

void DrawZoomIn(IconPen& pen) {
    DrawZoomOut(pen);
    pen.Line(10, 6.5, 10, 13.5, Black, 2.0);
}

void DrawSelect(IconPen& pen) {
    pen.Polygon({{7, 3}, {7, 19}, {10.5, 15.5}, {13.5, 21}, {16, 20}, {13, 14.5}, {18, 14.5}},
                White, Black);
}

void DrawZoomBox(IconPen& pen) {
    pen.DottedRect(3, 5, 21, 19, Black);
}

void DrawCursor(IconPen& pen) {
    pen.Line(12, 3, 12, 21, Red, 1.5);
    pen.Polygon({{3, 8}, {9, 12}, {3, 16}}, Black, Black);
    pen.Polygon({{21, 8}, {15, 12}, {21, 16}}, Black, Black);
}

void DrawProperties(IconPen& pen) {
    pen.Box(2, 3, 18, 21, White, Black);
    pen.Fill(2, 3, 18, 7, Navy);
    for (double y : {10.0, 13.5, 17.0}) {
        pen.Line(5, y, 10, y, Grey);
    }
    pen.Stroke(12, 19, 21, 10, DarkGrey, 3.0);
    pen.Stroke(12.5, 18.5, 20.5, 10.5, Yellow, 1.5);
    pen.Polygon({{10.5, 21}, {11.5, 17.5}, {13.5, 19.5}}, Black, Black, 0.5);
}

void DrawSheet(IconPen& pen, double left, double top) {
    pen.Box(left, top, left + 12, top + 15, White, Black);
    for (double y = top + 4; y < top + 13; y += 3) {
        pen.Line(left + 3, y, left + 9, y, Grey);
    }
}

void DrawCopy(IconPen& pen) {
    DrawSheet(pen, 2, 2);
    DrawSheet(pen, 10, 7);
}

void DrawSave(IconPen& pen) {
    pen.Box(3, 3, 21, 21, Navy, Black);
    pen.Box(7, 3, 17, 10, Silver, Black);
    pen.Fill(13, 4.5, 15, 8.5, Navy);
    pen.Box(6, 13, 18, 21, White, Black);
}

void DrawPrinter(IconPen& pen) {
    pen.Box(6, 2, 18, 10, White, Black);
    pen.Box(2, 9, 22, 18, Silver, Black);
    pen.Fill(17, 11, 20, 13, Lime);
    pen.Box(6, 15, 18, 22, White, Black);
    pen.Line(8, 18, 16, 18, Grey);
}

void DrawPreview(IconPen& pen) {
    pen.Box(3, 2, 17, 22, White, Black);
    for (double y = 6; y < 20; y += 3) {
        pen.Line(6, y, 14, y, Grey);
    }
    DrawMagnifier(pen, 14, 13, 5);
}

using Motif = void (*)(IconPen&);

const std::map<std::string_view, Motif>& Motifs() {
    static const std::map<std::string_view, Motif> motifs = {
        {"AUTO", DrawResume},           {"PAUSE", DrawPause},       {"SCROLL", DrawScroll},
        {"ZOOM", DrawZoomAxes},         {"ZOOMOUT", DrawZoomOut},   {"ZOOMIN", DrawZoomIn},
        {"SELECT", DrawSelect},         {"SCROLLBOX", DrawZoomBox}, {"CURSOR", DrawCursor},
        {"PROPERTIES", DrawProperties}, {"COPY", DrawCopy},         {"SAVE", DrawSave},
        {"PRINTER", DrawPrinter},       {"PREVIEW", DrawPreview},
    };
    return motifs;
}

bool IsSmall(std::string_view name) {
    return name.substr(0, SmallPrefix.size()) == SmallPrefix;
}

}  // namespace

int ToolBarPictureLogicalSize(std::string_view pictureName) {
    return IsSmall(pictureName) ? SmallToolBarPictureSize : ToolBarPictureSize;
}

QImage RenderToolBarPicture(std::string_view pictureName, qreal devicePixelRatio) {
    const bool small = IsSmall(pictureName);
    const auto motif = Motifs().find(small ? pictureName.substr(SmallPrefix.size()) : pictureName);
    if (motif == Motifs().end() || devicePixelRatio <= 0) {
        return {};
    }
    const int logical = ToolBarPictureLogicalSize(pictureName);
    const int pixels = static_cast<int>(std::lround(logical * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        IconPen pen(painter, pixels / DesignGrid);
        motif->second(pen);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QImage GreyedToolBarPicture(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    // Dark parts of the shape become the grey outline, light parts vanish,
    // and a white copy one device pixel down-right gives the engraved relief.
    QImage shape(picture.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            if (alpha != 0 && qGray(in[x]) < 192) {
                out[x] = qRgba(128, 128, 128, alpha);
            }
        }
    }
    QImage greyed(picture.size(), QImage::Format_ARGB32_Premultiplied);
    greyed.fill(Qt::transparent);
    {
        QPainter painter(&greyed);
        QImage relief = shape;
        for (int y = 0; y < relief.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(relief.scanLine(y));
            for (int x = 0; x < relief.width(); ++x) {
                line[x] = qRgba(255, 255, 255, qAlpha(line[x]));
            }
        }
        painter.drawImage(1, 1, relief);
        painter.drawImage(0, 0, shape);
    }
    greyed.setDevicePixelRatio(picture.devicePixelRatio());
    return greyed;
}

int TiPlotToolBarImageList::Add(std::string_view pictureName, qreal devicePixelRatio) {
    m_entries.push_back({RenderToolBarPicture(pictureName, devicePixelRatio), {}});
    return Count() - 1;
}

const QImage& TiPlotToolBarImageList::Picture(int index, bool enabled) {
    static const QImage none;
    if (index < 0 || index >= Count()) {
        return none;
    }
    Entry& entry = m_entries[static_cast<size_t>(index)];
    if (!enabled && entry.greyed.isNull()) {
        entry.greyed = GreyedToolBarPicture(entry.normal);
    }
    return enabled ? entry.normal : entry.greyed;
}
