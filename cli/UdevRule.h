#pragma once

#include <cstdint>
#include <string>

namespace vantrel::cli {

/// Where the rule goes.
constexpr const char* UdevRulePath = "/etc/udev/rules.d/60-vantrel.rules";

/// A udev rule that lets the logged-in user open the device's hidraw node:
/// it matches the product ID, and the vendor ID unless that is 0 (any).
[[nodiscard]] std::string udevRule(std::uint16_t vendorId);

/// What to tell a user who may not open the device: the rule, where to put
/// it and how to make udev apply it.
[[nodiscard]] std::string udevAdvice(std::uint16_t vendorId);

} // namespace vantrel::cli
