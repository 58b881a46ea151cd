#pragma once

#include "model/modSettings.h"

#include <QString>

namespace vantrel {

/// The two-line caption of a step button: "Press" or "Release" over the
/// step's name, or "Delay" over its milliseconds ("Delay\r\n500 ms"). A key
/// step without a key is "Not Used" alone, since there is nothing to press.
[[nodiscard]] QString stepCaption(const MacroStep& step);

} // namespace vantrel
