#pragma once

#include "device/DeviceLock.h"

#include <array>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::testing {

/// Another program on the same device: a child process, forked before this
/// one takes anything (a lock is per process, and a thread of this one would
/// share it), that takes the lock when told and keeps it until it ends.
class OtherProgram {
public:
    explicit OtherProgram(const LockFile& file) {
        if (::pipe(orders_.data()) != 0 || ::pipe(answers_.data()) != 0) {
            return; // tryToTake() then answers false
        }
        child_ = ::fork();
        if (child_ == 0) {
            DeviceLock lock;
            char order = 0;
            while (::read(orders_[0], &order, 1) == 1 && order == 'T') {
                if (lock.outcome() != DeviceLock::Outcome::Held) {
                    lock = DeviceLock::take(file, {std::chrono::milliseconds(0), {}, {}});
                }
                const char held = lock.outcome() == DeviceLock::Outcome::Held ? 'y' : 'n';
                if (::write(answers_[1], &held, 1) != 1) {
                    break;
                }
            }
            ::_exit(0);
        }
    }
    ~OtherProgram() { end(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    /// Whether it got the device at once; it keeps it if so.
    bool tryToTake() {
        const char order = 'T';
        char held = 0;
        return ::write(orders_[1], &order, 1) == 1 && ::read(answers_[0], &held, 1) == 1 &&
               held == 'y';
    }

    /// Ends the program, which lets go of the lock.
    void end() {
        if (child_ <= 0) {
            return;
        }
        const char order = 'E';
        [[maybe_unused]] const auto told = ::write(orders_[1], &order, 1);
        int status = 0;
        ::waitpid(child_, &status, 0);
        child_ = -1;
        for (const int pipeEnd : {orders_[0], orders_[1], answers_[0], answers_[1]}) {
            ::close(pipeEnd);
        }
    }

private:
    std::array<int, 2> orders_{};
    std::array<int, 2> answers_{};
    pid_t child_ = -1;
};

} // namespace vantrel::testing
