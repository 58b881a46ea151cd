#include "windows/frmKeyboard/frmKeyboard.h"

#include "keytext/modKeyText.h"
#include "tests/support/CaptionMisfits.h"
#include "tests/support/NamedControl.h"
#include "windows/controls/CaptionButton.h"
#include "windows/controls/Twips.h"
#include "windows/frmKeyboard/KeyboardLayout.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <set>

using namespace vantrel;
using vantrel::testing::captionsThatDoNotFit;

namespace {

constexpr std::int32_t WideScreen = 20000;
constexpr std::int32_t NarrowScreen = 9000;

/// Every store call as one line: "setKey 3 0 4 1", "setKeyboardOnly 2 30 3",
/// "step 70 0 4 release".
class RecordingStore final : public SingleKeyStore, public MacroStepStore {
public:
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                std::uint8_t keyOperator) override {
        calls << QString::asprintf("setKey %d %d %d %d", index, keyType, keyValue, keyOperator);
    }
    void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                         std::uint8_t keyOperator) override {
        calls << QString::asprintf("setKeyboardOnly %d %d %d", index, keyValue, keyOperator);
    }
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                bool pressRelease) override {
        calls << QString::asprintf("step %d %d %d %s", index, keyType, keyValue,
                                   pressRelease ? "press" : "release");
    }

    QStringList calls;
};

const QStringList OperatorBoxes{"chkOperator_0", "chkOperator_1", "chkOperator_2", "chkOperator_3"};
const QStringList PressRelease{"optPressRelease_0", "optPressRelease_1"};

/// The dialog as the program holds it, with a recording store.
struct Harness {
    explicit Harness(std::int32_t screenWidth = WideScreen)
        : dialog(screenWidth) {}

    /// Sets the dialog up as `use` says and shows it: "single TYPE VALUE
    /// OPERATOR" for input 3, "macro TYPE VALUE PRESS" for step 70 (PRESS 1
    /// or 0), or "rotary VALUE OPERATOR" for rotary key 2, which opens after
    /// a cancelled single key that had Key Repeat checked.
    void open(const QString& use) {
        const QStringList words = use.split(QLatin1Char(' '));
        const auto number = [&words](int i) {
            return static_cast<std::uint8_t>(words[i].toInt());
        };
        SingleKeyStore& single = store;
        if (words[0] == QStringLiteral("single")) {
            dialog.setupKeyboard(single, 3, number(1), number(2), number(3));
        } else if (words[0] == QStringLiteral("macro")) {
            dialog.setupKeyboard(static_cast<MacroStepStore&>(store), 70, number(1), number(2),
                                 number(3) != 0);
        } else {
            dialog.setupKeyboard(single, 3, 0, 4, 8);
            dialog.cmdCancel_Click();
            dialog.setupKeyboardOnly(single, 2, number(1), number(2));
        }
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        store.calls.clear();
    }

    template <typename T = QWidget>
    T& control(const QString& name) {
        return testing::namedControl<T>(dialog, name);
    }
    QTabWidget& tabs() { return control<QTabWidget>(QStringLiteral("Tabs")); }
    QLineEdit& delayBox() { return control<QLineEdit>(QStringLiteral("txtDelay")); }
    QScrollBar& bar() { return control<QScrollBar>(QStringLiteral("ScrollBar")); }

    /// User actions, comma-separated: "tab 2", "type 12ab" (into the delay
    /// box), "Return on NAME" or "Enter on NAME" (the keypad's, with the
    /// focus on that control), "Escape", "all boxes", "open USE", or the name
    /// of a control to click.
    void act(const QString& actions) {
        for (const QString& action : actions.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            const QString argument = action.section(QLatin1Char(' '), 1);
            if (action.startsWith(QStringLiteral("tab "))) {
                QTabBar* tabBar = tabs().tabBar();
                QTest::mouseClick(tabBar, Qt::LeftButton, {},
                                  tabBar->tabRect(argument.toInt()).center());
            } else if (action.startsWith(QStringLiteral("type "))) {
                QTest::mouseClick(&delayBox(), Qt::LeftButton);
                delayBox().selectAll();
                QTest::keyClicks(&delayBox(), argument);
            } else if (action.section(QLatin1Char(' '), 1, 1) == QStringLiteral("on")) {
                QWidget& focused = control(action.section(QLatin1Char(' '), 2));
                focused.setFocus();
                const bool keypad = action.startsWith(QStringLiteral("Enter"));
                QTest::keyClick(&focused, keypad ? Qt::Key_Enter : Qt::Key_Return,
                                keypad ? Qt::KeypadModifier : Qt::NoModifier);
            } else if (action == QStringLiteral("Escape")) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else if (action.startsWith(QStringLiteral("open "))) {
                open(argument);
            } else if (action == QStringLiteral("all boxes")) {
                act(OperatorBoxes.join(QStringLiteral(", ")));
            } else {
                QTest::mouseClick(&control<QAbstractButton>(action), Qt::LeftButton);
            }
        }
    }

