#include "DeviceImage.h"
#include "MainWindowHarness.h"
#include "ModelBuilders.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;
constexpr std::uint8_t KeyUpArrow = 82;

const std::string SaveQuestion =
    "The current configuration has changed.\r\nDo you want to save the changes?";

/// Fills inputs from 1 upward with key presses until the configuration
/// counts exactly `size` bytes.
void fillToSize(Configuration& config, std::int32_t size) {
    for (int i = 1; i < InputCount && configurationSize(config) < size; ++i) {
        // An input with steps counts two bytes per step; an empty one counts
        // two already, so its first step is free.
        for (int position = 0; position < 2 * StepsPerSequence; ++position) {
            config.input(i).step(position % StepsPerSequence, position / StepsPerSequence) =
                keyDown(KeyA);
            if (configurationSize(config) == size) {
                return;
            }
        }
    }
}

/// What each guarded command leaves behind when it goes ahead.
bool wentAhead(const QString& command, const MainWindowHarness& harness,
               const EmulatedDevice& device) {
    if (command == "New") {
        return harness.config.input(0) == InputMacro{};
    }
    if (command == "Open") {
        const auto& requests = harness.dialogs.requests();
        return !requests.empty() && requests.back().title == "Open File";
    }
    if (command == "Read") {
        return device.openCount() > 1;
    }
    return harness.exit.calls == 1;
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void refusesAKeyThatWouldPassTheSizeLimit_data() {
        QTest::addColumn<int>("sizeBefore");
        QTest::addColumn<bool>("kept");
        // Input 0 holds B (4 bytes); Ctrl+Shift+Alt+A takes 16, 12 more.
        QTest::newRow("reaches 4032 exactly") << 4020 << true;
        QTest::newRow("would reach 4034") << 4022 << false;
    }
    void refusesAKeyThatWouldPassTheSizeLimit() {
        QFETCH(int, sizeBefore);
        QFETCH(bool, kept);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, KeyB, 0);
        harness.config.ConfigChanged = false;
        fillToSize(harness.config, sizeBefore);
        QCOMPARE(configurationSize(harness.config), sizeBefore);
        const InputMacro before = harness.config.input(0);

        harness.editors.commitNext([](AssignmentStore& store) {
            store.setKey(0, KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorShift | OperatorAlt);
        });
        harness.click("cmdKey", 0);

        QCOMPARE(harness.editors.opened.size(), std::size_t{1});
        QCOMPARE(harness.editors.opened[0].key, (SingleKey{KeyTypeKeyboard, KeyB, 0}));
        if (kept) {
            QCOMPARE(harness.timeline(), QStringList());
            QCOMPARE(harness.caption(0), QStringLiteral("[ctrl] [shift] [alt] A"));
            QCOMPARE(configurationSize(harness.config), MaxConfigSize);
        } else {
            QCOMPARE(harness.timeline(),
                     rendered({message("This configuration exceeds the maximum size limit.",
                                       "VANTREL", MessageIcon::Exclamation)}));
            QCOMPARE(harness.caption(0), QStringLiteral("B"));
            QCOMPARE(harness.config.input(0), before);
        }
        QCOMPARE(harness.config.ConfigChanged, kept);
    }

    void rowOptionChangesOnlyHowTheRowShows() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());

        harness.click("optSingleKey", 7); // row 3, "Macro Sequence"
        QCOMPARE(harness.caption(3), QStringLiteral("Not Used"));
        QVERIFY(!harness.config.ConfigChanged);
        harness.click("cmdKey", 3);
        QCOMPARE(harness.editors.opened.back().kind, ScriptedEditors::Opened::Kind::Macro);

        harness.window->setKey(3, KeyTypeKeyboard, KeyA, OperatorCtrl);
        harness.config.ConfigChanged = false;
        QCOMPARE(harness.caption(3), QStringLiteral("(Left Ctrl, A, ...)"));
        harness.click("optSingleKey", 6);
        QCOMPARE(harness.caption(3), QStringLiteral("[ctrl] A"));
        QVERIFY(!harness.config.ConfigChanged);
        harness.click("cmdKey", 3);
        QCOMPARE(harness.editors.opened.back().kind, ScriptedEditors::Opened::Kind::Key);
    }

    void macroEditorCommitRefreshesTheRow() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.click("optSingleKey", 9);

        harness.editors.commitNext([&harness](AssignmentStore& store) {
            harness.config.input(4) = macroOf({keyDown(KeyA), keyUp(KeyA)});
            store.setMacro(4);
        });
        harness.click("cmdKey", 4);

        QCOMPARE(harness.caption(4), QStringLiteral("(A, A)"));
        QVERIFY(harness.config.ConfigChanged);
    }

    void rotaryKeyIsStoredWithItsCaption_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("storedModifiers");
        QTest::newRow("key with Shift") << int{KeyUpArrow} << 2 << "[shift] Up Arrow" << 2;
        QTest::newRow("Not Used drops modifiers") << 0 << 7 << "Not Used" << 0;
    }
    void rotaryKeyIsStoredWithItsCaption() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, caption);
        QFETCH(int, storedModifiers);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.config.rotaryKey(2) = {KeyB, OperatorCtrl};

        harness.editors.commitNext([key, modifiers](AssignmentStore& store) {
            store.setKeyboardOnly(2, static_cast<std::uint8_t>(key),
                                  static_cast<std::uint8_t>(modifiers));
        });
        harness.click("cmdRotaryKey", 2);

        QCOMPARE(harness.editors.opened.back().rotaryKey, (RotaryKey{KeyB, OperatorCtrl}));
        QCOMPARE(harness.rotaryCaption(2), caption);
        QCOMPARE(harness.config.rotaryKey(2),
                 (RotaryKey{static_cast<std::uint8_t>(key),
                            static_cast<std::uint8_t>(storedModifiers)}));
        QVERIFY(harness.config.ConfigChanged);
    }

    void settingsFollowTheControlsWithoutMarkingAChange() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());

        harness.click(QStringLiteral("chkReverseY"));
        harness.click(QStringLiteral("chkReverseSpinner"));
        harness.click("optSpinner", 2);
        harness.click("chkJoystick", 3);
        harness.control<QComboBox>("lstDivisor", 1).setCurrentIndex(2);
        harness.control<QComboBox>("lstBufferOverflow", 0).setCurrentIndex(1);

        DeviceSettings expected;
        expected.ReverseY = true;
        expected.ReverseSpinner = true;
        expected.Spinner = 2;
        expected.Joystick[3] = true;
        expected.Rotary[1].Divisor = 2;
        expected.Rotary[0].BufferOverflow = 1;
        QCOMPARE(harness.window->settings(), expected);

        // Nothing to save, so Exit ends the program without a question.
        harness.trigger("mnuExit");
        QCOMPARE(harness.timeline(), QStringList());
        QCOMPARE(harness.exit.calls, 1);
    }

    void newClearsEverythingButKeepsTheChangedMarkAndScrollPosition() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeMouse, 1, 0);
        harness.window->setKeyboardOnly(1, KeyA, OperatorAlt);
        harness.click("optSingleKey", 11);
        harness.click(QStringLiteral("chkReverseX"));
        harness.control<QComboBox>("lstMaximumRate", 0).setCurrentIndex(2);
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        bar.setValue(200);

        harness.user.answerNext(MessageAnswer::No);
        harness.trigger("mnuNew");

        QCOMPARE(harness.config.input(0), InputMacro{});
        QCOMPARE(harness.config.rotaryKey(1), RotaryKey{});
        QCOMPARE(harness.window->settings(), DeviceSettings{});
        QVERIFY(!harness.control<QCheckBox>(QStringLiteral("chkReverseX")).isChecked());
        QCOMPARE(harness.control<QComboBox>("lstMaximumRate", 0).currentIndex(), 0);
        QCOMPARE(harness.caption(0), QStringLiteral("Not Used"));
        QVERIFY(harness.singleKeyShown(5));
        QCOMPARE(harness.rotaryCaption(1), QStringLiteral("Not Used"));
        QCOMPARE(bar.value(), 200);

        // Declining to save did not save: Exit asks again.
        harness.trigger("mnuExit");
        QCOMPARE(harness.user.messages().size(), std::size_t{2});
        QCOMPARE(harness.exit.calls, 0);
    }

    void guardedCommandsFollowTheSaveAnswer_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("goesAhead");
        for (const char* command : {"New", "Open", "Read", "Exit", "Close"}) {
            const auto row = [command](const char* answer, bool goesAhead) {
                QTest::addRow("%s, %s", command, answer) << command << answer << goesAhead;
            };
            row("Yes and saved", true);
            row("Yes but Save cancelled", false);
            row("No", true);
            row("Cancel", false);
        }
    }
    void guardedCommandsFollowTheSaveAnswer() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(bool, goesAhead);
        QTemporaryDir folder;
        const QString savedPath = folder.filePath(QStringLiteral("Saved.cfg"));
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, KeyA, 0);

        if (answer == "Yes and saved") {
            harness.user.answerNext(MessageAnswer::Yes);
            harness.dialogs.choose(savedPath.toStdString());
        } else if (answer == "Yes but Save cancelled") {
            harness.user.answerNext(MessageAnswer::Yes);
            harness.dialogs.cancel();
        } else {
            harness.user.answerNext(answer == "No" ? MessageAnswer::No : MessageAnswer::Cancel);
        }
        if (goesAhead && command == "Open") {
            harness.dialogs.cancel();
        }
        if (command == "Close") {
            QVERIFY(!harness.window->close());
        } else {
            harness.trigger(qPrintable(QStringLiteral("mnu") + command));
        }

        const std::vector<UserEvent> messages = harness.user.messages();
        QVERIFY(!messages.empty());
        QCOMPARE(rendered({messages.front()}),
                 rendered({message(SaveQuestion, "VANTREL Configuration Utility", MessageIcon::None,
                                   MessageButtons::YesNoCancel)}));
        QCOMPARE(wentAhead(command, harness, device), goesAhead);
        QCOMPARE(QFile::exists(savedPath), answer == "Yes and saved");
        const bool saveAsked = answer.startsWith(QLatin1String("Yes"));
        const bool openAsked = goesAhead && command == "Open";
        QCOMPARE(harness.dialogs.requests().size(),
                 std::size_t{saveAsked} + std::size_t{openAsked});
        // The window is never closed by the request itself.
        QVERIFY(harness.window->isVisible());
    }

    void noQuestionWithoutChanges_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void noQuestionWithoutChanges() {
        QFETCH(bool, closeBox);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        if (closeBox) {
            harness.window->close();
        } else {
            harness.trigger("mnuExit");
        }
        QCOMPARE(harness.timeline(), QStringList());
        QCOMPARE(harness.exit.calls, 1);
    }

    void shortcutsWorkFromAnywhereInTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("command");
        QTest::newRow("Ctrl+N") << int{Qt::Key_N} << "New";
        QTest::newRow("Ctrl+O") << int{Qt::Key_O} << "Open";
        QTest::newRow("Ctrl+S") << int{Qt::Key_S} << "Save";
        QTest::newRow("Ctrl+R") << int{Qt::Key_R} << "Read";
        QTest::newRow("Ctrl+W") << int{Qt::Key_W} << "Write";
    }
    void shortcutsWorkFromAnywhereInTheWindow() {
        QFETCH(int, key);
        QFETCH(QString, command);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
        auto& reverseX = harness.control<QCheckBox>(QStringLiteral("chkReverseX"));
        reverseX.setChecked(true);
        auto& focused = harness.control<QComboBox>("lstDivisor", 1);
        focused.setFocus();
        if (command == "Open" || command == "Save") {
            harness.dialogs.cancel();
        }

        QTest::keyClick(&focused, static_cast<Qt::Key>(key), Qt::ControlModifier);

        if (command == "New") {
            QVERIFY(!reverseX.isChecked());
        } else if (command == "Open" || command == "Save") {
            QCOMPARE(harness.dialogs.requests().size(), std::size_t{1});
            QCOMPARE(QString::fromStdString(harness.dialogs.requests()[0].title),
                     command + QStringLiteral(" File"));
        } else {
            QVERIFY(!device.reports().empty());
            const std::uint8_t first = command == "Read" ? 'R' : 'W';
            QCOMPARE(device.reports().front()[4], first);
        }
    }

    void aboutOpensTheAboutWindow() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.trigger("mnuAbout");
        QCOMPARE(harness.aboutShown, 1);
    }
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
