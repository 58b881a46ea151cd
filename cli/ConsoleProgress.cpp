#include "ConsoleProgress.h"

#include <charconv>

namespace vantrel::cli {
namespace {

constexpr int BarWidth = 30;

/// The number in "<words> - <N>%".
std::optional<int> percentOf(std::string_view line) {
    const std::size_t dash = line.rfind(" - ");
    if (dash == std::string_view::npos || !line.ends_with('%')) {
        return std::nullopt;
    }
    const std::string_view digits = line.substr(dash + 3, line.size() - dash - 4);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0 || value > 100) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<TransferStatus> parseTransferStatus(std::string_view text) {
    const std::size_t lineBreak = text.find("\r\n");
    if (lineBreak == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view first = text.substr(0, lineBreak);
    const auto configuration = percentOf(first);
    const auto data = percentOf(text.substr(lineBreak + 2));
    const std::size_t space = first.find(' ');
    if (!configuration || !data || space == std::string_view::npos) {
        return std::nullopt;
    }
    return TransferStatus{std::string(first.substr(0, space)), *configuration, *data};
}

void ConsoleProgress::show() {
    barDrawn_ = false;
    lastTenth_ = -1;
}

void ConsoleProgress::SetStatus(const std::string& text) {
    const std::optional<TransferStatus> status = parseTransferStatus(text);
    if (!status) {
        return;
    }
    if (console_.errIsTerminal) {
        drawBar(*status);
    } else {
        printLine(*status);
    }
}

void ConsoleProgress::remove() {
    if (barDrawn_) {
        console_.err << '\n' << std::flush;
    }
    barDrawn_ = false;
}

void ConsoleProgress::drawBar(const TransferStatus& status) {
    const int filled = status.dataPercent * BarWidth / 100;
    console_.err << '\r' << status.verb << " ["
                 << std::string(static_cast<std::size_t>(filled), '#')
                 << std::string(static_cast<std::size_t>(BarWidth - filled), '-') << "] "
                 << status.dataPercent << "%  " << std::flush;
    barDrawn_ = true;
}

void ConsoleProgress::printLine(const TransferStatus& status) {
    const int tenth = status.dataPercent / 10;
    if (tenth > lastTenth_) {
        console_.err << status.verb << ": " << status.dataPercent << "%\n" << std::flush;
        lastTenth_ = tenth;
    }
}

} // namespace vantrel::cli
