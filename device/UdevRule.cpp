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
    "  sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw\n";

} // namespace

std::string udevRule(std::uint16_t vendorId) {
    std::string rule = R"(KERNEL=="hidraw*", )";
    if (vendorId != 0) {
        rule += R"(ATTRS{idVendor}==")" + fourHexDigits(vendorId) + R"(", )";
    }
    return rule + R"(ATTRS{idProduct}==")" + fourHexDigits(DeviceProductId) +
           R"(", MODE="0660", TAG+="uaccess")";
}

std::string udevRuleFile(std::uint16_t vendorId) {
    return "# VANTREL keyboard encoder: the user of the local desktop session may open it\n" +
           udevRule(vendorId) + "\n";
}

std::string permissionProblem(const std::string& subject, bool packagedRuleInstalled) {
    std::string text = subject + " is attached, but this user has no permission to open it; ";
    text += packagedRuleInstalled
                ? std::string(PackagedUdevRulePath) + " gives it to the user at the desktop"
                : std::string("the rule ") + PackagedUdevRulePath +
                      " that the package installs is missing";
    return text;
}

std::string udevAdvice(std::uint16_t vendorId, bool packagedRuleInstalled) {
    if (packagedRuleInstalled) {
        return std::string("The rule in ") + PackagedUdevRulePath +
               " gives access to the user logged in at this computer's desktop (not over ssh).\n"
               "If the device was plugged in before the rule was installed, plug it in again or "
               "run:\n" +
               ReloadCommand;
    }
    return std::string("To let the logged-in user open the device, put this line in ") +
           UdevRulePath + ":\n  " + udevRule(vendorId) +
           "\nthen reload the rules and plug the device in again:\n" + ReloadCommand;
}

bool packagedUdevRuleInstalled() {
    std::error_code ignored;
    return std::filesystem::exists(PackagedUdevRulePath, ignored);
}

} // namespace vantrel
