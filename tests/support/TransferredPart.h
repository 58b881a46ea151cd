#pragma once

#include "model/DeviceImage.h"

#include <algorithm>
#include <cstddef>

// What a read can bring back of an image, for the tests and the fuzzer that
// cut a write off and read the device again.
namespace vantrel::testing {

/// The bytes of `image` a transfer moves: the data region in whole blocks
/// and the trailer; the rest zero, as a read leaves it.
inline DeviceImage transferredPart(const DeviceImage& image) {
    DeviceImage part{};
    const std::size_t dataEnd = (static_cast<std::size_t>(storedTableLength(image)) + 7) / 8 * 8;
    std::copy_n(image.begin(), dataEnd, part.begin());
    std::copy_n(image.begin() + ImageAddress::TrailerStart, 16,
                part.begin() + ImageAddress::TrailerStart);
    return part;
}

} // namespace vantrel::testing
