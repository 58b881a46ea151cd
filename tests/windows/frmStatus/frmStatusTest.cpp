#include "StatusProgress.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using vantrel::frmStatus;
using vantrel::StatusProgress;

class frmStatusTest : public QObject {
    Q_OBJECT

private slots:
    void showsAFixedModelessWindowThatOnlyTheTransferRemoves() {
        QWidget owner;
        owner.show();
        StatusProgress progress(&owner);
        progress.show();

        frmStatus* window = progress.window();
        auto* label = window->findChild<QLabel*>(QStringLiteral("lblStatus"));
        QVERIFY(window->isVisible() && !window->isModal());
        QCOMPARE(window->parentWidget(), &owner);
        QCOMPARE(window->windowTitle(), QStringLiteral("VANTREL Configuration Utility"));
        QCOMPARE(window->size(), QSize(208, 42));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(
            !(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                       Qt::WindowCloseButtonHint)));
        QCOMPARE(label->text(), QStringLiteral("Initializing..."));
        QVERIFY(!window->close());
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->isVisible());

        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        progress.SetStatus("Writing configuration data\r\n45% complete");
        QCOMPARE(label->text(), QStringLiteral("Writing configuration data\n45% complete"));
        QVERIFY(ran); // the window repaints while the transfer runs

        // The next transfer starts from a fresh window.
        const QPointer<frmStatus> first = window;
        progress.remove();
        QVERIFY(first.isNull());
        progress.show();
        QCOMPARE(progress.window()->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Initializing..."));
    }
};

QTEST_MAIN(frmStatusTest)
#include "frmStatusTest.moc"
