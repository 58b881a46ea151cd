#include "CaptionFit.h"
#include "MainWindowHarness.h"
#include "ScrollLayout.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

/// The first and last row shown, and whether every row between is shown.
struct ShownRows {
    int first = -1;
    int last = -1;
    bool contiguous = true;
};

ShownRows shownRows(const MainWindowHarness& harness) {
    ShownRows rows;
    for (int i = 0; i < InputCount; ++i) {
        if (!harness.control<QWidget>("picFrame", i).isVisible()) {
            continue;
        }
        if (rows.first < 0) {
            rows.first = i;
        } else if (rows.last != i - 1) {
            rows.contiguous = false;
        }
        rows.last = i;
    }
    return rows;
}

/// Resizes the window so that its client area is `twips` high.
void setClientHeight(MainWindowHarness& harness, std::int32_t twips) {
    const int menu = harness.window->height() - harness.window->centralWidget()->height();
    harness.window->resize(harness.window->width(), pixels(twips) + menu);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void roundsHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-7.4") << -7.4 << -7;
        QTest::newRow("481.08") << 53400.0 / 111.0 << 481;
    }
    void roundsHalvesToEven() {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }

    void showsTheRowsThatOverlapTheStrip_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("firstTopTwips");
        // Row 11 is cut by the bottom edge; row 12 would start at the edge.
        QTest::newRow("top") << 0 << 0 << 11 << 0;
        // Row 0 at -555 only touches the top edge and is hidden.
        QTest::newRow("one row down") << 5 << 1 << 12 << 0;
        // Offset 53391: row 96 from -111, the last row from 5994 to 6549.
        QTest::newRow("maximum") << 481 << 96 << 107 << -111;
    }
    void showsTheRowsThatOverlapTheStrip() {
        QFETCH(int, value);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, firstTopTwips);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        QCOMPARE(bar.maximum(), 481);

        bar.setValue(value);

        const ShownRows rows = shownRows(harness);
        QCOMPARE(rows.first, first);
        QCOMPARE(rows.last, last);
        QVERIFY(rows.contiguous);
        QCOMPARE(harness.control<QWidget>("picFrame", first).y(), pixels(firstTopTwips));
    }

    void followsTheWindowHeight() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        bar.setValue(481);

        setClientHeight(harness, 3000);
        QCOMPARE(bar.height(), harness.window->centralWidget()->height());
        QCOMPARE(bar.maximum(), 513); // (59940 - 3000) / 111 = 512.97
        bar.setValue(513);
        QCOMPARE(shownRows(harness).last, 107);

        // Taller than the whole column: every row at its design place, and
        // the bar held at 0 rather than a negative maximum.
        setClientHeight(harness, 60000);
        QCOMPARE(bar.maximum(), 0);
        QCOMPARE(bar.value(), 0);
        const ShownRows rows = shownRows(harness);
        QCOMPARE(rows.first, 0);
        QCOMPARE(rows.last, 107);
        QCOMPARE(harness.control<QWidget>("picFrame", 107).y(), pixels(107 * 555));

        // No client area left: the bar and the rows stay as they were.
        setClientHeight(harness, 0);
        QCOMPARE(harness.window->height(), harness.window->menuBar()->height());
        QCOMPARE(bar.height(), pixels(60000));
        QCOMPARE(shownRows(harness).last, 107);
    }

    void scrollBarSpansTheClientAreaWhateverTheFont_data() {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("small") << 6;
        QTest::newRow("large") << 14;
    }
    void scrollBarSpansTheClientAreaWhateverTheFont() {
        QFETCH(int, pointSize);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QFont font = harness.window->font();
        font.setPointSize(pointSize);
        harness.window->setFont(font);

        QVERIFY(harness.start());

        const auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        QCOMPARE(harness.window->centralWidget()->height(), pixels(6540));
        QCOMPARE(bar.height(), pixels(6540));
        QCOMPARE(bar.maximum(), 481);
    }

    void scrollsByKeysAndWheel() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));

        QTest::keyClick(&bar, Qt::Key_PageDown);
        QCOMPARE(bar.value(), 50);
        QTest::keyClick(&bar, Qt::Key_Down);
        QCOMPARE(bar.value(), 51);

        bar.setValue(100);
        // Turned over a row's label, as a user would, not over the bar.
        auto& label = harness.control<QWidget>("lblInput", shownRows(harness).first);
        QWheelEvent down(QPointF(5, 5), label.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // Only an event from the platform travels up to the parents, and
        // sendEvent() would make it look like one from the program.
        QSpontaneKeyEvent::setSpontaneous(&down);
        qApp->notify(&label, &down);
        QVERIFY(bar.value() > 100);
    }

    void showsTheDesignCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, const char* caption) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
        };
        row("frmMain", "VANTREL Configuration Utility");
        row("optSingleKey_24", "Single Key");
        row("optSingleKey_25", "Macro Sequence");
        row("Frame3", "Rotary Switch 1");
        row("Frame5", "Rotary Switch 2");
        row("Frame1", "Trackball Control");
        row("Frame4", "Joystick Axes");
        row("Frame2", "Spinner Control");
        row("lblRotary_5", "Counterclockwise Movement");
        row("lblRotary_6", "Clockwise Movement");
        row("lblRotary_7", "Maximum rate ");
        row("lblRotary_8", "Divisor");
        row("lblRotary_9", "Buffer overflow");
        row("chkReverseX", "Reverse X Axis");
        row("chkReverseY", "Reverse Y Axis");
        row("optSpinner_0", "Mouse Wheel");
        row("optSpinner_1", "Mouse X Axis");
        row("optSpinner_2", "Mouse Y Axis");
        row("chkReverseSpinner", "Reverse Spinner");
        row("chkJoystick_0", "Enable Joystick X Axis");
        row("chkJoystick_3", "Enable Joystick Rx Axis");
        row("mnuFile", "&File");
        row("mnuNew", "&New");
        row("mnuOpen", "&Open");
        row("mnuSave", "&Save");
        row("mnuRead", "&Read from VANTREL");
        row("mnuWrite", "&Write to VANTREL");
        row("mnuExit", "E&xit");
        row("mnuHelp", "&Help");
        row("mnuAbout", "&About");
    }
    void showsTheDesignCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        const QObject* found = harness.window->objectName() == name
                                   ? harness.window.get()
                                   : harness.window->findChild<QObject*>(name);
        QVERIFY(found != nullptr);
        QString shown;
        if (const auto* window = qobject_cast<const QWidget*>(found);
            found == harness.window.get()) {
            shown = window->windowTitle();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(found)) {
            shown = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(found)) {
            shown = label->text();
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(found)) {
            shown = frame->title();
        } else if (const auto* menu = qobject_cast<const QMenu*>(found)) {
            shown = menu->title();
        } else if (const auto* action = qobject_cast<const QAction*>(found)) {
            shown = action->text();
        }
        QCOMPARE(shown, caption);
    }

    void listsOfferTheirEntries() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        const auto entries = [&harness](const char* name) {
            const auto& list = harness.control<QComboBox>(name, 1);
            QStringList texts;
            for (int i = 0; i < list.count(); ++i) {
                texts << list.itemText(i);
            }
            return texts;
        };
        QCOMPARE(entries("lstMaximumRate"),
                 QStringList({"10 per sec", "20 per sec", "40 per sec"}));
        QCOMPARE(entries("lstDivisor"), QStringList({"1", "2", "4"}));
        QCOMPARE(entries("lstBufferOverflow"), QStringList({"Disabled", "Enabled"}));
    }

    void fileMenuInDesignOrderWithShortcuts() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QStringList items;
        for (const QAction* action : harness.control<QMenu>(QStringLiteral("mnuFile")).actions()) {
            items << action->objectName() + QLatin1Char(' ') + action->shortcut().toString();
        }
        QCOMPARE(items, QStringList({"mnuNew Ctrl+N", "mnuLine1 ", "mnuOpen Ctrl+O",
                                     "mnuSave Ctrl+S", "mnuLine2 ", "mnuRead Ctrl+R",
                                     "mnuWrite Ctrl+W", "mnuLine4 ", "mnuExit "}));
        QVERIFY(harness.control<QAction>(QStringLiteral("mnuLine4")).isSeparator());
    }

    void everyCaptionFitsItsControl() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        const QFont font = fitCaptionFont(*harness.window, QApplication::font());
        QCOMPARE(captionsThatDoNotFit(*harness.window), QStringList());
        QVERIFY(font.pointSizeF() >= 7.0);

        // The check itself must notice a font that is too large.
        QFont large = font;
        large.setPointSize(14);
        harness.window->setFont(large);
        QVERIFY(captionsThatDoNotFit(*harness.window).contains("Enable Joystick Rx Axis"));
    }

    void assignmentButtonsShowCaptionsLiterallyOnUpToTwoLines() {
        CaptionButton button;
        button.setGeometry(twipsRect(2760, 0, 2535, 495));
        button.setCaption(QStringLiteral("[ctrl] [shift] [alt] Print Screen"));
        const QStringList lines = button.wrappedLines(button.width() - 8);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.join(' '), button.caption());
        QVERIFY(captionsThatDoNotFit(button).isEmpty());

        // "&" is part of a key name, not a keyboard mnemonic.
        button.setCaption(QStringLiteral("(7 &, A, ...)"));
        QCOMPARE(button.caption(), QStringLiteral("(7 &, A, ...)"));
        QCOMPARE(button.text(), QStringLiteral("(7 &&, A, ...)"));
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
