#include "model/JsonWriter.h"

#include "model/EchoedText.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vantrel {

JsonWriter::JsonWriter(int indent)
    : indent_(indent) {}

void JsonWriter::newLine() {
    if (indent_ >= 0) {
        text_ += '\n';
        text_.append(open_.size() * static_cast<std::size_t>(indent_), ' ');
    }
}

void JsonWriter::beginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!open_.empty()) {
        if (open_.back()++ > 0) {
            text_ += ',';
        }
        newLine();
    }
}

JsonWriter& JsonWriter::begin(char bracket) {
    beginValue();
    text_ += bracket;
    open_.push_back(0);
    return *this;
}

JsonWriter& JsonWriter::end(char bracket) {
    const bool empty = open_.back() == 0;
    open_.pop_back();
    if (!empty) {
        newLine();
    }
    text_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject() {
    return begin('{');
}

JsonWriter& JsonWriter::endObject() {
    return end('}');
}

JsonWriter& JsonWriter::beginArray() {
    return begin('[');
}

JsonWriter& JsonWriter::endArray() {
    return end(']');
}

JsonWriter& JsonWriter::key(std::string_view name) {
    string(name);
    text_ += indent_ >= 0 ? ": " : ":";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    beginValue();
    text_ += '"' + jsonEscapedText(text) + '"';
    return *this;
}

JsonWriter& JsonWriter::raw(const std::string& text) {
    beginValue();
    text_ += text;
    return *this;
}

JsonWriter& JsonWriter::fraction(double value) {
    if (!std::isfinite(value)) {
        return null(); // JSON has no infinities and no NaN
    }
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%.17g", value);
    return raw(digits.data());
}

JsonWriter& JsonWriter::seconds(std::int64_t microseconds) {
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%s%lld.%06lld", microseconds < 0 ? "-" : "",
                  static_cast<long long>(std::llabs(microseconds / 1'000'000)),
                  static_cast<long long>(std::llabs(microseconds % 1'000'000)));
    return raw(digits.data());
}

JsonWriter& JsonWriter::boolean(bool value) {
    return raw(value ? "true" : "false");
}

JsonWriter& JsonWriter::null() {
    return raw("null");
}

} // namespace vantrel
