#pragma once
// TForm1, the port settings dialog "串口设置": ten lists of line settings and
// "保存", which writes them to setfile.ini for the next "打开". It never reads
// the file: each run starts from the initial choices, and the choices made
// stay until the program ends (the dialog is hidden, not destroyed).

#include "console/PortSettingsFile.h"
#include "console/PortSettingsScan.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class TMessageReporter;

class TForm1 : public QDialog {
    Q_OBJECT
  public:
    TForm1(std::string settingsPath, std::shared_ptr<TMessageReporter> reporter,
           std::vector<TPortScanPattern> scanPatterns = DefaultPortScanPatterns());

    TPortChoices Choices() const;
    // Runs "保存": writes the file, reports, hides the dialog on success.
    void Save();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QComboBox* AddChoiceRow(const char* objectName, const QString& label,
                            const QStringList& entries, const QString& initial, int row);
    void AppendScannedPorts();

    std::string settingsPath_;
    std::shared_ptr<TMessageReporter> reporter_;
    std::vector<TPortScanPattern> scanPatterns_;
    QComboBox* portList_ = nullptr;         // sComboBox1
    QComboBox* baudList_ = nullptr;         // sComboBox2
    QComboBox* byteSizeList_ = nullptr;     // sComboBox3
    QComboBox* parityList_ = nullptr;       // sComboBox4
    QComboBox* stopBitsList_ = nullptr;     // sComboBox5
    QComboBox* parityCheckList_ = nullptr;  // sComboBox6
    QComboBox* ctsList_ = nullptr;          // sComboBox7
    QComboBox* dsrList_ = nullptr;          // sComboBox8
    QComboBox* outXonList_ = nullptr;       // sComboBox9
    QComboBox* inXonList_ = nullptr;        // sComboBox10
};
