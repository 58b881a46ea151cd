#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"
#include "monitor/EvemuRecording.h"
#include "monitor/EventSource.h"
#include "monitor/MonitorSession.h"

#include <csignal>
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// vantrelctl monitor: what the panel sends, traced back to the inputs of a
// configuration, from recordings or from the attached devices.
namespace vantrel::cli {

/// Prints the monitor's reports, as text or JSON lines, as they come.
struct MonitorPrinter {
    const Console& console;
    bool json = false;

    void print(const std::vector<EncoderReport>& reports, const MonitorSession& session,
               const EventSource& source) const;
    /// The last lines: what each encoder's panel never sent.
    void printSummary(const MonitorSession& session) const;
};

/// Warns about the hats the configuration sends that no device reports,
/// from each device's absolute axes where they are known.
void warnAboutHatsNotReported(const Configuration& config,
                              const std::vector<std::optional<std::vector<std::uint16_t>>>& axes,
                              const Console& console);

/// The configuration of one encoder: from --config FILE, else read from the
/// device (nothing: the first on USB). Nothing after telling why not.
[[nodiscard]] std::optional<MonitoredEncoder>
encoderToMonitor(std::string name, const std::optional<std::string>& device,
                 const std::optional<std::string>& config, const Console& console,
                 const DeviceBackendFactory& devices);

/// One recording to replay, read as it comes: a regular file, or standard
/// input for "-" (a pipe from evemu-record, replayed live).
struct Recording {
    std::string name;
    std::ifstream file;
    std::istream* stream = nullptr;
    std::unique_ptr<EvemuReader> reader;
};

/// Opens a recording as every other reader opens its files. A file is read
/// through once before anything is replayed, so that a damaged one prints
/// nothing at all; standard input can be read only once, so its faults show
/// where they are reached. False after telling why.
[[nodiscard]] bool openRecording(Recording& recording, const Console& console);

/// Set by SIGINT: monitoring ends as asked, with status 0.
extern volatile std::sig_atomic_t monitorInterrupted;

/// Runs the session over a source until it ends, fails or Ctrl+C; prints
/// the failure, as `failureLine` words the source's own, and returns the
/// command's status. The summary is the caller's to print, once every
/// source has run.
int runMonitor(EventSource& source, MonitorSession& session, const MonitorPrinter& printer,
               const std::function<std::string()>& failureLine);

int monitorCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices);

} // namespace vantrel::cli
