#include "device/DeviceLock.h"

#include "device/EmulatedDevice.h"
#include "device/LockingDevice.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace vantrel {
namespace {

using namespace std::chrono_literals;
using testing::OtherProgram;
using testing::TemporaryFolder;

class DeviceLockTest : public ::testing::Test {
protected:
    const TemporaryFolder folder;
    const LockFile file = emulatorLockFile(folder / "memory.bin");
    OtherProgram other{file};
};

TEST_F(DeviceLockTest, waitsForAnotherProgramThenGivesUpAsBusyOrGetsItWhenTheOtherEnds) {
    ASSERT_TRUE(other.tryToTake());
    int waitingNotices = 0;
    int tries = 0;
    const std::function<void()> noticed([&] { ++waitingNotices; });
    const std::function<void()> tried([&] { ++tries; });
    const auto started = std::chrono::steady_clock::now();
    const DeviceLock refused = DeviceLock::take(file, {300ms, noticed, tried});
    EXPECT_TRUE(refused.busy());
    EXPECT_GE(std::chrono::steady_clock::now() - started, 300ms);
    EXPECT_EQ(waitingNotices, 1);
    EXPECT_GT(tries, 1) << "a window waiting must get to process its events";

    const std::function<void()> endOther([&] { other.end(); });
    const DeviceLock taken = DeviceLock::take(file, {5s, noticed, endOther});
    EXPECT_EQ(taken.outcome(), DeviceLock::Outcome::Held);
    EXPECT_EQ(waitingNotices, 2);
}

TEST_F(DeviceLockTest, isSharedWithinOneProgramAndHeldUntilItsLastHolderEnds) {
    const std::function<void()> noticed([] { ADD_FAILURE() << "a free device needs no notice"; });
    std::optional<DeviceLock> command = DeviceLock::take(file, {0ms, noticed, {}});
    {
        const DeviceLock transfer = DeviceLock::take(file, {0ms, {}, {}});
        EXPECT_EQ(transfer.outcome(), DeviceLock::Outcome::Held);
    }
    EXPECT_FALSE(other.tryToTake()) << "the command still holds it after the transfer's share";
    DeviceLock moved = std::move(*command);
    command.reset();
    EXPECT_FALSE(other.tryToTake()) << "moving a lock keeps it held";
    moved = DeviceLock();
    EXPECT_TRUE(other.tryToTake());
}

// Where the lock file lies, and that it stays, is what the tool's tests see
// in the folder; a link to the memory file must not make a second one.
TEST(DeviceLock, everyNameOfOneMemoryFileFindsTheSameLockFile) {
    const TemporaryFolder folder;
    std::filesystem::create_directory(folder / "real");
    testing::writeFile(folder / "real" / "memory.bin", std::string(4096, '\0'));
    std::filesystem::create_symlink(folder / "real" / "memory.bin", folder / "link.bin");
    EXPECT_EQ(emulatorLockFile(folder / "link.bin").path,
              emulatorLockFile(folder / "real" / "memory.bin").path);
}

TEST_F(DeviceLockTest, aLockingDeviceOpensOnlyUnderItsLockAndLetsGoAtTheClose) {
    OtherProgram& first = other;
    OtherProgram second(file);
    EmulatedDevice emulator;
    LockingDevice device(emulator, [this] { return std::optional(file); }, {100ms, {}, {}});
    DeviceHandle handle = 0;

    ASSERT_TRUE(first.tryToTake());
    EXPECT_EQ(device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
              DeviceFailure::Busy);
    EXPECT_EQ(emulator.openCount(), 0) << "a busy device is not opened";

    first.end();
    ASSERT_EQ(device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
              DeviceSuccess);
    EXPECT_FALSE(second.tryToTake()) << "held while the device is open";
    device.CloseHidDevice(handle);
    EXPECT_TRUE(second.tryToTake()) << "let go at the close";
}

// Unlocked, another program could write at the same time; but a memory
// file that cannot be made says so first. (The tool refuses the lock file
// before any transfer; the windows meet it here.)
TEST(DeviceLock, aLockFileThatCannotBeOpenedRefusesAUsableDeviceAsBusyNamingIt) {
    const TemporaryFolder folder;
    std::filesystem::create_directory(folder / "memory.bin.lock");
    for (const auto& [memory, status, kind] :
         {std::tuple(folder / "memory.bin", DeviceFailure::Busy,
                     DeviceProblemKind::LockFileCannotBeOpened),
          std::tuple(folder / "missing" / "memory.bin", DeviceFailure::NotFound,
                     DeviceProblemKind::MemoryFileCannotBeCreated)}) {
        EmulatedDevice emulator(memory);
        LockingDevice device(emulator, [path = memory] { return emulatorLockFile(path); }, {});
        DeviceHandle handle = 0;
        EXPECT_EQ(device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
                  status);
        EXPECT_EQ(device.lastProblem().kind, kind);
    }
}

} // namespace
} // namespace vantrel
