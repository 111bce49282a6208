#include <gtest/gtest.h>

#include <QColor>
#include <set>
#include <string>

#include "plot/iPlotToolBarIcons.h"

namespace {

const char* const PictureNames[] = {"AUTO",   "PAUSE",  "SCROLL",    "ZOOM",   "ZOOMOUT",
                                    "ZOOMIN", "SELECT", "SCROLLBOX", "CURSOR", "PROPERTIES",
                                    "COPY",   "SAVE",   "PRINTER",   "PREVIEW"};

struct Coverage {
    int opaque = 0;
    int partial = 0;
};

Coverage Measure(const QImage& image) {
    Coverage c;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(image.pixel(x, y));
            c.opaque += a == 255;
            c.partial += a > 0 && a < 255;
        }
    }
    return c;
}

}  // namespace

class ToolBarIcons : public ::testing::TestWithParam<qreal> {};

TEST_P(ToolBarIcons, EveryMotifRendersSharplyAtBothSizes) {
    const qreal ratio = GetParam();
    for (const std::string base : PictureNames) {
        for (const std::string& name : {base, "SMALL" + base}) {
            SCOPED_TRACE(name + " at " + std::to_string(ratio));
            const QImage image = RenderToolBarPicture(name, ratio);
            ASSERT_FALSE(image.isNull());
            const int logical = name.starts_with("SMALL") ? 16 : 24;
            EXPECT_EQ(image.width(), qRound(logical * ratio));
            EXPECT_EQ(image.deviceIndependentSize().toSize(), QSize(logical, logical));
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the background is transparent";
            EXPECT_GT(Measure(image).opaque, image.width() * image.height() / 40)
                << "the motif is visible";
        }
    }
}

TEST_P(ToolBarIcons, StraightEdgesLandOnWholePixels) {
    // Pictures made only of horizontal and vertical strokes must come out
    // without a single blurred pixel at every size.
    for (const std::string base : {"PAUSE", "SAVE", "COPY", "SCROLLBOX"}) {
        for (const std::string& name : {base, "SMALL" + base}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(Measure(RenderToolBarPicture(name, GetParam())).partial, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, ToolBarIcons, ::testing::Values(1.0, 1.25, 2.0));

TEST(ToolBarPictures, MotifsAreDistinct) {
    std::set<QByteArray> seen;
    for (const char* name : PictureNames) {
        const QImage image = RenderToolBarPicture(name, 1.0);
        seen.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                               static_cast<int>(image.sizeInBytes())));
    }
    EXPECT_EQ(seen.size(), std::size(PictureNames));
}

TEST(ToolBarPictures, UnknownNamesGiveNoPicture) {
    EXPECT_TRUE(RenderToolBarPicture("SMALL", 1.0).isNull());
    EXPECT_TRUE(RenderToolBarPicture("pause", 1.0).isNull());
    EXPECT_TRUE(RenderToolBarPicture("PAUSE", 0.0).isNull());
}

TEST(ToolBarPictures, GreyedPicturesHaveNoColour) {
    const QImage greyed = GreyedToolBarPicture(RenderToolBarPicture("AUTO", 2.0));
    EXPECT_EQ(greyed.devicePixelRatio(), 2.0);
    int shaped = 0;
    for (int y = 0; y < greyed.height(); ++y) {
        for (int x = 0; x < greyed.width(); ++x) {
            const QColor c = QColor::fromRgba(greyed.pixel(x, y));
            if (c.alpha() == 255) {
                ++shaped;
                EXPECT_EQ(c.hsvSaturation(), 0);
            }
        }
    }
    EXPECT_GT(shaped, 0);
}

TEST(ToolBarPictures, ImageListRendersOnceAndGreysOnDemand) {
    TiPlotToolBarImageList list;
    const int pause = list.Add("PAUSE", 1.0);
    const int zoom = list.Add("SMALLZOOMIN", 1.25);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Picture(pause, true).width(), 24);
    EXPECT_EQ(list.Picture(zoom, true).width(), 20);
    EXPECT_NE(list.Picture(pause, false), list.Picture(pause, true));
    EXPECT_TRUE(list.Picture(5, true).isNull());
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
