#include "cli/LearnCommand.h"

#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/InterruptScope.h"
#include "cli/LiveMonitor.h"
#include "cli/MonitorCommand.h"
#include "cli/TerminalKeys.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "formats/JsonExport.h"
#include "model/SourceNames.h"
#include "userinterface/UserInterface.h"
#include "wiring/WiringBackups.h"
#include "wiring/WiringProbe.h"
#include "wiring/WiringSession.h"
#include "wiring/WiringTrace.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

namespace vantrel::cli {

volatile std::sig_atomic_t learnInterrupted = 0;

namespace {
namespace fs = std::filesystem;

extern "C" void stopLearning(int /*signal*/) {
    learnInterrupted = 1;
}

/// One device being wired, held for the whole session, and what it held
/// before the probe.
struct LearnDevice {
    std::string name; ///< as --device names it
    Console console;
    std::unique_ptr<DeviceBackend> backend;
    DeviceLock lock;
    LoadedConfiguration before;
    std::string backupPath;
};

/// "--device NAME" for a command the user may type; nothing for the first on USB.
std::string deviceOption(const LearnDevice& device) {
    return device.name.empty() ? std::string() : " --device " + device.name;
}

/// Saves what the device holds in a new file of the backup folder; a device
/// with no configuration is backed up as a blank one, so that it has
/// something to go back to. Refuses a device that holds the probe already.
bool backUp(LearnDevice& device) {
    const Console& console = device.console;
    const DeviceContents contents = readDeviceContents(console, *device.backend, "backup");
    if (contents.holding == DeviceHolding::Failed) {
        return false;
    }
    DeviceImage image = contents.image;
    if (contents.holding == DeviceHolding::Image) {
        DeviceImage decoded = image;
        loadDeviceImage(decoded, device.before.config, device.before.settings);
        if (isWiringProbe(device.before.config)) {
            console.error(probeLeftLine(console));
            return false;
        }
        device.before.image = image;
    } else {
        buildDeviceImage(image, device.before.config, device.before.settings);
    }
    std::error_code error;
    fs::create_directories(console.backupFolder, error);
    const fs::path path = newWiringBackup(console.backupFolder, std::chrono::system_clock::now());
    if (const FileResult written = writeConfigurationFile(path, image); !written.ok()) {
        console.error(std::string("backup: ") + SaveFailedText + ": " + written.detail);
        return false;
    }
    device.backupPath = utf8Text(path);
    console.out << escapedText(console.subject) << "Backup: " << escapedText(device.backupPath)
                << " (kept; vantrelctl write " << escapedText(device.backupPath)
                << escapedText(deviceOption(device)) << " restores it)\n";
    return true;
}

/// Writes each device's backup back; says for each what it holds now.
bool restoreAll(std::vector<LearnDevice>& devices) {
    bool all = true;
    for (LearnDevice& device : devices) {
        if (writeVerified(device.before, device.console, *device.backend, "restore")) {
            device.console.success("The configuration it held before was written back from " +
                                   device.backupPath);
        } else {
            device.console.error("it still holds the wiring probe; restore it with: vantrelctl "
                                 "write " +
                                 device.backupPath + deviceOption(device));
            all = false;
        }
    }
    return all;
}

/// How the asking ended.
enum class SessionEnd { Answered, Stopped };

/// The session on the console: what to press, and what each press did.
class LearnConsole {
public:
    LearnConsole(const Console& console, const std::vector<LearnDevice>& devices)
        : console_(console)
        , devices_(devices) {}

    /// "Input 5", with the device's name before it when there are several.
    [[nodiscard]] std::string where(const FoundInput& input) const {
        const std::string name = inputName(input.input);
        return devices_.size() > 1 ? devices_.at(input.encoder).name + " " + name : name;
    }

    void ask(const WiringSession& session) const {
        if (const auto control = session.asked()) {
            console_.out << "Press " << escapedText(session.controls().at(*control).label) << " ("
                         << *control + 1 << " of " << session.controls().size() << ")\n"
                         << std::flush;
        }
    }

