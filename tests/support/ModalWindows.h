#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <type_traits>

// Modal windows run their own event loop, so a test queues what it does in
// them before it opens one.
namespace vantrel::testing {

/// Once a modal window of type T, named `name` when a name is given, is up
/// (it runs its own event loop), runs `act` on it once.
template <typename T = QWidget>
void whenModal(const QString& name, std::type_identity_t<std::function<void(T&)>> act) {
    QTimer::singleShot(10, [name, act = std::move(act)]() mutable {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (modal != nullptr && (name.isEmpty() || modal->objectName() == name)) {
            act(*modal);
        } else {
            whenModal<T>(name, std::move(act));
        }
    });
}

/// The next message box as "title | text", closed with its button.
inline void recordNextMessage(QString& said) {
    whenModal<QMessageBox>({}, [&said](QMessageBox& box) {
        said = box.windowTitle() + (box.icon() == QMessageBox::Critical ? " (stop) | " : " | ") +
               box.text();
        box.accept();
    });
}

} // namespace vantrel::testing
