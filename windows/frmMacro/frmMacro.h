#pragma once

#include "model/MacroRules.h"
#include "model/modSettings.h"
#include "userinterface/UserInterface.h"
#include "windows/controls/AssignmentStores.h"
#include "windows/controls/StepEditor.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QCheckBox;
class QKeyEvent;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace vantrel {

class CaptionButton;

/// The macro editor: the activation and deactivation sequences of one input,
/// eight steps of each at a time, and whether the activation sequence
/// repeats. It edits a private copy of the input's record; only OK, after
/// tidying and checking the copy, hands it to the store that writes it.
///
/// Created once per run and then only shown and hidden: the opener calls
/// setupMacro and shows the editor modally.
class frmMacro : public QDialog, public MacroStepStore {
    Q_OBJECT
public:
    static constexpr int VisibleSteps = 8;

    /// `config` is shared with the main window, read here only; `stepEditor`
    /// opens the assignment dialog on one step.
    frmMacro(const Configuration& config, MessagePrompter& messages, StepEditor& stepEditor,
             QWidget* parent = nullptr);

    /// Loads input `index` (0..107) into the editor, scrolled to step 1. A
    /// successful OK then stores it through `store`.
    void setupMacro(MacroStore& store, std::int16_t index);

    /// Sets step `index` (0..63 activation, 64..127 deactivation) of the
    /// working copy and shows it. Called by the assignment dialog.
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                bool pressRelease) override;

    /// Refreshes the step headings and the sixteen step buttons from the
    /// working copy and the scroll position.
    void redrawSteps();

    // Event handlers, named after the control and the event.
    void chkRepeat_Click();
    void lstRepeatDelay_Click();
    void cmdActivate_Click(std::int16_t index);
    void cmdDeactivate_Click(std::int16_t index);
    void cmdOK_Click();
    void cmdCancel_Click();
    void ScrollBar_Change();
    void ScrollBar_Scroll();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createStepColumns();
    void createRepeatControls();
    void createCommandButtons();
    void chainTabOrder();
    void editStep(int position);
    /// The step a step button shows, if `object` is one.
    [[nodiscard]] std::optional<StepPlace> stepShownBy(const QObject* object) const;
    /// Scrolls step `place` into view, if it is not, and focuses its button.
    void focusStep(StepPlace place);
    [[nodiscard]] CaptionButton* stepButton(int column, int sequence) const;

    const Configuration& config_;
    MessagePrompter& messages_;
    StepEditor& stepEditor_;
    MacroStore* store_ = nullptr;

    std::int16_t MacroIndex = 0;
    InputMacro WorkMacro;

    std::array<QLabel*, VisibleSteps> lblStep{};
    std::array<CaptionButton*, VisibleSteps> cmdActivate{};
    std::array<CaptionButton*, VisibleSteps> cmdDeactivate{};
    std::array<QLabel*, SequenceCount> lblSequence{};
    QScrollBar* ScrollBar;
    QCheckBox* chkRepeat;
    QComboBox* lstRepeatDelay;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};

} // namespace vantrel
