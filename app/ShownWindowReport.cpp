#include "app/ShownWindowReport.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace vantrel {
namespace {

QString shownLine(const QWidget& window) {
    QString line = QStringLiteral("shown: ") + window.windowTitle();
    if (const auto* box = qobject_cast<const QMessageBox*>(&window)) {
        QString text = box->text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" / "));
        text.replace(QLatin1Char('\n'), QStringLiteral(" / "));
        line += QStringLiteral(": ") + text;
    }
    return line + QLatin1Char('\n');
}

class ShownWindowReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Spontaneous show events come from the window system (a window
        // restored from an icon); only the program's own showing counts.
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            const auto* widget = qobject_cast<const QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                std::fputs(shownLine(*widget).toUtf8().constData(), stderr);
                std::fflush(stderr);
            }
        }
        return false;
    }
};

} // namespace

void reportShownWindowsWhenAsked() {
    const char* asked = std::getenv(ShownWindowReportVariable);
    if (asked == nullptr || *asked == '\0' || qApp == nullptr) {
        return;
    }
    qApp->installEventFilter(new ShownWindowReporter(qApp));
}

} // namespace vantrel
