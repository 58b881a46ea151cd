#include "windows/platform/QtFileDialogs.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace vantrel {
namespace {

/// A Windows-style pattern list ("*.txt;*.*") in Qt's form. "*.*" means
/// every file there, whereas Qt would take it literally and hide every name
/// without a dot, so it becomes "*".
QString qtPatterns(const std::string& pattern) {
    QStringList patterns =
        QString::fromStdString(pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& each : patterns) {
        each = each.trimmed();
        if (each == QStringLiteral("*.*")) {
            each = QStringLiteral("*");
        }
    }
    return patterns.join(QLatin1Char(' '));
}

/// Qt reads the patterns from the last parentheses of a filter and, with
/// the details hidden, shows what comes before them: the user sees the
/// request's own filter name and the matching follows the patterns.
QString qtNameFilter(const FileDialogRequest& request) {
    return QString::fromStdString(request.filterName) + QStringLiteral(" (") +
           qtPatterns(request.filterPattern) + QStringLiteral(")");
}

} // namespace

QtFileDialogs::QtFileDialogs(QWidget* parent)
    : parent_(parent) {}

std::optional<std::string> QtFileDialogs::getSaveFileName(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogs::getOpenFileName(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::run(const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent_.data(), QString::fromStdString(request.title),
                       QString::fromStdString(request.folder));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setNameFilter(qtNameFilter(request));
    if (!request.initialName.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    // Qt separates folders with '/' everywhere; on Windows the name the
    // program shows and stores is spelled as the user knows it, with
    // backslashes.
    return QDir::toNativeSeparators(chosen.first()).toStdString();
}

} // namespace vantrel
