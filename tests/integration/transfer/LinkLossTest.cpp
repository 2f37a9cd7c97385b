#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "FinishWaiter.h"
#include "SimulatedDevice.h"
#include "app/CModbusTransferConnection.h"
#include "app/CPrivateException.h"
#include "background/CProgressThread.h"
#include "device/CPasscodeProtection.h"
#include "device/DeviceRegisters.h"
#include "device/ParameterTransfer.h"
#include "support/CatalogueIds.h"
#include "support/ScriptedPrompts.h"
#include "text/CStringTable.h"

namespace {
// How the link goes away: an orderly close, a reset, a pseudo-terminal whose
// far end is closed as when a USB adapter is pulled, or a bus wire pulled
// behind the adapter.
enum class Loss { TcpClose, TcpReset, PtyHangUp, LineSilent };
enum class Operation { Upload, Download };

struct LossCase {
    Loss loss;
    Operation operation;
};

SimTransport TransportOf(Loss loss)
{
    return loss == Loss::PtyHangUp || loss == Loss::LineSilent ? SimTransport::Rtu
                                                               : SimTransport::Tcp;
}

SimOptions LosingLinkAfter(SimOptions options, Loss loss, int requests)
{
    if (loss == Loss::TcpClose || loss == Loss::LineSilent)
        options.faults.disconnectAfter = requests;
    else
        options.faults.hangUpAfter = requests;
    return options;
}

using TransferRun = std::function<bool(CModbusInterface&, IProgressSink&)>;

// Requests a complete run makes, so that a loss can be placed in its middle.
std::size_t RequestsOf(const SimOptions& options, SimTransport transport, const TransferRun& run)
{
    SimulatedDevice device(options, transport);
    RecordingProgress progress;
    device.Master().Open();
    EXPECT_TRUE(run(device.Master(), progress));
    device.Master().Close();
    return device.Requests().size();
}

bool HoldsOpen(const std::string& path)
{
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) == path)
            return true;
    }
    return false;
}

// The master works again once the far end is back.
void ExpectReconnects(SimulatedDevice& device)
{
    device.PlugBackIn();
    std::uint16_t model = 0;
    ASSERT_NO_THROW(device.Master().Open());
    EXPECT_NO_THROW(device.Master().ReadHoldingRegisters(DeviceRegister::kModelCode, 1, &model));
    EXPECT_NE(model, 0);
    device.Master().Close();
}

const LossCase kLossCases[] = {
    {Loss::TcpClose, Operation::Download},  {Loss::TcpReset, Operation::Upload},
    {Loss::TcpReset, Operation::Download},  {Loss::PtyHangUp, Operation::Upload},
    {Loss::PtyHangUp, Operation::Download}, {Loss::LineSilent, Operation::Upload},
};

std::string LossCaseName(const ::testing::TestParamInfo<LossCase>& info)
{
    static const char* const losses[] = {"TcpClose", "TcpReset", "PtyHangUp", "LineSilent"};
    return std::string(losses[static_cast<int>(info.param.loss)]) +
           (info.param.operation == Operation::Upload ? "MidUpload" : "MidDownload");
}

class LinkLossTest : public ::testing::TestWithParam<LossCase> {};

} // namespace

