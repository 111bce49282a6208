#include "console/PortSettingsDialog.h"

#include "console/KelvaneOptions.h"
#include "console/PortSettingsMessages.h"
#include "console/PortSettingsScan.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>

namespace {

constexpr int kLabelX = 12;
constexpr int kListX = 112;
constexpr int kListWidth = 97;
constexpr int kRowHeight = 27;
constexpr int kFirstRowY = 12;
// The four flow-control rows sit below a separator line.
constexpr int kSeparatorGap = 14;
// Kelvane's option boxes follow the last list; the buttons sit below them.
constexpr int kOptionsY = 296;
constexpr int kOptionRowHeight = 24;
constexpr int kOptionRows = 2;
constexpr int kDialogWidth = 221;
constexpr int kButtonsY = kOptionsY + kOptionRows * kOptionRowHeight;

// Draws a listed port as its path followed by its description.
class TPortEntryDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString description = index.data(kPortDescriptionRole).toString();
        if (!description.isEmpty()) {
            option->text += QStringLiteral(" — ") + description;
        }
    }
};

QStringList Numbered(int first, int last, const QString& prefix) {
    QStringList names;
    for (int n = first; n <= last; ++n) {
        names << prefix + QString::number(n);
    }
    return names;
}

int RowY(int row) {
    return kFirstRowY + row * kRowHeight + (row >= 6 ? kSeparatorGap : 0);
}

// What the settings file gets: the entry's own text, whatever language shows
// it; a port may also be typed.
std::string Text(const QComboBox* list) {
    return (list->isEditable() ? list->currentText() : list->currentData().toString())
        .toStdString();
}

}  // namespace

TForm1::TForm1(std::string settingsPath, std::shared_ptr<TMessageReporter> reporter,
               TKelvaneOptions& options, TPortScanSource scan)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      settingsPath_(std::move(settingsPath)),
      reporter_(std::move(reporter)),
      options_(options),
      scan_(std::move(scan)) {
    setObjectName("TForm1");
    setWindowTitle(tr("串口设置"));
    setFixedSize(kDialogWidth, kButtonsY + 40);

    const QStringList falseTrue{"false", "true"};
    portList_ = AddChoiceRow("sComboBox1", tr("串口名称："), Numbered(1, 10, "COM"), "COM1", 0);
    baudList_ = AddChoiceRow("sComboBox2", tr("波特率："),
                             {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400",
                              "57600", "115200", "230400", "460800", "921600"},
                             "9600", 1);
    byteSizeList_ = AddChoiceRow("sComboBox3", tr("数据位："), {"5", "6", "7", "8"}, "8", 2);
    parityList_ = AddChoiceRow("sComboBox4", tr("奇偶校验："),
                               {QT_TR_NOOP("偶校验"), QT_TR_NOOP("奇校验"), QT_TR_NOOP("无"),
                                QT_TR_NOOP("标记"), QT_TR_NOOP("空格")},
                               "无", 3);
    stopBitsList_ = AddChoiceRow("sComboBox5", tr("停止位："), {"1.5", "1", "2"}, "1", 4);
    parityCheckList_ = AddChoiceRow("sComboBox6", tr("是否奇偶校验："),
                                    {QT_TR_NOOP("否"), QT_TR_NOOP("是")}, "否", 5);
    ctsList_ = AddChoiceRow("sComboBox7", tr("Outx_CtsFlow："), falseTrue, "false", 6);
    dsrList_ = AddChoiceRow("sComboBox8", tr("Outx_DsrFlow："), falseTrue, "false", 7);
    outXonList_ = AddChoiceRow("sComboBox9", tr("Outx_XonXoff："), falseTrue, "false", 8);
    inXonList_ = AddChoiceRow("sComboBox10", tr("Inx_XonXoff："), falseTrue, "false", 9);

    // Device paths are not all listable (a simulator's link, a udev alias),
    // so the port may also be typed.
    portList_->setEditable(true);
    portList_->setInsertPolicy(QComboBox::NoInsert);
    portList_->setItemDelegate(new TPortEntryDelegate(portList_));

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(kLabelX, RowY(6) - kSeparatorGap / 2 - 4, kDialogWidth - 2 * kLabelX, 4);

    autoReopenBox_ = AddOptionBox("autoReopenBox", tr("断开后自动重连"), options_.AutoReopen(), 0);
    dtrLowBox_ = AddOptionBox("dtrLowBox", tr("打开时不拉高 DTR"), options_.KeepDtrLowOnOpen(), 1);

    auto* save = new QPushButton(tr("保存"), this);
    save->setObjectName("sButton1");
    save->setGeometry(30, kButtonsY, 70, 27);
    connect(save, &QPushButton::clicked, this, &TForm1::Save);
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName("sButton2");
    cancel->setGeometry(121, kButtonsY, 70, 27);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QComboBox* TForm1::AddChoiceRow(const char* objectName, const QString& label,
                                const QStringList& entries, const QString& initial, int row) {
    auto* caption = new QLabel(label, this);
    caption->setGeometry(kLabelX, RowY(row) + 3, kListX - kLabelX, 18);
    auto* list = new QComboBox(this);
    list->setObjectName(objectName);
    for (const QString& entry : entries) {
        list->addItem(tr(entry.toUtf8().constData()), entry);
    }
    list->setCurrentIndex(list->findData(initial));
    list->setGeometry(kListX, RowY(row), kListWidth, 22);
    return list;
}

QCheckBox* TForm1::AddOptionBox(const char* objectName, const QString& caption, bool checked,
                                int row) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    box->setChecked(checked);
    box->setGeometry(kLabelX, kOptionsY + row * kOptionRowHeight, kDialogWidth - 2 * kLabelX, 22);
    return box;
}

TPortChoices TForm1::Choices() const {
    return {Text(portList_),     Text(baudList_),        Text(byteSizeList_), Text(parityList_),
            Text(stopBitsList_), Text(parityCheckList_), Text(ctsList_),      Text(dsrList_),
            Text(outXonList_),   Text(inXonList_)};
}

void TForm1::Save() {
    options_.AutoReopen.Set(autoReopenBox_->isChecked());
    options_.KeepDtrLowOnOpen.Set(dtrLowBox_->isChecked());
    if (!SavePortChoices(Choices(), settingsPath_) || !options_.Save()) {
        reporter_->Show(PromptCaption(), tr("串口设置失败"), TMessageIcon::Warning);
        return;
    }
    reporter_->Show(PromptCaption(), tr("串口设置成功,请重新打开串口以便生效"),
                    TMessageIcon::Warning);
    hide();
}

void TForm1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        AppendScannedPorts();
    }
}

void TForm1::AppendScannedPorts() {
    // Appended at every showing and never cleared, keeping the current choice.
    const QString current = portList_->currentText();
    const std::string openDevice = scan_.openDevice ? scan_.openDevice() : std::string();
    for (const TSerialPortInfo& port : ScanSerialPorts(scan_.roots, openDevice)) {
        portList_->addItem(QString::fromStdString(port.Path));
        const QString description = QString::fromStdString(port.Description);
        portList_->setItemData(portList_->count() - 1, description, kPortDescriptionRole);
        portList_->setItemData(portList_->count() - 1, description, Qt::ToolTipRole);
    }
    portList_->setCurrentText(current);
    // The drop-down is as wide as its longest path and description, not
    // as narrow as the list box.
    QAbstractItemView* view = portList_->view();
    view->setMinimumWidth(view->sizeHintForColumn(0) +
                          view->verticalScrollBar()->sizeHint().width());
}
