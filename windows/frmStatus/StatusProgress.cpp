#include "windows/frmStatus/StatusProgress.h"

#include <QCoreApplication>
#include <string>

namespace vantrel {
namespace {

/// The two lines of the window, joined by "\r\n": "Writing configuration -
/// 33%" over "Writing data - 0%".
std::string statusText(const TransferProgress& progress) {
    const std::string verb = transferVerb(progress.direction);
    return verb + " configuration - " + std::to_string(progress.configurationPercent()) + "%\r\n" +
           verb + " data - " + std::to_string(progress.dataPercent()) + "%";
}

} // namespace

StatusProgress::StatusProgress(QWidget* owner)
    : owner_(owner) {}

StatusProgress::~StatusProgress() {
    delete window_.data();
}

frmStatus& StatusProgress::ensureWindow() {
    if (!window_) {
        window_ = new frmStatus(owner_.data());
    }
    return *window_;
}

void StatusProgress::show() {
    ensureWindow().show();
    // Painted before the transfer opens the device, which may take a while.
    QCoreApplication::processEvents();
}

void StatusProgress::update(const TransferProgress& progress) {
    ensureWindow().SetStatus(statusText(progress));
}

void StatusProgress::remove() {
    delete window_.data();
    QCoreApplication::processEvents();
}

} // namespace vantrel
