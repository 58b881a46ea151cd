#include "files/modFiles.h"

#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "model/DeviceImage.h"
#include "userinterface/ImageLoadMessage.h"

#include <system_error>
#include <utility>

namespace vantrel {
namespace {

constexpr const char* DefaultFileName = "Config.cfg";
constexpr const char* SaveTitle = "Save File";
constexpr const char* OpenTitle = "Open File";
constexpr const char* AllFilesName = "All Files (*.*)";
constexpr const char* AllFilesPattern = "*.*";

constexpr const char* SaveChangesQuestion =
    "The current configuration has changed.\r\nDo you want to save the changes?";

FileDialogRequest dialogRequest(const char* title, const std::filesystem::path& folder,
                                std::string initialName, bool confirmOverwrite) {
    FileDialogRequest request;
    request.title = title;
    request.folder = utf8Text(folder);
    request.initialName = std::move(initialName);
    request.filterName = AllFilesName;
    request.filterPattern = AllFilesPattern;
    request.confirmOverwrite = confirmOverwrite;
    return request;
}

} // namespace

modFiles::modFiles(Configuration& config, DeviceSettings& settings, MessagePrompter& messages,
                   FileDialogs& dialogs, std::function<std::filesystem::path()> currentFolder,
                   ReadableFormReader readableForm)
    : config_(config)
    , settings_(settings)
    , messages_(messages)
    , dialogs_(dialogs)
    , currentFolder_(std::move(currentFolder))
    , readableForm_(std::move(readableForm)) {}

std::filesystem::path modFiles::defaultCurrentFolder() {
    // A folder that has been removed under us leaves the dialogs to pick
    // their own starting place rather than failing the command.
    std::error_code error;
    std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::filesystem::path() : folder;
}

bool modFiles::querySaveChanges() {
    if (!config_.ConfigChanged) {
        return false;
    }
    switch (messages_.showMessage(SaveChangesQuestion, MainWindowCaption, MessageIcon::None,
                                  MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return !saveConfiguration();
    case MessageAnswer::No:
        return false;
    case MessageAnswer::Ok:
    case MessageAnswer::Cancel:
        break;
    }
    return true;
}

bool modFiles::saveConfiguration() {
    // Encoding first: a table that cannot fit the layout is refused before
    // the user is asked for a name, and nothing is written.
    DeviceImage image{};
    if (!buildDeviceImage(image, config_, settings_)) {
        messages_.showMessage(SizeLimitText, ApplicationTitle, MessageIcon::Exclamation,
                              MessageButtons::Ok);
        return false;
    }

    const std::filesystem::path folder = currentFolder_();
    std::string initialName = config_.ConfigFileName;
    if (initialName.empty()) {
        initialName = utf8Text(folder / DefaultFileName);
    }
    const std::optional<std::string> chosen =
        dialogs_.getSaveFileName(dialogRequest(SaveTitle, folder, std::move(initialName), true));
    if (!chosen) {
        return false;
    }
    config_.ConfigFileName = *chosen;

    if (!writeConfigurationFile(pathFromUtf8(config_.ConfigFileName), image).ok()) {
        messages_.showMessage(SaveFailedText, MainWindowCaption, MessageIcon::Stop,
                              MessageButtons::Ok);
        return false;
    }
    config_.ConfigChanged = false;
    return true;
}

bool modFiles::openConfiguration() {
    openReplaced_ = false;
    openedLabels_ = {};
    const std::optional<std::string> chosen = dialogs_.getOpenFileName(
        dialogRequest(OpenTitle, currentFolder_(), config_.ConfigFileName, false));
    if (!chosen) {
        return false;
    }
    config_.ConfigFileName = *chosen;

    const std::filesystem::path path = pathFromUtf8(config_.ConfigFileName);
    if (readableForm_) {
        if (const std::optional<ReadableFormRead> read = readableForm_(path)) {
            return openReadableForm(*read);
        }
    }
    Expected<DeviceImage, FileError> read = readConfigurationFile(path);
    if (read.kind() == FileError::TooLong) {
        messages_.showMessage(FileTooLongText, MainWindowCaption, MessageIcon::Stop,
                              MessageButtons::Ok);
        return true;
    }
    if (!read.ok()) {
        messages_.showMessage(OpenFailedText, MainWindowCaption, MessageIcon::Stop,
                              MessageButtons::Ok);
        return false;
    }

    const ImageLoadResult result = loadDeviceImage(read.value(), config_, settings_);
    openReplaced_ = result != ImageLoadResult::InvalidImage;
    const ImageLoadMessage message = imageLoadMessage(result, ImageOrigin::File);
    if (message.text != nullptr) {
        messages_.showMessage(message.text, message.title, message.icon, MessageButtons::Ok);
    }
    if (result == ImageLoadResult::SettingsFailed) {
        // What the decoder already replaced stays; the work is no longer
        // what the file holds, so ConfigChanged is left as it was.
        return false;
    }
    config_.ConfigChanged = false;
    return true;
}

bool modFiles::openReadableForm(const ReadableFormRead& read) {
    // A mistake anywhere in the document leaves everything as it was: the
    // reader checks the whole document before anything is put in place.
    if (!read.ok()) {
        messages_.showMessage(readableFormMistakeText(read.detail()), MainWindowCaption,
                              MessageIcon::Stop, MessageButtons::Ok);
        return false;
    }
    const ReadableConfiguration& document = read.value();
    config_.InputMacros = document.config.InputMacros;
    config_.RotaryKeys = document.config.RotaryKeys;
    settings_ = document.settings;
    openedLabels_ = document.labels;
    openReplaced_ = true;
    config_.ConfigChanged = false;
    return true;
}

} // namespace vantrel
