#include "cli/TransferWords.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace vantrel::cli {
namespace {

TEST(TransferWords, AfterAFailedWriteTheToolSaysWhatTheDeviceHoldsNow) {
    const std::string partly = "the device may now hold a partly written configuration; writing "
                               "a configuration again repairs it";
    // Each way the write ended, whether data went out, and what is said of the device.
    const std::vector<std::tuple<TransferKind, DeviceStatus, DeviceStatus, bool, std::string>>
        cases = {
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
    for (const auto& [kind, status, closed, dataSent, said] : cases) {
        TransferResult result;
        result.kind = kind;
        result.status = status;
        result.closed = closed;
        result.dataSent = dataSent;
        EXPECT_EQ(afterFailedWriteLine(result), said) << status << ' ' << closed;
    }
}

} // namespace
} // namespace vantrel::cli
