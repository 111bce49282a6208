#include "console/IntervalDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/TypedCharacterFilter.h"

namespace {
constexpr int kFirstListedInterval = 21;
constexpr int kLastListedInterval = 60;
}  // namespace

TForm3::TForm3(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      interval_(new QComboBox(this)) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(tr("间隔时间"));
    setModal(false);
    setFixedSize(183, 182);

    interval_->setObjectName(QStringLiteral("sComboBox1"));
    interval_->setEditable(true);
    interval_->setInsertPolicy(QComboBox::NoInsert);
    for (int ms = kFirstListedInterval; ms <= kLastListedInterval; ++ms) {
        interval_->addItem(QString::number(ms));
    }
    interval_->setCurrentIndex(-1);
    interval_->setEditText(QStringLiteral("10"));
    TTypedCharacterFilter::Install(interval_->lineEdit(), IsIntervalCharacter);

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("sButton1"));
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("sButton2"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("时间："), this));
    row->addWidget(interval_, 1);
    row->addWidget(new QLabel(tr("(毫秒)"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { emit Confirmed(interval_->currentText()); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        hide();
        emit Cancelled();
    });
}
