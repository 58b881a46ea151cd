#include "QtFileDialogs.h"

#include "WhenModal.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using vantrel::QtFileDialogs;
using vantrel::testing::whenModal;

namespace {

/// The names the dialog lists, once its folder has been read in the
/// background; a short list fails the comparison.
QStringList listedNames(QFileDialog* dialog, int expected) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    static_cast<void>(QTest::qWaitFor([&] {
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names << view->model()->index(row, 0, root).data().toString();
        }
        return names.size() >= expected;
    }));
    names.sort();
    return names;
}

} // namespace

class QtFileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void saveOffersTheNameListsEveryFileAndCreatesANewOne();
};

void QtFileDialogsTest::saveOffersTheNameListsEveryFileAndCreatesANewOne() {
    QTemporaryDir folder;
    for (const char* name : {"Config", "old.cfg"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QString title;
    QString offered;
    QString filter;
    QStringList listed;
    bool confirmsOverwrite = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        offered = name->text();
        filter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        listed = listedNames(dialog, 2);
        name->setText(QStringLiteral("new.cfg"));
        QTest::keyClick(name, Qt::Key_Return);
    });

    vantrel::FileDialogRequest request;
    request.title = "Save File";
    request.folder = folder.path().toStdString();
    request.initialName = folder.filePath(QStringLiteral("Config.cfg")).toStdString();
    request.filterName = "All Files (*.*)";
    request.filterPattern = "*.*";
    request.confirmOverwrite = true;
    const auto chosen = QtFileDialogs(nullptr).getSaveFileName(request);

    QCOMPARE(title, QStringLiteral("Save File"));
    QCOMPARE(offered, QStringLiteral("Config.cfg"));
    QCOMPARE(filter, QStringLiteral("All Files (*.*)"));
    QCOMPARE(listed, (QStringList{QStringLiteral("Config"), QStringLiteral("old.cfg")}));
    QVERIFY(confirmsOverwrite);
    QVERIFY(chosen.has_value());
    QCOMPARE(QString::fromStdString(*chosen), folder.filePath(QStringLiteral("new.cfg")));
}

QTEST_MAIN(QtFileDialogsTest)
#include "QtFileDialogsTest.moc"
