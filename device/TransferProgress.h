#pragma once

#include <cstdint>

// How far a transfer has got, as numbers: the transfer reports them, each
// front end shows them in its own way.
namespace vantrel {

enum class TransferDirection { Writing, Reading };

/// "Writing" or "Reading", the word both front ends begin their progress
/// with.
[[nodiscard]] constexpr const char* transferVerb(TransferDirection direction) {
    return direction == TransferDirection::Writing ? "Writing" : "Reading";
}

/// A transfer goes through two stages: the configuration stage (the
/// transfer-state pair and the two trailer blocks), then the data region.
enum class TransferStage { Configuration, Data };

/// In the configuration stage `done` and `total` count its reports; in the
/// data stage they count bytes of the data region, whose length need not be
/// a whole number of 8-byte reports. A finished transfer is the data stage
/// with `done` equal to `total`.
struct TransferProgress {
    TransferDirection direction = TransferDirection::Writing;
    TransferStage stage = TransferStage::Configuration;
    std::int32_t done = 0;
    std::int32_t total = 0;

    /// Percentage of the configuration stage done: 100 once the data stage
    /// has begun.
    [[nodiscard]] constexpr int configurationPercent() const {
        return stage == TransferStage::Configuration ? percentDone(done, total) : 100;
    }
    /// Percentage of the data region done: 0 until its stage begins.
    [[nodiscard]] constexpr int dataPercent() const {
        return stage == TransferStage::Data ? percentDone(done, total) : 0;
    }

    /// 100 × done ÷ total, rounded half up. A total of 0 or less leaves
    /// nothing to wait for and counts as 100.
    [[nodiscard]] static constexpr int percentDone(std::int32_t done, std::int32_t total) {
        if (total <= 0) {
            return 100;
        }
        // In integers: floor((200 × done + total) ÷ (2 × total)).
        return static_cast<int>((200 * std::int64_t{done} + total) / (2 * std::int64_t{total}));
    }

    friend bool operator==(const TransferProgress&, const TransferProgress&) = default;
};

/// Told how far a transfer has got before every step. A window shows it and
/// lets pending user-interface events run; a console draws a bar.
class TransferObserver {
public:
    virtual ~TransferObserver() = default;
    virtual void update(const TransferProgress& progress) = 0;

protected:
    TransferObserver() = default;
    TransferObserver(const TransferObserver&) = default;
    TransferObserver& operator=(const TransferObserver&) = default;
};

} // namespace vantrel
