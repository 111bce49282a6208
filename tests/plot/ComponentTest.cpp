// The component base as a widget: repaint scheduling, the off-screen paint
// and its error picture, input translation, the timer, image exports checked
// by outside tools, and property files good and bad.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

#include "gdi/GdiTestSupport.h"
#include "plot/iCustomComponent.h"
#include "plot/iPropertyText.h"

namespace {

using namespace std::chrono_literals;
using TClock = TiRepaintThrottle::Clock;

class TTestComponent : public TiCustomComponent {
  public:
    TTestComponent() { resize(200, 100); }

    static const TiPublishedTable& PublishedTable() {
        static const TiPublishedTable table =
            TiPublishedTableBuilder<TTestComponent>("TTestComponent",
                                                    &TiCustomComponent::PublishedTable())
                .Color("BackGroundColor", &TTestComponent::BackGroundColor,
                       &TTestComponent::SetBackGroundColor)
                .Enumeration("BorderStyle", &TTestComponent::BorderStyle,
                             &TTestComponent::SetBorderStyle,
                             {"ibsNone", "ibsRaised", "ibsLowered"})
                .Integer("Level", &TTestComponent::Level, &TTestComponent::SetLevel)
                .Float("Ratio", &TTestComponent::Ratio, &TTestComponent::SetRatio)
                .Object("Font", &TTestComponent::Font)
                .Build();
        return table;
    }
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    int Level() const { return level_; }
    void SetLevel(int value) { SetProperty(level_, value, icaInvalidateChange); }
    double Ratio() const { return ratio_; }
    void SetRatio(double value) { SetProperty(ratio_, value, icaInvalidateChange); }
    TiFont& Font() { return font_; }

    TClock::time_point FakeNow = TClock::now() + 1h;
    int Invalidations = 0;
    int Paints = 0;
    int Ticks = 0;
    std::string FailWith;
    std::vector<std::string> Log;

  protected:
    TClock::time_point Now() const override { return FakeNow; }
    void InvalidateWindow() override {
        ++Invalidations;
        TiCustomComponent::InvalidateWindow();
    }
    void DoPaint(TCanvas& canvas) override {
        ++Paints;
        if (!FailWith.empty()) {
            canvas.SetClipRect({0, 0, 5, 5});  // left behind by the failed paint
            throw std::runtime_error(FailWith);
        }
        PaintBackground(canvas, BackGroundColor());
        canvas.Brush().SetColor(clRed);
        canvas.FillRect({10, 10, 30, 30});
    }
    void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        Log.push_back("down " + std::to_string(button) + " " + std::to_string(shift) + " " +
                      std::to_string(x) + "," + std::to_string(y));
    }
    void DoMouseUp(TMouseButton button, TShiftState, int x, int y) override {
        Log.push_back("up " + std::to_string(button) + " " + std::to_string(x) + "," +
                      std::to_string(y));
    }
    void DoKeyDown(int key, TShiftState shift) override {
        Log.push_back("key " + std::to_string(key) + " " + std::to_string(shift));
        if (key == VK_ESCAPE)
            throw std::runtime_error("escape fails");
    }
    void DoKeyPress(char16_t& key) override { Log.push_back("char " + std::to_string(key)); }
    void DoDblClick() override { Log.push_back("double"); }
    void DoTimer() override { ++Ticks; }

  private:
    int level_ = 0;
    double ratio_ = 0.5;
    TiFont font_;
};

TEST(Component, BeginUpdateHoldsRepaintsUntilOneEndUpdate) {
    TTestComponent c;
    c.InvalidateChange();
    EXPECT_EQ(c.Invalidations, 1) << "without AutoFrameRate every change repaints";
    c.BeginUpdate();
    c.BeginUpdate();
    c.SetLevel(3);
    c.InvalidateBackground();
    EXPECT_EQ(c.Invalidations, 1);
    c.EndUpdate();
    EXPECT_EQ(c.Invalidations, 2);
    EXPECT_FALSE(c.Updating());
    c.EndUpdate();
    EXPECT_EQ(c.Invalidations, 2) << "nothing pending, nothing repainted";
}

