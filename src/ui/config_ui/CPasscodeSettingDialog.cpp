#include "config_ui/CPasscodeSettingDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/IPromptService.h"
#include "config/MainWindowTexts.h"
#include "config/PanelPasscode.h"
#include "text/CStringTable.h"
#include "widgets/UiText.h"

namespace {
QLineEdit* PasscodeEdit(QWidget* parent, int controlId)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kPanelPasscodeLength);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    SetControlId(edit, controlId);
    return edit;
}
} // namespace

CPasscodeSettingDialog::CPasscodeSettingDialog(const ParameterSet& working, QWidget* parent)
    : QDialog(parent), set_(working)
{
    setWindowTitle(UiText(MainText::PasscodeSetting));
    newPasscode_ = PasscodeEdit(this, kNewPasscode);
    confirmPasscode_ = PasscodeEdit(this, kConfirmPasscode);

    auto* form = new QFormLayout;
    form->addRow(UiText(MainText::NewPasscode), newPasscode_);
    form->addRow(UiText(MainText::ConfirmNewPasscode), confirmPasscode_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiText(MainText::Ok), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(UiText(MainText::Cancel), QDialogButtonBox::RejectRole);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(UiText(MainText::EnterFourDigits), this));
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPasscodeSettingDialog::accept()
{
    const auto result = ReadPanelPasscode(newPasscode_->text().toStdString(),
                                          confirmPasscode_->text().toStdString());
    if (const auto* error = std::get_if<PanelPasscodeError>(&result)) {
        Prompts().Error(LoadText(error->messageId));
        newPasscode_->setFocus();
        return;
    }
    set_[kPanelPasscodeWord] = std::get<std::uint16_t>(result);
    QDialog::accept();
}
