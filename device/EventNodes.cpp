#include "device/EventNodes.h"

#include "device/HidAccess.h"
#include "generated/BuildConfig.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::optional<unsigned long> hexFile(const fs::path& file) {
    std::ifstream in(file);
    std::string text;
    if (!(in >> text)) {
        return std::nullopt;
    }
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 16);
        return used == text.size() ? std::optional(value) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// An event node sits below its input device, its HID interface and its USB
// interface; the first folder up the chain with idProduct is the USB device.
bool belongsToEncoder(const fs::path& node, const fs::path& sysfsRoot) {
    std::error_code error;
    fs::path folder = fs::canonical(node, error);
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error) {
        return false;
    }
    for (; folder != root && folder.has_relative_path(); folder = folder.parent_path()) {
        const auto product = hexFile(folder / "idProduct");
        if (!product) {
            continue;
        }
        const auto vendor = hexFile(folder / "idVendor");
        return *product == static_cast<unsigned long>(DeviceProductId) &&
               (build::VendorId == 0 || vendor == build::VendorId);
    }
    return false;
}

int eventNumber(const fs::path& node) {
    constexpr std::size_t PrefixLength = 5; // "event"
    try {
        return std::stoi(node.filename().string().substr(PrefixLength));
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace

std::vector<fs::path> encoderEventNodes(const fs::path& sysfsRoot, const fs::path& deviceRoot) {
    std::vector<fs::path> nodes;
    std::error_code error;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(sysfsRoot / "class" / "input", error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("event") && eventNumber(entry.path()) >= 0 &&
            belongsToEncoder(entry.path(), sysfsRoot)) {
            nodes.push_back(deviceRoot / name);
        }
    }
    std::ranges::sort(nodes, {}, eventNumber);
    return nodes;
}

} // namespace vantrel
