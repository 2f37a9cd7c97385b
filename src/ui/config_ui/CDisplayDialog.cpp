#include "config_ui/CDisplayDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include "app/RunShowingErrors.h"
#include "config/DisplayTexts.h"
#include "config_ui/DisplayDialogParts.h"
#include "widgets/UiText.h"

namespace {
int ComboIndex(const QWidget* dialog, int controlId)
{
    const auto* combo = dialog->findChild<QComboBox*>(ControlName(controlId));
    return combo ? combo->currentIndex() : -1;
}

QString EditText(const QWidget* dialog, int controlId)
{
    const auto* edit = dialog->findChild<QLineEdit*>(ControlName(controlId));
    return edit ? edit->text() : QString();
}
} // namespace

CDisplayDialog::CDisplayDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(DisplayText::DisplaySetting));
    const DisplayForm form = DisplayFormOf(set_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BacklightGroup(form));
    layout->addWidget(ViewGroup(DisplayText::Display, DisplayControl::DataView,
                                DisplayControl::EnergyView, DisplayControl::EnergyUnit, form,
                                false));
    layout->addWidget(ViewGroup(DisplayText::MyDefault, DisplayControl::MyDataView,
                                DisplayControl::MyEnergyView, DisplayControl::MyEnergyUnit, form,
                                true));
    layout->addLayout(KeyLockAndUpdateRate(form));
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(backlightMode_, &QComboBox::currentIndexChanged, this, &CDisplayDialog::UpdateEnables);
    connect(usePresetTimer_, &QCheckBox::toggled, this, &CDisplayDialog::UpdateEnables);
    UpdateEnables();
}

QGroupBox* CDisplayDialog::BacklightGroup(const DisplayForm& form)
{
    auto* group = new QGroupBox(UiText(DisplayText::LcdBacklight), this);
    backlightMode_ = CodedCombo(group, DisplayControl::BacklightMode, BacklightModeEntries(),
                                form.backlightMode);
    offTimer_ = NumberEdit(group, DisplayControl::OffTimer);
    offTimer_->setText(QString::fromStdString(form.offTimer));
    brightness_ = new QSlider(Qt::Horizontal, group);
    SetControlId(brightness_, DisplayControl::Brightness);
    brightness_->setRange(kBrightnessMin, kBrightnessMax);
    brightness_->setPageStep(1);
    brightness_->setTickPosition(QSlider::TicksBelow);
    brightness_->setValue(form.brightness);
    usePresetTimer_ = new QCheckBox(UiText(DisplayText::UsePresetTimer), group);
    SetControlId(usePresetTimer_, DisplayControl::UsePresetTimer);
    usePresetTimer_->setChecked(form.usePresetTimer);
    presetTimer_ = NumberEdit(group, DisplayControl::PresetTimer);
    presetTimer_->setText(QString::fromStdString(form.presetTimer));

    auto* grid = new QGridLayout(group);
    grid->addWidget(InterfaceLabel(group, DisplayText::OperationMode), 0, 0);
    grid->addWidget(backlightMode_, 0, 1, 1, 3);
    grid->addWidget(InterfaceLabel(group, DisplayText::OffTimer), 1, 0);
    grid->addWidget(offTimer_, 1, 1);
    grid->addWidget(InterfaceLabel(group, DisplayText::Seconds), 1, 2);
    grid->addWidget(InterfaceLabel(group, DisplayText::Brightness), 2, 0);
    auto* slider = new QHBoxLayout;
    slider->addWidget(InterfaceLabel(group, DisplayText::Dark));
    slider->addWidget(brightness_, 1);
    slider->addWidget(InterfaceLabel(group, DisplayText::Bright));
    grid->addLayout(slider, 2, 1, 1, 3);
    grid->addWidget(usePresetTimer_, 3, 0);
    grid->addWidget(presetTimer_, 3, 1);
    grid->addWidget(InterfaceLabel(group, DisplayText::Seconds), 3, 2);
    grid->setColumnStretch(3, 1);
    return group;
}

