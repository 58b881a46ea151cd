#include "device/hidapi/HidapiDevice.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

// Without a device attached only the refusals can be checked; with one, the
// open-and-close test also opens it (nothing is sent to it).
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

TEST(HidapiDevice, OpensExactlyWhenAnAttachedDeviceCanBeOpened) {
    const std::vector<HidDeviceInfo> attached = enumerateHidDevices();
    for (const HidDeviceInfo& info : attached) {
        EXPECT_EQ(info.productId, DeviceProductId) << info.path;
    }
    const bool openable = std::any_of(attached.begin(), attached.end(),
                                      [](const HidDeviceInfo& info) { return info.opens(); });

    HidapiDevice hid(
        HidapiOptions{configuredVendorId(), std::chrono::milliseconds(100), std::nullopt});
    DeviceHandle handle = 0;
    const DeviceStatus opened =
        hid.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle);

    if (openable) {
        ASSERT_EQ(opened, DeviceSuccess) << hid.lastProblem().detail;
        EXPECT_EQ(hid.CloseHidDevice(handle), DeviceSuccess);
        EXPECT_EQ(hid.CloseHidDevice(handle), DeviceFailure::Gone);
    } else {
        EXPECT_TRUE(opened == DeviceFailure::NotFound || opened == DeviceFailure::NoPermission)
            << opened;
        EXPECT_FALSE(hid.lastProblem().detail.empty());
    }
}

} // namespace
} // namespace vantrel
