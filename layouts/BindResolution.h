#pragma once

#include "keytext/KeySpellingSources.h"
#include "layouts/BindValue.h"
#include "layouts/FrontEndLayout.h"

#include <optional>
#include <vector>

// Which keys a bind comes over as: its first alternative whose every input
// is a key the encoder has, looked up by the front end's own names.
namespace vantrel {

struct ResolvedBind {
    /// The keys held together; empty when no alternative can be carried.
    std::vector<LayoutKey> keys;
    /// What was left out: the first alternative that could not be carried
    /// (with the keys taken instead, if any). Its bind, label and line are
    /// the caller's to fill in.
    std::optional<LayoutNote> note;
};

[[nodiscard]] ResolvedBind resolveBind(const BindValue& value, SpellingSource source);

/// Whether any input of the value is a key the source has a name for, so
/// that a setting beside the binds (a driver, a number) is told apart from
/// a bind the layout has no control for.
[[nodiscard]] bool namesAKey(const BindValue& value, SpellingSource source);

} // namespace vantrel
