#pragma once

#include "model/modSettings.h"

namespace vantrel {

/// What the device keeps of a record: each sequence up to its first empty
/// step, and the repeat setting only when there is something to repeat.
/// Two records with the same effective macro encode to the same bytes.
[[nodiscard]] InputMacro effectiveMacro(const InputMacro& macro);

/// The number of steps in a sequence: the steps before its first empty one.
[[nodiscard]] int sequenceLength(const InputMacro& macro, int sequence);

/// True when the input sends nothing at all, whatever lies past a gap.
[[nodiscard]] bool isNotUsed(const InputMacro& macro);

} // namespace vantrel
