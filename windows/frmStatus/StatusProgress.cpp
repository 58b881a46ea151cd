#include "StatusProgress.h"

#include <QCoreApplication>

namespace vantrel {

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

void StatusProgress::SetStatus(const std::string& text) {
    ensureWindow().SetStatus(text);
}

void StatusProgress::remove() {
    delete window_.data();
    QCoreApplication::processEvents();
}

} // namespace vantrel
