#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include "edit/EditOutcome.h"

class CEditComboBox;
class CEditText;

// What CParEdit reports when an in-place edit ends.
struct ParEditResult {
    ParEditKind kind = ParEditKind::Nothing; // Nothing: store nothing
    int column = 0;                          // the cell the editor was opened on
    int row = 0;
    int listIndex = -1; // ListChoice: the chosen entry
    QString text;       // Text: the edited text
    EditMove move = EditMove::Stay;
};

// The in-place editing of one grid or list: owns an edit field and a
// drop-down list, hidden children of `host` (a CDataGridView, or a list
// view's viewport) with its font, shows one of them over a cell and emits
// EditFinished once per edit, with both editors already hidden. The dialog
// stores the value when the kind is not Nothing, redraws the cell and, for a
// move, opens the editor on the neighbouring cell; when the value is refused
// it calls ReopenEdit() to keep the field open with its text selected.
class CParEdit : public QObject {
    Q_OBJECT
public:
    explicit CParEdit(QWidget* host);

    // Opens the edit field over a cell (rectangle in host coordinates) with
    // the cell's text selected; a non-empty startText (the typed character
    // that opened the edit) replaces it, the caret after it.
    void ShowEdit(int column, int row, const QRect& cellRect, const QString& text,
                  const QString& startText = QString());
    // Opens the drop-down list over a cell with `selected` chosen and its list
    // dropped down.
    void ShowList(int column, int row, const QRect& cellRect, const QStringList& choices,
                  int selected);
    // Opens the edit field again where it was, with the text the user left.
    void ReopenEdit();
    // Hides both editors without a report.
    void HideEditors();
    // The dialog ends: an open editor closes with nothing to store.
    void DialogEnded();

    bool IsEditing() const;
    const ParEditResult& Result() const { return result_; }
    CEditText* Edit() const { return edit_; }
    CEditComboBox* List() const { return list_; }

signals:
    void EditFinished(const ParEditResult& result);

private:
    void OnEditFinished(const EditOutcome& outcome);
    void OnListFinished(const EditOutcome& outcome);
    void Report();

    QPointer<CEditText> edit_;
    QPointer<CEditComboBox> list_;
    int column_ = 0;
    int row_ = 0;
    QRect editRect_;
    ParEditResult result_;
};
