#include "app/ProgramMain.h"

#include "app/DisplayConnection.h"
#include "app/ShownWindowReport.h"
#include "app/TerminationRequests.h"
#include "generated/BuildConfig.h"

#include <QApplication>
#include <QIcon>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {
namespace {

/// The icon's name in the desktop's icon theme, as the package installs it.
constexpr const char* IconName = "org.vantrel.Config";

} // namespace

void nameApplication(const ProgramIdentity& program) {
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel"));
    QCoreApplication::setApplicationName(QString::fromLatin1(program.name));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(build::Version));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(program.desktopFileId));
    // No display name: Qt would append it to every window title, and the
    // titles are the program's own. The theme's icon follows the desktop's
    // style; the built-in copy serves where the icon is not installed.
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(IconName),
                                                 QIcon(QStringLiteral(":/icons/program.png"))));
}

int programMain(int argc, char** argv, const ProgramIdentity& program,
                const std::function<int(const ProgramArguments& arguments)>& run) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedProgramArguments arguments = parseProgramArguments(args, program);
    if (const auto status = answerWithoutWindow(arguments, program, std::cout, std::cerr)) {
        return *status;
    }
    const std::unique_ptr<QApplication> application = openDisplayOrExit(argc, argv, program.name);
    nameApplication(program);
    reportShownWindowsWhenAsked();
    endOnTerminationRequests();
    return run(arguments.value());
}

} // namespace vantrel
