#include "windows/frmStatus/frmStatus.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>

namespace vantrel {
namespace {

constexpr const char* Caption = "VANTREL Configuration Utility";
constexpr QSize ClientSize(208, 42);
constexpr QRect StatusGeometry(8, 8, 193, 33);

/// A fixed dialog frame with a title only: no minimise, maximise or close box.
constexpr Qt::WindowFlags StatusFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

frmStatus::frmStatus(QWidget* owner)
    : QDialog(owner, StatusFlags)
    , lblStatus(new QLabel(QString::fromLatin1(InitialText), this)) {
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QString::fromLatin1(Caption));
    setFixedSize(ClientSize);
    setModal(false);

    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(StatusGeometry);
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblStatus->setWordWrap(true);
}

void frmStatus::SetStatus(const std::string& text) {
    lblStatus->setText(
        QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCoreApplication::processEvents();
}

void frmStatus::reject() {}

void frmStatus::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace vantrel
