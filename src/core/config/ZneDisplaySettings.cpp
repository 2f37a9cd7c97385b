#include "config/ZneDisplaySettings.h"

#include "device/ParameterSet.h"

namespace {
constexpr std::uint16_t kAutoOffNone = 0;
constexpr std::uint16_t kBrightnessNone = 1;

struct FormatList {
    int firstTextId;
    int count;
};
constexpr std::array<FormatList, kZneFormatCount> kFormats = {{
    {6400, 7},  // Energy
    {6500, 10}, // Power
    {6600, 8},  // Current
    {6608, 7},  // Voltage
    {6700, 2},  // Power factor
    {6800, 2},  // Frequency
}};

std::vector<std::vector<CodedEntry>> MakeFormatEntries()
{
    std::vector<std::vector<CodedEntry>> lists;
    for (const auto& f : kFormats)
        lists.push_back(IndexedEntries(f.firstTextId, f.count));
    return lists;
}
} // namespace

const std::vector<CodedEntry>& ZneAutoOffEntries()
{
    static const std::vector<CodedEntry> entries = {
        {6200, 0}, {6201, 600}, {6202, 3000}, {6203, 6000}};
    return entries;
}

const std::vector<CodedEntry>& ZneBrightnessEntries()
{
    static const std::vector<CodedEntry> entries = {{6300, 3}, {6301, 10}};
    return entries;
}

const std::vector<CodedEntry>& ZneFormatEntries(int format)
{
    static const auto lists = MakeFormatEntries();
    return lists.at(static_cast<size_t>(format));
}

ZneDisplayForm ZneDisplayFormOf(const ParameterSet& set)
{
    ZneDisplayForm form;
    form.autoOff = IndexOfCodeOrFirst(ZneAutoOffEntries(), set[ZneDisplayWord::AutoOff]);
    form.brightness = IndexOfCodeOrFirst(ZneBrightnessEntries(), set[ZneDisplayWord::Brightness]);
    for (int f = 0; f < kZneFormatCount; ++f)
        form.formats[f] = IndexOfCode(ZneFormatEntries(f), set[ZneDisplayWord::FirstFormat + f]);
    form.active[0] = true;
    for (int c = 1; c < kZneCircuitCount; ++c)
        form.active[c] = set[ZneDisplayWord::Activation[c]] == 1;
    return form;
}

void ReadZneDisplayForm(const ZneDisplayForm& form, ParameterSet& set)
{
    set[ZneDisplayWord::AutoOff] = CodeAt(ZneAutoOffEntries(), form.autoOff).value_or(kAutoOffNone);
    set[ZneDisplayWord::Brightness] =
        CodeAt(ZneBrightnessEntries(), form.brightness).value_or(kBrightnessNone);
    for (int f = 0; f < kZneFormatCount; ++f)
        if (const auto code = CodeAt(ZneFormatEntries(f), form.formats[f]))
            set[ZneDisplayWord::FirstFormat + f] = *code;
    set[ZneDisplayWord::Activation[0]] = 1;
    for (int c = 1; c < kZneCircuitCount; ++c)
        set[ZneDisplayWord::Activation[c]] = form.active[c] ? 1 : 0;
}
