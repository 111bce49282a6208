// The console's side of the main window: receive view, send, timed send,
// history, interval dialog and floating window, wired to the main window's
// controls (see TMainFormControls).
#include <QGroupBox>
#include <QPlainTextEdit>

#include "app/MainForm.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/HistoryDialog.h"
#include "console/IntervalDialog.h"
#include "console/KelvaneOptions.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"

namespace {
const char kHistoryFileName[] = "txt.txt";
}

struct TConsoleWiring {
    TMessageBoxAsker asker;
    std::unique_ptr<TConsole> console;
};

void TConsoleWiringDeleter::operator()(TConsoleWiring* wiring) const {
    delete wiring;
}

void TMainForm::WireConsole() {
    auto& c = controls_;
    console_.reset(new TConsoleWiring);
    TConsoleServices services;
    services.reporter = options_.reporter.get();
    services.options = kelvaneOptions_.get();
    services.asker = &console_->asker;
    services.historyPath = options_.dataDir + kHistoryFileName;
    services.textBoxBytes = kelvaneOptions_->TextBoxBytes();
    services.sendBlock = [this](const char* data, std::uint16_t length) {
        return comm_->SendBlock(data, length);
    };
    services.sendBufferFull = [this] {
        return comm_->LastSendRefusal() == TSendRefusal::BufferFull;
    };
    const TConsolePanel panel{this,         c.sButton4,   c.sButton5, c.sButton6,
                              c.sCheckBox2, c.sButton7,   c.sButton8, c.sButton9,
                              c.sCheckBox3, c.sCheckBox1, c.sEdit1,   c.sBitBtn9,
                              c.Timer2,     c.sBitBtn8,   c.sBitBtn5, c.sBitBtn6};
    TConsole& console =
        *(console_->console = std::make_unique<TConsole>(panel, std::move(services)));
    ConnectConsoleToComm(console, *comm_);

    // The receive box keeps what arrived as bytes and draws only what is on
    // screen, so it takes the text box's place in the receive group.
    TReceiveView* receiveBox = console.MainReceiveView();
    receiveBox->setParent(c.sMemo1->parentWidget());
    receiveBox->setGeometry(c.sMemo1->geometry());
    delete c.sMemo1;
    c.sMemo1 = nullptr;
    // The send box, too, keeps its text as bytes: received blocks land in it.
    c.sMemo2 = console.SendBox();
    c.sMemo2->setParent(c.sGroupBox2);
    c.sMemo2->setGeometry(8, 18, 836, 80);

    TForm7& floating = console.FloatingWindow();
    CentreWhenShown(&floating);
    connect(this, &TMainForm::FloatingWindowRequested, &floating, [&floating] {
        floating.show();
        floating.raise();
    });
    connect(&floating, &TForm7::Closed, this, &TMainForm::EnableDataPanel);
    CentreWhenShown(&console.HistoryDialog());
    CentreWhenShown(&console.IntervalDialog());
}

TConsole& TMainForm::Console() {
    return *console_->console;
}
