#pragma once

#include "Console.h"
#include "UserInterface.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::cli {

/// What a transfer's two-line status text says: "Writing configuration -
/// 33%" / "Writing data - 0%".
struct TransferStatus {
    std::string verb; ///< "Writing" or "Reading"
    int configurationPercent = 0;
    int dataPercent = 0;
};

/// Reads a status text; nothing when it is not in the transfers' form.
[[nodiscard]] std::optional<TransferStatus> parseTransferStatus(std::string_view text);

/// The progress of a transfer on standard error: a bar redrawn in place on
/// a terminal, otherwise a plain line at 0 % and at every further tenth, so
/// that a log stays short.
class ConsoleProgress final : public ProgressWindow {
public:
    explicit ConsoleProgress(const Console& console)
        : console_(console) {}

    void show() override;
    void SetStatus(const std::string& text) override;
    void remove() override;

private:
    void drawBar(const TransferStatus& status);
    void printLine(const TransferStatus& status);

    const Console& console_;
    bool barDrawn_ = false;
    int lastTenth_ = -1;
};

} // namespace vantrel::cli
