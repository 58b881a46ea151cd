#include "ConfigurationProgram.h"

#include "CaptionFit.h"
#include "DistributionVolume.h"
#include "NoAssignmentEditors.h"
#include "QtProgramExit.h"
#include "StatusProgress.h"
#include "WindowOwnedDialogs.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <memory>

namespace vantrel {

void nameApplication(const char* programName) {
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel"));
    QCoreApplication::setApplicationName(QString::fromLatin1(programName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
}

int runConfigurationProgram(HidAccess& hid) {
    Configuration config;
    WindowOwnedPrompter messages;
    WindowOwnedFileDialogs fileDialogs;
    QtProgramExit programExit;
    NoAssignmentEditors editors;
    std::unique_ptr<frmAbout> about;

    MainWindowServices services{
        hid,
        messages,
        fileDialogs,
        programExit,
        editors,
        [](QWidget& owner) { return std::make_unique<StatusProgress>(&owner); },
        [&about] {
            // Created on first use, then only shown and hidden; no owner.
            if (!about) {
                about = std::make_unique<frmAbout>();
            }
            about->exec();
        },
        currentVolumeLabel};
    frmMain window(config, services);
    messages.setOwner(&window);
    fileDialogs.setOwner(&window);

    // Every window, message box included, uses the font that fits the main
    // window's captions.
    QApplication::setFont(fitCaptionFont(window, QApplication::font()));

    if (!window.Form_Load()) {
        return 0;
    }
    window.show();
    return QApplication::exec();
}

} // namespace vantrel
