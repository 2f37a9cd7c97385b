#include "app/PasscodeDialogLayout.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/DialogText.h"
#include "text/TextIds.h"
#include "widgets/UiText.h"

namespace {
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kEditWidth = 160;
} // namespace

PasscodeDialogLayout::PasscodeDialogLayout(QDialog& dialog, int captionId, int messageId)
    : dialog_(dialog)
{
    dialog.setWindowTitle(UiText(captionId));
    ApplyAppIcon(dialog);
    auto* layout = new QVBoxLayout(&dialog);
    auto* message = new QLabel(DialogText(messageId), &dialog);
    layout->addWidget(message);
    grid_ = new QGridLayout;
    grid_->setColumnStretch(1, 1);
    layout->addLayout(grid_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* PasscodeDialogLayout::AddEdit(int labelId, int controlId)
{
    const int row = grid_->rowCount();
    auto* edit = new QLineEdit(&dialog_);
    SetControlId(edit, controlId);
    edit->setMinimumWidth(kEditWidth);
    if (labelId == 0) {
        grid_->addWidget(edit, row, 0, 1, 2);
        return edit;
    }
    grid_->addWidget(new QLabel(UiText(labelId), &dialog_), row, 0);
    grid_->addWidget(edit, row, 1);
    return edit;
}

void PasscodeDialogLayout::AddButtons()
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(UiText(TextId::Ok), &dialog_);
    SetControlId(ok, kOkId);
    ok->setDefault(true);
    auto* cancel = new QPushButton(UiText(TextId::Cancel), &dialog_);
    SetControlId(cancel, kCancelId);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    static_cast<QVBoxLayout*>(dialog_.layout())->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog_, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog_, &QDialog::reject);
}
