#include "app/LiveFeed.h"

namespace vantrel {

// Reading the encoder's event devices needs Linux's evdev.
std::unique_ptr<EventFeed> openLiveFeed(std::string& why) {
    why = "This system cannot read the VANTREL's input devices. Open a configuration file, and "
          "a recording to replay.";
    return nullptr;
}

} // namespace vantrel
