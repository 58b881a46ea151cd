#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

// The window programs' command line, read before Qt starts: Qt needs a
// display to start at all, and --help or a mistyped option must be answered
// without one.
namespace vantrel {

/// What sets one window program apart from the other.
struct ProgramIdentity {
    const char* name;          ///< the executable, and the application's name (X11's WM_CLASS)
    const char* desktopFileId; ///< its desktop entry without ".desktop" (Wayland's app ID)
    const char* description;   ///< one sentence for --help
};

struct ProgramArguments {
    bool help = false;
    bool version = false;
    std::optional<std::string> file; ///< a configuration to open at the start-up
    std::string usageError;          ///< empty when the words are valid
};

/// Reads the arguments after the program's name. Qt's own options
/// ("-platform xcb", "-style=fusion", ...) are let through for Qt to read.
[[nodiscard]] ProgramArguments parseProgramArguments(std::span<const std::string> args);

/// Prints the help, the version or the usage error, and returns the exit
/// status; nothing when the program should go on and open its window.
[[nodiscard]] std::optional<int> answerWithoutWindow(const ProgramArguments& arguments,
                                                     const ProgramIdentity& program,
                                                     std::ostream& out, std::ostream& err);

} // namespace vantrel
