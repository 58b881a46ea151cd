#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

// Where a wiring session keeps what each device held before it wrote the
// probe: one file per session, named by its time, kept after the session so
// that a device left holding the probe can be given its configuration back.
namespace vantrel {

/// $XDG_STATE_HOME/vantrel/backups, else ~/.local/state/vantrel/backups
/// (%LOCALAPPDATA%\vantrel\backups on Windows); the current folder when
/// none of these is set.
[[nodiscard]] std::filesystem::path wiringBackupFolder();

/// A file name in `folder` for a backup made at `now` that no file has:
/// "before-learn-20250314-093012.cfg", "-2" and so on added when taken.
[[nodiscard]] std::filesystem::path newWiringBackup(const std::filesystem::path& folder,
                                                    std::chrono::system_clock::time_point now);

/// The newest backup a session kept in `folder`; none when there is none.
[[nodiscard]] std::optional<std::filesystem::path>
newestWiringBackup(const std::filesystem::path& folder);

} // namespace vantrel
