// Texts drawn on an image through a lent text cache leave exactly the pixels
// that texts laid out afresh leave, through every change that could make a
// kept layout wrong, and they land where the painter's own text drawing puts
// them.

#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "GdiTestSupport.h"
#include "gdi/PainterCanvas.h"
#include "gdi/TextCache.h"

namespace {

constexpr int kWidth = 220;
constexpr int kHeight = 160;

// What one paint sets before it draws its texts.
struct TTextScene {
    TFont Font;
    TBrushStyle BrushStyle = bsClear;
    TColor BrushColor = clYellow;
    int DotsPerMeter = 3780;  // 96 dpi
    double PixelRatio = 1.0;
    std::vector<std::string> Texts{"12.5", "Time (s)", "通道 1 数据", "a\tb"};
};

QImage Paint(const TTextScene& scene, TTextCache* cache) {
    QImage image(int(kWidth * scene.PixelRatio), int(kHeight * scene.PixelRatio),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(scene.DotsPerMeter);
    image.setDotsPerMeterY(scene.DotsPerMeter);
    image.setDevicePixelRatio(scene.PixelRatio);
    TPainterCanvas canvas(image);
    canvas.LendTextCache(cache);
    canvas.Font() = scene.Font;
    canvas.Brush().SetStyle(scene.BrushStyle);
    canvas.Brush().SetColor(scene.BrushColor);
    int y = 20;
    for (const std::string& text : scene.Texts) {
        canvas.TextOut(90, y, text);
        y += 35;
    }
    canvas.LendTextCache(nullptr);
    canvas.End();
    return image;
}

bool HasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

TEST(CanvasText, DrawsTheSamePixelsWithTheCacheAsLaidOutAfresh) {
    const std::vector<std::pair<const char*, std::function<void(TTextScene&)>>> steps = {
        {"first paint", [](TTextScene&) {}},
        {"the same texts again", [](TTextScene&) {}},
        {"font colour", [](TTextScene& s) { s.Font.SetColor(clRed); }},
        {"font height", [](TTextScene& s) { s.Font.SetHeight(-17); }},
        {"bold", [](TTextScene& s) { s.Font.SetStyle(fsBold); }},
        {"underlined and struck out",
         [](TTextScene& s) { s.Font.SetStyle(fsUnderline | fsStrikeOut); }},
        {"font name", [](TTextScene& s) { s.Font.SetName("DejaVu Serif"); }},
        {"rotated upward", [](TTextScene& s) { s.Font.SetOrientation(900); }},
        {"rotated downward", [](TTextScene& s) { s.Font.SetOrientation(2700); }},
        {"upside down on a solid background",
         [](TTextScene& s) {
             s.Font.SetOrientation(1800);
             s.BrushStyle = bsSolid;
         }},
        {"level on a solid background", [](TTextScene& s) { s.Font.SetOrientation(0); }},
        {"background colour", [](TTextScene& s) { s.BrushColor = clAqua; }},
        {"other texts",
         [](TTextScene& s) {
             s.Texts = {"-0.25", "Time (s) ", "通道"};
         }},
        {"twice the resolution", [](TTextScene& s) { s.DotsPerMeter = 7560; }},
        {"twice the pixel ratio", [](TTextScene& s) { s.PixelRatio = 2.0; }},
    };
    TTextCache cache;
    TTextScene scene;
    for (const auto& [name, change] : steps) {
        change(scene);
        const QImage cached = Paint(scene, &cache);
        ASSERT_TRUE(HasInk(cached)) << name;
        ASSERT_EQ(cached, Paint(scene, nullptr)) << name;
    }
    EXPECT_GT(cache.TextCount(), 0u);
}

TEST(CanvasText, KeepsEachTextsGlyphsForItsFontAlone) {
    TTextCache cache;
    TTextScene scene;
    scene.Texts = {"42"};
    Paint(scene, &cache);
    TFont other = scene.Font;
    other.SetColor(clBlue);  // the same glyphs in another colour
    other.SetOrientation(900);
    EXPECT_NE(cache.Glyphs(other, "42"), nullptr);
    other.SetHeight(-30);
    EXPECT_EQ(cache.Glyphs(other, "42"), nullptr);
}

// The painter's own text drawing, the text's top-left corner at (x, y).
QImage PaintedByQt(const TFont& font, int x, int y, const QString& text) {
    QImage image = BlankImage(kWidth, kHeight);
    QPainter painter(&image);
    QFont qfont(QString::fromStdString(font.Name()));
    qfont.setPixelSize(font.PixelHeight());
    painter.setFont(qfont);
    painter.setPen(ToQColor(font.Color()));
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    return image;
}

TEST(CanvasText, LandsWhereThePaintersOwnTextDrawingPutsIt) {
    TTextCache cache;
    TTextScene scene;
    // A tab and a line separator stay on the one line, as the painter has them.
    for (const char* text : {"Value 12.5", "通道 1", "a\tb", "a\u2028b"}) {
        scene.Texts = {text};
        const QImage expected = PaintedByQt(scene.Font, 90, 20, QString::fromUtf8(text));
        ASSERT_TRUE(HasInk(expected)) << text;
        EXPECT_EQ(Paint(scene, nullptr), expected) << text;
        EXPECT_EQ(Paint(scene, &cache), expected) << text;
    }
}

// Texts take the font's colour and lines the pen's, whatever came between:
// the same scene drawn with the painter alone, setting each colour afresh.
TEST(CanvasText, TextsAndLinesKeepTheirOwnColours) {
    QImage drawn = BlankImage(kWidth, kHeight);
    {
        TPainterCanvas canvas(drawn);
        canvas.Font().SetColor(clRed);
        canvas.TextOut(10, 10, "Red");
        canvas.Pen().SetColor(clBlue);
        canvas.MoveTo(0, 40);
        canvas.LineTo(200, 40);
        canvas.Font().SetColor(clGreen);
        canvas.TextOut(10, 50, "Green");
        canvas.Font().SetOrientation(900);
        canvas.Font().SetColor(clRed);
        canvas.TextOut(180, 150, "Up");
        canvas.Font().SetOrientation(0);
        canvas.Font().SetColor(clGreen);
        canvas.TextOut(60, 50, "Green");
        canvas.MoveTo(0, 100);
        canvas.LineTo(200, 100);
    }
    QImage expected = BlankImage(kWidth, kHeight);
    {
        QPainter painter(&expected);
        QFont font(QString::fromStdString(TFont().Name()));
        font.setPixelSize(TFont().PixelHeight());
        painter.setFont(font);
        const int ascent = painter.fontMetrics().ascent();
        const QPen line(ToQColor(clBlue), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        painter.setPen(ToQColor(clRed));
        painter.drawText(10, 10 + ascent, "Red");
        painter.setPen(line);
        painter.drawLine(0, 40, 200, 40);
        painter.setPen(ToQColor(clGreen));
        painter.drawText(10, 50 + ascent, "Green");
        painter.save();
        painter.translate(180, 150);
        painter.rotate(-90);
        painter.setPen(ToQColor(clRed));
        painter.drawText(0, ascent, "Up");
        painter.restore();
        painter.setPen(ToQColor(clGreen));
        painter.drawText(60, 50 + ascent, "Green");
        painter.setPen(line);
        painter.drawLine(0, 100, 200, 100);
    }
    EXPECT_EQ(drawn, expected);
}

}  // namespace
