#pragma once
// A data panel with every control the console drives, a console wired to it,
// and recorders in place of the serial port, message boxes, the save dialog
// and the printer.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "PortSettingsTestSupport.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/KelvaneOptions.h"
#include "console/PrintTarget.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"

class TScriptedAsker : public TQuestionAsker {
  public:
    bool AskYesNo(const QString&, const QString& text) override {
        questions.push_back(text);
        return answer;
    }
    bool answer = true;
    std::vector<QString> questions;
};

class ConsoleFixture : public testing::Test {
  protected:
    explicit ConsoleFixture(std::int64_t textBoxBytes = TTextBound::kDefaultBytes) {
        auto* layout = new QVBoxLayout(&window);
        panel.window = &window;
        panel.sButton4 = Add<QPushButton>(layout, "sButton4");
        panel.sButton5 = Add<QPushButton>(layout, "sButton5");
        panel.sButton6 = Add<QPushButton>(layout, "sButton6");
        panel.sCheckBox2 = Add<QCheckBox>(layout, "sCheckBox2");
        panel.sButton7 = Add<QPushButton>(layout, "sButton7");
        panel.sButton8 = Add<QPushButton>(layout, "sButton8");
        panel.sButton9 = Add<QPushButton>(layout, "sButton9");
        panel.sButton9->setText(QStringLiteral("定时发送"));
        panel.sCheckBox3 = Add<QCheckBox>(layout, "sCheckBox3");
        panel.sCheckBox1 = Add<QCheckBox>(layout, "sCheckBox1");
        panel.sEdit1 = Add<QLineEdit>(layout, "sEdit1");
        panel.sBitBtn9 = Add<QPushButton>(layout, "sBitBtn9");
        panel.sBitBtn8 = Add<QPushButton>(layout, "sBitBtn8");
        panel.sBitBtn5 = Add<QPushButton>(layout, "sBitBtn5");
        panel.sBitBtn6 = Add<QPushButton>(layout, "sBitBtn6");
        panel.Timer2 = new QTimer(&window);
        panel.Timer2->setInterval(1000);

        historyPath = dir.filePath(QStringLiteral("txt.txt")).toStdString();
        TConsoleServices services;
        services.reporter = &reporter;
        services.options = &options;
        services.asker = &asker;
        services.historyPath = historyPath;
        services.textBoxBytes = textBoxBytes;
        services.sendBlock = [this](const char* data, std::uint16_t length) {
            if (port) {
                return port(data, length);
            }
            if (!portOpen) {
                return false;
            }
            sentBlocks.emplace_back(data, length);
            return true;
        };
        services.askSaveFileName = [this] { return saveFileName; };
        // A "printer" that prints into pdfPath; none at all without a path.
        services.choosePrintTarget = [this]() -> TPrintChoice {
            if (pdfPath.isEmpty()) {
                return {nullptr, printCancelled};
            }
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath);
            return {TPrintTarget::ForPrinter(std::move(printer)), false};
        };
        console = std::make_unique<TConsole>(panel, std::move(services));
        layout->addWidget(console->MainReceiveView());
        layout->addWidget(console->SendBox());
        window.resize(640, 480);
    }

    template <typename Widget>
    Widget* Add(QVBoxLayout* layout, const char* name) {
        auto* widget = new Widget(&window);
        widget->setObjectName(QLatin1String(name));
        layout->addWidget(widget);
        return widget;
    }

    void Receive(const std::string& block, TBlockEnd end = TBlockEnd::Pause,
                 const TArrivalMarks& arrival = {}) {
        console->Receiver().Receive(block, end, arrival);
    }
    // Waits for the print job that "打印" started to end.
    bool PrintEnded() {
        return QTest::qWaitFor([&] { return !console->Receiver().Printing(); }, 60000);
    }

    TSendBox* SendBox() { return console->SendBox(); }
    QStringList MainRows() { return console->MainReceiveView()->Rows(); }
    QStringList FloatingRows() { return Floating().sMemo1->Rows(); }
    const TForm7::TControls& Floating() { return console->FloatingWindow().Controls(); }

    std::string SentBytes() const {
        std::string all;
        for (const std::string& block : sentBlocks) {
            all += block;
        }
        return all;
    }

    QTemporaryDir dir;
    TKelvaneOptions options{dir.filePath(QStringLiteral("setfile.ini")).toStdString()};
    QWidget window;
    TConsolePanel panel;
    TMessageLog reporter;
    TScriptedAsker asker;
    std::string historyPath;
    bool portOpen = true;
    TSender::TSendBlock port;  // when set, sends go here instead of being recorded
    std::vector<std::string> sentBlocks;
    QString saveFileName;
    QString pdfPath;
    bool printCancelled = false;
    std::unique_ptr<TConsole> console;
};
