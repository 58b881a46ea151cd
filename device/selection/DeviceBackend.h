#pragma once

#include "device/DeviceLock.h"
#include "device/HidAccess.h"
#include "model/Result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where the device commands find a device: the one on USB, or the emulator
// with its memory in a file. The commands see only this interface.
namespace vantrel {

/// One device that matches, as the devices command lists it.
struct AttachedDevice {
    std::string description; ///< one line: where it is and what it calls itself
    /// What identifies it, one by one, for scripts: its hidraw node (for the
    /// emulator its memory file), USB port and serial number (empty when
    /// unknown), and its USB IDs (0 for the emulator).
    std::string node;
    std::string port;
    std::string serial;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    /// How opening it ends: DeviceSuccess, or the failure `problem` tells more of.
    DeviceStatus openStatus = DeviceSuccess;
    DeviceProblem problem;
    /// Why what a write sends would not be kept, for a device that opens.
    DeviceProblem writeProblem;

    [[nodiscard]] bool canOpen() const { return openStatus == DeviceSuccess; }
};

/// Why --device names no device this program can reach.
enum class DeviceChoiceError {
    None,
    NoUsbSupport, ///< this build reaches no device on USB
    NotAttached,  ///< no attached device matches
    PortUnknown,  ///< the system does not say which USB port the device is on
};
using DeviceChoiceResult = Result<DeviceChoiceError>;

class DeviceBackend;
/// The backend --device names, or why it names no device this program can
/// reach.
using DeviceChoice = Expected<std::unique_ptr<DeviceBackend>, DeviceChoiceError>;

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    /// The link that reads and writes go through; it lives as long as the
    /// backend.
    virtual HidAccess& link() = 0;
    /// The devices present now.
    virtual std::vector<AttachedDevice> attachedDevices() = 0;
    /// Text to show after the list when a device cannot be opened, such as
    /// how to give the user access; empty when there is nothing to add.
    virtual std::string accessAdvice() { return {}; }
    /// Why what a write sends would not be kept, found before anything is
    /// sent; empty when nothing stands in its way that can be seen first.
    [[nodiscard]] virtual DeviceProblem writeProblem() const { return {}; }
    /// Why the device will not open, found without opening it (a FIFO
    /// would wait for a writer); empty when nothing is known to be wrong.
    [[nodiscard]] virtual DeviceProblem openProblem() const { return {}; }
    /// Why the device holds nothing a read could find, found before anything
    /// is sent or locked; empty when a read may go ahead.
    [[nodiscard]] virtual DeviceProblem readProblem() const { return {}; }
    /// The file whose lock keeps other programs off this device while a
    /// command uses it; nothing when there is none.
    [[nodiscard]] virtual std::optional<LockFile> lockFile() const { return std::nullopt; }

protected:
    DeviceBackend() = default;
    DeviceBackend(const DeviceBackend&) = default;
    DeviceBackend& operator=(const DeviceBackend&) = default;
};

/// Makes the backend that --device names (no value: the USB device), or
/// says why it cannot be reached.
using DeviceBackendFactory = std::function<DeviceChoice(const std::optional<std::string>& device)>;

} // namespace vantrel