    void tell(const WiringSession& session, const WiringAnswer& answer) const {
        const auto label = [&](std::size_t control) {
            return escapedText(session.controls().at(control).label);
        };
        switch (answer.step) {
        case WiringStep::Bound:
            console_.out << "  " << label(answer.control) << ": " << where(answer.input) << '\n';
            break;
        case WiringStep::AlreadyBound:
            console_.out << "  " << where(answer.input) << " is " << label(answer.control)
                         << " already\n";
            break;
        case WiringStep::NotAnInput:
            console_.out << "  that was a rotary switch, which stays as the layout has it\n";
            break;
        case WiringStep::Skipped:
            console_.out << "  " << label(answer.control) << ": skipped\n";
            break;
        case WiringStep::WentBack:
            console_.out << "  back to " << label(answer.control) << '\n';
            break;
        case WiringStep::NothingBefore:
            console_.out << "  nothing comes before the first control\n";
            break;
        case WiringStep::LabelNeeded:
        case WiringStep::UnknownLabel:
        case WiringStep::LabelTaken:
            askLabel(session, answer);
            break;
        case WiringStep::PressDropped:
            console_.out << "  " << where(answer.input) << " let go\n";
            break;
        case WiringStep::Ignored:
            return;
        }
        if (session.order() == WiringSession::Order::AsAsked) {
            ask(session);
        }
        console_.out << std::flush;
    }

private:
    void askLabel(const WiringSession& session, const WiringAnswer& answer) const {
        if (answer.step == WiringStep::UnknownLabel) {
            console_.out << "  no control of the layout has that label\n";
        } else if (answer.step == WiringStep::LabelTaken) {
            console_.out << "  " << escapedText(session.controls().at(answer.control).label)
                         << " is on " << where(answer.input) << " already\n";
        }
        console_.out << where(answer.input)
                     << ": which control is it? (its label; empty lets it go)\n"
                     << std::flush;
    }

    const Console& console_;
    const std::vector<LearnDevice>& devices_;
};

/// Feeds the presses to the session; in any order, each press waits for its
/// label on standard input. False once the person ended the labels.
bool apply(const std::vector<TracedPress>& presses, WiringSession& session,
           const LearnConsole& words, const Console& console) {
    for (const TracedPress& press : presses) {
        words.tell(session, applyPress(session, press));
        while (session.waiting()) {
            std::string line;
            if (console.in == nullptr || !std::getline(*console.in, line)) {
                return false;
            }
            words.tell(session, session.label(line));
        }
    }
    return true;
}

SessionEnd replaySession(std::vector<Recording>& recordings, WiringSession& session,
                         const LearnConsole& words, const Console& console, std::size_t encoders) {
    std::vector<std::size_t> encoderOf;
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        encoderOf.push_back(i < encoders ? i : 0);
    }
    WiringTrace trace(encoders, encoderOf);
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        InputEvent event;
        EvemuReader& reader = *recordings[i].reader;
        while (learnInterrupted == 0 && reader.next(event) == EvemuReader::Result::Event) {
            if (!apply(trace.feed({i, event}), session, words, console)) {
                return SessionEnd::Answered;
            }
            if (session.finished()) {
                return SessionEnd::Answered;
            }
        }
        if (!reader.failure().ok()) {
            console.error(evemuFailureLine(recordings[i].name, reader.failure()));
            return SessionEnd::Stopped;
        }
        if (!apply(trace.finish(), session, words, console) || session.finished()) {
            return SessionEnd::Answered;
        }
    }
    if (learnInterrupted == 0) {
        console.error("the recordings ended before every control was answered");
    }
    return SessionEnd::Stopped;
}

SessionEnd liveSession(EncoderEvents& events, WiringSession& session, const LearnConsole& words,
                       const Console& console, std::size_t encoders) {
    WiringTrace trace(encoders, events.encoderOf);
    TerminalKeys keys(session.order() == WiringSession::Order::AsAsked);
    SourcedEvent event;
    while (learnInterrupted == 0) {
        std::vector<TracedPress> presses;
        switch (events.source->next(event)) {
        case EventSource::Status::Event:
            presses = trace.feed(event);
            break;
        case EventSource::Status::Idle:
            presses = trace.tick(event.event.microseconds);
            break;
        case EventSource::Status::End:
        case EventSource::Status::Failed:
            console.error(events.failureLine());
            return SessionEnd::Stopped;
        }
        const std::vector<TracedPress> typed = keys.pressed();
        presses.insert(presses.end(), typed.begin(), typed.end());
        if (!apply(presses, session, words, console) || session.finished()) {
            return SessionEnd::Answered;
        }
    }
    return SessionEnd::Stopped;
}

