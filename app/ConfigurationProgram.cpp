#include "app/ConfigurationProgram.h"

#include "generated/BuildConfig.h"
#include "windows/controls/CaptionFit.h"
#include "windows/frmMain/DistributionVolume.h"
#include "windows/frmStatus/StatusProgress.h"

#include <QApplication>

namespace vantrel {

void nameApplication(const char* programName) {
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel"));
    QCoreApplication::setApplicationName(QString::fromLatin1(programName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(build::Version));
}

ConfigurationProgram::ConfigurationProgram(HidAccess& hid)
    : editors_(config_, messages_) {
    MainWindowServices services{
        hid,
        messages_,
        fileDialogs_,
        programExit_,
        editors_,
        [](QWidget& owner) { return std::make_unique<StatusProgress>(&owner); },
        [this] {
            // Created on first use, then only shown and hidden; no owner.
            if (!about_) {
                about_ = std::make_unique<frmAbout>();
            }
            about_->exec();
        },
        currentVolumeLabel};
    window_ = std::make_unique<frmMain>(config_, services);
    messages_.setOwner(window_.get());
    fileDialogs_.setOwner(window_.get());
    editors_.setOwner(window_.get());

    // Every window, message box included, uses the font that fits the main
    // window's captions.
    QApplication::setFont(fitCaptionFont(*window_, QApplication::font()));
}

bool ConfigurationProgram::start() {
    if (!window_->Form_Load()) {
        return false;
    }
    window_->show();
    return true;
}

int runConfigurationProgram(HidAccess& hid) {
    ConfigurationProgram program(hid);
    if (!program.start()) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace vantrel
