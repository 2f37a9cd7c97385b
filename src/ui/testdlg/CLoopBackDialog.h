#pragma once

#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "device/CDeviceType.h"
#include "monitor/CMeasurandsKTA.h"

class CCellEditing;
class CDataGridView;
class CModbusInterface;
class CModeButtons;
class QLabel;

// The loop test of the analog outputs: the outputs are fixed at the values
// typed here. While "Normal" is selected the grid follows the live outputs
// that the monitor hands in (every 500 ms); in loop-test mode it keeps what
// was typed, and every accepted entry writes the four values at once.
// Closing the window leaves the outputs as they are, fixed or not.
class CLoopBackDialog : public QDialog {
    Q_OBJECT
public:
    enum ControlId { kClose = 2, kGrid = 1009, kUnit = 1207 };
    static constexpr int kTickMs = 500;

    // connection: the monitor's, not owned. device: the connected device.
    CLoopBackDialog(CModbusInterface& connection, const CDeviceType& device,
                    QWidget* parent = nullptr);
    ~CLoopBackDialog() override;

    // The initial reads: identity, output type and values, the fixed-output
    // flag. Errors throw.
    void Load();

    // The outputs as the monitor last read them; the next tick shows them
    // while "Normal" is selected.
    void SetLiveOutputs(std::uint16_t outputType, const std::array<std::int16_t, 4>& values);

    CModeButtons* Mode() const { return mode_; }
    CDataGridView* Grid() const { return grid_; }
    CCellEditing* Editing() const { return editing_; }
    const CMeasurandsKTA& Image() const { return *image_; }
    // What a timer tick does; public for tests.
    void OnTick();
    void done(int result) override;

private:
    struct LiveOutputs {
        std::uint16_t type = 0;
        std::array<std::int16_t, 4> values{};
    };

    void Refresh();
    void OnModeRequested(bool on);
    void OnEntered(int item, qint64 value);
    void WriteValues();

    CModbusInterface& connection_;
    CDeviceType device_;
    std::unique_ptr<CMeasurandsKTA> image_;
    CModeButtons* mode_;
    CDataGridView* grid_;
    CCellEditing* editing_;
    QLabel* unit_;
    QTimer timer_;
    std::optional<LiveOutputs> live_;
    bool deviceMode_ = false;
};
