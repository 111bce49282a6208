#pragma once
// The console's message texts, and the Yes/No question that the history
// dialog asks. Like TMessageReporter, the asker is replaceable so that tests
// never block on a modal box.

#include <QCoreApplication>
#include <QString>

#include "console/PortSettingsMessages.h"

class QWidget;

// Looked up when shown, so that they come in the language chosen at start.
inline QString EmptySendBoxText() {
    return QCoreApplication::translate("TConsole", "无数据可发送，请先输入要发送的数据");
}
inline QString SendErrorText() {
    return QCoreApplication::translate("TConsole", "数据发送错误，请检查串口是否打开");
}
inline QString SendBufferFullText() {
    return QCoreApplication::translate(
        "TConsole",
        "发送缓冲区已满：设备还没有收下之前发送的数据（可能被流控暂停），本次数据没有发送");
}
// The history messages' caption is a blank and 示, not the usual 提示.
inline QString HistoryCaption() {
    return QCoreApplication::translate("TConsole", " 示");
}
inline QString HistorySavedText() {
    return QCoreApplication::translate("TConsole", "数据保存成功");
}
inline QString HistorySaveErrorText() {
    return QCoreApplication::translate("TConsole", "数据保存错误");
}
inline QString PrintedText() {
    return QCoreApplication::translate("TConsole", "打印成功");
}
inline QString PrintErrorText() {
    return QCoreApplication::translate("TConsole", "打印出错，请检查打印是否存在或已装好");
}
inline QString DeleteEntryQuestion() {
    return QCoreApplication::translate("TConsole", "确定要删除此条信息吗？");
}
// What screen readers call the receive and send boxes: their groups' titles.
inline QString ReceiveBoxName() {
    return QCoreApplication::translate("TConsole", "接收数据");
}
inline QString SendBoxName() {
    return QCoreApplication::translate("TConsole", "发送数据");
}

// Reports a failed user action the way the application reports any error it
// did not handle: an error box captioned with the program's name.
void ReportApplicationError(TMessageReporter& reporter, const QString& text);

class TQuestionAsker {
  public:
    virtual ~TQuestionAsker() = default;
    // True when the user answers Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
};

class TMessageBoxAsker : public TQuestionAsker {
  public:
    bool AskYesNo(const QString& caption, const QString& text) override;
};
