#include "windows/MonitorWindow/MonitorWindow.h"

#include "tests/support/ModelBuilders.h"
#include "tests/support/NamedControl.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/SpokenControls.h"
#include "tests/support/TemporaryFolder.h"
#include "windows/MonitorWindow/ElidedLabel.h"
#include "windows/MonitorWindow/HatIndicator.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MotionIndicator.h"
#include "windows/MonitorWindow/PanelGrid.h"
#include "windows/MonitorWindow/SessionLog.h"
#include "windows/controls/LiveRegion.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <limits>

namespace vantrel {
namespace {

using testing::namedControl;

const std::string Example = VANTREL_EXAMPLES "/two-player-cabinet.json";
const std::vector<std::string> ExampleSession = {VANTREL_EXAMPLES "/two-player-cabinet.evemu",
                                                 VANTREL_EXAMPLES
                                                 "/two-player-cabinet-mouse.evemu"};

/// Events that never come, and a grab that answers as told.
class StillFeed final : public EventFeed {
public:
    StillFeed(std::vector<bool>& grabs, const std::optional<Grab>& answer)
        : grabs_(grabs)
        , answer_(answer) {}

    Poll poll(std::int64_t /*elapsed*/) override { return {}; }
    [[nodiscard]] std::string deviceName(std::size_t /*device*/) const override {
        return "/dev/input/event7";
    }
    [[nodiscard]] std::string description() const override { return "live"; }
    Grab grab(bool take) override {
        grabs_.push_back(take);
        return take ? answer_.value() : Grab::Released;
    }

private:
    std::vector<bool>& grabs_;
    const std::optional<Grab>& answer_;
};

struct Harness {
    testing::ScriptedFileDialogs dialogs;
    DeviceConfigurationRead device; ///< what the device read gives
    std::string noLiveFeed = "No VANTREL is attached.";
    std::vector<bool> grabs;
    std::optional<EventFeed::Grab> liveGrab; ///< a live feed, when set
    MonitorWindow window;
    InputTestSession session{
        window,
        {dialogs,
         [this] { return device; },
         [this]() -> OpenedLiveFeed {
             if (!liveGrab) {
                 return Result<LiveFeedError>{LiveFeedError::NotAttached, noLiveFeed};
             }
             return std::make_unique<StillFeed>(grabs, liveGrab);
         },
         {},
         {}}};

    /// Plays the recordings without waiting for their time.
    void replayAll(const std::vector<std::string>& files) {
        QVERIFY(session.replay(files));
        while (session.feeding()) {
            session.advance(std::numeric_limits<std::int64_t>::max() / 2);
        }
    }

    /// The titles of the cells marked as seen, with their counts.
    [[nodiscard]] QStringList marked(const PanelGrid& grid) const {
        QStringList titles;
        for (int row = 0; row < grid.count(); ++row) {
            if (grid.seen(row) > 0) {
                titles << QStringLiteral("%1 %2x").arg(grid.item(row)->text()).arg(grid.seen(row));
            }
        }
        return titles;
    }

    [[nodiscard]] QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < window.lineList().count(); ++row) {
            texts << window.lineList().item(row)->text();
        }
        return texts;
    }
};

/// What vantrelctl monitor prints for the recordings, line by line.
QStringList toolLines(const std::string& config, const std::vector<std::string>& files) {
    QStringList arguments{"monitor", "--config", QString::fromStdString(config)};
    for (const std::string& file : files) {
        arguments << "--events" << QString::fromStdString(file);
    }
    QProcess tool;
    tool.start(QStringLiteral(VANTRELCTL_PATH), arguments);
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

/// The lines of a text file, which end in CR LF on Windows.
QStringList fileLines(const std::filesystem::path& file) {
    return QString::fromStdString(testing::contentsOf(file))
        .remove('\r')
        .split('\n', Qt::SkipEmptyParts);
}

/// Every input sends a key, with a label as long as they come: the largest
/// panel the window has to show.
LoadedConfiguration fullPanel() {
    LoadedConfiguration loaded;
    for (int i = 0; i < InputCount; ++i) {
        encodeSingleKey(KeyTypeKeyboard, static_cast<std::uint8_t>(4 + i % 50), 0,
                        loaded.config.input(i));
        loaded.labels.inputs.at(static_cast<std::size_t>(i)) =
            "P" + std::to_string(i % 4 + 1) + " Button " + std::to_string(i);
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        loaded.config.rotaryKey(k) = {static_cast<std::uint8_t>(79 + k), 0};
    }
    return loaded;
}

} // namespace

class MonitorWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The log holds what the tool prints for the same recordings, the
    // summary included, so that a session kept from the window reads as one
    // kept from the terminal.
    void theLogHoldsWhatTheToolPrints_data() {
        QTest::addColumn<QString>("recordings"); // separated by '|'
        QTest::newRow("example session")
            << QString::fromStdString(ExampleSession[0] + "|" + ExampleSession[1]);
        QTest::newRow("keyboard") << VANTREL_MONITOR_FIXTURES "/keyboard.evemu";
        QTest::newRow("without scan codes")
            << VANTREL_MONITOR_FIXTURES "/keyboard-without-scan-codes.evemu";
        QTest::newRow("mouse and joystick") << VANTREL_MONITOR_FIXTURES "/mouse-and-joystick.evemu";
    }

    void theLogHoldsWhatTheToolPrints() {
        QFETCH(QString, recordings);
        std::vector<std::string> files;
        for (const QString& file : recordings.split('|')) {
            files.push_back(file.toStdString());
        }
        testing::TemporaryFolder folder;
        const std::filesystem::path log = folder / "session.txt";
        Harness h;
        QVERIFY(h.session.openConfiguration(Example));
        QVERIFY(h.session.startLog(log.string()));
        h.replayAll(files);
        const QStringList expected = toolLines(Example, files);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(fileLines(log), expected);
        // The replay's end closed the log.
        QVERIFY(!h.window.findChild<QAction*>("mnuLog")->isChecked());
    }

    void theExampleSessionMarksWhatWasPressed() {
        Harness h;
        QVERIFY(h.session.openConfiguration(Example));
        h.replayAll(ExampleSession);

        QStringList notSeen;
        for (int row = 0; row < h.window.inputGrid().count(); ++row) {
            if (h.window.inputGrid().seen(row) == 0) {
                notSeen << h.window.inputGrid().item(row)->text();
            }
        }
        // The coin buttons share their key with the coin-and-start macro,
        // P1 Button 1 and 4 theirs with Autofire and Save State, the dials
        // theirs with the joysticks: only what the recording presses counts.
        QCOMPARE(notSeen, QStringList({"Input 12", "Input 23", "Input 24", "Input 28", "Input 31",
                                       "Input 33"}));
        QCOMPARE(h.window.inputGrid().count(), 33);
        QCOMPARE(h.marked(h.window.rotaryGrid()), QStringList());
        QCOMPARE(h.window.counter().text(), QStringLiteral("Seen 27 of 37"));
        QCOMPARE(h.window.unseen().fullText(),
                 QStringLiteral("Not seen: Coin 1, P2 Start, Coin 2, Pause, Save State, P1 "
                                "Autofire, P1 Dial counterclockwise, P1 Dial clockwise, P2 Dial "
                                "counterclockwise, P2 Dial clockwise"));
        QCOMPARE(h.lines(),
                 QStringList({"not in the configuration: F13",
                              "Input 15 (P2 Left) or Rotary Switch 2 (P2 Dial) counterclockwise: D "
                              "(more than one control sends this: see vantrelctl check)"}));
        QVERIFY(h.window.rotaryGrid().maybe(2));
        QCOMPARE(h.window.motion().text(), QStringLiteral("X -30, Y +70"));
        QCOMPARE(h.window.lastPress().text(),
                 QStringLiteral("Input 26 \u00b7 Trackball Right \u00b7 Right Click"));
        QVERIFY(h.window.notice().text().startsWith("The replay has ended."));
        QVERIFY(namedControl<QPushButton>(h.window, "noticeRecording").isVisibleTo(&h.window));

        // Reset Marks starts the round again.
        QTest::mouseClick(&namedControl<QPushButton>(h.window, "resetMarks"), Qt::LeftButton);
        QCOMPARE(h.marked(h.window.inputGrid()), QStringList());
        QCOMPARE(h.marked(h.window.rotaryGrid()), QStringList());
        QCOMPARE(h.window.counter().text(), QStringLiteral("Seen 0 of 37"));
        QCOMPARE(h.lines(), QStringList());
    }

    // Recordings play at their own pace: half-way through, the hat points
    // where the recording holds it then.
    void theHatsShowWhereTheyPoint() {
        Harness h;
        LoadedConfiguration hat;
        encodeSingleKey(KeyTypeJoystick, 65, 0, hat.config.input(6)); // Hat1 NE
        h.device = hat;
        QVERIFY(h.session.readDeviceConfiguration());
        QVERIFY(h.session.replay({VANTREL_MONITOR_FIXTURES "/mouse-and-joystick.evemu"}));
        QCOMPARE(h.window.hats().size(), std::size_t{1});
        const HatIndicator& indicator = *h.window.hats().front();
        h.session.advance(650'000);
        QCOMPARE(indicator.direction(), std::optional<int>(1));
        QCOMPARE(indicator.accessibleName(), QStringLiteral("Hat1 NE"));
        QCOMPARE(h.window.inputGrid().seen(0), 1);
        h.session.advance(750'000);
        QCOMPARE(indicator.direction(), std::optional<int>());
        QCOMPARE(indicator.accessibleName(), QStringLiteral("Hat 1: centred"));
        QVERIFY(h.session.feeding());
    }

    // 108 inputs and four rotary directions on a 1280 × 800 screen, less a
    // title bar: every cell in sight, with its title whole.
    void theFullPanelFitsTheSmallScreen() {
        Harness h;
        h.device = fullPanel();
        QVERIFY(h.session.readDeviceConfiguration());
        h.window.resize(1280, 770);
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        QVERIFY(h.window.sizeHint().height() <= 770);
        for (const PanelGrid* grid : {&h.window.inputGrid(), &h.window.rotaryGrid()}) {
            QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
            const QRect viewport = grid->viewport()->rect();
            QFont bold = grid->font();
            bold.setBold(true);
            for (int row = 0; row < grid->count(); ++row) {
                const QRect cell = grid->visualItemRect(grid->item(row));
                QVERIFY2(viewport.contains(cell), qPrintable(grid->item(row)->text()));
                QVERIFY(QFontMetrics(bold).horizontalAdvance(grid->item(row)->text() + " 99x") <
                        cell.width());
            }
        }
        QCOMPARE(h.window.inputGrid().count(), 108);
        QCOMPARE(h.window.rotaryGrid().count(), 4);
    }

    // Each cell is reached by the keyboard and read with its input, label,
    // assignment and how often it was seen (the session played twice).
    void aScreenReaderHearsEveryCell() {
        Harness h;
        QVERIFY(h.session.openConfiguration(Example));
        h.replayAll({ExampleSession.front(), ExampleSession.front()});
        h.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::keyClick(&h.window, Qt::Key_I, Qt::AltModifier);
        PanelGrid& grid = h.window.inputGrid();
        QCOMPARE(QApplication::focusWidget(), &grid);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.currentRow(), 1);

        const QStringList spoken =
            testing::spokenControls(h.window, testing::interactiveRolesAndItems());
        QVERIFY(spoken.contains("Reset Marks | "));
        QVERIFY(spoken.contains("Input 2, P1 Down, Down Arrow, seen 2 times [focused] | "));
        QVERIFY(spoken.contains("Input 24, Coin 2, 6 ^, not seen | "));
        QVERIFY(spoken.contains("Rotary Switch 2 clockwise, P2 Dial, G, not seen | "));
        const QRegularExpression cell(
            "^(Input|Rotary Switch) .*, (not seen|maybe|seen once|seen \\d+ "
            "times)(, held)?( \\[focused\\])? \\| $");
        QCOMPARE(spoken.filter(cell).size(), 33 + 4);
        QCOMPARE(spoken.filter(QRegularExpression("^\\? ")), QStringList());
    }

    // The encoder's devices are taken from the desktop while the window is
    // active, so that a test press types into no other program. Another
    // program's hold is said until an activation after it let go.
    void theDevicesAreTakenOnlyWhileTheWindowIsActive() {
        Harness h;
        h.liveGrab = EventFeed::Grab::HeldElsewhere;
        h.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QVERIFY(h.session.listen());
        QVERIFY(h.window.notice().isVisible());
        QVERIFY(h.window.notice().text().startsWith("Another program holds the VANTREL's input"));
        h.liveGrab = EventFeed::Grab::Taken;
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(h.grabs, std::vector<bool>({true, false}));
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QVERIFY(!h.window.notice().isVisible());
        h.window.close();
        QCOMPARE(h.grabs, std::vector<bool>({true, false, true, false}));
        QVERIFY(!h.session.feeding());
    }

    // Without a device, the window says so and offers the files instead; the
    // configuration chosen there is opened by its content.
    void withoutADeviceTheFilesAreOffered() {
        Harness h;
        h.device = TransferResult::of(TransferKind::NotFound);
        h.window.show();
        QVERIFY(!h.session.readDeviceConfiguration());
        QCOMPARE(h.window.notice().text(),
                 QStringLiteral(
                     "The VANTREL was not found. Open a configuration file to test against."));
        QVERIFY(namedControl<QPushButton>(h.window, "noticeRecording").isVisible());
        // A folder is no recording, nor is a configuration, and saying so
        // keeps the offer.
        QVERIFY(!h.session.replay({VANTREL_EXAMPLES}));
        QCOMPARE(h.window.notice().text(), QStringLiteral(VANTREL_EXAMPLES ": is a folder"));
        QVERIFY(!h.session.replay({Example}));
        QCOMPARE(h.window.notice().text(),
                 QString::fromStdString(Example + ", line 1: not a line of an evemu recording"));
        h.dialogs.choose(Example);
        QTest::mouseClick(&namedControl<QPushButton>(h.window, "noticeConfiguration"),
                          Qt::LeftButton);
        QCOMPARE(h.window.inputGrid().count(), 33);
        QCOMPARE(h.window.counter().text(), QStringLiteral("Seen 0 of 37"));
        // Nothing sends presses yet: the window says so and offers a recording.
        QVERIFY(h.window.notice().text().startsWith("No presses can come in"));
        QVERIFY(namedControl<QPushButton>(h.window, "noticeRecording").isVisible());
        QVERIFY(!namedControl<QPushButton>(h.window, "noticeConfiguration").isVisible());
    }

    // The two buttons of the start notice have mnemonics of their own, and
    // Enter presses the focused one as Space does; a recording alone keeps
    // the offer of a configuration.
    void theNoticeButtonsAnswerTheirKeys() {
        Harness h;
        h.device = TransferResult::of(TransferKind::NotFound);
        h.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QVERIFY(!h.session.readDeviceConfiguration());
        auto& configuration = namedControl<QPushButton>(h.window, "noticeConfiguration");
        auto& recording = namedControl<QPushButton>(h.window, "noticeRecording");
        QVERIFY(QKeySequence::mnemonic(configuration.text()) !=
                QKeySequence::mnemonic(recording.text()));
        recording.setFocus();
        h.dialogs.cancel();
        QTest::keyClick(&recording, Qt::Key_Return);
        QCOMPARE(h.dialogs.requests().size(), std::size_t{1});
        QCOMPARE(h.dialogs.requests().front().title, std::string("Open Recording"));
        // A recording without a configuration shows presses that no input can
        // be named for: the hint and its offer stay.
        QVERIFY(h.session.replay({ExampleSession.front()}));
        QVERIFY(h.window.notice().text().startsWith("No configuration is open"));
        QVERIFY(configuration.isVisible());
    }

    // A press that two controls could have sent marks both "maybe", in a
    // colour of its own, and counts for neither; the last press is large and
    // announced; a held cell says so.
    void aPressNotToldApartIsMaybeAndNotCounted() {
        testing::TemporaryFolder folder;
        const std::filesystem::path recording = folder / "maybe.evemu";
        std::string events;
        // Z, which Input 9 and Input 28 both send; Left let go within a
        // dial's step, then held; Up held.
        for (const char* line :
             {"1.0 0001 002c 1", "1.2 0001 002c 0", "2.0 0001 0069 1", "2.01 0001 0069 0",
              "3.0 0001 0069 1", "3.5 0001 0069 0", "4.0 0001 0067 1", "4.5 0001 0067 0"}) {
            const std::string time = std::string(line).substr(0, std::string(line).find(' '));
            events += std::string("E: ") + line + "\nE: " + time + " 0000 0000 0\n";
        }
        testing::writeFile(recording, events);
        // What a screen reader is told, as (event, what it would read).
        static std::vector<std::pair<QAccessible::Event, QString>> told;
        told.clear();
        setAnnouncementSink([](QAccessibleEvent* event) {
            told.emplace_back(event->type(),
                              event->object()->property("accessibleName").toString());
        });
        const auto quiet = qScopeGuard([] { setAnnouncementSink(nullptr); });
        Harness h;
        LoadedConfiguration cabinet = loadConfiguration(Example).value();
        encodeSingleKey(KeyTypeKeyboard, 29, 0, cabinet.config.input(27)); // Pause sends Z
        h.device = cabinet;
        QVERIFY(h.session.readDeviceConfiguration());
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        const int counterWidth = h.window.counter().width();
        QVERIFY(h.session.replay({recording.string()}));
        h.session.advance(3'200'000);

        const PanelGrid& inputs = h.window.inputGrid();
        const auto spoken = [](const PanelGrid& grid, int row) {
            return grid.item(row)->data(Qt::AccessibleTextRole).toString();
        };
        const int z = inputs.rowOf({ActionSource::Kind::Input, 8});
        const int pause = inputs.rowOf({ActionSource::Kind::Input, 27});
        QCOMPARE(spoken(inputs, z), QStringLiteral("Input 9, P1 Button 5, Z, maybe"));
        QCOMPARE(spoken(inputs, pause), QStringLiteral("Input 28, Pause, Z, maybe"));
        // Decided only when let go, the dial's step lights its cells a moment.
        QTRY_COMPARE(
            spoken(h.window.rotaryGrid(), 0),
            QStringLiteral("Rotary Switch 1 counterclockwise, P1 Dial, Left Arrow, maybe"));
        QCOMPARE(spoken(inputs, 2), QStringLiteral("Input 3, P1 Left, Left Arrow, seen once"));
        QCOMPARE(spoken(inputs, 0), QStringLiteral("Input 1, P1 Up, Up Arrow, seen once, held"));
        QCOMPARE(h.window.counter().text(), QStringLiteral("Seen 2 of 37"));
        QCOMPARE(h.window.counter().width(), counterWidth);
        // The maybe colour is not the seen colour, and the legend says which.
        const QImage picture = inputs.viewport()->grab().toImage();
        const auto fill = [&picture, &inputs](int row) {
            const QRect cell = inputs.visualItemRect(inputs.item(row));
            return picture.pixelColor(cell.right() - 4, cell.bottom() - 3);
        };
        QCOMPARE(fill(z), PanelGrid::maybeColour());
        QCOMPARE(fill(2), PanelGrid::seenColour());
        QVERIFY(PanelGrid::maybeColour() != PanelGrid::seenColour());
        QVERIFY(namedControl<QLabel>(h.window, "legendMaybe").text().contains("maybe"));

        // Read from across the cabinet, and named as it reads for the screen
        // reader, which is told of each change.
        QCOMPARE(h.window.lastPress().text(),
                 QStringLiteral("Input 1 \u00b7 P1 Up \u00b7 Up Arrow"));
        QVERIFY(QFontMetrics(h.window.lastPress().font()).height() >=
                2 * inputs.fontMetrics().height());
        QCOMPARE(
            QAccessible::queryAccessibleInterface(&h.window.lastPress())->text(QAccessible::Name),
            h.window.lastPress().text());
        // Each press is told as it comes, read out at once: the last of them
        // is this one.
        QVERIFY(told.size() >= 4);
        QCOMPARE(told[told.size() - 2],
                 std::make_pair(QAccessible::NameChanged, h.window.lastPress().text()));
        QCOMPARE(told.back(), std::make_pair(QAccessible::Alert, h.window.lastPress().text()));
    }

    // A long path is cut in the middle and shown whole as the tooltip; a
    // new recording keeps the cell the keyboard was on.
    void theHeaderKeepsItsPlace() {
        Harness h;
        QVERIFY(h.session.openConfiguration(Example));
        h.window.resize(500, 700);
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.window.inputGrid().setCurrentRow(5);
        QVERIFY(h.session.replay({ExampleSession.front()}));
        QCOMPARE(h.window.inputGrid().currentRow(), 5);
        const ElidedLabel& sources = h.window.sources();
        QVERIFY(sources.text().contains(QStringLiteral("\u2026")));
        QVERIFY(sources.toolTip().contains(QString::fromStdString(Example)));
        QVERIFY(sources.toolTip().contains(QString::fromStdString(ExampleSession.front())));
    }

    void aLockFileThatCannotBeOpenedIsNamedNotTakenForAnotherProgram() {
        Harness h;
        TransferResult busy = TransferResult::of(TransferKind::Busy);
        busy.device = DeviceProblem::of(DeviceProblemKind::LockFileCannotBeOpened, "is a folder",
                                        "/tmp/d.bin.lock");
        h.device = busy;
        QVERIFY(!h.session.readDeviceConfiguration());
        QCOMPARE(h.window.notice().text(),
                 QStringLiteral("The lock file /tmp/d.bin.lock cannot be opened: is a folder. Open "
                                "a configuration file to test against."));
    }

    void theLogMenuStartsAndEndsALog() {
        testing::TemporaryFolder folder;
        const std::filesystem::path log = folder / "kept.txt";
        Harness h;
        QVERIFY(h.session.openConfiguration(Example));
        QAction& item = *h.window.findChild<QAction*>("mnuLog");
        h.dialogs.choose(log.string());
        item.trigger();
        QVERIFY(item.isChecked());
        item.trigger();
        QVERIFY(!item.isChecked());
        QCOMPARE(fileLines(log),
                 QStringList(QString::fromStdString(h.session.summaryLines().front())));
        QCOMPARE(h.dialogs.requests().size(), std::size_t{1});
        QVERIFY(h.dialogs.requests().front().confirmOverwrite);
    }

    // A log is made afresh: over the configuration or a recording it would
    // leave the session nothing to read. The program's --log is checked
    // before anything is opened, the menu's against what is in use.
    void aLogOverWhatTheSessionReadsIsRefusedAndTheFileKept() {
        testing::TemporaryFolder folder;
        const std::string config = (folder / "c.json").string();
        const std::string recording = (folder / "s.evemu").string();
        const std::string document = testing::contentsOf(Example);
        testing::writeFile(config, document);
        testing::writeFile(recording, testing::contentsOf(ExampleSession[0]));
        // A second name of the recording's file (a hard link, which Windows
        // makes without a privilege that a symbolic link needs).
        std::filesystem::create_hard_link(folder / "s.evemu", folder / "link.evemu");
        const std::string link = (folder / "link.evemu").string();
        QCOMPARE(logOverInputText("--log " + config, logOverInput(config, config, {})),
                 "--log " + config + " is the same file as the configuration " + config +
                     "; give the log a name of its own");
        QCOMPARE(logOverInputText(link, logOverInput(link, config, {recording})),
                 link + " is the same file as the recording " + recording +
                     "; give the log a name of its own");
        QVERIFY(logOverInput((folder / "log.txt").string(), config, {recording}).ok());

        Harness h;
        QVERIFY(h.session.openConfiguration(config));
        QVERIFY(h.session.replay({recording}));
        QVERIFY(!h.session.startLog(config));
        QCOMPARE(h.window.notice().text(),
                 QString::fromStdString(config + " is the same file as the configuration " +
                                        config + "; give the log a name of its own"));
        h.dialogs.choose(link);
        h.window.findChild<QAction*>("mnuLog")->trigger();
        QVERIFY(!h.window.findChild<QAction*>("mnuLog")->isChecked());
        QCOMPARE(h.window.notice().text(),
                 QString::fromStdString(link + " is the same file as the recording " + recording +
                                        "; give the log a name of its own"));
        QCOMPARE(testing::contentsOf(config), document);
        QCOMPARE(testing::contentsOf(recording), testing::contentsOf(ExampleSession[0]));
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::MonitorWindowTest)
#include "MonitorWindowTest.moc"
