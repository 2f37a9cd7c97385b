#pragma once

#include <QComboBox>

#include "edit/EditOutcome.h"

// The drop-down list laid over a cell for in-place editing. Between Begin()
// and the end of the edit it reports exactly one outcome through Finished(),
// hiding itself first: a choice confirmed in the open list (click, Enter) or
// Enter on the closed list accepts; closing the list without a choice
// (Escape, a click outside) or Escape discards; Left / Right (also Shift+Tab /
// Tab) accept and move; the focus moving to another control discards.
class CEditComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CEditComboBox(QWidget* parent = nullptr);

    // Starts an edit session; the caller has placed, filled and shown the list.
    void Begin();
    // Ends the session without an outcome (the owner hides the list).
    void Abandon();
    bool Editing() const { return editing_; }
    const EditOutcome& Outcome() const { return outcome_; }

    void showPopup() override;
    void hidePopup() override;

signals:
    void Finished(const EditOutcome& outcome);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HandleKey(QKeyEvent* event);
    void PopupClosed();
    void Finish(EditOutcome outcome);

    bool editing_ = false;
    bool popupOpen_ = false;
    bool chosen_ = false;
    EditOutcome outcome_;
};
