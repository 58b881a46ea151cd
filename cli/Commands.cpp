#include "cli/Commands.h"

#include "cli/CommandHelp.h"
#include "cli/CommandLine.h"
#include "cli/CommandTable.h"
#include "cli/OutputGuard.h"
#include "generated/BuildConfig.h"

namespace vantrel::cli {
namespace {

/// Where a usage error sends the user: the command's own help when there is
/// such a command, else the whole usage.
std::string helpFor(const std::string& command) {
    return findCommand(command) == nullptr ? "--help" : "help " + command;
}

int runCommand(std::span<const std::string> args, const Console& outerConsole,
               const DeviceBackendFactory& devices) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    if (!parsed.ok()) {
        const UsageFailure& failure = parsed.failure();
        outerConsole.error(usageErrorLine(failure, failure.command));
        outerConsole.err << "Try 'vantrelctl " << helpFor(failure.command) << "'.\n";
        return ExitTrouble;
    }
    const Invocation& invocation = parsed.value();
    Console console = outerConsole;
    console.quiet = console.quiet || invocation.quiet;
    if (invocation.help) {
        return helpCommand(invocation, console, devices);
    }
    if (invocation.version) {
        console.out << "vantrelctl " << build::Version << '\n';
        return ExitSuccess;
    }
    if (const OutputRefusal refusal = outputOverInput(invocation, console.standardFiles);
        !refusal.ok()) {
        // Said nowhere when standard error is the file: a line appended to
        // it would damage what the refusal keeps whole.
        if (refusal.kind != OutputClash::StandardError) {
            console.error(refusal.detail);
        }
        return ExitTrouble;
    }
    // The command line was checked against the table: the command is in it.
    return findCommand(invocation.command)->run(invocation, console, devices);
}

/// The status of a command whose output was lost: diff and check answer
/// with 1, so they report it as trouble.
int statusAfterLostOutput(std::span<const std::string> args, int status) {
    if (status != ExitSuccess && status != ExitFailure) {
        return status;
    }
    const ParsedCommandLine parsed = parseCommandLine(args);
    const bool answersWithOne =
        parsed.ok() && (parsed.value().command == "diff" || parsed.value().command == "check");
    return answersWithOne ? ExitTrouble : ExitFailure;
}

} // namespace

int runVantrelctl(std::span<const std::string> args, const Console& console,
                  const DeviceBackendFactory& devices) {
    const int status = runCommand(args, console, devices);
    // Output may wait in a buffer until here: a full disk or a closed pipe
    // shows only now, and a script must not take a lost answer for a good one.
    if (!(console.out << std::flush)) {
        console.error("standard output could not be written");
        return statusAfterLostOutput(args, status);
    }
    // A lost error or progress line is lost output too: whoever reads the
    // status must not take it for a run that said all it had to say.
    if (!(console.err << std::flush)) {
        return statusAfterLostOutput(args, status);
    }
    return status;
}

} // namespace vantrel::cli
