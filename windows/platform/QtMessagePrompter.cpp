#include "windows/platform/QtMessagePrompter.h"

#include <QMessageBox>
#include <QString>

namespace vantrel {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

/// The first button is the default one, as the messages are written for it.
QMessageBox::StandardButton defaultButton(MessageButtons buttons) {
    return buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Yes;
}

MessageAnswer answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons) {
    switch (clicked) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return quietAnswer(buttons); // closed without a button
    }
}

/// Messages put "\r\n" between their lines; a label wants a bare "\n".
QString displayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

QtMessagePrompter::QtMessagePrompter(QWidget* parent)
    : parent_(parent) {}

MessageAnswer QtMessagePrompter::showMessage(const std::string& text, const std::string& title,
                                             MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), displayText(text),
                    qtButtons(buttons), parent_.data());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton(buttons));
    box.exec();
    return answerFor(box.standardButton(box.clickedButton()), buttons);
}

} // namespace vantrel
