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
    : CWorkingSetDialog(working, parent), timersEditable_(ModbusTimersEditable(working.type.Caps()))
{
    using namespace InterfaceText;
    setWindowTitle(UiText(AdvancedModbusSetting));
    normal_ = RadioButton(this, Normal, NormalLowFirst);
    swap_ = RadioButton(this, Swap, SwapHighFirst);
    const bool swapped = set_[ModbusWord::LongRegister] != 0;
    swap_->setChecked(swapped);
    normal_->setChecked(!swapped);
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

    if (timersEditable_) {
        t15_->setText(ScaledText(set_[ModbusWord::T15], 10));
        t35_->setText(ScaledText(set_[ModbusWord::T35], 10));
    } else {
        for (const int id : {TimerLabel, T15Label, AdvancedModbusControl::T15, T15Unit, T35Label,
                             AdvancedModbusControl::T35, T35Unit, Warning})
            FindControl<QWidget>(this, id)->setEnabled(false);
    }
}

void CAdvancedModbusDialog::accept()
{
    ParameterSet read = set_;
    read[ModbusWord::LongRegister] = swap_->isChecked() ? 1 : 0;
    if (timersEditable_) {
        std::int64_t t15 = 0;
        std::int64_t t35 = 0;
        if (!ReadField(t15_, T15Field(), t15) || !ReadField(t35_, T35Field(t15), t35))
            return;
        read[ModbusWord::T15] = static_cast<std::uint16_t>(t15);
        read[ModbusWord::T35] = static_cast<std::uint16_t>(t35);
    }
    set_ = read;
    QDialog::accept();
}
