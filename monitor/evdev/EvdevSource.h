#pragma once

#include "model/Result.h"
#include "monitor/EventSource.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct libevdev;

// The encoder's input event devices read live through libevdev, which
// answers the kernel's capability queries and resynchronises after the
// kernel dropped events.
namespace vantrel {

/// Why the event devices could not be read: facts, worded by the front end.
enum class EvdevError : std::uint8_t {
    None,
    NoPermission,  ///< the node exists but this user may not read it
    Unplugged,     ///< the device went away while it was read
    NotEvdev,      ///< the node is not an input event device
    HeldElsewhere, ///< another program has taken the device from everyone else
    Other,
};

/// `detail` holds the system's own words, `node` the event device concerned.
struct EvdevFailure : Result<EvdevError> {
    std::filesystem::path node;
};

class EvdevSource;
/// The opened devices, or why one of them cannot be used.
using OpenedEvdevSource = Expected<std::unique_ptr<EvdevSource>, EvdevError, EvdevFailure>;

class EvdevSource final : public EventSource {
public:
    /// Opens every node; with `grab`, takes them from the desktop so that a
    /// press reaches only this program until the source is destroyed.
    /// Fails at the first node that cannot be used.
    [[nodiscard]] static OpenedEvdevSource open(const std::vector<std::filesystem::path>& nodes,
                                                bool grab);

    ~EvdevSource() override;
    EvdevSource(const EvdevSource&) = delete;
    EvdevSource& operator=(const EvdevSource&) = delete;
    EvdevSource(EvdevSource&&) = delete;
    EvdevSource& operator=(EvdevSource&&) = delete;

    /// Waits up to a quarter of a second (or what setWait() says) for an
    /// event; Idle carries the current time on the events' own clock, so
    /// that summaries fall due.
    Status next(SourcedEvent& event) override;
    /// How long next() waits for an event; a window that asks on a timer
    /// waits for nothing.
    void setWait(std::chrono::milliseconds wait) { wait_ = wait; }
    /// Takes every device from the desktop, so that presses reach only this
    /// program, or gives them back. When one cannot be taken, none is, and
    /// the failure says why (HeldElsewhere: another program has it).
    [[nodiscard]] EvdevFailure setGrabbed(bool grabbed);
    [[nodiscard]] std::string deviceName(std::size_t device) const override;
    [[nodiscard]] const EvdevFailure& failure() const { return failure_; }
    /// The absolute axes a device reports.
    [[nodiscard]] std::vector<std::uint16_t> absoluteAxes(std::size_t device) const;

private:
    /// Only open() makes a source.
    struct Token {};

public:
    explicit EvdevSource(Token /*unused*/) {}

private:
    struct Node {
        std::filesystem::path path;
        int descriptor = -1;
        libevdev* device = nullptr;
    };

    [[nodiscard]] bool drain(std::size_t index);

    std::vector<Node> nodes_;
    std::vector<SourcedEvent> pending_;
    std::size_t nextPending_ = 0;
    std::chrono::milliseconds wait_{250};
    EvdevFailure failure_;
};

} // namespace vantrel
