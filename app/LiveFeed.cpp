#include "app/LiveFeed.h"

#include "device/EventNodes.h"
#include "device/UdevRule.h"
#include "files/PathText.h"
#include "generated/BuildConfig.h"
#include "monitor/evdev/EvdevSource.h"

namespace vantrel {
namespace {

/// So many events are taken at most per poll, so that a flood of motion
/// never keeps the window from painting.
constexpr std::size_t EventsPerPoll = 2000;

std::string failureText(const EvdevFailure& failure) {
    const std::string node = utf8Text(failure.node);
    switch (failure.kind) {
    case EvdevError::NoPermission:
        return "This user may not read the VANTREL's input device " + node + ". " +
               udevAdvice(build::VendorId, packagedUdevRuleInstalled());
    case EvdevError::Unplugged:
        return "The VANTREL was unplugged (" + node + ").";
    case EvdevError::NotEvdev:
        return node + " is not an input event device.";
    case EvdevError::HeldElsewhere:
        return "Another program holds " + node + ".";
    default:
        return "The VANTREL's input device " + node + " cannot be read: " + failure.detail;
    }
}

class LiveFeed final : public EventFeed {
public:
    explicit LiveFeed(std::unique_ptr<EvdevSource> source)
        : source_(std::move(source)) {
        source_->setWait(std::chrono::milliseconds(0));
    }

    Poll poll(std::int64_t /*elapsed*/) override {
        Poll poll;
        SourcedEvent event;
        while (poll.events.size() < EventsPerPoll) {
            switch (source_->next(event)) {
            case EventSource::Status::Event:
                poll.events.push_back(event);
                continue;
            case EventSource::Status::Idle:
                poll.idleAt = event.event.microseconds;
                return poll;
            case EventSource::Status::End:
                poll.finished = true;
                return poll;
            case EventSource::Status::Failed:
                poll.failure = failureText(source_->failure());
                return poll;
            }
        }
        return poll;
    }

    [[nodiscard]] std::string deviceName(std::size_t device) const override {
        return source_->deviceName(device);
    }

    [[nodiscard]] std::string description() const override { return "live from the VANTREL"; }

    Grab grab(bool take) override {
        const EvdevFailure failure = source_->setGrabbed(take);
        if (failure.kind == EvdevError::HeldElsewhere) {
            return Grab::HeldElsewhere;
        }
        return take && failure.ok() ? Grab::Taken : Grab::Released;
    }

private:
    std::unique_ptr<EvdevSource> source_;
};

} // namespace

OpenedLiveFeed openLiveFeed() {
    return openLiveFeedUnder("/sys", "/dev/input");
}

OpenedLiveFeed openLiveFeedUnder(const std::filesystem::path& sysfsRoot,
                                 const std::filesystem::path& inputRoot) {
    const std::vector<std::filesystem::path> nodes = encoderEventNodes(sysfsRoot, inputRoot);
    if (nodes.empty()) {
        return Result<LiveFeedError>{
            LiveFeedError::NotAttached,
            "No VANTREL is attached. Open a configuration file, and a recording to replay."};
    }
    OpenedEvdevSource opened = EvdevSource::open(nodes, false);
    if (!opened.ok()) {
        return Result<LiveFeedError>{LiveFeedError::CannotRead, failureText(opened.failure())};
    }
    return std::make_unique<LiveFeed>(std::move(opened).value());
}

} // namespace vantrel
