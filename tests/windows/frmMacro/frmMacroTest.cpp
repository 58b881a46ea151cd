#include "windows/frmMacro/frmMacro.h"

#include "model/DeviceSettings.h"
#include "tests/support/CaptionMisfits.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/NamedControl.h"
#include "tests/support/Recorders.h"
#include "windows/controls/CaptionButton.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

constexpr std::int16_t Input = 5;

const UserEvent Question =
    message("Warning!\r\nOne or more key presses have been detected without\r\n"
            "any matching key release. This will cause the key to\r\n"
            "remain pressed even after the macro is executed.\r\n\r\n"
            "Is this the intended result?",
            "VANTREL", MessageIcon::Exclamation, MessageButtons::YesNo);

/// The editor with every seam scripted: messages are recorded and answered
/// as queued (otherwise with the quiet answer), the assignment dialog notes
/// the step it is opened on and commits the next queued choice as the real
/// one would, and the main window's store notes the macro it is handed and
/// stores it unless told to refuse.
class Harness final : public StepEditor, public MacroStore {
public:
    void open(const InputMacro& stored) {
        config.input(Input) = stored;
        reopen(Input);
    }
    void reopen(std::int16_t input) {
        editor.setupMacro(*this, input);
        editor.show();
    }

    void editStep(MacroStepStore& store, std::int16_t index, const MacroStep& current) override {
        edited << index;
        shownToDialog << current;
        if (!choices.isEmpty()) {
            const MacroStep chosen = choices.takeFirst();
            store.setKey(index, chosen.KeyType, chosen.KeyValue, chosen.PressRelease);
        }
    }
    bool setMacro(std::int16_t index, const InputMacro& macro) override {
        handedOver << macro;
        if (!refuse) {
            config.input(index) = macro;
        }
        return !refuse;
    }

    template <typename T = QAbstractButton>
    T& get(const QString& name) {
        return namedControl<T>(editor, name);
    }
    void click(const QString& name) { QTest::mouseClick(&get(name), Qt::LeftButton); }
    void enterOn(const QString& name) {
        auto& control = get<QWidget>(name);
        control.setFocus();
        QTest::keyClick(&control, Qt::Key_Return);
    }
    /// Presses `key` where the focus is, and names the control it ends on.
    QString keyToFocus(Qt::Key key) {
        QTest::keyClick(editor.focusWidget(), key);
        return editor.focusWidget()->objectName();
    }
    QString caption(const QString& name) { return get<CaptionButton>(name).caption(); }
    QComboBox& list() { return get<QComboBox>("lstRepeatDelay"); }

    Configuration config;
    UserRecorder user;
    QList<MacroStep> choices;
    QList<int> edited;
    QList<MacroStep> shownToDialog;
    QList<InputMacro> handedOver;
    bool refuse = false;
    frmMacro editor{config, user, *this};
};

} // namespace

class frmMacroTest : public QObject {
    Q_OBJECT

private slots:
    // Each kind of step as its button shows it, drawn one line per caption
    // line; the longest captions still fit.
    void stepCaptions() {
        const QStringList expected{"Press\r\nA",      "Release\r\nLeft Click",
                                   "Press\r\nHat1 N", "Delay\r\n500 ms",
                                   "Not Used",        "Not Used"};
        Harness h;
        h.open(macroOf({release(KeyTypeMouse, 2), keyDown(0xE5), press(KeyTypeJoystick, 95)},
                       {keyDown(KeyA), release(KeyTypeMouse, 0), press(KeyTypeJoystick, 64),
                        delay(49), keyUp(0), keyDown(0)}));
        QStringList captions;
        QStringList drawn;
        for (int i = 0; i < expected.size(); ++i) {
            const auto& button = h.get<CaptionButton>(QStringLiteral("cmdDeactivate_%1").arg(i));
            captions << button.caption();
            drawn << button.wrappedLines(button.width()).join("\r\n");
        }
        QCOMPARE(captions, expected);
        QCOMPARE(drawn, expected);
        QCOMPARE(captionsThatDoNotFit(h.editor), QStringList());
        QVERIFY(h.editor.font().pointSizeF() >= 7.0);
    }

