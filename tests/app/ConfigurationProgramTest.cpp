#include "app/ConfigurationProgram.h"

#include "device/EmulatedDevice.h"
#include "files/ConfigurationFile.h"
#include "formats/ImportError.h"
#include "formats/JsonImport.h"
#include "model/DeviceImage.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/NamedControl.h"
#include "tests/support/TemporaryFolder.h"
#include "windows/controls/CaptionButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <sstream>
#include <type_traits>

namespace vantrel {
namespace {

using testing::recordNextMessage;
using testing::whenModal;

/// Answers the next file dialog with `file`; `offered` gets the path the
/// dialog offered first.
void chooseInNextFileDialog(const std::filesystem::path& file, QString* offered = nullptr) {
    whenModal<QFileDialog>({}, [file, offered](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (offered != nullptr) {
            *offered = QDir(dialog.directory()).filePath(name->text());
        }
        name->setText(QString::fromStdString(file.string()));
        QTest::keyClick(name, Qt::Key_Return);
    });
}

template <typename T = QAbstractButton>
T& child(QWidget& parent, const QString& name, int index = -1) {
    return testing::namedControl<T>(parent, name, index);
}

void click(QWidget& parent, const QString& name, int index = -1) {
    QTest::mouseClick(&child(parent, name, index), Qt::LeftButton);
}

/// What the importer says of the mistake in `text`.
QString importersWords(const char* text) {
    try {
        static_cast<void>(importConfiguration(text));
    } catch (const ImportError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

/// Every row's caption and every rotary caption.
QStringList allCaptions(QWidget& window) {
    QStringList shown;
    for (int i = 0; i < InputCount; ++i) {
        shown << child<CaptionButton>(window, "cmdKey", i).caption();
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        shown << child<CaptionButton>(window, "cmdRotaryKey", k).caption();
    }
    return shown;
}

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyUpArrow = 82;

// With the drive Windows needs to find it from any folder, in its own spelling.
const std::filesystem::path Examples = std::filesystem::absolute(VANTREL_EXAMPLES).make_preferred();

} // namespace

/// The editors as the program opens them: from the main window's buttons,
/// through the real dialogs, into the configuration. What then travels to
/// the device is the main window's and the transfers' own test.
class ConfigurationProgramTest : public QObject {
    Q_OBJECT
private slots:
    void editorsStoreIntoTheConfigurationAndTheRows() {
        EmulatedDevice device;
        ConfigurationProgram program(device);
        QVERIFY(program.start());
        frmMain& window = program.window();

        whenModal("frmKeyboard", [](QWidget& dialog) {
            click(dialog, "chkOperator", 0);
            click(dialog, "cmdKey", KeyA);
        });
        click(window, "cmdKey", 0);
        whenModal("frmKeyboard", [](QWidget& dialog) { click(dialog, "cmdKey", KeyUpArrow); });
        click(window, "cmdRotaryKey", 1);

        // Input 4 becomes a macro that presses A twice and releases it once.
        // Each step button returns once its dialog has closed.
        click(window, "optSingleKey", 7);
        whenModal("frmMacro", [](QWidget& editor) {
            for (int n = 0; n < 3; ++n) {
                whenModal("frmKeyboard", [n](QWidget& d) {
                    click(d, "optPressRelease", n < 2 ? 0 : 1);
                    click(d, "cmdKey", KeyA);
                });
                click(editor, "cmdActivate", n);
            }
            click(editor, "cmdOK");
        });
        click(window, "cmdKey", 3);

        InputMacro macro;
        macro.step(0, Activation) = macro.step(1, Activation) = {KeyTypeKeyboard, KeyA, true};
        macro.step(2, Activation) = {KeyTypeKeyboard, KeyA, false};
        QVERIFY(program.configuration().input(3) == macro);
        QVERIFY(program.configuration().ConfigChanged);
        const QStringList shown = allCaptions(window);
        QCOMPARE(QStringList({shown[0], shown[3], shown[InputCount + 1]}),
                 QStringList({"[ctrl] A", "(A, A, ...)", "Up Arrow"}));
    }

    // A file manager hands over either form; the readable one comes with
    // its labels, as if just opened but with no file behind it.
    void theReadableFormOpensWithItsLabelsAndSavesAsAnImage() {
        EmulatedDevice device;
        ConfigurationProgram fromImage(device);
        QVERIFY(fromImage.start((Examples / "two-player-cabinet.cfg").string()));
        std::ostringstream said;
        ConfigurationProgram program(device);
        QVERIFY(program.start((Examples / "two-player-cabinet.json").string(), said));
        QCOMPARE(said.str(), "");

        frmMain& window = program.window();
        const Configuration& config = program.configuration();
        QVERIFY(config.InputMacros == fromImage.configuration().InputMacros);
        QVERIFY(config.RotaryKeys == fromImage.configuration().RotaryKeys);
        QVERIFY(window.settings() == fromImage.window().settings());
        QCOMPARE(allCaptions(window), allCaptions(fromImage.window()));
        QVERIFY(!config.ConfigChanged);
        QCOMPARE(config.ConfigFileName, "");

        // Where the window shows each label is its own test's.
        QCOMPARE(child<QWidget>(window, "cmdKey_28").toolTip(), QStringLiteral("Coin & Start"));

        // Save offers "Config.cfg" in the current folder, never the JSON file.
        const testing::TemporaryFolder folder;
        const auto saved = folder / "saved.cfg";
        QString offered;
        chooseInNextFileDialog(saved, &offered);
        window.mnuSave_Click();
        QCOMPARE(QDir::fromNativeSeparators(offered),
                 QDir::current().filePath(QStringLiteral("Config.cfg")));
        QVERIFY(testing::contentsOf(saved) ==
                testing::contentsOf(Examples / "two-player-cabinet.cfg"));
    }

    // File > Open reads our JSON as the command line does, and the file
    // becomes the configuration's name; what it refuses leaves the work and
    // its labels as they were.
    void fileOpenReadsTheReadableForm_data() {
        QTest::addColumn<QString>("example"); // empty: a file of `contents`
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("box"); // "PATH" stands for the file's path
        QTest::addColumn<bool>("changedAfter");
        // One of the examples (each passes check in the tool's test).
        QTest::newRow("example") << "retroarch-layout.json" << QByteArray() << "" << false;
        const char* const mistake = R"({"format": "vantrel-configuration", "version": 1,
            "inputs": [{"input": 5, "single": {"type": "key", "code": "Nonsense"}}]})";
        QTest::newRow("readable form with a mistake")
            << "" << QByteArray(mistake)
            << "VANTREL Configuration Utility (stop) | Error opening the file\nPATH: " +
                   importersWords(mistake)
            << true;
        QTest::newRow("longer than an image, other JSON")
            << "" << QByteArray(R"({"format": "other", "version": 1})") + QByteArray(4100, ' ')
            << "VANTREL Configuration Utility (stop) | Invalid configuration file" << true;
    }
    void fileOpenReadsTheReadableForm() {
        QFETCH(QString, example);
        QFETCH(QString, box);
        const testing::TemporaryFolder folder;
        auto path = Examples / example.toStdString();
        if (example.isEmpty()) {
            path = folder / "chosen.json";
            QFETCH(QByteArray, contents);
            testing::writeFile(path, contents.toStdString());
        }
        // Both start from a labelled layout; `expected` then shows the example
        // as handed over, or the same changed work the refused Open leaves.
        const std::string labelled = (Examples / "two-player-cabinet.json").string();
        EmulatedDevice device;
        ConfigurationProgram expected(device);
        QVERIFY(expected.start(example.isEmpty() ? labelled : path.string()));
        ConfigurationProgram program(device);
        QVERIFY(program.start(labelled));
        program.window().setKey(0, KeyTypeKeyboard, KeyA, 0);
        if (example.isEmpty()) {
            expected.window().setKey(0, KeyTypeKeyboard, KeyA, 0);
        }

        QString shown;
        whenModal<QMessageBox>({}, [&shown, &box](QMessageBox& save) {
            save.button(QMessageBox::No)->click();
            if (!box.isEmpty()) {
                recordNextMessage(shown);
            }
        });
        chooseInNextFileDialog(path);
        child<QAction>(program.window(), "mnuOpen").trigger();

        QCOMPARE(shown, box.replace("PATH", QString::fromStdString(path.string())));
        const Configuration& config = program.configuration();
        QVERIFY(config.InputMacros == expected.configuration().InputMacros);
        QVERIFY(program.window().settings() == expected.window().settings());
        QCOMPARE(allCaptions(program.window()), allCaptions(expected.window()));
        const ConfigurationLabels& labels = expected.window().labels();
        QVERIFY(program.window().labels().inputs == labels.inputs);
        QVERIFY(program.window().labels().rotarySwitches == labels.rotarySwitches);
        QTEST(config.ConfigChanged, "changedAfter");
        QCOMPARE(config.ConfigFileName, path.string());
    }

