#include "config_ui/CCCLinkDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/DiscreteIoRules.h"
#include "config/InterfaceTexts.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/UiText.h"

CCCLinkDialog::CCCLinkDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(InterfaceText::CcLinkSetting));
    nodeAddress_ = NumberEdit(this, CcLinkControl::NodeAddress);
    nodeAddress_->setText(QString::number(set_[ModbusWord::CcLinkNode]));
    transferRate_ = ChoiceList(this, CcLinkControl::TransferRate, InterfaceChoice::CcLinkRateBase,
                               kCcLinkRateCount);
    transferRate_->setCurrentIndex(ChoiceListIndex(set_[ModbusWord::CcLinkRate], kCcLinkRateCount));

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
    std::int64_t node = 0;
    if (!ReadField(nodeAddress_, CcLinkNodeField(), node))
        return;
    set_[ModbusWord::CcLinkNode] = static_cast<std::uint16_t>(node);
    set_[ModbusWord::CcLinkRate] = static_cast<std::uint16_t>(transferRate_->currentIndex());
    QDialog::accept();
}
