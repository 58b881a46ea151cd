#include "wiring/WiringBackups.h"

#include <array>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>

namespace vantrel {
namespace {
namespace fs = std::filesystem;

constexpr std::string_view BackupPrefix = "before-learn-";
constexpr std::string_view BackupExtension = ".cfg";

std::optional<fs::path> environmentPath(const char* name) {
    const char* value = std::getenv(name); // NOLINT(concurrency-mt-unsafe): read at start only
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return fs::path(value);
}

} // namespace

fs::path wiringBackupFolder() {
#ifdef _WIN32
    if (const auto local = environmentPath("LOCALAPPDATA")) {
        return *local / "vantrel" / "backups";
    }
#else
    if (const auto state = environmentPath("XDG_STATE_HOME")) {
        return *state / "vantrel" / "backups";
    }
    if (const auto home = environmentPath("HOME")) {
        return *home / ".local" / "state" / "vantrel" / "backups";
    }
#endif
    return fs::current_path();
}

fs::path newWiringBackup(const fs::path& folder, std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string stem = std::string(BackupPrefix) + stamp.data();
    fs::path path = folder / (stem + std::string(BackupExtension));
    std::error_code error;
    for (int n = 2; fs::exists(path, error); ++n) {
        path = folder / (stem + "-" + std::to_string(n) + std::string(BackupExtension));
    }
    return path;
}

std::optional<fs::path> newestWiringBackup(const fs::path& folder) {
    std::error_code error;
    std::optional<fs::path> newest;
    fs::file_time_type newestTime;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        if (!name.starts_with(BackupPrefix) || !name.ends_with(BackupExtension)) {
            continue;
        }
        std::error_code timeError;
        const fs::file_time_type time = fs::last_write_time(path, timeError);
        // Names sort by their time, which breaks a tie of the same second.
        if (!timeError && (!newest || time > newestTime ||
                           (time == newestTime && path.filename() > newest->filename()))) {
            newest = path;
            newestTime = time;
        }
    }
    return newest;
}

} // namespace vantrel
