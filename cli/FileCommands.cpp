#include "cli/FileCommands.h"

#include "cli/CheckCommand.h"
#include "cli/DeviceCommands.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "formats/JsonExport.h"
#include "formats/JsonText.h"
#include "model/ConfigurationFindings.h"
#include "reports/ConfigurationDiff.h"
#include "reports/ShowConfiguration.h"
#include "userinterface/UserInterface.h"

namespace vantrel::cli {

namespace {

/// The configuration file's bytes on standard output, for a pipe.
bool writeImageToStandardOutput(const LoadedConfiguration& loaded, const Console& console) {
    DeviceImage image{};
    if (!buildDeviceImage(image, loaded.config, loaded.settings)) {
        console.error(SizeLimitText);
        return false;
    }
    console.out.write(reinterpret_cast<const char*>(image.data()),
                      static_cast<std::streamsize>(image.size()));
    return true;
}

} // namespace

std::optional<LoadedConfiguration> openConfiguration(const std::string& path,
                                                     const Console& console, Partial partial) {
    const bool standardInput = path == "-";
    if (standardInput && (console.in == nullptr || console.inIsTerminal)) {
        // A person at a terminal would wait for ever on a read nobody feeds.
        console.error("-: standard input is a terminal; pipe a configuration into it");
        return std::nullopt;
    }
    ConfigurationRead read = standardInput ? loadConfiguration(*console.in, StandardInputName)
                                           : loadConfiguration(pathFromUtf8(path));
    if (!read.ok()) {
        console.error(configurationFailureLine(read.failure()));
        return std::nullopt;
    }
    LoadedConfiguration& loaded = read.value();
    if (const std::string warning = configurationWarningLine(loaded); !warning.empty()) {
        if (partial == Partial::Refuse) {
            console.error(warning);
            return std::nullopt;
        }
        console.warning(warning);
    }
    for (const std::string& remark : loaded.remarks) {
        console.warning(remark);
    }
    return std::move(loaded);
}

void warnWhenNoRoomToEdit(const std::string& source, const Configuration& config,
                          const Console& console) {
    if (const auto size = sizeFinding(config); size && size->kind == FindingKind::NoRoomToEdit) {
        console.warning(source + ": " + describeFinding(*size));
    }
}

bool saveConfigurationFile(const std::string& path, const Configuration& config,
                           const DeviceSettings& settings, const Console& console) {
    DeviceImage image{};
    if (!buildDeviceImage(image, config, settings)) {
        console.error(SizeLimitText);
        return false;
    }
    const FileResult written = writeConfigurationFile(pathFromUtf8(path), image);
    if (!written.ok()) {
        console.error(std::string(SaveFailedText) + ": " + written.detail);
        return false;
    }
    return true;
}

bool writeTextOutput(const Invocation& invocation, const std::string& text,
                     const Console& console) {
    if (!invocation.output || *invocation.output == "-") {
        console.out << text;
        return true;
    }
    if (const FileResult written = writeFileAtomically(pathFromUtf8(*invocation.output), text);
        !written.ok()) {
        console.error(std::string(SaveFailedText) + ": " + written.detail);
        return false;
    }
    return true;
}

Source openSource(const Invocation& invocation, std::size_t index, const Console& console,
                  const DeviceBackendFactory& devices) {
    if (!invocation.devices.empty()) {
        if (index == 0) {
            const std::string& device = invocation.devices.front();
            return {device, readDeviceSource(device, console, devices)};
        }
        --index;
    }
    const std::string& path = invocation.operands.at(index);
    return {path, openConfiguration(path, console, Partial::Warn)};
}

int showCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices) {
    const auto loaded = openSource(invocation, 0, console, devices).loaded;
    if (!loaded) {
        return ExitFailure;
    }
    console.out << showConfiguration(loaded->config, loaded->settings, loaded->labels);
    return ExitSuccess;
}

namespace {

/// The layout --labels-from names, when it is a JSON file: only that form
/// has labels to give.
std::optional<LoadedConfiguration> labelsLayout(const std::string& path, const Console& console) {
    auto layout = openConfiguration(path, console, Partial::Warn);
    if (layout && layout->form != ConfigurationForm::Json) {
        console.error("--labels-from " + path +
                      ": a configuration file has no labels; name its JSON form");
        return std::nullopt;
    }
    return layout;
}

} // namespace

int exportCommand(const Invocation& invocation, const Console& console,
                  const DeviceBackendFactory& devices) {
    const auto [source, loaded] = openSource(invocation, 0, console, devices);
    if (!loaded) {
        return ExitFailure;
    }
    if (encodedTableLength(loaded->config) > MaxConfigSize) {
        console.warning(source + ": " + SizeLimitText + " " + sizeLine(loaded->config) +
                        ": it cannot be imported or written until inputs are removed.");
    }
    std::optional<LoadedConfiguration> layout;
    if (invocation.labelsFrom) {
        layout = labelsLayout(*invocation.labelsFrom, console);
        if (!layout) {
            return ExitFailure;
        }
    }
    const std::string text = exportConfigurationText(loaded->config, loaded->settings,
                                                     layout ? &layout->labels : nullptr);
    return writeTextOutput(invocation, text, console) ? ExitSuccess : ExitFailure;
}

int importCommand(const Invocation& invocation, const Console& console) {
    if (*invocation.output == "-" && console.outIsTerminal) {
        // Raw bytes would garble the terminal, and nobody could keep them.
        console.error("-o -: standard output is a terminal; redirect it to a file or a pipe");
        return ExitFailure;
    }
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Refuse);
    if (!loaded || !passesCheck(invocation.operands.at(0), loaded->config, loaded->labels,
                                invocation, console)) {
        return ExitFailure;
    }
    const bool saved =
        *invocation.output == "-"
            ? writeImageToStandardOutput(*loaded, console)
            : saveConfigurationFile(*invocation.output, loaded->config, loaded->settings, console);
    return saved ? ExitSuccess : ExitFailure;
}

namespace {

/// {"input": 5, "field": "single", "before": "...", "after": "..."}; a
/// rotary switch's setting by "switch", the others by their field alone.
std::string differenceJson(const Difference& difference) {
    JsonObject object = JsonObject::object();
    if (difference.input != 0) {
        object["input"] = difference.input;
    }
    if (difference.rotarySwitch != 0) {
        object["switch"] = difference.rotarySwitch;
    }
    object["field"] = difference.field;
    object["before"] = difference.before;
    object["after"] = difference.after;
    object["difference"] = difference.line();
    return jsonLine(object);
}

} // namespace

int diffCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices) {
    const auto a = openSource(invocation, 0, console, devices).loaded;
    const auto b = a ? openSource(invocation, 1, console, devices).loaded : std::nullopt;
    if (!a || !b) {
        return ExitTrouble;
    }
    // Only the JSON form has labels: a device image has nothing to compare.
    const bool bothHaveLabels =
        a->form == ConfigurationForm::Json && b->form == ConfigurationForm::Json;
    const std::vector<Difference> changes = configurationChanges(
        a->config, a->settings, b->config, b->settings, bothHaveLabels ? &a->labels : nullptr,
        bothHaveLabels ? &b->labels : nullptr);
    for (const Difference& difference : changes) {
        // One object a line, so that a script reads each difference whole.
        console.out << (invocation.json ? differenceJson(difference) : difference.line()) << '\n';
    }
    return changes.empty() ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
