#include "device/EmulatedDevice.h"

#include "device/modDevice.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vantrel {
namespace {

using testing::TemporaryFolder;

/// A report whose slots are given as {opcode, address, data}.
Report reportOf(std::initializer_list<std::tuple<std::uint8_t, int, std::uint8_t>> slots,
                std::uint8_t reportId = TransferReportId) {
    Report report{reportId};
    std::size_t at = 1;
    for (const auto& [opcode, address, data] : slots) {
        report[at] = opcode;
        report[at + 1] = static_cast<std::uint8_t>((address >> 8) & 0xFF);
        report[at + 2] = static_cast<std::uint8_t>(address & 0xFF);
        report[at + 3] = data;
        at += 4;
    }
    return report;
}

DeviceStatus open(EmulatedDevice& device, DeviceHandle& handle) {
    return device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle);
}

TEST(EmulatedDevice, OpensOnceAtATimeForTheDeviceArgumentsAndHonoursOnlyThatHandle) {
    EmulatedDevice device;
    DeviceHandle first = 0;
    for (const auto [productId, outputLength, inputLength] :
         {std::array{265, 33, 33}, std::array{264, 32, 33}, std::array{264, 33, 65}}) {
        EXPECT_EQ(device.OpenHidDevice(productId, outputLength, inputLength, first),
                  DeviceFailure::Refused)
            << productId << "/" << outputLength << "/" << inputLength;
    }
    ASSERT_EQ(open(device, first), DeviceSuccess);
    DeviceHandle second = 0;
    EXPECT_EQ(open(device, second), DeviceFailure::Refused) << "one open at a time";
    EXPECT_EQ(device.CloseHidDevice(first), DeviceSuccess);
    EXPECT_EQ(device.CloseHidDevice(first), DeviceFailure::Gone);
    ASSERT_EQ(open(device, second), DeviceSuccess);
    Report answer{};
    EXPECT_EQ(device.WriteHidDevice(first, reportOf({{SlotRead, 0, 0}}), answer),
              DeviceFailure::Gone)
        << "a stale handle";
    EXPECT_TRUE(device.reports().empty()) << "only reports that reached the device are logged";
}

TEST(EmulatedDevice, RefusesAMalformedReportWholeAndLogsIt) {
    // Each begins with a valid write to address 0 that must not be applied.
    for (const Report& report :
         {reportOf({{SlotWrite, 0, 0x77}}, 2), reportOf({{SlotWrite, 0, 0x77}, {0x83, 1, 0}}),
          reportOf({{SlotWrite, 0, 0x77}, {SlotWrite, 0x1000, 1}}),
          reportOf({{SlotWrite, 0, 0x77}, {SlotRead, 0xFFFF, 0}})}) {
        EmulatedDevice device;
        DeviceHandle handle = 0;
        ASSERT_EQ(open(device, handle), DeviceSuccess);
        Report answer{};
        answer.fill(0xCC);

        EXPECT_EQ(device.WriteHidDevice(handle, report, answer), DeviceFailure::Refused);

        EXPECT_EQ(device.memory()[0], 0);
        EXPECT_EQ(answer[0], 0xCC) << "a failed exchange leaves the answer alone";
        EXPECT_EQ(device.reports().size(), 1U);
    }
}

