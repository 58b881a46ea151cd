#pragma once

#include <QLatin1String>
#include <QString>

namespace vantrel {

/// The object name of element `index` of a control array ("cmdKey_41"), so
/// that tests and accessibility tools find each element by the name the
/// handlers use.
[[nodiscard]] inline QString indexedName(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace vantrel
