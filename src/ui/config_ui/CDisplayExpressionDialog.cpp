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
    auto* grid = new QGridLayout;
    pairs_.push_back(AddPair(grid, 0, DisplayText::InputLineIndication, InputLineLabel,
                             DisplayText::Lines123, InputLineFirst, DisplayText::LinesRst,
                             InputLineSecond, DisplayOptionWord::InputLine, indication));
    pairs_.push_back(AddPair(grid, 1, DisplayText::PhaseDirectionIndication, PhaseDirectionLabel,
                             DisplayText::InductiveCapacitive, PhaseDirectionFirst,
                             DisplayText::LagLead, PhaseDirectionSecond,
                             DisplayOptionWord::PhaseDirection, indication));
    pairs_.push_back(AddPair(grid, 2, DisplayText::PowerFormat, PowerFormatLabel, DisplayText::UseK,
                             PowerFormatFirst, DisplayText::NoUseK, PowerFormatSecond,
                             DisplayOptionWord::PowerFormat, ExpressionPowerFormatEnabled(caps)));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CDisplayExpressionDialog::Pair CDisplayExpressionDialog::AddPair(QGridLayout* grid, int row,
                                                                 int labelId, int labelControl,
                                                                 int firstId, int firstControl,
                                                                 int secondId, int secondControl,
                                                                 int word, bool enabled)
{
    QLabel* label = InterfaceLabel(this, labelId, labelControl);
    QRadioButton* first = Radio(this, firstId, firstControl);
    QRadioButton* second = Radio(this, secondId, secondControl);
    auto* group = new QButtonGroup(this);
    group->addButton(first);
    group->addButton(second);
    if (enabled)
        (SecondButtonChecked(set_[word]) ? second : first)->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(first),
                       static_cast<QWidget*>(second)})
        w->setEnabled(enabled);
    grid->addWidget(label, row, 0);
    grid->addWidget(first, row, 1);
    grid->addWidget(second, row, 2);
    return {word, second, enabled};
}

void CDisplayExpressionDialog::accept()
{
    for (const Pair& pair : pairs_)
        if (pair.enabled)
            set_[pair.word] = PairValue(pair.second->isChecked());
    QDialog::accept();
}
