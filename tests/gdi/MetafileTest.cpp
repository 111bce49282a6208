// The vector metafile is SVG recorded through the ordinary canvas: it must
// parse as SVG with the picture's size and description, keep text as text,
// and play back scaled into another canvas.

#include <gtest/gtest.h>

#include <QPrinter>
#include <QXmlStreamReader>

#include "GdiTestSupport.h"
#include "gdi/Metafile.h"

namespace {

TMetafile RecordSample() {
    TMetafile metafile(200, 100, "Zorvin");
    TMetafileCanvas canvas(metafile);
    EXPECT_TRUE(canvas.IsMetafile());
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({0, 0, 100, 100});
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect({100, 0, 200, 100});
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clWhite);
    canvas.TextOut(10, 10, "Volts 数据");
    return metafile;
}

TEST(Metafile, RecordsParsableSvgOfThePictureSize) {
    const TMetafile metafile = RecordSample();
    ASSERT_FALSE(metafile.IsEmpty());
    QXmlStreamReader xml(metafile.Data());
    QString viewBox, description, text;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value("viewBox").toString();
        if (xml.name() == QLatin1String("desc"))
            description = xml.readElementText();
        if (xml.name() == QLatin1String("text"))
            text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, "0 0 200 100");
    EXPECT_EQ(description, "Zorvin");
    EXPECT_TRUE(text.contains(QString::fromUtf8("Volts 数据"))) << text.toStdString();
}

TEST(Metafile, PlaysBackScaledIntoAnotherCanvas) {
    const TMetafile metafile = RecordSample();
    QImage page = BlankImage(420, 220);
    {
        TPainterCanvas canvas(page);
        canvas.PlayMetafile({10, 10, 410, 210}, metafile);  // twice the size
    }
    EXPECT_EQ(PixelAt(page, 5, 5), clWhite);
    EXPECT_EQ(PixelAt(page, 150, 150), clRed);
    EXPECT_EQ(PixelAt(page, 250, 150), clBlue);
    EXPECT_EQ(PixelAt(page, 405, 205), clBlue);
    EXPECT_EQ(PixelAt(page, 412, 212), clWhite);
}

TEST(Metafile, SavesToFile) {
    const TMetafile metafile = RecordSample();
    const std::string path = TempPath("picture.svg");
    metafile.SaveToFile(path);
    const TCommandResult info = RunCommand("identify -format '%wx%h' '" + path + "'");
    EXPECT_EQ(info.Output, "200x100") << info.Output;
    EXPECT_THROW(metafile.SaveToFile("/nonexistent-folder/x.svg"), std::runtime_error);
}

TEST(Metafile, PrintsScaledOntoAPdfPage) {
    const TMetafile metafile = RecordSample();
    const std::string path = TempPath("page.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        TPainterCanvas page(printer);
        EXPECT_EQ(page.PixelsPerInchX(), printer.resolution());
        const int inch = page.PixelsPerInchX();
        page.PlayMetafile({inch, inch, inch + 4 * inch, inch + 2 * inch}, metafile);
    }
    const TCommandResult info = RunCommand("pdfinfo '" + path + "'");
    EXPECT_NE(info.Output.find("Pages:           1"), std::string::npos) << info.Output;
    // Rendered back at 30 dots per inch the picture spans (30, 30) to (150, 90).
    const std::string raster = TempPath("page");
    ASSERT_TRUE(RunCommand("pdftoppm -r 30 -png -singlefile '" + path + "' '" + raster + "'").Ok);
    const QImage printed(QString::fromStdString(raster + ".png"));
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(PixelAt(printed, 20, 20), clWhite);
    EXPECT_EQ(PixelAt(printed, 80, 80), clRed);
    EXPECT_EQ(PixelAt(printed, 140, 80), clBlue);
    EXPECT_EQ(PixelAt(printed, 160, 60), clWhite);
}

}  // namespace
