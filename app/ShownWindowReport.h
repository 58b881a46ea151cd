#pragma once

namespace vantrel {

/// The environment variable that makes a window program print a line on
/// standard error for each window it shows. Start-up checks of the
/// installed programs wait for those lines; users never set it.
constexpr const char* ShownWindowReportVariable = "VANTREL_REPORT_SHOWN_WINDOWS";

/// When the variable is set, prints "shown: TITLE" for every top-level
/// window as it appears, and "shown: TITLE: TEXT" for a message box (its
/// text on one line). Needs the QApplication to exist; does nothing
/// otherwise.
void reportShownWindowsWhenAsked();

} // namespace vantrel
