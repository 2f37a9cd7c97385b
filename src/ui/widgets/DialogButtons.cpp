#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "widgets/UiText.h"

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog, int okTextId, int cancelTextId)
{
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(UiText(okTextId), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(UiText(cancelTextId), QDialogButtonBox::RejectRole);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
