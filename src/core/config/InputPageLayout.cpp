#include "config/InputPageLayout.h"

#include "device/ParameterSet.h"
#include "device/ParameterWords.h"
#include "text/CStringTable.h"
#include "text/NumericFieldReader.h"
#include "text/TextIds.h"

namespace {
constexpr int kBlankHeader = 999;
constexpr int kSensorHeader = 5550;
constexpr int kPrimaryHeader = 5551;
constexpr int kLocationHeader = 5552;
constexpr int kLocationTexts = 6100;
constexpr int kSensorChoices = 6;
constexpr int kSensorNames = 8; // the six sensors, "Custom-1" and "Custom-2"
constexpr int kLocationChoices = 3;
constexpr int kPrimaryCurrentName = 15151;
constexpr NumericField kPrimaryCurrentField{1, 1, 20000, kPrimaryCurrentName, std::nullopt};

// Sensor and primary words of channels 1-16, in row order.
constexpr int kSensorWords[] = {34, 48, 57, 66, 74, 77, 80, 83, 86, 89, 92, 95, 98, 101, 104, 107};
constexpr int kPrimaryWords[] = {33, 47, 56, 65, 73, 76, 79, 82, 85, 88, 91, 94, 97, 100, 103, 106};
constexpr int kLocationWords[] = {35, 49, 58, 67};

std::string SensorText(Capabilities caps, int value)
{
    if (caps & CapZnpwU) {
        std::string text = LoadText(TextId::FirstZnpwUSensor + value);
        if (!text.empty())
            return text;
    }
    return LoadText(TextId::FirstSensor + value);
}

void AddChannelColumns(InputPageLayout& layout, int firstChannel, int channels, int column)
{
    for (int i = 0; i < channels; ++i) {
        const int ch = firstChannel + i;
        layout.cells.push_back({column, i + 1, kSensorWords[ch], ChannelCellKind::Sensor});
    }
    for (int i = 0; i < channels; ++i) {
        const int ch = firstChannel + i;
        layout.cells.push_back({column + 1, i + 1, kPrimaryWords[ch], ChannelCellKind::Primary});
    }
}

void AddRowHeaders(InputPageLayout& layout, int firstText, int count, int column)
{
    for (int i = 0; i < count; ++i)
        layout.headers.push_back({firstText + i, column, i + 1});
}

InputPageLayout ChannelLayout(int channels)
{
    InputPageLayout layout;
    layout.headers = {{kBlankHeader, 0, 0}, {kSensorHeader, 1, 0}, {kPrimaryHeader, 2, 0}};
    AddRowHeaders(layout, TextId::FirstChannel, channels, 0);
    AddChannelColumns(layout, 0, channels, 1);
    return layout;
}

InputPageLayout FourCircuitLayout()
{
    InputPageLayout layout;
    layout.fourCircuits = true;
    layout.headers = {{kBlankHeader, 0, 0},
                      {kSensorHeader, 1, 0},
                      {kPrimaryHeader, 2, 0},
                      {kLocationHeader, 3, 0}};
    AddRowHeaders(layout, TextId::FirstCircuit, 4, 0);
    AddChannelColumns(layout, 0, 4, 1);
    for (int i = 0; i < 4; ++i)
        layout.cells.push_back({3, i + 1, kLocationWords[i], ChannelCellKind::Location});
    return layout;
}

InputPageLayout SixteenChannelLayout()
{
    InputPageLayout layout = ChannelLayout(8);
    layout.headers.push_back({kBlankHeader, 3, 0});
    layout.headers.push_back({kSensorHeader, 4, 0});
    layout.headers.push_back({kPrimaryHeader, 5, 0});
    AddRowHeaders(layout, TextId::FirstChannel + 8, 8, 3);
    AddChannelColumns(layout, 8, 8, 4);
    return layout;
}
} // namespace

const ChannelCell* InputPageLayout::CellAt(int column, int row) const
{
    for (const auto& c : cells)
        if (c.column == column && c.row == row)
            return &c;
    return nullptr;
}

