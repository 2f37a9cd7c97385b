#include "config/DisplaySettings.h"

#include "config/DisplayTexts.h"
#include "config/FormField.h"
#include "device/ParameterSet.h"

namespace {
constexpr int kBacklightTexts = 1850;
constexpr int kUnitTexts = 2600;
constexpr int kKeyLockTexts = 2650;
constexpr int kEnergyTexts = 3700;
constexpr int kEnergyItems = 20;
constexpr int kPeakTexts = 5000; // text = 5000 + code for codes 210-213 and 310-313

constexpr int kDefaultTimerName = 15650;

const NumericField kOffTimerField{1, 1, 999, DisplayText::OffTimer, std::nullopt};
const NumericField kDataViewField{1, 0, 9999, DisplayText::DataDisplayView, std::nullopt};
const NumericField kUpdateRateField{1, 0, 60, DisplayText::UpdateRate, std::nullopt};
const NumericField kDefaultTimerField{1, 1, 999, kDefaultTimerName, std::nullopt};

CodedEntry Energy(int code)
{
    return {kEnergyTexts + code, code};
}
CodedEntry Peak(int code)
{
    return {kPeakTexts + code, code};
}

std::vector<CodedEntry> Gen2EnergyEntries()
{
    std::vector<CodedEntry> entries;
    for (int code = 0; code <= 8; ++code)
        entries.push_back(Energy(code));
    for (int code = 210; code <= 213; ++code)
        entries.push_back(Peak(code));
    entries.push_back(Energy(9));
    for (int code = 10; code <= 18; ++code)
        entries.push_back(Energy(code));
    for (int code = 310; code <= 313; ++code)
        entries.push_back(Peak(code));
    entries.push_back(Energy(19));
    return entries;
}

int PositionOf(std::uint16_t value, size_t count)
{
    return value < count ? static_cast<int>(value) : -1;
}

std::string Decimal(std::uint16_t value)
{
    return std::to_string(value);
}

std::uint16_t Read(const std::string& text, const NumericField& field, int controlId,
                   const std::function<void(int)>& focus)
{
    return static_cast<std::uint16_t>(ReadFormField(text, field, controlId, focus));
}

void StorePosition(ParameterSet& set, int word, int index, size_t count)
{
    if (index >= 0 && static_cast<size_t>(index) < count)
        set[word] = static_cast<std::uint16_t>(index);
}

void StoreEnergyView(ParameterSet& set, int word, int index)
{
    if (const auto code = CodeAt(EnergyViewEntries(set.type.Caps()), index))
        set[word] = *code;
}
} // namespace

bool HasGen2Display(Capabilities caps)
{
    return (caps & (CapKtaGen2 | CapKtbGen2)) != 0;
}

const std::vector<CodedEntry>& BacklightModeEntries()
{
    static const auto entries = IndexedEntries(kBacklightTexts, 3);
    return entries;
}

const std::vector<CodedEntry>& EnergyUnitEntries()
{
    static const auto entries = IndexedEntries(kUnitTexts, 2);
    return entries;
}

const std::vector<CodedEntry>& KeyLockEntries()
{
    static const auto entries = IndexedEntries(kKeyLockTexts, 3);
    return entries;
}

const std::vector<CodedEntry>& EnergyViewEntries(Capabilities caps)
{
    static const auto gen2 = Gen2EnergyEntries();
    static const auto plain = IndexedEntries(kEnergyTexts, kEnergyItems);
    return HasGen2Display(caps) ? gen2 : plain;
}

int EnergyViewIndex(Capabilities caps, std::uint16_t value)
{
    const auto& entries = EnergyViewEntries(caps);
    if (HasGen2Display(caps))
        return IndexOfCodeOrFirst(entries, value);
    return PositionOf(value, entries.size());
}

DisplayForm DisplayFormOf(const ParameterSet& set)
{
    const Capabilities caps = set.type.Caps();
    DisplayForm form;
    form.backlightMode = PositionOf(set[DisplayWord::BacklightMode], BacklightModeEntries().size());
    form.offTimer = Decimal(set[DisplayWord::OffTimer]);
    form.brightness = set[DisplayWord::Brightness];
    form.dataView = Decimal(set[DisplayWord::DataView]);
    form.energyView = EnergyViewIndex(caps, set[DisplayWord::EnergyView]);
    form.energyUnit = PositionOf(set[DisplayWord::EnergyUnit], EnergyUnitEntries().size());
    form.keyLock = PositionOf(set[DisplayWord::KeyLock], KeyLockEntries().size());
    if (HasGen2Display(caps))
        form.updateRate = Decimal(set[DisplayWord::UpdateRate]);
    form.myDataView = Decimal(set[DisplayWord::MyDataView]);
    form.myEnergyView = EnergyViewIndex(caps, set[DisplayWord::MyEnergyView]);
    form.myEnergyUnit = PositionOf(set[DisplayWord::MyEnergyUnit], EnergyUnitEntries().size());
    const std::uint16_t timer = set[DisplayWord::DefaultTimer];
    form.usePresetTimer = timer != 0;
    form.presetTimer = timer != 0 ? Decimal(timer) : "1";
    return form;
}

bool OffTimerEnabled(int backlightModeIndex)
{
    return backlightModeIndex == static_cast<int>(BacklightMode::Auto);
}

void ReadDisplayForm(const DisplayForm& form, ParameterSet& set,
                     const std::function<void(int controlId)>& focus)
{
    using namespace DisplayWord;
    StorePosition(set, DisplayWord::BacklightMode, form.backlightMode,
                  BacklightModeEntries().size());
    if (OffTimerEnabled(form.backlightMode))
        set[OffTimer] = Read(form.offTimer, kOffTimerField, DisplayControl::OffTimer, focus);
    set[Brightness] = static_cast<std::uint16_t>(form.brightness);
    set[DataView] = Read(form.dataView, kDataViewField, DisplayControl::DataView, focus);
    StoreEnergyView(set, EnergyView, form.energyView);
    StorePosition(set, EnergyUnit, form.energyUnit, EnergyUnitEntries().size());
    StorePosition(set, KeyLock, form.keyLock, KeyLockEntries().size());
    if (HasGen2Display(set.type.Caps()))
        set[UpdateRate] =
            Read(form.updateRate, kUpdateRateField, DisplayControl::UpdateRate, focus);
    set[MyDataView] = Read(form.myDataView, kDataViewField, DisplayControl::MyDataView, focus);
    StoreEnergyView(set, MyEnergyView, form.myEnergyView);
    StorePosition(set, MyEnergyUnit, form.myEnergyUnit, EnergyUnitEntries().size());
    set[DefaultTimer] = form.usePresetTimer ? Read(form.presetTimer, kDefaultTimerField,
                                                   DisplayControl::PresetTimer, focus)
                                            : 0;
}
