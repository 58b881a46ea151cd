#pragma once

#include "device/TransferProgress.h"
#include "userinterface/UserInterface.h"

#include <benchmark/benchmark.h>
#include <string>

namespace vantrel::bench {

/// A user who sees nothing and answers every message with its first button,
/// so that only the work itself is measured.
class UnseenUser final : public TransferObserver, public MessagePrompter {
public:
    void update(const TransferProgress& progress) override { benchmark::DoNotOptimize(progress); }
    MessageAnswer showMessage(const std::string& /*text*/, const std::string& /*title*/,
                              MessageIcon /*icon*/, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    }
};

} // namespace vantrel::bench
