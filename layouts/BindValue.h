#pragma once

#include <string>
#include <vector>

// What a front end's file sets a bind to, before any name in it is looked
// up: alternatives, any one of which triggers the bind, each a chord of
// inputs held together.
namespace vantrel {

/// One input of a chord: a key by the front end's name for it, or an input
/// of another device (a joystick, a mouse, a light gun).
struct BindItem {
    std::string name;
    bool key = true;

    friend bool operator==(const BindItem&, const BindItem&) = default;
};

using BindChord = std::vector<BindItem>;

struct BindValue {
    /// Empty when the bind is set to nothing.
    std::vector<BindChord> alternatives;
    int line = 0; ///< where the file sets it; 0 for a default

    friend bool operator==(const BindValue&, const BindValue&) = default;
};

} // namespace vantrel
