#pragma once

#include "model/modSettings.h"
#include "windows/controls/AssignmentStores.h"

#include <cstdint>

namespace vantrel {

/// How the macro editor opens the assignment dialog on one of its steps:
/// modally, returning when the dialog has closed. A chosen step has then
/// already reached `store`; a cancelled dialog changes nothing.
class StepEditor {
public:
    virtual ~StepEditor() = default;

    /// Edits step `index` (0..63 activation, 64..127 deactivation), whose
    /// current contents are `current`.
    virtual void editStep(MacroStepStore& store, std::int16_t index, const MacroStep& current) = 0;

protected:
    StepEditor() = default;
    StepEditor(const StepEditor&) = default;
    StepEditor& operator=(const StepEditor&) = default;
};

} // namespace vantrel
