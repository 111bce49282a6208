#include "console/FloatingWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/ConsoleMessages.h"
#include "console/ReceiveView.h"

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    return Named(new QPushButton(caption, parent), name);
}

}  // namespace

TForm7::TForm7(const TLineTextStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(tr("接收/发送数据 【悬浮窗体】"));
    setFixedSize(860, 406);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildReceiveGroup(store), 3);
    layout->addWidget(BuildSendGroup(), 2);
    layout->addWidget(BuildSendBar());
    controls_.sBitBtn1 = Button(tr("关闭悬浮窗体"), "sBitBtn1", this);
    layout->addWidget(controls_.sBitBtn1, 0, Qt::AlignHCenter);

    connect(controls_.sBitBtn1, &QPushButton::clicked, this, &TForm7::close);
}

QWidget* TForm7::BuildReceiveGroup(const TLineTextStore& store) {
    auto* group = new QGroupBox(tr("接收数据"), this);
    controls_.sButton4 = Button(tr("保存"), "sButton4", group);
    controls_.sButton5 = Button(tr("打印"), "sButton5", group);
    controls_.sButton6 = Button(tr("清空"), "sButton6", group);
    controls_.sCheckBox1 = Named(new QCheckBox(tr("16进制接收"), group), "sCheckBox1");
    controls_.sMemo1 = Named(new TReceiveView(store, group), "sMemo1");
    controls_.sMemo1->setAccessibleName(ReceiveBoxName());

    auto* bar = new QHBoxLayout;
    bar->addWidget(controls_.sButton4);
    bar->addWidget(controls_.sButton5);
    bar->addWidget(controls_.sButton6);
    bar->addWidget(controls_.sCheckBox1);
    bar->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(bar);
    layout->addWidget(controls_.sMemo1, 1);
    return group;
}

QWidget* TForm7::BuildSendGroup() {
    auto* group = new QGroupBox(tr("发送数据"), this);
    controls_.sMemo2 = Named(new QPlainTextEdit(group), "sMemo2");
    controls_.sMemo2->setAccessibleName(SendBoxName());
    controls_.sMemo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(controls_.sMemo2);
    return group;
}

QWidget* TForm7::BuildSendBar() {
    auto* bar = new QWidget(this);
    controls_.sButton7 = Button(tr("发送"), "sButton7", bar);
    controls_.sButton8 = Button(tr("发送并保存"), "sButton8", bar);
    controls_.sButton9 = Button(tr("定时发送"), "sButton9", bar);
    controls_.sButton10 = Button(tr("历史数据"), "sButton10", bar);
    // The plot feed captions the two plotting buttons with the main ones.
    controls_.sBitBtn2 = Button({}, "sBitBtn2", bar);
    controls_.sBitBtn2->setToolTip(tr("绘制16进制数据波型图"));
    controls_.sBitBtn3 = Button({}, "sBitBtn3", bar);
    controls_.sBitBtn3->setToolTip(tr("绘图其他数据波型图"));
    controls_.sCheckBox3 = Named(new QCheckBox(tr("带帧头帧尾"), bar), "sCheckBox3");
    controls_.sCheckBox2 = Named(new QCheckBox(tr("16进制发送"), bar), "sCheckBox2");
    controls_.sEdit1 = Named(new QLineEdit(QStringLiteral("0"), bar), "sEdit1");
    controls_.sEdit1->setReadOnly(true);
    controls_.sEdit1->setMaximumWidth(90);
    controls_.sBitBtn4 = Button(tr("清空计数"), "sBitBtn4", bar);

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget :
         {static_cast<QWidget*>(controls_.sButton7), static_cast<QWidget*>(controls_.sButton8),
          static_cast<QWidget*>(controls_.sButton9), static_cast<QWidget*>(controls_.sButton10),
          static_cast<QWidget*>(controls_.sBitBtn2), static_cast<QWidget*>(controls_.sBitBtn3),
          static_cast<QWidget*>(controls_.sCheckBox3),
          static_cast<QWidget*>(controls_.sCheckBox2)}) {
        layout->addWidget(widget);
    }
    layout->addWidget(new QLabel(tr("已发送："), bar));
    layout->addWidget(controls_.sEdit1);
    layout->addWidget(controls_.sBitBtn4);
    return bar;
}

void TForm7::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}
