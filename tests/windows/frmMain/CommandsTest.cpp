#include "MainWindowHarness.h"
#include "ModelBuilders.h"

#include <QScrollBar>
#include <QTemporaryDir>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;

/// Fills inputs from 1 upward with key presses until the configuration
/// counts exactly `size` bytes (an empty input already counts two).
void fillToSize(Configuration& config, std::int32_t size) {
    for (int position = 0; configurationSize(config) < size; ++position) {
        const int input = 1 + position / (2 * StepsPerSequence);
        config.input(input).step(position % StepsPerSequence, (position / StepsPerSequence) % 2) =
            keyDown(KeyA);
    }
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

        harness.editors.commit = [](AssignmentStore& store) {
            store.setKey(0, KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorShift | OperatorAlt);
        };
        harness.click("cmdKey", 0);

        QCOMPARE(harness.editors.opened, QStringList("key 0"));
        QCOMPARE(harness.editors.lastKey, (SingleKey{KeyTypeKeyboard, KeyB, 0}));
        QCOMPARE(harness.config.ConfigChanged, kept);
        if (kept) {
            QCOMPARE(harness.timeline(), QStringList());
            QCOMPARE(harness.caption(0), QStringLiteral("[ctrl] [shift] [alt] A"));
        } else {
            QCOMPARE(harness.timeline(),
                     rendered({message("This configuration exceeds the maximum size limit.",
                                       "VANTREL", MessageIcon::Exclamation)}));
            QCOMPARE(harness.caption(0), QStringLiteral("B"));
            QCOMPARE(harness.config.input(0), before);
        }
    }

    void rowOptionChangesOnlyHowTheRowShowsAndWhichEditorOpens() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());

        harness.click("optSingleKey", 7); // row 3, "Macro Sequence"
        QCOMPARE(harness.caption(3), QStringLiteral("Not Used"));
        harness.window->setKey(3, KeyTypeKeyboard, KeyA, OperatorCtrl);
        harness.config.ConfigChanged = false;
        QCOMPARE(harness.caption(3), QStringLiteral("(Left Ctrl, A, ...)"));
        harness.click("cmdKey", 3);
        harness.click("optSingleKey", 6);
        QCOMPARE(harness.caption(3), QStringLiteral("[ctrl] A"));
        harness.click("cmdKey", 3);
        QCOMPARE(harness.editors.opened, QStringList({"macro 3", "key 3"}));
        QVERIFY(!harness.config.ConfigChanged);

        harness.click("optSingleKey", 9);
        harness.editors.commit = [&harness](AssignmentStore& store) {
            harness.config.input(4) = macroOf({keyDown(KeyA), keyUp(KeyA)});
            store.setMacro(4);
        };
        harness.click("cmdKey", 4);
        QCOMPARE(harness.caption(4), QStringLiteral("(A, A)"));
        QVERIFY(harness.config.ConfigChanged);
    }

    void rotaryKeyIsStoredWithItsCaption() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        const auto assign = [&harness](std::uint8_t key, std::uint8_t modifiers) {
            harness.editors.commit = [key, modifiers](AssignmentStore& store) {
                store.setKeyboardOnly(2, key, modifiers);
            };
            harness.click("cmdRotaryKey", 2);
        };

        assign(82, OperatorShift);
        QCOMPARE(harness.rotaryCaption(2), QStringLiteral("[shift] Up Arrow"));
        QVERIFY(harness.config.ConfigChanged);
        assign(0, OperatorCtrl | OperatorShift | OperatorAlt);
        QCOMPARE(harness.editors.lastRotaryKey, (RotaryKey{82, OperatorShift}));
        QCOMPARE(harness.config.rotaryKey(2), RotaryKey{});
        QCOMPARE(harness.rotaryCaption(2), QStringLiteral("Not Used"));
    }

    void settingsFollowTheControlsWithoutMarkingAChange() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());

        harness.click("chkReverseY");
        harness.click("optSpinner", 2);
        harness.click("chkJoystick", 3);
        harness.control<QComboBox>("lstDivisor", 1).setCurrentIndex(2);
        DeviceSettings expected;
        expected.ReverseY = true;
        expected.Spinner = 2;
        expected.Joystick[3] = true;
        expected.Rotary[1].Divisor = 2;
        QCOMPARE(harness.window->settings(), expected);

        // Nothing to save, so Exit ends the program without a question.
        harness.trigger("mnuExit");
        QCOMPARE(harness.timeline(), QStringList());
        QCOMPARE(harness.exit.calls, 1);
    }

    void newClearsEverythingButTheChangedMarkAndScrollPosition() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeMouse, 1, 0);
        harness.window->setKeyboardOnly(1, KeyA, OperatorAlt);
        harness.click("optSingleKey", 11);
        harness.click("chkReverseX");
        harness.control<QComboBox>("lstMaximumRate", 0).setCurrentIndex(2);
        harness.control<QScrollBar>(QStringLiteral("ScrollBar")).setValue(200);

        harness.user.answerNext(MessageAnswer::No);
        harness.trigger("mnuNew");

        QCOMPARE(harness.config.input(0), InputMacro{});
        QCOMPARE(harness.config.rotaryKey(1), RotaryKey{});
        QCOMPARE(harness.window->settings(), DeviceSettings{});
        QVERIFY(!harness.control(QStringLiteral("chkReverseX")).isChecked());
        QCOMPARE(harness.control<QComboBox>("lstMaximumRate", 0).currentIndex(), 0);
        QVERIFY(harness.singleKeyShown(5) && harness.caption(0) == "Not Used");
        QCOMPARE(harness.rotaryCaption(1), QStringLiteral("Not Used"));
        QCOMPARE(harness.control<QScrollBar>(QStringLiteral("ScrollBar")).value(), 200);

        // Declining to save did not save: Exit asks again.
        harness.trigger("mnuExit");
        QCOMPARE(harness.messages().size(), 2);
        QCOMPARE(harness.exit.calls, 0);
    }

    void guardedCommandsFollowTheSaveAnswer_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("goesAhead");
        for (const char* command : {"mnuNew", "mnuOpen", "mnuRead", "mnuExit", "close box"}) {
            QTest::addRow("%s, saved", command) << command << "Yes" << true;
            QTest::addRow("%s, Save cancelled", command) << command << "Yes, cancel" << false;
            QTest::addRow("%s, No", command) << command << "No" << true;
            QTest::addRow("%s, Cancel", command) << command << "Cancel" << false;
        }
    }
    void guardedCommandsFollowTheSaveAnswer() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(bool, goesAhead);
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("Saved.cfg"));
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->setKey(0, KeyTypeKeyboard, KeyA, 0);

        harness.user.answerNext(answer.startsWith("Yes") ? MessageAnswer::Yes
                                : answer == "No"         ? MessageAnswer::No
                                                         : MessageAnswer::Cancel);
        if (answer == "Yes") {
            harness.dialogs.choose(saved.toStdString());
        } else if (answer == "Yes, cancel") {
            harness.dialogs.cancel();
        }
        if (command == "mnuOpen" && goesAhead) {
            harness.dialogs.cancel();
        }
        if (command == "close box") {
            QVERIFY(!harness.window->close());
        } else {
            harness.trigger(command);
        }

        QCOMPARE(harness.messages().front(),
                 rendered({message("The current configuration has changed.\r\n"
                                   "Do you want to save the changes?",
                                   "VANTREL Configuration Utility", MessageIcon::None,
                                   MessageButtons::YesNoCancel)})
                     .front());
        QCOMPARE(QFile::exists(saved), answer == "Yes");
        const auto& requests = harness.dialogs.requests();
        const bool openAsked = !requests.empty() && requests.back().title == "Open File";
        const bool wentAhead = command == "mnuNew"    ? harness.config.input(0) == InputMacro{}
                               : command == "mnuOpen" ? openAsked
                               : command == "mnuRead" ? device.openCount() == 2
                                                      : harness.exit.calls == 1;
        QCOMPARE(wentAhead, goesAhead);
    }

    void shortcutsWorkFromAnywhereInTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+N") << int{Qt::Key_N} << "settings cleared";
        QTest::newRow("Ctrl+O") << int{Qt::Key_O} << "Open File";
        QTest::newRow("Ctrl+S") << int{Qt::Key_S} << "Save File";
        QTest::newRow("Ctrl+R") << int{Qt::Key_R} << "R";
        QTest::newRow("Ctrl+W") << int{Qt::Key_W} << "W";
    }
    void shortcutsWorkFromAnywhereInTheWindow() {
        QFETCH(int, key);
        QFETCH(QString, effect);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        harness.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
        harness.control(QStringLiteral("chkReverseX")).setChecked(true);
        harness.dialogs.cancel();
        auto& focused = harness.control<QComboBox>("lstDivisor", 1);
        focused.setFocus();

        QTest::keyClick(&focused, static_cast<Qt::Key>(key), Qt::ControlModifier);

        QString seen;
        if (!harness.control(QStringLiteral("chkReverseX")).isChecked()) {
            seen = "settings cleared";
        } else if (!harness.dialogs.requests().empty()) {
            seen = QString::fromStdString(harness.dialogs.requests().front().title);
        } else if (!device.reports().empty()) {
            seen = QChar(device.reports().front()[4]); // the first of the start pair
        }
        QCOMPARE(seen, effect);
    }
};

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
