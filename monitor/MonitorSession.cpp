#include "monitor/MonitorSession.h"

#include "monitor/MonitorText.h"

#include <utility>

namespace vantrel {
namespace {

std::vector<EncoderReport> fromEncoder(std::size_t encoder, std::vector<MonitorReport>&& reports) {
    std::vector<EncoderReport> out;
    out.reserve(reports.size());
    for (MonitorReport& report : reports) {
        out.push_back({encoder, std::move(report)});
    }
    return out;
}

void append(std::vector<EncoderReport>& out, std::vector<EncoderReport>&& more) {
    for (EncoderReport& report : more) {
        out.push_back(std::move(report));
    }
}

} // namespace

MonitorSession::MonitorSession(std::vector<MonitoredEncoder> encoders,
                               std::vector<std::size_t> encoderOfDevice)
    : encoderOfDevice_(std::move(encoderOfDevice)) {
    for (MonitoredEncoder& encoder : encoders) {
        auto monitor = std::make_unique<Monitor>(encoder.config);
        encoders_.push_back({std::move(encoder), std::move(monitor)});
    }
}

std::vector<EncoderReport> MonitorSession::feed(const SourcedEvent& event) {
    // What fell due on the other encoders comes before what this event brings.
    const std::size_t target = encoderOf(event.device);
    std::vector<EncoderReport> out;
    for (std::size_t e = 0; e < encoders_.size(); ++e) {
        append(out,
               fromEncoder(e, e == target ? encoders_[e].monitor->feed(event)
                                          : encoders_[e].monitor->tick(event.event.microseconds)));
    }
    return out;
}

std::vector<EncoderReport> MonitorSession::tick(std::int64_t microseconds) {
    std::vector<EncoderReport> out;
    for (std::size_t e = 0; e < encoders_.size(); ++e) {
        append(out, fromEncoder(e, encoders_[e].monitor->tick(microseconds)));
    }
    return out;
}

std::vector<EncoderReport> MonitorSession::finish() {
    std::vector<EncoderReport> out;
    for (std::size_t e = 0; e < encoders_.size(); ++e) {
        append(out, fromEncoder(e, encoders_[e].monitor->finish()));
    }
    return out;
}

std::string MonitorSession::text(const EncoderReport& report, const std::string& device) const {
    return reportText(report.report, device, encoder(report.encoder).labels,
                      prefix(report.encoder));
}

std::string MonitorSession::json(const EncoderReport& report, const std::string& device) const {
    return reportJson(report.report, device, encoder(report.encoder).labels,
                      prefix(report.encoder));
}

std::vector<std::string> MonitorSession::summaryText() const {
    std::vector<std::string> lines;
    for (std::size_t e = 0; e < encoders_.size(); ++e) {
        lines.push_back(vantrel::summaryText(encoders_[e].monitor->seen().summary(),
                                             encoders_[e].encoder.labels, prefix(e)));
    }
    return lines;
}

std::vector<std::string> MonitorSession::summaryJson() const {
    std::vector<std::string> lines;
    for (std::size_t e = 0; e < encoders_.size(); ++e) {
        lines.push_back(vantrel::summaryJson(encoders_[e].monitor->seen().summary(),
                                             encoders_[e].encoder.labels, prefix(e)));
    }
    return lines;
}

const MonitoredEncoder& MonitorSession::encoder(std::size_t index) const {
    return encoders_.at(index).encoder;
}

const Monitor& MonitorSession::monitor(std::size_t encoder) const {
    return *encoders_.at(encoder).monitor;
}

std::string MonitorSession::prefix(std::size_t encoder) const {
    return encoders_.size() > 1 ? encoders_.at(encoder).encoder.name : std::string{};
}

std::size_t MonitorSession::encoderOf(std::size_t device) const {
    return device < encoderOfDevice_.size() ? encoderOfDevice_[device] : 0;
}

} // namespace vantrel
