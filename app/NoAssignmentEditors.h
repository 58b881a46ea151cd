#pragma once

#include "AssignmentEditors.h"

namespace vantrel {

/// Stands in for the assignment dialog and the macro editor until they
/// exist: clicking an input or rotary button opens nothing and changes
/// nothing.
class NoAssignmentEditors final : public AssignmentEditors {
public:
    void editKey(SingleKeyStore& /*store*/, std::int16_t /*index*/,
                 const SingleKey& /*current*/) override {}
    void editMacro(MacroStore& /*store*/, std::int16_t /*index*/) override {}
    void editRotaryKey(SingleKeyStore& /*store*/, std::int16_t /*index*/,
                       const RotaryKey& /*current*/) override {}
};

} // namespace vantrel
