// A canvas with a lent text cache asks the device only for texts, fonts
// and devices it has not measured, and still answers what the device says.

#include <gtest/gtest.h>

#include "gdi/RecordingCanvas.h"
#include "gdi/TextCache.h"

namespace {

class CountingCanvas : public TRecordingCanvas {
  public:
    using TRecordingCanvas::TRecordingCanvas;
    int Measures = 0;

  protected:
    int MeasureTextWidth(const QString& text) override {
        ++Measures;
        return TRecordingCanvas::MeasureTextWidth(text);
    }
};

TEST(TextCache, MeasuresEachTextOncePerFontAndDevice) {
    TTextCache cache;
    {
        CountingCanvas canvas;
        canvas.LendTextCache(&cache);
        EXPECT_EQ(canvas.TextWidth("12.5"), 4 * 6);
        canvas.Font().SetColor(clRed);  // the colour does not change a width
        EXPECT_EQ(canvas.TextWidth("12.5"), 4 * 6);
        EXPECT_EQ(canvas.Measures, 1);

        canvas.Font().SetHeight(-20);
        EXPECT_EQ(canvas.TextWidth("12.5"), 4 * 11);
        canvas.Font().SetStyle(fsBold);
        canvas.TextWidth("12.5");
        EXPECT_EQ(canvas.Measures, 3);
    }
    {
        // A canvas of the same kind and resolution finds every measure.
        CountingCanvas next;
        next.LendTextCache(&cache);
        next.TextWidth("12.5");
        EXPECT_EQ(next.Measures, 0);
    }
    CountingCanvas printer(600);
    printer.LendTextCache(&cache);
    printer.TextWidth("12.5");
    EXPECT_EQ(printer.Measures, 1);

    printer.LendTextCache(nullptr);
    printer.TextWidth("12.5");
    EXPECT_EQ(printer.Measures, 2);
}

TEST(TextCache, ForgetsEverythingPastItsLimitInsteadOfGrowing) {
    TTextCache cache;
    CountingCanvas canvas;
    canvas.LendTextCache(&cache);
    for (std::size_t i = 0; i < TTextCache::kMaxTexts; ++i)
        canvas.TextWidth(std::to_string(i));
    EXPECT_EQ(cache.TextCount(), TTextCache::kMaxTexts);
    canvas.TextWidth("one more");
    EXPECT_EQ(cache.TextCount(), 1u);
    const int before = canvas.Measures;
    canvas.TextWidth("0");
    EXPECT_EQ(canvas.Measures, before + 1);
}

}  // namespace
