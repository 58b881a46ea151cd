#include "frmMacro.h"

#include "CaptionButton.h"
#include "CaptionFit.h"
#include "DeviceSettings.h"
#include "ModelBuilders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace vantrel;
using namespace vantrel::testing;

Q_DECLARE_METATYPE(vantrel::MacroStep)
Q_DECLARE_METATYPE(vantrel::InputMacro)

namespace {

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;
constexpr std::int16_t Input = 5;
constexpr std::int16_t OtherInput = 6;

const QString Question = "Warning!\r\nOne or more key presses have been detected without\r\n"
                         "any matching key release. This will cause the key to\r\n"
                         "remain pressed even after the macro is executed.\r\n\r\n"
                         "Is this the intended result?"
                         " | VANTREL | exclamation | Yes/No";
const QString SizeRefusal =
    "Warning!\r\nThis configuration exceeds the maximum size limit. | VANTREL | exclamation | OK";

/// The editor with every seam scripted: messages are recorded and answered
/// as queued, the assignment dialog notes the step it was opened on and
/// commits the next queued choice as the real one would, and the main
/// window's store only notes the input it is told about.
class Harness final : public MessagePrompter, public StepEditor, public MacroStore {
public:
    void open(const InputMacro& stored) {
        config.input(Input) = stored;
        reopen(Input);
    }
    void reopen(std::int16_t input) {
        editor.setupMacro(*this, input);
        editor.show();
    }

    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        static constexpr std::array icons{"no icon", "stop", "exclamation"};
        static constexpr std::array buttonTexts{"OK", "Yes/No", "Yes/No/Cancel"};
        messages << QStringLiteral("%1 | %2 | %3 | %4")
                        .arg(QString::fromStdString(text), QString::fromStdString(title),
                             icons.at(static_cast<std::size_t>(icon)),
                             buttonTexts.at(static_cast<std::size_t>(buttons)));
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
    void editStep(MacroStepStore& store, std::int16_t index, const MacroStep& current) override {
        edited << index;
        shownToDialog << current;
        if (!choices.isEmpty()) {
            const MacroStep chosen = choices.takeFirst();
            store.setKey(index, chosen.KeyType, chosen.KeyValue, chosen.PressRelease);
        }
    }
    void setMacro(std::int16_t index) override { storedInputs << index; }

    template <typename T = QAbstractButton>
    T& control(const QString& name, int index = -1) {
        const QString full = index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(index);
        T* found = editor.findChild<T*>(full);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(full));
        }
        return *found;
    }
    void click(const QString& name, int index = -1) {
        QTest::mouseClick(&control(name, index), Qt::LeftButton);
    }
    QString caption(const QString& row, int column) {
        return control<CaptionButton>(row, column).caption();
    }
    QStringList shown(const QString& controls) {
        QStringList texts;
        for (int i = 0; i < frmMacro::VisibleSteps; ++i) {
            texts << (controls == "lblStep" ? control<QLabel>(controls, i).text()
                                            : caption(controls, i));
        }
        return texts;
    }
    QComboBox& list() { return control<QComboBox>("lstRepeatDelay"); }

    Configuration config;
    QStringList messages;
    QList<MessageAnswer> answers;
    QList<MacroStep> choices;
    QList<int> edited;
    QList<MacroStep> shownToDialog;
    QList<int> storedInputs;
    frmMacro editor{config, *this, *this};
};

} // namespace

class frmMacroTest : public QObject {
    Q_OBJECT

private slots:
    void stepCaptions_data() {
        QTest::addColumn<MacroStep>("step");
        QTest::addColumn<QString>("caption");
        QTest::newRow("key press") << keyDown(KeyA) << "Press\r\nA";
        QTest::newRow("mouse release") << release(KeyTypeMouse, 0) << "Release\r\nLeft Click";
        QTest::newRow("joystick hat") << press(KeyTypeJoystick, 64) << "Press\r\nHat1 N";
        QTest::newRow("delay") << delay(49) << "Delay\r\n500 ms";
        QTest::newRow("no key, released") << keyUp(0) << "Not Used";
        QTest::newRow("no key, pressed") << keyDown(0) << "Not Used";
    }
    void stepCaptions() {
        QFETCH(MacroStep, step);
        QFETCH(QString, caption);
        Harness h;
        h.open(macroOf({}, {step}));

        QCOMPARE(h.caption("cmdDeactivate", 0), caption);
        QCOMPARE(h.caption("cmdActivate", 0), "Not Used");
        // The button draws one line per line of the caption.
        const auto& button = h.control<CaptionButton>("cmdDeactivate", 0);
        QCOMPARE(button.wrappedLines(button.width()), caption.split("\r\n"));
    }

