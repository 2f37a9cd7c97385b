#include "config_ui/CConvDialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include <algorithm>

#include "app/RunShowingErrors.h"
#include "config/InputDialogTexts.h"
#include "config_ui/InputDialogWidgets.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
constexpr int kCellPadding = 16;
constexpr int kMinimumColumnWidth = 80;
} // namespace

CConvDialog::CConvDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), layout_(ConversionGridFor(working.type.Caps())),
      grid_(new CDataGridView(this)), editor_(new CParEdit(grid_))
{
    setWindowTitle(UiText(InputText::ConversionValueSettings));
    SetControlId(grid_, ConvControl::Grid);
    const QFontMetrics fm(grid_->font());
    int width = kMinimumColumnWidth;
    for (const auto& header : layout_.headers)
        width = std::max(width, fm.horizontalAdvance(UiText(header.textId)) + kCellPadding);
    grid_->SetHeaders(layout_.headers, width);
    grid_->SetSelectable(true);
    grid_->SetSelectableRange(1, 1);
    FillGrid();

    auto* top = new QVBoxLayout(this);
    top->addWidget(grid_, 0, Qt::AlignLeft | Qt::AlignTop);
    top->addWidget(InputDialogWidgets::OkCancel(this));
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(grid_, &CDataGridView::CellClicked, this,
            [this](int column, int row) { OpenCellEditor(column, row); });
    connect(
        grid_, &CDataGridView::EditRequested, this,
        [this](int column, int row, const QString& start) { OpenCellEditor(column, row, start); });
    connect(editor_, &CParEdit::EditFinished, this, &CConvDialog::OnEditFinished);
}

void CConvDialog::FillGrid()
{
    grid_->ClearValues();
    for (const auto& cell : layout_.cells)
        grid_->SetValueText(cell.column, cell.row,
                            QString::fromStdString(ConversionCellText(cell, set_)));
    grid_->update();
}

void CConvDialog::OpenCellEditor(int column, int row, const QString& startText)
{
    if (!layout_.CellAt(column, row))
        return;
    grid_->Select(column, row);
    editor_->ShowEdit(column, row, grid_->CellLabelRect(column, row), grid_->ValueText(column, row),
                      startText);
}

// A refused value is not stored; the editor stays open with the typed text.
void CConvDialog::OnEditFinished(const ParEditResult& result)
{
    const ConversionCell* cell = layout_.CellAt(result.column, result.row);
    if (!cell || result.kind != ParEditKind::Text)
        return;
    if (!RunShowingErrors([&] { ApplyConversionCell(*cell, result.text.toStdString(), set_); })) {
        editor_->ReopenEdit();
        return;
    }
    FillGrid();
    if (result.move == EditMove::Stay)
        return;
    if (const auto next = grid_->Neighbour(result.column, result.row, result.move))
        OpenCellEditor(next->column, next->row);
}

void CConvDialog::accept()
{
    editor_->DialogEnded();
    QDialog::accept();
}

void CConvDialog::reject()
{
    editor_->DialogEnded();
    QDialog::reject();
}
