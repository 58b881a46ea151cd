#include "files/SameFile.h"

#include "files/AtomicFile.h"

#include <system_error>

namespace vantrel {
namespace fs = std::filesystem;

bool sameFile(const fs::path& output, const fs::path& input) {
    std::error_code error;
    if (fs::equivalent(output, input, error)) {
        return true;
    }
    fs::path outputTarget;
    fs::path inputTarget;
    if (!findWriteTarget(output, outputTarget).ok() || !findWriteTarget(input, inputTarget).ok()) {
        return false;
    }
    const fs::path a = fs::weakly_canonical(fs::absolute(outputTarget, error), error);
    if (error) {
        return false;
    }
    const fs::path b = fs::weakly_canonical(fs::absolute(inputTarget, error), error);
    return !error && a == b;
}

} // namespace vantrel
