#include "cli/NamesCommand.h"

#include "formats/NameLists.h"

namespace vantrel::cli {
namespace {

constexpr std::array<NameGroup, 4> AllGroups = {NameGroup::Keys, NameGroup::Mouse,
                                                NameGroup::Joystick, NameGroup::Settings};

/// A code's name with the other names it is accepted by; a setting's field
/// followed by its values, indented.
void printList(const Console& console, NameGroup group, const std::string& indent) {
    for (const NameListEntry& entry : nameList(group)) {
        console.out << indent << entry.name;
        if (group == NameGroup::Settings) {
            console.out << '\n';
            for (const std::string& value : entry.others) {
                console.out << indent << "  " << value << '\n';
            }
            continue;
        }
        std::string separator = "  (also ";
        for (const std::string& other : entry.others) {
            console.out << separator << other;
            separator = ", ";
        }
        console.out << (entry.others.empty() ? "" : ")") << '\n';
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
