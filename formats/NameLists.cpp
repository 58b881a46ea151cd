#include "formats/NameLists.h"

#include "formats/JsonFormat.h"
#include "keytext/KeySpellings.h"
#include "model/DeviceSettings.h"

#include <array>
#include <span>

namespace vantrel {
namespace {

constexpr std::array<std::string_view, 4> GroupWords = {"keys", "mouse", "joystick", "settings"};

std::vector<NameListEntry> codeList(CodeKind kind) {
    std::vector<NameListEntry> list;
    for (const std::uint8_t code : namedCodes(kind)) {
        NameListEntry entry{std::get<std::string>(codeText(kind, code)), {}, code};
        if (kind == CodeKind::Key) {
            for (const std::string_view other : otherSpellingsOf(code)) {
                entry.others.emplace_back(other);
            }
        }
        if (kind == CodeKind::Mouse) {
            for (const KeySpelling& other : mouseSpellings()) {
                if (other.usage == code) {
                    entry.others.emplace_back(other.spelling);
                }
            }
        }
        list.push_back(std::move(entry));
    }
    return list;
}

NameListEntry setting(std::string_view field, std::span<const std::string_view> values) {
    return {std::string(field), {values.begin(), values.end()}, std::nullopt};
}

std::vector<NameListEntry> settingsList() {
    std::array<std::string_view, ModifierWords.size()> modifiers{};
    for (std::size_t i = 0; i < ModifierWords.size(); ++i) {
        modifiers.at(i) = ModifierWords.at(i).word;
    }
    return {
        setting("type", KindWords),
        setting("modifiers", modifiers),
        setting("action", ActionWords),
        setting("repeat", RepeatDelayEntries),
        setting("maximumRate", MaximumRateEntries),
        setting("divisor", DivisorEntries),
        setting("bufferOverflow", BufferOverflowEntries),
        setting("spinner mode", SpinnerOptionCaptions),
    };
}

} // namespace

std::string_view nameGroupWord(NameGroup group) {
    return GroupWords.at(static_cast<std::size_t>(group));
}

std::optional<NameGroup> nameGroupNamed(std::string_view word) {
    for (std::size_t i = 0; i < GroupWords.size(); ++i) {
        if (GroupWords.at(i) == word) {
            return static_cast<NameGroup>(i);
        }
    }
    return std::nullopt;
}

NameGroup nameGroupOf(CodeKind kind) {
    switch (kind) {
    case CodeKind::Mouse:
        return NameGroup::Mouse;
    case CodeKind::Joystick:
        return NameGroup::Joystick;
    case CodeKind::Key:
        break;
    }
    return NameGroup::Keys;
}

std::vector<NameListEntry> nameList(NameGroup group) {
    switch (group) {
    case NameGroup::Mouse:
        return codeList(CodeKind::Mouse);
    case NameGroup::Joystick:
        return codeList(CodeKind::Joystick);
    case NameGroup::Settings:
        return settingsList();
    case NameGroup::Keys:
        break;
    }
    return codeList(CodeKind::Key);
}

} // namespace vantrel
