// DrawText's layout rules on the recording canvas, whose metrics are fixed:
// 6 pixels a character and 13 a line for the default font.

#include <gtest/gtest.h>

#include "gdi/RecordingCanvas.h"

namespace {

struct TTextCase {
    const char* Text;
    unsigned Format;
    std::vector<std::vector<int>> Positions;  // (x, y) of each drawn line
    int Height;
};

class DrawTextLayout : public ::testing::TestWithParam<TTextCase> {};

TEST_P(DrawTextLayout, PlacesEachLine) {
    const TTextCase& c = GetParam();
    TRecordingCanvas canvas;
    TRect rect{10, 20, 110, 70};  // 100 x 50
    EXPECT_EQ(canvas.DrawText(c.Text, rect, c.Format), c.Height);
    std::vector<std::vector<int>> positions;
    for (const TCanvasCall& call : canvas.CallsNamed("Text"))
        positions.push_back(call.Args);
    EXPECT_EQ(positions, c.Positions);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DrawTextLayout,
    ::testing::Values(TTextCase{"abcd", DT_LEFT | DT_TOP, {{10, 20}}, 13},
                      TTextCase{"abcd", DT_CENTER | DT_SINGLELINE, {{48, 20}}, 13},
                      TTextCase{"abcd", DT_RIGHT | DT_SINGLELINE, {{86, 20}}, 13},
                      // Vertical centring: (50 - 13) / 2 = 18; the height counts from the top.
                      TTextCase{"abcd", DT_VCENTER | DT_SINGLELINE, {{10, 38}}, 31},
                      TTextCase{"abcd", DT_BOTTOM | DT_SINGLELINE, {{10, 57}}, 50},
                      // Without single-line, vertical placement does not apply.
                      TTextCase{"ab\r\ncd", DT_VCENTER | DT_CENTER, {{54, 20}, {54, 33}}, 26},
                      TTextCase{"ab\ncd", DT_SINGLELINE, {{10, 20}}, 13},
                      // 100 pixels hold 16 characters: words move to the next line whole.
                      TTextCase{"aaaa bbbb cccc dddd", DT_WORDBREAK, {{10, 20}, {10, 33}}, 26},
                      TTextCase{"aaaaaaaaaaaaaaaaaaaa bb", DT_WORDBREAK, {{10, 20}, {10, 33}}, 26},
                      TTextCase{"", DT_LEFT, {}, 0}));

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
    TRecordingCanvas canvas;
    TRect rect{5, 5, 5, 5};
    EXPECT_EQ(canvas.DrawText("abc\r\nabcdef", rect, DT_CALCRECT | DT_NOCLIP), 26);
    EXPECT_EQ(rect, (TRect{5, 5, 41, 31}));
    EXPECT_TRUE(canvas.Calls().empty());

    TRect wrapped{0, 0, 30, 0};
    canvas.DrawText("aaa bbb ccc", wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(wrapped.Bottom, 39) << "three lines of five-character room";
    EXPECT_EQ(wrapped.Right, 18);
}

TEST(DrawText, ClipsToTheRectangleUnlessToldNot) {
    TRecordingCanvas canvas;
    TRect rect{1, 2, 30, 40};
    canvas.DrawText("x", rect, DT_LEFT);
    ASSERT_EQ(canvas.CallsNamed("Clip").size(), 2u);
    EXPECT_EQ(canvas.CallsNamed("Clip")[0].Args, (std::vector<int>{1, 2, 30, 40}));
    EXPECT_TRUE(canvas.CallsNamed("Clip")[1].Args.empty()) << "the clip is restored";
    EXPECT_FALSE(canvas.ClipRect().has_value());
    canvas.ClearCalls();
    canvas.DrawText("x", rect, DT_NOCLIP);
    EXPECT_TRUE(canvas.CallsNamed("Clip").empty());
}

TEST(DrawText, PrefixesUnderlineUnlessSwitchedOff) {
    TRecordingCanvas canvas;
    TRect rect{0, 0, 100, 20};
    canvas.DrawText("&File && more", rect, DT_NOCLIP);
    ASSERT_EQ(canvas.CallsNamed("Text").size(), 1u);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "File & more");
    ASSERT_EQ(canvas.CallsNamed("FillSolidRect").size(), 1u);
    EXPECT_EQ(canvas.CallsNamed("FillSolidRect")[0].Args, (std::vector<int>{0, 11, 6, 12}));
    canvas.ClearCalls();
    canvas.DrawText("&File", rect, DT_NOCLIP | DT_NOPREFIX);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "&File");
    EXPECT_TRUE(canvas.CallsNamed("FillSolidRect").empty());
}

TEST(DrawText, EllipsesShortenLinesToFit) {
    TRecordingCanvas canvas;
    TRect rect{0, 0, 60, 20};  // room for ten characters
    canvas.DrawText("abcdefghijklmnop", rect, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "abcdefg...");
    canvas.ClearCalls();
    canvas.DrawText("/usr/share/data/file", rect, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "/us...file");
    canvas.ClearCalls();
    canvas.DrawText("one two three", rect, DT_SINGLELINE | DT_WORD_ELLIPSIS);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "one two...");
}

TEST(DrawText, ExpandsTabsToEightColumns) {
    TRecordingCanvas canvas;
    TRect rect{0, 0, 200, 20};
    canvas.DrawText("ab\tc", rect, DT_EXPANDTABS | DT_NOCLIP);
    EXPECT_EQ(canvas.CallsNamed("Text")[0].Text, "ab      c");
}

TEST(RecordingCanvas, TextExtentScalesWithTheFont) {
    TRecordingCanvas canvas;
    EXPECT_EQ(canvas.TextExtent("0"), (TSize{6, 13}));
    canvas.Font().SetHeight(-20);
    EXPECT_EQ(canvas.TextExtent("00"), (TSize{22, 24}));
}

}  // namespace
