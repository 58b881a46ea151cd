#pragma once

#include "generated/BuildConfig.h"
#include "model/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

// The device is reached through three operations only: open, exchange one
// report, close. The real USB backend and the in-process emulator both
// implement them, so nothing above this interface knows which one it talks to.
namespace vantrel {

constexpr std::size_t ReportSize = 33;
/// One HID report: byte 0 is the report ID, then eight 4-byte slots.
using Report = std::array<std::uint8_t, ReportSize>;

/// A library result: 0 means success, anything else is one of the kinds of
/// failure in DeviceFailure.
using DeviceStatus = std::int32_t;
constexpr DeviceStatus DeviceSuccess = 0;

/// Why a call failed, the same for every implementation of HidAccess, so that
/// the tool's messages, the permission advice and the tests speak of the same
/// thing. An implementation may tell more in its own words.
namespace DeviceFailure {
/// No matching device is attached, or nothing can look for one.
inline constexpr DeviceStatus NotFound = 1;
/// A matching device is attached, but this user may not open it.
inline constexpr DeviceStatus NoPermission = 2;
/// The device did not answer in time.
inline constexpr DeviceStatus Timeout = 3;
/// A report went out or came back shorter than a whole report.
inline constexpr DeviceStatus ShortAnswer = 4;
/// The device is gone: unplugged, failing, or the handle is not open.
inline constexpr DeviceStatus Gone = 5;
/// The call asked for what the device does not do: other report lengths or
/// product ID, a second handle, a report or address it does not know.
inline constexpr DeviceStatus Refused = 6;
/// The device could not keep what was written into it.
inline constexpr DeviceStatus NotKept = 7;
/// Another program kept the device for longer than this one would wait.
inline constexpr DeviceStatus Busy = 8;
} // namespace DeviceFailure

/// What an implementation knows, beyond the status, of why its last call
/// failed; each front end words it.
enum class DeviceProblemKind {
    None,                      ///< nothing more to tell
    NodeCannotBeOpened,        ///< a matching device is there; `where` is its node
    MemoryFileCannotBeCreated, ///< the emulator's memory file; its folder is missing
    MemoryFileMissing,         ///< the emulator's memory file does not exist: nothing to read
    MemoryFileCannotBeRead,    ///< the emulator's memory file exists but cannot be read
    MemoryFileCannotBeWritten, ///< the emulator's memory file cannot be replaced
    MemoryFileUnusable,        ///< not a file of the memory's size: detail says what it is
    MemoryNotKept,             ///< the emulator could not save what a write left in it
    LockFileCannotBeOpened,    ///< the device is usable but `where`, its lock file, is not
    Other,                     ///< only the library's own words in detail
};

/// `detail` holds the system's or library's words, `where` the node or file
/// the problem concerns (empty when it concerns none).
struct DeviceProblem : Result<DeviceProblemKind> {
    std::string where;

    /// Built member by member: GCC 12 at -O3 takes the nested braces of
    /// aggregate initialisation for a read of an uninitialised string.
    static DeviceProblem of(DeviceProblemKind kind, std::string detail, std::string where) {
        DeviceProblem problem;
        problem.kind = kind;
        problem.detail = std::move(detail);
        problem.where = std::move(where);
        return problem;
    }
};

/// Identifies an open device for the length of one operation.
using DeviceHandle = std::int32_t;

/// The arguments every caller passes to OpenHidDevice.
constexpr std::int32_t DeviceProductId = build::ProductId;
constexpr std::int32_t ReportLength = static_cast<std::int32_t>(ReportSize);

/// The HID access library. Calls come one at a time from one thread; each
/// blocks until the device has answered or the operation has failed.
class HidAccess {
public:
    virtual ~HidAccess() = default;

    /// Opens the device with the given product ID; fills `handle` on success.
    /// Any nonzero result means no device to talk to.
    virtual DeviceStatus OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                                       std::int32_t inputLength, DeviceHandle& handle) = 0;

    /// Sends `output` as one report and fills `input` with the device's
    /// answer. A nonzero result means the exchange failed.
    virtual DeviceStatus WriteHidDevice(DeviceHandle& handle, const Report& output,
                                        Report& input) = 0;

    /// Releases the handle. A nonzero result means the device could not keep
    /// what was left to keep at the close: a transfer reports it beside its
    /// own outcome, since a write whose end pair was not kept may still have
    /// been kept whole by the close.
    virtual DeviceStatus CloseHidDevice(DeviceHandle& handle) = 0;

    /// What this implementation can tell of its last failed call beyond the
    /// status; empty after a success or when it knows nothing more.
    [[nodiscard]] virtual DeviceProblem lastProblem() const { return {}; }

protected:
    HidAccess() = default;
    HidAccess(const HidAccess&) = default;
    HidAccess& operator=(const HidAccess&) = default;
};

} // namespace vantrel
