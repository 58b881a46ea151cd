#include "cli/LiveMonitor.h"

#include "cli/TransferWords.h"
#include "device/EventNodes.h"
#include "device/UdevRule.h"
#include "device/UsbDeviceChoice.h"
#include "device/selection/DeviceSelection.h"
#include "device/selection/UsbBackend.h"
#include "files/PathText.h"
#include "monitor/evdev/EvdevSource.h"

#include <algorithm>

namespace vantrel::cli {
namespace {

std::string failureText(const EvdevFailure& failure) {
    const std::string node = utf8Text(failure.node);
    switch (failure.kind) {
    case EvdevError::NoPermission:
        return "cannot read " + node +
               ": this user has no permission to read the VANTREL's input devices\n" +
               udevAdvice(build::VendorId, packagedUdevRuleInstalled());
    case EvdevError::Unplugged:
        return node + ": the VANTREL was unplugged";
    case EvdevError::NotEvdev:
        return node + ": not an input event device";
    default:
        return node + ": " + failure.detail;
    }
}

/// One encoder to read: the name its lines carry, the device its
/// configuration is read from, its event nodes.
struct LiveEncoder {
    std::string name;
    std::optional<std::string> device;
    std::vector<std::filesystem::path> nodes;
};

/// The encoders --device names, else every one attached. A device on USB is
/// found by its port; the emulator has no event devices, so one emulated
/// device is matched against every attached encoder's presses.
std::optional<std::vector<LiveEncoder>> encodersToRead(const Invocation& invocation,
                                                       const Console& console) {
    const std::vector<EncoderEventNodes> attached =
        encoderEventNodesByPort(console.sysfsRoot, console.inputRoot);
    if (attached.empty()) {
        console.error("no input devices of a VANTREL found: is it plugged in?");
        return std::nullopt;
    }
    std::vector<LiveEncoder> encoders;
    if (invocation.devices.empty()) {
        for (const EncoderEventNodes& encoder : attached) {
            const std::string name = std::string(UsbPrefix) + encoder.portPath;
            encoders.push_back(
                {name, attached.size() > 1 ? std::optional(name) : std::nullopt, encoder.nodes});
        }
        return encoders;
    }
    for (const std::string& device : invocation.devices) {
        const auto selector =
            device.starts_with(UsbPrefix)
                ? parseUsbSelector(std::string_view(device).substr(UsbPrefix.size()))
                : std::nullopt;
        if (!selector) {
            if (invocation.devices.size() > 1) {
                console.error(device + ": only a device on USB has input devices to read; "
                                       "replay its recording with --events");
                return std::nullopt;
            }
            std::vector<std::filesystem::path> nodes =
                encoderEventNodes(console.sysfsRoot, console.inputRoot);
            encoders.push_back({device, device, std::move(nodes)});
            continue;
        }
        const Expected<std::string, DeviceChoiceError> port = usbPortOf(*selector);
        const auto found =
            port.ok() ? std::ranges::find(attached, port.value(), &EncoderEventNodes::portPath)
                      : attached.end();
        if (found == attached.end()) {
            console.error(device + ": " + eventNodesMissingLine(port.failure()));
            return std::nullopt;
        }
        encoders.push_back({device, device, found->nodes});
    }
    return encoders;
}

} // namespace

std::optional<EncoderEvents> openEncoderEvents(const Invocation& invocation, const Console& console,
                                               bool grab) {
    const auto live = encodersToRead(invocation, console);
    if (!live) {
        return std::nullopt;
    }
    std::vector<std::filesystem::path> nodes;
    std::vector<std::size_t> encoderOf;
    for (std::size_t e = 0; e < live->size(); ++e) {
        nodes.insert(nodes.end(), live->at(e).nodes.begin(), live->at(e).nodes.end());
        encoderOf.insert(encoderOf.end(), live->at(e).nodes.size(), e);
    }
    OpenedEvdevSource opened = EvdevSource::open(nodes, grab);
    if (!opened.ok()) {
        console.error(failureText(opened.failure()));
        return std::nullopt;
    }
    std::unique_ptr<EvdevSource> source = std::move(opened).value();
    // A person's answer should not wait a quarter of a second for the panel.
    source->setWait(std::chrono::milliseconds(50));
    EncoderEvents events;
    const EvdevSource* reader = source.get();
    events.failureLine = [reader] {
        return failureText(reader->failure());
    };
    events.source = std::move(source);
    events.encoderOf = std::move(encoderOf);
    return events;
}

int monitorLive(const Invocation& invocation, const MonitorPrinter& printer,
                const DeviceBackendFactory& devices) {
    const Console& console = printer.console;
    const auto live = encodersToRead(invocation, console);
    if (!live) {
        return ExitFailure;
    }
    if (!invocation.configs.empty() && invocation.configs.size() != live->size()) {
        console.error(std::to_string(live->size()) + " devices are attached but " +
                      std::to_string(invocation.configs.size()) +
                      " --config given: give one per device, in the order of --device");
        return ExitFailure;
    }
    std::vector<MonitoredEncoder> encoders;
    std::vector<std::filesystem::path> nodes;
    std::vector<std::size_t> encoderOf;
    for (std::size_t e = 0; e < live->size(); ++e) {
        const LiveEncoder& encoder = live->at(e);
        const auto config =
            e < invocation.configs.size() ? std::optional(invocation.configs[e]) : std::nullopt;
        auto monitored = encoderToMonitor(encoder.name, encoder.device, config, console, devices);
        if (!monitored) {
            return ExitFailure;
        }
        encoders.push_back(std::move(*monitored));
        nodes.insert(nodes.end(), encoder.nodes.begin(), encoder.nodes.end());
        encoderOf.insert(encoderOf.end(), encoder.nodes.size(), e);
    }
    OpenedEvdevSource opened = EvdevSource::open(nodes, invocation.grab);
    if (!opened.ok()) {
        console.error(failureText(opened.failure()));
        return ExitFailure;
    }
    const std::unique_ptr<EvdevSource> source = std::move(opened).value();
    for (std::size_t e = 0; e < encoders.size(); ++e) {
        std::vector<std::optional<std::vector<std::uint16_t>>> axes;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (encoderOf[i] == e) {
                axes.emplace_back(source->absoluteAxes(i));
            }
        }
        warnAboutHatsNotReported(encoders[e].config, axes, console);
    }
    MonitorSession session(std::move(encoders), encoderOf);
    const int status =
        runMonitor(*source, session, printer, [&source] { return failureText(source->failure()); });
    printer.printSummary(session);
    return status;
}

} // namespace vantrel::cli
