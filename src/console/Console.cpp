#include "console/Console.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "console/FloatingWindow.h"
#include "console/HistoryDialog.h"
#include "console/IntervalDialog.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"
#include "console/TimedSender.h"
#include "console/TypedCharacterFilter.h"
#include "serial/Comm.h"

namespace {

// Each box of a pair follows the other; setting a box to the state it has
// does nothing, so one round ends the exchange.
void MirrorCheckBoxes(QCheckBox* first, QCheckBox* second) {
    QObject::connect(first, &QCheckBox::toggled, second, &QCheckBox::setChecked);
    QObject::connect(second, &QCheckBox::toggled, first, &QCheckBox::setChecked);
}

}  // namespace

TConsole::TConsole(const TConsolePanel& panel, TConsoleServices services)
    : panel_(panel),
      services_(std::move(services)),
      savePrompt_(panel.window),
      receiver_(
          TReceiveConsole::THooks{
              [this](std::string_view bytes, bool open) { sendBox_->AppendReceived(bytes, open); },
              services_.askSaveFileName ? services_.askSaveFileName
                                        : [this] { return savePrompt_.Ask(); },
              services_.choosePrintTarget
                  ? services_.choosePrintTarget
                  : [this] { return ChoosePrintTarget(SystemPrintDesk(panel_.window)); }},
          *services_.reporter, *services_.options, services_.textBoxBytes),
      mainView_(new TReceiveView(receiver_.Store(), panel.window)),
      sendBox_(new TSendBox(panel.window)),
      floating_(std::make_unique<TForm7>(receiver_.Store())),
      interval_(std::make_unique<TForm3>(panel.window)),
      history_(std::make_unique<TForm2>(
          TSendHistoryFile(services_.historyPath),
          [this](const QString& entry) { sendBox_->SetText(entry); }, *services_.reporter,
          *services_.asker, panel.window)),
      sender_(services_.sendBlock, services_.sendBufferFull),
      counter_(panel.sEdit1, floating_->Controls().sEdit1),
      timedSender_(std::make_unique<TTimedSender>(
          panel.sButton9, panel.Timer2, *interval_,
          TTimedSender::THooks{[this] { return SendBoxEmpty(); }, [this] { return SendOnce(); }},
          *services_.reporter)) {
    mainView_->setObjectName(QStringLiteral("sMemo1"));
    mainView_->setAccessibleName(ReceiveBoxName());
    sendBox_->setObjectName(QStringLiteral("sMemo2"));
    sendBox_->SetByteLimit(services_.textBoxBytes);
    sendBox_->setAccessibleName(SendBoxName());
    receiver_.AttachViews(mainView_, floating_->Controls().sMemo1, panel.sCheckBox2);
    WireReceiveBar();
    WireSendBar();
    WireFloatingWindow();
}

TConsole::~TConsole() = default;

void TConsole::WireReceiveBar() {
    connect(panel_.sButton4, &QPushButton::clicked, this, [this] { receiver_.Save(); });
    connect(panel_.sButton5, &QPushButton::clicked, this, [this] { receiver_.Print(); });
    connect(panel_.sButton6, &QPushButton::clicked, this, [this] { receiver_.ClearMain(); });
}

void TConsole::WireSendBar() {
    TTypedCharacterFilter::Install(sendBox_, IsSendBoxCharacter);
    connect(panel_.sButton7, &QPushButton::clicked, this, &TConsole::Send);
    connect(panel_.sButton8, &QPushButton::clicked, this, &TConsole::SendAndSave);
    connect(panel_.sButton9, &QPushButton::clicked, timedSender_.get(), &TTimedSender::Click);
    connect(panel_.sBitBtn9, &QPushButton::clicked, this, [this] { counter_.ResetMain(); });
    connect(panel_.sBitBtn8, &QPushButton::clicked, history_.get(), [this] {
        history_->show();
        history_->raise();
    });
}

void TConsole::WireFloatingWindow() {
    const TForm7::TControls& floating = floating_->Controls();
    MirrorCheckBoxes(panel_.sCheckBox2, floating.sCheckBox1);
    MirrorCheckBoxes(panel_.sCheckBox3, floating.sCheckBox3);
    MirrorCheckBoxes(panel_.sCheckBox1, floating.sCheckBox2);

    connect(floating.sButton4, &QPushButton::clicked, this, [this] { receiver_.Save(); });
    connect(floating.sButton5, &QPushButton::clicked, this, [this] { receiver_.Print(); });
    connect(floating.sButton6, &QPushButton::clicked, this, [this] { receiver_.ClearBoth(); });
    connect(floating.sButton7, &QPushButton::clicked, this, [this] {
        CopyFloatingSendBox();
        Send();
    });
    connect(floating.sButton8, &QPushButton::clicked, this, [this] {
        CopyFloatingSendBox();
        SendAndSave();
    });
    // Stopping needs no text, so the floating box is copied only to start.
    connect(floating.sButton9, &QPushButton::clicked, this, [this] {
        if (!timedSender_->Started()) {
            CopyFloatingSendBox();
        }
        timedSender_->Click();
    });
    // The plot feed sets both windows' captions when the main button runs.
    connect(floating.sBitBtn2, &QPushButton::clicked, panel_.sBitBtn5, &QPushButton::click);
    connect(floating.sBitBtn3, &QPushButton::clicked, panel_.sBitBtn6, &QPushButton::click);
    connect(floating.sBitBtn4, &QPushButton::clicked, this, [this] { counter_.ResetBoth(); });
}

bool TConsole::SendBoxEmpty() const {
    return sendBox_->IsEmpty();
}

void TConsole::CopyFloatingSendBox() {
    sendBox_->SetText(floating_->Controls().sMemo2->toPlainText());
}

void TConsole::Send() {
    // A hex send that the port refuses says nothing; only timed sending stops on it.
    ReportSendOutcome(*services_.reporter, SendOnce(), panel_.sCheckBox1->isChecked());
}

TSendOutcome TConsole::SendOnce() {
    const TSendOptions options{panel_.sCheckBox1->isChecked(), panel_.sCheckBox3->isChecked()};
    const TSendResult result = sender_.Send(sendBox_->Bytes(), options);
    counter_.Add(result.counted);
    return result.outcome;
}

void TConsole::SendAndSave() {
    if (SendBoxEmpty()) {
        services_.reporter->Show(PromptCaption(), EmptySendBoxText(), TMessageIcon::Warning);
        return;
    }
    Send();
    const bool saved = TSendHistoryFile(services_.historyPath).Append(sendBox_->Bytes());
    services_.reporter->Show(HistoryCaption(), saved ? HistorySavedText() : HistorySaveErrorText(),
                             saved ? TMessageIcon::Information : TMessageIcon::Error);
}

void ConnectConsoleToComm(TConsole& console, TComm& comm) {
    TReceiveConsole& receiver = console.Receiver();
    comm.OnReceiveData = [&receiver](TComm* sender, const std::uint8_t* buffer,
                                     std::uint16_t length) {
        receiver.Receive(std::string_view(reinterpret_cast<const char*>(buffer), length),
                         sender->ReceivedBlockEnd(), sender->ReceivedArrival());
    };
    comm.OnReceiveError = [](TComm*, std::uint32_t) {};
}
