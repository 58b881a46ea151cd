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
    struct Case {
        std::filesystem::path node;
        EvdevError kind;
    };
    for (const Case& c :
         {Case{folder / "event9", EvdevError::Unplugged},
          Case{folder / "event3", EvdevError::NotEvdev}, Case{"/dev/null", EvdevError::NotEvdev}}) {
        EvdevFailure failure;
        EXPECT_EQ(EvdevSource::open({"/dev/null", c.node}, true, failure), nullptr);
        EXPECT_EQ(failure.kind, EvdevError::NotEvdev) << "the first node fails first";
        failure = {};
        EXPECT_EQ(EvdevSource::open({c.node}, false, failure), nullptr);
        EXPECT_EQ(failure.kind, c.kind) << c.node;
        EXPECT_EQ(failure.node, c.node);
        EXPECT_FALSE(failure.detail.empty());
    }
}

} // namespace
} // namespace vantrel
