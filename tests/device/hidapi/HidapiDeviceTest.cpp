#include "device/hidapi/HidapiDevice.h"

#include <gtest/gtest.h>

// hidapi's library is replaced by scripted devices (tests/support/hidapi);
// the tool's and the window program's tests run transfers and the device
// lock through them (UsbToolTest, UsbProgramTest).
namespace vantrel {
namespace {

TEST(HidapiDevice, RefusesOtherReportLengthsAndHandlesItDidNotOpen) {
    HidapiDevice hid;
    DeviceHandle handle = 1;
    EXPECT_EQ(hid.OpenHidDevice(DeviceProductId, 64, ReportLength, handle), DeviceFailure::Refused);
    EXPECT_EQ(hid.OpenHidDevice(DeviceProductId, ReportLength, 32, handle), DeviceFailure::Refused);
    EXPECT_EQ(handle, 1);
    EXPECT_FALSE(hid.lastProblem().detail.empty());

    Report output{3};
    Report input{};
    input.fill(0xCC);
    EXPECT_EQ(hid.WriteHidDevice(handle, output, input), DeviceFailure::Gone);
    EXPECT_EQ(input[0], 0xCC);
    EXPECT_EQ(hid.CloseHidDevice(handle), DeviceFailure::Gone);
}

} // namespace
} // namespace vantrel
