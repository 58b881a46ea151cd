#include "tests/support/hidapi/ScriptedHid.h"

#include "generated/BuildConfig.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fstream>
#include <hidapi.h>
#include <string>

namespace {

using vantrel::testing::HidAnswer;
using vantrel::testing::ScriptedHid;
using vantrel::testing::ScriptedHidDevice;
namespace fs = std::filesystem;

constexpr std::uint16_t ConfigurationChannel = 0xFF00;
constexpr std::size_t ShortAnswerLength = 20;
constexpr std::uint8_t OtherReportId = 4;
/// A report of the right ID whose data bytes are all 0xA5, as an answer
/// that came too late for its own exchange would look.
constexpr std::uint8_t StaleByte = 0xA5;

ScriptedHid* attached = nullptr;
std::wstring lastOpenError;

std::uint16_t scriptedVendorId() {
    constexpr std::uint16_t TestVendor = 0x1209;
    return vantrel::build::VendorId != 0 ? vantrel::build::VendorId : TestVendor;
}

std::wstring widen(const char* text) {
    return {text, text + std::strlen(text)};
}

struct Interface {
    ScriptedHidDevice* device = nullptr;
    std::size_t index = 0;
};

Interface findInterface(const char* path) {
    for (std::size_t d = 0; attached != nullptr && d < attached->devices().size(); ++d) {
        for (std::size_t i = 0; i < attached->devices()[d].usagePages.size(); ++i) {
            if (attached->node(d, i) == path) {
                return {&attached->device(d), i};
            }
        }
    }
    return {};
}

/// One list entry with the strings it points into.
struct Entry : hid_device_info {
    std::string pathText;
    std::wstring serial, manufacturer = L"Vantrel", product = L"VANTREL Encoder";
};

} // namespace

struct hid_device_ {
    ScriptedHidDevice* device = nullptr;
    bool channel = false;
    vantrel::DeviceHandle handle = 0;
    int exchanges = 0;
    bool gone = false;
    std::deque<std::vector<unsigned char>> waiting;
    std::wstring error;
};

namespace vantrel::testing {

ScriptedHid::ScriptedHid(fs::path folder, std::vector<ScriptedHidDevice> devices)
    : folder_(std::move(folder))
    , devices_(std::move(devices)) {
    fs::create_directories(folder_ / "dev");
    for (std::size_t d = 0; d < devices_.size(); ++d) {
        for (std::size_t i = 0; i < devices_[d].usagePages.size(); ++i) {
            const fs::path node = this->node(d, i);
            std::ofstream{node}.flush();
            const std::string& port = devices_[d].port;
            const fs::path usbDevice = sysfsRoot() / "devices" / "usb1" / port /
                                       (port + ":1." + std::to_string(i)) /
                                       ("0003:1209:0108." + node.filename().string());
            fs::create_directories(usbDevice);
            const fs::path hidraw = sysfsRoot() / "class" / "hidraw" / node.filename();
            fs::create_directories(hidraw);
            fs::create_directory_symlink(usbDevice, hidraw / "device");
        }
    }
    attached = this;
}

ScriptedHid::~ScriptedHid() {
    attached = nullptr;
}

fs::path ScriptedHid::node(std::size_t device, std::size_t interface) const {
    std::size_t number = interface;
    for (std::size_t d = 0; d < device; ++d) {
        number += devices_[d].usagePages.size();
    }
    return folder_ / "dev" / ("hidraw" + std::to_string(number));
}

} // namespace vantrel::testing

extern "C" {

int hid_init() {
    return 0;
}

int hid_exit() {
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    hid_device_info* first = nullptr;
    if (attached == nullptr || (vendor_id != 0 && vendor_id != scriptedVendorId()) ||
        product_id != vantrel::DeviceProductId) {
        return nullptr;
    }
    // Built back to front, so that the list holds the last device first.
    for (std::size_t d = 0; d < attached->devices().size(); ++d) {
        const ScriptedHidDevice& device = attached->devices()[d];
        for (std::size_t i = device.usagePages.size(); i-- > 0;) {
            auto* entry = new Entry{};
            entry->pathText = attached->node(d, i).string();
            entry->serial = device.serialNumber;
            entry->path = entry->pathText.data();
            entry->serial_number = entry->serial.data();
            entry->manufacturer_string = entry->manufacturer.data();
            entry->product_string = entry->product.data();
            entry->vendor_id = scriptedVendorId();
            entry->product_id = product_id;
            entry->usage_page = device.usagePages[i];
            entry->interface_number = static_cast<int>(i);
            entry->next = first;
            first = entry;
        }
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devs) {
    while (devs != nullptr) {
        hid_device_info* next = devs->next;
        delete static_cast<Entry*>(devs);
        devs = next;
    }
}

hid_device* hid_open_path(const char* path) {
    const Interface found = findInterface(path);
    const int refusal = found.device == nullptr ? ENOENT : found.device->openError;
    if (refusal != 0) {
        lastOpenError = widen(std::strerror(refusal));
        errno = refusal;
        return nullptr;
    }
    auto opened = std::make_unique<hid_device_>();
    opened->device = found.device;
    opened->channel = found.device->usagePages[found.index] >= ConfigurationChannel;
    if (opened->channel) {
        if (found.device->memory->OpenHidDevice(vantrel::DeviceProductId, vantrel::ReportLength,
                                                vantrel::ReportLength,
                                                opened->handle) != vantrel::DeviceSuccess) {
            lastOpenError = L"No such device";
            errno = ENODEV;
            return nullptr;
        }
        if (found.device->staleReport) {
            std::vector<unsigned char> stale(vantrel::ReportSize, StaleByte);
            stale[0] = 3;
            opened->waiting.push_back(stale);
        }
    }
    return opened.release();
}

void hid_close(hid_device* dev) {
    if (dev->channel) {
        (void)dev->device->memory->CloseHidDevice(dev->handle);
    }
    delete dev;
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
    // The keyboard, mouse and joystick interfaces take a report and never answer.
    if (!dev->channel) {
        return static_cast<int>(length);
    }
    vantrel::Report output{};
    vantrel::Report input{};
    std::copy_n(data, std::min(length, output.size()), output.begin());
    if (dev->device->memory->WriteHidDevice(dev->handle, output, input) != vantrel::DeviceSuccess) {
        dev->gone = true;
        dev->error = L"No such device";
        return -1;
    }
    std::vector<unsigned char> answer(input.begin(), input.end());
    if (dev->exchanges++ == dev->device->faultAt) {
        switch (dev->device->answer) {
        case HidAnswer::Whole:
            break;
        case HidAnswer::Short:
            answer.resize(ShortAnswerLength);
            break;
        case HidAnswer::Late:
            return static_cast<int>(length);
        case HidAnswer::WrongReportId:
            answer[0] = OtherReportId;
            break;
        }
    }
    dev->waiting.push_back(answer);
    return static_cast<int>(length);
}

int hid_read_timeout(hid_device* dev, unsigned char* data, size_t length, int /*milliseconds*/) {
    if (dev->gone) {
        return -1;
    }
    if (dev->waiting.empty()) {
        return 0;
    }
    const std::vector<unsigned char> report = dev->waiting.front();
    dev->waiting.pop_front();
    const std::size_t count = std::min(length, report.size());
    std::copy_n(report.begin(), count, data);
    return static_cast<int>(count);
}

const wchar_t* hid_error(hid_device* dev) {
    return dev != nullptr ? dev->error.c_str() : lastOpenError.c_str();
}

} // extern "C"
