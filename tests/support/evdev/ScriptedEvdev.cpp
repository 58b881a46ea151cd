#include "tests/support/evdev/ScriptedEvdev.h"

#include "generated/BuildConfig.h"
#include "monitor/EvemuRecording.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <libevdev/libevdev.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using vantrel::testing::ScriptedEvdev;
using vantrel::testing::ScriptedEventDevice;
using vantrel::testing::SessionEnd;
namespace fs = std::filesystem;
using Frame = std::vector<input_event>;
/// The value of each key and axis, by type and code.
using State = std::map<std::pair<std::uint16_t, std::uint16_t>, std::int32_t>;

constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;

ScriptedEvdev* attached = nullptr;
int openDevices = 0;
int endedDevices = 0;

input_event kernelEvent(std::int64_t microseconds, std::uint16_t type, std::uint16_t code,
                        std::int32_t value) {
    input_event event{};
    event.input_event_sec = microseconds / MicrosecondsPerSecond;
    event.input_event_usec = microseconds % MicrosecondsPerSecond;
    event.type = type;
    event.code = code;
    event.value = value;
    return event;
}

std::vector<Frame> framesOf(const std::vector<vantrel::InputEvent>& events) {
    std::vector<Frame> frames(1);
    for (const vantrel::InputEvent& event : events) {
        frames.back().push_back(
            kernelEvent(event.microseconds, event.type, event.code, event.value));
        if (event.type == EV_SYN && event.code == SYN_REPORT) {
            frames.emplace_back();
        }
    }
    if (frames.back().empty()) {
        frames.pop_back();
    }
    return frames;
}

void track(State& state, const input_event& event) {
    if (event.type == EV_KEY || event.type == EV_ABS) {
        state[{event.type, event.code}] = event.value;
    }
}

} // namespace

/// One opened node: the frames still to come, handed out one at a time.
struct libevdev {
    const ScriptedEventDevice* device = nullptr;
    int reader = -1;
    int writer = -1;
    std::vector<Frame> frames;
    std::size_t nextFrame = 0;
    bool endAnnounced = false;
    std::deque<input_event> queue;
    std::deque<input_event> sync;
    State state;

    /// Lets the source's poll see that something waits.
    void announce() const {
        const char token = 'F';
        [[maybe_unused]] const auto written = ::write(writer, &token, 1);
    }

    /// The kernel lost this frame: SYN_DROPPED stands in its place, and the
    /// resynchronisation hands over what changed.
    input_event dropFrame(const Frame& frame) {
        State now = state;
        for (const input_event& event : frame) {
            track(now, event);
        }
        const std::int64_t time =
            frame.back().input_event_sec * MicrosecondsPerSecond + frame.back().input_event_usec;
        for (const auto& [key, value] : now) {
            const auto known = state.find(key);
            if (known == state.end() ? value != 0 : known->second != value) {
                sync.push_back(kernelEvent(time, key.first, key.second, value));
            }
        }
        sync.push_back(kernelEvent(time, EV_SYN, SYN_REPORT, 0));
        state = now;
        return kernelEvent(time, EV_SYN, SYN_DROPPED, 0);
    }

    int end() {
        ++endedDevices;
        switch (attached->end()) {
        case SessionEnd::Unplug:
            return -ENODEV;
        case SessionEnd::Interrupt:
            if (endedDevices == openDevices) {
                std::raise(SIGINT);
            }
            break;
        case SessionEnd::Quiet:
            break;
        }
        return -EAGAIN;
    }

    int next(unsigned int flags, input_event& event) {
        if ((flags & LIBEVDEV_READ_FLAG_SYNC) != 0) {
            if (sync.empty()) {
                return -EAGAIN;
            }
            event = sync.front();
            sync.pop_front();
            return LIBEVDEV_READ_STATUS_SYNC;
        }
        sync.clear(); // a caller that does not resynchronise loses the differences
        if (queue.empty()) {
            char token = 0;
            if (::read(reader, &token, 1) != 1) {
                // Everything announced was read: the next frame comes.
                if (!endAnnounced) {
                    endAnnounced = nextFrame == frames.size();
                    announce();
                }
                return -EAGAIN;
            }
            if (nextFrame == frames.size()) {
                return end();
            }
            const Frame& frame = frames[nextFrame];
            if (nextFrame++ == device->overflowFrame) {
                event = dropFrame(frame);
                return LIBEVDEV_READ_STATUS_SYNC;
            }
            queue.assign(frame.begin(), frame.end());
        }
        event = queue.front();
        queue.pop_front();
        track(state, event);
        return LIBEVDEV_READ_STATUS_SUCCESS;
    }
};

