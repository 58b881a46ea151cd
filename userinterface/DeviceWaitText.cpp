#include "userinterface/DeviceWaitText.h"

namespace vantrel {

std::string deviceWaitText(std::string_view device, std::chrono::milliseconds patience) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(patience).count();
    return "waiting for another program to finish with the " + std::string(device) + " (up to " +
           std::to_string(seconds) + " seconds)";
}

} // namespace vantrel
