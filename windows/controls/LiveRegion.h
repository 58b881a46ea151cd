#pragma once

#include <QString>

class QAccessibleEvent;
class QLabel;

// A text that a screen reader reads out as it changes without the focus
// moving to it, such as the input test's last press, heard across a cabinet.
namespace vantrel {

/// Sets `label`'s text and accessible name, then tells assistive technology
/// that the name changed and that it is to be read out now.
void announceText(QLabel& label, const QString& text);

/// Where the announcements go; nullptr (the default) is Qt's accessibility.
/// Qt drops its events until a screen reader has asked for them, so a test
/// listens here instead.
using AnnouncementSink = void (*)(QAccessibleEvent* event);
void setAnnouncementSink(AnnouncementSink sink);

} // namespace vantrel
