#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// One program at a time on a device. Two programs that write the same device
// at once interleave their reports, and each may then read back and verify
// the other's half; so every operation that transfers holds an exclusive
// advisory lock on a file that stands for the device, from before it opens
// the device until after its last close (a write and its verify together).
namespace vantrel {

/// How long a program waits for another to finish with the device.
constexpr std::chrono::milliseconds DeviceLockPatience{5000};

/// What taking the lock does while the device is in use by another program.
struct LockWait {
    std::chrono::milliseconds patience = DeviceLockPatience;
    /// Called once, as soon as the device turns out to be in use, so that
    /// the user knows why nothing happens.
    std::function<void()> waiting;
    /// Called between tries while waiting, as a window lets pending events
    /// be processed to stay painted.
    std::function<void()> meanwhile;
};

/// Which file stands for a device, and whether it may be made.
struct LockFile {
    std::filesystem::path path;
    /// A file beside the emulator's memory file is made when missing (and
    /// never removed, since another program may be waiting on it), never
    /// through a link and only ever a regular file; a device's own node is
    /// only ever opened.
    bool createWhenMissing = false;
};

/// Names the lock file of a device at the moment it is to be locked (a USB
/// device's node is found anew each time); nothing when there is none.
using DeviceLockFile = std::function<std::optional<LockFile>()>;

/// The file whose lock stands for the emulator whose memory is kept at
/// `memoryFile`: "PATH.lock" beside the file a write to it replaces, so
/// that every name of one memory file, links included, finds one lock. Not
/// the memory file itself: saving renames a new file over it, and a lock on
/// the old one would guard nothing.
[[nodiscard]] LockFile emulatorLockFile(const std::filesystem::path& memoryFile);

/// An exclusive lock on a device, held until destroyed. Within one process
/// the lock is shared: taking it again while it is held succeeds at once, so
/// that a command holding it for its whole run can call procedures that
/// take it for one transfer.
class DeviceLock {
public:
    enum class Outcome {
        Held,   ///< this program has the device to itself
        Busy,   ///< another program kept it for longer than the wait
        Absent, ///< the lock file could not be opened, problem() says why;
                ///< nothing is held, and a usable device is refused
    };

    /// Takes the lock, trying again until `wait.patience` has passed.
    [[nodiscard]] static DeviceLock take(const LockFile& file, const LockWait& wait = {});

    /// Holds nothing.
    DeviceLock() = default;
    ~DeviceLock();
    DeviceLock(DeviceLock&& other) noexcept;
    DeviceLock& operator=(DeviceLock&& other) noexcept;
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

    [[nodiscard]] Outcome outcome() const { return outcome_; }
    [[nodiscard]] bool busy() const { return outcome_ == Outcome::Busy; }
    /// Why the lock file could not be opened, in the system's words ("is a
    /// folder"); empty unless the outcome is Absent.
    [[nodiscard]] const std::string& problem() const { return problem_; }

private:
    void release();

    Outcome outcome_ = Outcome::Absent;
    std::string key_; ///< the held lock in this process's table; empty when none
    std::string problem_;
};

} // namespace vantrel
