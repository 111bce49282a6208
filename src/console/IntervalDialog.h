#pragma once
// TForm3, "间隔时间": asks for the timed-send interval in milliseconds.
// It only collects the text; the timed sender decides what to do with it.

#include <QDialog>

class QComboBox;

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(QWidget* parent = nullptr);

    QComboBox* IntervalBox() const { return interval_; }

  signals:
    // "确定" with the box's text; the dialog stays open until told to hide.
    void Confirmed(const QString& text);
    // "取消"; the dialog is already hidden.
    void Cancelled();

  private:
    QComboBox* interval_;  // sComboBox1
};
