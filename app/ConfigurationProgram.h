#pragma once

#include "HidAccess.h"

namespace vantrel {

/// Names the application so that Qt's per-user folders are
/// ".../vantrel/<program>"; the real program keeps nothing there.
void nameApplication(const char* programName);

/// Builds the main window over `hid`, runs its start-up and, unless that
/// ended the program, shows it and runs the event loop. Needs the
/// QApplication to exist. Returns the exit code of the loop.
int runConfigurationProgram(HidAccess& hid);

} // namespace vantrel
