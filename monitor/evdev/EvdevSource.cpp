#include "monitor/evdev/EvdevSource.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <unistd.h>

namespace vantrel {
namespace {

constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;
constexpr std::int64_t NanosecondsPerMicrosecond = 1'000;

EvdevFailure failureOf(const std::filesystem::path& node, int error) {
    const EvdevError kind = error == EACCES || error == EPERM ? EvdevError::NoPermission
                            : error == ENODEV || error == ENOENT || error == ENXIO
                                ? EvdevError::Unplugged
                            : error == ENOTTY || error == EINVAL ? EvdevError::NotEvdev
                            : error == EBUSY                     ? EvdevError::HeldElsewhere
                                                                 : EvdevError::Other;
    return {{kind, std::strerror(error)}, node};
}

std::int64_t monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * MicrosecondsPerSecond + now.tv_nsec / NanosecondsPerMicrosecond;
}

InputEvent fromKernel(const input_event& event) {
    return {event.input_event_sec * MicrosecondsPerSecond + event.input_event_usec, event.type,
            event.code, event.value};
}

} // namespace

OpenedEvdevSource EvdevSource::open(const std::vector<std::filesystem::path>& nodes, bool grab) {
    auto source = std::make_unique<EvdevSource>(Token{});
    for (const std::filesystem::path& path : nodes) {
        Node node{path, ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC), nullptr};
        if (node.descriptor < 0) {
            return failureOf(path, errno);
        }
        source->nodes_.push_back(node);
        Node& opened = source->nodes_.back();
        if (const int error = libevdev_new_from_fd(opened.descriptor, &opened.device); error < 0) {
            return failureOf(path, -error);
        }
        // The idle time stamps come from the same clock as the events'.
        (void)libevdev_set_clock_id(opened.device, CLOCK_MONOTONIC);
        if (grab) {
            if (const int error = libevdev_grab(opened.device, LIBEVDEV_GRAB); error < 0) {
                return failureOf(path, -error);
            }
        }
    }
    return source;
}

EvdevSource::~EvdevSource() {
    for (Node& node : nodes_) {
        if (node.device != nullptr) {
            // Closing the descriptor would release a grab too; saying so
            // keeps the order plain.
            (void)libevdev_grab(node.device, LIBEVDEV_UNGRAB);
            libevdev_free(node.device);
        }
        ::close(node.descriptor);
    }
}

EventSource::Status EvdevSource::next(SourcedEvent& event) {
    if (!failure_.ok()) {
        return Status::Failed;
    }
    while (nextPending_ >= pending_.size()) {
        pending_.clear();
        nextPending_ = 0;
        std::vector<pollfd> polled;
        for (const Node& node : nodes_) {
            polled.push_back({node.descriptor, POLLIN, 0});
        }
        const int ready = ::poll(polled.data(), polled.size(), static_cast<int>(wait_.count()));
        if (ready < 0 && errno != EINTR) {
            failure_ = failureOf(nodes_.front().path, errno);
            return Status::Failed;
        }
        if (ready <= 0) {
            event = {0, {monotonicMicroseconds(), 0, 0, 0}};
            return Status::Idle;
        }
        for (std::size_t i = 0; i < polled.size(); ++i) {
            if (polled[i].revents != 0 && !drain(i)) {
                return Status::Failed;
            }
        }
    }
    event = pending_[nextPending_++];
    return Status::Event;
}

EvdevFailure EvdevSource::setGrabbed(bool grabbed) {
    for (Node& node : nodes_) {
        if (const int error = libevdev_grab(node.device, grabbed ? LIBEVDEV_GRAB : LIBEVDEV_UNGRAB);
            error < 0) {
            EvdevFailure failure = failureOf(node.path, -error);
            if (grabbed) {
                (void)setGrabbed(false);
            }
            return failure;
        }
    }
    return {};
}

// Reads what the node holds. After the kernel dropped events, libevdev hands
// over the differences that bring its state up to date, which the monitor
// takes as ordinary events.
bool EvdevSource::drain(std::size_t index) {
    Node& node = nodes_[index];
    unsigned int flags = LIBEVDEV_READ_FLAG_NORMAL;
    for (;;) {
        input_event kernelEvent{};
        const int status = libevdev_next_event(node.device, flags, &kernelEvent);
        if (status == LIBEVDEV_READ_STATUS_SUCCESS || status == LIBEVDEV_READ_STATUS_SYNC) {
            pending_.push_back({index, fromKernel(kernelEvent)});
            if (status == LIBEVDEV_READ_STATUS_SYNC) {
                flags = LIBEVDEV_READ_FLAG_SYNC;
            }
        } else if (status == -EAGAIN && flags == LIBEVDEV_READ_FLAG_SYNC) {
            flags = LIBEVDEV_READ_FLAG_NORMAL;
        } else if (status == -EAGAIN || status == -EINTR) {
            return true;
        } else {
            failure_ = failureOf(node.path, -status);
            return false;
        }
    }
}

std::vector<std::uint16_t> EvdevSource::absoluteAxes(std::size_t device) const {
    std::vector<std::uint16_t> axes;
    for (unsigned int code = 0; code <= ABS_MAX; ++code) {
        if (libevdev_has_event_code(nodes_.at(device).device, EV_ABS, code) != 0) {
            axes.push_back(static_cast<std::uint16_t>(code));
        }
    }
    return axes;
}

std::string EvdevSource::deviceName(std::size_t device) const {
    return nodes_.at(device).path.string();
}

} // namespace vantrel
