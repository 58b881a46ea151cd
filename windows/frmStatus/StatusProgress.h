#pragma once

#include "device/TransferProgress.h"
#include "windows/frmStatus/frmStatus.h"

#include <QPointer>
#include <QWidget>

namespace vantrel {

/// The progress window of a transfer as frmStatus over the main window.
class StatusProgress : public TransferObserver {
public:
    /// `owner` is the window the progress window stays above.
    explicit StatusProgress(QWidget* owner);
    ~StatusProgress() override;
    StatusProgress(const StatusProgress&) = delete;
    StatusProgress& operator=(const StatusProgress&) = delete;

    /// Shows the window, modeless, creating it with "Initializing..." unless
    /// a status already created it.
    void show();
    /// Creates the window (hidden) if there is none yet, then sets its text
    /// to the progress in words.
    void update(const TransferProgress& progress) override;
    /// Deletes the window; the next use starts afresh.
    void remove();

    /// The window while it exists, else null.
    [[nodiscard]] frmStatus* window() const { return window_.data(); }

private:
    frmStatus& ensureWindow();

    QPointer<QWidget> owner_;
    QPointer<frmStatus> window_;
};

} // namespace vantrel
