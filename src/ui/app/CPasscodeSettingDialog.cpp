#include "app/CPasscodeSettingDialog.h"

#include <QLineEdit>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "app/PasscodeDialogLayout.h"
#include "app/PasscodeInput.h"

namespace {
constexpr int kTextCaption = 20223;
constexpr int kTextMessage = 20224;
constexpr int kTextNew = 20221;
constexpr int kTextConfirm = 20222;
} // namespace

CPasscodeSettingDialog::CPasscodeSettingDialog(QWidget* parent) : QDialog(parent)
{
    PasscodeDialogLayout frame(*this, kTextCaption, kTextMessage);
    new_ = frame.AddEdit(kTextNew, kNewPasscode);
    confirm_ = frame.AddEdit(kTextConfirm, kConfirmPasscode);
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
