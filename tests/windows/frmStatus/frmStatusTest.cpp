#include "StatusProgress.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

using vantrel::frmStatus;
using vantrel::StatusProgress;

namespace {

QLabel* statusLabel(const frmStatus* window) {
    return window->findChild<QLabel*>(QStringLiteral("lblStatus"));
}

} // namespace

class frmStatusTest : public QObject {
    Q_OBJECT

private slots:
    void showsAFixedModelessWindowOverItsOwner();
    void showsBothLinesOfAStatusAndLetsEventsRun();
    void startsAfreshAfterItWasRemoved();
    void staysUntilTheTransferRemovesIt();
};

void frmStatusTest::showsAFixedModelessWindowOverItsOwner() {
    QWidget owner;
    owner.show();
    StatusProgress progress(&owner);

    progress.show();

    frmStatus* window = progress.window();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QCOMPARE(window->parentWidget(), &owner);
    QCOMPARE(window->windowTitle(), QStringLiteral("VANTREL Configuration Utility"));
    QCOMPARE(window->size(), QSize(208, 42));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowCloseButtonHint)));
    QLabel* label = statusLabel(window);
    QCOMPARE(label->geometry(), QRect(8, 8, 193, 33));
    QCOMPARE(label->text(), QStringLiteral("Initializing..."));
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

void frmStatusTest::showsBothLinesOfAStatusAndLetsEventsRun() {
    QWidget owner;
    StatusProgress progress(&owner);
    progress.show();
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });

    progress.SetStatus("Writing configuration data\r\n45% complete");

    QCOMPARE(statusLabel(progress.window())->text(),
             QStringLiteral("Writing configuration data\n45% complete"));
    QVERIFY(ran);
}

void frmStatusTest::startsAfreshAfterItWasRemoved() {
    QWidget owner;
    StatusProgress progress(&owner);
    progress.show();
    progress.SetStatus("Reading\r\n99% complete");
    const QPointer<frmStatus> first = progress.window();

    progress.remove();
    QVERIFY(first.isNull());
    QVERIFY(progress.window() == nullptr);
    progress.show();

    QCOMPARE(statusLabel(progress.window())->text(), QStringLiteral("Initializing..."));
}

void frmStatusTest::staysUntilTheTransferRemovesIt() {
    QWidget owner;
    StatusProgress progress(&owner);
    progress.show();
    frmStatus* window = progress.window();

    QVERIFY(!window->close());
    QTest::keyClick(window, Qt::Key_Escape);

    QVERIFY(window->isVisible());
}

QTEST_MAIN(frmStatusTest)
#include "frmStatusTest.moc"
