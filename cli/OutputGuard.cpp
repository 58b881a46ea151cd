#include "cli/OutputGuard.h"

#include "device/selection/DeviceSelection.h"
#include "files/PathText.h"
#include "files/SameFile.h"

#include <utility>
#include <vector>

namespace vantrel::cli {
namespace {

/// A file a command reads, with how a message names it.
struct Input {
    std::string path;
    std::string role;
};

std::vector<Input> inputsOf(const Invocation& invocation) {
    std::vector<Input> inputs;
    for (const std::string& operand : invocation.operands) {
        if (operand != "-") {
            inputs.push_back({operand, "the input"});
        }
    }
    for (const std::string& config : invocation.configs) {
        if (config != "-") {
            inputs.push_back({config, "the input"});
        }
    }
    for (const std::string& device : invocation.devices) {
        if (device.starts_with(EmulatedPrefix)) {
            inputs.push_back(
                {device.substr(EmulatedPrefix.size()), "the emulated device's memory file"});
        }
    }
    return inputs;
}

std::vector<std::pair<std::string, std::string>> outputsOf(const Invocation& invocation) {
    std::vector<std::pair<std::string, std::string>> outputs;
    if (invocation.output && *invocation.output != "-") {
        outputs.emplace_back("-o", *invocation.output);
    }
    if (invocation.backup) {
        outputs.emplace_back("--backup", *invocation.backup);
    }
    return outputs;
}

} // namespace

std::string outputOverInput(const Invocation& invocation) {
    const std::vector<Input> inputs = inputsOf(invocation);
    for (const auto& [option, output] : outputsOf(invocation)) {
        for (const Input& input : inputs) {
            if (sameFile(pathFromUtf8(output), pathFromUtf8(input.path))) {
                std::string refusal = option;
                refusal += " " + output + " is the same file as ";
                refusal += input.role + " " + input.path;
                return refusal + "; give the output a name of its own";
            }
        }
    }
    return {};
}

} // namespace vantrel::cli
