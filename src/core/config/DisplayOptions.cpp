#include "config/DisplayOptions.h"

bool ExpressionIndicationEnabled(Capabilities caps)
{
    return (caps & CapKta) != 0;
}

bool ExpressionPowerFormatEnabled(Capabilities caps)
{
    return (caps & (CapKtaGen2 | CapKtbGen2)) != 0;
}
