#include "layouts/RetroArchConfig.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

constexpr std::string_view BindPrefix = "input_";
/// Binds of the joypads and the mouse, beside each keyboard bind.
constexpr std::array<std::string_view, 3> OtherDeviceSuffixes = {"_btn", "_axis", "_mbtn"};
constexpr std::string_view IncludeDirective = "#include";
constexpr std::string_view NoKey = "nul";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view unquoted(std::string_view text) {
    text = trimmed(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool isKeyboardBind(std::string_view name) {
    return name.starts_with(BindPrefix) &&
           std::none_of(OtherDeviceSuffixes.begin(), OtherDeviceSuffixes.end(),
                        [name](std::string_view suffix) { return name.ends_with(suffix); });
}

/// Takes the text's next line off it.
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

/// Reads one NAME = VALUE line into the binds; a failure for a line that
/// is none.
LayoutFailure readSetting(std::string_view content, int line, FileBinds& file) {
    const std::size_t equals = content.find('=');
    const std::string_view name = trimmed(content.substr(0, equals));
    if (equals == std::string_view::npos || name.empty() ||
        std::any_of(name.begin(), name.end(), isBlank)) {
        return {{LayoutError::NotASetting, std::string(content)}, line};
    }
    std::string_view value = trimmed(content.substr(equals + 1));
    if (value.starts_with('"')) {
        const std::size_t close = value.find('"', 1);
        if (close == std::string_view::npos) {
            return {{LayoutError::UnclosedQuote, std::string(name)}, line};
        }
        value = value.substr(1, close - 1);
    } else {
        value = trimmed(value.substr(0, value.find('#')));
    }
    if (isKeyboardBind(name)) {
        BindValue bind = retroArchBindValue(value);
        bind.line = line;
        setBind(file, std::string(name), std::move(bind));
    }
    return {};
}

} // namespace

BindValue retroArchBindValue(std::string_view text) {
    const std::string_view key = trimmed(text);
    if (key.empty() || key == NoKey) {
        return {};
    }
    return {{{BindItem{std::string(key), true}}}};
}

FileBindsRead readRetroArchBinds(std::string_view text) {
    FileBinds file;
    for (int line = 1; !text.empty(); ++line) {
        const std::string_view content = trimmed(nextLine(text));
        if (content.starts_with(IncludeDirective)) {
            std::string included(unquoted(content.substr(IncludeDirective.size())));
            file.notes.push_back({NoteKind::IncludeNotRead, {}, {}, std::move(included), {}, line});
        } else if (!content.empty() && content.front() != '#') {
            if (LayoutFailure failure = readSetting(content, line, file); !failure.ok()) {
                return failure;
            }
        }
    }
    return file;
}

} // namespace vantrel
