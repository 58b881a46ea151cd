#pragma once

#include "windows/platform/ProgramExit.h"

namespace vantrel {

/// Ends the process on the spot. Leaving the event loop would not do: the
/// decision can come before the loop runs, and code after the call would
/// go on.
class QtProgramExit : public ProgramExit {
public:
    [[noreturn]] void endProgram() override;
};

} // namespace vantrel
