#include "cli/NamesCommand.h"

#include "formats/NameLists.h"
#include "keytext/KeySpellingSources.h"

namespace vantrel::cli {
namespace {

constexpr std::array<NameGroup, 4> AllGroups = {NameGroup::Keys, NameGroup::Mouse,
                                                NameGroup::Joystick, NameGroup::Settings};
constexpr std::size_t LineWidth = 80;
constexpr std::size_t CodeWidth = 5;
constexpr std::size_t NameWidth = 14;

/// What the key list says before its lines: where the other names come
/// from, and what a number means.
std::string keySourcesText() {
    std::string text = "A key is also accepted, in any case, by the names other programs give it: ";
    bool first = true;
    for (const SpellingSource source : AllSpellingSources) {
        if (source == SpellingSource::DisplayName) {
            continue;
        }
        text += std::string(first                                    ? ""
                            : source == SpellingSource::Abbreviation ? " and "
                                                                     : ", ") +
                std::string(sourceName(source) == "abbreviation" ? "common abbreviations"
                                                                 : sourceName(source)) +
                " (" + std::string(sourceExample(source)) + ")";
        first = false;
    }
    return text + ". A number is the key's raw code, shown before its name.";
}

/// `text` broken at spaces into lines of at most LineWidth, each after `indent`.
std::string wrapped(const std::string& text, std::size_t firstColumn, std::size_t indent) {
    std::string result;
    std::size_t column = firstColumn;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        if (column > indent && column + 1 + word.size() > LineWidth) {
            result += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (column > indent || (column == indent && !result.empty() && start > 0)) {
            result += ' ';
            ++column;
        }
        result += word;
        column += word.size();
        start = end + 1;
    }
    return result;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size() + 2, width), ' ');
    return text;
}

/// "    4  A             a, KEY_A, KEYCODE_A" and, where the other names run
/// long, further lines under them.
void printCodeEntry(const Console& console, const NameListEntry& entry, const std::string& indent) {
    std::string line = indent;
    std::string code = std::to_string(*entry.code);
    line += std::string(CodeWidth - std::min(CodeWidth, code.size()), ' ') + code + "  ";
    line += padded(entry.name, NameWidth);
    std::string others;
    for (const std::string& other : entry.others) {
        others += (others.empty() ? "" : ", ") + other;
    }
    if (others.empty()) {
        console.out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
        return;
    }
    console.out << line << wrapped(others, line.size(), line.size()) << '\n';
}

void printList(const Console& console, NameGroup group, const std::string& indent) {
    if (group == NameGroup::Keys) {
        console.out << indent << wrapped(keySourcesText(), indent.size(), indent.size()) << "\n\n";
    }
    for (const NameListEntry& entry : nameList(group)) {
        if (group != NameGroup::Settings) {
            printCodeEntry(console, entry, indent);
            continue;
        }
        console.out << indent << entry.name << '\n';
        for (const std::string& value : entry.others) {
            console.out << indent << "  " << value << '\n';
        }
    }
}

} // namespace

int namesCommand(const Invocation& invocation, const Console& console) {
    if (!invocation.operands.empty()) {
        printList(console, *nameGroupNamed(invocation.operands.front()), "");
        return ExitSuccess;
    }
    for (const NameGroup group : AllGroups) {
        console.out << (group == AllGroups.front() ? "" : "\n") << nameGroupWord(group) << ":\n";
        printList(console, group, "  ");
    }
    return ExitSuccess;
}

} // namespace vantrel::cli
