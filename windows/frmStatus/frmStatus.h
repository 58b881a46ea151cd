#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace vantrel {

/// The small window a transfer shows while it talks to the device: one
/// label with the current step, no buttons, no input. It cannot be closed by
/// the user; the transfer that showed it removes it.
class frmStatus : public QDialog {
    Q_OBJECT

public:
    /// Text of the label until the first status arrives.
    static constexpr const char* InitialText = "Initializing...";

    /// `owner` is the window it stays above and is centred over.
    explicit frmStatus(QWidget* owner);

    /// Replaces the label's text ("\r\n" between its lines) and lets pending
    /// events run, so that it is painted at once and the other windows stay
    /// responsive.
    void SetStatus(const std::string& text);

    /// Ignored: the window goes away only when the transfer removes it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblStatus;
};

} // namespace vantrel
