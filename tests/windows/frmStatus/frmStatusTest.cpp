#include "StatusProgress.h"

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
        progress.update({TransferDirection::Writing, TransferStage::Configuration, 1, 3});
        QCOMPARE(label->text(), QStringLiteral("Writing configuration - 33%\nWriting data - 0%"));
        QVERIFY(ran); // the window repaints while the transfer runs

        // The next transfer starts from a fresh window.
        const QPointer<frmStatus> first = window;
        progress.remove();
        QVERIFY(first.isNull());
        progress.show();
        QCOMPARE(progress.window()->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Initializing..."));
    }

    void wordsEachStageOfATransferOnTwoLines() {
        QWidget owner;
        StatusProgress progress(&owner);
        progress.show();
        auto* label = progress.window()->findChild<QLabel*>(QStringLiteral("lblStatus"));
        const struct {
            TransferProgress progress;
            const char* text;
        } cases[] = {
            {{TransferDirection::Writing, TransferStage::Configuration, 0, 3},
             "Writing configuration - 0%\nWriting data - 0%"},
            {{TransferDirection::Reading, TransferStage::Configuration, 2, 3},
             "Reading configuration - 67%\nReading data - 0%"},
            {{TransferDirection::Reading, TransferStage::Data, 8, 20},
             "Reading configuration - 100%\nReading data - 40%"},
            {{TransferDirection::Writing, TransferStage::Data, 4024, 4032},
             "Writing configuration - 100%\nWriting data - 100%"},
            {{TransferDirection::Writing, TransferStage::Data, 0, 0},
             "Writing configuration - 100%\nWriting data - 100%"},
        };
        for (const auto& c : cases) {
            progress.update(c.progress);
            QCOMPARE(label->text(), QString::fromLatin1(c.text));
        }
    }
};

QTEST_MAIN(frmStatusTest)
#include "frmStatusTest.moc"
