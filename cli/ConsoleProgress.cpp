#include "cli/ConsoleProgress.h"

#include <string>

namespace vantrel::cli {
namespace {

constexpr int BarWidth = 30;

} // namespace

void ConsoleProgress::show() {
    barDrawn_ = false;
    lastTenth_ = -1;
}

void ConsoleProgress::update(const TransferProgress& progress) {
    if (console_.quiet) {
        return;
    }
    if (console_.errIsTerminal) {
        drawBar(progress);
    } else {
        printLine(progress);
    }
}

void ConsoleProgress::remove() {
    if (barDrawn_) {
        console_.err << '\n' << std::flush;
    }
    barDrawn_ = false;
}

void ConsoleProgress::drawBar(const TransferProgress& progress) {
    const int percent = progress.dataPercent();
    const int filled = percent * BarWidth / 100;
    console_.err << '\r' << console_.subject << transferVerb(progress.direction) << " ["
                 << std::string(static_cast<std::size_t>(filled), '#')
                 << std::string(static_cast<std::size_t>(BarWidth - filled), '-') << "] " << percent
                 << "%  " << std::flush;
    barDrawn_ = true;
}

void ConsoleProgress::printLine(const TransferProgress& progress) {
    const int percent = progress.dataPercent();
    const int tenth = percent / 10;
    if (tenth > lastTenth_) {
        console_.err << console_.subject << transferVerb(progress.direction) << ": " << percent
                     << "%\n"
                     << std::flush;
        lastTenth_ = tenth;
    }
}

} // namespace vantrel::cli
