#pragma once

#include "monitor/MotionSummary.h"
#include "windows/MonitorWindow/PanelCells.h"

#include <QMainWindow>
#include <optional>
#include <vector>

class QAction;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;

namespace vantrel {

class ElidedLabel;
class HatIndicator;
class MotionIndicator;
class PanelGrid;

/// The input test: the last press in large type, the panel's controls as
/// cells that light as they are pressed, the trackball's and spinner's
/// motion, the hats, what matched no input or more than one, and how many
/// controls were seen and which not yet. It only shows what it is told; the
/// session behind it decides.
class MonitorWindow : public QMainWindow {
    Q_OBJECT
public:
    /// What a notice offers to do about it.
    enum Offer {
        NoOffer = 0,
        OfferConfiguration = 1, ///< open a configuration file
        OfferRecording = 2,     ///< open a recording
    };

    explicit MonitorWindow(QWidget* parent = nullptr);

    /// Shows a configuration's controls, every one not seen yet, and the
    /// hats (0..3) it sends.
    void showPanel(std::vector<PanelCell> inputs, std::vector<PanelCell> rotaryDirections,
                   const std::vector<int>& hats);
    /// Says where the configuration and the events come from; a long path
    /// is cut in the middle, and shown whole as the tooltip.
    void showSources(const QString& text);
    /// The last press, read from across the cabinet and announced to a
    /// screen reader: "Input 9 · P1 Button 5 · Z". Several controls are
    /// those it was not told apart from; none, a press nothing sends.
    void showLastPress(const std::vector<ActionSource>& controls, const QString& action);
    /// Says what is wrong, with buttons for what can be done about it.
    void showNotice(const QString& text, int offers);
    void clearNotice();

    void setSeen(const ActionSource& source, int count);
    /// A press not told apart may have been this control's.
    void setMaybe(const ActionSource& source, bool maybe);
    /// Every cell unseen and not held, no lines, no motion.
    void clearMarks();
    void setHeld(const ActionSource& source, bool held);
    /// "Seen 27 of 33".
    void setCounter(int seen, int total);
    /// Beside the counter, the controls not seen yet, by label.
    void showUnseen(const std::vector<ActionSource>& controls);
    /// A line of what matched no input or more than one, in the monitor's
    /// words; the list keeps the newest in sight.
    void addLine(const QString& line);
    void clearLines();
    void showMotion(const std::vector<MotionAxis>& axes);
    void showHat(int hat, std::optional<int> direction);
    /// Where hat `hat` points; nothing when centred or not shown.
    [[nodiscard]] std::optional<int> hatDirection(int hat) const;
    /// Ticks the menu item while a log is kept.
    void showLogging(bool logging);

    [[nodiscard]] PanelGrid& inputGrid() const { return *inputGrid_; }
    [[nodiscard]] PanelGrid& rotaryGrid() const { return *rotaryGrid_; }
    [[nodiscard]] QListWidget& lineList() const { return *lineList_; }
    [[nodiscard]] QLabel& counter() const { return *counter_; }
    [[nodiscard]] QLabel& lastPress() const { return *lastPress_; }
    [[nodiscard]] ElidedLabel& unseen() const { return *unseen_; }
    [[nodiscard]] ElidedLabel& sources() const { return *sources_; }
    [[nodiscard]] QLabel& notice() const { return *notice_; }
    [[nodiscard]] MotionIndicator& motion() const { return *motion_; }
    [[nodiscard]] std::vector<HatIndicator*> hats() const { return hats_; }

signals:
    void resetClicked();
    void openConfigurationClicked();
    void openRecordingClicked();
    void logClicked();
    void learnWiringClicked();
    /// The window became the active one, or stopped being it.
    void activeChanged(bool active);
    void closing();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Enter on a focused button presses it, as Space does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    QWidget* createNoticeRow();
    QWidget* createHeader();
    QHBoxLayout* createInputsCaption();
    [[nodiscard]] const PanelCell* cellOf(const ActionSource& source) const;
    QPushButton* button(const QString& caption, const char* name, QWidget* parent);
    QHBoxLayout* createIndicatorRow();
    /// Makes the window large enough for every cell, as far as the screen
    /// allows; never smaller.
    void growToShowEveryCell();

    QLabel* lastPress_ = nullptr;
    ElidedLabel* unseen_ = nullptr;
    ElidedLabel* sources_ = nullptr;
    QWidget* noticeRow_ = nullptr;
    QLabel* notice_ = nullptr;
    QPushButton* noticeConfiguration_ = nullptr;
    QPushButton* noticeRecording_ = nullptr;
    QLabel* counter_ = nullptr;
    PanelGrid* inputGrid_ = nullptr;
    PanelGrid* rotaryGrid_ = nullptr;
    QWidget* rotaryBox_ = nullptr;
    MotionIndicator* motion_ = nullptr;
    QWidget* hatBox_ = nullptr;
    QHBoxLayout* hatRow_ = nullptr;
    std::vector<HatIndicator*> hats_;
    QListWidget* lineList_ = nullptr;
    QAction* logAction_ = nullptr;
};

} // namespace vantrel
