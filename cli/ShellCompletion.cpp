#include "cli/ShellCompletion.h"

#include "cli/CommandTable.h"
#include "cli/NewCommand.h"
#include "device/selection/DeviceSelection.h"
#include "formats/NameLists.h"
#include "layouts/FrontEndLayout.h"

#include <string_view>

namespace vantrel::cli {
namespace {

const std::string Generated = "# Generated from vantrelctl's command table when it was built.\n";

void appendWord(std::string& words, std::string_view word) {
    if (!words.empty()) {
        words += ' ';
    }
    words += word;
}

std::string commandNames() {
    std::string names;
    for (const CommandShape& command : commandTable()) {
        appendWord(names, command.name);
    }
    return names;
}

/// The commands whose operands are of `kind`.
std::string commandsTaking(OperandKind kind) {
    std::string names;
    for (const CommandShape& command : commandTable()) {
        if (command.operands + command.optionalOperands > 0 && command.operandKind == kind) {
            appendWord(names, command.name);
        }
    }
    return names;
}

std::string nameGroupWords() {
    std::string words;
    for (const NameGroup group :
         {NameGroup::Keys, NameGroup::Mouse, NameGroup::Joystick, NameGroup::Settings}) {
        appendWord(words, nameGroupWord(group));
    }
    return words;
}

/// The words a shell offers for a command's operands.
std::string operandWords(OperandKind kind) {
    return kind == OperandKind::NameGroups ? nameGroupWords()
                                           : commandNames() + " " + std::string(FormatTopic);
}

/// The names, short and long, of the options that `keep` selects.
template <typename Keep>
std::string optionNames(Keep keep) {
    std::string names;
    for (const OptionShape& option : optionTable()) {
        if (!keep(option)) {
            continue;
        }
        for (const std::string_view name : {option.shortName, option.name}) {
            if (!name.empty()) {
                appendWord(names, name);
            }
        }
    }
    return names;
}

/// --device, --events and --config may each be given once per device.
bool isRepeatable(const OptionShape& option) {
    return option.id == OptionId::Device || option.id == OptionId::Events ||
           option.id == OptionId::Config;
}

/// The words an option's value is one of ("blank two-player retroarch
/// pinball"); empty for a value of the user's own.
std::string valueWords(OptionValue value) {
    std::string words;
    if (value == OptionValue::Layout) {
        for (const std::string_view name : LayoutNames) {
            appendWord(words, name);
        }
    } else if (value == OptionValue::FrontEnd) {
        for (const std::string_view name : FrontEndWords) {
            appendWord(words, name);
        }
    }
    return words;
}

std::string namesTaking(OptionValue value) {
    return optionNames([value](const OptionShape& option) { return option.value == value; });
}

/// A `case` pattern of the same words: "-o|--output".
std::string casePattern(std::string words) {
    for (char& c : words) {
        c = c == ' ' ? '|' : c;
    }
    return words;
}

/// A summary on one line, as the shells show it beside a completion.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    return line;
}

/// Text inside single quotes, for every shell here.
std::string singleQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

/// zsh's option entries give `:` and brackets a meaning of their own.
std::string zshEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : oneLine(text)) {
        if (c == ':' || c == '[' || c == ']' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string devicePrefixes() {
    std::string prefixes(UsbPrefix);
    appendWord(prefixes, EmulatedPrefix);
    return prefixes;
}

/// "usb" of "usb:", as bash leaves it before the ":" it splits at.
std::string withoutColon(std::string_view prefix) {
    return std::string(prefix.substr(0, prefix.size() - 1));
}

/// The numbers `vantrelctl devices` gives the attached devices, one a line.
std::string bashDeviceNumbers() {
    return "_vantrelctl_device_numbers() {\n"
           "    \"$1\" devices 2>/dev/null | awk '$1 ~ /^[0-9]+$/ { print $1 }'\n"
           "}\n";
}

/// Completes a --device value. bash splits "usb:1" into "usb", ":" and "1"
/// where COMP_WORDBREAKS holds ":", as it does by default; then the reply is
/// what follows the colon. Where it does not, the reply keeps the prefix.
std::string bashDeviceValue() {
    const std::string usb(UsbPrefix);
    const std::string emulated(EmulatedPrefix);
    return "    if [[ $prev == : && $before == " + withoutColon(EmulatedPrefix) +
           " ]]; then\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    if [[ $prev == : && $before == " +
           withoutColon(UsbPrefix) +
           " ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$(_vantrelctl_device_numbers \"${COMP_WORDS[0]}\")\" "
           "-- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    if [[ " +
           casePattern(namesTaking(OptionValue::Device)).insert(0, "$prev == @(") +
           ") && $cur == " + emulated +
           "* ]]; then\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        COMPREPLY=($(compgen -P " +
           emulated + " -f -- \"${cur#" + emulated +
           "}\"))\n"
           "        return\n"
           "    fi\n"
           "    if [[ " +
           casePattern(namesTaking(OptionValue::Device)).insert(0, "$prev == @(") +
           ") && $cur == " + usb +
           "* ]]; then\n"
           "        COMPREPLY=($(compgen -P " +
           usb + " -W \"$(_vantrelctl_device_numbers \"${COMP_WORDS[0]}\")\" -- \"${cur#" + usb +
           "}\"))\n"
           "        return\n"
           "    fi\n";
}

std::string bashValueCompletion() {
    std::string script = "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
                         "    local prev=${COMP_WORDS[COMP_CWORD-1]}\n"
                         "    local before=${COMP_WORDS[COMP_CWORD-2]:-}\n"
                         // "--name=VALUE" is split at the "=" too.
                         "    if [[ $prev == = ]]; then\n"
                         "        prev=$before\n"
                         "        before=${COMP_WORDS[COMP_CWORD-3]:-}\n"
                         "    fi\n";
    script += bashDeviceValue() +
              "    case $prev in\n"
              "    " +
              casePattern(namesTaking(OptionValue::Device)) +
              ")\n"
              "        compopt -o nospace 2>/dev/null\n"
              "        COMPREPLY=($(compgen -W " +
              singleQuoted(devicePrefixes()) +
              " -- \"$cur\"))\n"
              "        return ;;\n"
              "    " +
              casePattern(namesTaking(OptionValue::File)) +
              ")\n"
              "        compopt -o filenames 2>/dev/null\n"
              "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
              "        return ;;\n";
    for (const OptionShape& option : optionTable()) {
        if (option.value == OptionValue::Number) {
            script += "    " + std::string(option.name) + ") return ;;\n";
        } else if (const std::string words = valueWords(option.value); !words.empty()) {
            script += "    " + std::string(option.name) + ")\n        COMPREPLY=($(compgen -W " +
                      singleQuoted(words) + " -- \"$cur\"))\n        return ;;\n";
        }
    }
    return script + "    esac\n";
}

/// Finds the command among the words typed so far, skipping options and
/// their values (also "--name = VALUE" and "emulated : PATH", as bash
/// splits them).
std::string bashCommandSearch() {
    const std::string valueNames = casePattern(
        optionNames([](const OptionShape& option) { return option.value != OptionValue::None; }));
    return "    local command= i\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in\n"
           "        " +
           valueNames +
           ")\n"
           "            if [[ ${COMP_WORDS[i+1]:-} == = ]]; then ((i += 2)); else ((i++)); fi\n"
           "            if [[ ${COMP_WORDS[i+1]:-} == : ]]; then ((i += 2)); fi ;;\n"
           "        -*) ;;\n"
           "        *) command=${COMP_WORDS[i]}; break ;;\n"
           "        esac\n"
           "    done\n";
}

/// The option names a command takes, or, before any command, those that
/// may come first.
std::string optionsOf(const CommandShape* command) {
    return optionNames([command](const OptionShape& option) {
        return command == nullptr ? isGlobalOption(option) : optionAppliesTo(option, *command);
    });
}

std::string bashOptionCompletion() {
    std::string script = "    if [[ $cur == -* ]]; then\n"
                         "        local options=\n"
                         "        case $command in\n"
                         "        '') options=" +
                         singleQuoted(optionsOf(nullptr)) + " ;;\n";
    for (const CommandShape& command : commandTable()) {
        script += "        " + std::string(command.name) +
                  ") options=" + singleQuoted(optionsOf(&command)) + " ;;\n";
    }
    script += "        esac\n"
              "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
              "        return\n"
              "    fi\n";
    return script;
}

std::string bashOperandCompletion() {
    std::string script = "    case $command in\n"
                         "    '')\n"
                         "        COMPREPLY=($(compgen -W " +
                         singleQuoted(commandNames()) +
                         " -- \"$cur\")) ;;\n"
                         "    " +
                         casePattern(commandsTaking(OperandKind::Files)) +
                         ")\n"
                         "        compopt -o filenames 2>/dev/null\n"
                         "        COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n";
    for (const OperandKind kind : {OperandKind::NameGroups, OperandKind::Commands}) {
        const std::string commands = commandsTaking(kind);
        if (!commands.empty()) {
            script += "    " + casePattern(commands) +
                      ")\n"
                      "        COMPREPLY=($(compgen -W " +
                      singleQuoted(operandWords(kind)) + " -- \"$cur\")) ;;\n";
        }
    }
    return script + "    esac\n";
}

/// One option for zsh's _arguments: "--name=[summary]:VALUE:action", and
/// both spellings in one group when it has a short name.
std::string zshOptionEntry(const OptionShape& option) {
    std::string entry = "[" + zshEscaped(option.summary) + "]";
    if (option.value != OptionValue::None) {
        entry += ":";
        entry += option.valueName;
        entry += option.value == OptionValue::Device ? ":_vantrelctl_device"
                 : option.value == OptionValue::File ? std::string(":_files")
                                                     : ":(" + valueWords(option.value) + ")";
    }
    if (option.shortName.empty()) {
        const std::string_view equals = option.value == OptionValue::None ? "" : "=";
        // "*": offered again after its first use, as it may be given again.
        const std::string_view again = isRepeatable(option) ? "*" : "";
        return singleQuoted(std::string(again) + std::string(option.name) + std::string(equals) +
                            entry);
    }
    std::string names(option.shortName);
    names += " ";
    names += option.name;
    std::string braces = "{";
    braces += option.shortName;
    braces += ",";
    braces += option.name;
    braces += "}";
    return singleQuoted("(" + names + ")") + braces + singleQuoted(entry);
}

/// What _arguments completes a command's operands with.
std::string zshOperandSpec(const CommandShape& command) {
    if (command.operands + command.optionalOperands == 0) {
        return {};
    }
    switch (command.operandKind) {
    case OperandKind::NameGroups:
        return " '1:list:(" + nameGroupWords() + ")'";
    case OperandKind::Commands:
        return " '1:command:(" + operandWords(OperandKind::Commands) + ")'";
    case OperandKind::Files:
        break;
    }
    return " '*:file:_files'";
}

/// Each command's own options and operands, once the command is known.
std::string zshOperandCompletion() {
    std::string script = "    case $state in\n"
                         "    command) _describe command commands ;;\n"
                         "    operand)\n"
                         "        curcontext=${curcontext%:*:*}:vantrelctl-$words[1]:\n"
                         "        case $words[1] in\n";
    for (const CommandShape& command : commandTable()) {
        script += "        " + std::string(command.name) + ") _arguments -s";
        for (const OptionShape& option : optionTable()) {
            if (optionAppliesTo(option, command)) {
                script += " " + zshOptionEntry(option);
            }
        }
        script += zshOperandSpec(command) + " ;;\n";
    }
    return script + "        esac ;;\n"
                    "    esac\n";
}

/// Offers the device prefixes, the attached devices behind "usb:" and the
/// files behind "emulated:".
std::string fishDeviceChoices() {
    const std::string prefix(EmulatedPrefix);
    std::string choices = "(string replace -r '^' " + prefix;
    choices += " -- (__fish_complete_path (string replace -r '^" + prefix;
    choices += "' '' -- (commandline -ct))))";
    choices += " (vantrelctl devices 2>/dev/null | string match -r '^[0-9]+' | string replace -r "
               "'^' " +
               std::string(UsbPrefix) + ")";
    return singleQuoted(devicePrefixes() + " " + choices);
}

/// The condition under which fish offers the option: before any command
/// when it may come first, and after each command that takes it.
std::string fishCondition(const OptionShape& option) {
    std::string taking;
    for (const CommandShape& command : commandTable()) {
        if (optionAppliesTo(option, command)) {
            appendWord(taking, command.name);
        }
    }
    std::string seen = "__fish_seen_subcommand_from " + taking;
    if (!isGlobalOption(option)) {
        return seen;
    }
    return "not __fish_seen_subcommand_from " + commandNames() + "; or " + seen;
}

std::string fishOptionLine(const OptionShape& option) {
    std::string line = "complete -c vantrelctl -n " + singleQuoted(fishCondition(option));
    if (!option.shortName.empty()) {
        line += " -s ";
        line += option.shortName.substr(1);
    }
    line += " -l ";
    line += option.name.substr(2);
    if (option.value == OptionValue::File) {
        line += " -r -F";
    } else if (option.value == OptionValue::Device) {
        line += " -x -a " + fishDeviceChoices();
    } else if (const std::string words = valueWords(option.value); !words.empty()) {
        line += " -x -a " + singleQuoted(words);
    } else if (option.value == OptionValue::Number) {
        line += " -x";
    }
    line += " -d " + singleQuoted(oneLine(option.summary)) + "\n";
    return line;
}

} // namespace

std::string bashCompletion() {
    return Generated + bashDeviceNumbers() + "_vantrelctl() {\n" + bashValueCompletion() +
           bashCommandSearch() + bashOptionCompletion() + bashOperandCompletion() +
           "}\n"
           "complete -F _vantrelctl vantrelctl\n";
}

std::string zshCompletion() {
    std::string script = "#compdef vantrelctl\n" + Generated +
                         "_vantrelctl_device() {\n"
                         "    if compset -P " +
                         singleQuoted(EmulatedPrefix) +
                         "; then\n"
                         "        _files\n"
                         "    elif compset -P " +
                         singleQuoted(UsbPrefix) +
                         "; then\n"
                         "        local -a numbers\n"
                         "        numbers=(${(f)\"$(vantrelctl devices 2>/dev/null | "
                         "awk '$1 ~ /^[0-9]+$/ { print $1 }')\"})\n"
                         "        compadd -a numbers\n"
                         "    else\n"
                         "        compadd -S '' -- " +
                         devicePrefixes() +
                         "\n"
                         "    fi\n"
                         "}\n"
                         "_vantrelctl() {\n"
                         "    local -a commands\n"
                         "    commands=(\n";
    for (const CommandShape& command : commandTable()) {
        script += "        " +
                  singleQuoted(std::string(command.name) + ":" + oneLine(command.summary)) + "\n";
    }
    script += "    )\n"
              "    local curcontext=$curcontext state line\n"
              "    _arguments -C -s \\\n";
    for (const OptionShape& option : optionTable()) {
        if (isGlobalOption(option)) {
            script += "        " + zshOptionEntry(option) + " \\\n";
        }
    }
    script += "        '1:command:->command' \\\n"
              "        '*::operand:->operand'\n" +
              zshOperandCompletion() +
              "}\n"
              "_vantrelctl \"$@\"\n";
    return script;
}

std::string fishCompletion() {
    std::string script = Generated + "complete -c vantrelctl -f\n";
    const std::string commands = commandNames();
    for (const CommandShape& command : commandTable()) {
        script += "complete -c vantrelctl -n " +
                  singleQuoted("not __fish_seen_subcommand_from " + commands) + " -a " +
                  std::string(command.name) + " -d " + singleQuoted(oneLine(command.summary)) +
                  "\n";
    }
    script += "complete -c vantrelctl -n " +
              singleQuoted("__fish_seen_subcommand_from " + commandsTaking(OperandKind::Files)) +
              " -F\n";
    for (const OperandKind kind : {OperandKind::NameGroups, OperandKind::Commands}) {
        const std::string taking = commandsTaking(kind);
        if (!taking.empty()) {
            script += "complete -c vantrelctl -n " +
                      singleQuoted("__fish_seen_subcommand_from " + taking) + " -a " +
                      singleQuoted(operandWords(kind)) + "\n";
        }
    }
    for (const OptionShape& option : optionTable()) {
        script += fishOptionLine(option);
    }
    return script;
}

} // namespace vantrel::cli
