#pragma once

#include <filesystem>
#include <string>
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

/// One attached encoder's event nodes.
struct EncoderEventNodes {
    std::string portPath; ///< the USB port it is plugged into ("1-4.1"), as --device usb: takes it
    std::vector<std::filesystem::path> nodes;
};

/// The same nodes grouped by encoder, in the order of each one's first node.
[[nodiscard]] std::vector<EncoderEventNodes>
encoderEventNodesByPort(const std::filesystem::path& sysfsRoot = "/sys",
                        const std::filesystem::path& deviceRoot = "/dev/input");

} // namespace vantrel
