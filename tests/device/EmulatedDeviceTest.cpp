#include "EmulatedDevice.h"

#include "modDevice.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

/// A report whose slots are given as {opcode, address, data}.
struct SlotSpec {
    std::uint8_t opcode;
    int address;
    std::uint8_t data;
};

Report reportOf(std::initializer_list<SlotSpec> slots, std::uint8_t reportId = TransferReportId) {
    Report report{};
    report[0] = reportId;
    std::size_t at = 1;
    for (const SlotSpec& slot : slots) {
        report[at] = slot.opcode;
        report[at + 1] = static_cast<std::uint8_t>((slot.address >> 8) & 0xFF);
        report[at + 2] = static_cast<std::uint8_t>(slot.address & 0xFF);
        report[at + 3] = slot.data;
        at += 4;
    }
    return report;
}

DeviceStatus open(EmulatedDevice& device, DeviceHandle& handle) {
    return device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle);
}

/// Sends a harmless one-slot read and answers its status.
DeviceStatus exchange(EmulatedDevice& device, DeviceHandle& handle) {
    Report answer{};
    return device.WriteHidDevice(handle, reportOf({{SlotRead, 0, 0}}), answer);
}

/// A folder of its own under the system's temporary folder, removed again.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::random_device seed;
        path_ = fs::temp_directory_path() / ("vantrel-device-" + std::to_string(seed()));
        fs::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

std::vector<char> contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(EmulatedDevice, OpensOnlyForTheDeviceArguments) {
    struct Case {
        std::int32_t productId, outputLength, inputLength;
        bool opens;
    };
    for (const Case c : {Case{264, 33, 33, true}, Case{265, 33, 33, false},
                         Case{264, 32, 33, false}, Case{264, 33, 65, false}}) {
        SCOPED_TRACE(std::to_string(c.productId) + "/" + std::to_string(c.outputLength) + "/" +
                     std::to_string(c.inputLength));
        EmulatedDevice device;
        DeviceHandle handle = 0;
        EXPECT_EQ(device.OpenHidDevice(c.productId, c.outputLength, c.inputLength, handle) ==
                      DeviceSuccess,
                  c.opens);
        EXPECT_EQ(device.isOpen(), c.opens);
    }
}

TEST(EmulatedDevice, HandleIsValidOnlyWhileItsOpenLasts) {
    EmulatedDevice device;
    DeviceHandle first = 0;
    ASSERT_EQ(open(device, first), DeviceSuccess);
    DeviceHandle second = 0;
    EXPECT_NE(open(device, second), DeviceSuccess) << "one open at a time";

    DeviceHandle wrong = first + 1;
    EXPECT_EQ(exchange(device, wrong), EmulatedDevice::NotOpen);
    EXPECT_EQ(device.CloseHidDevice(wrong), EmulatedDevice::NotOpen);
    EXPECT_TRUE(device.isOpen());

    EXPECT_EQ(device.CloseHidDevice(first), DeviceSuccess);
    EXPECT_EQ(device.CloseHidDevice(first), EmulatedDevice::NotOpen);
    EXPECT_EQ(exchange(device, first), EmulatedDevice::NotOpen);

    ASSERT_EQ(open(device, second), DeviceSuccess);
    EXPECT_EQ(exchange(device, first), EmulatedDevice::NotOpen) << "a stale handle";
    EXPECT_EQ(exchange(device, second), DeviceSuccess);
    EXPECT_EQ(device.openCount(), 2);
    EXPECT_EQ(device.closeCount(), 1);
    EXPECT_EQ(device.reports().size(), 1U) << "only reports that reached the device are logged";
}

TEST(EmulatedDevice, AppliesSlotsInOrderAndAnswersWithReportIdThree) {
    EmulatedDevice device;
    DeviceHandle handle = 0;
    ASSERT_EQ(open(device, handle), DeviceSuccess);
    const Report request = reportOf({{SlotWrite, 0x010, 0xAA},
                                     {SlotRead, 0x010, 0},
                                     {SlotWrite, 0x010, 0xBB},
                                     {SlotRead, 0x010, 0},
                                     {0, 0xFFFF, 0x99}, // an empty slot: the rest is ignored
                                     {SlotWrite, 0xFFF, 0x42},
                                     {SlotRead, 0xFFF, 0}});
    Report answer{};

    ASSERT_EQ(device.WriteHidDevice(handle, request, answer), DeviceSuccess);

    EXPECT_EQ(answer[0], TransferReportId);
    EXPECT_EQ(answer[8], 0xAA);
    EXPECT_EQ(answer[16], 0xBB);
    EXPECT_EQ(answer[28], 0x42);
    EXPECT_EQ(device.memory()[0x010], 0xBB);
    EXPECT_EQ(device.memory()[0xFFF], 0x42);
}

