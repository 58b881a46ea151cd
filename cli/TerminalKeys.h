#pragma once

#include "wiring/WiringTrace.h"

#include <memory>
#include <vector>

// The computer's own keyboard while the panel is being learned: Enter skips
// a control, Backspace goes back, each as soon as it is pressed. The terminal
// is put out of its line mode (and its echo off) while this is alive; Ctrl+C
// still interrupts.
namespace vantrel::cli {

class TerminalKeys {
public:
    /// Reads standard input only when it is a terminal and `active`.
    explicit TerminalKeys(bool active);
    ~TerminalKeys();
    TerminalKeys(const TerminalKeys&) = delete;
    TerminalKeys& operator=(const TerminalKeys&) = delete;
    TerminalKeys(TerminalKeys&&) = delete;
    TerminalKeys& operator=(TerminalKeys&&) = delete;

    /// The keys pressed since last asked, without waiting.
    [[nodiscard]] std::vector<TracedPress> pressed() const;

private:
    bool active_ = false;
    struct Saved;
    std::unique_ptr<Saved> saved_; ///< the terminal's settings before, to restore
};

} // namespace vantrel::cli
