#pragma once

#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "device/selection/DeviceBackend.h"

#include <csignal>

// vantrelctl learn: which input each control of a layout is wired to,
// learnt by asking for the controls one by one on a panel that holds the
// probe, and the layout written again with its controls on those inputs.
namespace vantrel::cli {

/// Set by SIGINT: the session stops and every device gets its backup back.
extern volatile std::sig_atomic_t learnInterrupted;

int learnCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices);

} // namespace vantrel::cli
