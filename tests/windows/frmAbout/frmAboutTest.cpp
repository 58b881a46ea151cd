#include "frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using vantrel::frmAbout;

class frmAboutTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheVersionAndTwoLinesOfOurOwn();
    void okEnterAndEscapeHideIt_data();
    void okEnterAndEscapeHideIt();
};

void frmAboutTest::showsTheVersionAndTwoLinesOfOurOwn() {
    frmAbout about;
    about.show();

    QCOMPARE(about.windowTitle(), QStringLiteral("About VANTREL"));
    const QStringList lines =
        about.findChild<QLabel*>(QStringLiteral("lblDescription"))->text().split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("VANTREL version 1.58"));
    QVERIFY(!lines[1].isEmpty());
    QVERIFY(!lines[2].isEmpty());
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
}

void frmAboutTest::okEnterAndEscapeHideIt_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("OK clicked") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void frmAboutTest::okEnterAndEscapeHideIt() {
    QFETCH(int, key);
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    if (key == 0) {
        QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    } else {
        QTest::keyClick(&about, static_cast<Qt::Key>(key));
    }

    QVERIFY(!about.isVisible());
}

QTEST_MAIN(frmAboutTest)
#include "frmAboutTest.moc"
