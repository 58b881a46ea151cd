#pragma once

#include "AssignmentEditors.h"
#include "CaptionButton.h"
#include "EmulatedDevice.h"
#include "ProgramExit.h"
#include "Recorders.h"
#include "ScriptedFileDialogs.h"
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

/// Editors that note what they were opened for ("key 3", "macro 4",
/// "rotary 2") and commit whatever the test queued, as the real dialogs do
/// before they hide.
class ScriptedEditors final : public AssignmentEditors {
public:
    std::function<void(AssignmentStore&)> commit;
    QStringList opened;
    SingleKey lastKey;
    RotaryKey lastRotaryKey;

    void editKey(AssignmentStore& store, std::int16_t index, const SingleKey& current) override {
        lastKey = current;
        open(store, QStringLiteral("key %1").arg(index));
    }
    void editMacro(AssignmentStore& store, std::int16_t index) override {
        open(store, QStringLiteral("macro %1").arg(index));
    }
    void editRotaryKey(AssignmentStore& store, std::int16_t index,
                       const RotaryKey& current) override {
        lastRotaryKey = current;
        open(store, QStringLiteral("rotary %1").arg(index));
    }

private:
    void open(AssignmentStore& store, const QString& what) {
        opened << what;
        if (auto next = std::exchange(commit, nullptr)) {
            next(store);
        }
    }
};

/// Hands a transfer's progress to the shared recorder, then runs the
/// test's probe on each status while the transfer is under way.
class ProbedProgress final : public ProgressWindow {
public:
    ProbedProgress(UserRecorder& recorder, std::function<void()> probe)
        : recorder_(recorder)
        , probe_(std::move(probe)) {}
    void show() override { recorder_.show(); }
    void SetStatus(const std::string& text) override {
        recorder_.SetStatus(text);
        if (probe_) {
            probe_();
        }
    }
    void remove() override { recorder_.remove(); }

private:
    UserRecorder& recorder_;
    std::function<void()> probe_;
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
    explicit MainWindowHarness(EmulatedDevice& device) {
        auto makeProgress = [this](QWidget& /*owner*/) {
            return std::make_unique<ProbedProgress>(user, duringStatus);
        };
        window = std::make_unique<frmMain>(config, MainWindowServices{device, user, dialogs, exit,
                                                                      editors, makeProgress,
                                                                      [this] { ++aboutShown; },
                                                                      [this] {
                                                                          return volumeLabel;
                                                                      }});
    }

    /// Runs start-up and shows the window as the program does.
    bool start() {
        return window->Form_Load() && (window->show(), QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QAbstractButton>
    T& control(const QString& name) const {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return *found;
    }
    template <typename T = QAbstractButton>
    T& control(const char* name, int index) const {
        return control<T>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index));
    }
    void click(const char* name, int index = -1) const {
        QTest::mouseClick(index < 0 ? &control(QLatin1String(name)) : &control(name, index),
                          Qt::LeftButton);
    }
    void trigger(const QString& menuItem) const { control<QAction>(menuItem).trigger(); }

    [[nodiscard]] QString caption(int row) const {
        return control<CaptionButton>("cmdKey", row).caption();
    }
    [[nodiscard]] QString rotaryCaption(int index) const {
        return control<CaptionButton>("cmdRotaryKey", index).caption();
    }
    [[nodiscard]] bool singleKeyShown(int row) const {
        return control("optSingleKey", 2 * row).isChecked();
    }
    /// Every row's option and caption and every rotary caption.
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
    [[nodiscard]] QStringList messages() const { return rendered(user.messages()); }

    Configuration config;
    UserRecorder user;
    ScriptedFileDialogs dialogs;
    CountingExit exit;
    ScriptedEditors editors;
    std::string volumeLabel;
    int aboutShown = 0;
    /// Runs on every progress update of a transfer, while it is under way.
    std::function<void()> duringStatus;
    std::unique_ptr<frmMain> window;
};

} // namespace vantrel::testing
