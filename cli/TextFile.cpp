#include "TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vantrel::cli {
namespace fs = std::filesystem;
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

FilePointer createBeside(const fs::path& target, fs::path& temporary) {
    std::random_device seed;
    std::mt19937 generator(seed());
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp" +
                              std::to_string(generator() % 1000000));
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
            return FilePointer(file);
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

/// An existing file keeps its permissions when it is replaced.
void keepPermissions(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const fs::file_status status = fs::status(from, error);
    if (!error && fs::exists(status)) {
        fs::permissions(to, status.permissions(), error);
    }
}

} // namespace

std::string writeTextFileAtomically(const fs::path& path, std::string_view text) {
    std::error_code ignored;
    const fs::path target =
        fs::is_symlink(path, ignored) ? fs::weakly_canonical(path, ignored) : path;
    fs::path temporary;
    FilePointer file = createBeside(target, temporary);
    if (!file) {
        return target.string() + ": " + std::strerror(errno);
    }
    const auto discard = [&temporary](const std::string& reason) {
        std::error_code removeError;
        fs::remove(temporary, removeError);
        return reason;
    };
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    if (!written || !flushToDisk(file.get()) || std::fclose(file.release()) != 0) {
        return discard(target.string() + ": " + std::strerror(errno));
    }
    keepPermissions(target, temporary);
    std::error_code renameError;
    fs::rename(temporary, target, renameError);
    if (renameError) {
        return discard(target.string() + ": " + renameError.message());
    }
    return {};
}

} // namespace vantrel::cli
