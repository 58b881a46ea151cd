#include "device/UdevRule.h"

#include <gtest/gtest.h>
#include <string>

namespace vantrel {
namespace {

TEST(UdevRule, MatchesTheProductAndTheVendorWhenOneIsConfigured) {
    EXPECT_EQ(udevRule(0),
              R"(KERNEL=="hidraw*", ATTRS{idProduct}=="0108", GROUP="plugdev", MODE="0660", )"
              R"(TAG+="uaccess")"
              "\n"
              R"(SUBSYSTEM=="input", KERNEL=="event*", ATTRS{idProduct}=="0108", TAG+="uaccess")");
    EXPECT_EQ(udevRule(0xD209), R"(KERNEL=="hidraw*", ATTRS{idVendor}=="d209", )"
                                R"(ATTRS{idProduct}=="0108", GROUP="plugdev", MODE="0660", )"
                                R"(TAG+="uaccess")"
                                "\n"
                                R"(SUBSYSTEM=="input", KERNEL=="event*", ATTRS{idVendor}=="d209", )"
                                R"(ATTRS{idProduct}=="0108", TAG+="uaccess")");
}

TEST(UdevAdvice, NamesTheFileThatGivesAccess) {
    const std::string withPackage = udevAdvice(0, true);
    EXPECT_NE(withPackage.find(PackagedUdevRulePath), std::string::npos) << withPackage;
    EXPECT_NE(withPackage.find("udevadm trigger"), std::string::npos) << withPackage;
    EXPECT_NE(withPackage.find("usermod -aG plugdev"), std::string::npos) << withPackage;

    const std::string byHand = udevAdvice(0, false);
    EXPECT_NE(byHand.find(UdevRulePath), std::string::npos) << byHand;
    EXPECT_NE(byHand.find("--subsystem-match=input"), std::string::npos) << byHand;
}

} // namespace
} // namespace vantrel
