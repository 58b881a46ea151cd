#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vantrel::testing {

/// Runs `act` on the modal dialog of type T as soon as it is up. Queue it
/// before the call that blocks in the dialog.
template <typename T>
void whenModal(std::function<void(T*)> act) {
    QTimer::singleShot(0, [act = std::move(act)]() mutable {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(dialog);
        } else {
            whenModal<T>(std::move(act));
        }
    });
}

} // namespace vantrel::testing