// Shows the component and lets its first paint happen.
void ShowPainted(TTestComponent& c) {
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Paints > 0; }, 2000));
}

// Runs the event loop until the window paints once more.
bool NextPaint(TTestComponent& c) {
    const int paints = c.Paints;
    return QTest::qWaitFor([&] { return c.Paints > paints; }, 2000);
}

TEST(Component, ChangesBeforeTheRequestedPaintAskTheWindowOnce) {
    TTestComponent c;
    ShowPainted(c);
    const int before = c.Invalidations;
    for (int i = 1; i <= 1000; ++i)
        c.SetLevel(i);
    EXPECT_EQ(c.Invalidations, before + 1) << "the one paint shows them all";
    ASSERT_TRUE(NextPaint(c));
    c.SetLevel(0);
    EXPECT_EQ(c.Invalidations, before + 2) << "a change after that paint asks again";
    ASSERT_TRUE(NextPaint(c));
}

TEST(Component, LastChangeOfABurstIsPaintedWithinAFrame) {
    TTestComponent c;
    ShowPainted(c);
    c.FakeNow += 1s;  // the frame of the show is over
    c.SetAutoFrameRate(true);  // asks for a repaint of its own
    ASSERT_TRUE(NextPaint(c));
    const int before = c.Invalidations;
    c.FakeNow += 1s;
    c.InvalidateChange();
    EXPECT_EQ(c.Invalidations, before + 1);
    ASSERT_TRUE(NextPaint(c));
    c.FakeNow += 5ms;
    c.InvalidateChange();
    c.InvalidateChange();
    EXPECT_EQ(c.Invalidations, before + 1) << "5 ms later is inside the frame";
    EXPECT_TRUE(c.ChangePending());
    c.FakeNow += 40ms;  // the frame is over by the time the deferred paint runs
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.Invalidations == before + 2; }, 2000));
    EXPECT_FALSE(c.ChangePending());
}

TEST(Component, ChangeAfterTheFrameDoesNotWaitForTheDeferredPaint) {
    TTestComponent c;
    ShowPainted(c);
    c.FakeNow += 1s;
    c.SetAutoFrameRate(true);
    ASSERT_TRUE(NextPaint(c));
    const int before = c.Invalidations;
    c.FakeNow += 5ms;
    c.InvalidateChange();
    EXPECT_EQ(c.Invalidations, before) << "inside the frame: deferred";
    c.FakeNow += 15ms;
    c.InvalidateChange();
    EXPECT_EQ(c.Invalidations, before + 1) << "past the frame: painted at once";
    ASSERT_TRUE(NextPaint(c));
    EXPECT_FALSE(c.ChangePending());
    QTest::qWait(60);
    EXPECT_EQ(c.Invalidations, before + 1) << "the deferred paint was dropped";
}

TEST(Component, AutoFrameRateOffEndsAnUpdate) {
    TTestComponent c;
    c.SetAutoFrameRate(true);
    c.BeginUpdate();
    c.SetAutoFrameRate(false);
    EXPECT_FALSE(c.Updating());
}

TEST(Component, PaintsOffscreenWithBackgroundAndBorder) {
    TTestComponent c;
    c.SetBackGroundColor(clBlack);
    c.SetBorderStyle(ibsLowered);
    const QImage picture = c.grab().toImage();
    EXPECT_EQ(PixelAt(picture, 20, 20), clRed);
    EXPECT_EQ(PixelAt(picture, 100, 50), clBlack);
    EXPECT_EQ(PixelAt(picture, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(picture, 199, 99), ColorToRGB(clBtnHighlight));
    EXPECT_FALSE(c.BackgroundDirty());
}

TEST(Component, ErrorWhileDrawingShowsItsMessageWhiteOnBlack) {
    TTestComponent c;
    c.FailWith = "Index out of Bounds";
    const QImage picture = c.grab().toImage();
    int bright = 0, black = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            bright += pixel.lightness() > 160;
            black += FromQColor(pixel) == clBlack;
        }
    EXPECT_GT(bright, 20) << "the message is written";
    EXPECT_GT(black, 200 * 100 / 2) << "on black";
    EXPECT_EQ(PixelAt(picture, 199, 99), clBlack);
}

