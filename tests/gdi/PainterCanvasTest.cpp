// The painter canvas must draw the way the plot's arithmetic assumes: end
// points left out, outlines inside the rectangle, clips that nest, opaque or
// clear text boxes, and pens/brushes/fonts that follow every change.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "gdi/PainterCanvas.h"

namespace {

TEST(PainterCanvas, LineToLeavesOutTheEndPointAndThinPensAreOnePixel) {
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.Pen().SetColor(clRed);
        canvas.Pen().SetWidth(1);
        canvas.MoveTo(2, 5);
        canvas.LineTo(10, 5);
        canvas.Pen().SetWidth(0);
        canvas.Pen().SetColor(clBlue);
        canvas.MoveTo(3, 8);
        canvas.LineTo(3, 12);
        EXPECT_EQ(canvas.PenPos(), (TPoint{3, 12}));
    }
    EXPECT_EQ(PixelAt(image, 2, 5), clRed);
    EXPECT_EQ(PixelAt(image, 9, 5), clRed);
    EXPECT_EQ(PixelAt(image, 10, 5), clWhite);
    EXPECT_EQ(PixelAt(image, 5, 4), clWhite);
    EXPECT_EQ(PixelAt(image, 5, 6), clWhite);
    EXPECT_EQ(PixelAt(image, 3, 11), clBlue);
    EXPECT_EQ(PixelAt(image, 3, 12), clWhite);
}

TEST(PainterCanvas, RectangleOutlinesInsideAndFillsWithTheBrush) {
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.Pen().SetColor(clBlack);
        canvas.Brush().SetColor(clLime);
        canvas.Rectangle(2, 2, 10, 8);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(12, 2, 18, 8);
    }
    EXPECT_EQ(PixelAt(image, 2, 2), clBlack);
    EXPECT_EQ(PixelAt(image, 9, 7), clBlack);
    EXPECT_EQ(PixelAt(image, 10, 8), clWhite);
    EXPECT_EQ(PixelAt(image, 5, 5), clLime);
    EXPECT_EQ(PixelAt(image, 17, 7), clBlack);
    EXPECT_EQ(PixelAt(image, 15, 5), clWhite);
}

TEST(PainterCanvas, FillsAndFramesCoverExactlyTheirRectangle) {
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.Brush().SetColor(clNavy);
        canvas.FillRect({1, 1, 5, 5});
        canvas.Brush().SetColor(clRed);
        canvas.FrameRect({8, 8, 14, 14});
        canvas.SetPixel(18, 18, clYellow);
    }
    EXPECT_EQ(PixelAt(image, 1, 1), clNavy);
    EXPECT_EQ(PixelAt(image, 4, 4), clNavy);
    EXPECT_EQ(PixelAt(image, 5, 5), clWhite);
    EXPECT_EQ(PixelAt(image, 8, 8), clRed);
    EXPECT_EQ(PixelAt(image, 13, 13), clRed);
    EXPECT_EQ(PixelAt(image, 10, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 18, 18), clYellow);
}

TEST(PainterCanvas, ClipsNestAndRestore) {
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.Brush().SetColor(clRed);
        canvas.SetClipRect({0, 0, 10, 10});
        {
            TClipSaver saver(canvas);
            canvas.IntersectClipRect({5, 5, 20, 20});
            EXPECT_EQ(*canvas.ClipRect(), (TRect{5, 5, 10, 10}));
            canvas.FillRect({0, 0, 20, 20});
        }
        EXPECT_EQ(*canvas.ClipRect(), (TRect{0, 0, 10, 10}));
        canvas.Brush().SetColor(clBlue);
        canvas.FillRect({0, 0, 3, 20});
        canvas.ResetClip();
        canvas.FillRect({19, 19, 20, 20});
    }
    EXPECT_EQ(PixelAt(image, 5, 5), clRed);
    EXPECT_EQ(PixelAt(image, 9, 9), clRed);
    EXPECT_EQ(PixelAt(image, 10, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 4, 4), clWhite);
    EXPECT_EQ(PixelAt(image, 1, 9), clBlue);
    EXPECT_EQ(PixelAt(image, 1, 12), clWhite);
    EXPECT_EQ(PixelAt(image, 19, 19), clBlue);
}

