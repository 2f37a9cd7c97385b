#include "utility/ModeSwitch.h"

#include "background/CAccessRight.h"
#include "comm/CModbusInterface.h"
#include "utility/CConnectionBracket.h"

ModeSwitchResult RunModeSwitch(CModbusInterface& connection, bool on,
                               const std::function<bool()>& sequence,
                               const std::function<bool()>& readMode)
{
    CAccessRight access(connection);
    ModeSwitchResult result;
    try {
        if (sequence()) {
            result.switched = true;
            result.deviceMode = on;
            return result;
        }
    } catch (const CPrivateException& e) {
        result.error = e;
    }
    try {
        CConnectionBracket bracket(connection);
        result.deviceMode = readMode();
    } catch (const CPrivateException&) {
        // The link is gone: the dialog keeps what it shows.
    }
    return result;
}
