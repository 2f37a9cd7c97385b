#include "config_ui/CBasicParameterDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "app/CPrivateException.h"
#include "app/IPromptService.h"
#include "config/MainWindowControls.h"
#include "config/MainWindowRules.h"
#include "config/MainWindowTexts.h"
#include "config/ReadBack.h"
#include "config_ui/CInput2Page.h"
#include "config_ui/IMainWindowCommands.h"
#include "config_ui/RefreshGuard.h"
#include "config_ui/SettingsDialogRegistry.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {
struct Tooltip {
    int controlId;
    int textId;
};
constexpr Tooltip kTooltips[] = {{1032, 4100}, {1033, 4101}, {1040, 4102}, {1034, 4103},
                                 {1038, 4104}, {1039, 4105}, {1037, 4106}, {1045, 4107}};

constexpr int kDemandGroupControls[] = {
    MainControl::DemandLabel,         MainControl::DemandCurrentLabel,
    MainControl::DemandCurrentSource, MainControl::DemandCurrentInterval,
    MainControl::DemandCurrentUnit,   MainControl::DemandPowerLabel,
    MainControl::DemandPowerSource,   MainControl::DemandPowerInterval,
    MainControl::DemandPowerUnit};

constexpr int kBarGraphControls[] = {MainControl::BarVoltageLabel, MainControl::BarVoltage,
                                     MainControl::BarVoltageUnit,  MainControl::BarCurrentLabel,
                                     MainControl::BarCurrent,      MainControl::BarCurrentUnit};

void FillList(QComboBox* list, const std::vector<std::string>& texts, int selected)
{
    list->clear();
    for (const auto& t : texts)
        list->addItem(QString::fromStdString(t));
    list->setCurrentIndex(selected);
}

QString Unsigned(std::uint32_t value)
{
    return QString::number(value);
}

} // namespace

