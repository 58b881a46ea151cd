#pragma once

#include "files/SameFile.h"
#include "model/EchoedText.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace vantrel::cli {

/// Exit statuses of the tool.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, ///< diff: the configurations differ; check: something was found
    /// A usage error; and for diff and check, which answer with 1, trouble:
    /// a file that cannot be opened or compared (as diff(1) uses 2).
    ExitTrouble = 2,
};

/// Standard input, output and error by what they are, where they are
/// regular files; a pipe, a terminal or /dev/null is none.
struct StandardFiles {
    std::optional<FileIdentity> in;
    std::optional<FileIdentity> out;
    std::optional<FileIdentity> err;
};

/// Where the tool's output goes.
struct Console {
    Console(std::ostream& output, std::ostream& errors, bool errorsOnTerminal = false)
        : out(output)
        , err(errors)
        , errIsTerminal(errorsOnTerminal) {}

    std::ostream& out;
    std::ostream& err;
    /// Standard error is a terminal, so progress may redraw one line.
    bool errIsTerminal = false;
    /// Standard input, for "-" as a file; none in a run that has no input.
    std::istream* in = nullptr;
    bool inIsTerminal = false;
    bool outIsTerminal = false;
    /// Which files the standard streams are, so that no output replaces an
    /// input through them; none in a run that is no process of its own.
    StandardFiles standardFiles;
    /// Leave out progress and success lines: only results and errors.
    bool quiet = false;
    /// Put before every error and success line ("usb:2: "), so that the
    /// lines of one device among several can be told apart.
    std::string subject;
    /// Where the live monitor finds the encoders' input event devices: the
    /// system's sysfs and event nodes, or trees a test gives.
    std::filesystem::path sysfsRoot = "/sys";
    std::filesystem::path inputRoot = "/dev/input";
    /// Where learn keeps what each device held before it wrote the probe.
    std::filesystem::path backupFolder = ".";

    // Every line below echoes names from outside (files, devices, values
    // in a document); what would drive the terminal is shown escaped.

    /// Tells the user what went wrong, as one line on standard error.
    void error(const std::string& message) const {
        err << "vantrelctl: " << escapedText(subject + message, true) << '\n';
    }
    void warning(const std::string& message) const {
        err << "vantrelctl: warning: " << escapedText(subject + message, true) << '\n';
    }
    /// Reports a success on standard output, unless told to be quiet.
    void success(const std::string& line) const {
        if (!quiet) {
            out << escapedText(subject + line, true) << '\n';
        }
    }
};

} // namespace vantrel::cli
