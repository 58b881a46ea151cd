#include "windows/frmMain/frmMain.h"

#include "device/EmulatedDevice.h"
#include "tests/support/CaptionMisfits.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/NamedControl.h"
#include "tests/support/Recorders.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/SpokenControls.h"
#include "tests/support/TemporaryFolder.h"
#include "windows/controls/CaptionButton.h"
#include "windows/frmKeyboard/frmKeyboard.h"
#include "windows/frmMacro/frmMacro.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <sstream>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

/// A message box as one readable line, as the recorder prints it.
QString said(const UserEvent& box) {
    std::ostringstream line;
    line << box;
    return QString::fromStdString(line.str());
}

/// One main window with its seams replaced: the device is the emulator,
/// messages are recorded and answered as queued (otherwise with the quiet
/// answer), file dialogs follow a script, and the editors and the end of the
/// program are only noted. Progress shows as in the program.
class Harness final : public AssignmentEditors, public ProgramExit {
public:
    /// A window on its own emulated device, or on `shared` when given.
    explicit Harness(EmulatedDevice* shared = nullptr)
        : device(shared != nullptr ? *shared : ownDevice)
        , window(config, {device, user, dialogs, *this, *this, [this] { ++aboutShown; },
                          [this] {
                              return volumeLabel;
                          }}) {}

    /// Runs start-up and shows the window as the program does, `active` with
    /// the keyboard.
    bool start(bool active = false) {
        return window.Form_Load() && (window.show(), QTest::qWaitForWindowExposed(&window)) &&
               (!active || (window.activateWindow(), QTest::qWaitForWindowActive(&window)));
    }

    /// The message boxes shown so far, one line each.
    [[nodiscard]] QStringList messages() const {
        QStringList lines;
        for (const UserEvent& box : user.messages()) {
            lines << said(box);
        }
        return lines;
    }
    // The editors note what they were opened for: "key 3", "macro 4" or
    // "rotary 2"; the tests then store through the window as an editor would.
    void editKey(SingleKeyStore&, std::int16_t index, const SingleKey&) override {
        opened << QStringLiteral("key %1").arg(index);
    }
    void editMacro(MacroStore&, std::int16_t index) override {
        opened << QStringLiteral("macro %1").arg(index);
    }
    void editRotaryKey(SingleKeyStore&, std::int16_t index, const RotaryKey&) override {
        opened << QStringLiteral("rotary %1").arg(index);
    }
    void endProgram() override { ++ends; }

    /// The control named `name`, or `name_index` for one of an array.
    template <typename T = QAbstractButton>
    T& control(const QString& name, int index = -1) {
        return namedControl<T>(window, name, index);
    }
    QScrollBar& bar() { return control<QScrollBar>(QStringLiteral("ScrollBar")); }
    void click(const QString& name, int index = -1) {
        QTest::mouseClick(&control(name, index), Qt::LeftButton);
    }
    void trigger(const QString& menuItem) { control<QAction>(menuItem).trigger(); }
    /// A key pressed on whatever has the focus; returns the name of what has
    /// it afterwards.
    QString press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return QApplication::focusWidget()->objectName();
    }
    /// One notch of the wheel, turned down over `widget` as the platform
    /// delivers it.
    static void turnWheelDown(QWidget& widget) {
        QWheelEvent down(QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)), QPoint(),
                         QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // Only a platform event travels up to the parents; sendEvent() would
        // mark it as the program's own.
        QSpontaneKeyEvent::setSpontaneous(&down);
        qApp->notify(&widget, &down);
    }

    QString caption(int index, const char* button = "cmdKey") {
        return control<CaptionButton>(button, index).caption();
    }
    /// What the window shows: each caption, whether each check box and
    /// option is set, each list's entry.
    QString shown() {
        QString text;
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            const auto* captioned = qobject_cast<const CaptionButton*>(button);
            text += captioned != nullptr ? captioned->caption() + '|'
                                         : QString(button->isChecked() ? '1' : '0');
        }
        for (const QComboBox* list : window.findChildren<QComboBox*>()) {
            text += QString::number(list->currentIndex());
        }
        return text;
    }
    EmulatedDevice ownDevice;
    EmulatedDevice& device;
    Configuration config;
    UserRecorder user;
    ScriptedFileDialogs dialogs;
    QStringList opened;
    int ends = 0;
    std::string volumeLabel;
    int aboutShown = 0;
    frmMain window;
};

