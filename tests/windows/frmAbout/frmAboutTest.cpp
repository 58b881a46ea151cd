#include "frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <array>
#include <utility>

using vantrel::frmAbout;

class frmAboutTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheVersionAndTwoLinesOfOurOwn() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About VANTREL"));
        const QStringList lines =
            about.findChild<QLabel*>(QStringLiteral("lblDescription"))->text().split('\n');
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("VANTREL version 1.58"));
        QVERIFY(!lines[1].isEmpty() && !lines[2].isEmpty());
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(),
                 QStringLiteral("OK"));
    }

    void eachLineFitsTheLabelWidth() {
        frmAbout about;
        // The program never picks a font larger than 8 points, and what fits
        // at that size fits at every smaller one.
        QFont font = QApplication::font();
        font.setPointSizeF(8.0);
        about.setFont(font);
        const auto& label = *about.findChild<QLabel*>(QStringLiteral("lblDescription"));
        // Wrapping would make the text taller than its three lines unwrapped.
        const int unwrapped = label.heightForWidth(10000);
        QCOMPARE(label.heightForWidth(label.width()), unwrapped);
        QCOMPARE(unwrapped, 3 * label.fontMetrics().lineSpacing());
    }

    void okEnterAndEscapeHideIt() {
        const std::array<std::pair<const char*, int>, 3> ways{
            {{"OK clicked", 0}, {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}}};
        for (const auto& [way, key] : ways) {
            frmAbout about;
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            if (key == 0) {
                QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                                  Qt::LeftButton);
            } else {
                QTest::keyClick(&about, static_cast<Qt::Key>(key));
            }
            QVERIFY2(!about.isVisible(), way);
        }
    }
};

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
