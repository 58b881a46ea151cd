#include "files/RegularFile.h"

#include "files/AtomicFile.h"
#include "files/PathText.h"
#include "model/EchoedText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// Files are read in pieces of this size, so that a small file costs little
/// whatever the limit.
constexpr std::size_t PieceSize = std::size_t{64} * 1024;

/// The refusal of what an open found, unless it is a regular file.
std::optional<FileResult> refusal(const fs::path& path, unsigned mode) {
    if ((mode & S_IFMT) == S_IFREG) {
        return std::nullopt;
    }
    return notRegularFile(FileError::CannotOpen, path, (mode & S_IFMT) == S_IFDIR);
}

/// Reads piece by piece until the end, or until one byte more than the
/// limit tells a file that is too long without trusting a size taken before
/// the read. `readPiece(into, count)` answers how many bytes it read (0 at the
/// end), nothing on an error. False on an error.
template <typename ReadPiece>
bool readUpTo(std::size_t limit, std::string& buffer, ReadPiece readPiece) {
    while (buffer.size() <= limit) {
        const std::size_t start = buffer.size();
        buffer.resize(start + std::min(PieceSize, limit + 1 - start));
        const std::optional<std::size_t> got =
            readPiece(buffer.data() + start, buffer.size() - start);
        if (!got) {
            return false;
        }
        buffer.resize(start + *got);
        if (*got == 0) {
            break;
        }
    }
    return true;
}

FileResult tooLong(const fs::path& path, std::size_t limit) {
    return {FileError::TooLong,
            echoedPath(utf8Text(path)) + ": longer than " + std::to_string(limit) + " bytes"};
}

#ifndef _WIN32
/// Closes a file descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int descriptor)
        : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    [[nodiscard]] int get() const { return descriptor_; }

private:
    int descriptor_;
};
#endif

} // namespace

Expected<FileHead, FileError> readFileHead(const fs::path& path, std::size_t limit) {
    std::string buffer;
#ifdef _WIN32
    // Windows has no FIFOs in the file system; opening a device name does
    // not block, so the check after opening is enough.
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    const std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    if (!file) {
        const int openError = errno;
        // Windows refuses to open a folder as a file ("Permission denied");
        // the name tells the real reason.
        if (std::error_code ignored; fs::is_directory(path, ignored)) {
            return notRegularFile(FileError::CannotOpen, path, true);
        }
        return systemFailure(FileError::CannotOpen, path, openError);
    }
    struct _stat64 status {};
    if (_fstat64(_fileno(file.get()), &status) != 0) {
        return systemFailure(FileError::CannotOpen, path, errno);
    }
    if (std::optional<FileResult> refused = refusal(path, status.st_mode)) {
        return *refused;
    }
    const bool complete = readUpTo(limit, buffer, [&file](char* into, std::size_t count) {
        const std::size_t got = std::fread(into, 1, count, file.get());
        return std::ferror(file.get()) ? std::optional<std::size_t>() : got;
    });
#else
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return systemFailure(FileError::CannotOpen, path, errno);
    }
    struct stat status {};
    if (fstat(file.get(), &status) != 0) {
        return systemFailure(FileError::CannotOpen, path, errno);
    }
    if (std::optional<FileResult> refused = refusal(path, status.st_mode)) {
        return *refused;
    }
    // A regular file never blocks, but its reads should not see the flag.
    const int flags = fcntl(file.get(), F_GETFL);
    if (flags < 0 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return systemFailure(FileError::CannotOpen, path, errno);
    }
    const bool complete = readUpTo(limit, buffer, [&file](char* into, std::size_t count) {
        for (;;) {
            const ssize_t got = ::read(file.get(), into, count);
            if (got >= 0) {
                return std::optional<std::size_t>(static_cast<std::size_t>(got));
            }
            if (errno != EINTR) {
                return std::optional<std::size_t>();
            }
        }
    });
#endif
    if (!complete) {
        return systemFailure(FileError::CannotRead, path, errno);
    }
    const bool longer = buffer.size() > limit;
    buffer.resize(std::min(buffer.size(), limit));
    return FileHead{std::move(buffer), longer};
}

Expected<std::string, FileError> readRegularFile(const fs::path& path, std::size_t limit) {
    Expected<FileHead, FileError> head = readFileHead(path, limit);
    if (!head.ok()) {
        return head.failure();
    }
    if (head.value().cutOff) {
        return tooLong(path, limit);
    }
    return std::move(head.value().bytes);
}

Expected<std::ifstream, FileError> openRegularFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        return systemFailure(FileError::CannotOpen, path, error);
    }
    if (!fs::is_regular_file(status)) {
        return notRegularFile(FileError::CannotOpen, path, fs::is_directory(status));
    }
    errno = 0;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return systemFailure(FileError::CannotOpen, path, errno);
    }
    return stream;
}

} // namespace vantrel
