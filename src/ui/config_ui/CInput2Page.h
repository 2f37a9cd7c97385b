#pragma once

#include <QWidget>

#include "config/InputPageLayout.h"
#include "device/ParameterSet.h"

class CDataGridView;
class CParEdit;
class QLabel;
class QLineEdit;
struct ParEditResult;

// The input settings of the families without a VT/CT block (QG, QH, ZM, ZN):
// VT primary and secondary, and a channel grid with each channel's or
// circuit's sensor, primary current and location, edited in place. Works on
// its own copy of the parameter set; the main window takes the channel words
// back when it reads its controls.
class CInput2Page : public QWidget {
    Q_OBJECT
public:
    static constexpr int kVtPrimary = 1048;
    static constexpr int kVtSecondary = 1049;
    static constexpr int kCtSensorArea = 1147;

    explicit CInput2Page(QWidget* parent = nullptr);

    // Takes a copy of `given` after clearing its location words where the
    // wiring has none, and fills the edits and the grid.
    void Refresh(ParameterSet& given);
    // The wiring of `given` changed: the copy follows it, keeping the
    // channel edits and the typed VT values.
    void WiringChanged(ParameterSet& given);

    const ParameterSet& Parameters() const { return set_; }
    const InputPageLayout& Layout() const { return layout_; }
    // Copies the channel words of the grid into a set.
    void CopyChannelsTo(ParameterSet& set) const;

    QLineEdit* VtPrimaryEdit() const { return vtPrimary_; }
    QLineEdit* VtSecondaryEdit() const { return vtSecondary_; }
    CDataGridView* Grid() const { return grid_; }
    CParEdit* Editor() const { return editor_; }
    void SetGridEnabled(bool enabled);
    // Opens the in-place editor on a cell; startText is the typed character
    // that started the edit, if any.
    void OpenEditor(int column, int row, const QString& startText = QString());
    // The window ends: an open editor closes without storing.
    void EndEditing();

private:
    void FillGrid();
    void ApplyReadOnly();
    int ColumnWidth() const;
    void OnEditFinished(const ParEditResult& result);
    bool Store(const ChannelCell& cell, const ParEditResult& result);

    ParameterSet set_;
    InputPageLayout layout_;
    QLineEdit* vtPrimary_;
    QLineEdit* vtSecondary_;
    CDataGridView* grid_;
    CParEdit* editor_;
};
