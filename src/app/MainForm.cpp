#include "app/MainForm.h"

#include "app/AppIcon.h"
#include "app/BannerWindow.h"
#include "app/ConsoleWiring.h"
#include "app/DataPanelFolder.h"
#include "app/InfoDialog.h"
#include "app/OptionsDialog.h"
#include "app/PortInfoPanel.h"
#include "app/RecordControls.h"
#include "app/TrayIcon.h"
#include "app/WindowCentring.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/HistoryDialog.h"
#include "console/IntervalDialog.h"
#include "console/KelvaneOptions.h"
#include "console/PortNotice.h"
#include "console/PortSettingsDialog.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsOpener.h"
#include "console/SendBox.h"
#include "feed/ChartFileCommands.h"
#include "feed/WaveformFeed.h"
#include "platform/DateTime.h"
#include "platform/GlobalHotKey.h"
#include "serial/Comm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 860;
constexpr int kClientHeight = 455;
constexpr int kCommandRowHeight = 43;
constexpr unsigned kKeysymF5 = 0xFFC2;

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry, const QString& hint = {}) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    if (!hint.isEmpty()) {
        widget->setToolTip(hint);
    }
    return widget;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry, const QString& hint = {}) {
    return Place(new QPushButton(caption, parent), name, geometry, hint);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry, const QString& hint = {}) {
    return Place(new QCheckBox(caption, parent), name, geometry, hint);
}

QTimer* MakeTimer(QObject* owner, const char* name, int intervalMs) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

// Hides a panel when the pointer leaves the widget it explains.
class THideOnLeave : public QObject {
  public:
    THideOnLeave(QWidget& watched, QWidget& panel) : QObject(&watched), panel_(panel) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Leave) {
            panel_.hide();
        }
        return false;
    }

  private:
    QWidget& panel_;
};

}  // namespace

TMainForm::TMainForm(TMainFormOptions options)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      options_(std::move(options)),
      comm_(std::make_unique<TComm>()) {
    if (!options_.reporter) {
        options_.reporter = std::make_shared<TMessageBoxReporter>();
    }
    setObjectName("TMainForm");
    setWindowTitle("KelvaneV3.0");
    setWindowIcon(AppIcon());
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("宋体"), 9, QFont::Bold));
    ApplyStoredCommValues();

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    BuildCommandRow();
    rows->addWidget(controls_.sPanel2);
    controls_.sPanel1 = new QFrame(this);
    controls_.sPanel1->setObjectName("sPanel1");
    controls_.sPanel1->setStyleSheet("#sPanel1 { background: #2a2f35; }");
    auto* chartLayout = new QVBoxLayout(controls_.sPanel1);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(controls_.sPanel1, 1);
    BuildDataPanel();
    rows->addWidget(controls_.sPanel3);
    infoPanel_ = new TPortInfoPanel(this);

    controls_.Timer2 = MakeTimer(this, "Timer2", 1000);
    controls_.Timer3 = MakeTimer(this, "Timer3", 10);
    controls_.Timer6 = MakeTimer(this, "Timer6", 10);

    const std::string settingsPath = options_.dataDir + kSettingsFileName;
    kelvaneOptions_ = std::make_unique<TKelvaneOptions>(settingsPath);
    // The scan leaves out the port this program has open.
    const TPortScanSource scan{
        {}, [this] { return comm_->IsOpen() ? comm_->DevicePath() : std::string(); }};
    portSettings_ =
        std::make_unique<TForm1>(settingsPath, options_.reporter, *kelvaneOptions_, scan);
    helpDialog_ = MakeHelpDialog();
    upgradeDialog_ = MakeUpgradeDialog();
    tray_ = std::make_unique<TTrayIcon>(options_.trayHost);
    banner_ = std::make_unique<TBannerWindow>(*this, [this] { return tray_->Available(); });
    if (options_.globalHotKey) {
        hotKey_ = std::make_unique<TGlobalHotKey>(kKeysymF5);
        hotKey_->OnPressed = [this] { AppendTimeToSendBox(); };
    }
    WireShell();
    WireConsole();
    WireChart();
    WirePort(settingsPath);
    WireOptionsAndFiles();
}

void TMainForm::WirePort(const std::string& settingsPath) {
    portNotice_ = new TPortNoticeBar(controls_.sPanel1);
    controls_.sPanel1->layout()->addWidget(portNotice_);
    opener_ = std::make_unique<TPortOpener>(*comm_, *controls_.sButton1, *controls_.sButton2,
                                            settingsPath, options_.reporter, *kelvaneOptions_,
                                            *portNotice_);
    connect(opener_.get(), &TPortOpener::PortStateChanged, this, [this] {
        if (infoPanel_->isVisible()) {
            infoPanel_->ShowFor(*comm_);
        }
    });
}

