#include "config_ui/CZNEDisplayDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "config/DisplayTexts.h"
#include "config_ui/DisplayDialogParts.h"
#include "widgets/UiText.h"

namespace {
constexpr std::array<int, kZneFormatCount> kFormatLabels = {
    DisplayText::Energy,  DisplayText::Power,       DisplayText::Current,
    DisplayText::Voltage, DisplayText::PowerFactor, DisplayText::Frequency};
} // namespace

CZNEDisplayDialog::CZNEDisplayDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(DisplayText::ZneDisplaySetting));
    const ZneDisplayForm form = ZneDisplayFormOf(set_);
    autoOff_ = CodedCombo(this, ZneDisplayControl::AutoOff, ZneAutoOffEntries(), form.autoOff);
    brightness_ =
        CodedCombo(this, ZneDisplayControl::Brightness, ZneBrightnessEntries(), form.brightness);

    auto* top = new QFormLayout;
    top->addRow(UiText(DisplayText::AutoOff), autoOff_);
    top->addRow(UiText(DisplayText::Brightness), brightness_);

    auto* groups = new QHBoxLayout;
    groups->addWidget(FormatGroup(form));
    groups->addWidget(CircuitGroup(form), 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* CZNEDisplayDialog::FormatGroup(const ZneDisplayForm& form)
{
    auto* group = new QGroupBox(UiText(DisplayText::DisplayFormat), this);
    auto* rows = new QFormLayout(group);
    for (int f = 0; f < kZneFormatCount; ++f) {
        formats_[f] = CodedCombo(group, ZneDisplayControl::FirstFormat + f, ZneFormatEntries(f),
                                 form.formats[f]);
        rows->addRow(UiText(kFormatLabels[f]), formats_[f]);
    }
    return group;
}

QGroupBox* CZNEDisplayDialog::CircuitGroup(const ZneDisplayForm& form)
{
    auto* group = new QGroupBox(UiText(DisplayText::ActivateDisplay), this);
    auto* column = new QVBoxLayout(group);
    for (int c = 0; c < kZneCircuitCount; ++c) {
        circuits_[c] = new QCheckBox(UiText(DisplayText::FirstCircuit + c), group);
        SetControlId(circuits_[c], ZneDisplayControl::FirstCircuit + c);
        circuits_[c]->setChecked(form.active[c]);
        column->addWidget(circuits_[c]);
    }
    // Circuit A is always shown.
    circuits_[0]->setEnabled(false);
    return group;
}

void CZNEDisplayDialog::accept()
{
    ZneDisplayForm form;
    form.autoOff = autoOff_->currentIndex();
    form.brightness = brightness_->currentIndex();
    for (int f = 0; f < kZneFormatCount; ++f)
        form.formats[f] = formats_[f]->currentIndex();
    for (int c = 0; c < kZneCircuitCount; ++c)
        form.active[c] = circuits_[c]->isChecked();
    ReadZneDisplayForm(form, set_);
    QDialog::accept();
}
