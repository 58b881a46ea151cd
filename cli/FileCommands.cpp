#include "cli/FileCommands.h"

#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "files/UserInterface.h"
#include "formats/JsonExport.h"
#include "model/ConfigurationFindings.h"
#include "reports/ConfigurationDiff.h"
#include "reports/ShowConfiguration.h"

namespace vantrel::cli {

std::optional<LoadedConfiguration> openConfiguration(const std::string& path,
                                                     const Console& console, Partial partial) {
    LoadedConfiguration loaded = loadConfiguration(pathFromUtf8(path));
    if (!loaded.ok()) {
        console.error(loaded.error);
        return std::nullopt;
    }
    if (!loaded.warning.empty()) {
        if (partial == Partial::Refuse) {
            console.error(loaded.warning);
            return std::nullopt;
        }
        console.warning(loaded.warning);
    }
    return loaded;
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

int showCommand(const Invocation& invocation, const Console& console) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Warn);
    if (!loaded) {
        return ExitFailure;
    }
    console.out << showConfiguration(loaded->config, loaded->settings);
    return ExitSuccess;
}

int exportCommand(const Invocation& invocation, const Console& console) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Warn);
    if (!loaded) {
        return ExitFailure;
    }
    if (encodedTableLength(loaded->config) > MaxConfigSize) {
        console.warning(invocation.operands.at(0) + ": " + SizeLimitText + " " +
                        sizeLine(loaded->config) +
                        ": it cannot be imported or written until inputs are removed.");
    }
    const std::string text = exportConfigurationText(loaded->config, loaded->settings);
    return writeTextOutput(invocation, text, console) ? ExitSuccess : ExitFailure;
}

int importCommand(const Invocation& invocation, const Console& console) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Refuse);
    if (!loaded) {
        return ExitFailure;
    }
    warnWhenNoRoomToEdit(invocation.operands.at(0), loaded->config, console);
    return saveConfigurationFile(*invocation.output, loaded->config, loaded->settings, console)
               ? ExitSuccess
               : ExitFailure;
}

int diffCommand(const Invocation& invocation, const Console& console) {
    const auto a = openConfiguration(invocation.operands.at(0), console, Partial::Warn);
    const auto b =
        a ? openConfiguration(invocation.operands.at(1), console, Partial::Warn) : std::nullopt;
    if (!a || !b) {
        return ExitTrouble;
    }
    const std::vector<std::string> lines =
        configurationDifferences(a->config, a->settings, b->config, b->settings);
    for (const std::string& line : lines) {
        console.out << line << '\n';
    }
    return lines.empty() ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
