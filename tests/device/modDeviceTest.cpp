#include "modDevice.h"

#include "EmulatedDevice.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace vantrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const Report& report) {
    return {report.begin(), report.end()};
}

/// Pads the meaningful head of a report with the zero bytes that follow it.
Bytes padded(Bytes head) {
    head.resize(ReportSize, 0);
    return head;
}

class TransferReports : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
                  DeviceSuccess);
    }

    EmulatedDevice device;
    DeviceHandle handle = 0;
    DeviceImage image{};
};

struct ReportCase {
    const char* name;
    std::function<DeviceStatus(HidAccess&, DeviceHandle&, DeviceImage&)> send;
    Bytes expected;
};

TEST_F(TransferReports, SendTheExactReportBytes) {
    for (std::size_t i = 0; i < 8; ++i) {
        image[i] = static_cast<std::uint8_t>(0xA0 + i);
        image[0xFF0 + i] = static_cast<std::uint8_t>(0xB0 + i);
    }
    const std::vector<ReportCase> cases = {
        {"write-start pair",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage&) {
             return WriteTwoBytes(hid, h, 0xFF6, 'W', 'R');
         },
         padded({0x03, 0x81, 0x0F, 0xF6, 0x57, 0x81, 0x0F, 0xF7, 0x52})},
        {"trailer read",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage& img) {
             return ReadEightBytes(hid, h, 0xFC0, img);
         },
         {0x03, 0x82, 0x0F, 0xC0, 0x00, 0x82, 0x0F, 0xC1, 0x00, 0x82, 0x0F,
          0xC2, 0x00, 0x82, 0x0F, 0xC3, 0x00, 0x82, 0x0F, 0xC4, 0x00, 0x82,
          0x0F, 0xC5, 0x00, 0x82, 0x0F, 0xC6, 0x00, 0x82, 0x0F, 0xC7, 0x00}},
        {"first data block",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage& img) {
             return WriteEightBytes(hid, h, 0, img);
         },
         {0x03, 0x81, 0x00, 0x00, 0xA0, 0x81, 0x00, 0x01, 0xA1, 0x81, 0x00,
          0x02, 0xA2, 0x81, 0x00, 0x03, 0xA3, 0x81, 0x00, 0x04, 0xA4, 0x81,
          0x00, 0x05, 0xA5, 0x81, 0x00, 0x06, 0xA6, 0x81, 0x00, 0x07, 0xA7}},
        {"last block of the image",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage& img) {
             return WriteEightBytes(hid, h, 0xFF0, img);
         },
         {0x03, 0x81, 0x0F, 0xF0, 0xB0, 0x81, 0x0F, 0xF1, 0xB1, 0x81, 0x0F,
          0xF2, 0xB2, 0x81, 0x0F, 0xF3, 0xB3, 0x81, 0x0F, 0xF4, 0xB4, 0x81,
          0x0F, 0xF5, 0xB5, 0x81, 0x0F, 0xF6, 0xB6, 0x81, 0x0F, 0xF7, 0xB7}},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.name);
        device.clearReports();
        EXPECT_EQ(c.send(device, handle, image), DeviceSuccess);
        ASSERT_EQ(device.reports().size(), 1U);
        EXPECT_EQ(bytesOf(device.reports()[0]), c.expected);
    }
}

TEST_F(TransferReports, ReadStoresEachAnswerByteAtItsAddressAndNothingElse) {
    image.fill(0xEE);
    for (std::size_t k = 0; k < 8; ++k) {
        device.memory()[0x100 + k] = static_cast<std::uint8_t>(0x11 * (k + 1));
    }

    ASSERT_EQ(ReadEightBytes(device, handle, 0x100, image), DeviceSuccess);

    for (std::size_t address = 0; address < DeviceImageSize; ++address) {
        const bool inBlock = address >= 0x100 && address < 0x108;
        const auto expected =
            inBlock ? static_cast<std::uint8_t>(0x11 * (address - 0x100 + 1)) : std::uint8_t{0xEE};
        ASSERT_EQ(image[address], expected) << "address " << address;
    }
}

TEST_F(TransferReports, FailureIsPassedBackUnchangedAfterOneExchange) {
    const std::vector<ReportCase> cases = {
        {"WriteTwoBytes",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage&) {
             return WriteTwoBytes(hid, h, 0xFF6, 'Z', 'Q');
         },
         {}},
        {"WriteEightBytes",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage& img) {
             return WriteEightBytes(hid, h, 0x10, img);
         },
         {}},
        {"ReadEightBytes",
         [](HidAccess& hid, DeviceHandle& h, DeviceImage& img) {
             return ReadEightBytes(hid, h, 0x10, img);
         },
         {}},
    };
    device.memory().fill(0x5A);
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(device.CloseHidDevice(handle), DeviceSuccess);
        ASSERT_EQ(device.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
                  DeviceSuccess);
        device.clearReports();
        device.failExchange(0, -12345);
        image.fill(0x33);

        EXPECT_EQ(c.send(device, handle, image), -12345);
        EXPECT_EQ(device.reports().size(), 1U);
        EXPECT_EQ(image[0x10], 0x33) << "a failed read must leave the image alone";
    }
}

TEST_F(TransferReports, BlockReachingPastTheImageIsRefusedWithoutAnExchange) {
    EXPECT_EQ(ReadEightBytes(device, handle, 0xFF1, image), BlockOutsideImage);
    EXPECT_EQ(WriteEightBytes(device, handle, 0xFFF8, image), BlockOutsideImage);
    EXPECT_TRUE(device.reports().empty());
}

} // namespace
} // namespace vantrel
