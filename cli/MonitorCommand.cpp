#include "cli/MonitorCommand.h"

#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/InterruptScope.h"
#include "cli/LiveMonitor.h"
#include "files/PathText.h"
#include "files/RegularFile.h"
#include "model/EchoedText.h"
#include "monitor/EvemuRecording.h"
#include "monitor/HatReach.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <memory>
#include <optional>

namespace vantrel::cli {

volatile std::sig_atomic_t monitorInterrupted = 0;

namespace {

extern "C" void stopMonitoring(int /*signal*/) {
    monitorInterrupted = 1;
}

} // namespace

bool openRecording(Recording& recording, const Console& console) {
    if (recording.name == "-") {
        if (console.in == nullptr || console.inIsTerminal) {
            console.error("-: standard input is a terminal; pipe a recording into it");
            return false;
        }
        recording.stream = console.in;
    } else {
        Expected<std::ifstream, FileError> opened = openRegularFile(pathFromUtf8(recording.name));
        if (!opened.ok()) {
            console.error(opened.detail());
            return false;
        }
        recording.file = std::move(opened).value();
        recording.stream = &recording.file;
        EvemuReader check(recording.file);
        InputEvent ignored;
        while (check.next(ignored) == EvemuReader::Result::Event) {
        }
        if (!check.failure().ok()) {
            console.error(evemuFailureLine(recording.name, check.failure()));
            return false;
        }
        recording.file.clear();
        recording.file.seekg(0);
    }
    recording.reader = std::make_unique<EvemuReader>(*recording.stream);
    if (recording.reader->readHeader() == EvemuReader::Result::Failed) {
        console.error(evemuFailureLine(recording.name, recording.reader->failure()));
        return false;
    }
    return true;
}

namespace {

/// One recording as device `device` of the session: recordings are replayed
/// one after the other, each with its time starting afresh.
class NumberedReplay final : public EventSource {
public:
    NumberedReplay(std::size_t device, ReplaySource& source)
        : device_(device)
        , source_(source) {}

    Status next(SourcedEvent& event) override {
        const Status status = source_.next(event);
        event.device = device_;
        return status;
    }
    [[nodiscard]] std::string deviceName(std::size_t /*device*/) const override {
        return source_.deviceName(0);
    }

private:
    std::size_t device_;
    ReplaySource& source_;
};

template <typename T>
std::optional<T> nth(const std::vector<T>& values, std::size_t index) {
    return index < values.size() ? std::optional(values[index]) : std::nullopt;
}

// With one encoder every recording is one of its devices; with several,
// recording i is encoder i's, named as --device names it, else by the file.
int replay(const Invocation& invocation, const MonitorPrinter& printer,
           const DeviceBackendFactory& devices) {
    const std::vector<std::string>& files = invocation.events;
    const std::size_t count =
        std::max({invocation.devices.size(), invocation.configs.size(), std::size_t{1}});
    std::vector<MonitoredEncoder> encoders;
    for (std::size_t e = 0; e < count; ++e) {
        const auto device = nth(invocation.devices, e);
        auto encoder = encoderToMonitor(device.value_or(count > 1 ? files.at(e) : ""), device,
                                        nth(invocation.configs, e), printer.console, devices);
        if (!encoder) {
            return ExitFailure;
        }
        encoders.push_back(std::move(*encoder));
    }
    std::vector<Recording> recordings(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        recordings[i].name = files[i];
        if (!openRecording(recordings[i], printer.console)) {
            return ExitFailure;
        }
    }
    std::vector<std::size_t> encoderOf;
    for (std::size_t i = 0; i < files.size(); ++i) {
        encoderOf.push_back(count > 1 ? i : 0);
    }
    for (std::size_t e = 0; e < count; ++e) {
        std::vector<std::optional<std::vector<std::uint16_t>>> axes;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (encoderOf[i] == e) {
                axes.push_back(recordings[i].reader->absoluteAxes());
            }
        }
        warnAboutHatsNotReported(encoders[e].config, axes, printer.console);
    }
    MonitorSession session(std::move(encoders), encoderOf);
    int status = ExitSuccess;
    for (std::size_t i = 0; i < files.size() && status == ExitSuccess && monitorInterrupted == 0;
         ++i) {
        EvemuReader& reader = *recordings[i].reader;
        ReplaySource recording(files[i], reader);
        NumberedReplay source(i, recording);
        status = runMonitor(source, session, printer, [&reader, &file = files[i]] {
            return evemuFailureLine(file, reader.failure());
        });
    }
    printer.printSummary(session);
    return status;
}

} // namespace

std::optional<MonitoredEncoder> encoderToMonitor(std::string name,
                                                 const std::optional<std::string>& device,
                                                 const std::optional<std::string>& config,
                                                 const Console& console,
                                                 const DeviceBackendFactory& devices) {
    if (config) {
        auto loaded = openConfiguration(*config, console, Partial::Warn);
        if (!loaded) {
            return std::nullopt;
        }
        return MonitoredEncoder{std::move(name), loaded->config, loaded->labels};
    }
    const std::unique_ptr<DeviceBackend> backend = reachDevice(device, console, devices);
    if (!backend) {
        return std::nullopt;
    }
    std::optional<Configuration> read = readDeviceConfiguration(console, *backend);
    if (!read) {
        return std::nullopt;
    }
    return MonitoredEncoder{std::move(name), std::move(*read), {}};
}

void MonitorPrinter::print(const std::vector<EncoderReport>& reports, const MonitorSession& session,
                           const EventSource& source) const {
    for (const EncoderReport& report : reports) {
        // JSON escapes the name itself; a line of text shows it escaped.
        const std::string device = source.deviceName(report.report.device);
        console.out << (json ? session.json(report, device)
                             : session.text(report, escapedText(device)))
                    << '\n';
    }
    if (!reports.empty()) {
        console.out << std::flush;
    }
}

void MonitorPrinter::printSummary(const MonitorSession& session) const {
    for (const std::string& line : json ? session.summaryJson() : session.summaryText()) {
        console.out << line << '\n';
    }
    console.out << std::flush;
}

void warnAboutHatsNotReported(const Configuration& config,
                              const std::vector<std::optional<std::vector<std::uint16_t>>>& axes,
                              const Console& console) {
    for (const int hat : hatsNotReported(config, axes)) {
        console.warning("the configuration sends Hat" + std::to_string(hat + 1) +
                        ", which the encoder's devices do not report here: its presses cannot "
                        "be seen");
    }
}

int runMonitor(EventSource& source, MonitorSession& session, const MonitorPrinter& printer,
               const std::function<std::string()>& failureLine) {
    SourcedEvent event;
    // A reader that has gone ends the monitor too: nobody sees its lines.
    while (monitorInterrupted == 0 && printer.console.out) {
        switch (source.next(event)) {
        case EventSource::Status::Event:
            printer.print(session.feed(event), session, source);
            break;
        case EventSource::Status::Idle:
            printer.print(session.tick(event.event.microseconds), session, source);
            break;
        case EventSource::Status::End:
            printer.print(session.finish(), session, source);
            return ExitSuccess;
        case EventSource::Status::Failed:
            printer.print(session.finish(), session, source);
            printer.console.error(failureLine());
            return ExitFailure;
        }
    }
    printer.print(session.finish(), session, source);
    return ExitSuccess;
}

int monitorCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices) {
    const MonitorPrinter printer{console, invocation.json};
    monitorInterrupted = 0;
    const InterruptScope stopping(stopMonitoring);
    return invocation.events.empty() ? monitorLive(invocation, printer, devices)
                                     : replay(invocation, printer, devices);
}

} // namespace vantrel::cli
