#include "app/CEnterPasscodeDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

#include "app/PasscodeDialogLayout.h"
#include "app/PasscodeInput.h"
#include "widgets/UiText.h"

namespace {
constexpr int kTextCaption = 20215;
constexpr int kTextMessage = 20217;
constexpr int kTextSavePasscode = 20216;
// Stands in for a remembered passcode, which is never shown.
const char* const kMask = "xxxxxxxxxxxx";
} // namespace

CEnterPasscodeDialog::CEnterPasscodeDialog(CSettingsStore& store, QWidget* parent)
    : QDialog(parent), store_(store)
{
    PasscodeDialogLayout frame(*this, kTextCaption, kTextMessage);
    edit_ = frame.AddEdit(0, kPasscode);
    save_ = new QCheckBox(UiText(kTextSavePasscode), this);
    SetControlId(save_, kSavePasscode);
    frame.Grid().addWidget(save_, frame.Grid().rowCount(), 0, 1, 2);
    frame.AddButtons();

    const EnterPasscodeStart start = LoadEnterPasscode(store_);
    passcode_ = start.passcode;
    save_->setChecked(start.remember);
    if (start.remember)
        edit_->setText(QString::fromLatin1(kMask));
    // Only the user's own edits count as typed; the mask above does not.
    connect(edit_, &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void CEnterPasscodeDialog::accept()
{
    passcode_ = CommitEnterPasscode(store_, typed_, edit_->text().toStdString(), save_->isChecked(),
                                    passcode_);
    QDialog::accept();
}
