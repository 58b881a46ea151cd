#pragma once

#include "app/AssignmentDialogs.h"
#include "app/ProgramMain.h"
#include "app/WindowOwnedDialogs.h"
#include "device/DeviceLock.h"
#include "device/HidAccess.h"
#include "model/modSettings.h"
#include "windows/frmAbout/frmAbout.h"
#include "windows/frmMain/frmMain.h"
#include "windows/platform/QtProgramExit.h"

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace vantrel {

/// The whole program over one device: the configuration, the main window
/// and every window and prompt it opens, wired as the user meets them.
/// Needs the QApplication to exist.
class ConfigurationProgram {
public:
    /// `lockFile` names the file whose lock keeps other programs off the
    /// device during a transfer; left empty, nothing is locked.
    explicit ConfigurationProgram(HidAccess& hid, DeviceLockFile lockFile = {});
    ConfigurationProgram(const ConfigurationProgram&) = delete;
    ConfigurationProgram& operator=(const ConfigurationProgram&) = delete;

    /// Runs the main window's start-up, opens `file` if given, and shows the
    /// window. False when the start-up ended the program (no device): the
    /// window stays hidden and no file is opened.
    bool start(const std::optional<std::string>& file = std::nullopt,
               std::ostream& diagnostics = std::cerr);

    /// Opens the file the program was handed (by a file manager, or on the
    /// command line), read by its content: a device image as File > Open
    /// would after the user chose it; the readable form with its labels, as
    /// an unchanged configuration with no file name, so that Save never
    /// writes an image over it. What went wrong is also told on
    /// `diagnostics`, with the file's name and the reason.
    void open(const std::string& path, std::ostream& diagnostics = std::cerr);

    [[nodiscard]] frmMain& window() { return *window_; }
    [[nodiscard]] Configuration& configuration() { return config_; }

private:
    void openAsImage(const std::string& path);
    /// The program's name, as it begins each line on standard error.
    [[nodiscard]] static std::string programName();

    Configuration config_;
    WindowOwnedPrompter messages_;
    WindowOwnedFileDialogs fileDialogs_;
    QtProgramExit programExit_;
    AssignmentDialogs editors_;
    std::unique_ptr<frmAbout> about_;
    std::unique_ptr<frmMain> window_;
};

/// Builds the program over `hid`, starts it and, unless the start-up ended
/// it, opens `file` if given and runs the event loop. Returns the exit code
/// of the loop.
int runConfigurationProgram(HidAccess& hid, DeviceLockFile lockFile,
                            const std::optional<std::string>& file);

} // namespace vantrel
