#include "console/HistoryDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "console/ConsoleMessages.h"
#include "platform/Gbk.h"

TForm2::TForm2(TSendHistoryFile file, std::function<void(const QString&)> recall,
               TMessageReporter& reporter, TQuestionAsker& asker, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      file_(std::move(file)),
      recall_(std::move(recall)),
      reporter_(reporter),
      asker_(asker),
      list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(tr("历史数据"));
    setModal(false);
    setFixedSize(190, 378);

    list_->setObjectName(QStringLiteral("sListBox1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* remove = new QPushButton(tr("删除"), this);
    remove->setObjectName(QStringLiteral("sButton1"));
    auto* cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("sButton2"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::itemDoubleClicked, this, &TForm2::Recall);
    connect(remove, &QPushButton::clicked, this, &TForm2::DeleteSelected);
    connect(cancel, &QPushButton::clicked, this, &TForm2::hide);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        LoadAndTidy();
    }
}

void TForm2::LoadAndTidy() {
    // Before the first "发送并保存" there is nothing to list, and nothing
    // to report or to write either.
    if (!file_.Exists()) {
        entries_.clear();
        ShowEntries();
        return;
    }
    THistoryEntries loaded;
    QString error;
    if (!file_.Load(loaded, error)) {
        ReportApplicationError(reporter_, error);
        return;
    }
    RemoveRepeatedEntries(loaded);
    entries_ = std::move(loaded);
    ShowEntries();
    SaveList();
}

void TForm2::Recall() {
    const int row = list_->currentRow();
    if (row < 0 || !list_->currentItem()->isSelected()) {
        ReportApplicationError(reporter_, QStringLiteral("List index out of bounds (-1)"));
        return;
    }
    recall_(QString::fromStdString(GbkToUtf8(entries_[static_cast<size_t>(row)])));
    hide();
}

void TForm2::DeleteSelected() {
    if (asker_.AskYesNo(PromptCaption(), DeleteEntryQuestion())) {
        const int row = list_->currentRow();
        if (row >= 0 && list_->currentItem()->isSelected()) {
            entries_.erase(entries_.begin() + row);
            delete list_->takeItem(row);
        }
    }
    SaveList();
}

void TForm2::SaveList() {
    QString error;
    if (!file_.Save(entries_, error)) {
        ReportApplicationError(reporter_, error);
    }
}

void TForm2::ShowEntries() {
    list_->clear();
    for (const std::string& entry : entries_) {
        list_->addItem(QString::fromStdString(GbkToUtf8(entry)));
    }
}
