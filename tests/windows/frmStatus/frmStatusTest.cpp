#include "windows/frmStatus/StatusProgress.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace vantrel;

class frmStatusTest : public QObject {
    Q_OBJECT

private slots:
    void showsAFixedModelessWindowThatOnlyTheTransferRemoves() {
        QWidget owner;
        owner.show();
        StatusProgress progress(&owner);
        progress.show();
        frmStatus* window = progress.window();
        const auto text = [&progress] {
            return progress.window()->findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
        };
        QVERIFY(window->isVisible() && !window->isModal());
        QCOMPARE(window->parentWidget(), &owner);
        QCOMPARE(window->windowTitle(), QStringLiteral("VANTREL Configuration Utility"));
        QCOMPARE(text(), QStringLiteral("Initializing..."));
        QVERIFY(!window->close());
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->isVisible());

        // The percentages themselves are the transfer's; the window words
        // each direction on two lines.
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        progress.update({TransferDirection::Writing, TransferStage::Configuration, 1, 3});
        QCOMPARE(text(), QStringLiteral("Writing configuration - 33%\nWriting data - 0%"));
        QVERIFY(ran); // the window repaints while the transfer runs
        progress.update({TransferDirection::Reading, TransferStage::Data, 8, 20});
        QCOMPARE(text(), QStringLiteral("Reading configuration - 100%\nReading data - 40%"));

        // The next transfer starts from a fresh window.
        const QPointer<frmStatus> first = window;
        progress.remove();
        QVERIFY(first.isNull());
        progress.show();
        QCOMPARE(text(), QStringLiteral("Initializing..."));
    }
};

QTEST_MAIN(frmStatusTest)
#include "frmStatusTest.moc"
