#pragma once

#include "generated/BuildConfig.h"

#include <cstdint>
#include <string>

// The udev rule that lets the user of the local desktop session, and the
// members of the device group, open the device's hidraw node. The rule file the package installs is
// generated from these functions, and vantrelctl prints them, so the two cannot differ.
namespace vantrel {

/// The rule file's name, where the package installs it, and where an
/// administrator puts it by hand (a file of the same name there takes the
/// place of the package's). Set once for the build.
inline constexpr const char* UdevRuleFileName = build::UdevRuleFileName;
inline constexpr const char* PackagedUdevRulePath = build::PackagedUdevRulePath;
inline constexpr const char* UdevRulePath = build::UdevRulePath;
inline constexpr const char* DeviceGroup = build::DeviceGroup;

/// The rule, two lines: the encoder's hidraw node (read and written by the
/// configuration programs) and its input event nodes (read by vantrelctl
/// monitor). Each matches the product ID, and the vendor ID unless that is 0
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

} // namespace vantrel
