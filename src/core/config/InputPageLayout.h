#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/Capabilities.h"
#include "edit/EditOutcome.h"
#include "grid/CGridModel.h"

struct ParameterSet;

enum class ChannelCellKind { Sensor, Primary, Location };

// A value cell of the input page's channel grid and the word it edits.
struct ChannelCell {
    int column = 0;
    int row = 0;
    int word = 0;
    ChannelCellKind kind = ChannelCellKind::Primary;
};

// The channel grid for one I/O word 4 (channels or circuits of the unit).
struct InputPageLayout {
    std::vector<GridHeaderCell> headers;
    std::vector<ChannelCell> cells;
    bool fourCircuits = false;

    const ChannelCell* CellAt(int column, int row) const;
};

InputPageLayout InputPageLayoutFor(std::uint16_t ioWord4);

// Cells that cannot be edited: on the four-circuit layout the sensors of
// circuits B and D (they follow A and C) and, on a single-phase 2-wire
// system, every location.
std::vector<CellPos> ReadOnlyChannelCells(const InputPageLayout& layout, std::uint16_t wiring);

// The location words mean nothing on a single-phase 2-wire system: they are
// set to 0 there. True when the set was changed.
bool ClearLocationsOnSingleWire(const InputPageLayout& layout, ParameterSet& set);

// The word that follows a sensor word on the four-circuit layout (A -> B, C -> D).
std::optional<int> CoupledSensorWord(const InputPageLayout& layout, int word);

// String ids of the drop-down entries of a cell (empty for primary cells).
std::vector<int> ChannelChoiceTextIds(ChannelCellKind kind, Capabilities caps);
// Their texts. A ZNPW-U sensor name the string table lacks is shown by the
// name of the same sensor of the other variants rather than as a blank entry.
std::vector<std::string> ChannelChoiceTexts(ChannelCellKind kind, Capabilities caps);
// The text a cell shows for the set's value.
std::string ChannelCellText(const ChannelCell& cell, const ParameterSet& set);

// Stores a drop-down choice, with the coupled word of the four-circuit layout.
void ApplyChannelChoice(const InputPageLayout& layout, const ChannelCell& cell, int index,
                        ParameterSet& set);
// Stores a primary current typed into a cell: 1-20000, named "Primary current".
// Throws CPrivateException with the reader's message on invalid input.
void ApplyChannelPrimary(const ChannelCell& cell, const std::string& text, ParameterSet& set);

// Copies the words of every cell of the layout.
void CopyChannelWords(const InputPageLayout& layout, const ParameterSet& from, ParameterSet& to);
