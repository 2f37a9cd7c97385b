#include "config_ui/CDiscreteInputDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/DiscreteIoRules.h"
#include "config/InterfaceTexts.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/UiText.h"

CDiscreteInputDialog::CDiscreteInputDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(InterfaceText::DiscreteInputSetting));
    const int count = DiscreteInputFunctionCount(set_.type.Caps());
    function_ = ChoiceList(this, DiControl::Function, InterfaceChoice::DiFunctionBase, count);
    function_->setCurrentIndex(
        DiscreteInputFunctionIndex(set_.type.Caps(), set_[DiscreteWord::InputFunction]));

    normalOpen_ = RadioButton(this, DiControl::NormalOpen, InterfaceChoice::ContactTypeBase);
    normalClose_ = RadioButton(this, DiControl::NormalClose, InterfaceChoice::ContactTypeBase + 1);
    const bool close = ShowsNormalClose(set_[DiscreteWord::InputType]);
    normalOpen_->setChecked(!close);
    normalClose_->setChecked(close);

    auto* contacts = new QHBoxLayout;
    contacts->addWidget(normalOpen_);
    contacts->addWidget(normalClose_);
    auto* grid = new QGridLayout;
    grid->addWidget(InterfaceLabel(this, InterfaceText::Function), 0, 0);
    grid->addWidget(function_, 0, 1);
    grid->addWidget(InterfaceLabel(this, InterfaceText::ContactType), 1, 0);
    grid->addLayout(contacts, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDiscreteInputDialog::accept()
{
    if (function_->currentIndex() >= 0)
        set_[DiscreteWord::InputFunction] = static_cast<std::uint16_t>(function_->currentIndex());
    set_[DiscreteWord::InputType] = static_cast<std::uint16_t>(
        normalClose_->isChecked() ? ContactType::NormalClose : ContactType::NormalOpen);
    QDialog::accept();
}
