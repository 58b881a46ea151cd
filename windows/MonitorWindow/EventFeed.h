#pragma once

#include "model/Result.h"
#include "monitor/EventSource.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Where the input test's events come from, asked on a timer so that the
// window never waits for the panel: the encoder's event devices, or
// recordings played at their own pace.
namespace vantrel {

class EventFeed {
public:
    struct Poll {
        std::vector<SourcedEvent> events;
        /// The device whose events ended with these (a recording played to
        /// its end): its matching is finished before the next begins.
        std::optional<std::size_t> deviceEnded;
        /// No more events will come.
        bool finished = false;
        /// Nothing came: the time now on the events' own clock, so that
        /// what waits for time (a held modifier, a second of motion) falls due.
        std::optional<std::int64_t> idleAt;
        /// Why reading stopped, in the user's words; empty while it goes on.
        std::string failure;
    };

    enum class Grab : std::uint8_t {
        Taken,         ///< presses reach only this program
        Released,      ///< presses reach every program, as usual
        HeldElsewhere, ///< another program has them: nothing reaches this one
    };

    EventFeed() = default;
    virtual ~EventFeed() = default;
    EventFeed(const EventFeed&) = delete;
    EventFeed& operator=(const EventFeed&) = delete;
    EventFeed(EventFeed&&) = delete;
    EventFeed& operator=(EventFeed&&) = delete;

    /// What has come by `elapsed` microseconds after the feed began; never
    /// waits.
    [[nodiscard]] virtual Poll poll(std::int64_t elapsed) = 0;
    [[nodiscard]] virtual std::string deviceName(std::size_t device) const = 0;
    /// Where the events come from, for the window's source line.
    [[nodiscard]] virtual std::string description() const = 0;
    /// Takes the devices from the desktop, or gives them back; a recording
    /// has nothing to take.
    virtual Grab grab(bool take) {
        (void)take;
        return Grab::Released;
    }
};

/// Why the encoders' own event devices give no feed.
enum class LiveFeedError {
    None,
    NotAttached, ///< no encoder's event devices are there
    CannotRead,  ///< they are there but cannot be read, or not on this system
};

/// The encoders' event devices as a feed, or why not. Only the program that
/// opens the devices knows them, so `detail` is what the window shows, in
/// the user's words, as the feed's own failures are.
using OpenedLiveFeed = Expected<std::unique_ptr<EventFeed>, LiveFeedError>;

} // namespace vantrel
