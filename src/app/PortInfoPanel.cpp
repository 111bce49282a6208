#include "app/PortInfoPanel.h"

#include "serial/Comm.h"

#include <QGroupBox>
#include <QLabel>

namespace {

QString ByteSizeText(TByteSize size) {
    switch (size) {
        case TByteSize::_5:
            return "5";
        case TByteSize::_6:
            return "6";
        case TByteSize::_7:
            return "7";
        default:
            return "8";
    }
}

QString ParityText(TParity parity) {
    switch (parity) {
        case TParity::Even:
            return TPortInfoPanel::tr("偶校验");
        case TParity::Odd:
            return TPortInfoPanel::tr("奇校验");
        case TParity::Mark:
            return TPortInfoPanel::tr("标记");
        case TParity::Space:
            return TPortInfoPanel::tr("空格");
        default:
            return TPortInfoPanel::tr("无");
    }
}

QString StopBitsText(TStopBits stopBits) {
    switch (stopBits) {
        case TStopBits::_1_5:
            return "1.5";
        case TStopBits::_2:
            return "2";
        default:
            return "1";
    }
}

QString FlagText(bool value) {
    return value ? "true" : "false";
}

constexpr int kRowHeight = 21;

}  // namespace

QStringList PortInfoLabels() {
    return {TPortInfoPanel::tr("串口名称："),  TPortInfoPanel::tr("波特率："),
            TPortInfoPanel::tr("数据位："),    TPortInfoPanel::tr("校验位："),
            TPortInfoPanel::tr("停止位："),    TPortInfoPanel::tr("Outx_Cts："),
            TPortInfoPanel::tr("Outx_Dsr："),  TPortInfoPanel::tr("Outx_XonXoff："),
            QStringLiteral("Inx_XonXoff:"),    TPortInfoPanel::tr("XoffChar："),
            TPortInfoPanel::tr("XoffLimit："), TPortInfoPanel::tr("XonChar：")};
}

QStringList PortInfoValues(const TComm& comm) {
    // The last three match the XON/XOFF values the port always keeps.
    return {QString::fromStdString(comm.CommName()),
            QString::number(comm.BaudRate()),
            ByteSizeText(comm.ByteSize()),
            ParityText(comm.Parity()),
            StopBitsText(comm.StopBits()),
            FlagText(comm.Outx_CtsFlow()),
            FlagText(comm.Outx_DsrFlow()),
            FlagText(comm.Outx_XonXoffFlow()),
            FlagText(comm.Inx_XonXoffFlow()),
            "#19",
            "500",
            "#17"};
}

TPortInfoPanel::TPortInfoPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("sPanel6");
    setGeometry(240, 36, 216, 289);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    auto* group = new QGroupBox(tr("当前串口信息"), this);
    group->setGeometry(6, 4, 204, 279);
    const QStringList labels = PortInfoLabels();
    for (int row = 0; row < labels.size(); ++row) {
        const int y = 24 + row * kRowHeight;
        auto* label = new QLabel(labels[row], group);
        label->setGeometry(10, y, 104, 18);
        auto* value = new QLabel(group);
        value->setGeometry(116, y, 84, 18);
        values_.push_back(value);
    }
    hide();
}

void TPortInfoPanel::ShowFor(const TComm& comm) {
    const QStringList values = PortInfoValues(comm);
    for (size_t row = 0; row < values_.size(); ++row) {
        values_[row]->setText(values[static_cast<qsizetype>(row)]);
    }
    show();
    raise();
}

QString TPortInfoPanel::ValueText(int row) const {
    return values_.at(static_cast<size_t>(row))->text();
}
