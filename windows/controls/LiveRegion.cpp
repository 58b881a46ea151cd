#include "windows/controls/LiveRegion.h"

#include <QAccessible>
#include <QLabel>

namespace vantrel {
namespace {

AnnouncementSink sink = nullptr;

void send(QAccessibleEvent& event) {
    if (sink != nullptr) {
        sink(&event);
    } else {
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace

void announceText(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleName(text);
    QAccessibleEvent nameChanged(&label, QAccessible::NameChanged);
    send(nameChanged);
    QAccessibleEvent alert(&label, QAccessible::Alert);
    send(alert);
}

void setAnnouncementSink(AnnouncementSink newSink) {
    sink = newSink;
}

} // namespace vantrel
