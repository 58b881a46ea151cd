#include "windows/frmAbout/frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using vantrel::frmAbout;

class frmAboutTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheVersionAndTwoLinesOfOurOwnEachOnOneLine() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About VANTREL"));
        QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(),
                 QStringLiteral("OK"));
        const auto& label = *about.findChild<QLabel*>(QStringLiteral("lblDescription"));
        QCOMPARE(label.text().section('\n', 0, 0), QStringLiteral("VANTREL version 1.58"));
        QCOMPARE(label.text().count('\n'), 2);

        // The program never picks a font larger than 8 points, and what fits
        // at that size fits at every smaller one. A wrapped line would make
        // the text taller than its three lines unwrapped.
        QFont font = QApplication::font();
        font.setPointSizeF(8.0);
        about.setFont(font);
        const int unwrapped = label.heightForWidth(10000);
        QCOMPARE(label.heightForWidth(label.width()), unwrapped);
        QCOMPARE(unwrapped, 3 * label.fontMetrics().lineSpacing());
    }

    void okEnterAndEscapeHideIt() {
        for (const int key : {0, int{Qt::Key_Return}, int{Qt::Key_Escape}}) {
            frmAbout about;
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            if (key == 0) {
                QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                                  Qt::LeftButton);
            } else {
                QTest::keyClick(&about, static_cast<Qt::Key>(key));
            }
            QVERIFY2(!about.isVisible(), qPrintable(QString::number(key)));
        }
    }
};

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
