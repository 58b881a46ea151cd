#include "cli/TransferWords.h"

#include "device/UdevRule.h"
#include "model/EchoedText.h"
#include "userinterface/ImageLoadMessage.h"
#include "userinterface/UserInterface.h"

namespace vantrel::cli {
namespace {

/// The device keeps the write's first blocks when a later one fails, and
/// only a whole write makes it consistent again.
constexpr const char* PartlyWrittenText =
    "the device may now hold a partly written configuration; writing a configuration again "
    "repairs it";

/// Every report of the write went out and only keeping the memory failed;
/// the close saves it once more.
constexpr const char* KeptAtCloseText =
    "the memory file was saved when the device was closed: the device holds the whole new "
    "configuration, not verified";
constexpr const char* NothingKeptText =
    "the memory file still holds what it held before this write";

/// What a status means when the link has no words of its own for it.
std::string statusWords(DeviceStatus status) {
    switch (status) {
    case DeviceFailure::NoPermission:
        return "permission denied";
    case DeviceFailure::Timeout:
        return "no answer in time";
    case DeviceFailure::ShortAnswer:
        return "a report was cut short";
    case DeviceFailure::Gone:
        return "the device is gone";
    case DeviceFailure::Refused:
        return "the device refused the report";
    case DeviceFailure::NotKept:
        return "the device could not keep what was written";
    default:
        return "failure " + std::to_string(status);
    }
}

std::string memoryFile(const DeviceProblem& problem) {
    return "the emulated device's memory file " + echoedPath(problem.where);
}

/// What is wrong with the memory file `subject` names; empty for a problem
/// that is not the memory file's.
std::string memoryFileLine(const std::string& subject, const DeviceProblem& problem) {
    switch (problem.kind) {
    case DeviceProblemKind::MemoryFileCannotBeCreated:
        return subject + " cannot be created: " + problem.detail;
    case DeviceProblemKind::MemoryFileMissing:
        return subject + " does not exist";
    case DeviceProblemKind::MemoryFileCannotBeRead:
        return subject + " cannot be read: " + problem.detail;
    case DeviceProblemKind::MemoryFileCannotBeWritten:
        return subject + " cannot be written: " + problem.detail;
    case DeviceProblemKind::MemoryFileUnusable:
        return subject + " is " + problem.detail;
    default:
        return {};
    }
}

/// "after 212 of 508 exchanges", or without the total while it is unknown.
std::string exchangesDone(const TransferResult& result) {
    const std::string done = std::to_string(result.exchanges);
    return result.planned > 0 ? done + " of " + std::to_string(result.planned) + " exchanges"
                              : done + " exchanges";
}

std::string exchangeFailedLine(const TransferResult& result) {
    if (result.device.kind == DeviceProblemKind::MemoryNotKept) {
        return "the emulated device could not keep what was written in its memory file: " +
               result.device.detail;
    }
    const std::string why =
        result.device.detail.empty() ? statusWords(result.status) : result.device.detail;
    return "the device failed after " + exchangesDone(result) + ": " + why;
}

/// A decoding that failed, in the words of the image's load; a marker that
/// is not 1 is a device that was never written.
std::string invalidImageLine(const TransferResult& result) {
    if (result.loaded == ImageLoadResult::SettingsFailed) {
        return imageLoadMessage(result.loaded, ImageOrigin::Device).words();
    }
    return NoConfigurationText;
}

} // namespace

std::string deviceProblemLine(const DeviceProblem& problem, DeviceStatus status) {
    const std::string why = status == DeviceFailure::NoPermission || problem.detail.empty()
                                ? statusWords(status)
                                : problem.detail;
    if (std::string line = memoryFileLine(memoryFile(problem), problem); !line.empty()) {
        return line;
    }
    if (problem.kind == DeviceProblemKind::LockFileCannotBeOpened) {
        return "the lock file " + echoedPath(problem.where) +
               " cannot be opened: " + problem.detail;
    }
    if (problem.kind == DeviceProblemKind::NodeCannotBeOpened) {
        return "a VANTREL is attached at " + problem.where + " but cannot be opened: " + why;
    }
    return "a VANTREL is attached but cannot be opened: " + why;
}

std::string_view attachedDeviceProblemKind(const AttachedDevice& device) {
    if (device.canOpen()) {
        return {};
    }
    if (device.openStatus == DeviceFailure::NoPermission) {
        return "no-permission";
    }
    switch (device.problem.kind) {
    case DeviceProblemKind::NodeCannotBeOpened:
        return "node-cannot-be-opened";
    case DeviceProblemKind::MemoryFileCannotBeCreated:
        return "memory-file-cannot-be-created";
    case DeviceProblemKind::MemoryFileMissing:
        return "memory-file-missing";
    case DeviceProblemKind::MemoryFileCannotBeRead:
        return "memory-file-cannot-be-read";
    case DeviceProblemKind::MemoryFileCannotBeWritten:
        return "memory-file-cannot-be-written";
    case DeviceProblemKind::MemoryFileUnusable:
        return "memory-file-unusable";
    case DeviceProblemKind::MemoryNotKept:
        return "memory-not-kept";
    case DeviceProblemKind::LockFileCannotBeOpened:
        return "lock-file-cannot-be-opened";
    case DeviceProblemKind::None:
    case DeviceProblemKind::Other:
        break;
    }
    return "other";
}

std::string attachedDeviceProblem(const AttachedDevice& device) {
    if (device.canOpen()) {
        return {};
    }
    if (device.openStatus == DeviceFailure::NoPermission) {
        return permissionProblem("it", packagedUdevRuleInstalled());
    }
    if (std::string line = memoryFileLine("its memory file", device.problem); !line.empty()) {
        return line;
    }
    return device.problem.detail;
}

std::string attachedDeviceDescription(const AttachedDevice& device) {
    if (!device.canOpen() || device.writeProblem.ok()) {
        return device.description;
    }
    return device.description + "  (can be read, but not written: " +
           memoryFileLine("its memory file", device.writeProblem) + ")";
}

std::string deviceChoiceLine(const DeviceChoiceResult& result) {
    switch (result.kind) {
    case DeviceChoiceError::NoUsbSupport:
        return "this vantrelctl was built without USB support; use --device emulated:PATH";
    case DeviceChoiceError::NotAttached:
        return "no such device is attached (vantrelctl devices lists them)";
    case DeviceChoiceError::PortUnknown:
        return "the system does not say which USB port it is on; name it by its port "
               "(usb:1-4.2)";
    case DeviceChoiceError::None:
        break;
    }
    return {};
}

std::string eventNodesMissingLine(const DeviceChoiceResult& result) {
    switch (result.kind) {
    case DeviceChoiceError::None:
        return "no input devices of this VANTREL found";
    case DeviceChoiceError::NoUsbSupport:
        // Without USB only the port, which names the event nodes too, can name it.
        return "this vantrelctl was built without USB support; name the device by its port "
               "(usb:1-4.2)";
    default:
        return deviceChoiceLine(result);
    }
}

std::string unfinishedWriteLine(bool saving) {
    return std::string("the last write to the device did not finish, so it holds no whole "
                       "configuration") +
           (saving ? "; nothing was kept" : "") + ". Write a configuration to the device again";
}

std::string transferFailureLine(const TransferResult& result) {
    switch (result.kind) {
    case TransferKind::Succeeded:
        return {};
    case TransferKind::NotFound:
        return "no VANTREL is attached";
    case TransferKind::CannotOpen:
        return deviceProblemLine(result.device, result.status);
    case TransferKind::Busy:
        return result.device.kind == DeviceProblemKind::LockFileCannotBeOpened
                   ? deviceProblemLine(result.device, result.status)
                   : DeviceBusyText;
    case TransferKind::NoAnswer:
        return "the device stopped answering after " + exchangesDone(result);
    case TransferKind::FailedPartWay:
        return exchangeFailedLine(result);
    case TransferKind::InvalidImage:
        return invalidImageLine(result);
    case TransferKind::WriteStartPairFound:
        return unfinishedWriteLine(false);
    case TransferKind::TooLarge:
        return SizeLimitText;
    }
    return {};
}

std::string afterFailedWriteLine(const TransferResult& result) {
    const bool brokeOff =
        result.kind == TransferKind::NoAnswer || result.kind == TransferKind::FailedPartWay;
    if (!brokeOff || !result.dataSent) {
        return {};
    }
    if (result.status == DeviceFailure::NotKept) {
        return result.closed == DeviceSuccess ? KeptAtCloseText : NothingKeptText;
    }
    return PartlyWrittenText;
}

} // namespace vantrel::cli
