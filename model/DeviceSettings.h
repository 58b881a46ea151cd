#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The device settings that are not assignments: trackball, spinner, joystick
// axes and the three lists of each rotary switch. The main window keeps this
// record in step with its controls, so that the image encoder and decoder run
// without a window.
namespace vantrel {

constexpr int RotarySwitchCount = 2;
constexpr int JoystickAxisCount = 4;

/// Entries of the rotary-switch lists and the spinner options, in list order;
/// a setting is the index of its selected entry.
constexpr std::array<std::string_view, 3> MaximumRateEntries = {"10 per sec", "20 per sec",
                                                                "40 per sec"};
constexpr std::array<std::string_view, 3> DivisorEntries = {"1", "2", "4"};
constexpr std::array<std::string_view, 2> BufferOverflowEntries = {"Disabled", "Enabled"};
constexpr std::array<std::string_view, 3> SpinnerOptionCaptions = {"Mouse Wheel", "Mouse X Axis",
                                                                   "Mouse Y Axis"};
constexpr std::array<std::string_view, JoystickAxisCount> JoystickAxisCaptions = {
    "Enable Joystick X Axis", "Enable Joystick Y Axis", "Enable Joystick Z Axis",
    "Enable Joystick Rx Axis"};
/// The macro editor's repeat list; RepeatDelay k (1..7) is entry k - 1.
constexpr std::array<std::string_view, 7> RepeatDelayEntries = {
    "Repeat with no delay",      "Repeat with 0.5 sec delay", "Repeat with 1.0 sec delay",
    "Repeat with 1.5 sec delay", "Repeat with 2.0 sec delay", "Repeat with 2.5 sec delay",
    "Repeat with 3.0 sec delay"};

/// The selected entry of each list of one rotary switch.
struct RotarySwitchSettings {
    std::uint8_t MaximumRate = 0;    ///< index into MaximumRateEntries
    std::uint8_t Divisor = 0;        ///< index into DivisorEntries
    std::uint8_t BufferOverflow = 0; ///< index into BufferOverflowEntries

    friend bool operator==(const RotarySwitchSettings&, const RotarySwitchSettings&) = default;
};

/// Everything the settings frames show. The default is the start-up state:
/// check boxes cleared, "Mouse Wheel", every list on its first entry.
struct DeviceSettings {
    bool ReverseX = false;       ///< chkReverseX
    bool ReverseY = false;       ///< chkReverseY
    bool ReverseSpinner = false; ///< chkReverseSpinner
    std::uint8_t Spinner = 0;    ///< selected optSpinner, index into SpinnerOptionCaptions
    std::array<bool, JoystickAxisCount> Joystick{};               ///< chkJoystick(0..3)
    std::array<RotarySwitchSettings, RotarySwitchCount> Rotary{}; ///< lst*(0..1)

    friend bool operator==(const DeviceSettings&, const DeviceSettings&) = default;
};

} // namespace vantrel
