#include "windows/platform/QtProgramExit.h"

#include <cstdlib>

namespace vantrel {

void QtProgramExit::endProgram() {
    std::exit(EXIT_SUCCESS);
}

} // namespace vantrel
