#include "monitor/EvemuRecording.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace vantrel {
namespace {

constexpr std::string_view HeaderPrefixes = "NIPBALS";
constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string_view nextField(std::string_view& text) {
    text = trimmed(text);
    const auto end = text.find_first_of(" \t");
    const std::string_view field = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    return field;
}

template <typename Number>
std::optional<Number> number(std::string_view text, int base) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Any number of digits may follow the point ("5.0" by hand, "5.000001" as
// evemu-record writes it); what is finer than a microsecond is dropped.
std::optional<std::int64_t> timestamp(std::string_view text) {
    constexpr std::size_t MicrosecondDigits = 6;
    const auto dot = text.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view fraction = text.substr(dot + 1);
    if (fraction.empty() || fraction.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::string micro(fraction.substr(0, MicrosecondDigits));
    micro.resize(MicrosecondDigits, '0');
    const auto seconds = number<std::int64_t>(text.substr(0, dot), 10);
    const auto microseconds = number<std::int64_t>(micro, 10);
    if (!seconds || !microseconds || *seconds < 0 ||
        *seconds > INT64_MAX / MicrosecondsPerSecond - 1) {
        return std::nullopt;
    }
    return *seconds * MicrosecondsPerSecond + *microseconds;
}

// "E: 0.000001 0004 0004 458756" with the type and code in hexadecimal and
// the value in decimal; a "#" comment may follow.
std::optional<InputEvent> eventLine(std::string_view fields) {
    fields = fields.substr(0, fields.find('#'));
    const auto time = timestamp(nextField(fields));
    const auto type = number<std::uint16_t>(nextField(fields), 16);
    const auto code = number<std::uint16_t>(nextField(fields), 16);
    const auto value = number<std::int32_t>(nextField(fields), 10);
    if (!time || !type || !code || !value || !trimmed(fields).empty()) {
        return std::nullopt;
    }
    return InputEvent{*time, *type, *code, *value};
}

// "B:" lines list what the device has, so they make the axes known; each
// "A: code min max fuzz flat resolution" line names one axis.
void noteAxes(std::string_view line, EvemuRecording& recording) {
    if (line.front() != 'A' && line.front() != 'B') {
        return;
    }
    if (!recording.absoluteAxes) {
        recording.absoluteAxes.emplace();
    }
    std::string_view fields = line.substr(2);
    const auto code = number<std::uint16_t>(nextField(fields), 16);
    if (line.front() == 'A' && code) {
        recording.absoluteAxes->push_back(*code);
    }
}

} // namespace

EvemuRecording readEvemuRecording(std::istream& in) {
    EvemuRecording recording;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == '#') {
            continue;
        }
        const bool prefixed = text.size() >= 2 && text[1] == ':';
        if (prefixed && text.front() == 'E') {
            if (const auto event = eventLine(text.substr(2))) {
                recording.events.push_back(*event);
                continue;
            }
            recording.error = "not an event: expected \"E: seconds.microseconds type code value\"";
        } else if (prefixed && HeaderPrefixes.find(text.front()) != std::string_view::npos) {
            noteAxes(text, recording);
            continue;
        } else {
            recording.error = "not a line of an evemu recording";
        }
        recording.errorLine = number;
        recording.events.clear();
        return recording;
    }
    return recording;
}

ReplaySource::ReplaySource(std::string name, std::vector<InputEvent> events)
    : name_(std::move(name))
    , events_(std::move(events)) {}

EventSource::Status ReplaySource::next(SourcedEvent& event) {
    if (next_ >= events_.size()) {
        return Status::End;
    }
    event = {0, events_[next_++]};
    return Status::Event;
}

std::string ReplaySource::deviceName(std::size_t /*device*/) const {
    return name_;
}

std::string ReplaySource::error() const {
    return {};
}

} // namespace vantrel
