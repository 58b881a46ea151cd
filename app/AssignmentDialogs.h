#pragma once

#include "model/modSettings.h"
#include "userinterface/UserInterface.h"
#include "windows/controls/StepEditor.h"
#include "windows/frmMain/AssignmentEditors.h"

#include <QPointer>
#include <cstdint>

class QWidget;

namespace vantrel {

class frmKeyboard;
class frmMacro;

/// The program's editors: the assignment dialog and the macro editor, each
/// created on first use over the owner window and afterwards only set up,
/// shown modally and hidden. The macro editor opens the same assignment
/// dialog for its steps.
class AssignmentDialogs final : public AssignmentEditors, public StepEditor {
public:
    AssignmentDialogs(Configuration& config, MessagePrompter& messages);

    /// The window the dialogs belong to; set before the first one opens.
    void setOwner(QWidget* owner) { owner_ = owner; }

    void editKey(SingleKeyStore& store, std::int16_t index, const SingleKey& current) override;
    void editMacro(MacroStore& store, std::int16_t index) override;
    void editRotaryKey(SingleKeyStore& store, std::int16_t index,
                       const RotaryKey& current) override;
    void editStep(MacroStepStore& store, std::int16_t index, const MacroStep& current) override;

private:
    frmKeyboard& keyboard();
    frmMacro& macroEditor();

    Configuration& config_;
    MessagePrompter& messages_;
    QWidget* owner_ = nullptr;
    // Owned by the owner window, like every child widget.
    QPointer<frmKeyboard> keyboard_;
    QPointer<frmMacro> macro_;
};

} // namespace vantrel
