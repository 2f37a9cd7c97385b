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
    const DiscreteInputForm form = DiscreteInputFormOf(set_);
    const int count = DiscreteInputFunctionCount(set_.type.Caps());
    function_ = ChoiceList(this, DiControl::Function, InterfaceChoice::DiFunctionBase, count);
    function_->setCurrentIndex(form.function);

    normalOpen_ = RadioButton(this, DiControl::NormalOpen, InterfaceChoice::ContactTypeBase);
    normalClose_ = RadioButton(this, DiControl::NormalClose, InterfaceChoice::ContactTypeBase + 1);
    normalOpen_->setChecked(!form.normalClose);
    normalClose_->setChecked(form.normalClose);

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
    ReadDiscreteInputForm({function_->currentIndex(), normalClose_->isChecked()}, set_);
    QDialog::accept();
}
