#include "Commands.h"

#include "CheckCommand.h"
#include "CommandLine.h"
#include "DeviceCommands.h"
#include "FileCommands.h"

#ifndef VANTREL_VERSION
#define VANTREL_VERSION "unknown"
#endif

namespace vantrel::cli {
namespace {

int runDeviceCommand(const Invocation& invocation, const Console& console,
                     const DeviceBackendFactory& devices) {
    std::string error;
    const std::unique_ptr<DeviceBackend> backend = devices(invocation.device, error);
    if (!backend) {
        console.error(error);
        return ExitFailure;
    }
    if (invocation.command == "read") {
        return readCommand(invocation, console, *backend);
    }
    if (invocation.command == "write") {
        return writeCommand(invocation, console, *backend);
    }
    return devicesCommand(invocation, console, *backend);
}

} // namespace

int runVantrelctl(std::span<const std::string> args, const Console& console,
                  const DeviceBackendFactory& devices) {
    const ParsedCommandLine parsed = parseCommandLine(args);
    const Invocation& invocation = parsed.invocation;
    if (!parsed.ok()) {
        console.error(parsed.usageError);
        console.err << "Try 'vantrelctl --help'.\n";
        return ExitUsage;
    }
    if (invocation.help) {
        console.out << usageText();
        return ExitSuccess;
    }
    if (invocation.version) {
        console.out << "vantrelctl " << VANTREL_VERSION << '\n';
        return ExitSuccess;
    }
    if (invocation.command == "show") {
        return showCommand(invocation, console);
    }
    if (invocation.command == "export") {
        return exportCommand(invocation, console);
    }
    if (invocation.command == "import") {
        return importCommand(invocation, console);
    }
    if (invocation.command == "diff") {
        return diffCommand(invocation, console);
    }
    if (invocation.command == "check") {
        return checkCommand(invocation, console);
    }
    if (invocation.command == "card") {
        return cardCommand(invocation, console);
    }
    return runDeviceCommand(invocation, console, devices);
}

} // namespace vantrel::cli
