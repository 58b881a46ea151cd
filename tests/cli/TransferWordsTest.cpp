#include "cli/TransferWords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantrel::cli {
namespace {

TEST(TransferWords, AfterAFailedWriteTheToolSaysWhatTheDeviceHoldsNow) {
    struct Case {
        TransferKind kind;
        DeviceStatus status, closed;
        bool dataSent;
        std::string said;
    };
    const std::string partly = "the device may now hold a partly written configuration; writing "
                               "a configuration again repairs it";
    const std::vector<Case> cases = {
        {TransferKind::NoAnswer, DeviceFailure::Gone, DeviceFailure::Gone, true, partly},
        {TransferKind::FailedPartWay, DeviceFailure::Refused, DeviceSuccess, true, partly},
        {TransferKind::FailedPartWay, DeviceFailure::Refused, DeviceSuccess, false, ""},
        // Only keeping the memory failed: the close saves all of it, or none.
        {TransferKind::FailedPartWay, DeviceFailure::NotKept, DeviceSuccess, true,
         "the memory file was saved when the device was closed: the device holds the whole new "
         "configuration, not verified"},
        {TransferKind::FailedPartWay, DeviceFailure::NotKept, DeviceFailure::NotKept, true,
         "the memory file still holds what it held before this write"},
        {TransferKind::InvalidImage, DeviceSuccess, DeviceSuccess, false, ""},
    };
    for (const Case& c : cases) {
        TransferResult result;
        result.kind = c.kind;
        result.status = c.status;
        result.closed = c.closed;
        result.dataSent = c.dataSent;
        EXPECT_EQ(afterFailedWriteLine(result), c.said) << c.status << ' ' << c.closed;
    }
}

} // namespace
} // namespace vantrel::cli
