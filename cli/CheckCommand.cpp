#include "cli/CheckCommand.h"

#include "cli/FileCommands.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"
#include "model/ConfigurationFindings.h"
#include "reports/ControlCard.h"
#include "userinterface/UserInterface.h"

#include <array>
#include <filesystem>
#include <nlohmann/json.hpp>

namespace vantrel::cli {
namespace {

/// The word --json gives each kind of finding, in FindingKind order.
constexpr std::array<std::string_view, 8> FindingWords = {"same-action",
                                                          "same-first-press",
                                                          "stuck-key",
                                                          "unreachable-steps",
                                                          "repeat-without-activation",
                                                          "release-without-press",
                                                          "over-size-limit",
                                                          "no-room-to-edit"};

/// {"finding": "stuck-key", "message": "...", "inputs": [2], "rotaryKeys": []}:
/// inputs numbered from 1 as the windows number them, rotary keys 1 to 4
/// (switch 1 counterclockwise, clockwise, switch 2 counterclockwise, clockwise).
std::string findingJson(const Finding& finding, const ConfigurationLabels& labels) {
    nlohmann::json inputs = nlohmann::json::array();
    nlohmann::json rotaryKeys = nlohmann::json::array();
    for (const ActionSource& source : finding.sources) {
        (source.kind == ActionSource::Kind::Input ? inputs : rotaryKeys)
            .push_back(source.index + 1);
    }
    const nlohmann::json object = {
        {"finding", FindingWords.at(static_cast<std::size_t>(finding.kind))},
        {"message", describeFinding(finding, labels)},
        {"inputs", inputs},
        {"rotaryKeys", rotaryKeys}};
    return object.dump();
}

} // namespace

int checkCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices) {
    const auto loaded = openSource(invocation, 0, console, devices).loaded;
    if (!loaded) {
        return ExitTrouble;
    }
    const std::vector<Finding> findings = configurationFindings(loaded->config);
    for (const Finding& finding : findings) {
        console.out << (invocation.json ? findingJson(finding, loaded->labels)
                                        : describeFinding(finding, loaded->labels))
                    << '\n';
    }
    if (!invocation.json) {
        console.out << sizeLine(loaded->config) << '\n';
    }
    return findings.empty() ? ExitSuccess : ExitFailure;
}

bool passesCheck(const std::string& source, const Configuration& config,
                 const ConfigurationLabels& labels, const Invocation& invocation,
                 const Console& console) {
    const std::vector<Finding> findings = configurationFindings(config);
    for (const Finding& finding : findings) {
        console.warning(source + ": " + describeFinding(finding, labels));
    }
    if (invocation.strict && !findings.empty()) {
        console.error(source + ": --strict: nothing written, as check found " +
                      std::to_string(findings.size()) +
                      (findings.size() == 1 ? " problem" : " problems"));
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
