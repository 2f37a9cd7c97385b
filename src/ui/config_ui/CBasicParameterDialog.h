#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "config/ModelSelection.h"
#include "device/CSettingsStocker.h"
#include "device/ParameterSet.h"

class CInput2Page;
class IMainWindowCommands;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// The main configuration window: one working parameter set for one device
// variant, its basic settings shown directly, a button per further group of
// settings and the device and file commands. Enter and Escape do not close
// it; closing the window hands the working set back and ends with 0, the
// Language button with 1 (shown again in the other language).
class CBasicParameterDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClosed = 0;
    static constexpr int kShowAgain = 1;

    // Not owned: the application's last parameter set, copied in now and
    // written back when the window ends.
    explicit CBasicParameterDialog(ParameterSet& lastParameterSet, QWidget* parent = nullptr);
    ~CBasicParameterDialog() override;

    // Switches the display language for the Language button; without one the
    // button only hands the set back and ends with 1.
    void SetLanguageSwitch(std::function<void()> switchLanguage);
    // Commands of this window instead of the process's (not owned).
    void SetCommands(IMainWindowCommands* commands) { commands_ = commands; }

    ParameterSet& WorkingSet() { return working_; }
    const ParameterSet& WorkingSet() const { return working_; }
    // Replaces the working set (an upload, an opened file) and refreshes.
    void ReplaceWorkingSet(const ParameterSet& set);
    // Shows the working set in every control.
    void RefreshControls();
    // Reads the controls into the working set, the variant first; the first
    // invalid field gets the focus and its message is thrown.
    void ReadControls();

    const std::vector<SelectionEntry>& SelectionList() const { return selection_; }
    const ModelChoice& CurrentChoice() const { return choice_; }
    const std::vector<int>& OfferedWiringCodes() const { return offeredWiring_; }
    CInput2Page* InputPage() const { return inputPage_; }

    // The commands of the buttons, callable by code as by a click.
    void OnLanguage();
    void CloseWindow();
    void OpenSettingsDialog(int controlId);

    void accept() override {}
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    QWidget* BuildCommandRow();
    QGroupBox* BuildModelGroup();
    QGroupBox* BuildInputGroup();
    QWidget* BuildVtCtPanel();
    QGroupBox* BuildFunctionGroup();
    QGroupBox* BuildOperationGroup();
    QGroupBox* BuildInterfaceGroup();
    QPushButton* AddButton(int controlId, int textId);
    void ConnectSignals();
    void ApplyTooltips();

    void RefreshModelLists();
    void RefreshWiringList();
    void RefreshDemandLists();
    void RefreshInputLayout();
    void RefreshDemandGroup();
    void RefreshButtons();
    void ApplyDipSwitchRule();
    void ReadControlsBack();

    void OnModelListChanged(int controlId);
    void OnSystemChanged(int index);
    void OnDemandSourceChanged();
    void OnDipSwitchClicked(bool checked);
    void RunCommand(void (IMainWindowCommands::*command)(CBasicParameterDialog&));
    void EndWith(int result);

    ParameterSet& last_;
    ParameterSet working_;
    CSettingsStocker stocker_;
    std::vector<SelectionEntry> selection_;
    ModelChoice choice_;
    std::vector<int> offeredWiring_;
    std::function<void()> switchLanguage_;
    IMainWindowCommands* commands_ = nullptr;
    bool refreshing_ = false;

    QComboBox* model_ = nullptr;
    QComboBox* code_ = nullptr;
    QComboBox* version_ = nullptr;
    QComboBox* system_ = nullptr;
    QComboBox* currentSource_ = nullptr;
    QComboBox* powerSource_ = nullptr;
    QLineEdit* vtPrimary_ = nullptr;
    QLineEdit* vtSecondary_ = nullptr;
    QLineEdit* ctPrimary_ = nullptr;
    QLineEdit* ctSecondary_ = nullptr;
    QLineEdit* barVoltage_ = nullptr;
    QLineEdit* barCurrent_ = nullptr;
    QLineEdit* currentInterval_ = nullptr;
    QLineEdit* powerInterval_ = nullptr;
    QCheckBox* dipSwitch_ = nullptr;
    QStackedWidget* inputStack_ = nullptr;
    QWidget* vtCtPanel_ = nullptr;
    CInput2Page* inputPage_ = nullptr;
};

// Runs the main window once for the application: 1 when it is to be shown
// again in the new language, 0 when it was closed.
class CMyORMELApp;
int RunMainConfigurationDialog(CMyORMELApp& app);
