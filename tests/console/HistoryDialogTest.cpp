// The history dialog: loading with de-duplication and rewrite, recall by
// double click, deleting, and the error reports.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>

#include "ConsoleFixture.h"
#include "console/HistoryDialog.h"

class HistoryDialog : public ConsoleFixture {
  protected:
    void WriteHistory(const QByteArray& content) {
        QFile file(QString::fromStdString(historyPath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray History() const {
        QFile file(QString::fromStdString(historyPath));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    TForm2& Dialog() { return console->HistoryDialog(); }
    QStringList Entries() {
        QStringList entries;
        for (int i = 0; i < Dialog().Entries()->count(); ++i) {
            entries.append(Dialog().Entries()->item(i)->text());
        }
        return entries;
    }
    void Open() {
        Dialog().hide();
        panel.sBitBtn8->click();
    }
    void DoubleClick(int row) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
        QListWidget* list = Dialog().Entries();
        list->setCurrentRow(row);
        const QRect rect = list->visualItemRect(list->item(row));
        // A double click is the second press of a click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(HistoryDialog, OpeningRemovesRepeatsAndRewritesTheFile) {
    WriteHistory("A\r\nB\r\nA\r\nA\r\n\r\nC\r\n\r\n\xc4\xe3");
    Open();
    EXPECT_EQ(Entries(), (QStringList{"A", "B", "", "C", QStringLiteral("你")}));
    EXPECT_EQ(History(), QByteArray("A\r\nB\r\n\r\nC\r\n\xc4\xe3\r\n"));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(HistoryDialog, MissingFileIsAnEmptyHistory) {
    WriteHistory("keep\r\n");
    Open();
    QFile::remove(QString::fromStdString(historyPath));
    Open();  // as on the first run, before anything was saved
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_TRUE(Entries().isEmpty());
    EXPECT_EQ(History(), QByteArray("<missing>"));  // nothing is created
}

TEST_F(HistoryDialog, UnreadableFileIsReportedAndTheListKept) {
    WriteHistory("keep\r\n");
    Open();
    QFile::remove(QString::fromStdString(historyPath));
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(historyPath)));  // cannot be read as a file
    Open();
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_TRUE(reporter.messages[0].text.startsWith(QStringLiteral("Cannot open file \"")));
    EXPECT_TRUE(reporter.messages[0].text.contains(QString::fromStdString(historyPath)));
    EXPECT_EQ(reporter.messages[0].icon, TMessageIcon::Error);
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Entries(), (QStringList{"keep"}));
}

TEST_F(HistoryDialog, DoubleClickRecallsTheEntryIntoTheSendBox) {
    WriteHistory("abc\r\ndef");
    SendBox()->SetText(QStringLiteral("typed\nreceived"));
    Open();
    DoubleClick(0);
    EXPECT_EQ(SendBox()->Text(), QStringLiteral("abc"));
    EXPECT_FALSE(Dialog().isVisible());
}

TEST_F(HistoryDialog, DeleteAsksAndRewritesWhateverTheAnswer) {
    WriteHistory("A\nB\rC");
    Open();
    Dialog().Entries()->setCurrentRow(1);
    asker.answer = false;
    Dialog().findChild<QPushButton*>(QStringLiteral("sButton1"))->click();
    EXPECT_EQ(asker.questions, (std::vector<QString>{QStringLiteral("确定要删除此条信息吗？")}));
    EXPECT_EQ(History(), QByteArray("A\r\nB\r\nC\r\n"));

    asker.answer = true;
    Dialog().findChild<QPushButton*>(QStringLiteral("sButton1"))->click();
    EXPECT_EQ(Entries(), (QStringList{"A", "C"}));
    EXPECT_EQ(History(), QByteArray("A\r\nC\r\n"));
}

TEST_F(HistoryDialog, DeleteWithoutSelectionCreatesTheFile) {
    Open();  // missing file: an empty list
    Dialog().findChild<QPushButton*>(QStringLiteral("sButton1"))->click();
    EXPECT_EQ(History(), QByteArray(""));
}

TEST_F(HistoryDialog, HostileFilesLoad) {
    QByteArray binary;
    for (int i = 1; i < 256; ++i) {
        binary.append(static_cast<char>(i));
    }
    WriteHistory(binary + QByteArray(1 << 20, 'x'));
    Open();
    EXPECT_GE(Dialog().Entries()->count(), 2);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(History().endsWith(QByteArray(1 << 20, 'x') + "\r\n"));
}
