#include "cli/CommandLineText.h"
#include "cli/Commands.h"
#include "cli/OutputGuard.h"
#include "device/selection/DeviceSelection.h"
#include "files/AtomicFile.h"
#include "wiring/WiringBackups.h"

#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#define VANTREL_ISATTY(fd) _isatty(fd)
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#define VANTREL_ISATTY(fd) isatty(fd)
#endif

namespace {

/// Gives a standard stream that was closed at start a stand-in that refuses
/// every write: otherwise the next file opened would take its number, and
/// output meant for the console would land in a configuration file. Lost
/// output then fails the command as any other would.
void holdClosedStandardStreams() {
#ifndef _WIN32
    for (int stream = 0; stream <= 2; ++stream) {
        if (fcntl(stream, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number: the one that is missing.
            open("/dev/null", O_RDONLY);
        }
    }
#endif
}

/// A reader that has gone must not end the tool in the middle of a device
/// transfer: with SIGPIPE ignored a write to a closed pipe only fails, the
/// transfer and its verify finish, and the lost output sets the status.
void surviveClosedPipes() {
#ifndef _WIN32
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace

int main(int argc, char** argv) {
    holdClosedStandardStreams();
    surviveClosedPipes();
    const std::vector<std::string> args = vantrel::cli::utf8Arguments(argc, argv);
    vantrel::cli::printUtf8();
    vantrel::removeTemporaryFileOnInterrupt();
#ifdef _WIN32
    // Configuration files pass through pipes as they are, without the text
    // mode's line-end translation.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    vantrel::cli::Console console(std::cout, std::cerr, VANTREL_ISATTY(2) != 0);
    console.in = &std::cin;
    console.inIsTerminal = VANTREL_ISATTY(0) != 0;
    console.outIsTerminal = VANTREL_ISATTY(1) != 0;
    console.standardFiles = vantrel::cli::standardFilesOfProcess();
    console.backupFolder = vantrel::wiringBackupFolder();
    try {
        return vantrel::cli::runVantrelctl(args, console, vantrel::makeDeviceBackend);
    } catch (const std::bad_alloc&) {
        console.error("not enough memory");
        return vantrel::cli::ExitFailure;
    } catch (const std::exception& error) {
        console.error(std::string("unexpected failure: ") + error.what());
        return vantrel::cli::ExitFailure;
    }
}
