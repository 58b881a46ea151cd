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
// interface; the first folder up the chain with idProduct is the USB device,
// named by its port ("1-4.1").
std::optional<std::string> encoderPort(const fs::path& node, const fs::path& sysfsRoot) {
    std::error_code error;
    fs::path folder = fs::canonical(node, error);
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error) {
        return std::nullopt;
    }
    for (; folder != root && folder.has_relative_path(); folder = folder.parent_path()) {
        const auto product = hexFile(folder / "idProduct");
        if (!product) {
            continue;
        }
        const auto vendor = hexFile(folder / "idVendor");
        const bool encoder = *product == static_cast<unsigned long>(DeviceProductId) &&
                             (build::VendorId == 0 || vendor == build::VendorId);
        return encoder ? std::optional(folder.filename().string()) : std::nullopt;
    }
    return std::nullopt;
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
    for (EncoderEventNodes& encoder : encoderEventNodesByPort(sysfsRoot, deviceRoot)) {
        nodes.insert(nodes.end(), encoder.nodes.begin(), encoder.nodes.end());
    }
    std::ranges::sort(nodes, {}, eventNumber);
    return nodes;
}

std::vector<EncoderEventNodes> encoderEventNodesByPort(const fs::path& sysfsRoot,
                                                       const fs::path& deviceRoot) {
    std::vector<std::pair<fs::path, std::string>> found;
    std::error_code error;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(sysfsRoot / "class" / "input", error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("event") || eventNumber(entry.path()) < 0) {
            continue;
        }
        if (auto port = encoderPort(entry.path(), sysfsRoot)) {
            found.emplace_back(deviceRoot / name, std::move(*port));
        }
    }
    std::ranges::sort(found, {}, [](const auto& node) { return eventNumber(node.first); });
    std::vector<EncoderEventNodes> encoders;
    for (auto& [node, port] : found) {
        auto encoder = std::ranges::find(encoders, port, &EncoderEventNodes::portPath);
        if (encoder == encoders.end()) {
            encoders.push_back({port, {}});
            encoder = std::prev(encoders.end());
        }
        encoder->nodes.push_back(std::move(node));
    }
    return encoders;
}

} // namespace vantrel
