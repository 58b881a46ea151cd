#pragma once

#include "modSettings.h"

#include <cstdint>

// The dialogs that edit one assignment, seen from the main window. The main
// window opens them through AssignmentEditors; a dialog commits by calling
// the store operation of the window that opened it, before it hides.
namespace vantrel {

/// The main window's store operations, called by an editor on commit.
class AssignmentStore {
public:
    virtual ~AssignmentStore() = default;

    /// Stores a single key, mouse or joystick action for input `index`
    /// (0..107), unless the configuration would grow past its size limit.
    virtual void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                        std::uint8_t keyOperator) = 0;
    /// Stores the key of rotary-switch direction `index` (0..3).
    virtual void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                                 std::uint8_t keyOperator) = 0;
    /// Refreshes input `index` after the macro editor has stored its record.
    virtual void setMacro(std::int16_t index) = 0;

protected:
    AssignmentStore() = default;
    AssignmentStore(const AssignmentStore&) = default;
    AssignmentStore& operator=(const AssignmentStore&) = default;
};

/// Opens an editor modally and returns when it has closed. Any change has
/// then already reached `store`; a cancelled editor changes nothing.
class AssignmentEditors {
public:
    virtual ~AssignmentEditors() = default;

    /// The assignment dialog for input `index`, on its current single action.
    virtual void editKey(AssignmentStore& store, std::int16_t index, const SingleKey& current) = 0;
    /// The macro editor for input `index`.
    virtual void editMacro(AssignmentStore& store, std::int16_t index) = 0;
    /// The assignment dialog in keyboard-only mode for rotary key `index`.
    virtual void editRotaryKey(AssignmentStore& store, std::int16_t index,
                               const RotaryKey& current) = 0;

protected:
    AssignmentEditors() = default;
    AssignmentEditors(const AssignmentEditors&) = default;
    AssignmentEditors& operator=(const AssignmentEditors&) = default;
};

} // namespace vantrel
