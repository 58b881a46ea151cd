#include "device/UdevRule.h"
#include "device/hidapi/HidapiDevice.h"
#include "device/hidapi/LockedDevice.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

std::vector<std::string> ruleLines(const std::string& file) {
    std::vector<std::string> lines;
    std::istringstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.front() != '#') {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(UdevRuleFile, IsTheRuleTheToolPrints) {
    std::ifstream in(VANTREL_UDEV_RULE_FILE, std::ios::binary);
    ASSERT_TRUE(in) << VANTREL_UDEV_RULE_FILE;
    const std::string installed{std::istreambuf_iterator<char>(in), {}};

    // uaccess only works when set before 73-seat-late.rules; every path names one file.
    EXPECT_LT(std::stoi(UdevRuleFileName), 73);
    for (const std::filesystem::path path :
         {VANTREL_UDEV_RULE_FILE, PackagedUdevRulePath, UdevRulePath}) {
        EXPECT_EQ(path.filename(), UdevRuleFileName);
    }
    const std::vector<std::string> rules = ruleLines(installed);
    ASSERT_EQ(rules.size(), 2U) << installed;
    // What `vantrelctl devices` shows under a device it cannot open.
    const std::string printed = udevAdvice(configuredVendorId(), false);
    for (const std::string& rule : rules) {
        EXPECT_NE(printed.find("\n  " + rule + "\n"), std::string::npos) << printed;
        EXPECT_NE(rule.find(R"(TAG+="uaccess")"), std::string::npos);
    }
}

HidDeviceInfo attached(DeviceStatus openResult) {
    HidDeviceInfo info;
    info.path = "/dev/hidraw4";
    info.productId = 0x0108;
    info.openResult = openResult;
    return info;
}

TEST(LockedDevice, SpeaksOnlyWhenPermissionKeepsEveryAttachedDeviceShut) {
    const HidDeviceInfo opens = attached(DeviceSuccess);
    const HidDeviceInfo denied = attached(DeviceFailure::NoPermission);
    const HidDeviceInfo broken = attached(DeviceFailure::NotFound);
    // Each case, the devices attached, and whether the program speaks of permission.
    const std::vector<std::tuple<const char*, std::vector<HidDeviceInfo>, bool>> cases = {
        {"no device: the start-up's own message says it", {}, false},
        {"the device opens", {opens}, false},
        {"one of two opens, so the program will use it", {denied, opens}, false},
        {"fails for another reason than permission", {broken}, false},
        {"attached but this user may not open it", {denied}, true},
        {"every interface shut, one for lack of permission", {broken, denied}, true},
    };
    for (const auto& [what, devices, speaks] : cases) {
        EXPECT_EQ(lockedOut(devices), speaks) << what;
    }
}

TEST(LockedDevice, SaysPermissionNotAbsenceAndNamesTheRuleFile) {
    for (const bool ruleInstalled : {true, false}) {
        const std::string reason = permissionProblem("The VANTREL", ruleInstalled);
        EXPECT_EQ(reason.rfind("The VANTREL is attached, but this user has no permission", 0), 0U)
            << reason;
        EXPECT_NE(reason.find(PackagedUdevRulePath), std::string::npos) << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    }
}

} // namespace
} // namespace vantrel
