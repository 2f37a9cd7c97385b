#include "app/CPasscodeSettingDialog.h"

#include <QLineEdit>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "app/PasscodeDialogLayout.h"
#include "app/PasscodeInput.h"
#include "text/TextIds.h"

namespace {
constexpr int kTextCaption = 20223;
constexpr int kTextMessage = 20224;
} // namespace

CPasscodeSettingDialog::CPasscodeSettingDialog(QWidget* parent) : QDialog(parent)
{
    PasscodeDialogLayout frame(*this, kTextCaption, kTextMessage);
    new_ = frame.AddEdit(TextId::NewPasscode, kNewPasscode);
    confirm_ = frame.AddEdit(TextId::ConfirmPasscode, kConfirmPasscode);
    new_->setMaxLength(kFrontPanelPasscodeLength);
    confirm_->setMaxLength(kFrontPanelPasscodeLength);
    frame.AddButtons();
}

void CPasscodeSettingDialog::accept()
{
    try {
        passcode_ =
            ReadFrontPanelPasscode(new_->text().toStdString(), confirm_->text().toStdString());
    } catch (const CPrivateException& e) {
        Prompts().Error(e.Text());
        new_->setFocus();
        new_->selectAll();
        return;
    }
    QDialog::accept();
}
