#pragma once

#include "model/modSettings.h"

#include <cstdint>
#include <optional>
#include <vector>

// Which of the encoder's four hats the kernel reports is known only from the
// devices themselves; a hat it does not report is said so, never read as
// another.
namespace vantrel {

/// True when some input's macro, as the device plays it, moves hat `hat`
/// (0..3).
[[nodiscard]] bool sendsHat(const Configuration& config, int hat);

/// The hats (0..3) that the configuration sends and that none of the devices
/// reports, from the absolute axes of each device where they are known.
/// Nothing when no device with absolute axes is known, since then it cannot
/// be told.
[[nodiscard]] std::vector<int>
hatsNotReported(const Configuration& config,
                const std::vector<std::optional<std::vector<std::uint16_t>>>& deviceAxes);

} // namespace vantrel
