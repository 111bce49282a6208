// The plot's pictures leaving the program: the clipboard in each format, image
// files through the save dialog, printed pages checked through their PDF, the
// print preview and the page arithmetic.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "PlotUiTestSupport.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotPrintPage.h"
#include "plot/iPlotToolBar.h"

namespace {

// Runs `act` on the first modal window that opens, once the current call
// has shown it.
void WhenModalOpens(std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(*modal);
        }
    });
    poll->start(10);
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PlotOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_.Plot().Channel(0)->AddXY(0, 1);
        ui_.Plot().Channel(0)->AddXY(1, 3);
        ui_.Paint();
    }
    TiPlot& Plot() { return ui_.Plot(); }
    QString Path(const char* name) const { return dir_.filePath(name); }

    // The picture as the user sees it minus toolbars and selection marks.
    QImage BareRendering() {
        Plot().ToolBar(0)->SetVisible(false);
        Plot().Master().ClearFocus();
        QImage image = Plot().RenderImage();
        Plot().ToolBar(0)->SetVisible(true);
        return image;
    }

    UiTestPlot ui_{500, 200};
    QTemporaryDir dir_;
};

TEST_F(PlotOutputTest, ClipboardBitmapHasNoToolbarOrSelectionMarks) {
    Plot().XAxis(0)->SetFocused(true);
    Plot().SetCopyToClipBoardFormat(ipefBitmap);
    Plot().CopyToClipboard();

    const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(Plot().ToolBar(0)->Visible());
    ASSERT_EQ(copied.size(), QSize(500, 200));
    EXPECT_EQ(copied, BareRendering().convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(copied, Plot().RenderImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(PlotOutputTest, ClipboardMetafileAndJpegCarryThePicture) {
    Plot().XAxis(0)->SetFocused(true);
    Plot().SetCopyToClipBoardFormat(ipefMetaFile);
    Plot().CopyToClipboard();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    const QByteArray svg = copied->data("image/svg+xml");
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("Zorvin"));
    EXPECT_TRUE(svg.contains("Strip Chart"));
    EXPECT_TRUE(svg.contains("Untitled"));  // the title label, drawn as text
    // The same copy holds the bitmap for programs that paste pictures only.
    ASSERT_TRUE(copied->hasImage());
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              BareRendering().convertToFormat(QImage::Format_RGB32));

    Plot().SetCopyToClipBoardFormat(ipefJPEG);
    Plot().CopyToClipboard();
    const QByteArray jpeg = QApplication::clipboard()->mimeData()->data("image/jpeg");
    const QImage decoded = QImage::fromData(jpeg, "JPG");
    EXPECT_EQ(decoded.size(), QSize(500, 200));
}

TEST_F(PlotOutputTest, ToolbarCopyButtonFillsTheClipboard) {
    QApplication::clipboard()->clear();
    Plot().SetCopyToClipBoardFormat(ipefBitmap);
    ui_.ClickButton(iptbbtCopy);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(500, 200));
}

TEST_F(PlotOutputTest, SaveImagePicksTheEncoderByTheFileEnding) {
    struct Case {
        const char* typed;
        const char* filter;
        const char* saved;
        QByteArray start;
    };
    const Case cases[] = {{"a.png", "PNG (*.png)", "a.png", "\x89PNG"},
                          {"b.jpg", "JPEG File (*.jpg)", "b.jpg", "\xFF\xD8"},
                          {"c.bmp", "Bitmap (*.bmp)", "c.bmp", "BM"},
                          {"d.svg", "SVG (*.svg)", "d.svg", "<?xml"},
                          // a name typed without an ending of a picture type
                          // gets the chosen type's
                          {"e", "PNG (*.png)", "e.png", "\x89PNG"},
                          {"f.emf", "SVG (*.svg)", "f.emf.svg", "<?xml"}};
    for (const Case& c : cases) {
        WhenModalOpens([&](QWidget& modal) {
            auto& dialog = dynamic_cast<QFileDialog&>(modal);
            EXPECT_EQ(dialog.nameFilters(), (QStringList{"Bitmap (*.bmp)", "SVG (*.svg)",
                                                         "JPEG File (*.jpg)", "PNG (*.png)"}));
            dialog.selectNameFilter(c.filter);
            emit dialog.filterSelected(c.filter);
            // Typed, as a user would: selectFile may apply late on a dialog
            // that is still reading its folder.
            dialog.findChild<QLineEdit*>("fileNameEdit")->setText(Path(c.typed));
            QMetaObject::invokeMethod(&dialog, "accept");
        });
        Plot().SaveImage();
        QFile file(Path(c.saved));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.saved;
        EXPECT_TRUE(file.readAll().startsWith(c.start)) << c.saved;
    }
}

