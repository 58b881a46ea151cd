#include "app/LiveFeed.h"

namespace vantrel {

// Reading the encoder's event devices needs Linux's evdev.
OpenedLiveFeed openLiveFeed() {
    return Result<LiveFeedError>{LiveFeedError::CannotRead,
                                 "This system cannot read the VANTREL's input devices. Open a "
                                 "configuration file, and a recording to replay."};
}

} // namespace vantrel