namespace vantrel::testing {

ScriptedEvdev::ScriptedEvdev(fs::path folder, std::vector<ScriptedEventDevice> devices,
                             SessionEnd end)
    : folder_(std::move(folder))
    , devices_(std::move(devices))
    , end_(end) {
    fs::create_directories(deviceRoot());
    std::array<char, 8> vendor{};
    std::snprintf(vendor.data(), vendor.size(), "%04x",
                  build::VendorId != 0 ? unsigned{build::VendorId} : 0x1209U);
    for (std::size_t d = 0; d < devices_.size(); ++d) {
        ::mkfifo(node(d).c_str(), S_IRUSR | S_IWUSR);
        const std::string& port = devices_[d].port;
        const fs::path usbDevice = sysfsRoot() / "devices" / "usb1" / port;
        const fs::path input = usbDevice / (port + ":1.0") / "0003:1209:0108.0001" / "input" /
                               ("input" + std::to_string(d)) / node(d).filename();
        fs::create_directories(input);
        std::ofstream(usbDevice / "idProduct") << "0108\n";
        std::ofstream(usbDevice / "idVendor") << vendor.data() << "\n";
        fs::create_directories(sysfsRoot() / "class" / "input");
        fs::create_directory_symlink(input, sysfsRoot() / "class" / "input" / node(d).filename());
    }
    attached = this;
    openDevices = 0;
    endedDevices = 0;
}

ScriptedEvdev::~ScriptedEvdev() {
    attached = nullptr;
}

std::vector<InputEvent> recordedEvents(const fs::path& recording) {
    std::ifstream in(recording);
    EvemuReader reader(in);
    std::vector<InputEvent> events;
    InputEvent event;
    for (auto result = reader.readHeader(); result == EvemuReader::Result::Event;
         result = reader.next(event)) {
        events.push_back(event);
    }
    return events;
}

fs::path ScriptedEvdev::node(std::size_t device) const {
    return deviceRoot() / ("event" + std::to_string(device));
}

} // namespace vantrel::testing

extern "C" {

int libevdev_new_from_fd(int fd, libevdev** dev) {
    struct stat opened {};
    struct stat scripted {};
    for (std::size_t d = 0; attached != nullptr && d < attached->devices().size(); ++d) {
        if (::fstat(fd, &opened) == 0 && ::stat(attached->node(d).c_str(), &scripted) == 0 &&
            opened.st_ino == scripted.st_ino && opened.st_dev == scripted.st_dev) {
            auto* device = new libevdev{};
            device->device = &attached->devices()[d];
            device->reader = fd;
            device->writer = ::open(attached->node(d).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            device->frames = framesOf(device->device->events);
            device->endAnnounced = device->frames.empty();
            device->announce();
            ++openDevices;
            *dev = device;
            return 0;
        }
    }
    return -ENOTTY;
}

void libevdev_free(libevdev* dev) {
    ::close(dev->writer);
    delete dev;
}

int libevdev_set_clock_id(libevdev* /*dev*/, int /*clockid*/) {
    return 0;
}

int libevdev_grab(libevdev* dev, libevdev_grab_mode grab) {
    return grab == LIBEVDEV_GRAB && dev->device->grabbedElsewhere ? -EBUSY : 0;
}

int libevdev_next_event(libevdev* dev, unsigned int flags, input_event* ev) {
    return dev->next(flags, *ev);
}

int libevdev_has_event_code(const libevdev* dev, unsigned int type, unsigned int code) {
    const auto& axes = dev->device->absoluteAxes;
    return type == EV_ABS && std::find(axes.begin(), axes.end(), code) != axes.end() ? 1 : 0;
}

} // extern "C"
