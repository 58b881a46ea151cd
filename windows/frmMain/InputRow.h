#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QRadioButton;

namespace vantrel {

class CaptionButton;

/// One input's row of the main window (`picFrame(i)`): its label, the choice
/// between "Single Key" and "Macro Sequence", and the button that shows and
/// edits its assignment. The two options form a group of their own.
class InputRow : public QWidget {
    Q_OBJECT
public:
    /// What the row reports: the button was clicked; option `optionIndex`
    /// (2i for "Single Key", 2i + 1 for "Macro Sequence") was clicked.
    struct Handlers {
        std::function<void(int index)> keyClicked;
        std::function<void(int optionIndex)> optionClicked;
    };

    InputRow(int index, Handlers handlers, QWidget* parent);

    [[nodiscard]] int index() const { return index_; }

    [[nodiscard]] bool singleKeySelected() const;
    /// Selects "Single Key" (true) or "Macro Sequence" (false) without
    /// reporting a click.
    void selectSingleKey(bool singleKey);

    void setCaption(const QString& caption);
    [[nodiscard]] QString caption() const;

    void setLabel(const QString& label);
    /// What the cabinet builder wired to this input ("P1 Button 1"): the
    /// tooltip and the accessible description of the "Input N" caption and
    /// of the button. Empty for none.
    void setWiring(const QString& wiring);

    // The keyboard focus stops twice in a row, in Tab order: at the selected
    // option, then at the button.
    [[nodiscard]] bool buttonHasFocus() const;
    /// Gives the focus to the button, or else to the selected option.
    void takeFocus(bool onButton, Qt::FocusReason reason);

private:
    /// Names the options and the button after the input and its assignment.
    void nameControls();

    int index_;
    QLabel* lblInput_;
    QRadioButton* optSingleKey_;
    QRadioButton* optMacroSequence_;
    CaptionButton* cmdKey_;
};

} // namespace vantrel