TEST(EmulatedDevice, RefusesAMalformedReportWholeAndLogsIt) {
    struct Case {
        const char* name;
        Report report;
    };
    // Each begins with a valid write to address 0 that must not be applied.
    const std::vector<Case> cases = {
        {"report ID 2", reportOf({{SlotWrite, 0, 0x77}}, 2)},
        {"unknown opcode", reportOf({{SlotWrite, 0, 0x77}, {0x83, 1, 0}})},
        {"write above 0xFFF", reportOf({{SlotWrite, 0, 0x77}, {SlotWrite, 0x1000, 1}})},
        {"read above 0xFFF", reportOf({{SlotWrite, 0, 0x77}, {SlotRead, 0xFFFF, 0}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatedDevice device;
        DeviceHandle handle = 0;
        ASSERT_EQ(open(device, handle), DeviceSuccess);
        Report answer{};
        answer.fill(0xCC);

        EXPECT_EQ(device.WriteHidDevice(handle, c.report, answer), EmulatedDevice::BadReport);

        EXPECT_EQ(device.memory()[0], 0);
        EXPECT_EQ(answer[0], 0xCC) << "a failed exchange leaves the answer alone";
        EXPECT_EQ(device.reports().size(), 1U);
    }
}

TEST(EmulatedDevice, FailsTheChosenExchangeAfterEveryOpen) {
    EmulatedDevice device;
    device.failExchange(2, 77);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        DeviceHandle handle = 0;
        ASSERT_EQ(open(device, handle), DeviceSuccess);
        EXPECT_EQ(exchange(device, handle), DeviceSuccess);
        EXPECT_EQ(exchange(device, handle), DeviceSuccess);
        EXPECT_EQ(exchange(device, handle), 77);
        EXPECT_EQ(exchange(device, handle), DeviceSuccess);
        EXPECT_EQ(device.CloseHidDevice(handle), DeviceSuccess);
    }
    EXPECT_EQ(device.reports().size(), 8U);
}

TEST(EmulatedDevice, UnpluggedMidTransferFailsEveryLaterExchangeAndOpen) {
    EmulatedDevice device;
    device.unplugAfter(2);
    DeviceHandle handle = 0;
    ASSERT_EQ(open(device, handle), DeviceSuccess);
    EXPECT_EQ(exchange(device, handle), DeviceSuccess);
    EXPECT_EQ(exchange(device, handle), DeviceSuccess);
    EXPECT_EQ(exchange(device, handle), EmulatedDevice::InjectedFault);
    EXPECT_EQ(exchange(device, handle), EmulatedDevice::InjectedFault);
    EXPECT_EQ(device.CloseHidDevice(handle), DeviceSuccess);
    EXPECT_NE(open(device, handle), DeviceSuccess);

    device.clearFaults();
    EXPECT_EQ(open(device, handle), DeviceSuccess);
    EXPECT_EQ(exchange(device, handle), DeviceSuccess);
}

TEST(EmulatedDevice, WhatOneRunWritesTheNextRunReads) {
    const TemporaryFolder folder;
    const fs::path storage = folder / "device.bin";
    {
        EmulatedDevice device(storage);
        DeviceHandle handle = 0;
        ASSERT_EQ(open(device, handle), DeviceSuccess);
        EXPECT_EQ(device.memory()[0x123], 0) << "a missing file is a fresh device";
        Report answer{};
        ASSERT_EQ(device.WriteHidDevice(
                      handle, reportOf({{SlotWrite, 0x123, 0x9C}, {SlotWrite, 0xFFF, 1}}), answer),
                  DeviceSuccess);
        ASSERT_EQ(device.CloseHidDevice(handle), DeviceSuccess);
    }
    EXPECT_EQ(fs::file_size(storage), EmulatedDevice::MemorySize);

    EmulatedDevice later(storage);
    DeviceHandle handle = 0;
    ASSERT_EQ(open(later, handle), DeviceSuccess);
    Report answer{};
    ASSERT_EQ(later.WriteHidDevice(handle, reportOf({{SlotRead, 0x123, 0}}), answer),
              DeviceSuccess);
    EXPECT_EQ(answer[4], 0x9C);
    EXPECT_EQ(later.memory()[0xFFF], 1);
}

TEST(EmulatedDevice, StorageOfTheWrongSizeIsNoDeviceAndIsLeftAlone) {
    const TemporaryFolder folder;
    const fs::path storage = folder / "device.bin";
    const std::string shortContents(4088, '\x07');
    std::ofstream(storage, std::ios::binary) << shortContents;

    EmulatedDevice device(storage);
    DeviceHandle handle = 0;
    EXPECT_EQ(open(device, handle), EmulatedDevice::NoDevice);
    EXPECT_FALSE(device.isOpen());
    const std::vector<char> after = contentsOf(storage);
    EXPECT_EQ(std::string(after.begin(), after.end()), shortContents);
}

TEST(EmulatedDevice, CloseThatCannotSaveStillClosesAndSaysSo) {
    const TemporaryFolder folder;
    EmulatedDevice device(folder / "no-such-folder" / "device.bin");
    DeviceHandle handle = 0;
    ASSERT_EQ(open(device, handle), DeviceSuccess);

    EXPECT_EQ(device.CloseHidDevice(handle), EmulatedDevice::SaveFailed);
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.closeCount(), 1);
}

TEST(EmulatedDevice, LatencyDelaysEveryExchange) {
    EmulatedDevice device;
    device.setLatency(std::chrono::milliseconds(3));
    DeviceHandle handle = 0;
    ASSERT_EQ(open(device, handle), DeviceSuccess);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(exchange(device, handle), DeviceSuccess);
    EXPECT_EQ(exchange(device, handle), DeviceSuccess);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(6));
}

} // namespace
} // namespace vantrel
