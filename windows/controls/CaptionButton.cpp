#include "windows/controls/CaptionButton.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vantrel {
namespace {

QString escapeMnemonics(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

/// Captions end their lines with "\r\n", as the messages do; Qt's text
/// drawing wants a bare "\n".
QString withPlainLineBreaks(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void appendWrapped(const QString& paragraph, const QFontMetrics& metrics, int width,
                   QStringList& lines) {
    QString line;
    for (const QString& word : paragraph.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
        } else {
            lines.append(line);
            line = word;
        }
    }
    lines.append(line);
}

} // namespace

CaptionButton::CaptionButton(QWidget* parent)
    : QPushButton(parent) {}

void CaptionButton::setCaption(const QString& caption) {
    caption_ = caption;
    // The escaped text keeps QAbstractButton from registering a mnemonic
    // shortcut and gives accessibility tools the readable caption.
    setText(escapeMnemonics(withPlainLineBreaks(caption)));
    updateAccessibleName();
    update();
}

void CaptionButton::setNamePrefix(const QString& prefix) {
    namePrefix_ = prefix;
    updateAccessibleName();
}

void CaptionButton::updateAccessibleName() {
    setAccessibleName(namePrefix_ +
                      withPlainLineBreaks(caption_).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

QStringList CaptionButton::wrappedLines(int width) const {
    const QFontMetrics metrics = fontMetrics();
    QStringList lines;
    for (const QString& paragraph : withPlainLineBreaks(caption_).split(QLatin1Char('\n'))) {
        appendWrapped(paragraph, metrics, width, lines);
    }
    return lines;
}

int CaptionButton::textWidth() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    return contents.width();
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStringList lines = wrappedLines(textWidth());
    for (QString& line : lines) {
        line = escapeMnemonics(line);
    }
    option.text = lines.join(QLatin1Char('\n'));
    painter.drawControl(QStyle::CE_PushButton, option);
}

} // namespace vantrel
