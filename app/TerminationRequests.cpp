#include "app/TerminationRequests.h"

#include <QApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace vantrel {

#ifdef Q_OS_UNIX
namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end and ends itself, outside the handler.
std::array<int, 2> wakeUp{-1, -1};

extern "C" void requestEnd(int /*signal*/) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[0], &byte, 1);
}

/// Ends the program's event loops. A modal window (a message box waiting
/// for OK, a dialog) runs a loop of its own, possibly before the main loop
/// has started, so it is closed as its close button would (OK, Cancel);
/// the attempt repeats until the main loop has ended the program.
void endEventLoops() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
    }
    // exit(), not quit(): quit() first closes the windows, and the main
    // window's close asks about unsaved changes.
    QCoreApplication::exit(0);
}

void handleTerminationRequests(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

void endOnTerminationRequests() {
    if (wakeUp[0] != -1 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp.data()) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, qApp);
    auto* retry = new QTimer(qApp);
    retry->setInterval(100);
    QObject::connect(retry, &QTimer::timeout, qApp, endEventLoops);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier, retry] {
        notifier->setEnabled(false);
        // A second request ends the program at once, should a window refuse
        // to close (a question without Cancel).
        handleTerminationRequests(SIG_DFL);
        endEventLoops();
        retry->start();
    });
    handleTerminationRequests(requestEnd);
}
#else
void endOnTerminationRequests() {}
#endif

} // namespace vantrel
