#pragma once

#include "device/Transfer.h"
#include "userinterface/UserInterface.h"

#include <string>

namespace vantrel {

/// Tells the user how a transfer of the main window ended: its success
/// message, or the one failure message each kind of ending has, titled with
/// `caption` (the main window's current caption) where the failure is the
/// transfer's own.
void tellTransferResult(MessagePrompter& messages, TransferDirection direction,
                        const TransferResult& result, const std::string& caption);

} // namespace vantrel
