#include "config_ui/CCCLinkDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/InterfaceTexts.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/UiText.h"

CCCLinkDialog::CCCLinkDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(InterfaceText::CcLinkSetting));
    const CcLinkForm form = CcLinkFormOf(set_);
    nodeAddress_ = NumberEdit(this, CcLinkControl::NodeAddress);
    nodeAddress_->setText(QString::fromStdString(form.nodeAddress));
    transferRate_ = ChoiceList(this, CcLinkControl::TransferRate, InterfaceChoice::CcLinkRateBase,
                               kCcLinkRateCount);
    transferRate_->setCurrentIndex(form.transferRate);

    auto* grid = new QGridLayout;
    grid->addWidget(InterfaceLabel(this, InterfaceText::NodeAddress), 0, 0);
    grid->addWidget(nodeAddress_, 0, 1);
    grid->addWidget(InterfaceLabel(this, InterfaceText::TransferRate), 1, 0);
    grid->addWidget(transferRate_, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CCCLinkDialog::accept()
{
    const CcLinkForm form{FieldText(nodeAddress_), transferRate_->currentIndex()};
    if (ReadFormShowingErrors(
            this, [&](const FocusControl& focus) { ReadCcLinkForm(form, set_, focus); }))
        QDialog::accept();
}
