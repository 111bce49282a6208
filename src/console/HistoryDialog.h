#pragma once
// TForm2, "历史数据": lists the history file, removes repeated entries each
// time it opens, puts a double-clicked entry back into the send box and
// deletes entries on request.

#include <QDialog>

#include <functional>

#include "console/SendHistoryFile.h"

class QListWidget;
class TMessageReporter;
class TQuestionAsker;

class TForm2 : public QDialog {
    Q_OBJECT
  public:
    // `recall` receives the chosen entry, decoded, for the send box.
    TForm2(TSendHistoryFile file, std::function<void(const QString&)> recall,
           TMessageReporter& reporter, TQuestionAsker& asker, QWidget* parent = nullptr);

    QListWidget* Entries() const { return list_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void LoadAndTidy();
    void Recall();
    void DeleteSelected();
    void SaveList();
    void ShowEntries();

    TSendHistoryFile file_;
    std::function<void(const QString&)> recall_;
    TMessageReporter& reporter_;
    TQuestionAsker& asker_;
    THistoryEntries entries_;  // the list's entries as GBK bytes
    QListWidget* list_;        // sListBox1
};
