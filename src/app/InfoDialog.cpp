#include "app/InfoDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

TInfoDialog::TInfoDialog(const char* objectName, const QString& caption, QSize clientSize,
                         const QString& text)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFixedSize(clientSize);

    auto* group = new QGroupBox(this);
    group->setGeometry(8, 4, clientSize.width() - 16, clientSize.height() - 48);
    group->setStyleSheet("QGroupBox { background: #2b3a4a; border: 1px solid #55697d; }");
    auto* body = new QLabel(text, group);
    body->setGeometry(10, 8, group->width() - 20, group->height() - 16);
    body->setWordWrap(true);
    body->setStyleSheet("color: white; font-weight: bold;");

    auto* close = new QPushButton(TInfoDialog::tr("关 闭"), this);
    close->setObjectName("sButton1");
    close->setGeometry((clientSize.width() - 75) / 2, clientSize.height() - 36, 75, 27);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

std::unique_ptr<TInfoDialog> MakeHelpDialog() {
    return std::make_unique<TInfoDialog>(
        "TForm5", TInfoDialog::tr("在线帮助"), QSize(253, 170),
        TInfoDialog::tr("Kelvane 串口调试与波形显示工具\n\n"
                        "使用说明：程序目录中的 README.md\n\n"
                        "问题反馈：请在 Kelvane 项目的问题跟踪中提交"));
}

std::unique_ptr<TInfoDialog> MakeUpgradeDialog() {
    return std::make_unique<TInfoDialog>(
        "TForm6", TInfoDialog::tr("在线升级"), QSize(297, 179),
        TInfoDialog::tr("希望增加或修改哪些功能？欢迎在 Kelvane 项目的问题跟踪中告诉我们，"
                        "并留下联系方式，新版本完成后会通知您。\n\n"
                        "项目主页与问题跟踪：见程序目录中的 README.md"));
}
