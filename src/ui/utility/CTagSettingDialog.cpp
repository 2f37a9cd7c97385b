#include "utility/CTagSettingDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>

#include "app/AppIcon.h"
#include "text/TextIds.h"
#include "utility/DeviceCommand.h"
#include "utility/DeviceInformation.h"
#include "widgets/DialogButtons.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

constexpr int kTextCaption = 25541;
constexpr int kTextTag = 25542;
constexpr qsizetype kTagBytes = 16;
// Room for 16 characters of the widest digits and capitals.
constexpr int kEditChars = 20;

// Refuses an edit that would need more than the device's 16 bytes.
class CTagValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return input.toUtf8().size() <= kTagBytes ? Acceptable : Invalid;
    }
};

} // namespace

CTagSettingDialog::CTagSettingDialog(const std::string& tag, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* form = new QFormLayout;
    edit_ = new QLineEdit(QString::fromStdString(tag), this);
    SetControlId(edit_, kTag);
    edit_->setValidator(new CTagValidator(edit_));
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * kEditChars);
    edit_->selectAll();
    form->addRow(UiText(kTextTag), edit_);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancelButtons(this, TextId::Ok, TextId::Cancel));
}

std::string CTagSettingDialog::Tag() const
{
    return edit_->text().toStdString();
}

bool RunTagSetting(CModbusInterface& connection, QWidget* parent)
{
    std::string tag;
    if (!RunDeviceCommand([&] {
            CWaitCursor waiting;
            tag = ReadTagSetting(connection);
        }))
        return false;
    CTagSettingDialog dialog(tag, parent);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    return RunDeviceCommand([&] { WriteTag(connection, dialog.Tag()); });
}
