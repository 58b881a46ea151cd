#include "device/MemoryFile.h"

#include "files/AtomicFile.h"

#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel {
namespace fs = std::filesystem;
MemoryFileLoad loadMemoryFile(const fs::path& path, std::span<std::uint8_t> memory) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        return MemoryFileLoad::Missing;
    }
    if (error || !fs::is_regular_file(status)) {
        return MemoryFileLoad::Unreadable;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        return MemoryFileLoad::Unreadable;
    }
    if (size != memory.size()) {
        return MemoryFileLoad::WrongSize;
    }

    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(memory.size());
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        return MemoryFileLoad::Unreadable;
    }
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(bytes[i]);
    }
    return MemoryFileLoad::Loaded;
}

FileResult saveMemoryFile(const fs::path& path, std::span<const std::uint8_t> memory) {
    return writeFileAtomically(path, memory);
}

} // namespace vantrel
