#include "device/DeviceLock.h"

#include "files/AtomicFile.h"

#include <map>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "files/PathText.h"

#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::milliseconds RetryInterval{50};

/// Why a lock file could not be opened; the detail is the system's words
/// ("is a folder").
enum class LockFileError { None, CannotOpen };

#ifdef _WIN32
using Descriptor = HANDLE;

Expected<Descriptor, LockFileError> openLockFile(const LockFile& file) {
    const Descriptor descriptor = CreateFileW(
        file.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, file.createWhenMissing ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
        nullptr);
    if (descriptor == INVALID_HANDLE_VALUE) {
        return Result<LockFileError>{
            LockFileError::CannotOpen,
            std::system_category().message(static_cast<int>(GetLastError()))};
    }
    return descriptor;
}

std::string keyOf(Descriptor /*descriptor*/, const LockFile& file) {
    std::error_code ignored;
    return utf8Text(fs::weakly_canonical(fs::absolute(file.path, ignored), ignored));
}

/// True when locked, false when another holds it.
bool tryLock(Descriptor descriptor) {
    OVERLAPPED whole{};
    return LockFileEx(descriptor, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &whole) != 0;
}

void closeDescriptor(Descriptor descriptor) {
    CloseHandle(descriptor);
}
#else
using Descriptor = int;
constexpr Descriptor NoDescriptor = -1;

/// Why opening `path` failed with `error`.
std::string openFailure(const fs::path& path, int error) {
    struct stat status {};
    if (error == EISDIR) {
        return "is a folder";
    }
    if (error == ELOOP && ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
        return "is a link";
    }
    return std::generic_category().message(error);
}

/// A lock file that is not a regular file, or a link, is not ours to use: a
/// link planted in a shared folder would have this program make the file it
/// names, and anything else can be replaced under a held lock.
std::string notRegular(Descriptor descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return std::generic_category().message(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return "is a folder";
    }
    return S_ISREG(status.st_mode) ? std::string() : "is not a regular file";
}

Expected<Descriptor, LockFileError> openLockFile(const LockFile& file) {
    // Read access is enough for flock, and all the udev rule may give on a
    // device node that someone else's program has open for writing.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    constexpr mode_t Everyone = 0666; // narrowed by the umask
    const Descriptor descriptor =
        file.createWhenMissing ? ::open(file.path.c_str(), flags | O_CREAT | O_NOFOLLOW, Everyone)
                               : ::open(file.path.c_str(), flags);
    if (descriptor == NoDescriptor) {
        return Result<LockFileError>{LockFileError::CannotOpen, openFailure(file.path, errno)};
    }
    if (file.createWhenMissing) {
        if (std::string why = notRegular(descriptor); !why.empty()) {
            ::close(descriptor);
            return Result<LockFileError>{LockFileError::CannotOpen, std::move(why)};
        }
    }
    return descriptor;
}

/// The same file under every name it has.
std::string keyOf(Descriptor descriptor, const LockFile& file) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return file.path.string();
    }
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

bool tryLock(Descriptor descriptor) {
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void closeDescriptor(Descriptor descriptor) {
    ::close(descriptor); // closing releases the lock
}
#endif

/// The locks this process holds, each with how many holders share it.
struct HeldLock {
    Descriptor descriptor;
    int holders;
};

std::mutex heldMutex;
std::map<std::string, HeldLock>& heldLocks() {
    static std::map<std::string, HeldLock> held;
    return held;
}

bool shareHeldLock(const std::string& key) {
    const std::scoped_lock guard(heldMutex);
    const auto found = heldLocks().find(key);
    if (found == heldLocks().end()) {
        return false;
    }
    ++found->second.holders;
    return true;
}

void recordHeldLock(const std::string& key, Descriptor descriptor) {
    const std::scoped_lock guard(heldMutex);
    heldLocks().emplace(key, HeldLock{descriptor, 1});
}

bool waitForLock(Descriptor descriptor, const LockWait& wait) {
    if (tryLock(descriptor)) {
        return true;
    }
    if (wait.waiting) {
        wait.waiting();
    }
    const auto deadline = std::chrono::steady_clock::now() + wait.patience;
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(RetryInterval);
        if (wait.meanwhile) {
            wait.meanwhile();
        }
        if (tryLock(descriptor)) {
            return true;
        }
    }
    return false;
}

} // namespace

LockFile emulatorLockFile(const fs::path& memoryFile) {
    const Expected<fs::path, FileError> found = findWriteTarget(memoryFile);
    fs::path target = found.ok() ? found.value() : memoryFile;
    target += ".lock";
    return {target, true};
}

DeviceLock DeviceLock::take(const LockFile& file, const LockWait& wait) {
    DeviceLock lock;
    const Expected<Descriptor, LockFileError> opened = openLockFile(file);
    if (!opened.ok()) {
        lock.problem_ = opened.detail();
        return lock;
    }
    const Descriptor descriptor = opened.value();
    std::string key = keyOf(descriptor, file);
    if (shareHeldLock(key)) {
        closeDescriptor(descriptor);
    } else if (waitForLock(descriptor, wait)) {
        recordHeldLock(key, descriptor);
    } else {
        closeDescriptor(descriptor);
        lock.outcome_ = Outcome::Busy;
        return lock;
    }
    lock.outcome_ = Outcome::Held;
    lock.key_ = std::move(key);
    return lock;
}

DeviceLock::~DeviceLock() {
    release();
}

DeviceLock::DeviceLock(DeviceLock&& other) noexcept
    : outcome_(other.outcome_)
    , key_(std::exchange(other.key_, {}))
    , problem_(std::move(other.problem_)) {}

DeviceLock& DeviceLock::operator=(DeviceLock&& other) noexcept {
    if (this != &other) {
        release();
        outcome_ = other.outcome_;
        key_ = std::exchange(other.key_, {});
        problem_ = std::move(other.problem_);
    }
    return *this;
}

void DeviceLock::release() {
    if (key_.empty()) {
        return;
    }
    const std::scoped_lock guard(heldMutex);
    const auto found = heldLocks().find(key_);
    if (found != heldLocks().end() && --found->second.holders == 0) {
        closeDescriptor(found->second.descriptor);
        heldLocks().erase(found);
    }
    key_.clear();
}

} // namespace vantrel
