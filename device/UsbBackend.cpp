#include "device/UsbBackend.h"

#include "device/HidapiDevice.h"
#include "device/UdevRule.h"

#include <cstdio>

namespace vantrel {
namespace {

std::string describe(const HidDeviceInfo& info) {
    std::array<char, 16> ids{};
    std::snprintf(ids.data(), ids.size(), "%04x:%04x", static_cast<unsigned>(info.vendorId),
                  static_cast<unsigned>(info.productId));
    std::string text = info.path + "  " + ids.data();
    for (const std::string& name : {info.manufacturer, info.product}) {
        if (!name.empty()) {
            text += "  " + name;
        }
    }
    if (info.interfaceNumber >= 0) {
        text += "  interface " + std::to_string(info.interfaceNumber);
    }
    return text;
}

/// The device on USB through hidapi.
class UsbBackend final : public DeviceBackend {
public:
    HidAccess& link() override { return device_; }

    std::vector<AttachedDevice> attachedDevices() override {
        std::vector<AttachedDevice> devices;
        const bool ruleInstalled = packagedUdevRuleInstalled();
        for (const HidDeviceInfo& info : enumerateHidDevices()) {
            devices.push_back({describe(info), info.opens(),
                               info.openResult == DeviceFailure::NoPermission
                                   ? permissionProblem("it", ruleInstalled)
                                   : info.openError});
        }
        return devices;
    }

    std::string accessAdvice() override {
#ifdef __linux__
        return udevAdvice(configuredVendorId(), packagedUdevRuleInstalled());
#else
        return {};
#endif
    }

private:
    HidapiDevice device_;
};

} // namespace

std::unique_ptr<DeviceBackend> makeUsbBackend(std::string& /*error*/) {
    return std::make_unique<UsbBackend>();
}

} // namespace vantrel
