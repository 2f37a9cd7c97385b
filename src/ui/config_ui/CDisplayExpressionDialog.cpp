#include "config_ui/CDisplayExpressionDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/DisplayOptions.h"
#include "config/DisplayTexts.h"
#include "config_ui/DisplayDialogParts.h"
#include "widgets/UiText.h"

namespace {
QRadioButton* Radio(QWidget* parent, int textId, int controlId)
{
    auto* radio = new QRadioButton(UiText(textId), parent);
    SetControlId(radio, controlId);
    return radio;
}
} // namespace

CDisplayExpressionDialog::CDisplayExpressionDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    using namespace ExpressionControl;
    setWindowTitle(UiText(DisplayText::ExpressionSetting));
    const Capabilities caps = set_.type.Caps();
    const bool indication = ExpressionIndicationEnabled(caps);
    const ExpressionForm form = ExpressionFormOf(set_);
    auto* grid = new QGridLayout;
    rstLines_ = AddPair(grid, 0, {DisplayText::InputLineIndication, InputLineLabel},
                        {DisplayText::Lines123, InputLineFirst},
                        {DisplayText::LinesRst, InputLineSecond}, form.rstLines, indication);
    lagLead_ = AddPair(grid, 1, {DisplayText::PhaseDirectionIndication, PhaseDirectionLabel},
                       {DisplayText::InductiveCapacitive, PhaseDirectionFirst},
                       {DisplayText::LagLead, PhaseDirectionSecond}, form.lagLead, indication);
    noKForPower_ =
        AddPair(grid, 2, {DisplayText::PowerFormat, PowerFormatLabel},
                {DisplayText::UseK, PowerFormatFirst}, {DisplayText::NoUseK, PowerFormatSecond},
                form.noKForPower, ExpressionPowerFormatEnabled(caps));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* CDisplayExpressionDialog::AddPair(QGridLayout* grid, int row, Labelled label,
                                                Labelled first, Labelled second, bool secondChecked,
                                                bool enabled)
{
    QLabel* caption = InterfaceLabel(this, label.textId, label.controlId);
    QRadioButton* firstButton = Radio(this, first.textId, first.controlId);
    QRadioButton* secondButton = Radio(this, second.textId, second.controlId);
    auto* group = new QButtonGroup(this);
    group->addButton(firstButton);
    group->addButton(secondButton);
    // A pair the variant lacks shows no value.
    if (enabled)
        (secondChecked ? secondButton : firstButton)->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(caption), static_cast<QWidget*>(firstButton),
                       static_cast<QWidget*>(secondButton)})
        w->setEnabled(enabled);
    grid->addWidget(caption, row, 0);
    grid->addWidget(firstButton, row, 1);
    grid->addWidget(secondButton, row, 2);
    return secondButton;
}

void CDisplayExpressionDialog::accept()
{
    ReadExpressionForm({rstLines_->isChecked(), lagLead_->isChecked(), noKForPower_->isChecked()},
                       set_);
    QDialog::accept();
}
