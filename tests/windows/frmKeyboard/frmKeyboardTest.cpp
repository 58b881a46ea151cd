#include "frmKeyboard.h"

#include "CaptionButton.h"
#include "CaptionFit.h"
#include "KeyboardLayout.h"
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
#include <memory>
#include <set>

using namespace vantrel;

namespace {

constexpr std::int16_t Input = 3;
constexpr std::int16_t Step = 70;
constexpr std::int16_t RotaryKeyIndex = 2;
constexpr std::int32_t WideScreen = 20000;
constexpr std::uint8_t KeyA = 4;

/// Every store call as one line: "setKey 3 0 4 1", "setKeyboardOnly 2 30 3",
/// "step 70 0 4 release".
class RecordingStore final : public SingleKeyStore, public MacroStepStore {
public:
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                std::uint8_t keyOperator) override {
        calls << QStringLiteral("setKey %1 %2 %3 %4")
                     .arg(index)
                     .arg(keyType)
                     .arg(keyValue)
                     .arg(keyOperator);
    }
    void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                         std::uint8_t keyOperator) override {
        calls
            << QStringLiteral("setKeyboardOnly %1 %2 %3").arg(index).arg(keyValue).arg(keyOperator);
    }
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                bool pressRelease) override {
        calls << QStringLiteral("step %1 %2 %3 %4")
                     .arg(index)
                     .arg(keyType)
                     .arg(keyValue)
                     .arg(pressRelease ? "press" : "release");
    }

    QStringList calls;
};

enum class Mode { Single, Macro, Rotary };

/// The dialog as the program holds it, with a recording store.
struct Harness {
    explicit Harness(std::int32_t screenWidth = WideScreen)
        : dialog(screenWidth) {}

    /// Sets the dialog up in `mode` and shows it. `modifiers` is the key
    /// operator, or for a macro step non-zero for "Press". A rotary key is
    /// opened after a cancelled single key that had Key Repeat checked.
    void open(Mode mode, std::uint8_t keyType, std::uint8_t keyValue, std::uint8_t modifiers) {
        switch (mode) {
        case Mode::Single:
            dialog.setupKeyboard(asSingleKeyStore(), Input, keyType, keyValue, modifiers);
            break;
        case Mode::Macro:
            dialog.setupKeyboard(asMacroStepStore(), Step, keyType, keyValue, modifiers != 0);
            break;
        case Mode::Rotary:
            dialog.setupKeyboard(asSingleKeyStore(), Input, 0, KeyA, 8);
            dialog.cmdCancel_Click();
            dialog.setupKeyboardOnly(store, RotaryKeyIndex, keyValue, modifiers);
            break;
        }
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }

    SingleKeyStore& asSingleKeyStore() { return store; }
    MacroStepStore& asMacroStepStore() { return store; }

    template <typename T = QWidget>
    T& control(const QString& name) {
        T* found = dialog.findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return *found;
    }
    QTabWidget& tabs() { return control<QTabWidget>(QStringLiteral("Tabs")); }
    QLineEdit& delayBox() { return control<QLineEdit>(QStringLiteral("txtDelay")); }
    QScrollBar& bar() { return control<QScrollBar>(QStringLiteral("ScrollBar")); }

    void clickTab(int tab) {
        QTabBar* bar = tabs().tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    }
    void typeDelay(const QString& text) {
        QLineEdit& box = delayBox();
        QTest::mouseClick(&box, Qt::LeftButton);
        box.selectAll();
        QTest::keyClicks(&box, text);
    }

