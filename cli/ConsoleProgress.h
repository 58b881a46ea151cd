#pragma once

#include "cli/Console.h"
#include "device/TransferProgress.h"

namespace vantrel::cli {

/// The progress of a transfer on standard error: a bar redrawn in place on
/// a terminal, otherwise a plain line at 0 % and at every further tenth, so
/// that a log stays short.
class ConsoleProgress final : public TransferObserver {
public:
    explicit ConsoleProgress(const Console& console)
        : console_(console) {}

    /// Before a transfer: nothing drawn yet.
    void show();
    void update(const TransferProgress& progress) override;
    /// After it: ends a bar drawn in place.
    void remove();

private:
    void drawBar(const TransferProgress& progress);
    void printLine(const TransferProgress& progress);

    const Console& console_;
    bool barDrawn_ = false;
    int lastTenth_ = -1;
};

} // namespace vantrel::cli
