#include "files/AtomicFile.h"

#include "files/PathText.h"
#include "model/EchoedText.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// Closes a stdio file when it goes out of scope.
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

/// Makes the rename itself durable; best effort, as not every file system
/// lets a folder be opened this way.
void flushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
#endif
}

/// More links than this in a row is taken for a loop, as the system does.
constexpr int MaximumLinks = 40;

fs::path folderOf(const fs::path& target) {
    return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// The temporary file being written, for the interruption handler, which may
// only make async-signal-safe calls: hence a fixed buffer and a flag.
std::array<char, 4096> pendingTemporary{};
volatile std::sig_atomic_t hasPendingTemporary = 0;

void markPending(const fs::path& temporary) {
    const std::string name = temporary.string();
    if (name.size() < pendingTemporary.size()) {
        std::memcpy(pendingTemporary.data(), name.c_str(), name.size() + 1);
        hasPendingTemporary = 1;
    }
}

void clearPending() {
    hasPendingTemporary = 0;
}

#ifndef _WIN32
extern "C" void removePendingAndEnd(int number) {
    if (hasPendingTemporary != 0) {
        unlink(pendingTemporary.data());
    }
    std::signal(number, SIG_DFL);
    std::raise(number);
}
#endif

/// Creates the file new and empty, readable and writable by its owner only,
/// then gives it `mode` before anything is written into it; without a mode
/// (a new target: nothing private to keep) it takes the usual mode for new
/// files. An existing name fails with EEXIST, so a stray file is never reused.
std::FILE* createPrivately(const fs::path& path, [[maybe_unused]] std::optional<fs::perms> mode) {
#ifdef _WIN32
    return openFile(path, "wbx");
#else
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                mode ? S_IRUSR | S_IWUSR : 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = nullptr;
    if (!mode || fchmod(descriptor, static_cast<mode_t>(*mode)) == 0) {
        file = fdopen(descriptor, "wb");
    }
    if (file == nullptr) {
        const int error = errno;
        close(descriptor);
        unlink(path.c_str());
        errno = error;
    }
    return file;
#endif
}

#ifdef _WIN32
void keepPermissions(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const fs::file_status status = fs::status(from, error);
    if (!error && fs::exists(status)) {
        fs::permissions(to, status.permissions(), error);
    }
}
#endif

/// The permissions of the file a write replaces; none for a new file, which
/// takes the usual mode for new files.
std::optional<fs::perms> existingPermissions(const fs::path& target) {
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (error || !fs::exists(status)) {
        return std::nullopt;
    }
    return status.permissions() & fs::perms::mask;
}

/// A new file, open for writing, and its name.
struct TemporaryFile {
    FilePointer file;
    fs::path path;
};

/// Creates a new, empty file beside the target under a name nobody else
/// uses, with the target's permissions. The target itself may be fine when
/// this fails: the folder refused the new file (read-only, full, or a file
/// system like /proc that makes none).
Expected<TemporaryFile, FileError> createTemporaryBeside(const fs::path& target) {
    std::random_device seed;
    std::mt19937 generator(seed());
    const fs::path folder = folderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Short and fixed in length: a name derived from the target's would
        // exceed the folder's limit when the target's own name is near it.
        fs::path temporary = folder / (".vantrel-" + std::to_string(100000 + generator() % 900000));
        if (std::FILE* file = createPrivately(temporary, existingPermissions(target))) {
            markPending(temporary);
            return TemporaryFile{FilePointer(file), std::move(temporary)};
        }
        if (errno != EEXIST) {
            break;
        }
    }
    const int error = errno;
    return FileResult{FileError::CannotWrite,
                      echoedPath(utf8Text(target)) +
                          ": no temporary file can be made beside it: " + std::strerror(error)};
}

/// True unless the target exists and this process may not write to it.
/// Replacing a file only needs write access to its folder, so without this
/// check a file the user protected would be swapped out behind their back.
bool mayReplace(const fs::path& target) {
    std::error_code error;
    if (!fs::exists(target, error)) {
        return true;
    }
#ifdef _WIN32
    return _waccess(target.c_str(), 2) == 0;
#else
    return faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
#endif
}

} // namespace

void removeTemporaryFileOnInterrupt() {
#ifndef _WIN32
    for (const int number : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(number, removePendingAndEnd);
    }
#endif
}

std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::string narrow(mode);
    return _wfopen(path.c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

Expected<fs::path, FileError> findWriteTarget(const fs::path& path) {
    fs::path target = path;
    for (int links = 0;; ++links) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(target, error);
        switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::regular:
            return target;
        case fs::file_type::none:
            return systemFailure(FileError::CannotWrite, path, error);
        case fs::file_type::directory:
            return notRegularFile(FileError::CannotWrite, path, true);
        case fs::file_type::symlink:
            break;
        default:
            return notRegularFile(FileError::CannotWrite, path, false);
        }
        if (links == MaximumLinks) {
            return systemFailure(FileError::CannotWrite, path, ELOOP);
        }
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            return systemFailure(FileError::CannotWrite, path, error);
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

FileResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    const Expected<fs::path, FileError> found = findWriteTarget(path);
    if (!found.ok()) {
        return found.failure();
    }
    const fs::path& target = found.value();
    if (!mayReplace(target)) {
        return systemFailure(FileError::CannotWrite, target, errno);
    }
    Expected<TemporaryFile, FileError> created = createTemporaryBeside(target);
    if (!created.ok()) {
        return created.failure();
    }
    FilePointer file = std::move(created.value().file);
    const fs::path& temporary = created.value().path;

    const auto discard = [&temporary](FileResult result) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        clearPending();
        return result;
    };

    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    const bool flushed = written == bytes.size() && flushToDisk(file.get());
    const int writeError = errno;
    // Closed before anything is removed: Windows cannot delete an open file.
    const bool closed = std::fclose(file.release()) == 0;
    if (!flushed || !closed) {
        return discard(systemFailure(FileError::CannotWrite, target, flushed ? errno : writeError));
    }

#ifdef _WIN32
    keepPermissions(target, temporary);
#endif
    std::error_code renameError;
    fs::rename(temporary, target, renameError);
    if (renameError) {
        return discard(systemFailure(FileError::CannotWrite, target, renameError));
    }
    clearPending();
    flushFolder(folderOf(target));
    return {};
}

FileResult writeFileAtomically(const fs::path& path, std::string_view text) {
    // Bytes and chars share their object representation, so this is a view
    // of the same storage, not a conversion.
    return writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace vantrel