    void aHandedFileIsReadByItsContent_data() {
        QTest::addColumn<QByteArray>("contents"); // null: no such file
        QTest::addColumn<QString>("box");         // "PATH" stands for the file's path
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("firstCaption");
        QTest::addColumn<bool>("fileNamed");

        Configuration saved;
        encodeSingleKey(KeyTypeKeyboard, KeyA, 0, saved.input(0));
        const DeviceImage image = testing::imageOf(saved);
        const QByteArray imageBytes(reinterpret_cast<const char*>(image.data()),
                                    static_cast<qsizetype>(image.size()));
        const char* const mistake = R"({"format": "vantrel-configuration", "version": 1,
            "inputs": [{"input": 1, "single": {"type": "key", "code": "A"}},
                       {"input": 5, "single": {"type": "key", "code": "Nonsense"}}]})";
        // The importer's own words, which begin with the place of the mistake.
        const QString place = "PATH: " + importersWords(mistake);
        QVERIFY(place.startsWith("PATH: inputs[1]"));

        QTest::newRow("image, as File > Open") << imageBytes << ""
                                               << ""
                                               << "A" << true;
        QTest::newRow("readable form with a mistake")
            << QByteArray(mistake)
            << "VANTREL Configuration Utility (stop) | Error opening the file\n" + place
            << "PROGRAM: Error opening the file: " + place << "Not Used" << false;
        QTest::newRow("missing file")
            << QByteArray() << "VANTREL Configuration Utility (stop) | Error opening the file"
            << "PROGRAM: Error opening the file: PATH: No such file or directory"
            << "Not Used" << true;
    }
    void aHandedFileIsReadByItsContent() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, box);
        QFETCH(QString, said);
        const testing::TemporaryFolder folder;
        const auto path = folder / "handed.cfg";
        if (!contents.isNull()) {
            testing::writeFile(path, contents.toStdString());
        }
        const auto spelled = [&path](QString text) {
            return text.replace("PATH", QString::fromStdString(path.string()))
                .replace("PROGRAM", QCoreApplication::applicationName());
        };

        EmulatedDevice device;
        ConfigurationProgram program(device);
        QString shown;
        if (!box.isEmpty()) {
            recordNextMessage(shown);
        }
        std::ostringstream diagnostics;
        QVERIFY(program.start(path.string(), diagnostics));

        QCOMPARE(shown, spelled(box));
        QCOMPARE(QString::fromStdString(diagnostics.str()).trimmed(), spelled(said));
        QTEST(allCaptions(program.window()).first(), "firstCaption");
        QFETCH(bool, fileNamed);
        QCOMPARE(program.configuration().ConfigFileName, fileNamed ? path.string() : "");
        QVERIFY(!program.configuration().ConfigChanged);
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::ConfigurationProgramTest)
#include "ConfigurationProgramTest.moc"
