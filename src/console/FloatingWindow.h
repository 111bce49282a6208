#pragma once
// TForm7, "接收/发送数据 【悬浮窗体】": an always-on-top copy of the data
// panel's receive and send areas. It only holds controls; the console wires
// each one to the main window's matching command and keeps the copies
// (receive box, switches, counter, plotting captions) up to date.

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TLineTextStore;
class TReceiveView;

class TForm7 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm7(const TLineTextStore& store, QWidget* parent = nullptr);

    struct TControls {
        QPushButton* sButton4;   // 保存
        QPushButton* sButton5;   // 打印
        QPushButton* sButton6;   // 清空
        QCheckBox* sCheckBox1;   // 16进制接收
        TReceiveView* sMemo1;    // receive box
        QPlainTextEdit* sMemo2;  // send box
        QPushButton* sButton7;   // 发送
        QPushButton* sButton8;   // 发送并保存
        QPushButton* sButton9;   // 定时发送
        QPushButton* sButton10;  // 历史数据
        QPushButton* sBitBtn2;   // 绘图[16进制]
        QPushButton* sBitBtn3;   // 绘图其他
        QCheckBox* sCheckBox3;   // 带帧头帧尾
        QCheckBox* sCheckBox2;   // 16进制发送
        QLineEdit* sEdit1;       // sent-bytes counter
        QPushButton* sBitBtn4;   // 清空计数
        QPushButton* sBitBtn1;   // 关闭悬浮窗体
    };
    const TControls& Controls() const { return controls_; }

  signals:
    // "关闭悬浮窗体", or a close the window manager forced (Alt+F4): either
    // way the window hides and the data panel must come back.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* BuildReceiveGroup(const TLineTextStore& store);
    QWidget* BuildSendGroup();
    QWidget* BuildSendBar();

    TControls controls_{};
};
