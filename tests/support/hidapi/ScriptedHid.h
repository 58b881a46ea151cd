#pragma once

#include "device/EmulatedDevice.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A stand-in for the part of hidapi's C API the program calls, linked into
// test programs in place of the system's library, so that the hidapi backend
// runs its own code over devices a test scripts. Each device is a set of HID
// interfaces on one USB port; its configuration channel (usage page 0xFF00)
// answers from the device emulator's memory, the others take reports and
// never answer. The nodes are empty files in the test's folder, where the
// device lock is taken, and a sysfs tree there tells each node's port.
namespace vantrel::testing {

/// How the configuration channel answers the exchange `ScriptedHidDevice::faultAt`.
enum class HidAnswer : std::uint8_t {
    Whole,
    Short,         ///< 20 of the 33 bytes
    Late,          ///< nothing arrives in time (hid_read_timeout gives 0)
    WrongReportId, ///< the answer carries report ID 4
};

struct ScriptedHidDevice {
    std::wstring serialNumber = L"VT-0001";
    std::string port = "1-4"; ///< the USB port, as sysfs names it
    /// The interfaces' usage pages in the order the system lists them:
    /// keyboard, mouse, joystick, then the configuration channel.
    std::vector<std::uint16_t> usagePages = {0x01, 0x01, 0x01, 0xFF00};
    /// The errno a refused open leaves (EACCES, EBUSY); 0 opens.
    int openError = 0;
    HidAnswer answer = HidAnswer::Whole;
    int faultAt = 0; ///< the exchange, counted from 0 after an open, answered as `answer` says
    /// An input report nobody asked for waits on the channel when it opens.
    bool staleReport = false;
    /// The memory that answers; unplugAfter(n) makes the device vanish
    /// ("No such device") after n exchanges.
    std::shared_ptr<EmulatedDevice> memory = std::make_shared<EmulatedDevice>();
};

/// Attaches `devices` for as long as it lives; their nodes are numbered
/// hidraw0, hidraw1, ... in the order of the devices and their interfaces,
/// and hid_enumerate lists the devices the other way round.
class ScriptedHid {
public:
    ScriptedHid(std::filesystem::path folder, std::vector<ScriptedHidDevice> devices);
    ~ScriptedHid();
    ScriptedHid(const ScriptedHid&) = delete;
    ScriptedHid& operator=(const ScriptedHid&) = delete;

    [[nodiscard]] std::filesystem::path sysfsRoot() const { return folder_ / "sys"; }
    /// The node of a device's interface.
    [[nodiscard]] std::filesystem::path node(std::size_t device, std::size_t interface) const;
    [[nodiscard]] ScriptedHidDevice& device(std::size_t index) { return devices_.at(index); }
    [[nodiscard]] const std::vector<ScriptedHidDevice>& devices() const { return devices_; }

private:
    std::filesystem::path folder_;
    std::vector<ScriptedHidDevice> devices_;
};

} // namespace vantrel::testing
