#include "app/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "console/KelvaneOptions.h"
#include "console/PortSettingsMessages.h"

TOptionsDialog::TOptionsDialog(TKelvaneOptions& options, TMessageReporter& reporter,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      options_(options),
      reporter_(reporter),
      form_(new QFormLayout) {
    setObjectName(QStringLiteral("TOptionsDialog"));
    setWindowTitle(tr("选项"));

    AddRow("multiValue", tr("多通道与小数"), options.MultiValuePlot);
    AddRow("arrivalX", tr("按接收时间"), options.ArrivalTimeX);
    AddRow("timestamps", tr("显示时间戳"), options.ShowTimestamps);
    AddRow("chartPoints", tr("波形最多点数："), options.ChartPointLimit);
    AddRow("language", tr("语言："), options.Language);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    QPushButton* cancel = buttons->addButton(tr("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TOptionsDialog::Apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

void TOptionsDialog::showEvent(QShowEvent* event) {
    // The file may have changed since the dialog was last open.
    options_.Load();
    for (const TRow& row : rows_) {
        row.show();
    }
    QDialog::showEvent(event);
}

void TOptionsDialog::AddRow(const char* objectName, const QString& caption, TOption<bool>& option) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(objectName));
    form_->addRow(box);
    rows_.push_back({[box, &option] { box->setChecked(option()); },
                     [box, &option] { option.Set(box->isChecked()); }});
}

void TOptionsDialog::AddRow(const char* objectName, const QString& caption,
                            TOption<std::int32_t>& option) {
    auto* number = new QSpinBox(this);
    number->setObjectName(QString::fromLatin1(objectName));
    number->setRange(option.Lowest(), option.Highest());
    number->setGroupSeparatorShown(true);
    form_->addRow(caption, number);
    rows_.push_back({[number, &option] { number->setValue(option()); },
                     [number, &option] { option.Set(number->value()); }});
}

void TOptionsDialog::AddRow(const char* objectName, const QString& caption,
                            TOption<TLanguage>& option) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(objectName));
    for (int i = static_cast<int>(option.Lowest()); i <= static_cast<int>(option.Highest()); ++i) {
        const auto language = static_cast<TLanguage>(i);
        list->addItem(QString::fromUtf8(LanguageName(language)), i);
    }
    // The windows are built in the language chosen at start, so a change
    // waits for the next one.
    auto* row = new QHBoxLayout;
    row->addWidget(list);
    row->addWidget(new QLabel(tr("下次启动时生效"), this));
    form_->addRow(caption, row);
    rows_.push_back(
        {[list, &option] { list->setCurrentIndex(list->findData(static_cast<int>(option()))); },
         [list, &option] { option.Set(static_cast<TLanguage>(list->currentData().toInt())); }});
}

void TOptionsDialog::Apply() {
    for (const TRow& row : rows_) {
        row.apply();
    }
    if (!options_.Save()) {
        reporter_.Show(PromptCaption(), tr("选项保存失败，请检查设置文件是否可写"),
                       TMessageIcon::Error);
        return;
    }
    accept();
}
