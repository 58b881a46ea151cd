#include "QtFileDialogs.h"

#include "WhenModal.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

using vantrel::FileDialogRequest;
using vantrel::QtFileDialogs;
using vantrel::testing::whenModal;

namespace {

FileDialogRequest request(const char* title, const QString& folder, const QString& initialName,
                          bool confirmOverwrite) {
    FileDialogRequest result;
    result.title = title;
    result.folder = folder.toStdString();
    result.initialName = initialName.toStdString();
    result.filterName = "All Files (*.*)";
    result.filterPattern = "*.*";
    result.confirmOverwrite = confirmOverwrite;
    return result;
}

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

/// The names the dialog lists, once its folder has been read.
QStringList listedNames(QFileDialog* dialog, int expected) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    // The folder is read in the background; a short list fails the comparison.
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
    void saveOffersTheNameAndListsEveryFile();
    void openAnswersTheChosenFile();
};

void QtFileDialogsTest::saveOffersTheNameAndListsEveryFile() {
    QTemporaryDir folder;
    touch(folder.filePath(QStringLiteral("Config")));
    touch(folder.filePath(QStringLiteral("old.cfg")));
    QtFileDialogs dialogs(nullptr);
    QString title;
    QString offered;
    QString filter;
    QStringList listed;
    bool confirms = false;
    bool saves = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        offered = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        filter = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        saves = dialog->acceptMode() == QFileDialog::AcceptSave;
        listed = listedNames(dialog, 2);
        dialog->reject();
    });

    const auto chosen = dialogs.getSaveFileName(
        request("Save File", folder.path(), folder.filePath(QStringLiteral("Config.cfg")), true));

    QVERIFY(!chosen.has_value());
    QCOMPARE(title, QStringLiteral("Save File"));
    QCOMPARE(offered, QStringLiteral("Config.cfg"));
    QCOMPARE(filter, QStringLiteral("All Files (*.*)"));
    QCOMPARE(listed, (QStringList{QStringLiteral("Config"), QStringLiteral("old.cfg")}));
    QVERIFY(confirms);
    QVERIFY(saves);
}

void QtFileDialogsTest::openAnswersTheChosenFile() {
    QTemporaryDir folder;
    touch(folder.filePath(QStringLiteral("cabinet.cfg")));
    QtFileDialogs dialogs(nullptr);
    QString title;
    QString offered = QStringLiteral("not read");
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        offered = name->text();
        name->setText(QStringLiteral("cabinet.cfg"));
        QTest::keyClick(name, Qt::Key_Return);
    });

    const auto chosen = dialogs.getOpenFileName(request("Open File", folder.path(), {}, false));

    QCOMPARE(title, QStringLiteral("Open File"));
    QCOMPARE(offered, QString());
    QVERIFY(chosen.has_value());
    QCOMPARE(QString::fromStdString(*chosen), folder.filePath(QStringLiteral("cabinet.cfg")));
}

QTEST_MAIN(QtFileDialogsTest)
#include "QtFileDialogsTest.moc"