QGroupBox* CDisplayDialog::ViewGroup(int titleId, int dataViewId, int energyViewId, int unitId,
                                     const DisplayForm& form, bool myDefault)
{
    auto* group = new QGroupBox(UiText(titleId), this);
    auto* dataView = NumberEdit(group, dataViewId);
    dataView->setText(QString::fromStdString(myDefault ? form.myDataView : form.dataView));
    auto* energy = CodedCombo(group, energyViewId, EnergyViewEntries(set_.type.Caps()),
                              myDefault ? form.myEnergyView : form.energyView);
    auto* unit = CodedCombo(group, unitId, EnergyUnitEntries(),
                            myDefault ? form.myEnergyUnit : form.energyUnit);

    auto* grid = new QGridLayout(group);
    grid->addWidget(InterfaceLabel(group, DisplayText::DataDisplayView), 0, 0);
    grid->addWidget(dataView, 0, 1, Qt::AlignLeft);
    grid->addWidget(InterfaceLabel(group, DisplayText::EnergyDisplayView), 1, 0);
    grid->addWidget(energy, 1, 1);
    grid->addWidget(unit, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QLayout* CDisplayDialog::KeyLockAndUpdateRate(const DisplayForm& form)
{
    const bool gen2 = HasGen2Display(set_.type.Caps());
    auto* updateRate = NumberEdit(this, DisplayControl::UpdateRate);
    updateRate->setText(QString::fromStdString(form.updateRate));
    QWidget* rateWidgets[] = {
        InterfaceLabel(this, DisplayText::UpdateRate, DisplayControl::UpdateRateLabel), updateRate,
        InterfaceLabel(this, DisplayText::Seconds, DisplayControl::UpdateRateUnit)};

    auto* grid = new QGridLayout;
    grid->addWidget(InterfaceLabel(this, DisplayText::KeyOperationLock), 0, 0);
    grid->addWidget(CodedCombo(this, DisplayControl::KeyLock, KeyLockEntries(), form.keyLock), 0, 1,
                    1, 2);
    for (int i = 0; i < 3; ++i) {
        rateWidgets[i]->setEnabled(gen2);
        grid->addWidget(rateWidgets[i], 1, i, i == 1 ? Qt::AlignLeft : Qt::Alignment());
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

void CDisplayDialog::UpdateEnables()
{
    offTimer_->setEnabled(OffTimerEnabled(backlightMode_->currentIndex()));
    presetTimer_->setEnabled(usePresetTimer_->isChecked());
}

DisplayForm CDisplayDialog::Form() const
{
    DisplayForm form;
    form.backlightMode = backlightMode_->currentIndex();
    form.offTimer = offTimer_->text().toStdString();
    form.brightness = brightness_->value();
    form.dataView = EditText(this, DisplayControl::DataView).toStdString();
    form.energyView = ComboIndex(this, DisplayControl::EnergyView);
    form.energyUnit = ComboIndex(this, DisplayControl::EnergyUnit);
    form.keyLock = ComboIndex(this, DisplayControl::KeyLock);
    form.updateRate = EditText(this, DisplayControl::UpdateRate).toStdString();
    form.myDataView = EditText(this, DisplayControl::MyDataView).toStdString();
    form.myEnergyView = ComboIndex(this, DisplayControl::MyEnergyView);
    form.myEnergyUnit = ComboIndex(this, DisplayControl::MyEnergyUnit);
    form.usePresetTimer = usePresetTimer_->isChecked();
    form.presetTimer = presetTimer_->text().toStdString();
    return form;
}

void CDisplayDialog::accept()
{
    const bool read = RunShowingErrors([this] {
        ReadDisplayForm(Form(), set_, [this](int controlId) {
            if (auto* edit = FindControl<QLineEdit>(this, controlId))
                edit->setFocus();
        });
    });
    if (read)
        QDialog::accept();
}
