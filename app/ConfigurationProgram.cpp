#include "app/ConfigurationProgram.h"

#include "app/ReadableFormFile.h"
#include "files/PathText.h"
#include "formats/ConfigurationSource.h"
#include "generated/BuildConfig.h"
#include "userinterface/UserInterface.h"
#include "windows/controls/CaptionFit.h"
#include "windows/frmMain/DistributionVolume.h"

#include <QApplication>
#include <iostream>
#include <memory>
#include <ostream>
#include <string>

namespace vantrel {

ConfigurationProgram::ConfigurationProgram(HidAccess& hid, DeviceLockFile lockFile)
    : editors_(config_, messages_) {
    MainWindowServices services{hid,
                                messages_,
                                fileDialogs_,
                                programExit_,
                                editors_,
                                [this] {
                                    // Created on first use, then only shown and hidden; no owner.
                                    if (!about_) {
                                        about_ = std::make_unique<frmAbout>();
                                    }
                                    about_->exec();
                                },
                                currentVolumeLabel,
                                std::move(lockFile),
                                readReadableFormFile};
    window_ = std::make_unique<frmMain>(config_, services);
    messages_.setOwner(window_.get());
    fileDialogs_.setOwner(window_.get());
    editors_.setOwner(window_.get());

    // Every window, message box included, uses the font that fits the main
    // window's captions.
    QApplication::setFont(fitCaptionFont(*window_, QApplication::font()));
}

bool ConfigurationProgram::start(const std::optional<std::string>& file,
                                 std::ostream& diagnostics) {
    if (!window_->Form_Load()) {
        return false;
    }
    if (file) {
        open(*file, diagnostics);
    }
    window_->show();
    return true;
}

void ConfigurationProgram::open(const std::string& path, std::ostream& diagnostics) {
    const ConfigurationRead read = loadConfiguration(pathFromUtf8(path));
    if (formRead(read) != ConfigurationForm::Json) {
        if (formRead(read) == ConfigurationForm::Unread) {
            // The box File > Open shows says nothing of the file or why.
            diagnostics << programName() << ": " << configurationFailureLine(read.failure())
                        << "\n";
        }
        openAsImage(path);
        return;
    }
    if (!read.ok()) {
        const std::string why = configurationFailureLine(read.failure());
        diagnostics << programName() << ": " << OpenFailedText << ": " << why << "\n";
        messages_.showMessage(readableFormMistakeText(why), MainWindowCaption, MessageIcon::Stop,
                              MessageButtons::Ok);
        return;
    }
    const LoadedConfiguration& loaded = read.value();
    window_->showImportedConfiguration(loaded.config, loaded.settings, loaded.labels);
}

void ConfigurationProgram::openAsImage(const std::string& path) {
    fileDialogs_.answerNextOpen(path);
    window_->mnuOpen_Click();
}

std::string ConfigurationProgram::programName() {
    return QCoreApplication::applicationName().toStdString();
}

int runConfigurationProgram(HidAccess& hid, DeviceLockFile lockFile,
                            const std::optional<std::string>& file) {
    ConfigurationProgram program(hid, std::move(lockFile));
    if (!program.start(file, std::cerr)) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace vantrel
