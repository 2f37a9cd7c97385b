#include "config_ui/CAdvancedModbusDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/InterfaceTexts.h"
#include "config/ModbusSettingsRules.h"
#include "config_ui/InterfaceDialogWidgets.h"
#include "widgets/UiText.h"

using namespace AdvancedModbusControl;

CAdvancedModbusDialog::CAdvancedModbusDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    using namespace InterfaceText;
    setWindowTitle(UiText(AdvancedModbusSetting));
    normal_ = RadioButton(this, Normal, NormalLowFirst);
    swap_ = RadioButton(this, Swap, SwapHighFirst);
    const AdvancedModbusForm form = AdvancedModbusFormOf(set_);
    swap_->setChecked(form.swap);
    normal_->setChecked(!form.swap);
    t15_ = NumberEdit(this, AdvancedModbusControl::T15);
    t35_ = NumberEdit(this, AdvancedModbusControl::T35);

    auto* order = new QHBoxLayout;
    order->addWidget(normal_);
    order->addWidget(swap_);
    auto* grid = new QGridLayout;
    grid->addWidget(InterfaceLabel(this, LongRegister), 0, 0);
    grid->addLayout(order, 0, 1, 1, 3);
    grid->addWidget(InterfaceLabel(this, ProtocolOperationTimer, TimerLabel), 1, 0);
    grid->addWidget(InterfaceLabel(this, InterfaceText::T15, T15Label), 1, 1);
    grid->addWidget(t15_, 1, 2);
    grid->addWidget(InterfaceLabel(this, Characters, T15Unit), 1, 3);
    grid->addWidget(InterfaceLabel(this, InterfaceText::T35, T35Label), 2, 1);
    grid->addWidget(t35_, 2, 2);
    grid->addWidget(InterfaceLabel(this, Characters, T35Unit), 2, 3);
    auto* warning = InterfaceLabel(this, TimerWarning, Warning);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(warning);
    layout->addWidget(OkCancelButtons(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    t15_->setText(QString::fromStdString(form.t15));
    t35_->setText(QString::fromStdString(form.t35));
    if (!ModbusTimersEditable(set_.type.Caps())) {
        for (const int id : {TimerLabel, T15Label, AdvancedModbusControl::T15, T15Unit, T35Label,
                             AdvancedModbusControl::T35, T35Unit, Warning})
            FindControl<QWidget>(this, id)->setEnabled(false);
    }
}

void CAdvancedModbusDialog::accept()
{
    const AdvancedModbusForm form{swap_->isChecked(), FieldText(t15_), FieldText(t35_)};
    if (ReadFormShowingErrors(
            this, [&](const FocusControl& focus) { ReadAdvancedModbusForm(form, set_, focus); }))
        QDialog::accept();
}
