#include "app/CProtectDialog.h"

#include <QLineEdit>

#include "app/CPrivateException.h"
#include "app/PasscodeDialogLayout.h"
#include "app/PasscodeInput.h"
#include "text/TextIds.h"

namespace {
constexpr int kTextCaption = 20218;
constexpr int kTextMessage = 20219;
constexpr int kTextCurrent = 20220;
} // namespace

CProtectDialog::CProtectDialog(QWidget* parent) : QDialog(parent)
{
    PasscodeDialogLayout frame(*this, kTextCaption, kTextMessage);
    current_ = frame.AddEdit(kTextCurrent, kCurrentPasscode);
    new_ = frame.AddEdit(TextId::NewPasscode, kNewPasscode);
    confirm_ = frame.AddEdit(TextId::ConfirmPasscode, kConfirmPasscode);
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
