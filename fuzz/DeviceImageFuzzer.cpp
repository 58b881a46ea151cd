// Decodes arbitrary device images. What the device keeps of a decoded
// configuration must survive encode and decode unchanged, and encoding what
// was decoded once more must give the same bytes.
#include "fuzz/FuzzCheck.h"
#include "model/DeviceImage.h"
#include "model/EffectiveMacro.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using namespace vantrel;

bool sameKeptConfiguration(const Configuration& a, const Configuration& b) {
    for (int i = 0; i < InputCount; ++i) {
        if (!(effectiveMacro(a.input(i)) == effectiveMacro(b.input(i)))) {
            return false;
        }
    }
    return a.RotaryKeys == b.RotaryKeys;
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

    Configuration decoded;
    DeviceSettings settings;
    if (loadDeviceImage(image, decoded, settings) != ImageLoadResult::Complete) {
        return 0;
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
