#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace vantrel::testing {

/// The child of `parent` named `name`, or `name_index` for one element of a
/// control array. A missing control ends the test program: every test after
/// it would only report the same mistake again.
template <typename T>
T& namedControl(const QObject& parent, const QString& name, int index = -1) {
    const QString full = index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(index);
    T* found = parent.findChild<T*>(full);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(full));
    }
    return *found;
}

} // namespace vantrel::testing
