#include "monitor/CQhMonitorCycle.h"

#include "device/Capabilities.h"
#include "monitor/CMeasurandsKTA.h"
#include "monitor/MonitorTexts.h"
#include "monitor/QhMonitorJobs.h"
#include "monitor/QhMonitorReads.h"

ColorRef CQhStatus::OnSuccess()
{
    statusTextId_ = MonitorText::kCommunicating;
    error_ = false;
    const bool wasOn = blink_;
    blink_ = !blink_;
    return wasOn ? kLedCommunicating : kLedOff;
}

void CQhStatus::OnError()
{
    statusTextId_ = MonitorText::kCommunicationError;
    error_ = true;
}

void CQhStatus::ClearError()
{
    error_ = false;
}

void CQhStatus::OnTimer()
{
    if (error_)
        blink_ = !blink_;
}

StatusStyle CQhStatus::Style() const
{
    return CommunicationStatusStyle(error_, blink_);
}

CQhMonitorCycle::CQhMonitorCycle()
{
    device_.SelectById(kQhDefaultTypeId);
}

QhMonitorDecision CQhMonitorCycle::OnReadFinished(const QhMonitorRead& read,
                                                  QhCells::QhView pageView, int selectedTab,
                                                  const CMeasurandsKTA& image)
{
    QhMonitorDecision d;
    if (read.identified)
        device_ = read.device;
    if (read.failed) {
        status_.OnError();
        return d;
    }
    if (!device_.Has(CapQh)) {
        d.endWithReopen = true;
        return d;
    }
    if (!read.valuesRead) {
        // A device the catalogue does not know: the window keeps its type.
        status_.ClearError();
        return d;
    }
    d.buttons = read.buttons;
    d.ledColour = status_.OnSuccess();
    d.refreshPage = read.view == pageView;
    d.clockText = QhReads::ClockText(image);
    const bool enabled = QhCells::ModuleTabEnabled(device_);
    d.moduleTabEnabled = enabled;
    d.selectFirstTab = !enabled && selectedTab == 1;
    return d;
}
