#pragma once

#include "files/FileDialogs.h"

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

namespace vantrel {

/// The platform's file choosers through QFileDialog. Paths go in and come
/// out as UTF-8 text.
class QtFileDialogs : public FileDialogs {
public:
    /// `parent` owns the dialogs; it may be null.
    explicit QtFileDialogs(QWidget* parent);

    /// A save chooser that may name a new file and asks before replacing an
    /// existing one when the request says so.
    std::optional<std::string> getSaveFileName(const FileDialogRequest& request) override;
    /// An open chooser that accepts only a file that exists.
    std::optional<std::string> getOpenFileName(const FileDialogRequest& request) override;

private:
    std::optional<std::string> run(const FileDialogRequest& request, QFileDialog::AcceptMode mode);

    QPointer<QWidget> parent_;
};

} // namespace vantrel
