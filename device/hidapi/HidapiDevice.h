#pragma once

#include "device/DeviceLock.h"
#include "device/HidAccess.h"
#include "device/HidDeviceInfo.h"
#include "device/UsbDeviceChoice.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct hid_device_; // hidapi's device, kept out of this header's users' sight

// The device on real hardware, through hidapi: hidraw on Linux, the native
// HID stack on Windows and macOS.
namespace vantrel {

/// The vendor ID this build matches, set with the CMake cache variable
/// VANTREL_VENDOR_ID; 0 matches every vendor.
[[nodiscard]] std::uint16_t configuredVendorId();

/// Every attached HID interface with product ID 264 whose vendor ID matches
/// `vendorId` (0 = any), in the order OpenHidDevice tries them. Each is
/// opened and closed again to fill `openResult` and `openError`; nothing is
/// sent to it. Empty when none is attached or the HID library cannot be
/// initialised. Each interface's USB port is read from sysfs under
/// `sysfsRoot`, which tests replace with a tree of their own.
[[nodiscard]] std::vector<HidDeviceInfo>
enumerateHidDevices(std::uint16_t vendorId = configuredVendorId(),
                    const std::filesystem::path& sysfsRoot = SystemSysfsRoot);

struct HidapiOptions {
    /// 0 matches every vendor.
    std::uint16_t vendorId = configuredVendorId();
    /// How long an exchange waits for the device's answer.
    std::chrono::milliseconds answerTimeout{1000};
    /// Opens only this device among those attached (see groupUsbDevices);
    /// without it, the first that opens.
    std::optional<UsbSelector> device;
    /// Where sysfs tells the USB port of each interface (see enumerateHidDevices).
    std::filesystem::path sysfsRoot = SystemSysfsRoot;
};

/// Finds the device among the attached HID interfaces by product ID (and
/// vendor ID when one is set). Interfaces whose usage page is vendor-defined
/// (0xFF00 and up), where a configuration channel lives, are tried first,
/// then the others in the order the system lists them; the first that opens
/// for reading and writing is used; with a device chosen in the options, only
/// its interfaces are tried, in the same order. An exchange first drops every
/// input report already waiting (an answer that came after its exchange gave
/// up, or one the device sent unasked), so that the answer read belongs to
/// the report sent; then it writes the 33-byte report (report ID 3 in byte 0)
/// and waits up to the answer timeout for one input report, which must be 33
/// bytes with report ID 3 in byte 0.
/// A timeout, a short read or write, or a device that has gone is a failure
/// of its kind (DeviceFailure), never a hang: Refused for report lengths
/// other than 33 and for an answer of another report ID, NotFound or
/// NoPermission from an open, Gone for a handle this object did not open or
/// a device that stopped answering, ShortAnswer and Timeout as named.
/// Several handles may be open at once.
class HidapiDevice final : public HidAccess {
public:
    explicit HidapiDevice(HidapiOptions options = {});
    ~HidapiDevice() override;
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;
    HidapiDevice(HidapiDevice&&) = delete;
    HidapiDevice& operator=(HidapiDevice&&) = delete;

    DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                               std::int32_t inputLength, DeviceHandle& handle) override;
    DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output, Report& input) override;
    DeviceStatus CloseHidDevice(DeviceHandle& handle) override;

    /// The node of the interface OpenHidDevice would open now, whose lock
    /// stands for the device; nothing when none opens.
    [[nodiscard]] std::optional<LockFile> lockFile() const;

    /// What went wrong in the last failed call: for an attached device that
    /// would not open its node and the system's words, otherwise hidapi's
    /// words; empty after a success.
    [[nodiscard]] DeviceProblem lastProblem() const override;

private:
    struct Closer {
        void operator()(hid_device_* device) const;
    };
    using DevicePointer = std::unique_ptr<hid_device_, Closer>;

    /// The interfaces OpenHidDevice tries, in order.
    [[nodiscard]] std::vector<HidDeviceInfo> chosenInterfaces(std::int32_t productId) const;
    DeviceStatus succeed();
    DeviceStatus fail(DeviceStatus status, std::string what);
    DeviceStatus fail(DeviceStatus status, DeviceProblem problem);

    HidapiOptions options_;
    std::map<DeviceHandle, DevicePointer> devices_;
    DeviceHandle nextHandle_ = 1;
    DeviceProblem problem_;
};

} // namespace vantrel
