#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CSimMeasurements.h"
#include "CSimQhMeasurements.h"
#include "CSimRegisterSpace.h"
#include "SimFeatures.h"
#include "SimOptions.h"
#include "device/CDeviceType.h"

// Modbus exception codes the device answers with.
enum class SimException : std::uint8_t {
    None = 0,
    IllegalFunction = 1,
    IllegalAddress = 2, // register the variant does not have, or not writable
    IllegalValue = 3,   // bad quantity, or a value the register does not take
    DeviceFailure = 4,  // write refused in the device's present state (locked, not in test)
};

// The moments a request is served at: device running time and wall clock.
struct SimNow {
    double seconds = 0; // since the device started
    std::int64_t unixTime = 0;
};

// One simulated device of a catalogue variant: its register space and what
// it does when registers are written (passcode, write modes, resets, restart,
// clock, loop test, fixed outputs, presets, tag). Not thread-safe;
// CDeviceSimulator serialises access.
class CSimDeviceModel {
public:
    // Throws std::invalid_argument for an unknown type id or options the variant rejects.
    explicit CSimDeviceModel(const SimOptions& options);

    const CDeviceType& Identity() const { return identity_; }
    const SimFeatures& Features() const { return features_; }
    const CSimRegisterSpace& Space() const { return space_; }

    SimException CheckRead(int address, int count) const;
    std::vector<std::uint16_t> Read(int address, int count, const SimNow& now);

    SimException CheckWrite(int address, const std::vector<std::uint16_t>& values) const;
    // Returns true when the write restarted the device before it could answer.
    bool Write(int address, const std::vector<std::uint16_t>& values, const SimNow& now);
    // True when a restart written at this moment is answered after it happens.
    bool LastRestartAnswered() const { return lastRestartAnswered_; }
    int Restarts() const { return restarts_; }

    bool Unlocked() const { return unlocked_; }
    std::uint32_t StoredPasscode() const;
    bool Locked() const { return StoredPasscode() != 0 && !unlocked_; }

private:
    void BuildIdentity(const SimOptions& options);
    void BuildParameters(const SimOptions& options);
    void ApplyScenario(const SimScenario& scenario);
    void ApplyTestModes(const SimScenario& scenario);
    void BuildDeviceRegisters();
    void Start(const SimNow& now);
    void Refresh(const SimNow& now);
    std::int64_t DeviceTime(const SimNow& now) const;

    SimException CheckValues(int address, const std::vector<std::uint16_t>& values) const;
    SimException CheckCommand(int reg, std::uint16_t value) const;
    bool AfterWrite(int address, int count, const std::vector<std::uint16_t>& values,
                    const SimNow& now);
    SimException CheckQhCommand(int reg, std::uint16_t value) const;
    void OnPasscodeCommand();
    void OnReset(int reg, std::uint16_t code);
    void OnQhWrite(int address, int count);
    bool SecondChannelResets() const { return features_.channels == 2 && !features_.zn; }
    void Restart(const SimNow& now);
    bool Touches(int address, int count, int reg, int regCount = 1) const
    {
        return reg < address + count && address < reg + regCount;
    }

    CDeviceType identity_;  // what the identification registers report
    CDeviceType behaviour_; // the catalogue row the device acts as
    SimFeatures features_;
    SimScenario scenario_;
    CSimRegisterSpace space_;
    std::unique_ptr<CSimMeasurements> measurements_; // every family but QH
    std::unique_ptr<CSimQhMeasurements> qh_;         // QH only
    std::uint32_t passcodeInput_ = 0;
    bool unlocked_ = false;
    std::int64_t clockOffset_ = 0; // device calendar seconds minus local calendar seconds
    bool started_ = false;         // the first request fixes the moment the unit came on
    int dipRegister_ = -1;
    bool lastRestartAnswered_ = false;
    int restarts_ = 0;
};