/// Fills inputs from 1 upward with key presses until the configuration
/// counts exactly `size` bytes (an empty input already counts two).
void fillToSize(Configuration& config, std::int32_t size) {
    for (int position = 0; configurationSize(config) < size; ++position) {
        const int input = 1 + position / (2 * StepsPerSequence);
        config.input(input).step(position % StepsPerSequence, (position / StepsPerSequence) % 2) =
            keyDown(KeyA);
    }
}

class NoStepEditor final : public StepEditor {
public:
    void editStep(MacroStepStore&, std::int16_t, const MacroStep&) override {}
};

} // namespace

class frmMainTest : public QObject {
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ start-up

    void startsEmptyAndWarnsOnlyOnTheDistributionVolume_data() {
        QTest::addColumn<bool>("plugged");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("message");
        const QString warning =
            said(message("Warning: The VANTREL programs must be copied to and run\r\n"
                         "from its own folder on the PC's harddrive. The CD itself\r\n"
                         "should be reserved for backup purposes only.",
                         "VANTREL", MessageIcon::Exclamation));
        // The device check comes first: not even the volume warning follows.
        QTest::newRow("no device") << false << "VANTREL"
                                   << said(message("     No VANTREL devices detected !\r\n\r\n"
                                                   "Click the OK button below, plug the VANTREL\r\n"
                                                   "into the USB Port, and restart the program.",
                                                   "VANTREL", MessageIcon::Exclamation));
        QTest::newRow("word among others") << true << "VANTREL Setup 1.58" << warning;
        QTest::newRow("other letter case") << true << "Vantrel Setup" << QString();
        QTest::newRow("not a volume root") << true << "" << QString();
    }
    void startsEmptyAndWarnsOnlyOnTheDistributionVolume() {
        QFETCH(bool, plugged);
        QFETCH(QString, label);
        Harness h;
        h.device.setUnplugged(!plugged);
        h.volumeLabel = label.toStdString();
        h.config.input(3).step(0, Activation) = {KeyTypeKeyboard, 4, true};

        QCOMPARE(h.start(), plugged);

        QTEST(h.messages().join('\n'), "message");
        QCOMPARE(h.ends, plugged ? 0 : 1);
        QCOMPARE(h.window.isVisible(), plugged);
        if (plugged) {
            // The device is only checked for, not kept open.
            QCOMPARE(h.device.openCount(), 1);
            QVERIFY(!h.device.isOpen() && h.device.reports().empty());
            QCOMPARE(h.config.input(3), InputMacro{});
            QCOMPARE(h.shown().count("Not Used|"), InputCount + RotaryKeyCount);
        }
    }

    // ------------------------------------------------------------ keyboard

