#include "device/EmulatedDevice.h"
#include "tests/support/NamedControl.h"
#include "tests/support/ProbePresses.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/TemporaryFolder.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MonitorWindow.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <limits>

namespace vantrel {
namespace {

using testing::namedControl;

constexpr const char* Layout = R"({"format": "vantrel-configuration", "version": 1, "inputs": [
    {"input": 1, "label": "P1 Button 1", "single": {"type": "key", "code": "A"}},
    {"input": 2, "label": "P1 Button 2", "single": {"type": "key", "code": "B"}},
    {"input": 3, "label": "Coin 1", "single": {"type": "key", "code": "5"}},
    {"input": 4, "label": "Start 1", "single": {"type": "key", "code": "1"}}]})";

class Unwatched final : public TransferObserver {
public:
    void update(const TransferProgress& /*progress*/) override {}
};

/// The input test over an emulator that holds a key on input 9.
struct Harness {
    Harness() {
        testing::writeFile(folder / "layout.json", Layout);
        encodeSingleKey(KeyTypeKeyboard, 0x1d, 0, before.input(8));
        LoadedConfiguration loaded;
        loaded.config = before;
        QVERIFY(write(loaded).ok());
    }

    DeviceConfigurationRead read() {
        TransferContext context{device, quiet};
        ImageRead image = readImageFromDevice(context);
        if (!image.ok()) {
            return image.failure();
        }
        LoadedConfiguration loaded;
        loadDeviceImage(image.value(), loaded.config, loaded.settings);
        return loaded;
    }
    TransferResult write(const LoadedConfiguration& loaded) {
        TransferContext context{device, quiet};
        return writeToDevice(loaded.config, loaded.settings, context);
    }

    testing::TemporaryFolder folder;
    EmulatedDevice device;
    Unwatched quiet;
    Configuration before;
    testing::ScriptedFileDialogs dialogs;
    MonitorWindow window;
    InputTestSession session{
        window,
        {dialogs, [this] { return read(); },
         [] {
             return OpenedLiveFeed(Result<LiveFeedError>{LiveFeedError::NotAttached, "none"});
         },
         [this](const LoadedConfiguration& loaded) { return write(loaded); }, folder / "backups"}};
};

} // namespace

class LearnWiringTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowLearnsTheRecordedPanel_data() {
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("clicked"); // after the first press
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("wired");
        const QString arrow = QStringLiteral("  \u2192  ");
        const QStringList inOrder = {
            "P1 Button 1" + arrow + "Input 7", "P1 Button 2" + arrow + "Input 70",
            "Coin 1" + arrow + "Input 12", "Start 1" + arrow + "Input 100"};
        QTest::newRow("in order") << "7 70 12 100"
                                  << "" << inOrder << true;
        QTest::newRow("a control pressed twice") << "7 7 70 12 100"
                                                 << "" << inOrder << true;
        QTest::newRow("skip") << "7 70 12"
                              << "cmdSkip"
                              << QStringList{"P1 Button 1" + arrow + "Input 7",
                                             "P1 Button 2" + arrow + "skipped",
                                             "Coin 1" + arrow + "Input 70",
                                             "Start 1" + arrow + "Input 12"}
                              << true;
        QTest::newRow("back") << "7 70 12 100 5"
                              << "cmdBack"
                              << QStringList{"P1 Button 1" + arrow + "Input 70",
                                             "P1 Button 2" + arrow + "Input 12",
                                             "Coin 1" + arrow + "Input 100",
                                             "Start 1" + arrow + "Input 5"}
                              << true;
        QTest::newRow("stopped") << "7 70 12 100"
                                 << "cmdStop"
                                 << QStringList{"P1 Button 1" + arrow + "Input 7", "P1 Button 2",
                                                "Coin 1", "Start 1"}
                                 << false;
        QTest::newRow("the recording ended")
            << "7 70"
            << ""
            << QStringList{"P1 Button 1" + arrow + "Input 7", "P1 Button 2" + arrow + "Input 70",
                           "Coin 1", "Start 1"}
            << false;
    }

    void theWindowLearnsTheRecordedPanel() {
        QFETCH(QString, presses);
        QFETCH(QString, clicked);
        QFETCH(QStringList, rows);
        QFETCH(bool, wired);
        Harness h;
        const std::filesystem::path recording = h.folder / "panel.evemu";
        testing::writeFile(recording,
                           testing::evemuText(testing::probePresses(presses.toStdString())));
        h.dialogs.choose((h.folder / "layout.json").string());
        h.session.replay({recording.string()});
        h.window.findChild<QAction*>("mnuLearnWiring")->trigger();
        LearnWiringSession* wiring = h.session.wiring();
        QVERIFY(wiring != nullptr);
        QCOMPARE(wiring->state(), LearnWiringSession::State::Asking);
        LearnWiringWindow& window = *h.session.wiringWindow();
        QCOMPARE(window.ask().text(), QStringLiteral("Press P1 Button 1"));
        QVERIFY(window.ask().font().pointSizeF() > 2 * window.font().pointSizeF());

        wiring->advance(100'000); // the first press and its release
        if (!clicked.isEmpty()) {
            QTest::mouseClick(&namedControl<QPushButton>(window, clicked.toUtf8().constData()),
                              Qt::LeftButton);
        }
        wiring->advance(std::numeric_limits<std::int64_t>::max() / 2);
        wiring->advance(std::numeric_limits<std::int64_t>::max() / 2);

        QStringList shown;
        for (int row = 0; row < window.controls().count(); ++row) {
            shown << window.controls().item(row)->text();
        }
        QCOMPARE(shown, rows);
        QCOMPARE(wiring->state(),
                 wired ? LearnWiringSession::State::Wired : LearnWiringSession::State::Restored);
        QVERIFY(std::filesystem::exists(wiring->backupPath()));
        const DeviceConfigurationRead held = h.read();
        QVERIFY(held.ok());
        if (wired) {
            const ConfigurationRead read = loadConfiguration(h.folder / "layout-wired.json");
            QVERIFY(read.ok());
            const LoadedConfiguration& file = read.value();
            QCOMPARE(held.value().config.InputMacros, file.config.InputMacros);
            QCOMPARE(file.labels.input(wiring->session().controls().front().found->input),
                     std::string("P1 Button 1"));
        } else {
            QCOMPARE(held.value().config.InputMacros, h.before.InputMacros);
            QVERIFY(window.status().text().contains("written back from"));
        }
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::LearnWiringTest)
#include "LearnWiringTest.moc"
