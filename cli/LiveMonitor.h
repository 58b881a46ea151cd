#pragma once

#include "cli/MonitorCommand.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel::cli {

/// Monitors the encoders' own event devices (those --device names, else
/// every one attached) until Ctrl+C or until one is unplugged; grabbed from
/// the desktop unless --no-grab.
/// The encoders' own event devices, opened for another command: those
/// --device names, else every one attached; `encoderOf[d]` is the encoder
/// (in the order of --device) whose device d is.
struct EncoderEvents {
    std::unique_ptr<EventSource> source;
    std::vector<std::size_t> encoderOf;
    /// The source's failure, in the tool's words, once it failed.
    std::function<std::string()> failureLine;
};
[[nodiscard]] std::optional<EncoderEvents> openEncoderEvents(const Invocation& invocation,
                                                             const Console& console, bool grab);

int monitorLive(const Invocation& invocation, const MonitorPrinter& printer,
                const DeviceBackendFactory& devices);

} // namespace vantrel::cli