    void everyCaptionFits() {
        Harness h;
        h.open(macroOf({release(KeyTypeMouse, 2), keyDown(0xE5)}, {press(KeyTypeJoystick, 95)}));
        QCOMPARE(captionsThatDoNotFit(h.editor), QStringList());
        QVERIFY(h.editor.font().pointSizeF() >= 7.0);
    }

    void scrollsToTheLastStepsAndEditsThem() {
        InputMacro macro;
        macro.step(63, Activation) = keyDown(KeyA);
        macro.step(63, Deactivation) = keyUp(KeyA);
        Harness h;
        h.open(macro);
        auto& bar = h.control<QScrollBar>("ScrollBar");
        QTest::keyClick(&bar, Qt::Key_PageDown);
        QCOMPARE(h.control<QLabel>("lblStep", 0).text(), "Step 9");
        QTest::keyClick(&bar, Qt::Key_End);
        QCOMPARE(h.shown("lblStep"), QStringList({"Step 57", "Step 58", "Step 59", "Step 60",
                                                  "Step 61", "Step 62", "Step 63", "Step 64"}));

        h.choices = {keyDown(KeyB), keyUp(KeyB)};
        h.click("cmdActivate", 7);
        h.click("cmdDeactivate", 7);

        QCOMPARE(h.edited, QList<int>({63, 127}));
        QCOMPARE(h.shownToDialog, QList<MacroStep>({keyDown(KeyA), keyUp(KeyA)}));
        QCOMPARE(h.caption("cmdActivate", 7), "Press\r\nB");
        QCOMPARE(h.caption("cmdDeactivate", 7), "Release\r\nB");
        QCOMPARE(h.config.input(Input), macro); // only the working copy changed
    }

    void setKeyAboveTheActivationStepsChangesADeactivationStep() {
        Harness h;
        h.open(InputMacro{});
        h.editor.setKey(70, KeyTypeKeyboard, KeyB, true);
        QCOMPARE(h.caption("cmdDeactivate", 6), "Press\r\nB");
        QCOMPARE(h.caption("cmdActivate", 6), "Not Used");
    }

    void okStoresTheCompactedMacro_data() {
        QTest::addColumn<InputMacro>("opened");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<InputMacro>("stored");
        QTest::newRow("tap with a gap") << macroOf({keyDown(KeyA), {}, keyUp(KeyA)})
                                        << QStringList() << macroOf({keyDown(KeyA), keyUp(KeyA)});
        QTest::newRow("pressed, then released on deactivation")
            << macroOf({keyDown(KeyA)}, {keyUp(KeyA)}) << QStringList()
            << macroOf({keyDown(KeyA)}, {keyUp(KeyA)});
        QTest::newRow("released before pressed, stored on Yes")
            << macroOf({keyUp(KeyA)}, {keyDown(KeyA)}) << QStringList(Question)
            << macroOf({keyUp(KeyA)}, {keyDown(KeyA)});
    }
    void okStoresTheCompactedMacro() {
        QFETCH(InputMacro, opened);
        QFETCH(QStringList, messages);
        QFETCH(InputMacro, stored);
        Harness h;
        h.answers = {MessageAnswer::Yes};
        h.open(opened);

        h.click("cmdOK");

        QCOMPARE(h.messages, messages);
        QCOMPARE(h.config.input(Input), stored);
        QCOMPARE(h.storedInputs, QList<int>({Input}));
        QVERIFY(!h.editor.isVisible());
    }

