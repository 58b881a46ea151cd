#pragma once

#include "app/ProgramArguments.h"

#include <functional>

namespace vantrel {

/// Names the application so that Qt's per-user folders are
/// ".../vantrel/<program>" (the real program keeps nothing there) and so
/// that desktops match its windows to its menu entry and icon. Needs the
/// QApplication to exist.
void nameApplication(const ProgramIdentity& program);

/// The whole of a window program's main(): answers --help, --version and
/// usage errors without a window (Qt needs a display to start); otherwise
/// starts Qt, names the application and returns what `run` returns, given
/// the command line's words.
int programMain(int argc, char** argv, const ProgramIdentity& program,
                const std::function<int(const ProgramArguments& arguments)>& run);

} // namespace vantrel
