#pragma once

#include <QLineEdit>

#include "edit/EditOutcome.h"

// The edit field laid over a cell for in-place editing. Between Begin() and
// the end of the edit it reports exactly one outcome through Finished():
// Enter accepts and stays; Up/Down accept and move; Left at the start and
// Right at the end of the text accept and move (elsewhere they move the
// caret); Tab / Shift+Tab accept and move right / left; Escape and losing the
// focus to another control discard. The outcome is kept until the next Begin().
class CEditText : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditText(QWidget* parent = nullptr);

    // Starts an edit session; the caller has placed, filled and shown the field.
    void Begin();
    // Ends the session without an outcome (the owner hides the field).
    void Abandon() { editing_ = false; }
    bool Editing() const { return editing_; }
    const EditOutcome& Outcome() const { return outcome_; }

signals:
    void Finished(const EditOutcome& outcome);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Finish(EditOutcome outcome);

    bool editing_ = false;
    EditOutcome outcome_;
};