    void noToTheQuestionStoresNothingAndShowsTheCompactedSteps() {
        const InputMacro opened = macroOf({keyDown(KeyA), {}, delay(49)});
        Harness h;
        h.answers = {MessageAnswer::No};
        h.open(opened);

        h.click("cmdOK");

        QCOMPARE(h.messages, QStringList(Question));
        QCOMPARE(h.config.input(Input), opened);
        QVERIFY(h.storedInputs.isEmpty());
        QVERIFY(h.editor.isVisible());
        QCOMPARE(h.shown("cmdActivate").mid(0, 3),
                 QStringList({"Press\r\nA", "Delay\r\n500 ms", "Not Used"}));
    }

    void refusesAMacroBeyondTheSizeLimit() {
        Harness h;
        // Other inputs fill the configuration exactly; Input itself is empty.
        for (int position = 0; configurationSize(h.config) < MaxConfigSize; ++position) {
            h.config.input(10 + position / StepsPerSequence)
                .step(position % StepsPerSequence, Activation) = delay(0);
        }
        h.open(InputMacro{});
        h.choices = {keyDown(KeyA), keyUp(KeyA)};
        h.click("cmdActivate", 0);
        h.click("cmdActivate", 2);

        h.click("cmdOK");

        QCOMPARE(h.messages, QStringList(SizeRefusal));
        QCOMPARE(h.config.input(Input), InputMacro{});
        QCOMPARE(configurationSize(h.config), MaxConfigSize);
        QVERIFY(h.storedInputs.isEmpty());
        QVERIFY(h.editor.isVisible());
        QCOMPARE(h.caption("cmdActivate", 1), "Release\r\nA");
    }

    void cancelAndCloseStoreNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("close request") << 1;
        QTest::newRow("Esc") << 2;
    }
    void cancelAndCloseStoreNothing() {
        QFETCH(int, way);
        const InputMacro opened = macroOf({keyDown(KeyA), keyUp(KeyA)});
        Harness h;
        h.open(opened);
        h.choices = {keyDown(KeyB)};
        h.click("cmdActivate", 0);
        h.click("chkRepeat");

        if (way == 0) {
            h.click("cmdCancel");
        } else if (way == 1) {
            h.editor.close();
        } else {
            QTest::keyClick(&h.editor, Qt::Key_Escape);
        }

        QVERIFY(!h.editor.isVisible());
        QCOMPARE(h.config.input(Input), opened);
        QVERIFY(h.storedInputs.isEmpty());
        // The next opening starts again from the stored record.
        h.open(opened);
        QCOMPARE(h.caption("cmdActivate", 0), "Press\r\nA");
        QVERIFY(!h.control("chkRepeat").isChecked());
    }

    void repeatDelayRoundTrips_data() {
        QTest::addColumn<int>("repeatDelay");
        for (const int k : {0, 1, 4, 7}) {
            QTest::addRow("%d", k) << k;
        }
    }
    void repeatDelayRoundTrips() {
        QFETCH(int, repeatDelay);
        Harness h;
        h.open(InputMacro{});
        QVERIFY(!h.list().isEnabled());
        // The user picks the setting: check the box, choose the pause, or
        // check and uncheck for no repeat.
        h.click("chkRepeat");
        if (repeatDelay == 0) {
            h.click("chkRepeat");
        }
        for (int i = 1; i < repeatDelay; ++i) {
            QTest::keyClick(&h.list(), Qt::Key_Down);
        }
        h.click("cmdOK");
        QCOMPARE(int{h.config.input(Input).RepeatDelay}, repeatDelay);

        // Opened again after another input, the controls show the stored setting.
        h.reopen(OtherInput);
        h.reopen(Input);
        const bool repeats = repeatDelay != 0;
        QCOMPARE(h.control("chkRepeat").isChecked(), repeats);
        QCOMPARE(h.list().isEnabled(), repeats);
        QCOMPARE(h.list().currentText().toStdString(),
                 RepeatDelayEntries.at(static_cast<std::size_t>(repeats ? repeatDelay - 1 : 0)));
        h.click("cmdOK");
        QCOMPARE(int{h.config.input(Input).RepeatDelay}, repeatDelay);
    }
};

QTEST_MAIN(frmMacroTest)
#include "frmMacroTest.moc"
