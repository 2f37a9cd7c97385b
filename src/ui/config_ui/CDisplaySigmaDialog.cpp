#include "config_ui/CDisplaySigmaDialog.h"

#include <QHeaderView>
#include <QPalette>
#include <QVBoxLayout>

#include "config/DisplayTexts.h"
#include "config/SigmaDisplay.h"
#include "config_ui/DisplayDialogParts.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CListCtrlInfoTip.h"
#include "widgets/CParEdit.h"
#include "widgets/UiText.h"

namespace {
constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kListWidth = 440;

QString ItemText(int code)
{
    const int textId = SigmaItemTextId(code);
    const QString text = textId != 0 ? UiText(textId) : QString();
    return text.isEmpty() ? QString::number(code) : text;
}
} // namespace

CDisplaySigmaDialog::CDisplaySigmaDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent), list_(new CListCtrlInfoTip(this)),
      editor_(new CParEdit(list_->viewport()))
{
    setWindowTitle(UiText(DisplayText::SigmaDisplaySetting));
    SetControlId(list_, kList);
    list_->SetColumns({UiText(DisplayText::Display), UiText(DisplayText::Value)}, {0.2});
    const int rows = SigmaRowCount(set_.type.Caps());
    list_->setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        FillRow(row);
    FitListToRows(list_, rows, kListWidth);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == kValueColumn)
            OpenEditor(row);
    });
    connect(editor_, &CParEdit::EditFinished, this, &CDisplaySigmaDialog::OnEditFinished);
}

void CDisplaySigmaDialog::FillRow(int row)
{
    list_->SetCellText(row, kNameColumn, UiText(SigmaRowNameId(row)));
    list_->SetCellText(row, kValueColumn, ItemText(set_[SigmaRowWord(row)]));
    if (SigmaRowEditable(set_.type.Caps(), row))
        return;
    const QBrush greyed = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int column : {kNameColumn, kValueColumn})
        list_->item(row, column)->setForeground(greyed);
}

void CDisplaySigmaDialog::OpenEditor(int row)
{
    const Capabilities caps = set_.type.Caps();
    if (row < 0 || row >= list_->rowCount() || !SigmaRowEditable(caps, row))
        return;
    const SigmaItemList items = SigmaItemsFor(caps, row);
    QStringList choices;
    for (int code : items.codes)
        choices << ItemText(code);
    list_->selectRow(row);
    editor_->ShowList(kValueColumn, row, list_->CellRect(row, kValueColumn), choices,
                      SigmaListPosition(items, set_[SigmaRowWord(row)]));
}

void CDisplaySigmaDialog::OnEditFinished(const ParEditResult& result)
{
    if (result.kind != ParEditKind::ListChoice)
        return;
    // The list moves only left and right, where no other value cell lies.
    if (StoreSigmaChoice(set_, result.row, result.listIndex))
        FillRow(result.row);
}

void CDisplaySigmaDialog::done(int result)
{
    editor_->DialogEnded();
    QDialog::done(result);
}
