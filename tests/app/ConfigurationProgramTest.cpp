#include "ConfigurationProgram.h"

#include "CaptionButton.h"
#include "EmulatedDevice.h"
#include "NamedControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace vantrel {
namespace {

/// Once a window named `name` is on screen (a modal one opens its own event
/// loop), runs `act` on it once.
void whenShown(const QString& name, std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, name, act = std::move(act)] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == name && top->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(*top);
                return;
            }
        }
    });
    poll->start();
}

int loopLevel() {
    return static_cast<int>(QThread::currentThread()->loopLevel());
}

/// Runs `act` once control is back in the event loop at nesting `level`:
/// a dialog that has just been closed must have returned from its modal
/// loop before the next one opens.
void whenBackIn(int level, std::function<void()> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, level, act = std::move(act)] {
        if (loopLevel() == level) {
            poll->stop();
            poll->deleteLater();
            act();
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

/// Acknowledges the next message box; returns its text through `text`.
void acknowledgeMessage(QString* text) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            *text = box->text();
            box->accept();
        }
    });
    poll->start();
}

/// One use of the assignment dialog from the macro editor: the step button
/// clicked in the editor and what the user then does in the dialog.
struct StepEdit {
    const char* button;
    int column;
    std::function<void(QWidget& dialog)> choose;
};

/// Edits the steps one after another, each once the previous dialog has
/// returned to the editor's loop, then presses the editor's OK.
void editSteps(QWidget& editor, int editorLoop, QList<StepEdit> edits) {
    if (edits.isEmpty()) {
        click(editor, "cmdOK");
        return;
    }
    const StepEdit edit = edits.takeFirst();
    whenShown("frmKeyboard", [&editor, editorLoop, edit, edits](QWidget& dialog) {
        edit.choose(dialog);
        whenBackIn(editorLoop,
                   [&editor, editorLoop, edits] { editSteps(editor, editorLoop, edits); });
    });
    click(editor, edit.button, edit.column);
}

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyUpArrow = 82;

} // namespace

/// The editors as the program opens them: from the main window's buttons,
/// through the real dialogs, into the configuration and the device.
class ConfigurationProgramTest : public QObject {
    Q_OBJECT
private slots:
    void editorsReachTheDeviceAndComeBack() {
        EmulatedDevice device;
        QStringList shown;
        {
            ConfigurationProgram program(device);
            QVERIFY(program.start());
            frmMain& window = program.window();

            // Input 1: Ctrl + A.
            whenShown("frmKeyboard", [](QWidget& dialog) {
                click(dialog, "chkOperator", 0);
                click(dialog, "cmdKey", KeyA);
            });
            click(window, "cmdKey", 0);
            QCOMPARE(child<CaptionButton>(window, "cmdKey", 0).caption(), "[ctrl] A");

            // Input 2: the right mouse button; input 3: hat 1 north-east.
            whenShown("frmKeyboard", [](QWidget& dialog) { click(dialog, "cmdMouse", 1); });
            click(window, "cmdKey", 1);
            whenShown("frmKeyboard", [](QWidget& dialog) { click(dialog, "cmdJoystick", 65); });
            click(window, "cmdKey", 2);

            // Rotary switch 1 clockwise: Up Arrow, with no modifier left over.
            whenShown("frmKeyboard", [](QWidget& dialog) { click(dialog, "cmdKey", KeyUpArrow); });
            click(window, "cmdRotaryKey", 1);

            // Input 4: a macro that holds A for half a second, built step by step.
            click(window, "optSingleKey", 7);
            whenShown("frmMacro", [](QWidget& editor) {
                editSteps(editor, loopLevel(),
                          {{"cmdActivate", 0,
                            [](QWidget& d) {
                                click(d, "cmdKey", KeyA);
                            }},
                           {"cmdActivate", 1,
                            [](QWidget& d) {
                                child<QTabWidget>(d, "Tabs").setCurrentIndex(3);
                                // The box keeps the last delay typed: replace it.
                                child<QLineEdit>(d, "txtDelay").selectAll();
                                QTest::keyClicks(&child<QLineEdit>(d, "txtDelay"), "500");
                                QTest::keyClick(&child<QLineEdit>(d, "txtDelay"), Qt::Key_Return);
                            }},
                           {"cmdActivate", 2, [](QWidget& d) {
                                click(d, "optPressRelease", 1);
                                click(d, "cmdKey", KeyA);
                            }}});
            });
            click(window, "cmdKey", 3);

            InputMacro held;
            held.step(0, Activation) = {KeyTypeKeyboard, KeyA, true};
            held.step(1, Activation) = {KeyTypeDelay, 49, true};
            held.step(2, Activation) = {KeyTypeKeyboard, KeyA, false};
            QVERIFY(program.configuration().input(3) == held);
            QVERIFY(program.configuration().ConfigChanged);
            for (const char* name :
                 {"cmdKey_0", "cmdKey_1", "cmdKey_2", "cmdKey_3", "cmdRotaryKey_1"}) {
                shown << child<CaptionButton>(window, name).caption();
            }
            QCOMPARE(shown, QStringList({"[ctrl] A", "Right Click", "Hat1 NE", "(A, Delay, ...)",
                                         "Up Arrow"}));

            QString said;
            acknowledgeMessage(&said);
            child<QAction>(window, "mnuWrite").trigger();
            QCOMPARE(said, "The configuration was successfully saved to the device");
        }

        ConfigurationProgram fresh(device);
        QVERIFY(fresh.start());
        QString said;
        acknowledgeMessage(&said);
        child<QAction>(fresh.window(), "mnuRead").trigger();
        QStringList readBack;
        for (const char* name :
             {"cmdKey_0", "cmdKey_1", "cmdKey_2", "cmdKey_3", "cmdRotaryKey_1"}) {
            readBack << child<CaptionButton>(fresh.window(), name).caption();
        }
        QCOMPARE(readBack, shown);
        QVERIFY(!child(fresh.window(), "optSingleKey", 6).isChecked());
    }
};

} // namespace vantrel

QTEST_MAIN(vantrel::ConfigurationProgramTest)
#include "ConfigurationProgramTest.moc"
