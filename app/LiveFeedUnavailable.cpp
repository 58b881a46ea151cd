#include "app/LiveFeed.h"

namespace vantrel {

// Reading the encoder's event devices needs Linux's evdev; elsewhere (on
// Windows, until a Raw Input source exists) the window replays recordings.
OpenedLiveFeed openLiveFeed() {
    return Result<LiveFeedError>{LiveFeedError::CannotRead,
                                 "Live input from the VANTREL needs Linux. Open a configuration "
                                 "file, and a recording to replay."};
}

} // namespace vantrel
