#pragma once
// The main window's controls that the console, feed and chart code drive.
// Each pointer's objectName is the control's name in the feature tables
// (sButton7, sMemo2, ...); the widgets are owned by the main window.

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TReceiveView;
class TSendBox;

struct TMainFormControls {
    // Command row (sPanel2).
    QFrame* sPanel2 = nullptr;
    QPushButton* sButton1 = nullptr;   // 打开
    QPushButton* sButton2 = nullptr;   // 关闭
    QPushButton* sButton3 = nullptr;   // 设置
    QLabel* sLabel1 = nullptr;         // 间隔量：
    QComboBox* sComboBox1 = nullptr;   // chart span 1..1000
    QPushButton* sButton12 = nullptr;  // 当前信息
    QPushButton* sButton11 = nullptr;  // 显示面板
    QPushButton* sBitBtn8 = nullptr;   // 历史数据
    QPushButton* sBitBtn7 = nullptr;   // 悬浮窗体
    QPushButton* sBitBtn5 = nullptr;   // 绘图[16进制]
    QPushButton* sBitBtn6 = nullptr;   // 绘图其他

    // Chart area; the strip chart fills it.
    QFrame* sPanel1 = nullptr;

    // Data panel (sPanel3): fold bar, receive group, send group, send bar.
    QFrame* sPanel3 = nullptr;
    QToolButton* sSpeedButton1 = nullptr;  // fold bar
    QGroupBox* sGroupBox1 = nullptr;       // 接收数据
    QPushButton* sButton4 = nullptr;       // 保存
    QPushButton* sButton5 = nullptr;       // 打印
    QPushButton* sButton6 = nullptr;       // 清空
    QPushButton* sBitBtn3 = nullptr;       // 悬浮窗体 (receive bar)
    QCheckBox* sCheckBox2 = nullptr;       // 16进制接收
    TReceiveView* sMemo1 = nullptr;        // receive box, made by the console
    // Kelvane's own, right of the receive group's row.
    QLabel* recordSize = nullptr;          // size recorded so far
    QPushButton* recordButton = nullptr;   // 记录
    QPushButton* optionsButton = nullptr;  // 选项
    QGroupBox* sGroupBox2 = nullptr;       // 发送数据
    TSendBox* sMemo2 = nullptr;            // send box, made by the console
    QFrame* sPanel4 = nullptr;             // send bar
    QPushButton* sButton7 = nullptr;       // 发送
    QPushButton* sButton8 = nullptr;       // 发送并保存
    QPushButton* sButton9 = nullptr;       // 定时发送
    QCheckBox* sCheckBox3 = nullptr;       // 带帧头帧尾
    QCheckBox* sCheckBox1 = nullptr;       // 16进制发送
    QLabel* sLabel12 = nullptr;            // 已发送：
    QLineEdit* sEdit1 = nullptr;           // sent-bytes counter
    QPushButton* sBitBtn9 = nullptr;       // 清空计数

    // Timers of the console and the plot feed, all off at start.
    QTimer* Timer2 = nullptr;  // timed send, 1000 ms until the interval dialog sets it
    QTimer* Timer3 = nullptr;  // decimal plot feed, 10 ms
    QTimer* Timer6 = nullptr;  // hexadecimal plot feed, 10 ms
};
