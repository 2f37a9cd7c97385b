#include "utility/AnalogLoopBack.h"

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "monitor/CMeasurandsKTA.h"
#include "utility/CConnectionBracket.h"
#include "utility/CWriteMode.h"
#include "utility/ImageIdentity.h"
#include "utility/RegisterIo.h"
#include "utility/UtilityRegisters.h"

using namespace RegisterIo;
using namespace UtilityRegister;

namespace {
constexpr std::uint16_t kSwitchMode = 1;
// The values too: the dialog's own steps say mode 1.
constexpr std::uint16_t kValueMode = 1;
} // namespace

std::uint16_t AnalogOutputType(std::uint16_t optionCode, std::uint16_t typeRegister)
{
    if ((optionCode & 5) == 1)
        return 0;
    if ((optionCode & 5) == 4)
        return 1;
    return typeRegister;
}

void ReadLoopBackState(CModbusInterface& connection, CMeasurandsKTA& image)
{
    CAccessRight access(connection);
    CConnectionBracket bracket(connection);
    ReadIdentityInto(connection, image);
    const auto outputs = ReadWords(connection, kOutputType, 1 + kOutputCount);
    image.outputType = AnalogOutputType(image.optionCode, outputs[0]);
    for (std::size_t i = 0; i < image.outputValues.size(); ++i)
        image.outputValues[i] = static_cast<std::int16_t>(outputs[i + 1]);
    image.fixedOutput = Read16(connection, kFixedOutputs);
}

ModeSwitchResult SwitchFixedOutputs(CModbusInterface& connection, bool on)
{
    return RunModeSwitch(
        connection, on,
        [&] {
            CWriteMode writeMode(connection);
            if (!writeMode.Enter(kSwitchMode))
                return false;
            {
                CConnectionBracket bracket(connection);
                Write16(connection, kFixedOutputs, on ? 1 : 0);
            }
            writeMode.Leave();
            return true;
        },
        [&] { return Read16(connection, kFixedOutputs) != 0; });
}

bool WriteFixedOutputValues(CModbusInterface& connection, const std::array<std::int16_t, 4>& values)
{
    CAccessRight access(connection);
    CWriteMode writeMode(connection);
    if (!writeMode.Enter(kValueMode))
        return false;
    {
        CConnectionBracket bracket(connection);
        std::array<std::uint16_t, 4> words{};
        for (std::size_t i = 0; i < words.size(); ++i)
            words[i] = static_cast<std::uint16_t>(values[i]);
        connection.WriteMultipleRegisters(kOutputValues, kOutputCount, words.data());
    }
    writeMode.Leave();
    return true;
}
