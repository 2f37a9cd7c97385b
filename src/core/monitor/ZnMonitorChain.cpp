#include "monitor/ZnMonitorChain.h"

#include "device/Capabilities.h"
#include "monitor/MonitorTexts.h"

ZnJob CZnMonitorChain::Start()
{
    current_ = ZnJob::DeviceInformation;
    error_ = false;
    blink_ = false;
    return current_;
}

ZnJobDecision CZnMonitorChain::OnJobFinished(bool completed, const CDeviceType& device)
{
    ZnJobDecision d;
    const ZnJob finished = current_;
    if (!completed) {
        // The values on screen keep their last state; the chain goes on, so
        // the failing read comes round again within one turn.
        error_ = true;
        d.statusTextId = MonitorText::kCommunicationError;
    } else {
        error_ = false;
        d.statusTextId = MonitorText::kCommunicating;
        d.ledColour = blink_ ? kLedCommunicating : kLedOff;
        blink_ = !blink_;
        const bool zmpv = device.Has(CapZmpv);
        switch (finished) {
        case ZnJob::DeviceInformation:
            // Only a completed identification may close: a device that did
            // not answer has not turned into another family.
            if (!device.Has(CapZn)) {
                d.closeWithResultOk = true;
                return d;
            }
            d.refreshDeviceInformation = true;
            break;
        case ZnJob::PageValues:
            d.refreshPage = true;
            break;
        case ZnJob::Thd:
            d.thdGrid = zmpv ? ZnJobDecision::ThdGrid::Clear : ZnJobDecision::ThdGrid::ShowValues;
            break;
        case ZnJob::Spectrum:
            d.graph = zmpv ? ZnJobDecision::HarmonicsGraph::Hide
                           : ZnJobDecision::HarmonicsGraph::ShowImage;
            break;
        }
    }
    current_ = NextZnJob(finished);
    d.next = current_;
    return d;
}

void CZnMonitorChain::OnTimer()
{
    if (error_)
        blink_ = !blink_;
}

StatusStyle CZnMonitorChain::StatusTextStyle() const
{
    return CommunicationStatusStyle(error_, blink_);
}
