#include "utility/CUtilityDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>
#include <utility>

#include "app/AppIcon.h"
#include "app/IPromptService.h"
#include "text/CStringTable.h"
#include "text/TextIds.h"
#include "utility/CSelCircuitDlg.h"
#include "utility/CTagSettingDialog.h"
#include "utility/DeviceCommand.h"
#include "utility/DeviceReset.h"
#include "widgets/ModalRunner.h"
#include "widgets/UiText.h"

namespace {

constexpr int kTextLoopTestWarning = 11036;
constexpr int kTextCaption = 25500;
constexpr int kTextEnergy = 25501;
constexpr int kTextMaxMin = 25502;
constexpr int kTextDemand = 25503;
constexpr int kTextLoopTest = 25505;
constexpr int kTextCounter = 25506;
constexpr int kTextPreset = 25507;
constexpr int kTextClearAlarmButton = 25508;
constexpr int kTextResetGroup = 25510;
constexpr int kTextDeviceGroup = 25511;
// A command button is at least as wide as twelve average characters.
constexpr int kButtonChars = 12;

struct ButtonPlace {
    int textId;
    int controlId;
    int row;
    int column;
};

constexpr ButtonPlace kResetButtons[] = {
    {kTextEnergy, CUtilityDialog::kEnergy, 0, 0},
    {kTextMaxMin, CUtilityDialog::kMaxMin, 0, 1},
    {kTextDemand, CUtilityDialog::kDemand, 1, 0},
    {kTextCounter, CUtilityDialog::kCounter, 1, 1},
};
constexpr ButtonPlace kDeviceButtons[] = {
    {TextId::TagNo, CUtilityDialog::kTagNo, 0, 0},
    {kTextClearAlarmButton, CUtilityDialog::kClearAlarm, 0, 1},
    {kTextLoopTest, CUtilityDialog::kLoopTest, 1, 0},
    {kTextPreset, CUtilityDialog::kPreset, 1, 1},
};

} // namespace

CUtilityDialog::CUtilityDialog(CModbusInterface& connection, const CDeviceType& device,
                               bool selector, QWidget* parent)
    : QDialog(parent), connection_(connection), device_(device), selector_(selector),
      testWindows_(InstalledUtilityTestWindows())
{
    setWindowTitle(UiText(kTextCaption));
    ApplyAppIcon(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* groups = new QHBoxLayout;
    for (const auto& [titleId, places] : {std::pair{kTextResetGroup, std::span(kResetButtons)},
                                          std::pair{kTextDeviceGroup, std::span(kDeviceButtons)}}) {
        auto* group = new QGroupBox(UiText(titleId), this);
        auto* grid = new QGridLayout(group);
        for (const ButtonPlace& place : places)
            grid->addWidget(AddButton(place.textId, place.controlId), place.row, place.column);
        groups->addWidget(group);
    }
    layout->addLayout(groups);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    QPushButton* close = AddButton(TextId::Close, kClose);
    close->setDefault(true);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    auto on = [this](int id, auto handler) {
        connect(FindControl<QPushButton>(this, id), &QPushButton::clicked, this, handler);
    };
    on(kEnergy, [this] { OnReset(ResetKind::Energy); });
    on(kMaxMin, [this] { OnReset(ResetKind::MaxMin); });
    on(kDemand, [this] { OnReset(ResetKind::Demand); });
    on(kCounter, [this] { OnReset(ResetKind::Counter); });
    on(kTagNo, [this] { OnTagNo(); });
    on(kClearAlarm, [this] { OnClearAlarm(); });
    on(kLoopTest, [this] { OnLoopTest(); });
    on(kPreset, [this] { OnPreset(); });
    on(kClose, [this] { reject(); });
    ApplyButtonRules();
}

QPushButton* CUtilityDialog::AddButton(int textId, int controlId)
{
    auto* button = new QPushButton(UiText(textId), this);
    SetControlId(button, controlId);
    button->setAutoDefault(false);
    button->setMinimumWidth(button->fontMetrics().averageCharWidth() * kButtonChars);
    return button;
}

void CUtilityDialog::SetTestWindows(UtilityTestWindows windows)
{
    testWindows_ = std::move(windows);
    ApplyButtonRules();
}

void CUtilityDialog::ApplyButtonRules()
{
    const UtilityButtons rules = UtilityWindowButtons(device_);
    const std::pair<int, bool> states[] = {
        {kEnergy, rules.energy},
        {kMaxMin, rules.maxMin},
        {kDemand, rules.demand},
        {kTagNo, rules.tagNo},
        {kCounter, rules.counter},
        {kClearAlarm, rules.clearAlarm},
        // Without its window a test button would do nothing.
        {kLoopTest, rules.loopTest && bool(testWindows_.loopTest)},
        {kPreset, rules.preset && bool(testWindows_.preset)},
    };
    for (const auto& [id, enabled] : states)
        FindControl<QPushButton>(this, id)->setEnabled(enabled);
}

std::optional<ResetRequest> CUtilityDialog::AskResetRequest(ResetKind kind)
{
    if (UsesCircuitChooser(kind, device_)) {
        CSelCircuitDlg chooser(CircuitChooserFor(kind), this);
        if (RunModal(chooser) != QDialog::Accepted)
            return std::nullopt;
        return CircuitResetRequest(chooser.Result());
    }
    // A counter reset of a device with neither four nor eight counters has
    // nothing to send: no question then.
    const std::optional<ResetRequest> request = PlainResetRequest(kind, device_, selector_);
    if (!request || !Prompts().AskYesNo(LoadText(TextId::AreYouSure)))
        return std::nullopt;
    return request;
}

void CUtilityDialog::OnReset(ResetKind kind)
{
    const std::optional<ResetRequest> request = AskResetRequest(kind);
    if (request)
        RunDeviceCommand([&] { RunResetCommand(connection_, *request); });
}

void CUtilityDialog::OnClearAlarm()
{
    if (Prompts().ShowMessage(LoadText(TextId::ClearAlarm), PromptIcon::Question,
                              PromptButtons::YesNoDefaultNo) != PromptResult::Yes)
        return;
    RunDeviceCommand([this] { ClearAlarm(connection_); });
}

void CUtilityDialog::OnLoopTest()
{
    if (!testWindows_.loopTest)
        return;
    if (Prompts().ShowMessage(LoadText(kTextLoopTestWarning), PromptIcon::Warning,
                              PromptButtons::YesNo) != PromptResult::Yes)
        return;
    RunShowingErrors([this] { testWindows_.loopTest(connection_, device_, this); });
}

void CUtilityDialog::OnPreset()
{
    if (testWindows_.preset)
        RunShowingErrors([this] { testWindows_.preset(connection_, device_, this); });
}

void CUtilityDialog::OnTagNo()
{
    RunTagSetting(connection_, this);
}

void RunUtilityDialog(CModbusInterface& connection, const CDeviceType& device, bool selector,
                      QWidget* parent)
{
    CUtilityDialog dialog(connection, device, selector, parent);
    RunModal(dialog);
}
