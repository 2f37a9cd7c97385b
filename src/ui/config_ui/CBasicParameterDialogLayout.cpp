// The controls of the main configuration window, created in tab order.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config/MainWindowTexts.h"
#include "config_ui/CBasicParameterDialog.h"
#include "config_ui/CInput2Page.h"
#include "widgets/UiText.h"

namespace {
constexpr int kComboArrowSpace = 40;

QLabel* Label(QWidget* parent, int textId, int controlId = 0)
{
    auto* label = new QLabel(UiText(textId), parent);
    if (controlId)
        SetControlId(label, controlId);
    return label;
}

QLineEdit* NumberEdit(QWidget* parent, int controlId, const QString& widest)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, controlId);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
    return edit;
}

QComboBox* List(QWidget* parent, int controlId)
{
    auto* list = new QComboBox(parent);
    SetControlId(list, controlId);
    return list;
}

// A list wide enough for the longest text it can ever hold, so that it does
// not change size when it is refilled for another variant.
void FitListTo(QComboBox* list, const QStringList& texts)
{
    int widest = 0;
    for (const auto& t : texts)
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(t));
    list->setMinimumWidth(widest + kComboArrowSpace);
}
} // namespace

void CBasicParameterDialog::BuildLayout()
{
    auto* lower = new QHBoxLayout;
    auto* top = new QVBoxLayout(this);
    top->addWidget(BuildCommandRow());
    top->addWidget(BuildModelGroup());
    top->addWidget(BuildInputGroup());
    lower->addWidget(BuildFunctionGroup(), 3);
    lower->addWidget(BuildOperationGroup(), 2);
    lower->addWidget(BuildInterfaceGroup(), 2);
    top->addLayout(lower);
    dipSwitch_ = new QCheckBox(UiText(MainText::DipSwitch), this);
    SetControlId(dipSwitch_, MainControl::DipSwitch);
    top->addWidget(dipSwitch_);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* CBasicParameterDialog::AddButton(int controlId, int textId)
{
    auto* button = new QPushButton(UiText(textId), this);
    SetControlId(button, controlId);
    // Enter must never press a button the user did not point at.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QWidget* CBasicParameterDialog::BuildCommandRow()
{
    static constexpr int kTexts[] = {MainText::Upload,  MainText::Download, MainText::Protect,
                                     MainText::Report,  MainText::SaveFile, MainText::OpenFile,
                                     MainText::Monitor, MainText::Reboot,   MainText::Language};
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < kMainCommandButtons.size(); ++i) {
        QPushButton* b = AddButton(kMainCommandButtons[i], kTexts[i]);
        b->setParent(row);
        layout->addWidget(b);
    }
    return row;
}

QGroupBox* CBasicParameterDialog::BuildModelGroup()
{
    auto* group = new QGroupBox(UiText(MainText::Model), this);
    model_ = List(group, MainControl::ModelList);
    code_ = List(group, MainControl::CodeList);
    version_ = List(group, MainControl::VersionList);
    QStringList models, codes, versions;
    for (const auto& e : selection_) {
        models << QString::fromStdString(e.model);
        codes << QString::fromStdString(e.code);
        versions << QString::fromStdString(e.version);
    }
    FitListTo(model_, models);
    FitListTo(code_, codes);
    FitListTo(version_, versions);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(model_);
    layout->addWidget(code_, 1);
    layout->addWidget(version_);
    return group;
}

QGroupBox* CBasicParameterDialog::BuildInputGroup()
{
    auto* group = new QGroupBox(UiText(MainText::Input), this);
    system_ = List(group, MainControl::System);
    QStringList wiringTexts;
    for (int code : {0, 1, 2, 3, 4, 5, 6, 16, 17})
        wiringTexts << UiText(WiringTextId(code));
    FitListTo(system_, wiringTexts);

    inputStack_ = new QStackedWidget(group);
    vtCtPanel_ = BuildVtCtPanel();
    vtCtPanel_->setParent(inputStack_);
    inputPage_ = new CInput2Page(inputStack_);
    inputStack_->addWidget(vtCtPanel_);
    inputStack_->addWidget(inputPage_);

    auto* layout = new QGridLayout(group);
    layout->addWidget(Label(group, MainText::System), 0, 0);
    layout->addWidget(system_, 0, 1, Qt::AlignLeft);
    layout->addWidget(inputStack_, 1, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    return group;
}

QWidget* CBasicParameterDialog::BuildVtCtPanel()
{
    using namespace MainControl;
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("VtCtPanel"));
    const QString widest = QStringLiteral("0000000000");
    vtPrimary_ = NumberEdit(panel, VtPrimary, widest);
    vtSecondary_ = NumberEdit(panel, VtSecondary, widest);
    barVoltage_ = NumberEdit(panel, BarVoltage, widest);
    ctPrimary_ = NumberEdit(panel, CtPrimary, widest);
    ctSecondary_ = NumberEdit(panel, CtSecondary, widest);
    barCurrent_ = NumberEdit(panel, BarCurrent, widest);

    auto* g = new QGridLayout(panel);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(6);
    g->addWidget(Label(panel, MainText::VtRating, VtRatingLabel), 0, 0);
    g->addWidget(Label(panel, MainText::Primary), 0, 1);
    g->addWidget(vtPrimary_, 0, 2);
    g->addWidget(Label(panel, MainText::Volt), 0, 3);
    g->addWidget(Label(panel, MainText::Secondary), 0, 4);
    g->addWidget(vtSecondary_, 0, 5);
    g->addWidget(Label(panel, MainText::Volt), 0, 6);
    g->addWidget(Label(panel, MainText::Bar100, BarVoltageLabel), 0, 7);
    g->addWidget(barVoltage_, 0, 8);
    g->addWidget(Label(panel, MainText::Volt, BarVoltageUnit), 0, 9);
    g->addWidget(Label(panel, MainText::CtRating), 1, 0);
    g->addWidget(Label(panel, MainText::Primary), 1, 1);
    g->addWidget(ctPrimary_, 1, 2);
    g->addWidget(Label(panel, MainText::Ampere), 1, 3);
    g->addWidget(Label(panel, MainText::Secondary), 1, 4);
    g->addWidget(ctSecondary_, 1, 5);
    g->addWidget(Label(panel, MainText::Ampere), 1, 6);
    g->addWidget(Label(panel, MainText::Bar100, BarCurrentLabel), 1, 7);
    g->addWidget(barCurrent_, 1, 8);
    g->addWidget(Label(panel, MainText::Ampere, BarCurrentUnit), 1, 9);
    // Units belong to their edit; the next label keeps its distance.
    const int unitColumn = g->horizontalSpacing() + 14;
    for (int column : {3, 6})
        g->setColumnMinimumWidth(column,
                                 fontMetrics().horizontalAdvance(QStringLiteral("V")) + unitColumn);
    g->setColumnStretch(10, 1);
    g->setRowStretch(2, 1);
    return panel;
}

QGroupBox* CBasicParameterDialog::BuildFunctionGroup()
{
    using namespace MainControl;
    auto* group = new QGroupBox(UiText(MainText::Function), this);
    auto* demand = Label(group, MainText::Demand, DemandLabel);
    auto* currentLabel = Label(group, MainText::Current, DemandCurrentLabel);
    currentSource_ = List(group, DemandCurrentSource);
    currentInterval_ = NumberEdit(group, DemandCurrentInterval, QStringLiteral("00000"));
    auto* currentUnit = Label(group, MainText::Minutes, DemandCurrentUnit);
    auto* powerLabel = Label(group, MainText::Power, DemandPowerLabel);
    powerSource_ = List(group, DemandPowerSource);
    powerInterval_ = NumberEdit(group, DemandPowerInterval, QStringLiteral("00000"));
    auto* powerUnit = Label(group, MainText::Minutes, DemandPowerUnit);
    const QStringList sources{UiText(MainText::DiscreteInput), UiText(MainText::InternalTimer)};
    FitListTo(currentSource_, sources);
    FitListTo(powerSource_, sources);

    auto* g = new QGridLayout(group);
    g->addWidget(demand, 0, 0, 1, 4);
    g->addWidget(currentLabel, 1, 0);
    g->addWidget(currentSource_, 1, 1);
    g->addWidget(currentInterval_, 1, 2);
    g->addWidget(currentUnit, 1, 3);
    g->addWidget(powerLabel, 2, 0);
    g->addWidget(powerSource_, 2, 1);
    g->addWidget(powerInterval_, 2, 2);
    g->addWidget(powerUnit, 2, 3);
    g->setColumnStretch(4, 1);
    auto* buttons = new QHBoxLayout;
    for (auto [id, text] :
         {std::pair{Alarm, MainText::Alarm}, std::pair{Tariff, MainText::Tariff},
          std::pair{Others, MainText::Others}, std::pair{ConvValue, MainText::ConvValue}})
        buttons->addWidget(AddButton(id, text));
    g->setRowStretch(3, 1);
    g->addLayout(buttons, 4, 0, 1, 5);
    return group;
}

namespace {
void PlaceButtons(QGroupBox* group, const std::vector<QPushButton*>& buttons)
{
    auto* g = new QGridLayout(group);
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setParent(group);
        g->addWidget(buttons[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    g->setRowStretch(static_cast<int>((buttons.size() + 1) / 2), 1);
}
} // namespace

QGroupBox* CBasicParameterDialog::BuildOperationGroup()
{
    using namespace MainControl;
    auto* group = new QGroupBox(UiText(MainText::Operation), this);
    PlaceButtons(group, {AddButton(Display, MainText::Display), AddButton(ExtBar, MainText::ExtBar),
                         AddButton(SigmaDisp, MainText::SigmaDisp),
                         AddButton(Expression, MainText::Expression),
                         AddButton(ShortCut, MainText::ShortCut),
                         AddButton(Passcode, MainText::Passcode)});
    return group;
}

QGroupBox* CBasicParameterDialog::BuildInterfaceGroup()
{
    using namespace MainControl;
    auto* group = new QGroupBox(UiText(MainText::ExternalInterface), this);
    PlaceButtons(group, {AddButton(Di, MainText::Di), AddButton(DoPo, MainText::DoPo),
                         AddButton(Ao, MainText::Ao), AddButton(Modbus, MainText::Modbus),
                         AddButton(CcLink, MainText::CcLink)});
    return group;
}
