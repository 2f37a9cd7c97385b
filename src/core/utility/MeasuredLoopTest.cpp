#include "utility/MeasuredLoopTest.h"

#include <span>
#include <stdexcept>

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "utility/CConnectionBracket.h"
#include "utility/CWriteMode.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;
using namespace UtilityRegister;

namespace {

constexpr std::uint16_t kSwitchMode = 1;
constexpr std::uint16_t kValueMode = 2;

struct ValueBlock {
    int reg;
    int values;
    int firstItem;
};

constexpr ValueBlock kChannel1[] = {{kTotals, kTotalsValues, 0}, {kPhases, kPhaseValues, 8}};
constexpr ValueBlock kChannel2[] = {{kChannel2Offset + kTotals, kTotalsValues, 0},
                                    {kChannel2Offset + kPhases, kPhaseValues, 8}};
constexpr ValueBlock kBothSystems[] = {{kTotals, kTotalsValues, 0},
                                       {kPhases, kPhaseValues, 8},
                                       {kChannel2Offset + kTotals, kTotalsValues, 33},
                                       {kChannel2Offset + kPhases, kPhaseValues, 41}};

std::span<const ValueBlock> BlocksOf(MeasuredLoopTest target)
{
    switch (target) {
    case MeasuredLoopTest::Channel2:
        return kChannel2;
    case MeasuredLoopTest::ZnBothSystems:
        return kBothSystems;
    case MeasuredLoopTest::Channel1:
        break;
    }
    return kChannel1;
}

int ModeRegister(MeasuredLoopTest target)
{
    return target == MeasuredLoopTest::Channel2 ? kLoopTestModeChannel2 : kLoopTestMode;
}

} // namespace

int MeasuredLoopTestItems(MeasuredLoopTest target)
{
    int items = 0;
    for (const ValueBlock& b : BlocksOf(target))
        items += b.values;
    return items;
}

MeasuredLoopTestState ReadMeasuredLoopTest(CModbusInterface& connection, MeasuredLoopTest target)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    MeasuredLoopTestState state;
    state.highWordFirst = ReadHighWordFirst(connection);
    state.values.resize(static_cast<std::size_t>(MeasuredLoopTestItems(target)));
    for (const ValueBlock& b : BlocksOf(target)) {
        const auto values = ReadValues(connection, b.reg, b.values, state.highWordFirst);
        for (std::size_t i = 0; i < values.size(); ++i)
            state.values[std::size_t(b.firstItem) + i] = static_cast<std::int32_t>(values[i]);
    }
    state.loopTest = Read16(connection, ModeRegister(target)) != 0;
    return state;
}

ModeSwitchResult SwitchMeasuredLoopTest(CModbusInterface& connection, MeasuredLoopTest target,
                                        bool on)
{
    const int reg = ModeRegister(target);
    return RunModeSwitch(
        connection, on,
        [&] {
            CWriteMode writeMode(connection);
            if (!writeMode.Enter(kSwitchMode))
                return false;
            {
                CConnectionBracket bracket(connection);
                Write16(connection, reg, on ? 1 : 0);
            }
            writeMode.Leave();
            return true;
        },
        [&] { return Read16(connection, reg) != 0; });
}

bool WriteMeasuredLoopTestValues(CModbusInterface& connection, MeasuredLoopTest target,
                                 const std::vector<std::int32_t>& values)
{
    if (static_cast<int>(values.size()) != MeasuredLoopTestItems(target))
        throw std::invalid_argument("loop-test values do not match the target's items");
    CAccessRight access(connection);
    CWriteMode writeMode(connection);
    if (!writeMode.Enter(kValueMode))
        return false;
    {
        CConnectionBracket bracket(connection);
        const bool highWordFirst = ReadHighWordFirst(connection);
        for (const ValueBlock& b : BlocksOf(target)) {
            const auto first = values.begin() + b.firstItem;
            const std::vector<std::uint32_t> block(first, first + b.values);
            WriteValues(connection, b.reg, block, highWordFirst);
        }
    }
    writeMode.Leave();
    return true;
}
