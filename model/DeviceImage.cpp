#include "model/DeviceImage.h"

namespace vantrel {
namespace {

constexpr std::uint8_t bitValue(bool set, int bit) {
    return set ? static_cast<std::uint8_t>(1U << bit) : std::uint8_t{0};
}

/// First of the four bytes of rotary switch j (0 or 1).
constexpr std::size_t rotarySwitchAddress(int j) {
    return ImageAddress::RotarySwitch1 +
           ImageAddress::RotarySwitchStride * static_cast<std::size_t>(j);
}

constexpr bool bitSet(std::uint8_t byte, int bit) {
    return ((byte >> bit) & 1) != 0;
}

/// Appends two-byte entries to the input table, refusing any that would reach
/// the marker byte.
class TableWriter {
public:
    explicit TableWriter(DeviceImage& image)
        : image_(image) {}

    void add(std::uint8_t control, std::uint8_t value) {
        wanted_ += 2;
        if (position_ + 2 > MaxConfigSize) {
            overflowed_ = true;
            return;
        }
        image_[position_] = control;
        image_[position_ + 1] = value;
        position_ += 2;
    }

    [[nodiscard]] std::size_t length() const { return position_; }
    [[nodiscard]] bool overflowed() const { return overflowed_; }
    /// Bytes of every entry added, those left out included.
    [[nodiscard]] std::size_t wanted() const { return wanted_; }

private:
    DeviceImage& image_;
    std::size_t position_ = 0;
    std::size_t wanted_ = 0;
    bool overflowed_ = false;
};

void encodeInputTable(TableWriter& table, const Configuration& config) {
    bool newInput = false;
    bool deactivationStart = false;
    for (int i = 0; i < InputCount; ++i) {
        if (i > 0) {
            newInput = true;
            deactivationStart = false;
        }
        const InputMacro& macro = config.input(i);
        for (int s = 0; s < SequenceCount; ++s) {
            for (int n = 0; n < StepsPerSequence && !macro.step(n, s).isEmpty(); ++n) {
                const MacroStep& step = macro.step(n, s);
                int control = step.KeyType;
                control += step.PressRelease ? 0 : EntryBit::Release;
                control +=
                    (s == Activation && n == 0) ? macro.RepeatDelay << EntryBit::RepeatShift : 0;
                control += deactivationStart ? EntryBit::DeactivationStart : 0;
                control += newInput ? EntryBit::NextInput : 0;
                table.add(static_cast<std::uint8_t>(control), step.KeyValue);
                newInput = false;
                deactivationStart = false;
            }
            deactivationStart = true;
        }
        if (newInput) {
            table.add(EntryBit::NextInput, 0);
        }
    }
}

void encodeSettings(DeviceImage& image, const Configuration& config,
                    const DeviceSettings& settings) {
    image[ImageAddress::ReverseFlags] = bitValue(settings.ReverseX, 0) |
                                        bitValue(settings.ReverseY, 1) |
                                        bitValue(settings.ReverseSpinner, 2);
    image[ImageAddress::SpinnerMode] = settings.Spinner;
    std::uint8_t axes = 0;
    for (int k = 0; k < JoystickAxisCount; ++k) {
        axes |= bitValue(settings.Joystick[static_cast<std::size_t>(k)], k);
    }
    image[ImageAddress::JoystickAxes] = axes;

    for (int j = 0; j < RotarySwitchCount; ++j) {
        const std::size_t base = rotarySwitchAddress(j);
        const RotarySwitchSettings& lists = settings.Rotary[static_cast<std::size_t>(j)];
        const RotaryKey& counterclockwise = config.rotaryKey(rotaryKeyIndex(j, false));
        const RotaryKey& clockwise = config.rotaryKey(rotaryKeyIndex(j, true));
        image[base] = static_cast<std::uint8_t>(lists.MaximumRate | lists.Divisor << 2 |
                                                lists.BufferOverflow << 4);
        image[base + 1] =
            static_cast<std::uint8_t>(counterclockwise.KeyOperator | clockwise.KeyOperator << 4);
        image[base + 2] = counterclockwise.KeyValue;
        image[base + 3] = clockwise.KeyValue;
    }
}

/// Where the next decoded entry goes.
struct TableCursor {
    int input = 0;
    int sequence = Activation;
    int step = 0;
};

/// Decodes the input table; false when it names more inputs or steps than
/// the model has room for.
bool decodeInputTable(const DeviceImage& image, Configuration& config) {
    std::int32_t length = storedTableLength(image);
    if (length > ImageAddress::Last) {
        length = ImageAddress::Last;
    }
    length -= length % 2;

    TableCursor at;
    for (std::size_t p = 0; static_cast<std::int32_t>(p) < length; p += 2) {
        const std::uint8_t control = image[p];
        const std::uint8_t value = image[p + 1];
        if (control & EntryBit::NextInput) {
            at = TableCursor{at.input + 1, Activation, 0};
        }
        if (control & EntryBit::DeactivationStart) {
            at.sequence = Deactivation;
            at.step = 0;
        }
        if (at.input >= InputCount || at.step >= StepsPerSequence) {
            return false;
        }
        InputMacro& macro = config.input(at.input);
        if (at.step == 0 && at.sequence == Activation) {
            macro.RepeatDelay = (control >> EntryBit::RepeatShift) & EntryBit::RepeatMask;
        }
        macro.step(at.step, at.sequence) =
            MacroStep{static_cast<std::uint8_t>(control & EntryBit::KeyTypeMask), value,
                      (control & EntryBit::Release) == 0};
        ++at.step;
    }
    return true;
}

/// Applies the settings bytes in their fixed order, stopping at a list field
/// that names no entry.
bool applySettings(DeviceImage& image, Configuration& config, DeviceSettings& settings) {
    const std::uint8_t flags = image[ImageAddress::ReverseFlags];
    settings.ReverseX = bitSet(flags, 0);
    settings.ReverseY = bitSet(flags, 1);
    settings.ReverseSpinner = bitSet(flags, 2);

    if (image[ImageAddress::SpinnerMode] >= SpinnerOptionCaptions.size()) {
        image[ImageAddress::SpinnerMode] = SpinnerOptionCaptions.size() - 1;
    }
    settings.Spinner = image[ImageAddress::SpinnerMode];

    for (int k = 0; k < JoystickAxisCount; ++k) {
        settings.Joystick[static_cast<std::size_t>(k)] =
            bitSet(image[ImageAddress::JoystickAxes], k);
    }

    for (int j = 0; j < RotarySwitchCount; ++j) {
        const std::size_t base = rotarySwitchAddress(j);
        RotarySwitchSettings& lists = settings.Rotary[static_cast<std::size_t>(j)];
        const std::uint8_t listBits = image[base];
        const auto rate = static_cast<std::uint8_t>(listBits & 3U);
        if (rate >= MaximumRateEntries.size()) {
            return false;
        }
        lists.MaximumRate = rate;
        const auto divisor = static_cast<std::uint8_t>((listBits >> 2) & 3U);
        if (divisor >= DivisorEntries.size()) {
            return false;
        }
        lists.Divisor = divisor;
        lists.BufferOverflow = static_cast<std::uint8_t>((listBits >> 4) & 1U);

        RotaryKey& counterclockwise = config.rotaryKey(rotaryKeyIndex(j, false));
        RotaryKey& clockwise = config.rotaryKey(rotaryKeyIndex(j, true));
        counterclockwise.KeyOperator = image[base + 1] & 0x0FU;
        clockwise.KeyOperator = static_cast<std::uint8_t>(image[base + 1] >> 4);
        counterclockwise.KeyValue = image[base + 2];
        clockwise.KeyValue = image[base + 3];
    }
    return true;
}

} // namespace

std::int32_t storedTableLength(const DeviceImage& image) {
    return image[ImageAddress::LengthHigh] * 256 + image[ImageAddress::LengthLow];
}

std::int32_t encodedTableLength(const Configuration& config) {
    DeviceImage scratch{};
    TableWriter table(scratch);
    encodeInputTable(table, config);
    return static_cast<std::int32_t>(table.wanted());
}

bool buildDeviceImage(DeviceImage& image, const Configuration& config,
                      const DeviceSettings& settings) {
    image.fill(0);
    TableWriter table(image);
    encodeInputTable(table, config);

    const std::size_t length = table.length();
    image[ImageAddress::Marker] = 1;
    image[ImageAddress::LengthHigh] = static_cast<std::uint8_t>(length / 256);
    image[ImageAddress::LengthLow] = static_cast<std::uint8_t>(length % 256);
    encodeSettings(image, config, settings);
    return !table.overflowed();
}

ImageLoadResult loadDeviceImage(DeviceImage& image, Configuration& config,
                                DeviceSettings& settings) {
    if (image[ImageAddress::Marker] != 1) {
        return ImageLoadResult::InvalidImage;
    }
    for (InputMacro& macro : config.InputMacros) {
        clearMacro(macro);
    }
    if (!decodeInputTable(image, config)) {
        return ImageLoadResult::StoppedEarly;
    }
    return applySettings(image, config, settings) ? ImageLoadResult::Complete
                                                  : ImageLoadResult::SettingsFailed;
}

} // namespace vantrel
