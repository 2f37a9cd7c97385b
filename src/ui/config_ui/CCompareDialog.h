#pragma once

#include <QDialog>

#include "device/CParameterReport.h"

class CAppSettings;
class CCompareList;
class QCheckBox;
class QLabel;
class QPushButton;

// "Parameter Report": every parameter of a copy of the edited set, optionally
// beside a set read from a device or a file, with the differences marked and
// counted, exported as CSV on request. The edited set is never changed here.
class CCompareDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        kClose = 2,
        kCopy = 1068,
        kDevice = 1069,
        kExportCsv = 1070,
        kList = 1071,
        kResult = 1072,
        kFile = 1073,
        kHideUnable = 1154,
    };

    // Not owned: the settings keep "Hide unable functions." across runs.
    CCompareDialog(const ParameterSet& pcSet, CAppSettings& settings, QWidget* parent = nullptr);

    const CParameterReport& Report() const { return report_; }

    // The commands of the buttons, callable by code as by a click. Failures
    // are shown and leave the window as it was.
    void CompareWithDevice();
    void CompareWithFile();
    void CopyComparison();
    void ExportCsv();
    void SetHideUnable(bool hide);
    // Shows a set loaded from the file at path as the comparison side.
    void CompareWithFileSet(const ParameterSet& set, const std::string& path);
    // Shows a set read from the device as the comparison side.
    void CompareWithDeviceSet(const ParameterSet& set);

private:
    void BuildLayout();
    void Refresh();

    CAppSettings& settings_;
    CParameterReport report_;
    CCompareList* list_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* copy_ = nullptr;
    QCheckBox* hide_ = nullptr;
};
