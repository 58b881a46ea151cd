#include "device/modDevice.h"

#include "device/EmulatedDevice.h"

#include <gtest/gtest.h>
#include <vector>

namespace vantrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

TEST_F(TransferReports, SendTheExactReportBytes) {
    for (std::size_t i = 0; i < 8; ++i) {
        image[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    EXPECT_EQ(WriteTwoBytes(device, handle, 0xFF6, 'W', 'R'), DeviceSuccess);
    EXPECT_EQ(ReadEightBytes(device, handle, 0xFC0, image), DeviceSuccess);
    EXPECT_EQ(WriteEightBytes(device, handle, 0, image), DeviceSuccess);

    Bytes pair = {0x03, 0x81, 0x0F, 0xF6, 0x57, 0x81, 0x0F, 0xF7, 0x52};
    pair.resize(ReportSize, 0);
    const std::vector<Bytes> expected = {
        pair,
        {0x03, 0x82, 0x0F, 0xC0, 0x00, 0x82, 0x0F, 0xC1, 0x00, 0x82, 0x0F,
         0xC2, 0x00, 0x82, 0x0F, 0xC3, 0x00, 0x82, 0x0F, 0xC4, 0x00, 0x82,
         0x0F, 0xC5, 0x00, 0x82, 0x0F, 0xC6, 0x00, 0x82, 0x0F, 0xC7, 0x00},
        {0x03, 0x81, 0x00, 0x00, 0xA0, 0x81, 0x00, 0x01, 0xA1, 0x81, 0x00,
         0x02, 0xA2, 0x81, 0x00, 0x03, 0xA3, 0x81, 0x00, 0x04, 0xA4, 0x81,
         0x00, 0x05, 0xA5, 0x81, 0x00, 0x06, 0xA6, 0x81, 0x00, 0x07, 0xA7},
    };
    ASSERT_EQ(device.reports().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Bytes(device.reports()[i].begin(), device.reports()[i].end()), expected[i])
            << "report " << i;
    }
}

TEST_F(TransferReports, FailureIsPassedBackAfterOneExchangeAndABlockPastTheImageHasNone) {
    image.fill(0x33);
    device.failExchange(0, DeviceFailure::Timeout);
    EXPECT_EQ(ReadEightBytes(device, handle, 0x10, image), DeviceFailure::Timeout);
    device.failExchange(1, DeviceFailure::ShortAnswer);
    EXPECT_EQ(WriteEightBytes(device, handle, 0x10, image), DeviceFailure::ShortAnswer);
    device.failExchange(2, DeviceFailure::Gone);
    EXPECT_EQ(WriteTwoBytes(device, handle, 0xFF6, 'Z', 'Q'), DeviceFailure::Gone);
    EXPECT_EQ(ReadEightBytes(device, handle, 0xFF1, image), DeviceFailure::Refused);
    EXPECT_EQ(WriteEightBytes(device, handle, 0xFFF8, image), DeviceFailure::Refused);

    EXPECT_EQ(device.reports().size(), 3U) << "one exchange each, never retried";
    EXPECT_EQ(image[0x10], 0x33) << "a failed read leaves the image alone";
}

} // namespace
} // namespace vantrel