    /// For each button of `names`, '1' if it is checked or, when `shown` is
    /// asked for, if it shows whenever its tab does.
    QString flags(const QStringList& names, bool shown) {
        QString result;
        for (const QString& name : names) {
            const auto& button = control<QAbstractButton>(name);
            result += (shown ? !button.isHidden() : button.isChecked()) ? '1' : '0';
        }
        return result;
    }
    /// What the user can see and choose: "tabs 1110 on 1, boxes 1111
    /// checked 1010, press/release 00 checked 10, delay 50".
    QString offered() {
        QString selectable;
        for (int tab = 0; tab < tabs().count(); ++tab) {
            selectable += tabs().isTabEnabled(tab) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return QStringLiteral(
                   "tabs %1 on %2, boxes %3 checked %4, press/release %5 checked %6, delay %7")
            .arg(selectable)
            .arg(tabs().currentIndex())
            .arg(flags(OperatorBoxes, true), flags(OperatorBoxes, false), flags(PressRelease, true),
                 flags(PressRelease, false), delayBox().text());
    }

    RecordingStore store;
    frmKeyboard dialog;
};

/// Inside its picture, and not reaching into another button further than
/// the border they share.
bool placedApart(const std::vector<ButtonPlace>& places, std::int32_t width, std::int32_t height) {
    const auto inner = [](const ButtonPlace& p) {
        return QRect(p.left, p.top, p.width - SharedBorder, p.height - SharedBorder);
    };
    for (std::size_t i = 0; i < places.size(); ++i) {
        const ButtonPlace& p = places[i];
        if (p.left < 0 || p.top < 0 || p.left + p.width > width || p.top + p.height > height) {
            return false;
        }
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            if (inner(p).intersects(inner(places[j]))) {
                return false;
            }
        }
    }
    return true;
}

/// A row of `use`, `actions` and what they should end in.
void addRow(const char* name, const char* use, const char* actions, const QString& expected) {
    QTest::newRow(name) << QString::fromLatin1(use) << QString::fromLatin1(actions) << expected;
}

} // namespace

class frmKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // A use of the dialog ends in what it stored ('|' between calls) if it
    // closed the dialog, or else in what the dialog then offers.
    void uses_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("outcome");
        // Opened with the opposite boxes, the user toggles all four.
        for (int op = 0; op < 16; ++op) {
            QTest::addRow("key carries the boxes as clicked, %d", op)
                << QStringLiteral("single 0 4 %1").arg(15 - op)
                << QStringLiteral("all boxes, cmdKey_29")
                << QStringLiteral("setKey 3 0 29 %1").arg(op);
        }
        addRow("mouse ignores the boxes", "single 0 4 15", "tab 1, cmdMouse_2", "setKey 3 1 2 0");
        addRow("hat ignores the boxes", "single 0 4 15", "tab 2, cmdJoystick_95",
               "setKey 3 2 95 0");
        addRow("macro key as a release", "macro 0 4 1", "optPressRelease_1, cmdKey_5",
               "step 70 0 5 release");
        addRow("rotary key drops the hidden Key Repeat", "rotary 4 2", "chkOperator_0, cmdKey_30",
               "setKeyboardOnly 2 30 3");
        addRow("OK on a rotary key", "rotary 80 4", "cmdOK", "setKeyboardOnly 2 80 4");
        addRow("OK after other tabs re-stores the key with the boxes", "single 0 4 1",
               "chkOperator_1, tab 2, tab 1, cmdOK", "setKey 3 0 4 3");
        addRow("OK on a mouse button ignores the boxes", "single 1 2 3", "chkOperator_2, cmdOK",
               "setKey 3 1 2 0");
        addRow("OK after another tab re-stores the macro key as a release", "macro 0 4 1",
               "optPressRelease_1, tab 1, cmdOK", "step 70 0 4 release");
        addRow("OK re-stores a macro hat direction as a press", "macro 2 70 0",
               "tab 0, optPressRelease_0, cmdOK", "step 70 2 70 press");
        addRow("OK on a delay step with the Keyboard tab stores nothing", "macro 3 9 1",
               "tab 0, cmdOK", "");
        addRow("Cancel stores nothing", "single 0 4 0", "chkOperator_0, cmdCancel", "");
        addRow("Escape stores nothing", "macro 0 4 1", "Escape", "");
        // How typed text becomes a delay is pinned with the delay rules; here
        // only the ways to commit it, the box's length and the option it keeps.
        addRow("delay by OK", "macro 3 0 1", "type 15, cmdOK", "step 70 3 1 press");
        addRow("delay by Enter, four characters at most", "macro 3 0 1",
               "type 12345, Return on txtDelay", "step 70 3 122 press");
        addRow("delay by keypad Enter, as a release", "macro 3 0 0", "type 2600, Enter on txtDelay",
               "step 70 3 255 release");
        // Enter acts as OK, except on a push button, which it clicks.
        addRow("Enter on a modifier box", "single 0 4 0", "chkOperator_0, Return on chkOperator_0",
               "setKey 3 0 4 1");
        addRow("Enter on a key", "single 0 4 0", "Return on cmdKey_29", "setKey 3 0 29 0");

        addRow("single key on a mouse button", "single 1 0 5", "",
               "tabs 1110 on 1, boxes 1111 checked 1010, press/release 00 checked 10, delay 10");
        addRow("single key: the Delay tab cannot be chosen", "single 0 4 0", "tab 3",
               "tabs 1110 on 0, boxes 1111 checked 0000, press/release 00 checked 10, delay 10");
        addRow("rotary key keeps Key Repeat checked but hidden", "rotary 4 6", "tab 1",
               "tabs 1000 on 0, boxes 1110 checked 0111, press/release 00 checked 10, delay 10");
        addRow("macro key step, release", "macro 0 4 0", "",
               "tabs 1111 on 0, boxes 0000 checked 0000, press/release 11 checked 01, delay 10");
        addRow("macro delay step moved to the Joystick tab", "macro 3 4 1", "tab 2",
               "tabs 1111 on 2, boxes 0000 checked 0000, press/release 11 checked 10, delay 50");
        // The box shows a delay step's milliseconds, also when the Delay tab
        // is still current from the last use; other uses keep its last text.
        addRow("delay step shows its milliseconds", "macro 3 255 1", "",
               "tabs 1111 on 3, boxes 0000 checked 0000, press/release 00 checked 10, delay 2560");
        addRow("key step moved to the Delay tab keeps the last text", "macro 3 255 1",
               "type 70, cmdCancel, open macro 0 4 1, tab 3",
               "tabs 1111 on 3, boxes 0000 checked 0000, press/release 00 checked 10, delay 70");
        addRow("delay step on the current Delay tab", "macro 0 4 1",
               "tab 3, type 70, cmdCancel, open macro 3 4 1",
               "tabs 1111 on 3, boxes 0000 checked 0000, press/release 00 checked 10, delay 50");
    }
    void uses() {
        QFETCH(QString, use);
        QFETCH(QString, actions);
        Harness h;
        h.open(use);
        h.act(actions);
        QTEST(h.dialog.isVisible() ? h.offered() : h.store.calls.join(QLatin1Char('|')), "outcome");
    }

    // Narrower than the dialog, the screen gets a scroll bar that moves the
    // picture of every tab.
    void scrollsOnlyOnANarrowScreen() {
        Harness h(NarrowScreen);
        h.open(QStringLiteral("single 0 4 0"));
        QVERIFY(h.bar().isVisible());
        h.bar().setValue(1500);
        QCOMPARE(h.control(QStringLiteral("picFrame_0")).x(), -pixels(1500));
        h.act(QStringLiteral("tab 2"));
        QCOMPARE(h.control(QStringLiteral("picFrame_2")).x(), -pixels(1500));

        // Wide enough, there is no bar, and every caption fits.
        Harness wide(13635);
        wide.open(QStringLiteral("single 0 4 0"));
        QVERIFY(!wide.bar().isVisible());
        QCOMPARE(captionsThatDoNotFit(wide.dialog), QStringList());
    }

    // Once on screen, the keyboard focus goes to the opened selection, the
    // delay box with its text selected on the Delay tab; a code without a
    // button leaves no button of the last use (Right) focused.
    void focusOnTheSelection_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("outcome");
        addRow("key", "single 0 44 0", "", "cmdKey_44");
        addRow("hat", "single 2 93 0", "", "cmdJoystick_93");
        addRow("key code without a button", "single 0 50 0", "", "qt_tabwidget_tabbar");
        addRow("mouse code without a button", "single 1 5 0", "", "qt_tabwidget_tabbar");
        addRow("joystick code without a button", "single 2 96 0", "", "qt_tabwidget_tabbar");
        addRow("delay step", "macro 3 9 1", "", "txtDelay 100");
        addRow("Delay tab entered", "macro 0 4 1", "tab 3", "txtDelay 10");
    }
    void focusOnTheSelection() {
        QFETCH(QString, use);
        QFETCH(QString, actions);
        QFETCH(QString, outcome);
        Harness h;
        const auto* timer = h.dialog.findChild<QTimer*>(QStringLiteral("tmrSetFocus"));
        const auto settledFocus = [&h, timer] {
            h.dialog.activateWindow();
            const bool settled = QTest::qWaitFor([timer] { return !timer->isActive(); });
            const QWidget* focus = h.dialog.focusWidget();
            const auto* box = qobject_cast<const QLineEdit*>(focus);
            return settled ? focus->objectName() + (box != nullptr ? " " + box->selectedText() : "")
                           : "";
        };
        h.open(QStringLiteral("single 1 1 0"));
        QCOMPARE(settledFocus(), QStringLiteral("cmdMouse_1"));
        h.act(QStringLiteral("cmdCancel, open ") + use + ", " + actions);
        QTRY_COMPARE(settledFocus(), outcome);
    }

    // The fixed texts, and the key captions a plain button would mangle.
    void captions() {
        Harness h;
        QStringList texts{h.dialog.windowTitle()};
        for (int tab = 0; tab < h.tabs().count(); ++tab) {
            texts << h.tabs().tabText(tab);
        }
        for (const QString& name :
             OperatorBoxes + PressRelease +
                 QStringList{"cmdOK", "cmdCancel", "lblDelay", "lblJoystick_3"}) {
            texts << h.control(name).property("text").toString();
        }
        for (const char* name : {"cmdKey_53", "cmdKey_52", "cmdKey_49", "cmdKey_36", "cmdKey_0",
                                 "cmdMouse_2", "cmdJoystick_63", "cmdJoystick_95"}) {
            texts << h.control<CaptionButton>(QLatin1String(name)).caption();
        }
        QCOMPARE(texts.join(QLatin1Char('|')),
                 QStringLiteral("Select a key|Keyboard|Mouse|Joystick|Delay|Ctrl|Shift|Alt|Key "
                                "Repeat|Press|Release|OK|Cancel|Delay in msec: |POV Hat 4|` ~|"
                                "' \"|\\ ||7 &|Not Used|Middle|Button 64|NW"));
    }

    // Every key of the picture has its own usage and a name, and every
    // button of a picture a place of its own.
    void keyboardLayout() {
        std::set<int> usages;
        std::vector<ButtonPlace> places;
        for (const KeyboardKey& key : keyboardKeys()) {
            QVERIFY2(usages.insert(key.usage).second, key.caption);
            QVERIFY2((keyName(key.usage) == "Not Used") == (key.usage == 0), key.caption);
            places.push_back(keyPlace(key));
        }
        QCOMPARE(usages.size(), 105U);
        QVERIFY(placedApart(places, KeyboardPictureWidth, KeyboardPictureHeight));

        std::vector<ButtonPlace> joystick;
        for (const ActionButton& button : joystickButtons()) {
            joystick.push_back(button.place);
        }
        for (const PictureLabel& label : hatLabels()) {
            joystick.push_back(label.place);
        }
        QVERIFY(placedApart(joystick, JoystickPictureWidth, JoystickPictureHeight));
    }
};

QTEST_MAIN(frmKeyboardTest)
#include "frmKeyboardTest.moc"
