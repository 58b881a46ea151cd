#include "device/hidapi/HidapiDevice.h"

#include "generated/BuildConfig.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <hidapi.h>
#include <limits>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

constexpr unsigned short VendorDefinedUsagePages = 0xFF00;
/// How many input reports hidraw keeps for a reader; more than that cannot
/// be waiting, so dropping them ends even with a device that never stops.
constexpr int HidrawQueueLength = 64;

/// "33 bytes": a report's length, as the problems name it.
std::string reportBytes() {
    return std::to_string(ReportLength) + " bytes";
}

/// Initialises hidapi once and releases it when the program ends.
class HidLibrary {
public:
    /// False when the library could not be initialised: no device is reachable.
    static bool ready() {
        static const HidLibrary library;
        return library.ready_;
    }

    HidLibrary(const HidLibrary&) = delete;
    HidLibrary& operator=(const HidLibrary&) = delete;

private:
    HidLibrary()
        : ready_(hid_init() == 0) {}
    ~HidLibrary() {
        if (ready_) {
            hid_exit();
        }
    }

    bool ready_;
};

void appendUtf8(std::string& out, char32_t c) {
    const auto byte = [](char32_t bits) {
        return static_cast<char>(static_cast<unsigned char>(bits));
    };
    if (c < 0x80) {
        out += byte(c);
    } else if (c < 0x800) {
        out += byte(0xC0 | (c >> 6));
        out += byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += byte(0xE0 | (c >> 12));
        out += byte(0x80 | ((c >> 6) & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    } else {
        out += byte(0xF0 | (c >> 18));
        out += byte(0x80 | ((c >> 12) & 0x3F));
        out += byte(0x80 | ((c >> 6) & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    }
}

/// hidapi's wide strings are UTF-32 on Linux and macOS, UTF-16 on Windows.
std::string toUtf8(const wchar_t* text) {
    std::string out;
    if (text == nullptr) {
        return out;
    }
    for (const wchar_t* p = text; *p != 0; ++p) {
        auto c = static_cast<char32_t>(*p);
        if constexpr (sizeof(wchar_t) == 2) {
            const bool pairStarts = c >= 0xD800 && c < 0xDC00;
            if (pairStarts && p[1] >= 0xDC00 && p[1] < 0xE000) {
                ++p;
                c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(*p) - 0xDC00);
            }
        }
        appendUtf8(out, c > 0x10FFFF ? U'\uFFFD' : c);
    }
    return out;
}

std::string errorText(hid_device* device) {
    const std::string text = toUtf8(hid_error(device));
    return text.empty() ? "unknown error" : text;
}

/// Why hid_open_path just failed. The hidraw backend leaves open()'s errno
/// in place; the other backends do not set it, so there a refusal is not
/// told apart from any other failure.
DeviceStatus openFailure(int reason) {
    return reason == EACCES || reason == EPERM ? DeviceFailure::NoPermission
                                               : DeviceFailure::NotFound;
}

/// The USB port of a hidraw node, from where sysfs under `sysfsRoot` puts
/// its device; empty on other systems and for nodes that are not on USB.
std::string usbPortPath(const std::string& nodePath, const std::filesystem::path& sysfsRoot) {
#ifdef __linux__
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(
        sysfsRoot / "class" / "hidraw" / std::filesystem::path(nodePath).filename() / "device",
        error);
    return error ? std::string() : portPathFromSysfs(resolved.string());
#else
    (void)nodePath;
    (void)sysfsRoot;
    return {};
#endif
}

/// Reads and drops the input reports already waiting: an answer that came
/// after its exchange gave up, or a report the device sent unasked, would
/// otherwise be taken for the next report's answer, and every answer after
/// it would be one behind. Negative when the device has gone.
int dropWaitingReports(hid_device* device) {
    Report stale{};
    int waiting = 0;
    int dropped = 0;
    do {
        waiting = hid_read_timeout(device, stale.data(), stale.size(), 0);
    } while (waiting > 0 && ++dropped < HidrawQueueLength);
    return waiting;
}

/// The interfaces that match, vendor-defined usage pages first, otherwise
/// in the order the system lists them.
std::vector<HidDeviceInfo> candidates(std::uint16_t vendorId, std::uint16_t productId,
                                      const std::filesystem::path& sysfsRoot) {
    std::vector<HidDeviceInfo> found;
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        HidDeviceInfo entry;
        entry.path = info->path != nullptr ? info->path : "";
        entry.vendorId = info->vendor_id;
        entry.productId = info->product_id;
        entry.manufacturer = toUtf8(info->manufacturer_string);
        entry.product = toUtf8(info->product_string);
        entry.serialNumber = toUtf8(info->serial_number);
        entry.portPath = usbPortPath(entry.path, sysfsRoot);
        entry.interfaceNumber = info->interface_number;
        entry.usagePage = info->usage_page;
        found.push_back(std::move(entry));
    }
    hid_free_enumeration(list);
    std::stable_partition(found.begin(), found.end(), [](const HidDeviceInfo& entry) {
        return entry.usagePage >= VendorDefinedUsagePages;
    });
    return found;
}

} // namespace

std::uint16_t configuredVendorId() {
    return build::VendorId;
}

std::vector<HidDeviceInfo> enumerateHidDevices(std::uint16_t vendorId,
                                               const std::filesystem::path& sysfsRoot) {
    if (!HidLibrary::ready()) {
        return {};
    }
    std::vector<HidDeviceInfo> found =
        candidates(vendorId, static_cast<std::uint16_t>(DeviceProductId), sysfsRoot);
    for (HidDeviceInfo& entry : found) {
        errno = 0;
        if (hid_device* device = hid_open_path(entry.path.c_str())) {
            entry.openResult = DeviceSuccess;
            hid_close(device);
        } else {
            entry.openResult = openFailure(errno);
            entry.openError = errorText(nullptr);
        }
    }
    return found;
}

void HidapiDevice::Closer::operator()(hid_device_* device) const {
    hid_close(device);
}

HidapiDevice::HidapiDevice(HidapiOptions options)
    : options_(std::move(options)) {}

HidapiDevice::~HidapiDevice() = default;

DeviceStatus HidapiDevice::OpenHidDevice(std::int32_t productId, std::int32_t outputLength,
                                         std::int32_t inputLength, DeviceHandle& handle) {
    if (outputLength != ReportLength || inputLength != ReportLength) {
        return fail(DeviceFailure::Refused,
                    "reports of this device are " + reportBytes() + " long");
    }
    if (productId <= 0 || productId > 0xFFFF) {
        return fail(DeviceFailure::Refused, "a product ID is a number from 1 to 65535");
    }
    if (!HidLibrary::ready()) {
        return fail(DeviceFailure::NotFound, "the HID library could not be initialised");
    }
    const auto found = chosenInterfaces(productId);
    if (found.empty()) {
        return fail(DeviceFailure::NotFound,
                    options_.device ? "the chosen device is not attached"
                                    : "no HID device with product ID " + std::to_string(productId));
    }
    DeviceStatus firstFailure = DeviceSuccess;
    DeviceProblem firstProblem;
    for (const HidDeviceInfo& entry : found) {
        errno = 0;
        if (hid_device* device = hid_open_path(entry.path.c_str())) {
            const DeviceHandle opened = nextHandle_;
            nextHandle_ =
                nextHandle_ == std::numeric_limits<DeviceHandle>::max() ? 1 : nextHandle_ + 1;
            devices_[opened] = DevicePointer(device);
            handle = opened;
            return succeed();
        }
        if (firstFailure == DeviceSuccess) {
            const int reason = errno;
            firstFailure = openFailure(reason);
            // hidraw leaves open()'s errno; elsewhere only hidapi's words say why.
            // Member by member: GCC 12 at -O3 takes the nested braces'
            // temporary for uninitialised.
            firstProblem.kind = DeviceProblemKind::NodeCannotBeOpened;
            firstProblem.detail =
                reason != 0 ? std::generic_category().message(reason) : errorText(nullptr);
            firstProblem.where = entry.path;
        }
    }
    return fail(firstFailure, std::move(firstProblem));
}

std::vector<HidDeviceInfo> HidapiDevice::chosenInterfaces(std::int32_t productId) const {
    std::vector<HidDeviceInfo> found =
        candidates(options_.vendorId, static_cast<std::uint16_t>(productId), options_.sysfsRoot);
    if (!options_.device) {
        return found;
    }
    const std::vector<UsbDevice> devices = groupUsbDevices(found);
    const UsbDevice* chosen = chooseUsbDevice(devices, *options_.device);
    return chosen != nullptr ? chosen->interfaces : std::vector<HidDeviceInfo>{};
}

DeviceStatus HidapiDevice::WriteHidDevice(DeviceHandle& handle, const Report& output,
                                          Report& input) {
    const auto open = devices_.find(handle);
    if (open == devices_.end()) {
        return fail(DeviceFailure::Gone, "the device is not open");
    }
    hid_device* device = open->second.get();

    if (dropWaitingReports(device) < 0) {
        return fail(DeviceFailure::Gone, "read: " + errorText(device));
    }

    const int written = hid_write(device, output.data(), output.size());
    if (written < 0) {
        return fail(DeviceFailure::Gone, "write: " + errorText(device));
    }
    if (written < ReportLength) {
        return fail(DeviceFailure::ShortAnswer,
                    "write: only " + std::to_string(written) + " of " + reportBytes() + " sent");
    }

    Report answer{};
    const int read = hid_read_timeout(device, answer.data(), answer.size(),
                                      static_cast<int>(options_.answerTimeout.count()));
    if (read < 0) {
        return fail(DeviceFailure::Gone, "read: " + errorText(device));
    }
    if (read == 0) {
        return fail(DeviceFailure::Timeout,
                    "no answer within " + std::to_string(options_.answerTimeout.count()) + " ms");
    }
    if (read < ReportLength) {
        return fail(DeviceFailure::ShortAnswer,
                    "read: only " + std::to_string(read) + " of " + reportBytes() + " received");
    }
    if (answer[0] != output[0]) {
        return fail(DeviceFailure::Refused, "read: an answer with report ID " +
                                                std::to_string(answer[0]) + ", not " +
                                                std::to_string(output[0]));
    }
    input = answer;
    return succeed();
}

DeviceStatus HidapiDevice::CloseHidDevice(DeviceHandle& handle) {
    if (devices_.erase(handle) == 0) {
        return fail(DeviceFailure::Gone, "the device is not open");
    }
    return succeed();
}

std::optional<LockFile> HidapiDevice::lockFile() const {
    if (!HidLibrary::ready()) {
        return std::nullopt;
    }
    for (const HidDeviceInfo& entry : chosenInterfaces(DeviceProductId)) {
        if (hid_device* device = hid_open_path(entry.path.c_str())) {
            hid_close(device);
            return LockFile{entry.path, false};
        }
    }
    return std::nullopt;
}

DeviceProblem HidapiDevice::lastProblem() const {
    return problem_;
}

DeviceStatus HidapiDevice::succeed() {
    problem_ = {};
    return DeviceSuccess;
}

DeviceStatus HidapiDevice::fail(DeviceStatus status, std::string what) {
    return fail(status, {{DeviceProblemKind::Other, std::move(what)}, {}});
}

DeviceStatus HidapiDevice::fail(DeviceStatus status, DeviceProblem problem) {
    problem_ = std::move(problem);
    return status;
}

} // namespace vantrel
