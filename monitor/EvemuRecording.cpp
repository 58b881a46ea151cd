#include "monitor/EvemuRecording.h"

#include "model/EchoedText.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace vantrel {
namespace {

constexpr std::string_view HeaderPrefixes = "NIPBALS";
constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;

// Loops rather than find_first_of: that asks memchr about every character,
// and the fields of every event pass through here.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) {
        ++first;
    }
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

/// The first field of `text`, which then holds what follows it. Fields are
/// parted by spaces and tabs; a carriage return only ends the line.
std::string_view nextField(std::string_view& text) {
    text = trimmed(text);
    std::size_t end = 0;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t') {
        ++end;
    }
    const std::string_view field = text.substr(0, end);
    text.remove_prefix(end);
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
    if (dot == std::string_view::npos || dot + 1 == text.size()) {
        return std::nullopt;
    }
    std::int64_t microseconds = 0;
    std::size_t digits = 0;
    for (const char c : text.substr(dot + 1)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (digits < MicrosecondDigits) {
            microseconds = microseconds * 10 + (c - '0');
            ++digits;
        }
    }
    for (; digits < MicrosecondDigits; ++digits) {
        microseconds *= 10;
    }
    const auto seconds = number<std::int64_t>(text.substr(0, dot), 10);
    if (!seconds || *seconds < 0 || *seconds > INT64_MAX / MicrosecondsPerSecond - 1) {
        return std::nullopt;
    }
    return *seconds * MicrosecondsPerSecond + microseconds;
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
void noteAxes(std::string_view line, std::optional<std::vector<std::uint16_t>>& axes) {
    if (line.front() != 'A' && line.front() != 'B') {
        return;
    }
    if (!axes) {
        axes.emplace();
    }
    std::string_view fields = line.substr(2);
    const auto code = number<std::uint16_t>(nextField(fields), 16);
    if (line.front() == 'A' && code) {
        axes->push_back(*code);
    }
}

} // namespace

EvemuReader::EvemuReader(std::istream& in)
    : lines_(in, MaxEvemuLineLength) {}

EvemuReader::Result EvemuReader::readHeader() {
    std::string_view line;
    while (!pending_) {
        if (const Result read = readLine(line); read != Result::Event) {
            return read;
        }
        InputEvent event;
        if (classify(trimmed(line), event) == Line::Event) {
            pending_ = event;
        } else if (!failure_.ok()) {
            return Result::Failed;
        }
    }
    return Result::Event;
}

EvemuReader::Result EvemuReader::next(InputEvent& event) {
    if (!failure_.ok()) {
        return Result::Failed;
    }
    if (pending_) {
        event = *pending_;
        pending_.reset();
        return Result::Event;
    }
    std::string_view line;
    for (;;) {
        if (const Result read = readLine(line); read != Result::Event) {
            return read;
        }
        if (classify(trimmed(line), event) == Line::Event) {
            return Result::Event;
        }
        if (!failure_.ok()) {
            return Result::Failed;
        }
    }
}

/// The next line into `line`, the recording's length checked with it:
/// Event stands for a line read.
EvemuReader::Result EvemuReader::readLine(std::string_view& line) {
    ++lineNumber_;
    switch (lines_.next(line)) {
    case LineReader::Status::Line:
        break;
    case LineReader::Status::End:
        return Result::End;
    case LineReader::Status::TooLong:
        return fail(EvemuError::LineTooLong);
    case LineReader::Status::Unreadable:
        return fail(EvemuError::Unreadable);
    }
    if (lines_.consumed() > MaxEvemuRecordingSize) {
        return fail(EvemuError::TooLong);
    }
    return Result::Event;
}

EvemuReader::Line EvemuReader::classify(std::string_view text, InputEvent& event) {
    if (text.empty() || text.front() == '#') {
        return Line::Skipped;
    }
    const bool prefixed = text.size() >= 2 && text[1] == ':';
    if (prefixed && text.front() == 'E') {
        if (const auto parsed = eventLine(text.substr(2))) {
            event = *parsed;
            return Line::Event;
        }
        fail(EvemuError::NotAnEvent);
    } else if (prefixed && HeaderPrefixes.find(text.front()) != std::string_view::npos) {
        noteAxes(text, absoluteAxes_);
        return Line::Header;
    } else {
        fail(EvemuError::NotEvemu);
    }
    return Line::Skipped;
}

EvemuReader::Result EvemuReader::fail(EvemuError error) {
    failure_ = {{error, {}}, lineNumber_};
    return Result::Failed;
}

std::string evemuErrorWords(EvemuError error) {
    switch (error) {
    case EvemuError::Unreadable:
        return "could not be read";
    case EvemuError::LineTooLong:
        return "a line longer than " + std::to_string(MaxEvemuLineLength) +
               " bytes: not an evemu recording";
    case EvemuError::TooLong:
        return "longer than " +
               std::to_string(MaxEvemuRecordingSize / (std::uint64_t{1024} * 1024)) +
               " MB: not a recording of a panel";
    case EvemuError::NotAnEvent:
        return "not an event: expected \"E: seconds.microseconds type code value\"";
    case EvemuError::NotEvemu:
        return "not a line of an evemu recording";
    case EvemuError::None:
        break;
    }
    return {};
}

std::string evemuFailureLine(std::string_view recording, const EvemuFailure& failure) {
    return echoedPath(recording) + ", line " + std::to_string(failure.line) + ": " +
           evemuErrorWords(failure.kind);
}

ReplaySource::ReplaySource(std::string name, EvemuReader& reader)
    : name_(std::move(name))
    , reader_(reader) {}

EventSource::Status ReplaySource::next(SourcedEvent& event) {
    event.device = 0;
    switch (reader_.next(event.event)) {
    case EvemuReader::Result::Event:
        return Status::Event;
    case EvemuReader::Result::End:
        return Status::End;
    case EvemuReader::Result::Failed:
        break;
    }
    return Status::Failed;
}

std::string ReplaySource::deviceName(std::size_t /*device*/) const {
    return name_;
}

} // namespace vantrel