InputPageLayout InputPageLayoutFor(std::uint16_t ioWord4)
{
    switch (ioWord4) {
    case 2:
        return ChannelLayout(2);
    case 4:
        return FourCircuitLayout();
    case 8:
        return ChannelLayout(8);
    case 16:
        return SixteenChannelLayout();
    default:
        return ChannelLayout(1);
    }
}

std::vector<CellPos> ReadOnlyChannelCells(const InputPageLayout& layout, std::uint16_t wiring)
{
    std::vector<CellPos> cells;
    if (!layout.fourCircuits)
        return cells;
    cells.push_back({1, 2});
    cells.push_back({1, 4});
    if (wiring == 0)
        for (int row = 1; row <= 4; ++row)
            cells.push_back({3, row});
    return cells;
}

bool ClearLocationsOnSingleWire(const InputPageLayout& layout, ParameterSet& set)
{
    if (!layout.fourCircuits || set[ParameterWord::System] != 0)
        return false;
    bool changed = false;
    for (int word : kLocationWords) {
        changed = changed || set[word] != 0;
        set[word] = 0;
    }
    return changed;
}

std::optional<int> CoupledSensorWord(const InputPageLayout& layout, int word)
{
    if (!layout.fourCircuits)
        return std::nullopt;
    if (word == kSensorWords[0])
        return kSensorWords[1];
    if (word == kSensorWords[2])
        return kSensorWords[3];
    return std::nullopt;
}

std::vector<int> ChannelChoiceTextIds(ChannelCellKind kind, Capabilities caps)
{
    std::vector<int> ids;
    if (kind == ChannelCellKind::Sensor) {
        const int base = (caps & CapZnpwU) ? TextId::FirstZnpwUSensor : TextId::FirstSensor;
        for (int i = 0; i < kSensorChoices; ++i)
            ids.push_back(base + i);
    } else if (kind == ChannelCellKind::Location) {
        for (int i = 0; i < kLocationChoices; ++i)
            ids.push_back(kLocationTexts + i);
    }
    return ids;
}

std::vector<std::string> ChannelChoiceTexts(ChannelCellKind kind, Capabilities caps)
{
    std::vector<std::string> texts;
    const std::vector<int> ids = ChannelChoiceTextIds(kind, caps);
    for (size_t i = 0; i < ids.size(); ++i)
        texts.push_back(kind == ChannelCellKind::Sensor ? SensorText(caps, static_cast<int>(i))
                                                        : LoadText(ids[i]));
    return texts;
}

// A value without a name (a file or device holding garbage) is shown as the
// number, never as whatever text happens to follow the names.
std::string ChannelCellText(const ChannelCell& cell, const ParameterSet& set)
{
    const std::uint16_t value = set[cell.word];
    switch (cell.kind) {
    case ChannelCellKind::Sensor:
        if (value < kSensorNames)
            return SensorText(set.type.Caps(), value);
        break;
    case ChannelCellKind::Location:
        if (value < kLocationChoices)
            return LoadText(kLocationTexts + value);
        break;
    case ChannelCellKind::Primary:
        break;
    }
    return std::to_string(value);
}

void ApplyChannelChoice(const InputPageLayout& layout, const ChannelCell& cell, int index,
                        ParameterSet& set)
{
    if (cell.kind == ChannelCellKind::Primary || index < 0)
        return;
    set[cell.word] = static_cast<std::uint16_t>(index);
    if (cell.kind == ChannelCellKind::Sensor)
        if (const auto coupled = CoupledSensorWord(layout, cell.word))
            set[*coupled] = static_cast<std::uint16_t>(index);
}

void ApplyChannelPrimary(const ChannelCell& cell, const std::string& text, ParameterSet& set)
{
    set[cell.word] = static_cast<std::uint16_t>(ReadNumericField(text, kPrimaryCurrentField));
}

void CopyChannelWords(const InputPageLayout& layout, const ParameterSet& from, ParameterSet& to)
{
    for (const auto& c : layout.cells)
        to[c.word] = from[c.word];
}
