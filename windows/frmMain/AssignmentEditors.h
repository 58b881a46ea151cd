#pragma once

#include "model/modSettings.h"
#include "windows/controls/AssignmentStores.h"

#include <cstdint>

namespace vantrel {

/// The dialogs that edit one assignment, seen from the main window: each
/// opens modally and returns when it has closed. Any change has then already
/// reached the store passed in; a cancelled editor changes nothing.
class AssignmentEditors {
public:
    virtual ~AssignmentEditors() = default;

    /// The assignment dialog for input `index`, on its current single action.
    virtual void editKey(SingleKeyStore& store, std::int16_t index, const SingleKey& current) = 0;
    /// The macro editor for input `index`.
    virtual void editMacro(MacroStore& store, std::int16_t index) = 0;
    /// The assignment dialog in keyboard-only mode for rotary key `index`.
    virtual void editRotaryKey(SingleKeyStore& store, std::int16_t index,
                               const RotaryKey& current) = 0;

protected:
    AssignmentEditors() = default;
    AssignmentEditors(const AssignmentEditors&) = default;
    AssignmentEditors& operator=(const AssignmentEditors&) = default;
};

} // namespace vantrel
