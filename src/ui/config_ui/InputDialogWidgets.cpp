#include "config_ui/InputDialogWidgets.h"
#include "widgets/DialogButtons.h"

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "config/InputDialogTexts.h"
#include "widgets/UiText.h"

namespace InputDialogWidgets {
namespace {
constexpr int kEditPadding = 12;
}

QLabel* Label(QWidget* parent, int textId, int controlId)
{
    auto* label = new QLabel(UiText(textId), parent);
    if (controlId)
        SetControlId(label, controlId);
    return label;
}

QLineEdit* NumberEdit(QWidget* parent, int controlId, const QString& widest)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, controlId);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + kEditPadding);
    return edit;
}

QRadioButton* Radio(QWidget* parent, int textId, int controlId)
{
    auto* radio = new QRadioButton(UiText(textId), parent);
    SetControlId(radio, controlId);
    return radio;
}

QButtonGroup* RadioPair(QWidget* parent, QRadioButton* zero, QRadioButton* one)
{
    auto* pair = new QButtonGroup(parent);
    pair->addButton(zero, 0);
    pair->addButton(one, 1);
    return pair;
}

void CheckPair(QButtonGroup* pair, bool one)
{
    pair->button(one ? 1 : 0)->setChecked(true);
}

// An exclusive group refuses to uncheck its last checked button.
void ClearPair(QButtonGroup* pair)
{
    pair->setExclusive(false);
    for (QAbstractButton* b : pair->buttons())
        b->setChecked(false);
    pair->setExclusive(true);
}

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    return MakeOkCancelButtons(dialog, InputText::Ok, InputText::Cancel);
}
} // namespace InputDialogWidgets
