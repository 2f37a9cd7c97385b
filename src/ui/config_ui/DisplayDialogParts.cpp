#include "config_ui/DisplayDialogParts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "config/DisplayTexts.h"
#include "widgets/UiText.h"

void AddOkCancel(QDialog* dialog, QBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(UiText(DisplayText::Ok), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(UiText(DisplayText::Cancel), QDialogButtonBox::RejectRole);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

QComboBox* CodedCombo(QWidget* parent, int controlId, const std::vector<CodedEntry>& entries,
                      int selected)
{
    auto* combo = new QComboBox(parent);
    SetControlId(combo, controlId);
    for (const auto& entry : entries)
        combo->addItem(UiText(entry.textId), entry.code);
    combo->setCurrentIndex(selected >= 0 && selected < combo->count() ? selected : -1);
    return combo;
}

