#include "widgets/CParEdit.h"

#include <QWidget>

#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"

namespace {
// The editors sit one pixel higher than the cell, over its top grid line,
// so that their frame does not hide the text's first row of pixels.
QRect EditorRect(const QRect& cell)
{
    return cell.adjusted(0, -1, 0, 0);
}
} // namespace

CParEdit::CParEdit(QWidget* host)
    : QObject(host), edit_(new CEditText(host)), list_(new CEditComboBox(host))
{
    edit_->hide();
    list_->hide();
    connect(edit_, &CEditText::Finished, this, &CParEdit::OnEditFinished);
    connect(list_, &CEditComboBox::Finished, this, &CParEdit::OnListFinished);
}

void CParEdit::ShowEdit(int column, int row, const QRect& cellRect, const QString& text,
                        const QString& startText)
{
    HideEditors();
    column_ = column;
    row_ = row;
    editRect_ = EditorRect(cellRect);
    edit_->setGeometry(editRect_);
    edit_->setText(text);
    edit_->selectAll();
    if (!startText.isEmpty())
        edit_->insert(startText);
    edit_->Begin();
    edit_->show();
    edit_->raise();
    edit_->setFocus(Qt::OtherFocusReason);
}

void CParEdit::ShowList(int column, int row, const QRect& cellRect, const QStringList& choices,
                        int selected)
{
    HideEditors();
    column_ = column;
    row_ = row;
    list_->clear();
    list_->addItems(choices);
    list_->setCurrentIndex(selected >= 0 && selected < choices.size() ? selected : -1);
    list_->setGeometry(EditorRect(cellRect));
    list_->Begin();
    list_->show();
    list_->raise();
    list_->setFocus(Qt::OtherFocusReason);
    list_->showPopup();
}

void CParEdit::ReopenEdit()
{
    HideEditors();
    edit_->setGeometry(editRect_);
    edit_->selectAll();
    edit_->Begin();
    edit_->show();
    edit_->raise();
    edit_->setFocus(Qt::OtherFocusReason);
}

void CParEdit::HideEditors()
{
    // Editing is ended before hiding, so the focus loss is not an outcome;
    // the focus goes back to the grid or list for the keyboard.
    auto* host = qobject_cast<QWidget*>(parent());
    const bool hadFocus = (edit_ && edit_->hasFocus()) || (list_ && list_->hasFocus());
    if (edit_) {
        edit_->Abandon();
        edit_->hide();
    }
    if (list_) {
        list_->Abandon();
        list_->hide();
    }
    if (hadFocus && host && host->isVisible())
        host->setFocus(Qt::OtherFocusReason);
}

void CParEdit::DialogEnded()
{
    const bool wasEditing = IsEditing();
    HideEditors();
    if (!wasEditing)
        return;
    result_ = {ParEditKind::Nothing, column_, row_, -1, QString(), EditMove::Stay};
    emit EditFinished(result_);
}

bool CParEdit::IsEditing() const
{
    return (edit_ && edit_->Editing()) || (list_ && list_->Editing());
}

void CParEdit::OnEditFinished(const EditOutcome& outcome)
{
    result_ = {outcome.accepted ? ParEditKind::Text : ParEditKind::Nothing,
               column_,
               row_,
               -1,
               edit_->text(),
               outcome.move};
    Report();
}

void CParEdit::OnListFinished(const EditOutcome& outcome)
{
    const bool chosen = outcome.accepted && list_->currentIndex() >= 0;
    result_ = {chosen ? ParEditKind::ListChoice : ParEditKind::Nothing,
               column_,
               row_,
               list_->currentIndex(),
               QString(),
               outcome.move};
    Report();
}

void CParEdit::Report()
{
    HideEditors();
    emit EditFinished(result_);
}