    void everyRowIsReachedFromTheKeyboardAndTheWheelChangesOnlyAFocusedList() {
        Harness h;
        QVERIFY(h.start(true));
        auto& divisor = h.control<QComboBox>("lstDivisor", 0);
        // Three units a notch, over the rows as over a list without the focus.
        Harness::turnWheelDown(h.control<QWidget>("lblInput", 1));
        QCOMPARE(h.bar().value(), 3);
        Harness::turnWheelDown(divisor);
        QCOMPARE(divisor.currentIndex(), 0);
        QCOMPARE(h.bar().value(), 6);
        divisor.setFocus();
        Harness::turnWheelDown(divisor);
        QCOMPARE(divisor.currentIndex(), 1);
        QCOMPARE(h.bar().value(), 6);

        h.bar().setValue(0);
        h.click("cmdKey", 11); // Input 12, cut off by the bottom edge
        QCOMPARE(h.bar().value(), 0);
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* focus;
            int value;
            const char* from = nullptr; // where the focus is put first
        } presses[] = {
            // Input 13 lies from 6660 to 7215: 7 units bring its bottom to 6438.
            {Qt::Key_Tab, Qt::NoModifier, "optSingleKey_24", 7},
            {Qt::Key_Backtab, Qt::NoModifier, "cmdKey_11", 7},
            {Qt::Key_Home, Qt::ControlModifier, "cmdKey_0", 0},
            // One page is 50 units, ten rows; the focus keeps its place on screen.
            {Qt::Key_PageDown, Qt::NoModifier, "cmdKey_10", 50},
            {Qt::Key_End, Qt::ControlModifier, "cmdKey_107", 481},
            // A page up from the end would leave Input 98 cut off by 9 twips;
            // one more unit shows it.
            {Qt::Key_PageUp, Qt::NoModifier, "cmdKey_97", 432},
            {Qt::Key_Home, Qt::ControlModifier, "cmdKey_0", 0},
            // From the settings too; a list does not take them as its ends.
            {Qt::Key_End, Qt::ControlModifier, "cmdKey_107", 481, "lstDivisor_1"},
            {Qt::Key_Home, Qt::ControlModifier, "cmdKey_0", 0, "chkJoystick_2"},
        };
        for (const auto& p : presses) {
            if (p.from != nullptr) {
                h.control<QWidget>(QString::fromLatin1(p.from)).setFocus();
            }
            QCOMPARE(h.press(p.key, p.modifiers), QString::fromLatin1(p.focus));
            QCOMPARE(h.bar().value(), p.value);
        }
        // Scrolling the focused row away stays as the user made it; the
        // focus goes to the nearest row in sight.
        h.bar().setValue(200);
        QCOMPARE(h.bar().value(), 200);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdKey_40"));
        h.press(Qt::Key_Home, Qt::ControlModifier);

        // On through every row, each shown from its top, to the settings
        // and round to the first row.
        const auto rowOf = [](const QString& name) { // -1 outside the column
            const int index = name.section('_', 1).toInt();
            return name.startsWith("cmdKey_")         ? index
                   : name.startsWith("optSingleKey_") ? index / 2
                                                      : -1;
        };
        QStringList expected;
        for (int i = 1; i < InputCount; ++i) {
            expected << QStringLiteral("optSingleKey_%1").arg(2 * i)
                     << QStringLiteral("cmdKey_%1").arg(i);
        }
        expected << QStringLiteral("cmdRotaryKey_0");
        QStringList stops;
        QString name = h.press(Qt::Key_Tab);
        for (; name != "optSingleKey_0" && stops.size() < 300; name = h.press(Qt::Key_Tab)) {
            stops << name;
            const int row = rowOf(name);
            QVERIFY2(row < 0 || h.control<QWidget>("picFrame", row).y() >= 0, qPrintable(name));
        }
        QCOMPARE(stops.mid(0, expected.size()), expected);
        QCOMPARE(h.bar().value(), 0);

