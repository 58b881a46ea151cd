#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace vantrel {

/// The input test's wiring session: the control to press in large type, the
/// layout's controls with the inputs found so far, what the last press did,
/// and Skip, Back and Stop. It only shows what it is told; the session
/// behind it decides.
class LearnWiringWindow : public QDialog {
    Q_OBJECT
public:
    explicit LearnWiringWindow(QWidget* parent = nullptr);

    /// "Press P1 Button 1", or what the session is doing.
    void showAsk(const QString& text);
    /// One row per control, "P1 Button 1 → Input 5"; `current` is the
    /// control asked for (-1 for none).
    void showControls(const QStringList& rows, int current);
    void showStatus(const QString& text);
    /// Skip, Back and Stop work only while controls are asked for.
    void setAsking(bool asking);

    [[nodiscard]] QLabel& ask() const { return *ask_; }
    [[nodiscard]] QListWidget& controls() const { return *controls_; }
    [[nodiscard]] QLabel& status() const { return *status_; }

signals:
    void skipClicked();
    void backClicked();
    void stopClicked();

protected:
    void reject() override;

private:
    QLabel* ask_ = nullptr;
    QListWidget* controls_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* skip_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* stop_ = nullptr;
    bool asking_ = false;
};

} // namespace vantrel
