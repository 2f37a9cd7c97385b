#pragma once

#include <QGroupBox>
#include <QObject>

#include <functional>
#include <optional>
#include <vector>

#include "grid/CGridModel.h"
#include "utility/ModeSwitch.h"
#include "utility/ScaledInput.h"

class CDataGridView;
class CParEdit;
class QRadioButton;
struct ParEditResult;

// Texts of the test windows.
namespace TestDialogText {
constexpr int kLoopTestCaption = 28000;
constexpr int kLoopBackCaption = 28001;
constexpr int kPresetCaption = 28002;
constexpr int kNormal = 28003;
constexpr int kMode = 28004;
constexpr int kSystem1 = 28005; // then "System 2"
constexpr int kLoopTestHint = 28007;
constexpr int kPresetHint = 28008;
constexpr int kLoopTest = 25505;
constexpr int kClose = 25509;
constexpr int kCommunicationError = 11016;
constexpr int kMeasuredUnits = 11049;
constexpr int kEnergyUnits = 11050;
constexpr int kChannel = 24006;
constexpr int kChannelItem = 24007; // "%1!d!ch"
constexpr int kDeviceTime = 25532;
} // namespace TestDialogText

// The "Loop Test" (1142) and "Normal" (1143) radio buttons. A click asks for
// the mode (ModeRequested); the dialog switches the device and then shows the
// mode the device is in with SetLoopTest, which emits nothing.
class CModeButtons : public QGroupBox {
    Q_OBJECT
public:
    enum ControlId { kLoopTestButton = 1142, kNormalButton = 1143 };

    explicit CModeButtons(QWidget* parent);

    void SetLoopTest(bool on);
    bool IsLoopTest() const;

signals:
    void ModeRequested(bool loopTest);

private:
    QRadioButton* loopTest_;
    QRadioButton* normal_;
};

// Shows what a click on a mode button left the device in: the mode it
// reports, or what was shown before when it could not be read back, and the
// first communication error. True when the device took the requested mode.
bool ShowModeSwitch(CModeButtons& buttons, const ModeSwitchResult& result, bool previous);

// The in-place number entry of a test or preset grid: a click on an editable
// cell, a typed character, F2 or Enter opens the edit over it; the text is
// read as a scaled number within the cell's range. A refused text shows its
// message and the edit stays open with the text selected; an accepted one is
// reported by Entered, and a Tab or arrow key opens the next editable cell.
// Cells without an input are drawn read-only.
class CCellEditing : public QObject {
    Q_OBJECT
public:
    using InputOf = std::function<std::optional<ScaledInput>(int item)>;

    // grid: the host, not owned; the editor is its child.
    CCellEditing(CDataGridView& grid, InputOf inputOf);

    // The value cells and which of them can be edited; marks the others read-only.
    void SetCells(std::vector<GridItemCell> cells);
    const std::vector<GridItemCell>& Cells() const { return cells_; }
    std::optional<int> ItemAt(int column, int row) const;
    CParEdit& Editor() const { return *editor_; }
    // Closes an open edit without storing it.
    void Close();

signals:
    // value in device units, within the cell's range or its special value.
    void Entered(int item, qint64 value);

private:
    void Open(int column, int row, const QString& startText = QString());
    void OnFinished(const ParEditResult& result);

    CDataGridView& grid_;
    CParEdit* editor_;
    InputOf inputOf_;
    std::vector<GridItemCell> cells_;
};
