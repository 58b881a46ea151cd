#include "frmKeyboard.h"

#include "CaptionButton.h"
#include "CaptionFit.h"
#include "KeyboardLayout.h"
#include "NamedControl.h"
#include "Twips.h"
#include "modKeyText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <set>

using namespace vantrel;

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
        MacroStepStore& steps = store;
        if (words[0] == QStringLiteral("single")) {
            dialog.setupKeyboard(single, 3, number(1), number(2), number(3));
        } else if (words[0] == QStringLiteral("macro")) {
            dialog.setupKeyboard(steps, 70, number(1), number(2), number(3) != 0);
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

    /// User actions: "tab 2", "type 12ab" (into the delay box), "Return" or
    /// "Enter" (keypad, in the delay box), "Escape" (on the dialog), or the
    /// name of a control to click.
    void act(const QStringList& actions) {
        for (const QString& action : actions) {
            const QString argument = action.section(QLatin1Char(' '), 1);
            if (action.startsWith(QStringLiteral("tab "))) {
                QTabBar* tabBar = tabs().tabBar();
                QTest::mouseClick(tabBar, Qt::LeftButton, {},
                                  tabBar->tabRect(argument.toInt()).center());
            } else if (action.startsWith(QStringLiteral("type "))) {
                QTest::mouseClick(&delayBox(), Qt::LeftButton);
                delayBox().selectAll();
                QTest::keyClicks(&delayBox(), argument);
            } else if (action == QStringLiteral("Return")) {
                QTest::keyClick(&delayBox(), Qt::Key_Return);
            } else if (action == QStringLiteral("Enter")) {
                QTest::keyClick(&delayBox(), Qt::Key_Enter, Qt::KeypadModifier);
            } else if (action == QStringLiteral("Escape")) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else {
                QTest::mouseClick(&control<QAbstractButton>(action), Qt::LeftButton);
            }
        }
    }

    /// '1' for each control of `names` that shows whenever its tab does.
    QString shown(const QStringList& names) {
        QString flags;
        for (const QString& name : names) {
            flags += control(name).isHidden() ? QLatin1Char('0') : QLatin1Char('1');
        }
        return flags;
    }
    QString checked(const QStringList& names) {
        QString flags;
        for (const QString& name : names) {
            flags +=
                control<QAbstractButton>(name).isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        }
        return flags;
    }
    /// What the user can see and choose: "tabs 1110 on 1, boxes 1111
    /// checked 1010, press/release 00 checked 10".
    QString offered() {
        QString selectable;
        for (int tab = 0; tab < tabs().count(); ++tab) {
            selectable += tabs().isTabEnabled(tab) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return QStringLiteral("tabs %1 on %2, boxes %3 checked %4, press/release %5 checked %6")
            .arg(selectable)
            .arg(tabs().currentIndex())
            .arg(shown(OperatorBoxes), checked(OperatorBoxes), shown(PressRelease),
                 checked(PressRelease));
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

} // namespace

class frmKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Opened with the opposite boxes, the user toggles all four: what is
    // stored is what the boxes show at the click.
    void keyCarriesTheBoxesAsClicked_data() {
        QTest::addColumn<int>("keyOperator");
        for (int keyOperator = 0; keyOperator < 16; ++keyOperator) {
            QTest::addRow("operator %d", keyOperator) << keyOperator;
        }
    }
    void keyCarriesTheBoxesAsClicked() {
        QFETCH(int, keyOperator);
        Harness h;
        h.open(QStringLiteral("single 0 4 %1").arg(15 - keyOperator));
        h.act(OperatorBoxes + QStringList{"cmdKey_29"});
        QCOMPARE(h.store.calls, QStringList{QStringLiteral("setKey 3 0 29 %1").arg(keyOperator)});
        QVERIFY(!h.dialog.isVisible());
    }

    void commits_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("stored");

        QTest::newRow("mouse ignores the boxes")
            << "single 0 4 15" << QStringList{"tab 1", "cmdMouse_2"} << "setKey 3 1 2 0";
        QTest::newRow("hat direction ignores the boxes")
            << "single 0 4 15" << QStringList{"tab 2", "cmdJoystick_95"} << "setKey 3 2 95 0";
        QTest::newRow("macro key as a release")
            << "macro 0 4 1" << QStringList{"optPressRelease_1", "cmdKey_5"}
            << "step 70 0 5 release";
        QTest::newRow("rotary key drops the hidden Key Repeat")
            << "rotary 4 2" << QStringList{"chkOperator_0", "cmdKey_30"}
            << "setKeyboardOnly 2 30 3";
        QTest::newRow("OK on a rotary key")
            << "rotary 80 4" << QStringList{"cmdOK"} << "setKeyboardOnly 2 80 4";
        QTest::newRow("OK after other tabs re-stores the key with the boxes")
            << "single 0 4 1" << QStringList{"chkOperator_1", "tab 2", "tab 1", "cmdOK"}
            << "setKey 3 0 4 3";
        QTest::newRow("OK on a mouse button ignores the boxes")
            << "single 1 2 3" << QStringList{"chkOperator_2", "cmdOK"} << "setKey 3 1 2 0";
        QTest::newRow("OK after another tab re-stores the macro key as a release")
            << "macro 0 4 1" << QStringList{"optPressRelease_1", "tab 1", "cmdOK"}
            << "step 70 0 4 release";
        QTest::newRow("OK re-stores a macro hat direction as a press")
            << "macro 2 70 0" << QStringList{"tab 0", "optPressRelease_0", "cmdOK"}
            << "step 70 2 70 press";
        QTest::newRow("OK on a delay step with the Keyboard tab stores nothing")
            << "macro 3 9 1" << QStringList{"tab 0", "cmdOK"} << "";
        QTest::newRow("Cancel stores nothing")
            << "single 0 4 0" << QStringList{"chkOperator_0", "cmdCancel"} << "";
        QTest::newRow("Escape stores nothing") << "macro 0 4 1" << QStringList{"Escape"} << "";
        QTest::newRow("delay by OK")
            << "macro 3 0 1" << QStringList{"type 15", "cmdOK"} << "step 70 3 1 press";
        QTest::newRow("delay by Enter, limited to 2560 ms")
            << "macro 3 0 1" << QStringList{"type 2600", "Return"} << "step 70 3 255 press";
        QTest::newRow("delay by keypad Enter, leading number only")
            << "macro 3 0 0" << QStringList{"type 12ab", "Enter"} << "step 70 3 0 release";
        QTest::newRow("delay box holds four characters")
            << "macro 3 0 1" << QStringList{"type 12345", "Return"} << "step 70 3 122 press";
    }
    void commits() {
        QFETCH(QString, use);
        QFETCH(QStringList, actions);
        Harness h;
        h.open(use);
        h.act(actions);
        QTEST(h.store.calls.join(QLatin1Char('|')), "stored");
        QVERIFY(!h.dialog.isVisible());
    }

    void whatEachModeOffers_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("offered");

        QTest::newRow("single key on a mouse button")
            << "single 1 0 5" << QStringList{}
            << "tabs 1110 on 1, boxes 1111 checked 1010, press/release 00 checked 10";
        QTest::newRow("single key: the Delay tab cannot be chosen")
            << "single 0 4 0" << QStringList{"tab 3"}
            << "tabs 1110 on 0, boxes 1111 checked 0000, press/release 00 checked 10";
        QTest::newRow("rotary key keeps Key Repeat checked but hidden")
            << "rotary 4 6" << QStringList{"tab 1"}
            << "tabs 1000 on 0, boxes 1110 checked 0111, press/release 00 checked 10";
        QTest::newRow("macro key step, release")
            << "macro 0 4 0" << QStringList{}
            << "tabs 1111 on 0, boxes 0000 checked 0000, press/release 11 checked 01";
        QTest::newRow("macro key step moved to the Delay tab")
            << "macro 0 4 1" << QStringList{"tab 3"}
            << "tabs 1111 on 3, boxes 0000 checked 0000, press/release 00 checked 10";
        QTest::newRow("macro delay step moved to the Joystick tab")
            << "macro 3 4 1" << QStringList{"tab 2"}
            << "tabs 1111 on 2, boxes 0000 checked 0000, press/release 11 checked 10";
    }
    void whatEachModeOffers() {
        QFETCH(QString, use);
        QFETCH(QStringList, actions);
        Harness h;
        h.open(use);
        h.act(actions);
        QTEST(h.offered(), "offered");
    }

    // A delay step shows its milliseconds, also when the Delay tab is still
    // visible from the last use; other uses keep the box's last text.
    void delayBoxText() {
        Harness h;
        h.open(QStringLiteral("macro 3 255 1"));
        QCOMPARE(h.delayBox().text(), QStringLiteral("2560"));
        h.act({"type 70", "cmdCancel"});
        h.open(QStringLiteral("macro 0 4 1"));
        h.act({"tab 3"});
        QCOMPARE(h.delayBox().text(), QStringLiteral("70"));
        h.act({"cmdCancel"});
        h.open(QStringLiteral("macro 3 4 1"));
        QCOMPARE(h.delayBox().text(), QStringLiteral("50"));
        QCOMPARE(h.shown(PressRelease), QStringLiteral("00"));
    }

    void narrowScreen() {
        Harness h(NarrowScreen);
        h.open(QStringLiteral("single 0 4 0"));
        QCOMPARE(h.dialog.width(), pixels(NarrowScreen));
        QVERIFY(h.bar().isVisible());
        QCOMPARE(h.bar().value(), 0);
        QCOMPARE(h.bar().maximum(), 13635 - NarrowScreen);
        const int barEnd = h.bar().geometry().right() + 1;
        QCOMPARE(barEnd, pixels(NarrowScreen));
        QCOMPARE(h.control(QStringLiteral("cmdOK")).x(), barEnd - pixels(2895));
        QCOMPARE(h.control(QStringLiteral("cmdCancel")).x(), barEnd - pixels(1455));
    }

    void wideScreen() {
        Harness h(13635);
        h.open(QStringLiteral("single 0 4 0"));
        QVERIFY(!h.bar().isVisible());
        for (const char* name : {"optPressRelease_0", "cmdOK", "cmdCancel"}) {
            QCOMPARE(h.control(QLatin1String(name)).y(), pixels(4800 - 255));
        }
        QCOMPARE(h.control(QStringLiteral("optPressRelease_1")).y(), pixels(5040 - 255));
        QCOMPARE(h.dialog.height(), pixels(5400 - 255));
        QCOMPARE(captionsThatDoNotFit(h.dialog), QStringList());
    }

    void scrollOffsetCarriesAcrossTabs() {
        Harness h(NarrowScreen);
        h.open(QStringLiteral("single 0 4 0"));
        h.bar().setValue(1500);
        QCOMPARE(h.control(QStringLiteral("picFrame_0")).x(), -pixels(1500));
        h.act({"tab 2"});
        QCOMPARE(h.control(QStringLiteral("picFrame_2")).x(), -pixels(1500));
    }

    // Once on screen, the keyboard focus goes to the opened selection; a
    // code without a button leaves the focus alone, and the timer stops.
    void focusOnTheSelection_data() {
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("focused");
        QTest::newRow("key") << "single 0 44 0"
                             << "cmdKey_44";
        QTest::newRow("hat direction") << "single 2 93 0"
                                       << "cmdJoystick_93";
        QTest::newRow("code without a button") << "single 0 50 0"
                                               << "";
    }
    void focusOnTheSelection() {
        QFETCH(QString, use);
        Harness h;
        h.open(use);
        h.dialog.activateWindow();
        const auto* timer = h.dialog.findChild<QTimer*>(QStringLiteral("tmrSetFocus"));
        QTRY_VERIFY(!timer->isActive());
        const QWidget* focus = h.dialog.focusWidget();
        const bool onButton = focus != nullptr && focus->objectName().startsWith("cmd");
        QTEST(onButton ? focus->objectName() : QString(), "focused");
    }

    // The fixed texts, and the key captions a plain button would mangle.
    void captions() {
        Harness h;
        QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Select a key"));
        QStringList texts;
        for (int tab = 0; tab < h.tabs().count(); ++tab) {
            texts << h.tabs().tabText(tab);
        }
        for (const QString& name :
             OperatorBoxes + PressRelease + QStringList{"cmdOK", "cmdCancel"}) {
            texts << h.control<QAbstractButton>(name).text();
        }
        texts << h.control<QLabel>(QStringLiteral("lblDelay")).text()
              << h.control<QLabel>(QStringLiteral("lblJoystick_3")).text();
        for (const char* name : {"cmdKey_53", "cmdKey_52", "cmdKey_49", "cmdKey_36", "cmdKey_0",
                                 "cmdMouse_2", "cmdJoystick_63", "cmdJoystick_95"}) {
            texts << h.control<CaptionButton>(QLatin1String(name)).caption();
        }
        QCOMPARE(texts.join(QLatin1Char('|')),
                 QStringLiteral("Keyboard|Mouse|Joystick|Delay|Ctrl|Shift|Alt|Key Repeat|Press|"
                                "Release|OK|Cancel|Delay in msec: |POV Hat 4|` ~|' \"|\\ ||7 &|"
                                "Not Used|Middle|Button 64|NW"));
    }

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

        Harness h;
        for (const int usage : usages) {
            h.open(QStringLiteral("rotary 4 0"));
            h.act({QStringLiteral("cmdKey_%1").arg(usage)});
            QCOMPARE(h.store.calls,
                     QStringList{QStringLiteral("setKeyboardOnly 2 %1 0").arg(usage)});
        }
    }
};

QTEST_MAIN(frmKeyboardTest)
#include "frmKeyboardTest.moc"
