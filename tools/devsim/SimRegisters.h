#pragma once

// Register addresses (0-based protocol addresses) that the simulated devices
// give a meaning beyond storage.
namespace SimReg {

// Identity
constexpr int kVersionTriple = 9597; // 3
constexpr int kModelCode = 9600;
constexpr int kFirmware = 9601;
constexpr int kSerial = 9602; // 4 registers, 8 characters
constexpr int kTag = 9606;    // 8 registers, 16 characters
constexpr int kOptionCode = 9622;
constexpr int kIoWords = 9623; // 5
constexpr int kIdentityFirst = 9597;
constexpr int kIdentityLast = 9627;

constexpr int kWordOrder = 5735;
constexpr int kDipSwitchQg = 20302;
constexpr int kDipSwitchQh = 25502;

// Passcode register sets
constexpr int kPasscodeInput = 4942; // 2
constexpr int kPasscodeCommand = 4944;
constexpr int kStoredPasscode = 5333; // 2
constexpr int kQhPasscodeInput = 8976;
constexpr int kQhPasscodeCommand = 8978;
constexpr int kQhStoredPasscode = 8993;

// Commands
constexpr int kResetCommand = 5329;
constexpr int kRestart = 5330;
constexpr int kAltResetCommand = 5337;
constexpr int kCounterResetOrFixedOutputs = 5339;
constexpr int kClearAlarm = 5204;
constexpr int kQhRestart = 8992;
constexpr int kQhChannelReset = 8995; // + channel, 16
constexpr int kRestartPair = 9000;    // 3333, 4444
constexpr int kRestartCode = 10001;
constexpr int kRestartPairFirst = 3333;
constexpr int kRestartPairSecond = 4444;

constexpr int kClock = 9104; // 3, BCD

// Settings the measurement follows
constexpr int kTariff = 5328; // 0 high tariff, 1 low tariff
constexpr int kWiring = 5600;
constexpr int kPrimaryCurrent = 5601;
constexpr int kSensorType = 5602;      // QG, ZN: 0 = user-defined primary, 1-5 = sensors
constexpr int kPrimaryVoltage = 5603;  // 2
constexpr int kPrimaryCurrent2 = 5609; // QG second input, ZN circuit B
constexpr int kSensorType2 = 5610;
constexpr int kPrimaryCurrentC = 5612; // ZN circuit C
constexpr int kSensorTypeC = 5613;
constexpr int kPrimaryCurrentD = 5615; // ZN circuit D
constexpr int kSensorTypeD = 5616;
constexpr int kCircuitReference = 5696; // ZN circuits A-D: 0 = 1-N, 1 = 3-N, 2 = 1-3
constexpr int kCurrentInterval = 5856;  // demand intervals, minutes
constexpr int kPowerInterval = 5857;
constexpr int kMeasurementMode = 5991; // 1 = simple measurement
constexpr int kSimplePowerFactor = 5992;
constexpr int kRatedCurrent = 6752;      // KTA "Current 100%", A; ZM reports its CT primary here
constexpr int kRatedVoltage = 6753;      // 2, KTA "Voltage 100%", V
constexpr int kRatedCurrentKtb = 6768;   // 2, mA
constexpr int kRatedVoltageKtb = 6772;   // 2, 0.01 V
constexpr int kOutputTypeSetting = 7007; // ZM with an analog output
constexpr int kQhWiring = 9040;
constexpr int kQhPrimaryVoltage = 9043;  // 2
constexpr int kQhCurrentInterval = 9056; // minutes
constexpr int kQhPowerInterval = 9057;
constexpr int kQhCtBasic = 9392;     // + 4c: primary current, sensor type (channels 1-8)
constexpr int kQhCtExtension = 9424; // + 4c: channels 9-16

// Loop test
constexpr int kLoopTest = 5335;
constexpr int kLoopTestChannel2 = 5338;
constexpr int kQhLoopTest = 9136; // + channel

// Measured values, channel 1 (see the channel offsets below)
constexpr int kTotals = 0;          // 8 values
constexpr int kPhases = 32;         // 25 values
constexpr int kCurrentDemand = 256; // 5 groups of 5 values, 16 registers apart
constexpr int kPowerDemand = 512;   // 5 groups of 3 values, 16 registers apart
constexpr int kEnergyHigh = 128;    // 14 values
constexpr int kEnergyLow = 160;     // 14 values
constexpr int kEnergyFraction = 64; // fraction of a counter lies this far above it
constexpr int kMaximum = 768;       // 7 values
constexpr int kMaximumPhases = 800; // 22 values
constexpr int kMaximumDemand = 896; // 10 values
constexpr int kMinimum = 928;       // 7 values
constexpr int kMinimumPhases = 960; // 22 values
constexpr int kThdMaximum = 864;    // 10 values
constexpr int kThdLatest = 1280;    // 10 values
constexpr int kSpectrum = 1536;     // 10 rows of 30 registers, 64 apart
constexpr int kAngles = 30000;      // 6 registers, 30100 for channel 2
constexpr int kOutputType = 3135;
constexpr int kOutputValues = 3136; // 4
constexpr int kCounters = 3136;     // 8 values

// Channel 2 (second input of QG, second system of ZN)
constexpr int kChannel2Offset = 4000;       // instantaneous, demand, energy
constexpr int kChannel2MaxMinOffset = 2000; // maximum, minimum, THD maximum
constexpr int kChannel2ThdOffset = 7000;    // THD latest, spectrum
constexpr int kChannel2AngleOffset = 100;

} // namespace SimReg
