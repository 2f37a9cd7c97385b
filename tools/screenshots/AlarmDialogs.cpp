// "Alarm Setting" for the variants whose rows or output lists differ, one
// with the widest values, and "Switch tariff" with and without its note.
#include "WindowCatalog.h"
#include "config/AlarmSettings.h"
#include "config_ui/CAlarmDialog.h"
#include "config_ui/CTariffDialog.h"
#include "device/CSettingsStocker.h"

namespace {
ParameterSet DefaultsOf(int typeId)
{
    ParameterSet set;
    CSettingsStocker().ChangeDeviceType(typeId, set, true);
    return set;
}

ParameterSet WidestValues()
{
    ParameterSet set = DefaultsOf(70);
    for (int row = 0; row < kAlarmRowCount; ++row) {
        const AlarmRow& r = AlarmRowAt(row);
        set.Set32(AlarmItemWord(row, AlarmWord::HighSetpoint), r.maximum);
        set.Set32(AlarmItemWord(row, AlarmWord::LowSetpoint), r.minimum);
        set[AlarmItemWord(row, AlarmWord::Hysteresis)] = 999;
        set[AlarmItemWord(row, AlarmWord::OnDelay)] = 999;
        set[AlarmItemWord(row, AlarmWord::Output)] = 5;
    }
    set[AlarmWord::PowerOnDelay] = 999;
    set[AlarmWord::Latching] = 1;
    return set;
}

template <typename Dialog> std::function<std::unique_ptr<QWidget>()> DialogOf(int typeId)
{
    return [typeId] { return std::make_unique<Dialog>(DefaultsOf(typeId)); };
}
} // namespace

void AddAlarmDialogWindows(CWindowCatalog& catalog)
{
    catalog.Add("Alarm_KTA_gen2", DialogOf<CAlarmDialog>(70));
    catalog.Add("Alarm_KTB", DialogOf<CAlarmDialog>(39));
    // Main KTA without the phase-angle row: the UT row is grey.
    catalog.Add("Alarm_KTA_main", DialogOf<CAlarmDialog>(0));
    catalog.Add("Alarm_LKTA", DialogOf<CAlarmDialog>(53));
    catalog.Add("Alarm_KTA_gen2_widest",
                [] { return std::make_unique<CAlarmDialog>(WidestValues()); });
    catalog.Add("Tariff_KTA_gen2", DialogOf<CTariffDialog>(70));
    catalog.Add("Tariff_QG", DialogOf<CTariffDialog>(37));
}
