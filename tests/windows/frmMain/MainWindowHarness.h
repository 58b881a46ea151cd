#pragma once

#include "AssignmentEditors.h"
#include "CaptionButton.h"
#include "EmulatedDevice.h"
#include "ProgramExit.h"
#include "Recorders.h"
#include "ScriptedFileDialogs.h"
#include "StatusProgress.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// One main window with every seam replaced by a recorder: the device is the
// emulator, messages and progress go to one timeline, file dialogs and
// editors follow a script, and ending the program is only counted.
namespace vantrel::testing {

class CountingExit final : public ProgramExit {
public:
    void endProgram() override { ++calls; }
    int calls = 0;
};

/// Editors that record what they were opened on and commit whatever the
/// test queued, as the real dialogs would before hiding.
class ScriptedEditors final : public AssignmentEditors {
public:
    struct Opened {
        enum class Kind { Key, Macro, RotaryKey } kind;
        std::int16_t index;
        SingleKey key;
        RotaryKey rotaryKey;
    };
    using Commit = std::function<void(AssignmentStore&)>;

    void commitNext(Commit commit) { next_ = std::move(commit); }

    void editKey(AssignmentStore& store, std::int16_t index, const SingleKey& current) override {
        opened.push_back({Opened::Kind::Key, index, current, {}});
        commit(store);
    }
    void editMacro(AssignmentStore& store, std::int16_t index) override {
        opened.push_back({Opened::Kind::Macro, index, {}, {}});
        commit(store);
    }
    void editRotaryKey(AssignmentStore& store, std::int16_t index,
                       const RotaryKey& current) override {
        opened.push_back({Opened::Kind::RotaryKey, index, {}, current});
        commit(store);
    }

    std::vector<Opened> opened;

private:
    void commit(AssignmentStore& store) {
        if (next_) {
            Commit commit = std::move(next_);
            next_ = nullptr;
            commit(store);
        }
    }
    Commit next_;
};

/// Hands the progress calls of every transfer to the shared recorder, and
/// to the real progress window when there is one, then runs a test's probe
/// on each status while the transfer is under way.
class ForwardingProgress final : public ProgressWindow {
public:
    ForwardingProgress(UserRecorder& recorder, std::function<void()> duringStatus,
                       std::unique_ptr<ProgressWindow> real)
        : recorder_(recorder)
        , duringStatus_(std::move(duringStatus))
        , real_(std::move(real)) {}
    void show() override {
        recorder_.show();
        if (real_) {
            real_->show();
        }
    }
    void SetStatus(const std::string& text) override {
        recorder_.SetStatus(text);
        if (real_) {
            real_->SetStatus(text);
        }
        if (duringStatus_) {
            duringStatus_();
        }
    }
    void remove() override {
        recorder_.remove();
        if (real_) {
            real_->remove();
        }
    }

private:
    UserRecorder& recorder_;
    std::function<void()> duringStatus_;
    std::unique_ptr<ProgressWindow> real_;
};

/// Events as readable lines, so that a failed comparison shows them.
inline QStringList rendered(const std::vector<UserEvent>& events) {
    QStringList lines;
    for (const UserEvent& event : events) {
        std::ostringstream line;
        line << event;
        lines << QString::fromStdString(line.str());
    }
    return lines;
}

class MainWindowHarness {
public:
    explicit MainWindowHarness(EmulatedDevice& device)
        : device_(device) {
        window = std::make_unique<frmMain>(
            config, MainWindowServices{device_, user, dialogs, exit, editors,
                                       [this](QWidget& owner) {
                                           return std::make_unique<ForwardingProgress>(
                                               user, duringStatus,
                                               realProgressWindow
                                                   ? std::make_unique<StatusProgress>(&owner)
                                                   : nullptr);
                                       },
                                       [this] { ++aboutShown; },
                                       [this] {
                                           return volumeLabel;
                                       }});
    }

    /// Runs start-up and shows the window as the program does.
    bool start() {
        if (!window->Form_Load()) {
            return false;
        }
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    template <typename T>
    T& control(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return *found;
    }
    template <typename T>
    T& control(const char* name, int index) const {
        return control<T>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index));
    }

    void click(const QString& name) const {
        QTest::mouseClick(&control<QAbstractButton>(name), Qt::LeftButton);
    }
    void click(const char* name, int index) const {
        QTest::mouseClick(&control<QAbstractButton>(name, index), Qt::LeftButton);
    }
    void trigger(const char* menuItem) const {
        control<QAction>(QLatin1String(menuItem)).trigger();
    }

    [[nodiscard]] QString caption(int row) const {
        return control<CaptionButton>("cmdKey", row).caption();
    }
    [[nodiscard]] QString rotaryCaption(int index) const {
        return control<CaptionButton>("cmdRotaryKey", index).caption();
    }
    [[nodiscard]] bool singleKeyShown(int row) const {
        return control<QAbstractButton>("optSingleKey", 2 * row).isChecked();
    }
    /// Everything the rows and rotary buttons show, for comparing windows.
    [[nodiscard]] QStringList shownAssignments() const {
        QStringList shown;
        for (int i = 0; i < InputCount; ++i) {
            shown << (singleKeyShown(i) ? QStringLiteral("S ") : QStringLiteral("M ")) + caption(i);
        }
        for (int k = 0; k < RotaryKeyCount; ++k) {
            shown << rotaryCaption(k);
        }
        return shown;
    }

    /// Everything the user was shown so far.
    [[nodiscard]] QStringList timeline() const { return rendered(user.events()); }

    Configuration config;
    UserRecorder user;
    ScriptedFileDialogs dialogs;
    CountingExit exit;
    ScriptedEditors editors;
    std::string volumeLabel;
    int aboutShown = 0;
    /// Runs on every progress update of a transfer, while it is under way.
    std::function<void()> duringStatus;
    /// Transfers show the real progress window as well.
    bool realProgressWindow = false;
    std::unique_ptr<frmMain> window;

private:
    EmulatedDevice& device_;
};

} // namespace vantrel::testing
