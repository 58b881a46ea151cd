#pragma once

#include <QApplication>
#include <memory>

namespace vantrel {

/// Starts Qt on the display the environment or the command line names
/// (-platform, QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY). When no display
/// can be opened, Qt would abort with its own advice to reinstall; instead
/// the program ends here, with status 1 and one line on standard error
/// naming `programName` and Qt's reason. What Qt says while it starts
/// successfully is passed on afterwards. `argc` must outlive the result.
[[nodiscard]] std::unique_ptr<QApplication> openDisplayOrExit(int& argc, char** argv,
                                                              const char* programName);

} // namespace vantrel
