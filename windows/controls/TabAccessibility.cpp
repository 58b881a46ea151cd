#include "windows/controls/TabAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTabBar>
#include <QToolButton>
#include <map>

namespace vantrel {
namespace {

/// One tab: a part of its tab bar with no object of its own.
class AccessibleTab final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(QTabBar* bar, int index)
        : bar_(bar)
        , index_(index) {}

    [[nodiscard]] bool isValid() const override { return !bar_.isNull() && index_ < bar_->count(); }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override {
        return isValid() ? bar_->window()->windowHandle() : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
        return -1;
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (!isValid()) {
            return {};
        }
        if (kind == QAccessible::Name) {
            // The access letter's marker is not read out.
            return bar_->tabText(index_).remove(QLatin1Char('&'));
        }
        return kind == QAccessible::Description ? bar_->tabToolTip(index_) : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::PageTab; }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool enabled = bar_->isEnabled() && bar_->isTabEnabled(index_);
        const bool current = index_ == bar_->currentIndex();
        state.disabled = !enabled;
        state.focusable = enabled;
        state.selectable = enabled;
        state.selected = current;
        state.focused = current && bar_->hasFocus();
        state.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
        return state;
    }

    [[nodiscard]] QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect tab = bar_->tabRect(index_);
        return {bar_->mapToGlobal(tab.topLeft()), tab.size()};
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    [[nodiscard]] QStringList actionNames() const override {
        return state().disabled ? QStringList() : QStringList(pressAction());
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && !state().disabled) {
            bar_->setCurrentIndex(index_);
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& /*name*/) const override {
        return {};
    }

private:
    QPointer<QTabBar> bar_;
    int index_;
};

/// The tab bar: its tabs, then the arrow buttons it shows when the tabs do
/// not fit.
class AccessibleTabBar final : public QAccessibleWidget {
public:
    explicit AccessibleTabBar(QTabBar* bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~AccessibleTabBar() override {
        for (const auto& [index, id] : tabs_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    AccessibleTabBar(const AccessibleTabBar&) = delete;
    AccessibleTabBar& operator=(const AccessibleTabBar&) = delete;

    [[nodiscard]] int childCount() const override {
        return static_cast<int>(bar().count() + arrowButtons().size());
    }

    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        const int tabCount = bar().count();
        if (index < 0) {
            return nullptr;
        }
        if (index < tabCount) {
            auto found = tabs_.find(index);
            if (found == tabs_.end()) {
                const QAccessible::Id id =
                    QAccessible::registerAccessibleInterface(new AccessibleTab(&bar(), index));
                found = tabs_.emplace(index, id).first;
            }
            return QAccessible::accessibleInterface(found->second);
        }
        const QList<QToolButton*> arrows = arrowButtons();
        return index - tabCount < arrows.size()
                   ? QAccessible::queryAccessibleInterface(arrows.at(index - tabCount))
                   : nullptr;
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface* wanted) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (child(i) == wanted) {
                return i;
            }
        }
        return -1;
    }

    [[nodiscard]] QAccessibleInterface* focusChild() const override {
        return bar().hasFocus() ? child(bar().currentIndex()) : nullptr;
    }

private:
    [[nodiscard]] QTabBar& bar() const { return *static_cast<QTabBar*>(widget()); }
    [[nodiscard]] QList<QToolButton*> arrowButtons() const {
        return bar().findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    }

    /// Each tab's interface, made on first use; the registry owns them until
    /// the tab bar's goes.
    mutable std::map<int, QAccessible::Id> tabs_;
};

QAccessibleInterface* describeTabBar(const QString& className, QObject* object) {
    if (className != QLatin1String("QTabBar")) {
        return nullptr;
    }
    auto* bar = qobject_cast<QTabBar*>(object);
    return bar != nullptr ? new AccessibleTabBar(bar) : nullptr;
}

} // namespace

void announceTabsAsShown() {
    // Factories installed later are asked first, so this one comes before
    // Qt's own.
    static const bool installed = [] {
        QAccessible::installFactory(describeTabBar);
        return true;
    }();
    (void)installed;
}

} // namespace vantrel
