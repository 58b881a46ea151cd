#include "device/UdevRule.h"

#include "device/HidAccess.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vantrel {
namespace {

std::string fourHexDigits(std::int32_t value) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", static_cast<unsigned>(value));
    return text.data();
}

constexpr const char* ReloadCommand =
    "  sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw "
    "--subsystem-match=input\n";

/// The attributes that pick out the encoder's USB device, by product ID and
/// by vendor ID unless that is 0 (any vendor).
std::string deviceMatch(std::uint16_t vendorId) {
    std::string match;
    if (vendorId != 0) {
        match += R"(ATTRS{idVendor}==")" + fourHexDigits(vendorId) + R"(", )";
    }
    return match + R"(ATTRS{idProduct}==")" + fourHexDigits(DeviceProductId) + R"(", )";
}

/// The hidraw node carries the configuration; the input event nodes are what
/// vantrelctl monitor reads. The event nodes keep their group (input), so
/// that the device group never gains the right to read other keyboards.
std::array<std::string, 2> ruleLines(std::uint16_t vendorId) {
    return {R"(KERNEL=="hidraw*", )" + deviceMatch(vendorId) + R"(GROUP=")" + DeviceGroup +
                R"(", MODE="0660", TAG+="uaccess")",
            R"(SUBSYSTEM=="input", KERNEL=="event*", )" + deviceMatch(vendorId) +
                R"(TAG+="uaccess")"};
}

} // namespace

std::string udevRule(std::uint16_t vendorId) {
    const auto [hidraw, input] = ruleLines(vendorId);
    return hidraw + "\n" + input;
}

std::string udevRuleFile(std::uint16_t vendorId) {
    return "# VANTREL keyboard encoder: the user of the local desktop session may open it,\n"
           "# and so may the members of the group " +
           std::string(DeviceGroup) + " (over ssh, from a service)\n" + udevRule(vendorId) + "\n";
}

std::string permissionProblem(const std::string& subject, bool packagedRuleInstalled) {
    std::string text = subject + " is attached, but this user has no permission to open it; ";
    text += packagedRuleInstalled
                ? std::string(PackagedUdevRulePath) + " gives it to the user at the desktop and " +
                      "to the group " + DeviceGroup
                : std::string("the rule ") + PackagedUdevRulePath +
                      " that the package installs is missing";
    return text;
}

std::string udevAdvice(std::uint16_t vendorId, bool packagedRuleInstalled) {
    if (packagedRuleInstalled) {
        return std::string("The rule in ") + PackagedUdevRulePath +
               " gives access to the user logged in at this computer's desktop, and to the "
               "members of the group " +
               DeviceGroup + " wherever they log in (over ssh, from a service): sudo usermod -aG " +
               DeviceGroup +
               " USER, then log in again. The input event nodes that the monitor reads stay "
               "with the group input, which may read every keyboard.\n"
               "If the device was plugged in before the rule was installed, plug it in again or "
               "run:\n" +
               ReloadCommand;
    }
    const auto [hidraw, input] = ruleLines(vendorId);
    const std::string lines = "  " + hidraw + "\n  " + input + "\n";
    return std::string("To let the logged-in user open the device, put these lines in ") +
           UdevRulePath + ":\n" + lines + "then reload the rules and plug the device in again:\n" +
           ReloadCommand;
}

bool packagedUdevRuleInstalled() {
    std::error_code ignored;
    return std::filesystem::exists(PackagedUdevRulePath, ignored);
}

} // namespace vantrel
