#pragma once

#include "model/Result.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The window programs' command line, read before Qt starts: Qt needs a
// display to start at all, and --help or a mistyped option must be answered
// without one.
namespace vantrel {

/// An option of one program that takes a value ("--log FILE"); it may be
/// given more than once.
struct ProgramOption {
    const char* name;      ///< with its dashes: "--log"
    const char* valueName; ///< "FILE"
    const char* help;      ///< what it does, lines after the first indented for --help
};

/// What sets one window program apart from the others.
struct ProgramIdentity {
    const char* name;          ///< the executable, and the application's name (X11's WM_CLASS)
    const char* desktopFileId; ///< its desktop entry without ".desktop" (Wayland's app ID)
    const char* description;   ///< one sentence for --help
    /// The program's own options with values; none for the configuration
    /// programs.
    std::span<const ProgramOption> options = {};
    /// True when a FILE word opens a configuration after the start-up.
    bool opensFile = true;
};

/// What can be wrong with a window program's words.
enum class ProgramUsageError {
    None,
    Unexpected,    ///< detail: a word, where the program opens no file
    SecondFile,    ///< a FILE after the one to open
    NeedsValue,    ///< detail: the option the words end after
    UnknownOption, ///< detail: the word
};

using ProgramUsageResult = Result<ProgramUsageError>;

/// What is wrong, as the program says it before its usage line.
[[nodiscard]] std::string programUsageErrorWords(const ProgramUsageResult& error);

struct ProgramArguments {
    bool help = false;
    bool version = false;
    std::optional<std::string> file; ///< a configuration to open at the start-up
    /// The program's own options' values, by the option's name, in the order
    /// given.
    std::map<std::string, std::vector<std::string>> values;

    /// The values given for `option`; none when it was not given.
    [[nodiscard]] std::vector<std::string> valuesOf(const std::string& option) const;
};

using ParsedProgramArguments = Expected<ProgramArguments, ProgramUsageError>;

/// Reads the arguments after the program's name. Qt's own options
/// ("-platform xcb", "-style=fusion", ...) are let through for Qt to read.
[[nodiscard]] ParsedProgramArguments parseProgramArguments(std::span<const std::string> args,
                                                           const ProgramIdentity& program);

/// Prints the help, the version or the usage error, and returns the exit
/// status; nothing when the program should go on and open its window.
[[nodiscard]] std::optional<int> answerWithoutWindow(const ParsedProgramArguments& parsed,
                                                     const ProgramIdentity& program,
                                                     std::ostream& out, std::ostream& err);

} // namespace vantrel