/// "Inputs 1-4, 6, 9-108", or empty when every input is used.
std::string inputRanges(const std::vector<int>& inputs) {
    std::string text;
    for (std::size_t i = 0; i < inputs.size();) {
        std::size_t j = i;
        while (j + 1 < inputs.size() && inputs[j + 1] == inputs[j] + 1) {
            ++j;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(inputs[i] + 1);
        if (j > i) {
            text += "-" + std::to_string(inputs[j] + 1);
        }
        i = j + 1;
    }
    return text.empty() ? text : (inputs.size() == 1 ? "Input " : "Inputs ") + text;
}

void printLearned(const WiringSession& session, const std::vector<WiredEncoder>& wired,
                  const LearnConsole& words, const std::vector<LearnDevice>& devices,
                  const Console& console) {
    std::size_t width = 0;
    for (const WiringControl& control : session.controls()) {
        width = std::max(width, escapedText(control.label).size());
    }
    console.out << "\nWhat was learned:\n";
    for (const WiringControl& control : session.controls()) {
        const std::string label = escapedText(control.label);
        console.out << "  " << label << std::string(width - label.size(), ' ') << "  "
                    << inputName(control.layoutInput) << " -> "
                    << (control.found ? words.where(*control.found) : "not wired (skipped)")
                    << '\n';
    }
    for (std::size_t e = 0; e < wired.size(); ++e) {
        std::vector<int> unused;
        for (int input = 0; input < InputCount; ++input) {
            if (wired[e].config.input(input) == InputMacro{} &&
                wired[e].labels.input(input).empty()) {
                unused.push_back(input);
            }
        }
        if (!unused.empty()) {
            console.out << (devices.size() > 1 ? devices[e].name + ": " : std::string())
                        << inputRanges(unused) << " stay Not Used\n";
        }
    }
    console.out << std::flush;
}

/// WIRED.json, or for several devices WIRED-1.json, WIRED-2.json and so on;
/// without -o, LAYOUT-wired.json beside the layout.
std::vector<fs::path> wiredPaths(const Invocation& invocation, std::size_t devices) {
    const fs::path layout = pathFromUtf8(invocation.operands.at(0));
    fs::path base = invocation.output ? pathFromUtf8(*invocation.output) : wiredLayoutPath(layout);
    if (devices == 1) {
        return {base};
    }
    std::vector<fs::path> paths;
    for (std::size_t d = 1; d <= devices; ++d) {
        paths.push_back(base.parent_path() / (base.stem().string() + "-" + std::to_string(d) +
                                              base.extension().string()));
    }
    return paths;
}

/// The learnt layout into its files and, unless --no-write, into the
/// devices; with --no-write each device gets its backup back.
bool finish(const Invocation& invocation, const LoadedConfiguration& layout,
            const WiringSession& session, std::vector<LearnDevice>& devices,
            const LearnConsole& words, const Console& console) {
    const std::vector<WiredEncoder> wired =
        session.wired(layout.config, layout.labels, devices.size());
    printLearned(session, wired, words, devices, console);
    const std::vector<fs::path> paths = wiredPaths(invocation, devices.size());
    bool saved = true;
    for (std::size_t d = 0; d < devices.size(); ++d) {
        const std::string text =
            exportConfigurationText(wired[d].config, layout.settings, &wired[d].labels);
        if (const FileResult written = writeFileAtomically(paths[d], text); !written.ok()) {
            console.error(std::string(SaveFailedText) + ": " + written.detail);
            saved = false;
        } else {
            console.success("Wrote " + utf8Text(paths[d]));
        }
    }
    if (!invocation.write || !saved) {
        return restoreAll(devices) && saved;
    }
    bool all = true;
    for (std::size_t d = 0; d < devices.size(); ++d) {
        LearnDevice& device = devices[d];
        LoadedConfiguration loaded;
        loaded.config = wired[d].config;
        loaded.settings = layout.settings;
        if (writeVerified(loaded, device.console, *device.backend, "write")) {
            device.console.success("Wrote the wired configuration into the device and verified it");
            continue;
        }
        all = false;
        if (!writeVerified(device.before, device.console, *device.backend, "restore")) {
            device.console.error("it may still hold the wiring probe; restore it with: vantrelctl "
                                 "write " +
                                 device.backupPath + deviceOption(device));
        } else {
            device.console.success("The configuration it held before was written back from " +
                                   device.backupPath);
        }
    }
    return all;
}

/// Reaches, holds and backs up every device, then writes the probe into
/// each; false when one could not, each device the probe reached given its
/// backup back.
bool prepareDevices(const Invocation& invocation, const Console& console,
                    const DeviceBackendFactory& factory, std::vector<LearnDevice>& devices) {
    const std::vector<std::string> names =
        invocation.devices.empty() ? std::vector<std::string>{""} : invocation.devices;
    for (const std::string& name : names) {
        LearnDevice& device = devices.emplace_back(LearnDevice{name, console, nullptr, {}, {}, {}});
        if (names.size() > 1) {
            device.console.subject = name + ": ";
        }
        device.backend =
            reachDevice(name.empty() ? std::nullopt : std::optional(name), device.console, factory);
        if (!device.backend ||
            !holdDeviceForWriting(*device.backend, device.console, device.lock) ||
            !backUp(device)) {
            return false; // nothing was written yet
        }
    }
    LoadedConfiguration probe;
    probe.config = wiringProbe();
    for (std::size_t d = 0; d < devices.size(); ++d) {
        if (!writeVerified(probe, devices[d].console, *devices[d].backend, "probe")) {
            // Those the probe reached, this one's cut-off write included.
            while (devices.size() > d + 1) {
                devices.pop_back();
            }
            restoreAll(devices);
            return false;
        }
    }
    return true;
}

int learn(const Invocation& invocation, const Console& console,
          const DeviceBackendFactory& factory) {
    if (invocation.output == "-") {
        // Standard output holds the session's questions.
        console.error("-o -: learn writes the wired layout to a file");
        return ExitFailure;
    }
    const auto layout = openConfiguration(invocation.operands.at(0), console, Partial::Refuse);
    if (!layout) {
        return ExitFailure;
    }
    WiringSession session(layout->config, layout->labels,
                          invocation.anyOrder ? WiringSession::Order::AsPressed
                                              : WiringSession::Order::AsAsked);
    if (session.controls().empty()) {
        console.error(invocation.operands.at(0) + ": the layout has no control to ask for");
        return ExitFailure;
    }
    const std::size_t encoders = std::max<std::size_t>(invocation.devices.size(), 1);
    // The panel is opened before the devices are touched: nothing is written
    // into a device whose presses cannot be read.
    std::vector<Recording> recordings(invocation.events.size());
    std::optional<EncoderEvents> live;
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        recordings[i].name = invocation.events[i];
        if (!openRecording(recordings[i], console)) {
            return ExitFailure;
        }
    }
    if (recordings.empty() && !(live = openEncoderEvents(invocation, console, true))) {
        return ExitFailure;
    }
    std::vector<LearnDevice> devices;
    if (!prepareDevices(invocation, console, factory, devices)) {
        return ExitFailure;
    }
    const LearnConsole words(console, devices);
    console.out << "Every input sends something of its own now. Press each control as it is "
                   "asked for"
                << (session.order() == WiringSession::Order::AsAsked
                        ? "; Enter skips one, Backspace goes back one, Ctrl+C stops.\n"
                        : ", then type its label; an empty label lets the press go, Ctrl+C "
                          "stops.\n");
    words.ask(session);
    const SessionEnd end = live ? liveSession(*live, session, words, console, encoders)
                                : replaySession(recordings, session, words, console, encoders);
    if (end == SessionEnd::Stopped || learnInterrupted != 0) {
        console.error("stopped before every control was answered; each device gets its "
                      "configuration back");
        restoreAll(devices);
        return ExitFailure;
    }
    return finish(invocation, *layout, session, devices, words, console) ? ExitSuccess
                                                                         : ExitFailure;
}

} // namespace

int learnCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices) {
    learnInterrupted = 0;
    const InterruptScope stopping(stopLearning);
    return learn(invocation, console, devices);
}

} // namespace vantrel::cli
