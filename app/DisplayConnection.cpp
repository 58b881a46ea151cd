#include "app/DisplayConnection.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vantrel {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// Qt reports a missing display from inside the QApplication constructor, so
// what it says meanwhile can only be caught by a message handler, which is
// a plain function: these live only while the constructor runs.
const char* startingProgram = nullptr;
std::vector<HeldMessage>* heldMessages = nullptr;

/// Qt's reason in one line: what the platform plugin said (such as "could
/// not connect to display :99"), else the first line of the fatal message.
QString reasonFrom(const QString& fatal) {
    for (const HeldMessage& held : *heldMessages) {
        if (held.category.starts_with("qt.qpa")) {
            return held.text.section(QLatin1Char('\n'), 0, 0).trimmed();
        }
    }
    return fatal.section(QLatin1Char('\n'), 0, 0).trimmed();
}

void holdWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages->push_back({type, context.category != nullptr ? context.category : "", text});
        return;
    }
    const std::string line = std::string(startingProgram) +
                             ": no display can be opened: " + reasonFrom(text).toStdString() + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Inside Qt's constructor nothing can be unwound or destroyed safely.
    std::_Exit(1);
}

} // namespace

std::unique_ptr<QApplication> openDisplayOrExit(int& argc, char** argv, const char* programName) {
    std::vector<HeldMessage> held;
    startingProgram = programName;
    heldMessages = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdWhileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    heldMessages = nullptr;
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    return application;
}

} // namespace vantrel
