#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vantrel {

/// What a program prints on its terminal as it starts to wait for another
/// program to finish with `device`, for at most `patience`: "waiting for
/// another program to finish with the VANTREL (up to 5 seconds)".
[[nodiscard]] std::string deviceWaitText(std::string_view device,
                                         std::chrono::milliseconds patience);

} // namespace vantrel
