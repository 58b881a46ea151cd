#include "monitor/evdev/EvdevSource.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Without input devices on the build machine, what can be checked is that a
// node that cannot be read is refused with its reason and nothing is left
// open or grabbed.
TEST(EvdevSource, aNodeThatCannotBeReadIsNamedWithItsReason) {
    testing::TemporaryFolder folder;
    testing::writeFile(folder / "event3", "not a device");
    const std::vector<std::pair<std::filesystem::path, EvdevError>> cases = {
        {folder / "event9", EvdevError::Unplugged},
        {folder / "event3", EvdevError::NotEvdev},
        {"/dev/null", EvdevError::NotEvdev}};
    for (const auto& [node, kind] : cases) {
        EvdevFailure failure;
        EXPECT_EQ(EvdevSource::open({"/dev/null", node}, true, failure), nullptr);
        EXPECT_EQ(failure.kind, EvdevError::NotEvdev) << "the first node fails first";
        failure = {};
        EXPECT_EQ(EvdevSource::open({node}, false, failure), nullptr);
        EXPECT_EQ(failure.kind, kind) << node;
        EXPECT_EQ(failure.node, node);
        EXPECT_FALSE(failure.detail.empty());
    }
}

} // namespace
} // namespace vantrel
