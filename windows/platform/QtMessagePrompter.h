#pragma once

#include "userinterface/UserInterface.h"

#include <QPointer>
#include <QWidget>

namespace vantrel {

/// Message boxes as modal QMessageBox dialogs over a parent window.
class QtMessagePrompter : public MessagePrompter {
public:
    /// `parent` owns the boxes; it may be null for a box of its own.
    explicit QtMessagePrompter(QWidget* parent);

    /// Shows the box and waits for the user. Closing it without a button
    /// (Esc, the close box) answers as Cancel would, or No when there is no
    /// Cancel, or Ok.
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace vantrel
