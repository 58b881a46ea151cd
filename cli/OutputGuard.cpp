#include "cli/OutputGuard.h"

#include "device/DeviceLock.h"
#include "device/selection/DeviceSelection.h"
#include "files/PathText.h"
#include "model/EchoedText.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::cli {
namespace {

/// A file a command reads, writes or stands on: by name, or by what it is
/// for a standard stream; `words` is how a message names it.
struct GuardedFile {
    std::string words;
    std::string path;
    std::optional<FileIdentity> identity;
};

bool same(const GuardedFile& a, const GuardedFile& b) {
    if (a.identity && b.identity) {
        return *a.identity == *b.identity;
    }
    if (a.identity) {
        return isFile(pathFromUtf8(b.path), *a.identity);
    }
    if (b.identity) {
        return isFile(pathFromUtf8(a.path), *b.identity);
    }
    return sameFile(pathFromUtf8(a.path), pathFromUtf8(b.path));
}

bool readsStandardInput(const Invocation& invocation) {
    const auto dash = [](const std::vector<std::string>& files) {
        return std::ranges::find(files, "-") != files.end();
    };
    return dash(invocation.operands) || dash(invocation.configs) || dash(invocation.events);
}

/// Every named file the command reads, and the files an emulated device
/// stands on.
std::vector<GuardedFile> namedInputsOf(const Invocation& invocation) {
    std::vector<GuardedFile> inputs;
    for (const auto* files : {&invocation.operands, &invocation.configs, &invocation.events}) {
        for (const std::string& file : *files) {
            if (file != "-") {
                inputs.push_back({"the input " + echoedPath(file), file, {}});
            }
        }
    }
    for (const std::string& device : invocation.devices) {
        if (device.starts_with(EmulatedPrefix)) {
            const std::string memory = device.substr(EmulatedPrefix.size());
            inputs.push_back(
                {"the emulated device's memory file " + echoedPath(memory), memory, {}});
            const std::string lock = utf8Text(emulatorLockFile(pathFromUtf8(memory)).path);
            inputs.push_back({"the emulated device's lock file " + echoedPath(lock), lock, {}});
        }
    }
    return inputs;
}

std::vector<GuardedFile> namedOutputsOf(const Invocation& invocation) {
    std::vector<GuardedFile> outputs;
    if (invocation.output && *invocation.output != "-") {
        outputs.push_back({"-o " + echoedPath(*invocation.output), *invocation.output, {}});
    }
    if (invocation.backup) {
        outputs.push_back({"--backup " + echoedPath(*invocation.backup), *invocation.backup, {}});
    }
    return outputs;
}

std::string refusalLine(const GuardedFile& output, const GuardedFile& input) {
    return output.words + " is the same file as " + input.words +
           "; give the output a name of its own";
}

/// The refusal of the first output that is one of `inputs`; empty when
/// none is.
std::string firstOverlap(const std::vector<GuardedFile>& outputs,
                         const std::vector<GuardedFile>& inputs) {
    for (const GuardedFile& output : outputs) {
        for (const GuardedFile& input : inputs) {
            if (same(output, input)) {
                return refusalLine(output, input);
            }
        }
    }
    return {};
}

} // namespace

StandardFiles standardFilesOfProcess() {
    return {regularFileOn(0), regularFileOn(1), regularFileOn(2)};
}

OutputRefusal outputOverInput(const Invocation& invocation, const StandardFiles& standard) {
    std::vector<GuardedFile> inputs = namedInputsOf(invocation);
    // Standard input is no named output's to replace, read or not.
    std::vector<GuardedFile> namedOutputInputs = inputs;
    if (standard.in) {
        const GuardedFile standardInput{"standard input", {}, standard.in};
        namedOutputInputs.push_back(standardInput);
        if (readsStandardInput(invocation)) {
            inputs.push_back(standardInput);
        }
    }
    if (std::string line = firstOverlap(namedOutputsOf(invocation), namedOutputInputs);
        !line.empty()) {
        return {OutputClash::NamedOutput, line};
    }
    // Standard output and error take part only as the files they are: a
    // command appended to its own input or device would grow it while it
    // reads.
    if (standard.out) {
        if (std::string line = firstOverlap({{"standard output", {}, standard.out}}, inputs);
            !line.empty()) {
            return {OutputClash::StandardOutput, line};
        }
    }
    if (standard.err) {
        if (std::string line = firstOverlap({{"standard error", {}, standard.err}}, inputs);
            !line.empty()) {
            return {OutputClash::StandardError, line};
        }
    }
    return {};
}

} // namespace vantrel::cli
