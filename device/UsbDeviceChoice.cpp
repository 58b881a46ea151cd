#include "device/UsbDeviceChoice.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>

namespace vantrel {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

/// "B-P[.P...]": a bus number, a dash, then port numbers joined by dots.
bool isPortPath(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || !allDigits(text.substr(0, dash))) {
        return false;
    }
    std::string_view ports = text.substr(dash + 1);
    while (true) {
        const std::size_t dot = ports.find('.');
        if (!allDigits(ports.substr(0, dot))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        ports.remove_prefix(dot + 1);
    }
}

/// Orders node names by their text before the trailing number, then by the
/// number, so that hidraw10 comes after hidraw9.
std::tuple<std::string_view, unsigned long, std::string_view> nodeOrder(std::string_view path) {
    const auto digits = static_cast<std::size_t>(
        std::find_if_not(path.rbegin(), path.rend(), isDigit) - path.rbegin());
    const std::string_view stem = path.substr(0, path.size() - digits);
    unsigned long number = 0;
    std::from_chars(path.data() + stem.size(), path.data() + path.size(), number);
    return {stem, number, path};
}

std::string_view lowestNode(const UsbDevice& device) {
    std::string_view lowest = device.interfaces.front().path;
    for (const HidDeviceInfo& info : device.interfaces) {
        if (nodeOrder(info.path) < nodeOrder(lowest)) {
            lowest = info.path;
        }
    }
    return lowest;
}

} // namespace

std::optional<UsbSelector> parseUsbSelector(std::string_view text) {
    using Kind = UsbSelector::Kind;
    if (text.empty()) {
        return std::nullopt;
    }
    if (allDigits(text)) {
        if (std::all_of(text.begin(), text.end(), [](char c) { return c == '0'; })) {
            return std::nullopt;
        }
        return UsbSelector{Kind::Number, std::string(text.substr(text.find_first_not_of('0')))};
    }
    if (text.find('/') != std::string_view::npos) {
        return UsbSelector{Kind::Path, std::string(text)};
    }
    return UsbSelector{isPortPath(text) ? Kind::PortPath : Kind::SerialNumber, std::string(text)};
}

bool UsbDevice::matches(const UsbSelector& selector) const {
    const auto any = [this](auto&& test) {
        return std::any_of(interfaces.begin(), interfaces.end(), test);
    };
    switch (selector.kind) {
    case UsbSelector::Kind::Number:
        return std::to_string(number) == selector.value;
    case UsbSelector::Kind::Path:
        return any([&](const HidDeviceInfo& info) { return info.path == selector.value; });
    case UsbSelector::Kind::PortPath:
        return any([&](const HidDeviceInfo& info) { return info.portPath == selector.value; });
    case UsbSelector::Kind::SerialNumber:
        break;
    }
    return any([&](const HidDeviceInfo& info) { return info.serialNumber == selector.value; });
}

std::vector<UsbDevice> groupUsbDevices(const std::vector<HidDeviceInfo>& interfaces) {
    std::vector<UsbDevice> devices;
    std::map<std::string, std::size_t> byPort;
    for (const HidDeviceInfo& info : interfaces) {
        if (!info.portPath.empty()) {
            const auto [known, added] = byPort.try_emplace(info.portPath, devices.size());
            if (!added) {
                devices[known->second].interfaces.push_back(info);
                continue;
            }
        }
        devices.push_back({0, {info}});
    }
    std::stable_sort(devices.begin(), devices.end(), [](const UsbDevice& a, const UsbDevice& b) {
        return nodeOrder(lowestNode(a)) < nodeOrder(lowestNode(b));
    });
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i].number = static_cast<int>(i + 1);
    }
    return devices;
}

const UsbDevice* chooseUsbDevice(const std::vector<UsbDevice>& devices,
                                 const UsbSelector& selector) {
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const UsbDevice& device) {
        return device.matches(selector);
    });
    return found == devices.end() ? nullptr : &*found;
}

UsbSelector lastingSelector(const UsbDevice& device) {
    if (!device.main().portPath.empty()) {
        return {UsbSelector::Kind::PortPath, device.main().portPath};
    }
    return {UsbSelector::Kind::Path, device.main().path};
}

std::string portPathFromSysfs(std::string_view sysfsPath) {
    // The USB device's folder is the last one named like a port; the
    // interface folders below it ("1-4.2:1.0") carry a configuration suffix.
    std::string found;
    std::size_t start = 0;
    while (start <= sysfsPath.size()) {
        const std::size_t slash = std::min(sysfsPath.find('/', start), sysfsPath.size());
        const std::string_view part = sysfsPath.substr(start, slash - start);
        if (isPortPath(part)) {
            found = part;
        }
        start = slash + 1;
    }
    return found;
}

} // namespace vantrel