TEST(EmulatedDevice, KeepsItsMemoryInAFileMadeOnlyForMoreThanTheTransferStatePair) {
    const TemporaryFolder folder;
    DeviceHandle handle = 0;
    Report answer{};
    for (const auto& [report, fileExpected] :
         {std::pair{reportOf({{SlotWrite, ImageAddress::TransferState, 'R'},
                              {SlotWrite, ImageAddress::TransferState + 1, 'E'}}),
                    false},
          std::pair{reportOf({{SlotWrite, 0xFFF, 0x9C}}), true}}) {
        EmulatedDevice device(folder / "device.bin");
        ASSERT_EQ(open(device, handle), DeviceSuccess) << "a missing file is a fresh device";
        ASSERT_EQ(device.WriteHidDevice(handle, report, answer), DeviceSuccess);
        ASSERT_EQ(device.CloseHidDevice(handle), DeviceSuccess);
        EXPECT_EQ(std::filesystem::exists(folder / "device.bin"), fileExpected)
            << "a read that found nothing leaves no file";
    }
    EmulatedDevice later(folder / "device.bin");
    ASSERT_EQ(open(later, handle), DeviceSuccess);
    EXPECT_EQ(later.memory()[0xFFF], 0x9C);
}

// Folder and file permissions and the superuser are POSIX notions.
#ifndef _WIN32
TEST(EmulatedDevice, ReadsMemoryItCannotKeepButFailsTheEndPairOfAWriteAndLeavesThatFileAlone) {
    namespace fs = std::filesystem;
    const TemporaryFolder folder;
    // Anyone may make files in the folder itself, so only what each case
    // names can stop a save.
    fs::permissions(folder.path, fs::perms::all);
    const std::string memory(EmulatedDevice::MemorySize, '\x07');
    testing::writeFile(folder / "secret.bin", memory);
    fs::permissions(folder / "secret.bin", fs::perms::none);
    testing::writeFile(folder / "read-only.bin", memory);
    fs::permissions(folder / "read-only.bin",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const Report endPair = reportOf({{SlotWrite, ImageAddress::TransferState, 'Z'},
                                     {SlotWrite, ImageAddress::TransferState + 1, 'Q'},
                                     {SlotWrite, 0, 0x55}});

    // The superuser writes anywhere, so the cases run as nobody.
    const bool wasRoot = geteuid() == 0;
    ASSERT_TRUE(!wasRoot || seteuid(65534) == 0);
    DeviceHandle handle = 0;
    Report answer{};
    // A memory file that keeps the device from opening, in the system's
    // words (the tool's tests name the other ways).
    EmulatedDevice secret(folder / "secret.bin");
    EXPECT_EQ(open(secret, handle), DeviceFailure::NotFound);
    EXPECT_EQ(secret.lastProblem().kind, DeviceProblemKind::MemoryFileCannotBeRead);
    EXPECT_EQ(secret.lastProblem().detail, "Permission denied");
    EXPECT_EQ(secret.lastProblem().where, (folder / "secret.bin").string());
    // A folder that takes no new file is the transfers' test.
    EmulatedDevice readOnly(folder / "read-only.bin");
    ASSERT_EQ(open(readOnly, handle), DeviceSuccess);
    EXPECT_EQ(readOnly.WriteHidDevice(handle, reportOf({{SlotRead, 0, 0}}), answer), DeviceSuccess);
    EXPECT_EQ(readOnly.WriteHidDevice(handle, endPair, answer), DeviceFailure::NotKept);
    EXPECT_EQ(readOnly.lastProblem().kind, DeviceProblemKind::MemoryNotKept);
    EXPECT_NE(readOnly.lastProblem().detail.find("read-only.bin"), std::string::npos)
        << readOnly.lastProblem().detail;
    EXPECT_EQ(readOnly.CloseHidDevice(handle), DeviceFailure::NotKept);
    EmulatedDevice writable(folder / "fresh.bin");
    ASSERT_EQ(open(writable, handle), DeviceSuccess);
    EXPECT_EQ(writable.WriteHidDevice(handle, endPair, answer), DeviceSuccess);
    EXPECT_TRUE(writable.lastProblem().ok());
    EXPECT_TRUE(fs::exists(folder / "fresh.bin")) << "kept at the end pair, before the close";
    ASSERT_TRUE(!wasRoot || seteuid(0) == 0);
    EXPECT_EQ(testing::contentsOf(folder / "read-only.bin"), memory);
}

#endif

} // namespace
} // namespace vantrel
