#include "MemoryFile.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace vantrel {
namespace fs = std::filesystem;
namespace {

/// A name beside the target that no other writer is likely to pick.
fs::path temporaryBeside(const fs::path& target) {
    std::random_device seed;
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // a string literal added to a std::string.
    std::string name(1, '.');
    name.append(target.filename().string());
    name.append(".tmp");
    name.append(std::to_string(seed() % 1000000));
    return target.parent_path() / name;
}

bool writeAll(const fs::path& path, std::span<const std::uint8_t> memory) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory.data()),
              static_cast<std::streamsize>(memory.size()));
    out.flush();
    return out.good();
}

} // namespace

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

bool saveMemoryFile(const fs::path& path, std::span<const std::uint8_t> memory) {
    const fs::path temporary = temporaryBeside(path);
    std::error_code error;
    if (writeAll(temporary, memory)) {
        fs::rename(temporary, path, error);
        if (!error) {
            return true;
        }
    }
    fs::remove(temporary, error);
    return false;
}

} // namespace vantrel
