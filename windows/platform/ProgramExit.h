#pragma once

// Ending the program, behind an interface so that a window that decides to
// end everything (no device attached, say) can be tested without dying.
namespace vantrel {

class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    /// Ends the program at once: no further event is handled and no window
    /// gets the chance to close itself first.
    virtual void endProgram() = 0;

protected:
    ProgramExit() = default;
    ProgramExit(const ProgramExit&) = default;
    ProgramExit& operator=(const ProgramExit&) = default;
};

} // namespace vantrel
