#include "files/SameFile.h"

#include "files/AtomicFile.h"

#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vantrel {
namespace fs = std::filesystem;

bool sameFile(const fs::path& output, const fs::path& input) {
    std::error_code error;
    if (fs::equivalent(output, input, error)) {
        return true;
    }
    const Expected<fs::path, FileError> outputTarget = findWriteTarget(output);
    const Expected<fs::path, FileError> inputTarget = findWriteTarget(input);
    if (!outputTarget.ok() || !inputTarget.ok()) {
        return false;
    }
    const fs::path a = fs::weakly_canonical(fs::absolute(outputTarget.value(), error), error);
    if (error) {
        return false;
    }
    const fs::path b = fs::weakly_canonical(fs::absolute(inputTarget.value(), error), error);
    return !error && a == b;
}

#ifdef _WIN32
// Windows has no inode a descriptor shows; its standard streams take part
// in the guard by the names given only.
std::optional<FileIdentity> regularFileOn(int /*descriptor*/) {
    return std::nullopt;
}

bool isFile(const fs::path& /*path*/, const FileIdentity& /*identity*/) {
    return false;
}
#else
std::optional<FileIdentity> regularFileOn(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
}

bool isFile(const fs::path& path, const FileIdentity& identity) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 &&
           FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)} == identity;
}
#endif

} // namespace vantrel