TEST(Component, MouseAndKeysArriveTranslated) {
    TTestComponent c;
    c.show();
    int clicks = 0;
    c.OnClick = [&] { ++clicks; };
    QTest::mouseClick(&c, Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 25));
    ASSERT_GE(c.Log.size(), 2u);
    EXPECT_EQ(c.Log[0], "down 0 " + std::to_string(ssShift | ssLeft) + " 15,25");
    EXPECT_EQ(c.Log[1], "up 0 15,25");
    EXPECT_EQ(clicks, 1);

    c.Log.clear();
    QTest::keyClick(&c, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(&c, Qt::Key_Escape);  // its hook throws; the program goes on
    QTest::keyClick(&c, Qt::Key_A);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"key 17 4", "key 37 4", "key 27 0",
                                               "char 27", "key 65 0", "char 97"}));

    c.Log.clear();
    QTest::mouseDClick(&c, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_NE(std::find(c.Log.begin(), c.Log.end(), "double"), c.Log.end());
    EXPECT_FALSE(c.InInput());
}

TEST(Component, LosingFocusEndsADragButAPopupDoesNot) {
    TTestComponent c;
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(&c, &in);
    EXPECT_TRUE(c.Focused());
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&c, &popup);
    EXPECT_TRUE(c.Focused());
    EXPECT_TRUE(c.Log.empty());
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&c, &out);
    EXPECT_FALSE(c.Focused());
    EXPECT_EQ(c.Log, (std::vector<std::string>{"up 0 0,0"}));
}

TEST(Component, TimerTicksFirstThenRepeats) {
    TTestComponent c;
    c.StartTimer(15, 40);
    EXPECT_TRUE(c.TimerActive());
    EXPECT_EQ(c.TimerIntervalMs(), 15) << "the first tick comes after the first delay";
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Ticks >= 1; }, 3000));
    EXPECT_EQ(c.TimerIntervalMs(), 40) << "then it repeats at the repeat interval";
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Ticks >= 3; }, 3000));
    EXPECT_EQ(c.TimerIntervalMs(), 40);
    c.StartTimer(99, 99);
    EXPECT_EQ(c.TimerIntervalMs(), 40) << "a running timer is not restarted";
    c.StopTimer();
    c.StartTimer(0, 30);
    EXPECT_EQ(c.TimerIntervalMs(), 30) << "no first delay: ticks at the repeat interval";
    c.StopTimer();
    EXPECT_FALSE(c.TimerActive());
    c.StartTimer(0, 0);
    EXPECT_FALSE(c.TimerActive()) << "no first and no repeat: nothing to run";
}

TEST(ComponentExport, PngIsValidAndSized) {
    TTestComponent c;
    const std::string path = TempPath("export.png");
    c.SaveImageToPNG(path, 6);
    const TCommandResult check = RunCommand("pngcheck '" + path + "'");
    EXPECT_TRUE(check.Ok) << check.Output;
    EXPECT_NE(check.Output.find("(200x100, 24-bit RGB"), std::string::npos) << check.Output;
    QImage back(QString::fromStdString(path));
    EXPECT_EQ(PixelAt(back, 20, 20), clRed);
}

