#include "wiring/WiringSession.h"

#include "model/SourceNames.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vantrel {
namespace {

bool sendsNothing(const InputMacro& macro) {
    return macro == InputMacro{};
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) {
        return std::isspace(static_cast<unsigned char>(c)) != 0;
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::filesystem::path wiredLayoutPath(const std::filesystem::path& layout) {
    return layout.parent_path() / (layout.stem().string() + "-wired.json");
}

bool sameLabel(const std::string& a, const std::string& b) {
    return std::ranges::equal(trimmed(a), trimmed(b), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

WiringSession::WiringSession(const Configuration& layout, const ConfigurationLabels& labels,
                             Order order)
    : order_(order) {
    for (int input = 0; input < InputCount; ++input) {
        const std::string& label = labels.input(input);
        if (!label.empty() || !sendsNothing(layout.input(input))) {
            controls_.push_back({input, label.empty() ? inputName(input) : label, {}, false});
        }
    }
}

std::optional<std::size_t> WiringSession::asked() const {
    if (order_ == Order::AsPressed || cursor_ >= controls_.size()) {
        return std::nullopt;
    }
    return cursor_;
}

bool WiringSession::finished() const {
    if (order_ == Order::AsAsked) {
        return cursor_ >= controls_.size();
    }
    return std::ranges::all_of(controls_,
                               [](const WiringControl& c) { return c.found.has_value(); });
}

std::optional<std::size_t> WiringSession::holderOf(const FoundInput& input) const {
    const auto found = std::ranges::find_if(
        controls_, [&input](const WiringControl& c) { return c.found == input; });
    return found == controls_.end()
               ? std::nullopt
               : std::optional(static_cast<std::size_t>(found - controls_.begin()));
}

WiringAnswer WiringSession::bind(std::size_t control, const FoundInput& input) {
    WiringControl& bound = controls_.at(control);
    bound.found = input;
    bound.skipped = false;
    if (order_ == Order::AsAsked) {
        ++cursor_;
    } else {
        boundOrder_.push_back(control);
        waiting_.reset();
    }
    return {WiringStep::Bound, control, input};
}

WiringAnswer WiringSession::press(std::size_t encoder, const ActionSource& source) {
    if (finished() || (order_ == Order::AsPressed && waiting_)) {
        return {};
    }
    if (source.kind != ActionSource::Kind::Input) {
        return {WiringStep::NotAnInput, asked().value_or(0), {}};
    }
    const FoundInput input{encoder, source.index};
    if (const auto holder = holderOf(input)) {
        return {WiringStep::AlreadyBound, *holder, input};
    }
    if (order_ == Order::AsPressed) {
        waiting_ = input;
        return {WiringStep::LabelNeeded, 0, input};
    }
    return bind(cursor_, input);
}

WiringAnswer WiringSession::skip() {
    if (order_ == Order::AsPressed || finished()) {
        return {};
    }
    controls_.at(cursor_).skipped = true;
    return {WiringStep::Skipped, cursor_++, {}};
}

WiringAnswer WiringSession::back() {
    std::size_t control = 0;
    if (order_ == Order::AsAsked) {
        if (cursor_ == 0) {
            return {WiringStep::NothingBefore, 0, {}};
        }
        control = --cursor_;
    } else {
        waiting_.reset();
        if (boundOrder_.empty()) {
            return {WiringStep::NothingBefore, 0, {}};
        }
        control = boundOrder_.back();
        boundOrder_.pop_back();
    }
    WiringControl& undone = controls_.at(control);
    const FoundInput was = undone.found.value_or(FoundInput{});
    undone.found.reset();
    undone.skipped = false;
    return {WiringStep::WentBack, control, was};
}

WiringAnswer WiringSession::label(const std::string& text) {
    if (order_ == Order::AsAsked || !waiting_) {
        return {};
    }
    const FoundInput input = *waiting_;
    if (trimmed(text).empty()) {
        waiting_.reset();
        return {WiringStep::PressDropped, 0, input};
    }
    const auto named = std::ranges::find_if(
        controls_, [&text](const WiringControl& c) { return sameLabel(c.label, text); });
    if (named == controls_.end()) {
        return {WiringStep::UnknownLabel, 0, input};
    }
    const auto control = static_cast<std::size_t>(named - controls_.begin());
    if (named->found) {
        return {WiringStep::LabelTaken, control, *named->found};
    }
    return bind(control, input);
}

std::vector<WiredEncoder> WiringSession::wired(const Configuration& layout,
                                               const ConfigurationLabels& labels,
                                               std::size_t encoders) const {
    std::vector<WiredEncoder> wired(encoders);
    for (WiredEncoder& encoder : wired) {
        encoder.config.RotaryKeys = layout.RotaryKeys;
        encoder.labels.rotarySwitches = labels.rotarySwitches;
    }
    const auto foundOf = [this](int layoutInput) -> std::optional<FoundInput> {
        const auto control = std::ranges::find(controls_, layoutInput, &WiringControl::layoutInput);
        return control == controls_.end() ? std::nullopt : control->found;
    };
    for (const WiringControl& control : controls_) {
        if (control.found && control.found->encoder < encoders) {
            WiredEncoder& encoder = wired.at(control.found->encoder);
            encoder.config.input(control.found->input) = layout.input(control.layoutInput);
            encoder.labels.inputs.at(static_cast<std::size_t>(control.found->input)) =
                labels.input(control.layoutInput);
        }
    }
    // A share the layout meant stays meant where its inputs went together.
    for (const IntendedShare& share : labels.intended) {
        for (std::size_t e = 0; e < encoders; ++e) {
            IntendedShare moved{share.kind, {}};
            for (const ActionSource& source : share.sources) {
                if (source.kind == ActionSource::Kind::RotaryKey) {
                    moved.sources.push_back(source);
                } else if (const auto found = foundOf(source.index); found && found->encoder == e) {
                    moved.sources.push_back({ActionSource::Kind::Input, found->input});
                }
            }
            std::sort(moved.sources.begin(), moved.sources.end());
            if (moved.sources.size() > 1) {
                wired.at(e).labels.intended.push_back(std::move(moved));
            }
        }
    }
    return wired;
}

} // namespace vantrel
