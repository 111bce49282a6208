#include "console/PortNotice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSizePolicy>
#include <QToolButton>

TPortNoticeBar::TPortNoticeBar(QWidget* parent) : QFrame(parent), text_(new QLabel(this)) {
    setObjectName("portNotice");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);  // a line, not a share of the chart
    setStyleSheet(QStringLiteral("#portNotice { background: #fff4c2; color: #3a3000; }"));
    text_->setObjectName("portNoticeText");
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QToolButton(this);
    close->setObjectName("portNoticeClose");
    close->setText(QStringLiteral("×"));
    close->setToolTip(tr("关闭提示"));
    close->setAutoRaise(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 2, 2);
    row->addWidget(text_, 1);
    row->addWidget(close);
    connect(close, &QToolButton::clicked, this, &TPortNoticeBar::ClearNotice);
    expiry_.setSingleShot(true);
    connect(&expiry_, &QTimer::timeout, this, &TPortNoticeBar::ClearNotice);
    hide();
}

void TPortNoticeBar::ShowNotice(const QString& text, std::chrono::milliseconds lasting) {
    text_->setText(text);
    expiry_.stop();
    if (lasting.count() > 0) {
        expiry_.start(lasting);
    }
    show();
}

void TPortNoticeBar::ClearNotice() {
    expiry_.stop();
    text_->clear();
    hide();
}

QString TPortNoticeBar::Text() const {
    return text_->text();
}
