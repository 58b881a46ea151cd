// Decodes arbitrary device images. What the device keeps of a decoded
// configuration must survive encode and decode unchanged, and encoding what
// was decoded once more must give the same bytes. An image that decodes is
// also written over another configuration in the emulator, cut off after a
// number of exchanges the input picks: read back as the tool reads, a write
// that did not finish must never come back as an image.
#include "device/EmulatedDevice.h"
#include "device/Transfer.h"
#include "fuzz/FuzzCheck.h"
#include "model/DeviceImage.h"
#include "model/EffectiveMacro.h"
#include "tests/support/TransferredPart.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using namespace vantrel;
using vantrel::testing::transferredPart;

bool sameKeptConfiguration(const Configuration& a, const Configuration& b) {
    for (int i = 0; i < InputCount; ++i) {
        if (!(effectiveMacro(a.input(i)) == effectiveMacro(b.input(i)))) {
            return false;
        }
    }
    return a.RotaryKeys == b.RotaryKeys;
}

/// Progress that nobody sees.
class UnseenProgress final : public TransferObserver {
public:
    void update(const TransferProgress& /*progress*/) override {}
};

void checkCutOffWrite(const DeviceImage& after, unsigned choice) {
    DeviceImage before{};
    FUZZ_CHECK(buildDeviceImage(before, Configuration{}, DeviceSettings{}));
    const int exchanges = 4 + (storedTableLength(after) + 7) / 8;
    const int cutOff = static_cast<int>(choice % static_cast<unsigned>(exchanges + 1));

    EmulatedDevice device;
    std::copy(before.begin(), before.end(), device.memory().begin());
    UnseenProgress progress;
    TransferContext context{device, progress};
    device.unplugAfter(cutOff);
    const TransferResult written = writeImageToDevice(after, context);
    FUZZ_CHECK(written.ok() == (cutOff == exchanges));
    device.clearFaults();

    const ImageRead read = readImageFromDevice(context);
    if (cutOff == 0 || cutOff == exchanges) {
        FUZZ_CHECK(read.ok());
        FUZZ_CHECK(read.value() == transferredPart(cutOff == 0 ? before : after));
    } else {
        FUZZ_CHECK(read.kind() == TransferKind::WriteStartPairFound);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DeviceImage image{};
    std::copy_n(data, std::min(size, image.size()), image.begin());
    // Most random images lack the marker; setting it from the input keeps the
    // decoder's real work within reach without losing the invalid case.
    if (size > image.size() && (data[image.size()] & 1U) != 0) {
        image[ImageAddress::Marker] = 1;
    }

    const DeviceImage asGiven = image;
    Configuration decoded;
    DeviceSettings settings;
    if (loadDeviceImage(image, decoded, settings) != ImageLoadResult::Complete) {
        return 0;
    }
    if (storedTableLength(asGiven) <= MaxConfigSize) {
        const std::size_t at = std::min(size, image.size() + 1);
        const unsigned choice = size > at + 1 ? data[at] + 256U * data[at + 1] : 0xFFFFU;
        checkCutOffWrite(asGiven, choice);
    }

    DeviceImage encoded{};
    if (!buildDeviceImage(encoded, decoded, settings)) {
        return 0;
    }
    FUZZ_CHECK(storedTableLength(encoded) <= MaxConfigSize);

    Configuration again;
    DeviceSettings settingsAgain;
    DeviceImage reread = encoded;
    FUZZ_CHECK(loadDeviceImage(reread, again, settingsAgain) == ImageLoadResult::Complete);
    FUZZ_CHECK(sameKeptConfiguration(decoded, again));
    FUZZ_CHECK(settings == settingsAgain);

    DeviceImage encodedAgain{};
    FUZZ_CHECK(buildDeviceImage(encodedAgain, again, settingsAgain));
    FUZZ_CHECK(encodedAgain == encoded);
    return 0;
}
