#pragma once

#include "device/Transfer.h"
#include "device/selection/DeviceBackend.h"

#include <string>
#include <string_view>

// How the tool words what went wrong with a device, the end of a transfer
// among it: one line, cause first.
namespace vantrel::cli {

/// Why a command gave up on a device another program kept busy.
inline constexpr const char* DeviceBusyText = "the device is in use by another program";

/// Said of a device whose marker says it holds nothing, as a fresh one.
inline constexpr const char* NoConfigurationText = "the device holds no configuration yet";

/// A device left holding the write-start pair holds the first part of one
/// configuration over the rest of another; only a whole write mends it.
/// `saving` for a command that would have kept what it read in a file
/// (read, the backup), which says that nothing was.
[[nodiscard]] std::string unfinishedWriteLine(bool saving);

/// The line for a transfer that did not succeed, without the tool's name.
[[nodiscard]] std::string transferFailureLine(const TransferResult& result);

/// The line to add after a failed write: what the device holds now, when
/// some of the image went out; empty when nothing of it did.
[[nodiscard]] std::string afterFailedWriteLine(const TransferResult& result);

/// The line for a device whose memory a write would not keep, found
/// before anything is sent.
[[nodiscard]] std::string deviceProblemLine(const DeviceProblem& problem, DeviceStatus status);

/// The kind of problem that keeps a listed device from opening, as a word
/// for scripts ("no-permission", "memory-file-unusable"); empty when it opens.
[[nodiscard]] std::string_view attachedDeviceProblemKind(const AttachedDevice& device);

/// Why a listed device cannot be opened, as the list of devices says it.
[[nodiscard]] std::string attachedDeviceProblem(const AttachedDevice& device);

/// The list's line for a device: its description and, for one that opens
/// but whose memory would not keep a write, that it can only be read.
[[nodiscard]] std::string attachedDeviceDescription(const AttachedDevice& device);

/// Why --device names no device the tool can reach.
[[nodiscard]] std::string deviceChoiceLine(const DeviceChoiceResult& result);

/// Why the input event devices of the device --device names cannot be
/// found; `result` says why its port is not known, if it is not.
[[nodiscard]] std::string eventNodesMissingLine(const DeviceChoiceResult& result);

} // namespace vantrel::cli
