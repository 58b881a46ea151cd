#include "device/MemoryFile.h"

#include "files/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel {
namespace fs = std::filesystem;
namespace {

MemoryFileResult outcome(MemoryFileLoad kind, std::string detail) {
    return {kind, std::move(detail)};
}

std::string systemWords(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

/// The folder a file at `path` would be made in.
fs::path folderOf(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

} // namespace

MemoryFileResult loadMemoryFile(const fs::path& path, std::span<std::uint8_t> memory) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        const fs::file_status folder = fs::status(folderOf(path), error);
        if (fs::is_directory(folder)) {
            return outcome(MemoryFileLoad::Missing, {});
        }
        return outcome(MemoryFileLoad::NoFolder,
                       systemWords(fs::exists(folder) ? ENOTDIR : ENOENT));
    }
    if (error) {
        return outcome(MemoryFileLoad::Unreadable, error.message());
    }
    if (fs::is_directory(status)) {
        return outcome(MemoryFileLoad::NotMemory, "a folder");
    }
    if (fs::is_fifo(status)) {
        return outcome(MemoryFileLoad::NotMemory, "a FIFO");
    }
    if (!fs::is_regular_file(status)) {
        return outcome(MemoryFileLoad::NotMemory, "not a regular file");
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        return outcome(MemoryFileLoad::Unreadable, error.message());
    }
    if (size != memory.size()) {
        return outcome(MemoryFileLoad::NotMemory,
                       "not " + std::to_string(memory.size()) + " bytes long");
    }

    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(path, "rb"), std::fclose);
    if (!file) {
        return outcome(MemoryFileLoad::Unreadable, systemWords(errno != 0 ? errno : EIO));
    }
    std::vector<std::uint8_t> bytes(memory.size());
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return outcome(MemoryFileLoad::Unreadable, systemWords(EIO));
    }
    std::copy(bytes.begin(), bytes.end(), memory.begin());
    return {};
}

MemoryFileResult checkMemoryFileWritable(const fs::path& path) {
    // Anything but a regular file is the open's to refuse.
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return {};
    }
    // Opening for update neither creates nor truncates; it asks exactly
    // whether this process may change the file.
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openFile(path, "r+b"), std::fclose);
    if (!file) {
        return outcome(MemoryFileLoad::CannotBeWritten, systemWords(errno != 0 ? errno : EACCES));
    }
    return {};
}

FileResult saveMemoryFile(const fs::path& path, std::span<const std::uint8_t> memory) {
    return writeFileAtomically(path, memory);
}

} // namespace vantrel