TMainForm::~TMainForm() = default;

void TMainForm::SetPortSessionOverride(TPortSessionOverride override) {
    opener_->SetSessionOverride(std::move(override));
}

void TMainForm::OpenPort() {
    opener_->Open();
}

void TMainForm::ApplyStoredCommValues() {
    // The values "当前信息" shows before the first open.
    comm_->SetCommName("COM1");
    comm_->SetOutx_XonXoffFlow(false);
    comm_->SetInx_XonXoffFlow(false);
}

void TMainForm::BuildCommandRow() {
    auto* row = new QFrame(this);
    controls_.sPanel2 = Place(row, "sPanel2", {0, 0, kClientWidth, kCommandRowHeight});
    row->setFixedHeight(kCommandRowHeight);
    row->setFrameShape(QFrame::StyledPanel);
    auto& c = controls_;
    c.sButton1 = MakeButton(row, "sButton1", tr("打开"), {6, 8, 60, 27}, tr("打开串口"));
    c.sButton2 = MakeButton(row, "sButton2", tr("关闭"), {70, 8, 60, 27}, tr("关闭串口"));
    c.sButton2->setEnabled(false);
    c.sButton3 = MakeButton(row, "sButton3", tr("设置"), {134, 8, 60, 27}, tr("串口设置"));
    c.sLabel1 = Place(new QLabel(tr("间隔量："), row), "sLabel1", {202, 13, 56, 18});
    c.sComboBox1 = Place(new QComboBox(row), "sComboBox1", {258, 9, 70, 24}, tr("波形间隔"));
    for (int span = 1; span <= 1000; ++span) {
        c.sComboBox1->addItem(QString::number(span));
    }
    c.sComboBox1->setCurrentIndex(-1);
    c.sButton12 =
        MakeButton(row, "sButton12", tr("当前信息"), {336, 8, 76, 27}, tr("显示当前串口设置信息"));
    // The data panel's folder captions this button, the plot feed the two plotting buttons.
    c.sButton11 = MakeButton(row, "sButton11", {}, {416, 8, 92, 27}, tr("显示控件面板"));
    c.sBitBtn8 =
        MakeButton(row, "sBitBtn8", tr("历史数据"), {512, 8, 80, 27}, tr("查询历史串口数据"));
    c.sBitBtn7 = MakeButton(row, "sBitBtn7", tr("悬浮窗体"), {596, 8, 80, 27});
    c.sBitBtn5 = MakeButton(row, "sBitBtn5", {}, {680, 8, 92, 27}, tr("绘制16进制数据波型图"));
    c.sBitBtn6 = MakeButton(row, "sBitBtn6", {}, {776, 8, 78, 27}, tr("绘图其他数据波型图"));
}

void TMainForm::BuildDataPanel() {
    auto* panel = new QFrame(this);
    controls_.sPanel3 = Place(panel, "sPanel3", {0, kClientHeight - 30, kClientWidth, 30});
    panel->setFrameShape(QFrame::StyledPanel);

    auto* foldBar = Place(new QToolButton(panel), "sSpeedButton1", {0, 0, kClientWidth, 30},
                          tr("数据发送/接收"));
    foldBar->setAutoRaise(true);
    QFont foldFont = foldBar->font();
    foldFont.setPointSize(14);
    foldFont.setBold(true);
    foldBar->setFont(foldFont);
    controls_.sSpeedButton1 = foldBar;

    BuildReceiveGroup(panel);
    BuildSendGroup(panel);
}

void TMainForm::BuildReceiveGroup(QWidget* panel) {
    auto& c = controls_;
    auto* group = Place(new QGroupBox(tr("接收数据"), panel), "sGroupBox1", {4, 30, 852, 198});
    c.sGroupBox1 = group;
    c.sButton4 = MakeButton(group, "sButton4", tr("保存"), {8, 18, 60, 24});
    c.sButton5 = MakeButton(group, "sButton5", tr("打印"), {72, 18, 60, 24});
    c.sButton6 = MakeButton(group, "sButton6", tr("清空"), {136, 18, 60, 24});
    c.sBitBtn3 = MakeButton(group, "sBitBtn3", tr("悬浮窗体"), {200, 18, 80, 24},
                            tr("悬浮 【接收/发送数据窗体】"));
    c.sCheckBox2 = MakeCheckBox(group, "sCheckBox2", tr("16进制接收"), {292, 18, 110, 24});
    c.recordSize = Place(new QLabel(group), "recordSize", {430, 22, 240, 18});
    c.recordSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.recordButton = MakeButton(group, "recordButton", tr("记录"), {680, 18, 80, 24},
                                tr("把接收数据或绘图数据记录到文件"));
    c.optionsButton =
        MakeButton(group, "optionsButton", tr("选项"), {764, 18, 80, 24}, tr("Kelvane 选项"));
}

