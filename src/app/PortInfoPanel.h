#pragma once
// sPanel6, "当前串口信息": the line settings Comm1 holds right now, shown over
// the chart while the pointer rests on "当前信息" after a click.

#include <QFrame>
#include <QStringList>

#include <vector>

class QLabel;
class TComm;

// The rows' labels and, for `comm`, their values, top to bottom.
QStringList PortInfoLabels();
QStringList PortInfoValues(const TComm& comm);

class TPortInfoPanel : public QFrame {
    Q_OBJECT
  public:
    explicit TPortInfoPanel(QWidget* parent);

    // Fills the values from `comm` and shows the panel.
    void ShowFor(const TComm& comm);
    QString ValueText(int row) const;

  private:
    std::vector<QLabel*> values_;
};
