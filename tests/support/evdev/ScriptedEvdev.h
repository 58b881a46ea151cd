#pragma once

#include "monitor/InputEvent.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

// A stand-in for the part of libevdev's C API the program calls, linked into
// test programs in place of the system's library, so that the live event
// source runs its own code over event devices a test scripts. Each device's
// node is a FIFO in the test's folder, which the source opens and polls
// itself; the stand-in hands out one frame (the events up to a SYN_REPORT)
// each time the source has read everything before it, so that several
// devices take turns as they would in time. A sysfs tree in the folder
// names each node's encoder by its USB port.
namespace vantrel::testing {

/// What happens once every frame of every device has been read.
enum class SessionEnd : std::uint8_t {
    Quiet,     ///< nothing more comes
    Interrupt, ///< the user presses Ctrl+C (SIGINT)
    Unplug,    ///< each device reads as unplugged (ENODEV)
};

struct ScriptedEventDevice {
    std::string port = "1-4"; ///< the encoder's USB port
    std::vector<InputEvent> events{};
    std::vector<std::uint16_t> absoluteAxes{};
    /// The frame the kernel's buffer loses: SYN_DROPPED comes in its place,
    /// and the resynchronisation brings the keys and axes up to date.
    std::size_t overflowFrame = std::numeric_limits<std::size_t>::max();
    bool grabbedElsewhere = false; ///< another program holds it (EBUSY)
};

/// The events of an evemu recording, for a device to replay.
[[nodiscard]] std::vector<InputEvent> recordedEvents(const std::filesystem::path& recording);

/// Attaches `devices` as event0, event1, ... for as long as it lives.
class ScriptedEvdev {
public:
    ScriptedEvdev(std::filesystem::path folder, std::vector<ScriptedEventDevice> devices,
                  SessionEnd end = SessionEnd::Quiet);
    ~ScriptedEvdev();
    ScriptedEvdev(const ScriptedEvdev&) = delete;
    ScriptedEvdev& operator=(const ScriptedEvdev&) = delete;

    [[nodiscard]] std::filesystem::path sysfsRoot() const { return folder_ / "sys"; }
    [[nodiscard]] std::filesystem::path deviceRoot() const { return folder_ / "dev" / "input"; }
    [[nodiscard]] std::filesystem::path node(std::size_t device) const;
    [[nodiscard]] const std::vector<ScriptedEventDevice>& devices() const { return devices_; }
    [[nodiscard]] SessionEnd end() const { return end_; }

private:
    std::filesystem::path folder_;
    std::vector<ScriptedEventDevice> devices_;
    SessionEnd end_;
};

} // namespace vantrel::testing
