#include "app/ConsoleWiring.h"

#include <QGroupBox>

#include "app/MainFormControls.h"
#include "console/KelvaneOptions.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"
#include "serial/Comm.h"

namespace {

const char kHistoryFileName[] = "txt.txt";

TConsolePanel PanelOf(QWidget& window, const TMainFormControls& c) {
    return {.window = &window,
            .sButton4 = c.sButton4,
            .sButton5 = c.sButton5,
            .sButton6 = c.sButton6,
            .sCheckBox2 = c.sCheckBox2,
            .sButton7 = c.sButton7,
            .sButton8 = c.sButton8,
            .sButton9 = c.sButton9,
            .sCheckBox3 = c.sCheckBox3,
            .sCheckBox1 = c.sCheckBox1,
            .sEdit1 = c.sEdit1,
            .sBitBtn9 = c.sBitBtn9,
            .Timer2 = c.Timer2,
            .sBitBtn8 = c.sBitBtn8,
            .sBitBtn5 = c.sBitBtn5,
            .sBitBtn6 = c.sBitBtn6};
}

}  // namespace

TConsoleWiring::TConsoleWiring(QWidget& window, TMainFormControls& controls, TComm& comm,
                               TMessageReporter& reporter, const TKelvaneOptions& options,
                               const std::string& dataDir) {
    TConsoleServices services;
    services.reporter = &reporter;
    services.options = &options;
    services.asker = &asker_;
    services.historyPath = dataDir + kHistoryFileName;
    services.textBoxBytes = options.TextBoxBytes();
    services.sendBlock = [&comm](const char* data, std::uint16_t length) {
        return comm.SendBlock(data, length);
    };
    services.sendBufferFull = [&comm] {
        return comm.LastSendRefusal() == TSendRefusal::BufferFull;
    };
    console_ = std::make_unique<TConsole>(PanelOf(window, controls), std::move(services));
    ConnectConsoleToComm(*console_, comm);
    PlaceBoxes(controls);
}

void TConsoleWiring::PlaceBoxes(TMainFormControls& controls) {
    // Both boxes keep their text as bytes and draw only what is on screen;
    // the send box also takes every received block.
    controls.sMemo1 = console_->MainReceiveView();
    controls.sMemo1->setParent(controls.sGroupBox1);
    controls.sMemo1->setGeometry(8, 46, 836, 144);
    controls.sMemo2 = console_->SendBox();
    controls.sMemo2->setParent(controls.sGroupBox2);
    controls.sMemo2->setGeometry(8, 18, 836, 80);
}
