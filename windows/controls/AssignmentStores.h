#pragma once

#include "model/modSettings.h"

#include <cstdint>

// Where a committed choice goes. The assignment dialog and the macro editor
// hand their result to the window that opened them through one of these, so
// that neither knows a concrete window and each can be tested with a
// recording store. One commit is exactly one call.
namespace vantrel {

/// The main window's store operations for the assignment dialog.
class SingleKeyStore {
public:
    virtual ~SingleKeyStore() = default;

    /// Stores a single key, mouse or joystick action for input `index`
    /// (0..107), unless the configuration would grow past its size limit.
    virtual void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                        std::uint8_t keyOperator) = 0;
    /// Stores the key of rotary-switch direction `index` (0..3).
    virtual void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                                 std::uint8_t keyOperator) = 0;

protected:
    SingleKeyStore() = default;
    SingleKeyStore(const SingleKeyStore&) = default;
    SingleKeyStore& operator=(const SingleKeyStore&) = default;
};

/// The macro editor's store operation for the assignment dialog: one step
/// of the macro being edited.
class MacroStepStore {
public:
    virtual ~MacroStepStore() = default;

    /// Sets step `index` (0..63 activation, 64..127 deactivation) of the
    /// macro being edited.
    virtual void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                        bool pressRelease) = 0;

protected:
    MacroStepStore() = default;
    MacroStepStore(const MacroStepStore&) = default;
    MacroStepStore& operator=(const MacroStepStore&) = default;
};

/// The main window's store operation for the macro editor.
class MacroStore {
public:
    virtual ~MacroStore() = default;

    /// Stores `macro` as input `index` (0..107), unless the configuration
    /// would grow past its size limit; false, after telling the user, when
    /// it was refused and nothing changed.
    [[nodiscard]] virtual bool setMacro(std::int16_t index, const InputMacro& macro) = 0;

protected:
    MacroStore() = default;
    MacroStore(const MacroStore&) = default;
    MacroStore& operator=(const MacroStore&) = default;
};

} // namespace vantrel
