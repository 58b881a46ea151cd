#include "CaptionFit.h"
#include "MainWindowHarness.h"
#include "Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

/// "first-last" of the rows shown, or "gap" when they are not contiguous.
QString shownRows(const MainWindowHarness& harness) {
    QList<int> shown;
    for (int i = 0; i < InputCount; ++i) {
        if (harness.control<QWidget>("picFrame", i).isVisible()) {
            shown << i;
        }
    }
    if (shown.isEmpty() || shown.back() - shown.front() + 1 != shown.size()) {
        return QStringLiteral("gap");
    }
    return QStringLiteral("%1-%2").arg(shown.front()).arg(shown.back());
}

void setClientHeight(MainWindowHarness& harness, std::int32_t twips) {
    harness.window->resize(harness.window->width(),
                           pixels(twips) + harness.window->menuBar()->height());
}

QString shownText(const QObject* found) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(found)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(found)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(found)) {
        return frame->title();
    }
    if (const auto* menu = qobject_cast<const QMenu*>(found)) {
        return menu->title();
    }
    const auto* action = qobject_cast<const QAction*>(found);
    return action != nullptr ? action->text() : QString();
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheRowsThatOverlapTheStrip_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("firstTopTwips");
        // Row 11 is cut by the bottom edge; row 12 would start at the edge.
        QTest::newRow("top") << 0 << "0-11" << 0;
        // Row 0 at -555 only touches the top edge and is hidden.
        QTest::newRow("one row down") << 5 << "1-12" << 0;
        // Offset 53391: row 96 from -111, the last row from 5994 to 6549.
        QTest::newRow("maximum") << 481 << "96-107" << -111;
    }
    void showsTheRowsThatOverlapTheStrip() {
        QFETCH(int, value);
        QFETCH(QString, rows);
        QFETCH(int, firstTopTwips);
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        QCOMPARE(bar.maximum(), 481);

        bar.setValue(value);

        QCOMPARE(shownRows(harness), rows);
        const int first = rows.section('-', 0, 0).toInt();
        QCOMPARE(harness.control<QWidget>("picFrame", first).y(), pixels(firstTopTwips));
    }

    void followsTheWindowHeight() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));

        setClientHeight(harness, 3000);
        QCOMPARE(bar.height(), harness.window->centralWidget()->height());
        QCOMPARE(bar.maximum(), 513); // (59940 - 3000) / 111 = 512.97
        bar.setValue(513);
        QCOMPARE(shownRows(harness), QStringLiteral("102-107"));

        // Taller than the whole column: the bar holds at 0 rather than at a
        // negative maximum, and every row is at its design place.
        setClientHeight(harness, 60000);
        QCOMPARE(bar.maximum(), 0);
        QCOMPARE(shownRows(harness), QStringLiteral("0-107"));
        QCOMPARE(harness.control<QWidget>("picFrame", 107).y(), pixels(107 * 555));

        // No client area left: the bar and the rows stay as they were.
        setClientHeight(harness, 0);
        QCOMPARE(harness.window->height(), harness.window->menuBar()->height());
        QCOMPARE(bar.height(), pixels(60000));
        QCOMPARE(shownRows(harness), QStringLiteral("0-107"));
    }

    void keepsTheDesignClientHeightWhateverTheFont() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QFont large = harness.window->font();
        large.setPointSize(14); // a taller menu bar
        harness.window->setFont(large);
        QVERIFY(harness.start());
        QCOMPARE(harness.window->centralWidget()->height(), pixels(6540));
        QCOMPARE(harness.control<QScrollBar>(QStringLiteral("ScrollBar")).height(), pixels(6540));
    }

    void scrollsByKeysAndByTheWheelOverTheRows() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        auto& bar = harness.control<QScrollBar>(QStringLiteral("ScrollBar"));
        QTest::keyClick(&bar, Qt::Key_PageDown);
        QTest::keyClick(&bar, Qt::Key_Down);
        QCOMPARE(bar.value(), 51);

        auto& label = harness.control<QWidget>("lblInput", 12);
        QWheelEvent down(QPointF(5, 5), label.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // Only a platform event travels up to the parents; sendEvent() would
        // mark it as the program's own.
        QSpontaneKeyEvent::setSpontaneous(&down);
        qApp->notify(&label, &down);
        QVERIFY(bar.value() > 51);
    }

    void showsTheDesignCaptions() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QCOMPARE(harness.window->windowTitle(), QStringLiteral("VANTREL Configuration Utility"));
        const QList<std::pair<const char*, const char*>> captions = {
            {"optSingleKey_24", "Single Key"},
            {"optSingleKey_25", "Macro Sequence"},
            {"Frame3", "Rotary Switch 1"},
            {"Frame5", "Rotary Switch 2"},
            {"Frame1", "Trackball Control"},
            {"Frame4", "Joystick Axes"},
            {"Frame2", "Spinner Control"},
            {"lblRotary_5", "Counterclockwise Movement"},
            {"lblRotary_6", "Clockwise Movement"},
            {"lblRotary_7", "Maximum rate "},
            {"lblRotary_8", "Divisor"},
            {"lblRotary_9", "Buffer overflow"},
            {"chkReverseX", "Reverse X Axis"},
            {"chkReverseY", "Reverse Y Axis"},
            {"optSpinner_0", "Mouse Wheel"},
            {"optSpinner_1", "Mouse X Axis"},
            {"optSpinner_2", "Mouse Y Axis"},
            {"chkReverseSpinner", "Reverse Spinner"},
            {"chkJoystick_0", "Enable Joystick X Axis"},
            {"chkJoystick_3", "Enable Joystick Rx Axis"},
            {"mnuFile", "&File"},
            {"mnuHelp", "&Help"},
            {"mnuAbout", "&About"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(shownText(harness.window->findChild<QObject*>(QLatin1String(name))),
                     QLatin1String(caption));
        }
        QStringList entries;
        for (const char* list : {"lstMaximumRate", "lstDivisor", "lstBufferOverflow"}) {
            const auto& box = harness.control<QComboBox>(list, 1);
            for (int i = 0; i < box.count(); ++i) {
                entries << box.itemText(i);
            }
        }
        QCOMPARE(entries, QStringList({"10 per sec", "20 per sec", "40 per sec", "1", "2", "4",
                                       "Disabled", "Enabled"}));
    }

    void fileMenuInDesignOrderWithShortcuts() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QStringList items;
        for (const QAction* action : harness.control<QMenu>(QStringLiteral("mnuFile")).actions()) {
            items << action->objectName() + (action->isSeparator() ? QStringLiteral(" -") : "") +
                         QLatin1Char(' ') + action->text() + QLatin1Char(' ') +
                         action->shortcut().toString();
        }
        QCOMPARE(items,
                 QStringList(
                     {"mnuNew &New Ctrl+N", "mnuLine1 -  ", "mnuOpen &Open Ctrl+O",
                      "mnuSave &Save Ctrl+S", "mnuLine2 -  ", "mnuRead &Read from VANTREL Ctrl+R",
                      "mnuWrite &Write to VANTREL Ctrl+W", "mnuLine4 -  ", "mnuExit E&xit "}));
    }

    void everyCaptionFitsItsControl() {
        EmulatedDevice device;
        MainWindowHarness harness(device);
        QVERIFY(harness.start());
        const QFont font = fitCaptionFont(*harness.window, QApplication::font());
        QCOMPARE(captionsThatDoNotFit(*harness.window), QStringList());
        QVERIFY(font.pointSizeF() >= 7.0);

        // The check itself notices a font that is too large.
        QFont large = font;
        large.setPointSize(14);
        harness.window->setFont(large);
        QVERIFY(captionsThatDoNotFit(*harness.window).contains("Enable Joystick Rx Axis"));
    }

    void assignmentButtonsShowCaptionsLiterallyOnTwoLines() {
        CaptionButton button;
        button.setGeometry(twipsRect(2760, 0, 2535, 495));
        button.setCaption(QStringLiteral("[ctrl] [shift] [alt] Print Screen"));
        QCOMPARE(button.wrappedLines(button.width() - 8).size(), 2);
        QVERIFY(captionsThatDoNotFit(button).isEmpty());

        // "&" is part of a key name, not a keyboard mnemonic.
        button.setCaption(QStringLiteral("(7 &, A, ...)"));
        QCOMPARE(button.text(), QStringLiteral("(7 &&, A, ...)"));
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
