#include "testdlg/TestDialogParts.h"

#include <QHBoxLayout>
#include <QRadioButton>

#include "app/RunShowingErrors.h"
#include "utility/DeviceCommand.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

using namespace TestDialogText;

CModeButtons::CModeButtons(QWidget* parent)
    : QGroupBox(UiText(kMode), parent), loopTest_(new QRadioButton(UiText(kLoopTest), this)),
      normal_(new QRadioButton(UiText(kNormal), this))
{
    SetControlId(loopTest_, kLoopTestButton);
    SetControlId(normal_, kNormalButton);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(loopTest_);
    layout->addWidget(normal_);
    layout->addStretch();
    normal_->setChecked(true);
    // clicked comes from the user (or click()), never from SetLoopTest.
    connect(loopTest_, &QRadioButton::clicked, this, [this] { emit ModeRequested(true); });
    connect(normal_, &QRadioButton::clicked, this, [this] { emit ModeRequested(false); });
}

void CModeButtons::SetLoopTest(bool on)
{
    (on ? loopTest_ : normal_)->setChecked(true);
}

bool CModeButtons::IsLoopTest() const
{
    return loopTest_->isChecked();
}

bool ShowModeSwitch(CModeButtons& buttons, const ModeSwitchResult& result, bool previous)
{
    buttons.SetLoopTest(result.deviceMode.value_or(previous));
    if (result.error)
        RunDeviceCommand([&] { throw *result.error; });
    return result.switched;
}

CCellEditing::CCellEditing(CDataGridView& grid, InputOf inputOf)
    : QObject(&grid), grid_(grid), editor_(new CParEdit(&grid)), inputOf_(std::move(inputOf))
{
    grid_.SetSelectable(true);
    connect(&grid_, &CDataGridView::CellClicked, this,
            [this](int column, int row) { Open(column, row); });
    connect(&grid_, &CDataGridView::EditRequested, this,
            [this](int column, int row, const QString& start) { Open(column, row, start); });
    connect(editor_, &CParEdit::EditFinished, this, &CCellEditing::OnFinished);
}

void CCellEditing::SetCells(std::vector<GridItemCell> cells)
{
    cells_ = std::move(cells);
    grid_.ClearReadOnly();
    for (const GridItemCell& c : cells_)
        grid_.SetReadOnly(c.column, c.row, !inputOf_(c.item));
}

std::optional<int> CCellEditing::ItemAt(int column, int row) const
{
    for (const GridItemCell& c : cells_)
        if (c.column == column && c.row == row)
            return c.item;
    return std::nullopt;
}

void CCellEditing::Close()
{
    editor_->HideEditors();
}

void CCellEditing::Open(int column, int row, const QString& startText)
{
    const std::optional<int> item = ItemAt(column, row);
    if (!item || !inputOf_(*item) || grid_.IsReadOnly(column, row))
        return;
    grid_.Select(column, row);
    editor_->ShowEdit(column, row, grid_.CellLabelRect(column, row), grid_.ValueText(column, row),
                      startText);
}

void CCellEditing::OnFinished(const ParEditResult& result)
{
    const std::optional<int> item = ItemAt(result.column, result.row);
    if (!item || result.kind != ParEditKind::Text)
        return;
    const std::optional<ScaledInput> input = inputOf_(*item);
    if (!input)
        return;
    qint64 value = 0;
    if (!RunShowingErrors([&] { value = ReadScaledInput(result.text.toStdString(), *input); })) {
        editor_->ReopenEdit();
        return;
    }
    emit Entered(*item, value);
    if (result.move == EditMove::Stay)
        return;
    // The next editable cell in the direction of the move.
    constexpr int kMaxSteps = 64; // more than any test grid has cells in a line
    CellPos at{result.column, result.row};
    for (int step = 0; step < kMaxSteps; ++step) {
        const auto next = grid_.Neighbour(at.column, at.row, result.move);
        if (!next)
            return;
        if (!grid_.IsReadOnly(next->column, next->row) && ItemAt(next->column, next->row)) {
            Open(next->column, next->row);
            return;
        }
        at = *next;
    }
}
