#include "config_ui/CShortCutMenuDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/DisplayOptions.h"
#include "config/DisplayTexts.h"
#include "config_ui/DisplayDialogParts.h"
#include "widgets/UiText.h"

CShortCutMenuDialog::CShortCutMenuDialog(const ParameterSet& working, QWidget* parent)
    : CWorkingSetDialog(working, parent)
{
    setWindowTitle(UiText(DisplayText::ShortCutMenuSetting));
    auto* disable = new QRadioButton(UiText(DisplayText::Disable), this);
    SetControlId(disable, ShortCutControl::Disable);
    enable_ = new QRadioButton(UiText(DisplayText::Enable), this);
    SetControlId(enable_, ShortCutControl::Enable);
    auto* group = new QButtonGroup(this);
    group->addButton(disable);
    group->addButton(enable_);
    (ShortCutFormOf(set_).clearAlarm ? enable_ : disable)->setChecked(true);

    auto* row = new QHBoxLayout;
    row->addWidget(InterfaceLabel(this, DisplayText::ClearAlarm));
    row->addSpacing(12);
    row->addWidget(disable);
    row->addWidget(enable_);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    AddOkCancel(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CShortCutMenuDialog::accept()
{
    ReadShortCutForm({enable_->isChecked()}, set_);
    QDialog::accept();
}
