#pragma once
// TForm1, the port settings dialog "串口设置": ten lists of line settings and
// "保存", which writes them to setfile.ini for the next "打开". It never reads
// the file's port settings: each run starts from the initial choices, and the
// choices made stay until the program ends (the dialog is hidden, not
// destroyed). Below the lists, check boxes for Kelvane's own port options,
// which start from the options as stored and are saved with the rest.

#include "console/PortSettingsFile.h"
#include "platform/SerialPortList.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class TKelvaneOptions;
class TMessageReporter;

// Where the port list's scan looks, and which port this program has open
// (its path, empty when none), which the scan leaves out.
struct TPortScanSource {
    TSerialPortRoots roots;
    std::function<std::string()> openDevice;
};

// Item data role of a listed port's description, shown beside its path in
// the drop-down; the item's text, and so what is saved, is the path alone.
inline constexpr int kPortDescriptionRole = Qt::UserRole + 1;

class TForm1 : public QDialog {
    Q_OBJECT
  public:
    TForm1(std::string settingsPath, std::shared_ptr<TMessageReporter> reporter,
           TKelvaneOptions& options, TPortScanSource scan = {});

    TPortChoices Choices() const;
    // Runs "保存": writes the file, reports, hides the dialog on success.
    void Save();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QComboBox* AddChoiceRow(const char* objectName, const QString& label,
                            const QStringList& entries, const QString& initial, int row);
    QCheckBox* AddOptionBox(const char* objectName, const QString& caption, bool checked, int row);
    void AppendScannedPorts();

    std::string settingsPath_;
    std::shared_ptr<TMessageReporter> reporter_;
    TKelvaneOptions& options_;
    TPortScanSource scan_;
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
    QCheckBox* autoReopenBox_ = nullptr;
    QCheckBox* dtrLowBox_ = nullptr;
};
