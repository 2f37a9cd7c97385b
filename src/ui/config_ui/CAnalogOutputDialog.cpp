#include "config_ui/CAnalogOutputDialog.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "app/RunShowingErrors.h"
#include "config/InterfaceTexts.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "edit/EditOutcome.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
QStringList ChoiceTexts(const AoChoices& choices)
{
    QStringList texts;
    for (const int value : choices.values)
        texts << UiText(choices.textBase + value);
    return texts;
}
} // namespace

CAnalogOutputDialog::CAnalogOutputDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), rows_(AnalogOutputRows(working.type.Caps())),
      columns_(AnalogOutputColumns(working.type.Caps())), list_(new CListCtrlInfoTip(this)),
      editor_(new CParEdit(list_->viewport()))
{
    setWindowTitle(UiText(InterfaceText::AnalogOutputSetting));
    SetControlId(list_, kAoListControl);

    QStringList headings{QString()};
    std::vector<double> fractions{0.28};
    for (int output = 0; output < columns_; ++output) {
        headings << UiText(InterfaceChoice::AoColumnBase + 1 + output);
        fractions.push_back(0.72 / columns_);
    }
    list_->SetColumns(headings, fractions);
    list_->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r)
        list_->SetCellText(r, 0, UiText(AoRowNameId(rows_[size_t(r)])));
    for (int output = 0; output < columns_; ++output)
        FillColumn(output);

    const int rowHeight = list_->verticalHeader()->defaultSectionSize();
    list_->setMinimumSize(180 + 150 * columns_, rowHeight * 18);
    connect(list_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { OpenEditor(column, row); });
    connect(editor_, &CParEdit::EditFinished, this, &CAnalogOutputDialog::EditFinished);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(OkCancelButtons(this));
}

void CAnalogOutputDialog::FillColumn(int output)
{
    for (int r = 0; r < int(rows_.size()); ++r)
        list_->SetCellText(r, output + 1,
                           QString::fromStdString(AoCellText(set_, output, rows_[size_t(r)])));
}

void CAnalogOutputDialog::OpenEditor(int column, int row)
{
    if (column < 1 || column > columns_ || row < 0 || row >= int(rows_.size()))
        return;
    const AoRow& aoRow = rows_[size_t(row)];
    const int output = column - 1;
    list_->setCurrentCell(row, column);
    const QRect rect = list_->CellRect(row, column);
    if (!IsAoListRow(aoRow.kind)) {
        editor_->ShowEdit(column, row, rect,
                          QString::fromStdString(AoEditText(set_, output, aoRow)));
        return;
    }
    const AoChoices choices = AoChoicesFor(aoRow.kind, set_.type.Caps());
    editor_->ShowList(column, row, rect, ChoiceTexts(choices),
                      AoChoiceIndex(choices, set_[AoWord(output, aoRow)]));
}

void CAnalogOutputDialog::EditFinished(const ParEditResult& result)
{
    if (result.column < 1 || result.column > columns_ || result.row < 0 ||
        result.row >= int(rows_.size()))
        return;
    if (result.kind == ParEditKind::Nothing)
        return;
    if (!Store(result.column - 1, rows_[size_t(result.row)], result))
        return;
    FillColumn(result.column - 1);
    const CellPos next = NeighbourCell({result.column, result.row}, result.move);
    if (result.move != EditMove::Stay)
        OpenEditor(next.column, next.row);
}

bool CAnalogOutputDialog::Store(int output, const AoRow& row, const ParEditResult& result)
{
    if (result.kind == ParEditKind::ListChoice)
        return StoreAoChoice(set_, output, row, result.listIndex);
    // A refused number leaves the cell at its old value.
    return RunShowingErrors(
        [&] { StoreAoNumber(set_, output, row, result.text.trimmed().toStdString()); });
}

void CAnalogOutputDialog::done(int result)
{
    editor_->DialogEnded();
    QDialog::done(result);
}
