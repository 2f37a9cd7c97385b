#pragma once

#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CTcpLink.h"
#include "app/CPrivateException.h"
#include "comm/CModbusInterface.h"
#include "comm/ITransport.h"
#include "gui/commands/SimulatedTcpDevice.h"
#include "testdlg/TestDialogParts.h"
#include "text/CStringTable.h"
#include "widgets/CDataGridView.h"
#include "widgets/CEditComboBox.h"
#include "widgets/CEditText.h"
#include "widgets/CParEdit.h"

using Words = std::vector<std::uint16_t>;

constexpr std::uint32_t kPasscode = 1234;
constexpr int kDialogWaitMs = 20000;

// A simulated device over Modbus/TCP and the monitor's connection to it.
struct TestLink {
    explicit TestLink(SimOptions options) : device(options), connection(device.Settings()) {}
    explicit TestLink(int typeId, std::uint32_t passcode = 0)
        : TestLink(DeviceOptions(typeId, passcode))
    {
    }
    std::uint16_t Register(int reg) { return device.Sim().ReadRegisters(reg, 1).front(); }
    // Every write as (address, words), in order.
    std::vector<std::pair<int, Words>> Writes() const
    {
        std::vector<std::pair<int, Words>> out;
        for (const SimRequestRecord& w : device.Writes())
            out.emplace_back(w.address, w.values);
        return out;
    }
    // Writes other than the passcode handshake (4942-4944; QH 8976-8978).
    std::vector<std::pair<int, Words>> CommandWrites() const
    {
        std::vector<std::pair<int, Words>> out;
        for (const auto& w : Writes())
            if (!(w.first >= 4942 && w.first <= 4944) && !(w.first >= 8976 && w.first <= 8978))
                out.push_back(w);
        return out;
    }
    bool WroteAt(int reg) const
    {
        for (const auto& w : Writes())
            if (w.first == reg)
                return true;
        return false;
    }
    void ClearLog() { device.Sim().Log().Clear(); }

    SimulatedTcpDevice device;
    CModbusInterface connection;
};

inline Words Low32(std::uint32_t v)
{
    return {static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16)};
}

// Modbus/TCP links that lose the connection at one request: request n (1-based,
// counted over every connection opened from now on) finds the link reset, and
// so does everything after it on that connection; with `permanent` every later
// connection too, as when the cable is pulled.
class CLostLink : public ITransportFactory {
public:
    CLostLink(int lostRequest, bool permanent) : lostRequest_(lostRequest), permanent_(permanent)
    {
        SetTransportFactory(this);
    }
    ~CLostLink() override { InstallPlatformTransports(); }
    std::unique_ptr<ITransport> CreateSerial(const SerialLineSettings&) override { return {}; }
    std::unique_ptr<ITransport> CreateTcp(const std::string& host, const std::string& port) override
    {
        return std::make_unique<Link>(*this, host, port);
    }
    bool Happened() const { return requests_ >= lostRequest_; }

private:
    class Link : public ITransport {
    public:
        Link(CLostLink& loss, const std::string& host, const std::string& port)
            : loss_(loss), link_(host, port), dead_(loss.permanent_ && loss.Happened())
        {
        }
        void Open() override { link_.Open(); }
        void Close() override { link_.Close(); }
        bool IsOpen() const override { return link_.IsOpen(); }
        void DiscardInput() override { link_.DiscardInput(); }
        void Write(const std::uint8_t* data, std::size_t size) override
        {
            if (!dead_ && ++loss_.requests_ == loss_.lostRequest_)
                dead_ = true;
            if (dead_)
                throw CPrivateException(FormatText(11018, {SystemErrorText(ECONNRESET)}),
                                        FaultKind::Link);
            link_.Write(data, size);
        }
        std::size_t Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override
        {
            return dead_ ? 0 : link_.Read(buffer, size, timeoutMs);
        }
        void Cancel() override { link_.Cancel(); }

    private:
        CLostLink& loss_;
        CTcpLink link_;
        bool dead_;
    };

    int lostRequest_;
    bool permanent_;
    int requests_ = 0;
};

// The grid cell that shows an item.
inline std::optional<GridItemCell> CellOf(const CCellEditing& editing, int item)
{
    for (const GridItemCell& c : editing.Cells())
        if (c.item == item)
            return c;
    return std::nullopt;
}

// Clicks the item's cell, types the text over it and presses Enter. False
// when no edit opened.
inline bool Enter(CCellEditing& editing, CDataGridView& grid, int item, const QString& text)
{
    const std::optional<GridItemCell> cell = CellOf(editing, item);
    if (!cell)
        return false;
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(cell->column, cell->row).center());
    CEditText* edit = editing.Editor().Edit();
    if (!editing.Editor().IsEditing())
        return false;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    return true;
}

inline QString CellText(const CCellEditing& editing, const CDataGridView& grid, int item)
{
    const std::optional<GridItemCell> cell = CellOf(editing, item);
    return cell ? grid.ValueText(cell->column, cell->row) : QString();
}

// Waits until a signal has come once more, at most kDialogWaitMs.
template <class Object, class Signal> bool WaitForSignal(Object& object, Signal signal)
{
    QSignalSpy spy(&object, signal);
    return spy.wait(kDialogWaitMs);
}
