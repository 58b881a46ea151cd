#include "device/selection/UsbBackend.h"

#include "device/UdevRule.h"
#include "device/hidapi/HidapiDevice.h"

#include <algorithm>
#include <cstdio>

namespace vantrel {
namespace {

std::string describe(const UsbDevice& device) {
    const HidDeviceInfo& info = device.main();
    std::array<char, 16> ids{};
    std::snprintf(ids.data(), ids.size(), "%04x:%04x", static_cast<unsigned>(info.vendorId),
                  static_cast<unsigned>(info.productId));
    std::string text = std::to_string(device.number) + "  " + info.path;
    if (!info.portPath.empty()) {
        text += "  port " + info.portPath;
    }
    if (!info.serialNumber.empty()) {
        text += "  serial " + info.serialNumber;
    }
    text += std::string("  ") + ids.data();
    for (const std::string& name : {info.manufacturer, info.product}) {
        if (!name.empty()) {
            text += "  " + name;
        }
    }
    return text;
}

/// The device on USB through hidapi.
class UsbBackend final : public DeviceBackend {
public:
    UsbBackend(const std::optional<UsbSelector>& selector, const std::filesystem::path& sysfsRoot)
        : selector_(selector)
        , sysfsRoot_(sysfsRoot)
        , device_(HidapiOptions{configuredVendorId(), std::chrono::milliseconds(1000), selector,
                                sysfsRoot}) {}

    HidAccess& link() override { return device_; }

    std::vector<AttachedDevice> attachedDevices() override {
        std::vector<AttachedDevice> listed;
        for (const UsbDevice& device :
             groupUsbDevices(enumerateHidDevices(configuredVendorId(), sysfsRoot_))) {
            if (selector_ && !device.matches(*selector_)) {
                continue;
            }
            const auto& interfaces = device.interfaces;
            const bool opens = std::any_of(interfaces.begin(), interfaces.end(),
                                           [](const HidDeviceInfo& info) { return info.opens(); });
            const bool denied =
                std::any_of(interfaces.begin(), interfaces.end(), [](const HidDeviceInfo& info) {
                    return info.openResult == DeviceFailure::NoPermission;
                });
            AttachedDevice listedDevice;
            listedDevice.description = describe(device);
            const HidDeviceInfo& main = device.main();
            listedDevice.node = main.path;
            listedDevice.port = main.portPath;
            listedDevice.serial = main.serialNumber;
            listedDevice.vendorId = main.vendorId;
            listedDevice.productId = main.productId;
            if (!opens) {
                listedDevice.openStatus = denied ? DeviceFailure::NoPermission : main.openResult;
                listedDevice.problem = DeviceProblem::of(DeviceProblemKind::NodeCannotBeOpened,
                                                         denied ? "" : main.openError, main.path);
            }
            listed.push_back(std::move(listedDevice));
        }
        return listed;
    }

    [[nodiscard]] std::optional<LockFile> lockFile() const override { return device_.lockFile(); }

    std::string accessAdvice() override {
#ifdef __linux__
        return udevAdvice(configuredVendorId(), packagedUdevRuleInstalled());
#else
        return {};
#endif
    }

private:
    std::optional<UsbSelector> selector_;
    std::filesystem::path sysfsRoot_;
    HidapiDevice device_;
};

} // namespace

DeviceChoice makeUsbBackend(const std::optional<UsbSelector>& selector,
                            const std::filesystem::path& sysfsRoot) {
    if (!selector) {
        return std::make_unique<UsbBackend>(std::nullopt, sysfsRoot);
    }
    const std::vector<UsbDevice> devices =
        groupUsbDevices(enumerateHidDevices(configuredVendorId(), sysfsRoot));
    const UsbDevice* chosen = chooseUsbDevice(devices, *selector);
    if (chosen == nullptr) {
        return DeviceChoiceResult{DeviceChoiceError::NotAttached, {}};
    }
    // Named by what stays the same for as long as it is plugged in, so that
    // a backup, the write and its check all reach the same device.
    return std::make_unique<UsbBackend>(lastingSelector(*chosen), sysfsRoot);
}

Expected<std::string, DeviceChoiceError> usbPortOf(const UsbSelector& selector) {
    if (selector.kind == UsbSelector::Kind::PortPath) {
        return selector.value;
    }
    const std::vector<UsbDevice> devices = groupUsbDevices(enumerateHidDevices());
    const UsbDevice* chosen = chooseUsbDevice(devices, selector);
    if (chosen == nullptr) {
        return DeviceChoiceResult{DeviceChoiceError::NotAttached, {}};
    }
    if (chosen->main().portPath.empty()) {
        return DeviceChoiceResult{DeviceChoiceError::PortUnknown, {}};
    }
    return chosen->main().portPath;
}

} // namespace vantrel
