#include "cli/LiveMonitor.h"

#include "device/EvdevSource.h"
#include "device/EventNodes.h"
#include "device/UdevRule.h"
#include "files/PathText.h"

namespace vantrel::cli {
namespace {

std::string failureText(const EvdevFailure& failure) {
    const std::string node = utf8Text(failure.node);
    switch (failure.kind) {
    case EvdevFailure::Kind::NoPermission:
        return "cannot read " + node +
               ": this user has no permission to read the VANTREL's input devices\n" +
               udevAdvice(build::VendorId, packagedUdevRuleInstalled());
    case EvdevFailure::Kind::Unplugged:
        return node + ": the VANTREL was unplugged";
    case EvdevFailure::Kind::NotEvdev:
        return node + ": not an input event device";
    default:
        return node + ": " + failure.detail;
    }
}

/// The live source, with its failures in the tool's words.
class WordedEvdevSource final : public EventSource {
public:
    explicit WordedEvdevSource(EvdevSource& source)
        : source_(source) {}

    Status next(SourcedEvent& event) override { return source_.next(event); }
    [[nodiscard]] std::string deviceName(std::size_t device) const override {
        return source_.deviceName(device);
    }
    [[nodiscard]] std::string error() const override { return failureText(source_.failure()); }

private:
    EvdevSource& source_;
};

} // namespace

int monitorLive(const Configuration& config, const MonitorPrinter& printer, bool grab) {
    const std::vector<std::filesystem::path> nodes = encoderEventNodes();
    if (nodes.empty()) {
        printer.console.error("no input devices of a VANTREL found: is it plugged in?");
        return ExitFailure;
    }
    EvdevFailure failure;
    const std::unique_ptr<EvdevSource> source = EvdevSource::open(nodes, grab, failure);
    if (!source) {
        printer.console.error(failureText(failure));
        return ExitFailure;
    }
    std::vector<std::optional<std::vector<std::uint16_t>>> axes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        axes.emplace_back(source->absoluteAxes(i));
    }
    warnAboutHatsNotReported(config, axes, printer.console);
    WordedEvdevSource worded(*source);
    return runMonitor(worded, config, printer);
}

} // namespace vantrel::cli
