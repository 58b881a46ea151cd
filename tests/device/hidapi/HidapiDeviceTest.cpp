#include "device/hidapi/HidapiDevice.h"

#include "tests/support/TemporaryFolder.h"
#include "tests/support/hidapi/ScriptedHid.h"

#include <chrono>
#include <gtest/gtest.h>

// hidapi's library is replaced by scripted devices (tests/support/hidapi);
// the tool's tests run transfers through them.
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

TEST(HidapiDevice, OpensTheConfigurationChannelWhoseNodeStandsForTheDevice) {
    const testing::TemporaryFolder folder;
    const testing::ScriptedHid scripted(folder.path, {testing::ScriptedHidDevice{}});
    HidapiDevice hid(HidapiOptions{configuredVendorId(), std::chrono::milliseconds(100),
                                   std::nullopt, scripted.sysfsRoot()});
    EXPECT_EQ(hid.lockFile()->path, scripted.node(0, 3));
    DeviceHandle handle = 0;
    ASSERT_EQ(hid.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle),
              DeviceSuccess);
    EXPECT_TRUE(scripted.devices()[0].memory->isOpen());
    EXPECT_EQ(hid.CloseHidDevice(handle), DeviceSuccess);
    EXPECT_EQ(hid.CloseHidDevice(handle), DeviceFailure::Gone);
}

} // namespace
} // namespace vantrel
