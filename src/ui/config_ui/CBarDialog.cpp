#include "config_ui/CBarDialog.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/RunShowingErrors.h"
#include "config/BarQuantities.h"
#include "config/DisplayTexts.h"
#include "config_ui/DisplayDialogParts.h"
#include "text/NumericFieldReader.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
constexpr int kNameColumn = 0;
constexpr int kFullColumn = 1;
constexpr int kZeroColumn = 2;
constexpr int kListWidth = 420;

BarEnd EndOfColumn(int column)
{
    return column == kFullColumn ? BarEnd::Full : BarEnd::Zero;
}

bool IsValueCell(int row, int column)
{
    return row >= 0 && row < kBarQuantityCount && (column == kFullColumn || column == kZeroColumn);
}
} // namespace

CBarDialog::CBarDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), list_(new CListCtrlInfoTip(this)),
      editor_(new CParEdit(list_->viewport()))
{
    setWindowTitle(UiText(DisplayText::BarSetting));
    SetControlId(list_, kList);
    list_->SetColumns(
        {UiText(DisplayText::Input), UiText(DisplayText::Full), UiText(DisplayText::Zero)},
        {0.286, 0.357});
    for (int row = 0; row < kBarQuantityCount; ++row)
        FillRow(row);
    FitListToRows(list_, kBarQuantityCount, kListWidth);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(list_, &QTableWidget::cellClicked, this, &CBarDialog::OpenEditor);
    connect(editor_, &CParEdit::EditFinished, this, &CBarDialog::OnEditFinished);
}

void CBarDialog::FillRow(int row)
{
    const BarQuantity& q = BarQuantities()[static_cast<size_t>(row)];
    list_->SetCellText(row, kNameColumn, UiText(q.nameId));
    list_->SetCellText(row, kFullColumn,
                       QString::fromStdString(BarCellText(q, set_, BarEnd::Full)));
    list_->SetCellText(row, kZeroColumn,
                       QString::fromStdString(BarCellText(q, set_, BarEnd::Zero)));
}

void CBarDialog::OpenEditor(int row, int column)
{
    if (!IsValueCell(row, column))
        return;
    const BarQuantity& q = BarQuantities()[static_cast<size_t>(row)];
    const std::int32_t value = set_.Get32(BarWord(q, EndOfColumn(column)));
    list_->selectRow(row);
    editor_->ShowEdit(column, row, list_->CellRect(row, column),
                      QString::fromStdString(FormatScaledValue(value, q.scale)));
}

void CBarDialog::OnEditFinished(const ParEditResult& result)
{
    if (result.kind != ParEditKind::Text || !IsValueCell(result.row, result.column))
        return;
    const BarQuantity& q = BarQuantities()[static_cast<size_t>(result.row)];
    if (!RunShowingErrors(
            [&] { StoreBarValue(q, EndOfColumn(result.column), result.text.toStdString(), set_); }))
        return; // the cell keeps its old value
    FillRow(result.row);
    const CellPos next = NeighbourCell({result.column, result.row}, result.move);
    if (result.move != EditMove::Stay && IsValueCell(next.row, next.column))
        OpenEditor(next.row, next.column);
}

void CBarDialog::done(int result)
{
    editor_->DialogEnded();
    QDialog::done(result);
}
