#pragma once

#include <cstdint>
#include <string>

// The udev rule that lets the user of the local desktop session open the
// device's hidraw node. The rule file the package installs is generated from
// these functions, and vantrelctl prints them, so the two cannot differ.
namespace vantrel::cli {

/// The rule file's name. udev runs rule files in the order of their names;
/// the uaccess tag only takes effect when it is set before the seat rules
/// (73-seat-late.rules) turn it into an access list for the session's user.
constexpr const char* UdevRuleFileName = "60-vantrel.rules";

/// Where the package installs the rule.
constexpr const char* PackagedUdevRulePath = "/usr/lib/udev/rules.d/60-vantrel.rules";

/// Where an administrator puts the rule by hand; a file of the same name
/// here takes the place of the package's.
constexpr const char* UdevRulePath = "/etc/udev/rules.d/60-vantrel.rules";

/// The rule: it matches the product ID, and the vendor ID unless that is 0
/// (any vendor).
[[nodiscard]] std::string udevRule(std::uint16_t vendorId);

/// The whole rule file as it is installed: a comment line, then the rule.
[[nodiscard]] std::string udevRuleFile(std::uint16_t vendorId);

/// One line: `subject` ("it", "The VANTREL") is attached, so it is not
/// missing, but this user has no permission to open it; and the rule file
/// that gives it.
[[nodiscard]] std::string permissionProblem(const std::string& subject, bool packagedRuleInstalled);

/// What to tell a user who may not open the device. With the package's rule
/// in place, how to make it take effect; without it, the rule itself, where
/// to put it and how to make udev apply it.
[[nodiscard]] std::string udevAdvice(std::uint16_t vendorId, bool packagedRuleInstalled);

/// Whether the package's rule file is present on this machine.
[[nodiscard]] bool packagedUdevRuleInstalled();

} // namespace vantrel::cli