CBasicParameterDialog::CBasicParameterDialog(ParameterSet& lastParameterSet, QWidget* parent)
    : QDialog(parent), last_(lastParameterSet), working_(lastParameterSet)
{
    setWindowTitle(UiText(MainText::Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    selection_ = BuildSelectionList();
    BuildLayout();
    FillList(model_, ModelTexts(selection_), -1);
    ApplyTooltips();
    ConnectSignals();
    RefreshControls();
}

CBasicParameterDialog::~CBasicParameterDialog() = default;

void CBasicParameterDialog::SetLanguageSwitch(std::function<void()> switchLanguage)
{
    switchLanguage_ = std::move(switchLanguage);
}

void CBasicParameterDialog::ApplyTooltips()
{
    for (const auto& t : kTooltips)
        if (auto* w = FindControl<QWidget>(this, t.controlId))
            w->setToolTip(UiText(t.textId));
}

void CBasicParameterDialog::ConnectSignals()
{
    using namespace MainControl;
    using Cmd = IMainWindowCommands;
    const std::pair<int, void (Cmd::*)(CBasicParameterDialog&)> commands[] = {
        {Upload, &Cmd::Upload},   {Download, &Cmd::Download}, {Protect, &Cmd::Protect},
        {Report, &Cmd::Report},   {SaveFile, &Cmd::SaveFile}, {OpenFile, &Cmd::OpenFile},
        {Monitor, &Cmd::Monitor}, {Reboot, &Cmd::Reboot}};
    for (const auto& [id, command] : commands)
        connect(FindControl<QPushButton>(this, id), &QPushButton::clicked, this,
                [this, command = command] { RunCommand(command); });
    connect(FindControl<QPushButton>(this, Language), &QPushButton::clicked, this,
            &CBasicParameterDialog::OnLanguage);
    for (int id : kSettingsButtons)
        connect(FindControl<QPushButton>(this, id), &QPushButton::clicked, this,
                [this, id] { OpenSettingsDialog(id); });
    for (int id : {ModelList, CodeList, VersionList})
        connect(FindControl<QComboBox>(this, id), &QComboBox::currentIndexChanged, this,
                [this, id] { OnModelListChanged(id); });
    connect(system_, &QComboBox::currentIndexChanged, this,
            &CBasicParameterDialog::OnSystemChanged);
    connect(currentSource_, &QComboBox::currentIndexChanged, this,
            &CBasicParameterDialog::OnDemandSourceChanged);
    connect(powerSource_, &QComboBox::currentIndexChanged, this,
            &CBasicParameterDialog::OnDemandSourceChanged);
    connect(dipSwitch_, &QCheckBox::clicked, this, &CBasicParameterDialog::OnDipSwitchClicked);
}

void CBasicParameterDialog::ReplaceWorkingSet(const ParameterSet& set)
{
    working_ = set;
    RefreshControls();
}

void CBasicParameterDialog::RefreshControls()
{
    CRefreshGuard guard(refreshing_);
    RefreshModelLists();
    RefreshWiringList();
    RefreshDemandLists();
    RefreshInputLayout();
    RefreshDemandGroup();
    RefreshButtons();
}

void CBasicParameterDialog::RefreshModelLists()
{
    choice_ = ChoiceOfType(selection_, working_.type.TypeId());
    const ModelLists lists = ResolveModelLists(selection_, choice_);
    model_->setCurrentIndex(lists.modelIndex);
    FillList(code_, lists.codes, lists.codeIndex);
    FillList(version_, lists.versions, lists.versionIndex);
    version_->setEnabled(lists.versionEnabled);
    choice_ = lists.choice;
}

void CBasicParameterDialog::RefreshWiringList()
{
    offeredWiring_ = ::OfferedWiringCodes(working_.type.Caps());
    system_->clear();
    for (int code : offeredWiring_)
        system_->addItem(UiText(WiringTextId(code)));
    system_->setCurrentIndex(WiringListIndex(offeredWiring_, working_[MainWord::System]));
}

void CBasicParameterDialog::RefreshDemandLists()
{
    const Capabilities caps = working_.type.Caps();
    const std::pair<QComboBox*, int> lists[] = {{currentSource_, MainWord::DemandCurrentInterval},
                                                {powerSource_, MainWord::DemandPowerInterval}};
    for (const auto& [list, word] : lists) {
        const DemandSourceList sources = DemandSourcesFor(caps, working_[word]);
        list->clear();
        for (DemandSource s : sources.entries)
            list->addItem(UiText(DemandSourceTextId(s)));
        list->setCurrentIndex(sources.selected);
    }
}

void CBasicParameterDialog::RefreshInputLayout()
{
    using namespace MainControl;
    const Capabilities caps = working_.type.Caps();
    const bool vtCt = InputLayoutFor(caps) == InputLayout::VtCt;
    const bool bar = vtCt && BarGraphEnabled(caps);
    for (QLineEdit* e : {vtPrimary_, vtSecondary_, ctPrimary_, ctSecondary_})
        e->setEnabled(vtCt);
    for (int id : kBarGraphControls)
        FindControl<QWidget>(this, id)->setEnabled(bar);
    if (vtCt) {
        vtPrimary_->setText(
            Unsigned(static_cast<std::uint32_t>(working_.Get32(MainWord::VtPrimary))));
        vtSecondary_->setText(Unsigned(working_[MainWord::VtSecondary]));
        ctPrimary_->setText(Unsigned(working_[MainWord::CtPrimary]));
        ctSecondary_->setText(Unsigned(working_[MainWord::CtSecondary]));
        barVoltage_->setText(
            bar ? Unsigned(static_cast<std::uint32_t>(working_.Get32(MainWord::BarVoltage)))
                : QString());
        barCurrent_->setText(bar ? Unsigned(working_[MainWord::BarCurrent]) : QString());
        inputStack_->setCurrentWidget(vtCtPanel_);
        dipSwitch_->setVisible(false);
        system_->setEnabled(true);
        return;
    }
    inputStack_->setCurrentWidget(inputPage_);
    inputPage_->Refresh(working_);
    const DipSwitchState dip = DipSwitchStateFor(caps, working_[MainWord::ConfigurationMode]);
    dipSwitch_->setVisible(dip.checkBoxVisible);
    dipSwitch_->setChecked(dip.checked);
    ApplyDipSwitchRule();
}

void CBasicParameterDialog::ApplyDipSwitchRule()
{
    const DipSwitchState dip =
        DipSwitchStateFor(working_.type.Caps(), working_[MainWord::ConfigurationMode]);
    system_->setEnabled(dip.systemListEnabled);
    inputPage_->SetGridEnabled(dip.channelGridEnabled);
}

void CBasicParameterDialog::RefreshDemandGroup()
{
    const bool enabled = DemandGroupEnabled(working_.type.Caps());
    for (int id : kDemandGroupControls)
        FindControl<QWidget>(this, id)->setEnabled(enabled);
    if (!enabled)
        return;
    currentInterval_->setText(
        Unsigned(DemandIntervalShown(working_[MainWord::DemandCurrentInterval])));
    powerInterval_->setText(Unsigned(DemandIntervalShown(working_[MainWord::DemandPowerInterval])));
    OnDemandSourceChanged();
}

void CBasicParameterDialog::RefreshButtons()
{
    const Capabilities caps = working_.type.Caps();
    for (int id : kMainCommandButtons)
        FindControl<QPushButton>(this, id)->setEnabled(MainButtonEnabled(id, caps));
    for (int id : kSettingsButtons)
        FindControl<QPushButton>(this, id)->setEnabled(MainButtonEnabled(id, caps));
}

void CBasicParameterDialog::OnDemandSourceChanged()
{
    if (!DemandGroupEnabled(working_.type.Caps()))
        return;
    currentInterval_->setEnabled(
        DemandIntervalEditEnabled(currentSource_->count(), currentSource_->currentIndex()));
    powerInterval_->setEnabled(
        DemandIntervalEditEnabled(powerSource_->count(), powerSource_->currentIndex()));
}
