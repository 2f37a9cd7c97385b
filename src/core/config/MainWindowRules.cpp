#include "config/MainWindowRules.h"

#include <cstddef>

#include "config/MainWindowControls.h"
#include "config/MainWindowTexts.h"

namespace {
constexpr Capabilities kKtaQgLktaLktas = CapHigh(0x00B1);
constexpr Capabilities kOthersFamilies = CapHigh(0x0DF0);
constexpr std::uint16_t kConfiguredByPc = 1;
constexpr std::uint16_t kShownInputDrivenInterval = 30;

bool Has(Capabilities caps, Capabilities mask)
{
    return (caps & mask) != 0;
}

struct WiringText {
    int code;
    int textId;
};
constexpr WiringText kWiringTexts[] = {{0, 1600}, {1, 1601}, {2, 1602},  {3, 1603}, {4, 1604},
                                       {5, 1605}, {6, 1606}, {16, 1607}, {17, 1608}};
} // namespace

std::vector<int> OfferedWiringCodes(Capabilities caps)
{
    if (Has(caps, kKtaQgLktaLktas))
        return {0, 1, 2, 3, 4, 5};
    if (Has(caps, Cap3P4W))
        return {0, 1, 2, 3, 4, 5, 6};
    if (Has(caps, CapZm))
        return {0, 1, 3};
    if (Has(caps, CapZn))
        return {0, 1, 3, 5, 16, 17};
    return {0, 1, 2, 3};
}

int WiringTextId(int code)
{
    for (const auto& w : kWiringTexts)
        if (w.code == code)
            return w.textId;
    return 0;
}

int WiringListIndex(const std::vector<int>& offered, int code)
{
    for (int i = static_cast<int>(offered.size()) - 1; i >= 0; --i)
        if (offered[static_cast<size_t>(i)] == code)
            return i;
    return static_cast<int>(offered.size()) - 1;
}

DemandSourceList DemandSourcesFor(Capabilities caps, std::uint16_t interval)
{
    if (Has(caps, CapDi1) || interval == 0)
        return {{DemandSource::DiscreteInput, DemandSource::InternalTimer}, interval == 0 ? 0 : 1};
    return {{DemandSource::InternalTimer}, 0};
}

int DemandSourceTextId(DemandSource source)
{
    return source == DemandSource::DiscreteInput ? MainText::DiscreteInput
                                                 : MainText::InternalTimer;
}

bool DemandIntervalEditEnabled(int entryCount, int selected)
{
    return selected == 1 || entryCount == 1;
}

std::uint16_t DemandIntervalShown(std::uint16_t interval)
{
    return interval == 0 ? kShownInputDrivenInterval : interval;
}

bool DemandGroupEnabled(Capabilities caps)
{
    return !Has(caps, CapZn);
}

InputLayout InputLayoutFor(Capabilities caps)
{
    return Has(caps, CapKtaKtbMain | CapLkta | CapLktas) ? InputLayout::VtCt
                                                         : InputLayout::InputPage;
}

bool BarGraphEnabled(Capabilities caps)
{
    return Has(caps, CapKta);
}

bool MainButtonEnabled(int controlId, Capabilities caps)
{
    using namespace MainControl;
    switch (controlId) {
    case Protect:
        return !Has(caps, CapZm | CapZn);
    case Alarm:
        return Has(caps, CapKtaKtbMain | CapLkta) || (Has(caps, CapZm) && Has(caps, CapDo1));
    case Display:
        return Has(caps, CapKtaKtbMain | CapZnepw);
    case Tariff:
        return Has(caps, CapKtaKtbMain | CapQg | CapLkta);
    case Passcode:
        return Has(caps, CapKtaKtbMain);
    case Others:
        return Has(caps, CapKtaKtbMain | kOthersFamilies);
    case ConvValue:
        return Has(caps, CapZn);
    case Modbus:
        return Has(caps, CapModbusRtu | CapFieldModbus | CapModbusTcp | CapZmZnModbus);
    case CcLink:
        return Has(caps, CapCcLink);
    case Ao:
        return Has(caps, CapAo4to20mA | CapAo1to5V | CapZmAo);
    case Expression:
        return Has(caps, CapKta | CapKtbGen2);
    case Di:
        return Has(caps, CapDi1);
    case DoPo:
        return Has(caps, CapDo1);
    case ShortCut:
        return Has(caps, CapKtaGen2 | CapKtbGen2);
    case SigmaDisp:
        return Has(caps, CapKtb | CapKtaGen2);
    case ExtBar:
        return InputLayoutFor(caps) == InputLayout::VtCt && Has(caps, CapKtb);
    default:
        return true;
    }
}

DipSwitchState DipSwitchStateFor(Capabilities caps, std::uint16_t configurationMode)
{
    const bool byPc = configurationMode == kConfiguredByPc;
    DipSwitchState s;
    s.checkBoxVisible = !Has(caps, CapZm | CapZn);
    s.checked = s.checkBoxVisible ? !byPc : true;
    s.systemListEnabled = byPc || Has(caps, CapZm);
    s.channelGridEnabled = byPc || Has(caps, CapZm | CapZn);
    return s;
}

std::uint16_t ConfigurationModeOfCheckBox(bool checked)
{
    return checked ? 0 : kConfiguredByPc;
}
