#include "cli/CommandLineText.h"
#include "cli/Commands.h"
#include "device/DeviceSelection.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#define VANTREL_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define VANTREL_ISATTY(fd) isatty(fd)
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args = vantrel::cli::utf8Arguments(argc, argv);
    vantrel::cli::printUtf8();
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
    try {
        return vantrel::cli::runVantrelctl(args, console, vantrel::makeDeviceBackend);
    } catch (const std::exception& error) {
        console.error(std::string("unexpected failure: ") + error.what());
        return vantrel::cli::ExitFailure;
    }
}
