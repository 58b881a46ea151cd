#include "app/ConfigurationProgram.h"

#include "device/EmulatedDevice.h"
#include "files/ConfigurationFile.h"
#include "model/DeviceImage.h"
#include "tests/support/NamedControl.h"
#include "tests/support/TemporaryFolder.h"
#include "windows/controls/CaptionButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace vantrel {
namespace {

/// Once the modal window named `name` is up (it runs its own event loop),
/// runs `act` on it once.
void whenModal(const QString& name, std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, name, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->objectName() == name) {
            poll->stop();
            poll->deleteLater();
            act(*modal);
        }
    });
    poll->start();
}

template <typename T = QAbstractButton>
T& child(QWidget& parent, const QString& name, int index = -1) {
    return testing::namedControl<T>(parent, name, index);
}

void click(QWidget& parent, const QString& name, int index = -1) {
    QTest::mouseClick(&child(parent, name, index), Qt::LeftButton);
}

QStringList captions(QWidget& window) {
    QStringList shown;
    for (const char* name : {"cmdKey_0", "cmdKey_3", "cmdRotaryKey_1"}) {
        shown << child<CaptionButton>(window, name).caption();
    }
    return shown;
}

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyUpArrow = 82;

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
        QCOMPARE(captions(window), QStringList({"[ctrl] A", "(A, A, ...)", "Up Arrow"}));
    }

    void aFileNamedAtTheStartOpensAsFileOpenWould() {
        Configuration saved;
        encodeSingleKey(KeyTypeKeyboard, KeyA, 0, saved.input(0));
        DeviceImage image{};
        QVERIFY(buildDeviceImage(image, saved, DeviceSettings{}));
        const testing::TemporaryFolder folder;
        const auto path = folder / "cabinet.cfg";
        QVERIFY(writeConfigurationFile(path, image).ok());

        EmulatedDevice device;
        ConfigurationProgram program(device);
        QVERIFY(program.start());
        program.open(path.string());
        QCOMPARE(captions(program.window()).first(), "A");
        QCOMPARE(program.configuration().ConfigFileName, path.string());
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::ConfigurationProgramTest)
#include "ConfigurationProgramTest.moc"