TEST(PainterCanvas, TextBoxIsOpaqueOnlyWithASolidBrush) {
    QImage image = BlankImage(120, 40);
    int lineHeight = 0;
    {
        TPainterCanvas canvas(image);
        canvas.Font().SetHeight(-12);
        canvas.Font().SetColor(clBlack);
        canvas.Brush().SetColor(clAqua);
        canvas.TextOut(0, 0, "W");
        lineHeight = canvas.TextHeight("W");
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(0, 20, "W");
        EXPECT_GT(canvas.TextWidth("WW"), canvas.TextWidth("W"));
    }
    ASSERT_GT(lineHeight, 0);
    EXPECT_EQ(PixelAt(image, 0, lineHeight - 1), clAqua);
    EXPECT_EQ(PixelAt(image, 0, 20 + lineHeight - 1), clWhite);
}

TEST(PainterCanvas, RotatedTextRunsUpward) {
    QImage image = BlankImage(60, 100);
    {
        TPainterCanvas canvas(image);
        canvas.Font().SetHeight(-14);
        canvas.Font().SetColor(clBlack);
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetOrientation(900);
        canvas.TextOut(10, 90, "HHHHHH");
    }
    // Reading upward from (10, 90), the ink lies above the start and to its right.
    int inkAbove = 0, inkBelow = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 60; ++x)
            if (PixelAt(image, x, y) != clWhite)
                (y < 90 && x >= 10 ? inkAbove : inkBelow)++;
    EXPECT_GT(inkAbove, 20);
    EXPECT_EQ(inkBelow, 0);
}

TEST(PainterCanvas, EdgesUseTheSystemShades) {
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.DrawEdge({0, 0, 10, 10}, edSunken);
        canvas.DrawEdge({10, 10, 20, 20}, edRaised);
    }
    EXPECT_EQ(PixelAt(image, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, 9, 9), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(PixelAt(image, 10, 10), ColorToRGB(cl3DLight));
    EXPECT_EQ(PixelAt(image, 19, 19), ColorToRGB(cl3DDkShadow));
}

TEST(PainterCanvas, FocusRectangleDrawnTwiceVanishes) {
    QImage image = BlankImage(30, 30);
    image.setPixelColor(5, 5, Qt::red);
    const QImage before = image.copy();
    {
        TPainterCanvas canvas(image);
        canvas.DrawFocusRect({5, 5, 25, 25});
        canvas.End();
        EXPECT_NE(image, before);
    }
    {
        TPainterCanvas canvas(image);
        canvas.DrawFocusRect({5, 5, 25, 25});
    }
    EXPECT_EQ(image, before);
}

TEST(PainterCanvas, DrawsImagesPlainAndStretched) {
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QImage image = BlankImage(20, 20);
    {
        TPainterCanvas canvas(image);
        canvas.Draw(0, 0, picture);
        canvas.StretchDraw({10, 10, 20, 20}, picture);
    }
    EXPECT_EQ(PixelAt(image, 1, 1), clBlue);
    EXPECT_EQ(PixelAt(image, 2, 2), clWhite);
    EXPECT_EQ(PixelAt(image, 19, 19), clBlue);
    EXPECT_EQ(PixelAt(image, 9, 9), clWhite);
}

TEST(PainterCanvas, RefusesADeviceItCannotPaint) {
    QImage empty;
    EXPECT_THROW(TPainterCanvas canvas(empty), std::runtime_error);
}

TEST(Colors, SystemColoursResolveAndPlainColoursPassThrough) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGBColor(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGBColor(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);
    EXPECT_EQ(ToQColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(FromQColor(QColor(10, 20, 30)), 10 + 256 * 20 + 65536 * 30);
    EXPECT_TRUE(IsSystemColor(clBtnShadow));
    EXPECT_LT(clBtnFace, 0);  // stored files hold it as a negative 32-bit number
}

TEST(GraphicsObjects, AssignmentCopiesEveryFieldKeepsTheHandlerAndNotifiesOnce) {
    TFont source;
    source.SetName("DejaVu Sans");
    source.SetHeight(-20);
    source.SetColor(clRed);
    source.SetStyle(fsBold | fsItalic);
    source.SetCharset(134);
    source.SetOrientation(900);
    int changes = 0;
    TFont target;
    target.OnChange = [&] { ++changes; };
    target = source;
    EXPECT_EQ(target, source);
    EXPECT_EQ(changes, 1);
    target = source;
    EXPECT_EQ(changes, 1) << "assigning equal values is no change";
    const TFont copy(target);
    EXPECT_FALSE(copy.OnChange) << "a copy does not call its original's owner";

    TPen pen;
    int penChanges = 0;
    pen.OnChange = [&] { ++penChanges; };
    pen.SetWidth(3);
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    EXPECT_EQ(penChanges, 2);
}

TEST(GraphicsObjects, FontSizesAndPixelHeights) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.PixelHeight(), 11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(12);  // positive: points
    EXPECT_EQ(font.PixelHeight(), 16);
}

}  // namespace
