#include "cli/CheckCommand.h"

#include "cli/FileCommands.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"
#include "formats/JsonText.h"
#include "model/ConfigurationFindings.h"
#include "model/DeviceImage.h"
#include "reports/ControlCard.h"
#include "userinterface/UserInterface.h"

#include <filesystem>

namespace vantrel::cli {
namespace {

/// {"finding": "stuck-key", "mistake": true, "message": "...", "inputs": [2],
/// "rotaryKeys": []}: inputs numbered from 1 as the windows number them,
/// rotary keys 1 to 4 (switch 1 counterclockwise, clockwise, switch 2
/// counterclockwise, clockwise).
std::string findingJson(const Finding& finding, const ConfigurationLabels& labels) {
    JsonObject inputs = JsonObject::array();
    JsonObject rotaryKeys = JsonObject::array();
    for (const ActionSource& source : finding.sources) {
        (source.kind == ActionSource::Kind::Input ? inputs : rotaryKeys)
            .push_back(source.index + 1);
    }
    const JsonObject object = {{"finding", findingWord(finding.kind)},
                               {"mistake", !isNote(finding.kind)},
                               {"message", describeFinding(finding, labels)},
                               {"inputs", inputs},
                               {"rotaryKeys", rotaryKeys}};
    return jsonLine(object);
}

/// The findings a command tells, leaving out the shares the layout intends.
struct Told {
    std::vector<Finding> shown;
    std::size_t intended = 0;
    std::size_t mistakes = 0;
};

Told toldFindings(const Configuration& config, const ConfigurationLabels& labels) {
    Told told;
    for (Finding& finding : configurationFindings(config)) {
        if (isIntended(finding, labels)) {
            ++told.intended;
            continue;
        }
        told.mistakes += isNote(finding.kind) ? 0U : 1U;
        told.shown.push_back(std::move(finding));
    }
    return told;
}

/// "note: " before what is worth knowing but is no mistake.
std::string findingLine(const Finding& finding, const ConfigurationLabels& labels) {
    return (isNote(finding.kind) ? "note: " : "") + describeFinding(finding, labels);
}

std::string intendedLine(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " note" : " notes") +
           " about shares the file marks as intended not shown";
}

} // namespace

int checkCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices) {
    const auto loaded = openSource(invocation, 0, console, devices).loaded;
    if (!loaded) {
        return ExitTrouble;
    }
    const Told told = toldFindings(loaded->config, loaded->labels);
    for (const Finding& finding : told.shown) {
        console.out << (invocation.json ? findingJson(finding, loaded->labels)
                                        : findingLine(finding, loaded->labels))
                    << '\n';
    }
    if (invocation.json) {
        console.out << jsonLine({{"size", encodedTableLength(loaded->config)},
                                 {"limit", MaxConfigSize},
                                 {"message", sizeLine(loaded->config)},
                                 {"intendedNotes", told.intended}})
                    << '\n';
    } else {
        if (told.intended > 0) {
            console.out << intendedLine(told.intended) << '\n';
        }
        console.out << sizeLine(loaded->config) << '\n';
    }
    const bool fails = told.mistakes > 0 || (invocation.strict && !told.shown.empty());
    return fails ? ExitFailure : ExitSuccess;
}

bool passesCheck(const std::string& source, const Configuration& config,
                 const ConfigurationLabels& labels, const Invocation& invocation,
                 const Console& console) {
    const Told told = toldFindings(config, labels);
    for (const Finding& finding : told.shown) {
        console.warning(source + ": " + findingLine(finding, labels));
    }
    if (invocation.strict && !told.shown.empty()) {
        console.error(source + ": --strict: nothing written, as check found " +
                      std::to_string(told.shown.size()) +
                      (told.shown.size() == 1 ? " problem" : " problems"));
        return false;
    }
    return true;
}

int cardCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices) {
    const auto [source, loaded] = openSource(invocation, 0, console, devices);
    if (!loaded) {
        return ExitFailure;
    }
    warnWhenNoRoomToEdit(source, loaded->config, console);
    const std::string page = controlCard(
        loaded->config, loaded->settings, loaded->labels,
        invocation.devices.empty() ? utf8Text(pathFromUtf8(source).filename()) : source);
    return writeTextOutput(invocation, page, console) ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
