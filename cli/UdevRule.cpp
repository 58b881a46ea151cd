#include "UdevRule.h"

#include "HidAccess.h"

#include <cstdio>

namespace vantrel::cli {
namespace {

std::string fourHexDigits(std::int32_t value) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", static_cast<unsigned>(value));
    return text.data();
}

} // namespace

std::string udevRule(std::uint16_t vendorId) {
    std::string rule = R"(KERNEL=="hidraw*", )";
    if (vendorId != 0) {
        rule += R"(ATTRS{idVendor}==")" + fourHexDigits(vendorId) + R"(", )";
    }
    return rule + R"(ATTRS{idProduct}==")" + fourHexDigits(DeviceProductId) +
           R"(", MODE="0660", TAG+="uaccess")";
}

std::string udevAdvice(std::uint16_t vendorId) {
    return std::string("To let the logged-in user open the device, put this line in ") +
           UdevRulePath + ":\n  " + udevRule(vendorId) +
           "\nthen reload the rules and plug the device in again:\n"
           "  sudo udevadm control --reload-rules && sudo udevadm trigger\n";
}

} // namespace vantrel::cli
