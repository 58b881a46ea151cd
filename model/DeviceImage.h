#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The one byte layout in which a whole configuration travels: the device's
// configuration memory and, byte for byte, a configuration file.
namespace vantrel {

constexpr std::size_t DeviceImageSize = 4088;
using DeviceImage = std::array<std::uint8_t, DeviceImageSize>;

/// Addresses of the image. Multi-byte numbers are big-endian.
namespace ImageAddress {
constexpr std::uint16_t Marker = 0xFC0;        ///< 1 in every valid image
constexpr std::uint16_t LengthHigh = 0xFC1;    ///< input table length, high byte
constexpr std::uint16_t LengthLow = 0xFC2;     ///< input table length, low byte
constexpr std::uint16_t ReverseFlags = 0xFC3;  ///< bit 0 X, bit 1 Y, bit 2 spinner
constexpr std::uint16_t SpinnerMode = 0xFC4;   ///< selected spinner option 0..2
constexpr std::uint16_t JoystickAxes = 0xFC5;  ///< bit k = axis k enabled
constexpr std::uint16_t RotarySwitch1 = 0xFC8; ///< settings, modifiers, ccw key, cw key
constexpr std::uint16_t RotarySwitchStride = 4;
constexpr std::uint16_t TrailerStart = 0xFC0; ///< trailer block: 16 bytes up to 0xFCF
constexpr std::uint16_t TrailerSize = 16;
constexpr std::uint16_t TransferState = 0xFF6; ///< device memory only, never in the image
constexpr std::uint16_t Last = DeviceImageSize - 1;
} // namespace ImageAddress

/// Bits of the control byte of an input table entry.
namespace EntryBit {
constexpr std::uint8_t KeyTypeMask = 0x03;
constexpr std::uint8_t Release = 0x04;
constexpr std::uint8_t RepeatShift = 3;
constexpr std::uint8_t RepeatMask = 0x07;
constexpr std::uint8_t DeactivationStart = 0x40;
constexpr std::uint8_t NextInput = 0x80;
} // namespace EntryBit

/// The input table length L stored in the trailer.
[[nodiscard]] std::int32_t storedTableLength(const DeviceImage& image);

/// How many bytes the encoded input table takes, whether or not it fits. At
/// most configurationSize, which also counts an empty input 1 and the steps
/// behind an empty step, neither of which the table holds.
[[nodiscard]] std::int32_t encodedTableLength(const Configuration& config);

/// Overwrites the whole image with the encoded configuration and settings.
/// Returns false when the input table did not fit below the marker byte
/// (possible only for a configuration that was loaded, never for one built by
/// the size-checked editing commands); the entries that did not fit are left
/// out, so the trailer is never overwritten.
bool buildDeviceImage(DeviceImage& image, const Configuration& config,
                      const DeviceSettings& settings);

/// How loadDeviceImage ended.
enum class ImageLoadResult {
    /// The marker byte is not 1; nothing was changed.
    InvalidImage,
    /// More than 108 inputs or 64 steps in a sequence: the records decoded so
    /// far were kept, the settings and rotary keys were left untouched.
    StoppedEarly,
    /// A rotary rate or divisor field names no list entry; the settings
    /// before it were applied, the rest left as they were.
    SettingsFailed,
    /// Everything was decoded and applied.
    Complete,
};

/// Decodes an image into the records, the rotary keys and the settings. A
/// spinner mode above 2 is clamped to 2, in the image as well. Neither
/// ConfigChanged nor ConfigFileName is touched.
ImageLoadResult loadDeviceImage(DeviceImage& image, Configuration& config,
                                DeviceSettings& settings);

} // namespace vantrel
