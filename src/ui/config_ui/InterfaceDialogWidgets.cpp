#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/RunShowingErrors.h"
#include "config/InterfaceTexts.h"
#include "text/TextIds.h"
#include "widgets/UiText.h"

QLabel* InterfaceLabel(QWidget* parent, int textId, int controlId)
{
    auto* label = new QLabel(UiText(textId), parent);
    if (controlId != 0)
        SetControlId(label, controlId);
    return label;
}

QComboBox* ChoiceList(QWidget* parent, int controlId, int textBase, int count)
{
    auto* list = new QComboBox(parent);
    for (int i = 0; i < count; ++i)
        list->addItem(UiText(textBase + i));
    SetControlId(list, controlId);
    return list;
}

QRadioButton* RadioButton(QWidget* parent, int controlId, int textId)
{
    auto* button = new QRadioButton(UiText(textId), parent);
    SetControlId(button, controlId);
    return button;
}

QLineEdit* NumberEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000000")));
    SetControlId(edit, controlId);
    return edit;
}

QWidget* OkCancelButtons(QDialog* dialog)
{
    return MakeOkCancelButtons(dialog, TextId::Ok, TextId::Cancel);
}

std::string FieldText(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
}

bool ReadFormShowingErrors(QWidget* dialog,
                           const std::function<void(const FocusControl& focus)>& read)
{
    int refused = 0;
    if (RunShowingErrors([&] { read([&refused](int controlId) { refused = controlId; }); }))
        return true;
    QWidget* control = refused != 0 ? FindControl<QWidget>(dialog, refused) : nullptr;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (auto* list = qobject_cast<QComboBox*>(control))
        edit = list->lineEdit();
    if (edit) {
        edit->setFocus();
        edit->selectAll();
    }
    return false;
}