    /// One user action: "tab 2", "type 12ab", "press Return" (in the delay
    /// box), "Escape" (on the dialog), or a control to click.
    void act(const QString& action) {
        const QString argument = action.section(QLatin1Char(' '), 1);
        if (action.startsWith(QStringLiteral("tab "))) {
            clickTab(argument.toInt());
        } else if (action.startsWith(QStringLiteral("type "))) {
            typeDelay(argument);
        } else if (action == QStringLiteral("press Return")) {
            QTest::keyClick(&delayBox(), Qt::Key_Return);
        } else if (action == QStringLiteral("press Enter")) {
            QTest::keyClick(&delayBox(), Qt::Key_Enter, Qt::KeypadModifier);
        } else if (action == QStringLiteral("Escape")) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            QTest::mouseClick(&control<QAbstractButton>(action), Qt::LeftButton);
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
    QString selectableTabs() {
        QString flags;
        for (int tab = 0; tab < tabs().count(); ++tab) {
            flags += tabs().isTabEnabled(tab) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return flags;
    }

    RecordingStore store;
    frmKeyboard dialog;
};

const QStringList OperatorBoxes{"chkOperator_0", "chkOperator_1", "chkOperator_2", "chkOperator_3"};
const QStringList PressRelease{"optPressRelease_0", "optPressRelease_1"};

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
        h.open(Mode::Single, 0, KeyA, static_cast<std::uint8_t>(15 - keyOperator));
        for (const QString& box : OperatorBoxes) {
            h.act(box);
        }
        h.act(QStringLiteral("cmdKey_29"));
        QCOMPARE(h.store.calls, QStringList{QStringLiteral("setKey 3 0 29 %1").arg(keyOperator)});
        QVERIFY(!h.dialog.isVisible());
    }

    void commits_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<int>("keyType");
        QTest::addColumn<int>("keyValue");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("stored");