void TMainForm::BuildSendGroup(QWidget* panel) {
    auto& c = controls_;
    auto* group = Place(new QGroupBox(tr("发送数据"), panel), "sGroupBox2", {4, 228, 852, 104});
    c.sGroupBox2 = group;

    auto* bar = Place(new QFrame(panel), "sPanel4", {0, 332, kClientWidth, 41});
    c.sPanel4 = bar;
    c.sButton7 = MakeButton(bar, "sButton7", tr("发送"), {8, 7, 60, 27});
    c.sButton8 = MakeButton(bar, "sButton8", tr("发送并保存"), {72, 7, 90, 27});
    // Captioned by the timed sender, whose state it shows.
    c.sButton9 = MakeButton(bar, "sButton9", {}, {166, 7, 80, 27});
    c.sCheckBox3 =
        MakeCheckBox(bar, "sCheckBox3", tr("带帧头帧尾"), {256, 7, 100, 27}, tr("帧头(5B)/帧尾5D"));
    c.sCheckBox1 = MakeCheckBox(bar, "sCheckBox1", tr("16进制发送"), {360, 7, 104, 27},
                                tr("按16进制发送信息"));
    c.sLabel12 =
        Place(new QLabel(tr("已发送："), bar), "sLabel12", {472, 12, 60, 18}, tr("已发送的字节数"));
    c.sEdit1 = Place(new QLineEdit(QStringLiteral("0"), bar), "sEdit1", {532, 9, 100, 23});
    c.sEdit1->setReadOnly(true);
    c.sBitBtn9 = MakeButton(bar, "sBitBtn9", tr("清空计数"), {640, 7, 80, 27});
}

void TMainForm::WireShell() {
    auto& c = controls_;
    folder_ = std::make_unique<TDataPanelFolder>(*c.sPanel3, *c.sSpeedButton1, *c.sButton11);

    connect(c.sButton3, &QPushButton::clicked, portSettings_.get(), &QWidget::show);
    connect(c.sButton12, &QPushButton::clicked, this, [this] { infoPanel_->ShowFor(*comm_); });
    new THideOnLeave(*c.sButton12, *infoPanel_);
    connect(c.sBitBtn7, &QPushButton::clicked, this, [this] {
        folder_->DisableAndFold(true);
        emit FloatingWindowRequested();
    });
    connect(c.sBitBtn3, &QPushButton::clicked, this, [this] {
        folder_->DisableAndFold(false);
        emit FloatingWindowRequested();
    });

    tray_->OnShowMain = [this] { ShowWithBanner(); };
    tray_->OnDoubleClick = [this] { ShowRestoredInFront(); };
    tray_->OnExit = [this] { Exit(); };
    tray_->OnUpgradeInfo = [this] { upgradeDialog_->show(); };
    tray_->OnHelpInfo = [this] { helpDialog_->show(); };

    centring_ = new TCentreOnShow(this);
    for (QWidget* window : std::initializer_list<QWidget*>{
             this, portSettings_.get(), helpDialog_.get(), upgradeDialog_.get()}) {
        centring_->Watch(window);
    }
}

void TMainForm::WireConsole() {
    console_ = std::make_unique<TConsoleWiring>(*this, controls_, *comm_, *options_.reporter,
                                                *kelvaneOptions_, options_.dataDir);
    TConsole& console = console_->Console();
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
    return console_->Console();
}

void TMainForm::CentreWhenShown(QWidget* window) {
    centring_->Watch(window);
}

void TMainForm::AppendTimeToSendBox() {
    controls_.sMemo2->AppendText(QString::fromStdString(FormatDateTime("hhnnss", Now())));
}

void TMainForm::ShowWithBanner() {
    show();
    banner_->show();
}

void TMainForm::ShowRestoredInFront() {
    ShowWithBanner();
    showNormal();
    raise();
    activateWindow();
}

void TMainForm::EnableDataPanel() {
    folder_->Enable();
}

void TMainForm::Exit() {
    tray_->Remove();
    if (hotKey_) {
        hotKey_->Unregister();
    }
    comm_->ClosePort();
    options_.quit();
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    banner_->show();
    tray_->Add();
}

// The banner belongs to the main window on screen: it goes when the window
// is hidden or minimised and comes back with it.
void TMainForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    banner_->hide();
}

void TMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible()) {
        banner_->setVisible(!isMinimized());
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!tray_->Available()) {
        Exit();
        return;
    }
    hide();
    banner_->hide();
}