    // Steps are edited through the assignment dialog on a working copy that
    // Cancel, a close request and Esc all throw away.
    void editsAWorkingCopy_data() {
        QTest::addColumn<QString>("leaveBy");
        for (const char* way : {"cmdCancel", "close request", "Esc"}) {
            QTest::newRow(way) << QString::fromLatin1(way);
        }
    }
    void editsAWorkingCopy() {
        QFETCH(QString, leaveBy);
        InputMacro macro;
        macro.step(63, Activation) = keyDown(KeyA);
        macro.step(63, Deactivation) = keyUp(KeyA);
        Harness h;
        h.open(macro);
        h.editor.setKey(70, KeyTypeKeyboard, KeyB, true);
        QCOMPARE(h.caption("cmdDeactivate_6"), "Press\r\nB");
        QCOMPARE(h.caption("cmdActivate_6"), "Not Used");

        auto& bar = h.get<QScrollBar>("ScrollBar");
        QTest::keyClick(&bar, Qt::Key_PageDown);
        QCOMPARE(h.get<QLabel>("lblStep_0").text(), "Step 9");
        QTest::keyClick(&bar, Qt::Key_End);
        QCOMPARE(h.get<QLabel>("lblStep_0").text(), "Step 57");
        QCOMPARE(h.get<QLabel>("lblStep_7").text(), "Step 64");
        h.choices = {keyDown(KeyB), keyUp(KeyB)};
        h.click("cmdActivate_7");
        h.click("cmdDeactivate_7");
        h.click("chkRepeat");

        QCOMPARE(h.edited, QList<int>({63, 127}));
        QCOMPARE(h.shownToDialog, QList<MacroStep>({keyDown(KeyA), keyUp(KeyA)}));
        QCOMPARE(h.caption("cmdActivate_7"), "Press\r\nB");
        QCOMPARE(h.caption("cmdDeactivate_7"), "Release\r\nB");
        if (leaveBy == "Esc") {
            QTest::keyClick(&h.editor, Qt::Key_Escape);
        } else if (leaveBy == "cmdCancel") {
            h.click(leaveBy);
        } else {
            h.editor.close();
        }
        QVERIFY(!h.editor.isVisible());
        QCOMPARE(h.config.input(Input), macro);
        QVERIFY(h.handedOver.isEmpty());
    }

    // The release comes before the press, so the key would stay down: OK
    // asks, keeps the editor open on No (already compacted) and stores on Yes.
    void questionsAPressReleasedOnlyBefore() {
        const InputMacro opened = macroOf({keyUp(KeyA), {}, delay(49)}, {keyDown(KeyA)});
        Harness h;
        h.user.answerNext(MessageAnswer::No);
        h.user.answerNext(MessageAnswer::Yes);
        h.open(opened);

        h.click("cmdOK");
        QVERIFY(h.user.messages() == std::vector{Question});
        QCOMPARE(h.config.input(Input), opened);
        QVERIFY(h.handedOver.isEmpty());
        QVERIFY(h.editor.isVisible());
        QCOMPARE(h.caption("cmdActivate_1"), "Delay\r\n500 ms");

        h.click("cmdOK");
        QVERIFY(h.user.messages() == std::vector({Question, Question}));
        QCOMPARE(h.config.input(Input), macroOf({keyUp(KeyA), delay(49)}, {keyDown(KeyA)}));
        QVERIFY(!h.editor.isVisible());
    }

    // A tap with a gap, compacted at once; the store refuses it (over the
    // size limit), so the editor stays open on the compacted steps.
    void staysOpenOnARefusedMacro() {
        Harness h;
        h.refuse = true;
        h.open(InputMacro{});
        h.choices = {keyDown(KeyA), keyUp(KeyA)};
        h.click("cmdActivate_0");
        h.click("cmdActivate_2");

        h.click("cmdOK");

        QVERIFY(h.user.messages().empty());
        QCOMPARE(h.handedOver, QList<InputMacro>({macroOf({keyDown(KeyA), keyUp(KeyA)})}));
        QCOMPARE(h.config.input(Input), InputMacro{});
        QVERIFY(h.editor.isVisible());
        QCOMPARE(h.caption("cmdActivate_1"), "Release\r\nA");
    }