        QTest::newRow("mouse ignores the boxes")
            << Mode::Single << 0 << 4 << 15 << QStringList{"tab 1", "cmdMouse_2"}
            << QStringList{"setKey 3 1 2 0"};
        QTest::newRow("hat direction ignores the boxes")
            << Mode::Single << 0 << 4 << 15 << QStringList{"tab 2", "cmdJoystick_95"}
            << QStringList{"setKey 3 2 95 0"};
        QTest::newRow("macro key as a release")
            << Mode::Macro << 0 << 4 << 1 << QStringList{"optPressRelease_1", "cmdKey_5"}
            << QStringList{"step 70 0 5 release"};
        QTest::newRow("rotary key drops the hidden Key Repeat")
            << Mode::Rotary << 0 << 4 << 2 << QStringList{"chkOperator_0", "cmdKey_30"}
            << QStringList{"setKeyboardOnly 2 30 3"};
        QTest::newRow("OK on a rotary key") << Mode::Rotary << 0 << 80 << 4 << QStringList{"cmdOK"}
                                            << QStringList{"setKeyboardOnly 2 80 4"};
        QTest::newRow("OK after other tabs re-stores the key with the boxes")
            << Mode::Single << 0 << 4 << 1
            << QStringList{"chkOperator_1", "tab 2", "tab 1", "cmdOK"}
            << QStringList{"setKey 3 0 4 3"};
        QTest::newRow("OK on a mouse button ignores the boxes")
            << Mode::Single << 1 << 2 << 3 << QStringList{"chkOperator_2", "cmdOK"}
            << QStringList{"setKey 3 1 2 0"};
        QTest::newRow("OK after another tab re-stores the macro key as a release")
            << Mode::Macro << 0 << 4 << 1 << QStringList{"optPressRelease_1", "tab 1", "cmdOK"}
            << QStringList{"step 70 0 4 release"};
        QTest::newRow("OK re-stores a macro hat direction as a press")
            << Mode::Macro << 2 << 70 << 0 << QStringList{"tab 0", "optPressRelease_0", "cmdOK"}
            << QStringList{"step 70 2 70 press"};
        QTest::newRow("OK on a delay step with the Keyboard tab stores nothing")
            << Mode::Macro << 3 << 9 << 1 << QStringList{"tab 0", "cmdOK"} << QStringList{};
        QTest::newRow("Cancel stores nothing")
            << Mode::Single << 0 << 4 << 0 << QStringList{"chkOperator_0", "cmdCancel"}
            << QStringList{};
        QTest::newRow("Escape stores nothing")
            << Mode::Macro << 0 << 4 << 1 << QStringList{"Escape"} << QStringList{};
        QTest::newRow("delay by OK")
            << Mode::Macro << 3 << 0 << 1 << QStringList{"type 15", "cmdOK"}
            << QStringList{"step 70 3 1 press"};
        QTest::newRow("delay by Enter, limited to 2560 ms")
            << Mode::Macro << 3 << 0 << 1 << QStringList{"type 2600", "press Return"}
            << QStringList{"step 70 3 255 press"};
        QTest::newRow("delay by keypad Enter, leading number only")
            << Mode::Macro << 3 << 0 << 0 << QStringList{"type 12ab", "press Enter"}
            << QStringList{"step 70 3 0 release"};
        QTest::newRow("delay box holds four characters")
            << Mode::Macro << 3 << 0 << 1 << QStringList{"type 12345", "press Return"}
            << QStringList{"step 70 3 122 press"};
    }
    void commits() {
        QFETCH(Mode, mode);
        QFETCH(int, keyType);
        QFETCH(int, keyValue);
        QFETCH(int, modifiers);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, stored);
        Harness h;
        h.open(mode, static_cast<std::uint8_t>(keyType), static_cast<std::uint8_t>(keyValue),
               static_cast<std::uint8_t>(modifiers));
        h.store.calls.clear();
        for (const QString& action : actions) {
            h.act(action);
        }
        QCOMPARE(h.store.calls, stored);
        QVERIFY(!h.dialog.isVisible());
    }

    void whatEachModeOffers_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<int>("keyType");
        QTest::addColumn<int>("keyValue");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("selectable");
        QTest::addColumn<int>("visibleTab");
        QTest::addColumn<QString>("boxesShown");
        QTest::addColumn<QString>("boxesChecked");
        QTest::addColumn<QString>("pressReleaseShown");

        QTest::newRow("single key on a mouse button")
            << Mode::Single << 1 << 0 << 5 << QStringList{} << "1110" << 1 << "1111"
            << "1010"
            << "00";
        QTest::newRow("single key: the Delay tab cannot be chosen")
            << Mode::Single << 0 << 4 << 0 << QStringList{"tab 3"} << "1110" << 0 << "1111"
            << "0000"
            << "00";
        QTest::newRow("rotary key keeps Key Repeat checked but hidden")
            << Mode::Rotary << 0 << 4 << 6 << QStringList{"tab 1"} << "1000" << 0 << "1110"
            << "0111"
            << "00";
        QTest::newRow("macro key step, release")
            << Mode::Macro << 0 << 4 << 0 << QStringList{} << "1111" << 0 << "0000"
            << "0000"
            << "11";
        QTest::newRow("macro key step moved to the Delay tab")
            << Mode::Macro << 0 << 4 << 1 << QStringList{"tab 3"} << "1111" << 3 << "0000"
            << "0000"
            << "00";
        QTest::newRow("macro delay step moved to the Joystick tab")
            << Mode::Macro << 3 << 4 << 1 << QStringList{"tab 2"} << "1111" << 2 << "0000"
            << "0000"
            << "11";
    }
    void whatEachModeOffers() {
        QFETCH(Mode, mode);
        QFETCH(int, keyType);
        QFETCH(int, keyValue);
        QFETCH(int, modifiers);
        QFETCH(QStringList, actions);
        Harness h;
        h.open(mode, static_cast<std::uint8_t>(keyType), static_cast<std::uint8_t>(keyValue),
               static_cast<std::uint8_t>(modifiers));
        for (const QString& action : actions) {
            h.act(action);
        }
        QString checked;
        for (const QString& box : OperatorBoxes) {
            checked += h.control<QCheckBox>(box).isChecked() ? QLatin1Char('1') : QLatin1Char('0');
        }
        QTEST(h.selectableTabs(), "selectable");
        QTEST(h.tabs().currentIndex(), "visibleTab");
        QTEST(h.shown(OperatorBoxes), "boxesShown");
        QTEST(checked, "boxesChecked");
        QTEST(h.shown(PressRelease), "pressReleaseShown");
        if (mode == Mode::Macro) {
            QCOMPARE(h.control<QRadioButton>(PressRelease[0]).isChecked(), modifiers != 0);
        }
    }

    // A delay step shows its milliseconds, also when the Delay tab is still
    // visible from the last use; other uses keep the box's last text.
    void delayBoxText() {
        Harness h;
        h.open(Mode::Macro, 3, 255, 1);
        QCOMPARE(h.delayBox().text(), QStringLiteral("2560"));
        h.act(QStringLiteral("type 70"));
        h.act(QStringLiteral("cmdCancel"));
        h.open(Mode::Macro, 0, KeyA, 1);
        h.act(QStringLiteral("tab 3"));
        QCOMPARE(h.delayBox().text(), QStringLiteral("70"));
        h.act(QStringLiteral("cmdCancel"));
        h.open(Mode::Macro, 3, 4, 1);
        QCOMPARE(h.delayBox().text(), QStringLiteral("50"));
        QCOMPARE(h.shown(PressRelease), QStringLiteral("00"));
    }

    void narrowScreen() {
        const std::int32_t screen = 9000;
        Harness h(screen);
        h.open(Mode::Single, 0, KeyA, 0);
        QCOMPARE(h.dialog.width(), pixels(screen));
        QVERIFY(h.bar().isVisible());
        QCOMPARE(h.bar().value(), 0);
        QCOMPARE(h.bar().maximum(), 13635 - screen);
        const int barEnd = h.bar().geometry().right() + 1;
        QCOMPARE(barEnd, pixels(screen));
        QCOMPARE(h.control(QStringLiteral("cmdOK")).x(), barEnd - pixels(2895));
        QCOMPARE(h.control(QStringLiteral("cmdCancel")).x(), barEnd - pixels(1455));
    }

    void wideScreen() {
        Harness h(13635);
        h.open(Mode::Single, 0, KeyA, 0);
        QVERIFY(!h.bar().isVisible());
        const int raisedTop = pixels(4800 - 255);
        for (const char* name : {"optPressRelease_0", "cmdOK", "cmdCancel"}) {
            QCOMPARE(h.control(QLatin1String(name)).y(), raisedTop);
        }
        QCOMPARE(h.control(QStringLiteral("optPressRelease_1")).y(), pixels(5040 - 255));
        QCOMPARE(h.dialog.height(), pixels(5400 - 255));
        QCOMPARE(captionsThatDoNotFit(h.dialog), QStringList());
    }

    void scrollOffsetCarriesAcrossTabs() {
        Harness h(9000);
        h.open(Mode::Single, 0, KeyA, 0);
        h.bar().setValue(1500);
        QCOMPARE(h.control(QStringLiteral("picFrame_0")).x(), -pixels(1500));
        h.clickTab(2);
        QCOMPARE(h.control(QStringLiteral("picFrame_2")).x(), -pixels(1500));
        h.clickTab(1);
        QCOMPARE(h.control(QStringLiteral("picFrame_1")).x(), pixels(120));
    }

    // Once on screen, the keyboard focus goes to the opened selection; a
    // code without a button leaves the focus alone, and the timer stops.
    void focusOnTheSelection_data() {
        QTest::addColumn<int>("keyType");
        QTest::addColumn<int>("keyValue");
        QTest::addColumn<QString>("focused");
        QTest::newRow("key") << 0 << 41 << "cmdKey_41";
        QTest::newRow("hat direction") << 2 << 93 << "cmdJoystick_93";
        QTest::newRow("code without a button") << 0 << 50 << "";
    }
    void focusOnTheSelection() {
        QFETCH(int, keyType);
        QFETCH(int, keyValue);
        QFETCH(QString, focused);
        Harness h;
        h.open(Mode::Single, static_cast<std::uint8_t>(keyType),
               static_cast<std::uint8_t>(keyValue), 0);
        QApplication::setActiveWindow(&h.dialog);
        const auto* timer = h.dialog.findChild<QTimer*>(QStringLiteral("tmrSetFocus"));
        QTRY_VERIFY(!timer->isActive());
        const QWidget* focus = h.dialog.focusWidget();
        QCOMPARE(focus != nullptr && focus->objectName().startsWith(QStringLiteral("cmd"))
                     ? focus->objectName()
                     : QString(),
                 focused);
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
        for (const int usage : {53, 52, 49, 36, 0}) {
            texts << h.control<CaptionButton>(QStringLiteral("cmdKey_%1").arg(usage)).caption();
        }
        texts << h.control<CaptionButton>(QStringLiteral("cmdMouse_2")).caption()
              << h.control<CaptionButton>(QStringLiteral("cmdJoystick_63")).caption()
              << h.control<CaptionButton>(QStringLiteral("cmdJoystick_95")).caption();
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
            h.open(Mode::Rotary, 0, KeyA, 0);
            h.store.calls.clear();
            h.act(QStringLiteral("cmdKey_%1").arg(usage));
            QCOMPARE(h.store.calls,
                     QStringList{QStringLiteral("setKeyboardOnly 2 %1 0").arg(usage)});
        }
    }
};

QTEST_MAIN(frmKeyboardTest)
#include "frmKeyboardTest.moc"
