#pragma once

#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"
#include "monitor/EventSource.h"
#include "monitor/Monitor.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// One run of the monitor over one or several encoders, each with its own
// configuration and its own devices (keyboard, mouse, joystick nodes), and
// the lines it prints: what each press was, then what was never pressed.
namespace vantrel {

struct MonitoredEncoder {
    std::string
        name; ///< as --device names it ("usb:1-4.1"); begins its lines when several are read
    Configuration config;
    ConfigurationLabels labels;
};

/// A report and the encoder it is about.
struct EncoderReport {
    std::size_t encoder = 0;
    MonitorReport report;
};

class MonitorSession {
public:
    /// `encoderOfDevice[d]` is the encoder that the source's device d belongs
    /// to; a device not listed belongs to the first encoder.
    MonitorSession(std::vector<MonitoredEncoder> encoders,
                   std::vector<std::size_t> encoderOfDevice = {});

    /// As Monitor's, for every encoder: feed each event as it comes, tick
    /// when none came for a while, finish at the end of the events (also
    /// of each recording, when several are replayed one after the other).
    [[nodiscard]] std::vector<EncoderReport> feed(const SourcedEvent& event);
    [[nodiscard]] std::vector<EncoderReport> tick(std::int64_t microseconds);
    [[nodiscard]] std::vector<EncoderReport> finish();

    /// A report as the monitor prints it, named by its encoder when there
    /// are several; `device` names the event device it came from.
    [[nodiscard]] std::string text(const EncoderReport& report, const std::string& device) const;
    [[nodiscard]] std::string json(const EncoderReport& report, const std::string& device) const;
    /// The last lines: for each encoder, what was seen, what never was, and
    /// what was not told apart.
    [[nodiscard]] std::vector<std::string> summaryText() const;
    [[nodiscard]] std::vector<std::string> summaryJson() const;

    [[nodiscard]] const MonitoredEncoder& encoder(std::size_t index) const;
    [[nodiscard]] const Monitor& monitor(std::size_t encoder) const;

private:
    struct Watched {
        MonitoredEncoder encoder;
        std::unique_ptr<Monitor> monitor;
    };

    [[nodiscard]] std::string prefix(std::size_t encoder) const;
    [[nodiscard]] std::size_t encoderOf(std::size_t device) const;

    std::vector<Watched> encoders_;
    std::vector<std::size_t> encoderOfDevice_;
};

} // namespace vantrel
