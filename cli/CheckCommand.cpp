#include "cli/CheckCommand.h"

#include "cli/FileCommands.h"
#include "files/AtomicFile.h"
#include "files/PathText.h"
#include "files/UserInterface.h"
#include "model/ConfigurationFindings.h"
#include "reports/ControlCard.h"

#include <filesystem>

namespace vantrel::cli {

int checkCommand(const Invocation& invocation, const Console& console) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Warn);
    if (!loaded) {
        return ExitTrouble;
    }
    const std::vector<Finding> findings = configurationFindings(loaded->config);
    for (const Finding& finding : findings) {
        console.out << describeFinding(finding, loaded->labels) << '\n';
    }
    console.out << sizeLine(loaded->config) << '\n';
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

int cardCommand(const Invocation& invocation, const Console& console) {
    const std::string& source = invocation.operands.at(0);
    const auto loaded = openConfiguration(source, console, Partial::Warn);
    if (!loaded) {
        return ExitFailure;
    }
    warnWhenNoRoomToEdit(source, loaded->config, console);
    const std::string page = controlCard(loaded->config, loaded->settings, loaded->labels,
                                         utf8Text(pathFromUtf8(source).filename()));
    return writeTextOutput(invocation, page, console) ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
