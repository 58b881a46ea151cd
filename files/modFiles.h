#pragma once

#include "files/FileDialogs.h"
#include "files/ReadableForm.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"
#include "userinterface/UserInterface.h"

#include <filesystem>
#include <functional>

// Saving and opening configuration files, and the question that guards every
// command that would throw unsaved changes away.
namespace vantrel {

class modFiles {
public:
    /// `currentFolder` answers the folder the dialogs start in; by default
    /// the process's current directory. Without `readableForm` Open reads
    /// device images only.
    modFiles(Configuration& config, DeviceSettings& settings, MessagePrompter& messages,
             FileDialogs& dialogs,
             std::function<std::filesystem::path()> currentFolder = defaultCurrentFolder,
             ReadableFormReader readableForm = {});

    /// Asks whether to save changed work. True means the caller must abandon
    /// its command (the user cancelled, or chose to save and the save failed).
    bool querySaveChanges();

    /// Runs the Save dialog and writes the file. True when the file was written.
    bool saveConfiguration();

    /// Runs the Open dialog and loads the file into the configuration and the
    /// settings record. True when a file was chosen, whether or not it was
    /// valid. The caller redraws the window afterwards. A file that is the
    /// readable form by its content is read as such, before the refusals of
    /// a file that is no device image.
    bool openConfiguration();
    /// True when the last openConfiguration put a file's records into the
    /// configuration, wholly or as far as the decoder got; false when it was
    /// cancelled or the file was refused before anything changed.
    [[nodiscard]] bool openReplacedConfiguration() const { return openReplaced_; }
    /// The labels of the file the last openConfiguration put in place: the
    /// readable form's own, none for a device image.
    [[nodiscard]] const ConfigurationLabels& openedLabels() const { return openedLabels_; }

    static std::filesystem::path defaultCurrentFolder();

private:
    bool openReadableForm(const ReadableFormRead& read);

    Configuration& config_;
    DeviceSettings& settings_;
    MessagePrompter& messages_;
    FileDialogs& dialogs_;
    std::function<std::filesystem::path()> currentFolder_;
    ReadableFormReader readableForm_;
    bool openReplaced_ = false;
    ConfigurationLabels openedLabels_;
};

} // namespace vantrel