    // Enter acts as OK, except on a push button, which it clicks.
    void enterActsAsOK_data() {
        QTest::addColumn<QString>("control");
        for (const char* control : {"chkRepeat", "lstRepeatDelay", "ScrollBar", "cmdActivate_0"}) {
            QTest::newRow(control) << QString::fromLatin1(control);
        }
    }
    void enterActsAsOK() {
        QFETCH(QString, control);
        const bool button = control.startsWith("cmd");
        Harness h;
        h.open(InputMacro{});
        h.enterOn(control);
        QCOMPARE(h.handedOver.size(), button ? 0 : 1);
        QCOMPARE(h.edited, button ? QList<int>{0} : QList<int>{});
    }

    // Every open starts on activation step 1, wherever the last one ended:
    // Enter right after opening edits that step (enterActsAsOK's last row).
    void everyOpenStartsOnTheFirstStep() {
        Harness h;
        for (const bool closeOnOK : {true, false}) {
            h.open(InputMacro{});
            h.editor.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&h.editor));
            QCOMPARE(h.editor.focusWidget()->objectName(), "cmdActivate_0");
            if (closeOnOK) {
                h.enterOn("cmdOK");
                QVERIFY(!h.editor.isVisible());
            }
        }
    }

    // Tab reaches the scroll bar after the steps; arrow, page, Home and End
    // keys on a step button scroll the columns to keep the focused step in
    // view (a click does not scroll), so every step opens without a mouse.
    void reachesEveryStepByKeys() {
        Harness h;
        h.open(InputMacro{});
        h.editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.editor));
        h.get<QWidget>("cmdDeactivate_7").setFocus();
        QCOMPARE(h.keyToFocus(Qt::Key_Tab), "ScrollBar");
        QCOMPARE(h.keyToFocus(Qt::Key_Tab), "chkRepeat");

        h.get<QWidget>("cmdActivate_7").setFocus();
        QStringList walk;
        // On the scroll bar, Left scrolls toward step 1 and Right away from it.
        for (const Qt::Key key :
             {Qt::Key_Right, Qt::Key_Space, Qt::Key_End, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Left,
              Qt::Key_Left, Qt::Key_Right, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_PageUp,
              Qt::Key_Home, Qt::Key_Left, Qt::Key_Up}) {
            const QString focused = h.keyToFocus(key);
            walk << focused + " " + h.get<QLabel>("lblStep_0").text();
        }
        h.click("cmdActivate_3");
        QCOMPARE(walk,
                 QStringList(
                     {"cmdActivate_7 Step 2", "cmdActivate_7 Step 2", "cmdActivate_7 Step 57",
                      "cmdDeactivate_7 Step 57", "ScrollBar Step 57", "ScrollBar Step 56",
                      "ScrollBar Step 55", "ScrollBar Step 56", "cmdDeactivate_7 Step 56",
                      "cmdDeactivate_7 Step 56", "cmdDeactivate_0 Step 55",
                      "cmdDeactivate_0 Step 1", "cmdDeactivate_0 Step 1", "cmdActivate_0 Step 1"}));
        QCOMPARE(h.edited, QList<int>({8, 126, 3}));
    }

    // Check the box and choose the pause (check and uncheck for none); opened
    // again after another input, the controls show the stored setting.
    void repeatDelayRoundTrips_data() {
        QTest::addColumn<int>("repeatDelay");
        for (const int k : {0, 1, 4, 7}) {
            QTest::addRow("%d", k) << k;
        }
    }
    void repeatDelayRoundTrips() {
        QFETCH(int, repeatDelay);
        const bool repeats = repeatDelay != 0;
        Harness h;
        h.open(InputMacro{});
        QVERIFY(!h.list().isEnabled());
        h.click("chkRepeat");
        if (!repeats) {
            h.click("chkRepeat");
        }
        for (int i = 1; i < repeatDelay; ++i) {
            QTest::keyClick(&h.list(), Qt::Key_Down);
        }
        h.click("cmdOK");
        QCOMPARE(int{h.config.input(Input).RepeatDelay}, repeatDelay);

        h.reopen(Input + 1);
        h.reopen(Input);
        QCOMPARE(h.get("chkRepeat").isChecked(), repeats);
        QCOMPARE(h.list().isEnabled(), repeats);
        QCOMPARE(h.list().currentText().toStdString(),
                 RepeatDelayEntries.at(static_cast<std::size_t>(repeats ? repeatDelay - 1 : 0)));
    }
};

QTEST_MAIN(frmMacroTest)
#include "frmMacroTest.moc"