        // Back from the first row to the last setting, and from the first
        // setting into the last row.
        QCOMPARE(rowOf(h.press(Qt::Key_Backtab)), -1);
        do {
            name = h.press(Qt::Key_Backtab);
        } while (rowOf(name) < 0);
        QCOMPARE(name, QStringLiteral("cmdKey_107"));
        QCOMPARE(h.bar().value(), h.bar().maximum());
    }

    void showsItsFixedCaptionsAndEachFitsItsControl() {
        Harness h;
        QCOMPARE(h.window.windowTitle(), QStringLiteral("VANTREL Configuration Utility"));
        QStringList shown;
        for (const QString& name :
             QStringLiteral("optSingleKey_24 optSingleKey_25 Frame3 Frame5 Frame1 Frame4 Frame2 "
                            "lblRotary_5 lblRotary_6 lblRotary_7 lblRotary_8 lblRotary_9 "
                            "chkReverseX chkReverseY optSpinner_0 optSpinner_1 optSpinner_2 "
                            "chkReverseSpinner chkJoystick_0 chkJoystick_3 mnuHelp mnuAbout")
                 .split(' ')) {
            // Frames and menus have a title, the other controls a text.
            const auto& found = h.control<QObject>(name);
            const QVariant title = found.property("title");
            shown << (title.isValid() ? title : found.property("text")).toString();
        }
        for (const char* list : {"lstMaximumRate", "lstDivisor", "lstBufferOverflow"}) {
            const auto& box = h.control<QComboBox>(list, 1);
            for (int i = 0; i < box.count(); ++i) {
                shown << box.itemText(i);
            }
        }
        const auto& file = h.control<QMenu>(QStringLiteral("mnuFile"));
        shown << file.title();
        for (const QAction* action : file.actions()) {
            shown << (action->isSeparator() ? QStringLiteral("-")
                                            : action->text() + ' ' + action->shortcut().toString())
                         .trimmed();
        }
        QCOMPARE(
            shown.join(" | "),
            QLatin1String("Single Key | Macro Sequence | Rotary Switch 1 | Rotary Switch 2 | "
                          "Trackball Control | Joystick Axes | Spinner Control | "
                          "Counterclockwise Movement | Clockwise Movement | Maximum rate  | "
                          "Divisor | Buffer overflow | Reverse X Axis | Reverse Y Axis | "
                          "Mouse Wheel | Mouse X Axis | Mouse Y Axis | Reverse Spinner | "
                          "Enable Joystick X Axis | Enable Joystick Rx Axis | &Help | &About | "
                          "10 per sec | 20 per sec | 40 per sec | 1 | 2 | 4 | Disabled | "
                          "Enabled | &File | &New Ctrl+N | - | &Open Ctrl+O | &Save Ctrl+S | "
                          "- | &Read from VANTREL Ctrl+R | &Write to VANTREL Ctrl+W | - | "
                          "E&xit"));

        // Every caption fits its control, which the check itself would notice
        // with too large a font.
        QVERIFY(h.start());
        const QFont font = fitCaptionFont(h.window, QApplication::font());
        QCOMPARE(captionsThatDoNotFit(h.window), QStringList());
        QVERIFY(font.pointSizeF() >= 7.0);
        QFont large = font;
        large.setPointSize(14);
        h.window.setFont(large);
        QVERIFY(captionsThatDoNotFit(h.window).contains("Enable Joystick Rx Axis"));
        // Buttons alike are measured once; a narrower one is not alike.
        QWidget rows;
        QRadioButton wide(QStringLiteral("Macro Sequence"), &rows);
        QRadioButton narrow(QStringLiteral("Macro Sequence"), &rows);
        wide.setGeometry(0, 0, 400, 30);
        narrow.setGeometry(0, 40, 40, 30);
        QCOMPARE(captionsThatDoNotFit(rows), QStringList{QStringLiteral("Macro Sequence")});

        CaptionButton button;
        // "&" is part of a key name, not a keyboard mnemonic.
        button.setCaption(QStringLiteral("(7 &, A, ...)"));
        QCOMPARE(button.text(), QStringLiteral("(7 &&, A, ...)"));
    }

    // ------------------------------------------------------------ commands

    // The assignment dialog's key and the macro editor's macro are held to
    // the same limit; each refusal has its own words.
    void refusesAnAssignmentThatWouldPassTheSizeLimit_data() {
        QTest::addColumn<bool>("asMacro");
        QTest::addColumn<int>("sizeBefore");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        // Input 0 holds B (4 bytes); Ctrl+Shift+Alt+A takes 16, 12 more.
        for (const bool asMacro : {false, true}) {
            const char* editor = asMacro ? "macro" : "key";
            QTest::addRow("%s reaches 4032 exactly", editor) << asMacro << 4020 << ""
                                                             << "[ctrl] [shift] [alt] A";
            QTest::addRow("%s would reach 4034", editor)
                << asMacro << 4022
                << said(message(std::string(asMacro ? "Warning!\r\n" : "") +
                                    "This configuration exceeds the maximum size limit.",
                                "VANTREL", MessageIcon::Exclamation))
                << "B";
        }
    }
    void refusesAnAssignmentThatWouldPassTheSizeLimit() {
        QFETCH(bool, asMacro);
        QFETCH(int, sizeBefore);
        QFETCH(QString, message);
        Harness h;
        QVERIFY(h.start());
        h.window.setKey(0, KeyTypeKeyboard, KeyB, 0);
        h.config.ConfigChanged = false;
        fillToSize(h.config, sizeBefore);
        QCOMPARE(configurationSize(h.config), sizeBefore);
        const InputMacro before = h.config.input(0);

        constexpr std::uint8_t AllModifiers = OperatorCtrl | OperatorShift | OperatorAlt;
        if (asMacro) {
            InputMacro macro;
            encodeSingleKey(KeyTypeKeyboard, KeyA, AllModifiers, macro);
            QCOMPARE(h.window.setMacro(0, macro), message.isEmpty());
        } else {
            h.window.setKey(0, KeyTypeKeyboard, KeyA, AllModifiers);
        }

        QCOMPARE(h.messages().join('\n'), message);
        QTEST(h.caption(0), "caption");
        QCOMPARE(h.config.ConfigChanged, message.isEmpty());
        QCOMPARE(h.config.input(0) == before, !message.isEmpty());
    }

    void captionsFollowTheRowOptionAndWhatTheEditorsStore() {
        Harness h;
        QVERIFY(h.start());
        h.window.setKey(3, KeyTypeKeyboard, KeyA, OperatorCtrl);
        h.config.ConfigChanged = false;

        // The row's option changes only how it shows and which editor opens;
        // what each editor stores, through the rows, is the program's test.
        h.click("optSingleKey", 7); // row 3, "Macro Sequence"
        QCOMPARE(h.caption(3), QStringLiteral("(Left Ctrl, A, ...)"));
        h.click("cmdKey", 3);
        QCOMPARE(h.opened, QStringList({"macro 3"}));
        QVERIFY(!h.config.ConfigChanged);

        // No key: the modifiers alone are not kept.
        h.window.setKeyboardOnly(2, 82, OperatorShift);
        h.window.setKeyboardOnly(2, 0, OperatorCtrl | OperatorShift | OperatorAlt);
        QCOMPARE(h.config.rotaryKey(2), RotaryKey{});
    }

    // A screen reader tells every control of each window apart by its name:
    // the input and its assignment, a key's full name, a step's number.
    void everyControlHasANameOfItsOwn() {
        Harness h;
        QVERIFY(h.start());
        h.window.setKey(11, KeyTypeKeyboard, KeyA, 0);
        frmKeyboard dialog(20000);
        dialog.setupKeyboard(h.window, 0, 0, 0, 0);
        NoStepEditor steps;
        frmMacro editor(h.config, h.user, steps);
        h.config.input(0) = macroOf({delay(0), delay(0), keyDown(KeyA)});
        editor.setupMacro(h.window, 0);

        // Qt names a list by its choice on Linux, and elsewhere by its own
        // name, the choice being its value.
#ifdef Q_OS_UNIX
        const QString rateListSpoken = "10 per sec (Maximum rate, Rotary Switch 2) | ";
#else
        const QString rateListSpoken =
            "Rotary Switch 2, Maximum rate (Maximum rate, Rotary Switch 2) | ";
#endif
        const QList<QPair<QWidget*, QStringList>> windows{
            {&h.window, {"Input 12: Single Key, A | ", rateListSpoken}},
            // A greyed tab sounds disabled; none sounds focused while the tab
            // row has no focus.
            {&dialog,
             {"Left Shift | Shift", "Right Shift | Shift", "Hat2 NE | NE", "Keyboard | ",
              "Delay [disabled] | "}},
            {&editor, {"Activation step 3: Press A | "}}};
        for (const auto& [window, examples] : windows) {
            QStringList spoken = spokenControls(*window);
            for (const QString& example : examples) {
                QVERIFY2(spoken.contains(example), qPrintable(example));
            }
            QCOMPARE(spoken.filter(QRegularExpression("^\\?")), QStringList());
            QCOMPARE(spoken.removeDuplicates(), 0);
        }
    }

    void settingsAreNoChangeToSaveAndNewClearsThem() {
        Harness h;
        QVERIFY(h.start());
        const QString atStart = h.shown();
        h.click("chkReverseY");
        h.click("optSpinner", 2);
        h.click("chkJoystick", 3);
        h.control<QComboBox>("lstDivisor", 1).setCurrentIndex(2);
        DeviceSettings expected;
        expected.ReverseY = true;
        expected.Spinner = 2;
        expected.Joystick[3] = true;
        expected.Rotary[1].Divisor = 2;
        QCOMPARE(h.window.settings(), expected);
        // Nothing to save, so Exit ends the program without a question.
        h.trigger("mnuExit");
        QCOMPARE(h.messages(), QStringList());
        QCOMPARE(h.ends, 1);

        h.window.setKey(0, KeyTypeMouse, 1, 0);
        h.window.setKeyboardOnly(1, KeyA, OperatorAlt);
        h.click("optSingleKey", 11);
        h.bar().setValue(200);
        h.config.ConfigFileName = "cabinet.cfg";
        h.user.answerNext(MessageAnswer::No);
        h.trigger("mnuNew");

        // New clears the assignments only: the work stays unsaved, under its name.
        QVERIFY(h.config.ConfigChanged && h.config.ConfigFileName == "cabinet.cfg");
        QCOMPARE(h.window.settings(), DeviceSettings{});
        QCOMPARE(h.shown(), atStart);
        QCOMPARE(h.bar().value(), 200);
    }

    void guardedCommandsRunOnlyWhenTheChangesMayGo_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("goesAhead");
        for (const char* command : {"mnuNew", "mnuOpen", "mnuRead", "mnuExit", "close box"}) {
            QTest::addRow("%s, No", command) << command << true;
            QTest::addRow("%s, Cancel", command) << command << false;
        }
    }
    void guardedCommandsRunOnlyWhenTheChangesMayGo() {
        QFETCH(QString, command);
        QFETCH(bool, goesAhead);
        Harness h;
        QVERIFY(h.start());
        h.window.setKey(0, KeyTypeKeyboard, KeyA, 0);

        // What Yes saves, and how, is the file commands' own business; the
        // window only has to ask first and then go ahead or stop.
        h.user.answerNext(goesAhead ? MessageAnswer::No : MessageAnswer::Cancel);
        h.dialogs.cancel(); // the Open dialog, should it come
        if (command == "close box") {
            QVERIFY(!h.window.close());
        } else {
            h.trigger(command);
        }

        QVERIFY(!h.messages().isEmpty() && h.messages().front().endsWith("yes/no/cancel"));
        QCOMPARE(command == "mnuNew"    ? h.config.input(0) == InputMacro{}
                 : command == "mnuOpen" ? !h.dialogs.requests().empty()
                 : command == "mnuRead" ? h.device.openCount() == 2
                                        : h.ends == 1,
                 goesAhead);
    }

    // Labels name the panel's wiring, not the assignment: they stay through
    // New, Read and every assignment, and go only when File > Open puts an
    // image's configuration in place.
    void labelsStayUntilAnImageIsOpened_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("said"); // the last message's text
        QTest::newRow("New") << "mnuNew" << true << "";
        QTest::newRow("assignment") << "setKey" << true << "";
        QTest::newRow("Read") << "mnuRead" << true
                              << "The configuration was successfully read from the device";
        QTest::newRow("Open, image") << "image" << false << "";
        QTest::newRow("Open, not an image")
            << "P1 Button 1 = A" << true << "Error: Invalid configuration file";
    }
    void labelsStayUntilAnImageIsOpened() {
        QFETCH(QString, command);
        Harness h;
        QVERIFY(h.start());
        h.trigger("mnuWrite");
        ConfigurationLabels labels;
        labels.inputs[2] = "P1 Left";
        labels.rotarySwitches[1] = "P2 Dial";
        Configuration imported;
        encodeSingleKey(KeyTypeKeyboard, KeyB, 0, imported.input(2));
        h.config.ConfigChanged = true;
        h.config.ConfigFileName = "earlier.cfg";
        h.window.showImportedConfiguration(imported, DeviceSettings{}, labels);
        QCOMPARE(h.caption(2), QStringLiteral("B"));
        QVERIFY(!h.config.ConfigChanged && h.config.ConfigFileName.empty());
        const std::size_t earlier = h.user.messages().size();

        const TemporaryFolder folder;
        const auto file = folder / "chosen";
        if (command.startsWith("mnu")) {
            h.trigger(command);
        } else if (command == "setKey") {
            h.window.setKey(2, KeyTypeKeyboard, KeyA, 0);
        } else {
            const DeviceImage image = imageOf(Configuration{});
            writeFile(file, command == "image" ? std::string(image.begin(), image.end())
                                               : command.toStdString());
            h.dialogs.choose(file.string());
            h.trigger("mnuOpen");
        }

        QFETCH(bool, kept);
        const auto shown = [kept](const char* label) {
            return kept ? QString::fromLatin1(label) : QString();
        };
        QCOMPARE(h.control<QWidget>("lblInput", 2).toolTip(), shown("P1 Left"));
        QCOMPARE(h.control<QWidget>("cmdKey", 2).accessibleDescription(), shown("P1 Left"));
        QCOMPARE(h.control<QWidget>("cmdRotaryKey", 3).toolTip(), shown("P2 Dial"));
        QCOMPARE(h.control<QWidget>("cmdRotaryKey", 2).accessibleDescription(), shown("P2 Dial"));
        QCOMPARE(h.control<QWidget>("cmdKey", 3).toolTip(), QString());
        const auto messages = h.user.messages();
        QTEST(messages.size() == earlier ? QString() : QString::fromStdString(messages.back().text),
              "said");
    }

    // ------------------------------------------------------------ transfers

    void eachTransferEndsWithItsOwnMessageOnceTheProgressWindowIsGone_data() {
        QTest::addColumn<QString>("transfer");
        QTest::addColumn<QString>("device"); // what is wrong with it
        QTest::addColumn<QString>("message");
        // A lost link is titled with the window's caption.
        const auto row = [](const char* transfer, const char* device, const char* text,
                            bool ownTitle, MessageIcon icon) {
            const char* title = ownTitle ? "VANTREL Configuration Utility" : ApplicationTitle;
            QTest::addRow("%s %s", transfer, device)
                << transfer << device << said(message(text, title, icon));
        };
        row("mnuWrite", "", WriteSuccessText, false, MessageIcon::None);
        row("mnuRead", "", ReadSuccessText, false, MessageIcon::None);
        // One row for each group of kinds the window words alike (the read's
        // words for them are the USB program's test).
        row("mnuWrite", "unplugged", "The VANTREL was not found", true, MessageIcon::Stop);
        row("mnuWrite", "cut off", "Error while writing to the VANTREL", true, MessageIcon::Stop);
        row("mnuRead", "blank", "Error: Invalid configuration file", false,
            MessageIcon::Exclamation);
        row("mnuWrite", "overfull", "This configuration exceeds the maximum size limit.", false,
            MessageIcon::Exclamation);
    }
    void eachTransferEndsWithItsOwnMessageOnceTheProgressWindowIsGone() {
        QFETCH(QString, transfer);
        QFETCH(QString, device);
        Harness h;
        QVERIFY(h.start());
        // A macro in its row and a setting: what a read brings back.
        h.click("optSingleKey", 1);
        QVERIFY(h.window.setMacro(0, macroOf({keyDown(KeyA), keyUp(KeyA), keyDown(KeyB)})));
        h.click("chkReverseY");
        const QString captionA = h.caption(0);
        if (device != "blank") {
            h.trigger("mnuWrite");
        }
        h.click("optSingleKey", 0);
        h.window.setKey(0, KeyTypeKeyboard, KeyB, 0);
        h.click("chkReverseY");
        const QString captionB = h.caption(0);
        h.user.clear();
        h.user.answerNext(MessageAnswer::No); // the read's save question
        h.device.setUnplugged(device == "unplugged");
        if (device == "cut off") {
            h.device.failExchange(1);
        }
        if (device == "overfull") {
            for (InputMacro& macro : h.config.InputMacros) {
                macro.Steps[Activation].fill(keyDown(KeyA));
            }
        }
        QString seen;
        h.user.beforeMessage = [&h, &seen] {
            const bool statusShown =
                h.window.findChild<QWidget*>(QStringLiteral("frmStatus")) != nullptr;
            seen = (statusShown ? QStringLiteral("status shown, ") : QString()) + h.caption(0);
        };

        h.trigger(transfer);

        QTEST(said(h.user.messages().back()), "message");
        // Only a read that got the configuration redraws it, before the
        // progress window goes.
        const bool read = transfer == "mnuRead" && device.isEmpty();
        QCOMPARE(seen, read ? captionA : captionB);
        QCOMPARE(h.control("chkReverseY").isChecked(), read);
    }

    void aRunningTransferIgnoresEveryOtherCommand_data() {
        QTest::addColumn<QString>("transfer");
        QTest::newRow("write") << "mnuWrite";
        QTest::newRow("read") << "mnuRead";
    }
    void aRunningTransferIgnoresEveryOtherCommand() {
        QFETCH(QString, transfer);
        Harness h;
        QVERIFY(h.start());
        h.window.setKey(0, KeyTypeKeyboard, 4, 0);
        h.user.answerNext(MessageAnswer::No); // the read's save question
        bool probed = false;
        bool editable = false;
        QTimer probe; // fires whenever the transfer lets events through
        probe.callOnTimeout([&] {
            if (h.window.findChild<QWidget*>(QStringLiteral("frmStatus")) == nullptr) {
                return; // no transfer under way
            }
            editable = editable || h.window.centralWidget()->isEnabled();
            if (!std::exchange(probed, true)) {
                for (const char* item : {"mnuWrite", "mnuRead", "mnuNew", "mnuOpen", "mnuSave",
                                         "mnuExit", "mnuAbout"}) {
                    h.trigger(item);
                }
                h.window.close();
            }
        });
        probe.start(0);

        h.trigger(transfer);

        QVERIFY(probed && !editable && h.window.centralWidget()->isEnabled());
        QCOMPARE(h.device.openCount(), 2); // the start-up check and this transfer
        QCOMPARE(h.messages().size(), transfer == "mnuRead" ? 2 : 1);
        QVERIFY(h.dialogs.requests().empty());
        QCOMPARE(h.ends + h.aboutShown, 0);
    }
};

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
