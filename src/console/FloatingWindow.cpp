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

TForm7::TForm7(const TReceiveTextStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TForm7"));
    setWindowTitle(QStringLiteral("接收/发送数据 【悬浮窗体】"));
    setFixedSize(860, 406);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildReceiveGroup(store), 3);
    layout->addWidget(BuildSendGroup(), 2);
    layout->addWidget(BuildSendBar());
    controls_.sBitBtn1 = Button(QStringLiteral("关闭悬浮窗体"), "sBitBtn1", this);
    layout->addWidget(controls_.sBitBtn1, 0, Qt::AlignHCenter);

    connect(controls_.sBitBtn1, &QPushButton::clicked, this, &TForm7::close);
}

QWidget* TForm7::BuildReceiveGroup(const TReceiveTextStore& store) {
    auto* group = new QGroupBox(QStringLiteral("接收数据"), this);
    controls_.sButton4 = Button(QStringLiteral("保存"), "sButton4", group);
    controls_.sButton5 = Button(QStringLiteral("打印"), "sButton5", group);
    controls_.sButton6 = Button(QStringLiteral("清空"), "sButton6", group);
    controls_.sCheckBox1 = Named(new QCheckBox(QStringLiteral("16进制接收"), group), "sCheckBox1");
    controls_.sMemo1 = Named(new TReceiveView(store, group), "sMemo1");
    controls_.sMemo1->setAccessibleName(kReceiveBoxName);

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
    auto* group = new QGroupBox(QStringLiteral("发送数据"), this);
    controls_.sMemo2 = Named(new QPlainTextEdit(group), "sMemo2");
    controls_.sMemo2->setAccessibleName(kSendBoxName);
    controls_.sMemo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(controls_.sMemo2);
    return group;
}

QWidget* TForm7::BuildSendBar() {
    auto* bar = new QWidget(this);
    controls_.sButton7 = Button(QStringLiteral("发送"), "sButton7", bar);
    controls_.sButton8 = Button(QStringLiteral("发送并保存"), "sButton8", bar);
    controls_.sButton9 = Button(QStringLiteral("定时发送"), "sButton9", bar);
    controls_.sButton10 = Button(QStringLiteral("历史数据"), "sButton10", bar);
    controls_.sBitBtn2 = Button(QStringLiteral("绘图[16进制]"), "sBitBtn2", bar);
    controls_.sBitBtn2->setToolTip(QStringLiteral("绘制16进制数据波型图"));
    controls_.sBitBtn3 = Button(QStringLiteral("绘图其他"), "sBitBtn3", bar);
    controls_.sBitBtn3->setToolTip(QStringLiteral("绘图其他数据波型图"));
    controls_.sCheckBox3 = Named(new QCheckBox(QStringLiteral("带帧头帧尾"), bar), "sCheckBox3");
    controls_.sCheckBox2 = Named(new QCheckBox(QStringLiteral("16进制发送"), bar), "sCheckBox2");
    controls_.sEdit1 = Named(new QLineEdit(QStringLiteral("0"), bar), "sEdit1");
    controls_.sEdit1->setReadOnly(true);
    controls_.sEdit1->setMaximumWidth(90);
    controls_.sBitBtn4 = Button(QStringLiteral("清空计数"), "sBitBtn4", bar);

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
    layout->addWidget(new QLabel(QStringLiteral("已发送："), bar));
    layout->addWidget(controls_.sEdit1);
    layout->addWidget(controls_.sBitBtn4);
    return bar;
}

void TForm7::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}
