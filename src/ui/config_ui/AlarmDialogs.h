#pragma once

// Registers "Alarm Setting" (button Alarm) and "Switch tariff" (button Tariff).
void RegisterAlarmDialogs();