TEST_P(LinkLossTest, TransferFailsWithTheCommunicationErrorAndReleasesTheLink)
{
    const LossCase c = GetParam();
    ParameterSet set;
    set.words.fill(0x2468);
    const ParameterSet before = set;
    const ParameterSet download = SetOf(kKtaGen2Ao4to20mA);
    const TransferRun run = [&](CModbusInterface& master, IProgressSink& sink) {
        return c.operation == Operation::Upload ? ReadFromDevice(set, master, sink)
                                                : WriteToDevice(download, master, sink);
    };
    const SimOptions options = DeviceOptions(kKtaGen2Ao4to20mA);
    const std::size_t requests = RequestsOf(options, TransportOf(c.loss), run);
    ASSERT_GT(requests, 4u);
    set = before;

    SimulatedDevice device(LosingLinkAfter(options, c.loss, static_cast<int>(requests / 2)),
                           TransportOf(c.loss));
    const std::string port = device.Master().Settings().configPortName;
    CModbusTransferConnection connection(device.Master());
    CProgressThread job(
        c.operation == Operation::Upload ? TransferOperation::Read : TransferOperation::Write,
        connection, [&](IProgressSink& sink) { return run(device.Master(), sink); });
    FinishWaiter waiter(job);
    job.Start();
    ASSERT_TRUE(waiter.Wait()) << "the transfer did not end";
    job.Join();

    EXPECT_EQ(job.Outcome(), TransferOutcome::Failed);
    const std::string prefix = FormatText(11025, {""});
    ASSERT_EQ(job.ErrorText().compare(0, prefix.size(), prefix), 0) << job.ErrorText();
    const std::string cause = job.ErrorText().substr(prefix.size());
    if (c.loss == Loss::PtyHangUp) {
        EXPECT_EQ(cause, LoadText(10001)); // a write to a port that is gone
    } else {
        EXPECT_EQ(cause.rfind("Modbus command failed.", 0), 0u) << cause;
    }
    EXPECT_LT(device.Requests().size(), requests);
    EXPECT_EQ(set.words, before.words);
    EXPECT_EQ(set.type.TypeId(), before.type.TypeId());
    EXPECT_FALSE(device.Master().IsOpen());
    if (c.loss == Loss::PtyHangUp) {
        EXPECT_FALSE(HoldsOpen(port)) << port;
    }
    ExpectReconnects(device);
}

INSTANTIATE_TEST_SUITE_P(Losses, LinkLossTest, ::testing::ValuesIn(kLossCases), LossCaseName);

class PasscodeLinkLossTest : public ::testing::TestWithParam<Loss> {
protected:
    CScriptedPrompts prompts_;
    CPromptScope scope_{prompts_};
};

TEST_P(PasscodeLinkLossTest, UnlockFailsReleasesTheLinkAndLeavesTheDeviceLocked)
{
    const Loss loss = GetParam();
    const SimOptions options = DeviceOptions(kKtbGen1Modbus);
    const std::size_t requests =
        RequestsOf(options, TransportOf(loss), [](CModbusInterface& master, IProgressSink&) {
            CPasscodeProtection protection;
            const bool unlocked = protection.Unlock(master);
            protection.Forget();
            return unlocked;
        });
    ASSERT_GE(requests, 2u);

    // The link goes just before the request that grants access.
    SimulatedDevice device(LosingLinkAfter(options, loss, static_cast<int>(requests - 1)),
                           TransportOf(loss));
    const std::string port = device.Master().Settings().configPortName;
    {
        CPasscodeProtection protection;
        try {
            protection.Unlock(device.Master());
            ADD_FAILURE() << "unlock over a lost link succeeded";
        } catch (const CPrivateException& e) {
            EXPECT_FALSE(e.IsAbort());
            EXPECT_FALSE(e.Text().empty());
        }
        EXPECT_FALSE(protection.IsUnlocked());
        EXPECT_FALSE(device.Master().IsOpen());
    }
    EXPECT_EQ(prompts_.passcodeCount, 0);
    EXPECT_TRUE(device.Writes().empty());
    if (loss == Loss::PtyHangUp) {
        EXPECT_FALSE(HoldsOpen(port)) << port;
    }
    ExpectReconnects(device);
}

INSTANTIATE_TEST_SUITE_P(Losses, PasscodeLinkLossTest,
                         ::testing::Values(Loss::TcpReset, Loss::PtyHangUp),
                         [](const ::testing::TestParamInfo<Loss>& info) {
                             return info.param == Loss::TcpReset ? "TcpReset" : "PtyHangUp";
                         });
