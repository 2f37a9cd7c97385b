#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "config/InterfaceTexts.h"
#include "text/NumericFieldReader.h"
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
    return MakeOkCancelButtons(dialog, InterfaceChoice::Ok, InterfaceChoice::Cancel);
}

bool ReadField(QLineEdit* edit, const NumericField& field, std::int64_t& value)
{
    try {
        value = ReadNumericField(edit->text().trimmed().toStdString(), field);
        return true;
    } catch (const CPrivateException& e) {
        if (!e.IsAbort())
            Prompts().Error(e.Text());
        edit->setFocus();
        edit->selectAll();
        return false;
    }
}

QString ScaledText(std::int64_t value, int scale)
{
    return QString::fromStdString(FormatScaledValue(value, scale));
}
