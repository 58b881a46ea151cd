#include "wiring/WiringTrace.h"

#include "monitor/EventCodes.h"
#include "wiring/WiringProbe.h"

#include <optional>

namespace vantrel {
namespace {

// The kernel's key codes of the keys a person answers with.
constexpr std::uint16_t KeyEnter = 28;
constexpr std::uint16_t KeyKeypadEnter = 96;
constexpr std::uint16_t KeyBackspace = 14;

std::optional<TracedPress::Kind> personKey(const InputEvent& event) {
    if (event.type != evdev::EvKey || event.value != evdev::KeyPressed) {
        return std::nullopt;
    }
    if (event.code == KeyEnter || event.code == KeyKeypadEnter) {
        return TracedPress::Kind::Skip;
    }
    if (event.code == KeyBackspace) {
        return TracedPress::Kind::Back;
    }
    return std::nullopt;
}

/// Only a press that the probe names one source for is a control's.
std::vector<TracedPress> traced(const std::vector<EncoderReport>& reports) {
    std::vector<TracedPress> presses;
    for (const EncoderReport& report : reports) {
        if (report.report.kind == MonitorReport::Kind::Press &&
            report.report.candidates.size() == 1) {
            presses.push_back({TracedPress::Kind::Control, report.encoder,
                               report.report.candidates.front().source});
        }
    }
    return presses;
}

} // namespace

WiringTrace::WiringTrace(std::size_t encoders, std::vector<std::size_t> encoderOfDevice) {
    std::vector<MonitoredEncoder> probes;
    for (std::size_t e = 0; e < encoders; ++e) {
        probes.push_back({{}, wiringProbe(), {}});
    }
    monitor_ = std::make_unique<MonitorSession>(std::move(probes), std::move(encoderOfDevice));
}

std::vector<TracedPress> WiringTrace::feed(const SourcedEvent& event) {
    std::vector<TracedPress> presses = traced(monitor_->feed(event));
    if (const auto key = personKey(event.event)) {
        presses.push_back({*key, 0, {}});
    }
    return presses;
}

std::vector<TracedPress> WiringTrace::tick(std::int64_t microseconds) {
    return traced(monitor_->tick(microseconds));
}

std::vector<TracedPress> WiringTrace::finish() {
    return traced(monitor_->finish());
}

WiringAnswer applyPress(WiringSession& session, const TracedPress& press) {
    switch (press.kind) {
    case TracedPress::Kind::Skip:
        return session.skip();
    case TracedPress::Kind::Back:
        return session.back();
    case TracedPress::Kind::Control:
        break;
    }
    return session.press(press.encoder, press.source);
}

} // namespace vantrel
