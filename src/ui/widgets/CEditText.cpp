#include "widgets/CEditText.h"

#include <QFocusEvent>

#include "widgets/EditKeys.h"

CEditText::CEditText(QWidget* parent) : QLineEdit(parent)
{
    setFrame(true);
}

void CEditText::Begin()
{
    editing_ = true;
    outcome_ = {};
}

bool CEditText::event(QEvent* event)
{
    // Tab and Shift+Tab would otherwise move the focus before keyPressEvent.
    if (event->type() == QEvent::KeyPress && editing_) {
        const EditKey key = EditKeyOf(*static_cast<QKeyEvent*>(event));
        if (key == EditKey::Tab || key == EditKey::BackTab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CEditText::keyPressEvent(QKeyEvent* event)
{
    if (editing_) {
        const auto outcome = EditTextKeyOutcome(EditKeyOf(*event), cursorPosition(),
                                                static_cast<int>(text().size()));
        if (outcome) {
            event->accept();
            Finish(*outcome);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CEditText::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A context menu of the field, or another window coming to the front, does
    // not end the edit; the focus moving to another control does.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (editing_ && isVisible()) {
        hide();
        Finish({false, EditMove::Stay});
    }
}

void CEditText::Finish(EditOutcome outcome)
{
    editing_ = false;
    outcome_ = outcome;
    emit Finished(outcome_);
}