TEST_F(PlotOutputTest, CancelledSaveWritesNothing) {
    WhenModalOpens([](QWidget& modal) { dynamic_cast<QDialog&>(modal).reject(); });
    Plot().SaveImage();
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST_F(PlotOutputTest, PlacementOnALetterPageAtSixHundredDpi) {
    const TiPrintPage portrait{8.5, 11, 600, 600, 25, 30};
    const TiPrintPlacement placed = PlacePlotOnPage(portrait, {1, 1, 1, 1}, 500, 200);
    EXPECT_DOUBLE_EQ(placed.Scale, 7.8);
    EXPECT_EQ(placed.Target.Left, 575);
    EXPECT_EQ(placed.Target.Top, 570);
    EXPECT_EQ(placed.Target.Width(), 3900);
    EXPECT_EQ(placed.Target.Height(), 1560);

    // Landscape: 6600 - 1200 dots across for 500 pixels, 5100 - 1200 down for 200.
    const TiPrintPage landscape{11, 8.5, 600, 600, 0, 0};
    EXPECT_DOUBLE_EQ(PlacePlotOnPage(landscape, {1, 1, 1, 1}, 500, 200).Scale, 10.8);
    // Margins that leave nothing give no scale rather than a mirrored picture.
    EXPECT_LE(PlacePlotOnPage(portrait, {5, 1, 5, 1}, 500, 200).Scale, 0);
}

TEST_F(PlotOutputTest, PrintedPdfHoldsThePlotInsideTheMargins) {
    const QString pdf = Path("page.pdf");
    Plot().Printer().setOutputFileName(pdf);
    Plot().Printer().setPageSize(QPageSize(QPageSize::Letter));
    Plot().SetPrintShowDialog(false);
    Plot().SetPrintOrientation(poPortrait);
    Plot().SetPrintDocumentName("Chart job");
    std::vector<std::string> events;
    Plot().OnBeforePrint = [&] { events.push_back("before"); };
    Plot().OnAfterPrint = [&] { events.push_back("after"); };
    Plot().Print();

    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_TRUE(Plot().ToolBar(0)->Visible());
    const QString info = RunTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792")) << info.toStdString();  // letter, portrait
    EXPECT_TRUE(info.contains("Chart job")) << info.toStdString();
    EXPECT_TRUE(RunTool("pdftotext", {pdf, "-"}).contains("Untitled"));

    // At 72 dpi the inked area starts one inch in and spans the page's width
    // less both margins: 6.5 inches across, 2.6 inches down (7.8 : 3.12 at 600 dpi).
    RunTool("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, Path("page")});
    const QImage page(Path("page.png"));
    ASSERT_EQ(page.size(), QSize(612, 792));
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 250)
                inked |= QRect(x, y, 1, 1);
    EXPECT_NEAR(inked.left(), 72, 2);
    EXPECT_NEAR(inked.top(), 72, 2);
    EXPECT_NEAR(inked.width(), 468, 3);
    EXPECT_NEAR(inked.height(), 187, 3);
}

TEST_F(PlotOutputTest, CancelledPrintDialogPrintsNothing) {
    const QString pdf = Path("never.pdf");
    Plot().Printer().setOutputFileName(pdf);
    bool printed = false;
    Plot().OnBeforePrint = [&] { printed = true; };
    QString opened;
    WhenModalOpens([&](QWidget& modal) {
        opened = modal.objectName();
        dynamic_cast<QDialog&>(modal).reject();
    });
    Plot().Print();
    EXPECT_EQ(opened, "PrintDialog");
    EXPECT_FALSE(printed);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PlotOutputTest, PrinterDialogPrintsToPdfWhereNoPrinterIsInstalled) {
    const QString pdf = Path("chosen.pdf");
    QStringList destinations;
    WhenModalOpens([&](QWidget& modal) {
        auto* printers = modal.findChild<QComboBox*>("printers");
        for (int i = 0; printers && i < printers->count(); ++i)
            destinations << printers->itemText(i);
        if (printers)
            printers->setCurrentIndex(printers->count() - 1);  // the PDF entry comes last
        if (auto* file = modal.findChild<QLineEdit*>("filename"))
            file->setText(pdf);
        QMetaObject::invokeMethod(&modal, "accept");
    });
    Plot().Print();
    EXPECT_TRUE(destinations.join(",").contains("PDF")) << destinations.join(",").toStdString();
    EXPECT_TRUE(RunTool("pdftotext", {pdf, "-"}).contains("Untitled"));
}

TEST_F(PlotOutputTest, PrintingFailureIsReportedAsSuch) {
    Plot().Printer().setOutputFileName("/nonexistent-folder/x.pdf");
    Plot().SetPrintShowDialog(false);
    try {
        Plot().Print();
        ADD_FAILURE() << "printing into a missing folder reported success";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Error Printing : ", 0), 0u);
    }
    EXPECT_FALSE(Plot().Updating());
    EXPECT_TRUE(Plot().ToolBar(0)->Visible());
}

TEST_F(PlotOutputTest, PreviewOpensModallyWithThePlotsPage) {
    Plot().SetPrintDocumentName("Preview job");
    QString opened;
    WhenModalOpens([&](QWidget& modal) {
        opened = modal.objectName();
        modal.close();
    });
    Plot().PrintPreview();
    EXPECT_EQ(opened, "PrintPreview");
    EXPECT_TRUE(Plot().ToolBar(0)->Visible());
}

TEST_F(PlotOutputTest, SnapshotIsAMetafileOfThePlot) {
    const TMetafile& snapshot = Plot().SnapshotPicture();
    EXPECT_EQ(snapshot.Width(), 500);
    EXPECT_EQ(snapshot.Height(), 200);
    EXPECT_TRUE(snapshot.Data().contains("iPlot"));
    EXPECT_TRUE(snapshot.Data().contains("Untitled"));
}

}  // namespace
