#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <set>

namespace vantrel::testing {

/// The roles of the controls a user can work with the keyboard.
inline const std::set<QAccessible::Role>& interactiveRoles() {
    static const std::set<QAccessible::Role> roles{
        QAccessible::PushButton, QAccessible::CheckBox,  QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::ScrollBar, QAccessible::EditableText,
        QAccessible::PageTab,    QAccessible::MenuItem};
    return roles;
}

/// The same and the items of lists, which the arrow keys go through.
inline const std::set<QAccessible::Role>& interactiveRolesAndItems() {
    static const std::set<QAccessible::Role> roles = [] {
        std::set<QAccessible::Role> all = interactiveRoles();
        all.insert(QAccessible::ListItem);
        return all;
    }();
    return roles;
}

/// What a screen reader says of each control of `window` the user can work:
/// its name (or "?"), what labels it (its label, its frame) in parentheses,
/// whether it is disabled or focused in brackets, then "|" and its
/// description.
inline QStringList spokenControls(QWidget& window,
                                  const std::set<QAccessible::Role>& roles = interactiveRoles()) {
    QStringList spoken;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (roles.contains(node->role())) {
            QStringList labels;
            for (const auto& [label, relation] : node->relations(QAccessible::Label)) {
                labels << label->text(QAccessible::Name).trimmed();
            }
            const QString name = node->text(QAccessible::Name);
            QStringList states;
            if (node->state().disabled) {
                states << "disabled";
            }
            if (node->state().focused) {
                states << "focused";
            }
            spoken << (name.isEmpty() ? "?" : name) +
                          (labels.isEmpty() ? "" : " (" + labels.join(", ") + ")") +
                          (states.isEmpty() ? "" : " [" + states.join(", ") + "]") + " | " +
                          node->text(QAccessible::Description);
        }
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i));
        }
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    return spoken;
}

} // namespace vantrel::testing
