#include "app/CProtectDialog.h"

#include <QLineEdit>

#include "app/CPrivateException.h"
#include "app/PasscodeDialogLayout.h"
#include "app/PasscodeInput.h"

namespace {
constexpr int kTextCaption = 20218;
constexpr int kTextMessage = 20219;
constexpr int kTextCurrent = 20220;
constexpr int kTextNew = 20221;
constexpr int kTextConfirm = 20222;
} // namespace

CProtectDialog::CProtectDialog(QWidget* parent) : QDialog(parent)
{
    PasscodeDialogLayout frame(*this, kTextCaption, kTextMessage);
    current_ = frame.AddEdit(kTextCurrent, kCurrentPasscode);
    new_ = frame.AddEdit(kTextNew, kNewPasscode);
    confirm_ = frame.AddEdit(kTextConfirm, kConfirmPasscode);
    frame.AddButtons();
}

void CProtectDialog::accept()
{
    ProtectInputError error{ProtectField::ConfirmPasscode, {}};
    try {
        request_ = ReadProtectRequest(current_->text().toStdString(), new_->text().toStdString(),
                                      confirm_->text().toStdString(), &error);
    } catch (const CPrivateException& e) {
        Prompts().Error(e.Text());
        QLineEdit* field = error.field == ProtectField::CurrentPasscode ? current_
                           : error.field == ProtectField::NewPasscode   ? new_
                                                                        : confirm_;
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}
