#include "app/BannerWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

namespace {
// While the anchor's frame moves (the user drags it), 10 ms keeps the strip
// attached without visible lag; a second after it last moved it has settled.
constexpr int kDockIntervalMs = 10;
constexpr int kSettleMs = 1000;

QString HintText(bool closeKeepsRunning) {
    return TBannerWindow::tr("打开串口，收发数据，点击“绘图”即可观察设备送来的数值曲线。") + '\n' +
           (closeKeepsRunning
                ? TBannerWindow::tr(
                      "F5 在发送框末尾追加当前时间；关闭主窗口后程序在通知区继续运行。")
                : TBannerWindow::tr("F5 在发送框末尾追加当前时间；关闭主窗口即退出程序。"));
}
}  // namespace

TBannerWindow::TBannerWindow(QWidget& anchor, std::function<bool()> closeKeepsRunning)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      anchor_(anchor),
      closeKeepsRunning_(std::move(closeKeepsRunning)),
      hint_(new QLabel(this)) {
    setObjectName("TForm4");
    setFixedSize(867, 101);
    setAutoFillBackground(true);
    setStyleSheet("TBannerWindow { background: #1d2630; } QLabel { color: #d8e2ea; }");

    auto* title = new QLabel(tr("Kelvane V3.0  串口调试 · 实时波形"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(18, 8, 18, 8);
    layout->addWidget(title);
    layout->addSpacing(24);
    layout->addWidget(hint_, 1);

    dockTimer_.setInterval(kDockIntervalMs);
    connect(&dockTimer_, &QTimer::timeout, this, &TBannerWindow::DockTick);
    anchor.installEventFilter(this);
}

void TBannerWindow::Dock() {
    const QRect frame = anchor_.frameGeometry();
    const QPoint target(frame.left(), frame.bottom() + 1);
    if (pos() != target) {
        move(target);
    }
}

void TBannerWindow::FollowAnchor() {
    Dock();
    sinceAnchorMoved_.start();
    dockTimer_.start();
}

void TBannerWindow::DockTick() {
    const QPoint before = pos();
    Dock();
    if (pos() != before) {
        sinceAnchorMoved_.start();
    } else if (sinceAnchorMoved_.elapsed() > kSettleMs) {
        dockTimer_.stop();
    }
}

bool TBannerWindow::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (isVisible() && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)) {
        FollowAnchor();
    }
    return false;
}

void TBannerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    hint_->setText(HintText(closeKeepsRunning_()));
    FollowAnchor();
}

void TBannerWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    dockTimer_.stop();
}