TEST(ComponentExport, RangeErrorsComeBeforeAnyDrawingOrFile) {
    TTestComponent c;
    const std::string path = TempPath("refused.png");
    try {
        c.SaveImageToPNG(path, 10);
        FAIL();
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Compression must be in the range of 0-9");
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_EQ(c.Paints, 0);
    try {
        c.SaveImageToJPEG(TempPath("refused.jpg"), 0, false);
        FAIL();
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Compression must be in the range of 1-100");
    }
    EXPECT_THROW(c.GetJPEGImage(101, false), std::exception);
}

TEST(ComponentExport, JpegBitmapAndMetafileFiles) {
    TTestComponent c;
    const std::string jpeg = TempPath("export.jpg");
    c.SaveImageToJPEG(jpeg, 100, true);
    EXPECT_EQ(RunCommand("identify -format '%m %wx%h %[interlace]' '" + jpeg + "'").Output,
              "JPEG 200x100 JPEG");
    const TBytes inMemory = c.GetJPEGImage(50, false);
    ASSERT_GT(inMemory.size(), 2u);
    EXPECT_EQ(inMemory[0], 0xFF);
    EXPECT_EQ(inMemory[1], 0xD8);

    const std::string bmp = TempPath("export.bmp");
    c.SaveImageToBitmap(bmp);
    EXPECT_EQ(RunCommand("identify -format '%m %wx%h' '" + bmp + "'").Output, "BMP3 200x100");

    const std::string svg = TempPath("export.svg");
    c.SaveImageToMetafile(svg);
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString description, width;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            width = xml.attributes().value("width").toString();
        if (xml.name() == QLatin1String("desc"))
            description = xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(description, "Zorvin");
    EXPECT_TRUE(width.startsWith("200") || width.startsWith("52.9")) << width.toStdString();
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = TempPath(name);
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
    return path;
}

TEST(ComponentProperties, SaveAndLoadRoundTrip) {
    TTestComponent source;
    source.SetLevel(9);
    source.SetRatio(2.5);
    source.SetBackGroundColor(clAqua);
    source.Font().SetName("Arial");
    const std::string path = TempPath("props.txt");
    source.SaveProperties(path);
    TiStringList lines = ReadTextLines(path);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "File Type = TTestComponent");
    for (const std::string& line : lines)
        EXPECT_EQ(line.rfind("Width", 0), std::string::npos);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Level = 9"), lines.end());

    TTestComponent target;
    target.LoadProperties(path);
    EXPECT_EQ(target.Level(), 9);
    EXPECT_EQ(target.Ratio(), 2.5);
    EXPECT_EQ(target.BackGroundColor(), clAqua);
    EXPECT_EQ(target.Font().Name(), "Arial");
    EXPECT_FALSE(target.Updating());

    source.SetOptionSaveAllProperties(true);
    source.SaveProperties(path);
    lines = ReadTextLines(path);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Width = 200"), lines.end());
}

TEST(ComponentProperties, BadFilesFailClearlyAndLeaveTheComponentWorking) {
    TTestComponent c;
    c.SetLevel(4);
    c.LoadProperties(WriteFile("empty.txt", ""));
    c.LoadProperties(WriteFile("no-type.txt", "Bogus = 1\r\nLevel\r\n= 5\r\n"));
    EXPECT_EQ(c.Level(), 4) << "nothing it knows, nothing changed";

    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(char((i * 37) % 256));
    c.LoadProperties(WriteFile("binary.bin", binary));

    try {
        c.LoadProperties(WriteFile("bad.txt", "File Type = TTestComponent\nLevel = abc\n"));
        FAIL();
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Error Loading Properties - 'abc' is not a valid integer value");
    }
    EXPECT_FALSE(c.Updating()) << "a failed load must not leave repaints suspended";
    ShowPainted(c);
    c.SetLevel(6);
    EXPECT_TRUE(NextPaint(c)) << "a change is painted again";

    try {
        c.LoadProperties(TempPath("missing.txt"));
        FAIL();
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Error Loading Properties - ", 0), 0u);
    }
    try {
        c.SaveProperties("/nonexistent-folder/props.txt");
        FAIL();
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Error Saving Properties - ", 0), 0u);
    }
}

}  // namespace
