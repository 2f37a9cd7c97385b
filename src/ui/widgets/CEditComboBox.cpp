#include "widgets/CEditComboBox.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include "widgets/EditKeys.h"

CEditComboBox::CEditComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(12);
    view()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this](int) {
        chosen_ = true;
        if (editing_)
            Finish({true, EditMove::Stay});
    });
}

void CEditComboBox::Begin()
{
    editing_ = true;
    chosen_ = false;
    outcome_ = {};
}

void CEditComboBox::Abandon()
{
    editing_ = false;
    if (popupOpen_) {
        popupOpen_ = false;
        QComboBox::hidePopup();
    }
}

void CEditComboBox::showPopup()
{
    popupOpen_ = true;
    chosen_ = false;
    QComboBox::showPopup();
}

void CEditComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!popupOpen_)
        return;
    popupOpen_ = false;
    // A confirmed choice is reported (activated) right after the list closes,
    // in the same event; only when none follows was the list cancelled.
    QTimer::singleShot(0, this, &CEditComboBox::PopupClosed);
}

void CEditComboBox::PopupClosed()
{
    if (editing_ && !chosen_)
        Finish({false, EditMove::Stay});
}

bool CEditComboBox::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && editing_) {
        const EditKey key = EditKeyOf(*static_cast<QKeyEvent*>(event));
        if ((key == EditKey::Tab || key == EditKey::BackTab) &&
            HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QComboBox::event(event);
}

bool CEditComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // While the list is open its view has the keyboard; Left and Right still
    // leave the cell. Enter and Escape stay with the list (choose / cancel).
    if (watched == view() && event->type() == QEvent::KeyPress && editing_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const EditKey k = EditKeyOf(*key);
        if ((k == EditKey::Left || k == EditKey::Right) && HandleKey(key))
            return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void CEditComboBox::keyPressEvent(QKeyEvent* event)
{
    if (editing_ && HandleKey(event))
        return;
    QComboBox::keyPressEvent(event);
}

bool CEditComboBox::HandleKey(QKeyEvent* event)
{
    const auto outcome = EditComboKeyOutcome(EditKeyOf(*event));
    if (!outcome)
        return false;
    event->accept();
    Finish(*outcome);
    return true;
}

void CEditComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // The open list takes the focus as a popup; that is part of the edit.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (editing_ && isVisible() && !popupOpen_)
        Finish({false, EditMove::Stay});
}

void CEditComboBox::Finish(EditOutcome outcome)
{
    editing_ = false;
    outcome_ = outcome;
    if (popupOpen_) {
        popupOpen_ = false;
        QComboBox::hidePopup();
    }
    hide();
    emit Finished(outcome_);
}
