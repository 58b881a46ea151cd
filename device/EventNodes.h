#pragma once

#include <filesystem>
#include <vector>

// Finding the encoder's input event devices (its keyboard, mouse and
// joystick interfaces) through sysfs.
namespace vantrel {

/// The /dev/input/event* nodes whose USB device carries the encoder's
/// product ID (and vendor ID, when the build sets one), in the order of
/// their numbers. The roots are there so that tests can give a tree of
/// their own.
[[nodiscard]] std::vector<std::filesystem::path>
encoderEventNodes(const std::filesystem::path& sysfsRoot = "/sys",
                  const std::filesystem::path& deviceRoot = "/dev/input");

} // namespace vantrel
