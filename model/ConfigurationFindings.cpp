#include "model/ConfigurationFindings.h"

#include "keytext/modKeyText.h"
#include "model/CodeNames.h"
#include "model/DeviceImage.h"
#include "model/DeviceSettings.h"
#include "model/EffectiveMacro.h"
#include "model/MacroRules.h"
#include "model/MacroStart.h"
#include "model/SourceNames.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <variant>

namespace vantrel {
namespace {

using ActionKey = std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>;

ActionKey keyOf(const SingleKey& action) {
    return {action.KeyType, action.KeyValue, action.KeyOperator};
}

/// The single action an input or rotary key sends, if it sends exactly one.
std::optional<SingleKey> singleActionOf(const InputMacro& played) {
    if (isNotUsed(played) || !isSingleKeyAssignment(played)) {
        return std::nullopt;
    }
    SingleKey action = decodeSingleKey(played);
    action.KeyOperator &= ModifierBits;
    return action;
}

void addSameActions(const Configuration& config, std::vector<Finding>& findings) {
    std::map<ActionKey, Finding> byAction;
    std::vector<ActionKey> firstSeen;
    const auto add = [&](const SingleKey& action, ActionSource source) {
        auto [entry, isNew] = byAction.try_emplace(keyOf(action));
        if (isNew) {
            entry->second.kind = FindingKind::SameAction;
            entry->second.action = action;
            firstSeen.push_back(keyOf(action));
        }
        entry->second.sources.push_back(source);
    };
    for (int i = 0; i < InputCount; ++i) {
        if (const auto action = singleActionOf(effectiveMacro(config.input(i)))) {
            add(*action, {ActionSource::Kind::Input, i});
        }
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        const RotaryKey& key = config.rotaryKey(k);
        if (key.KeyValue != 0) {
            add({KeyTypeKeyboard, key.KeyValue,
                 static_cast<std::uint8_t>(key.KeyOperator & ModifierBits)},
                {ActionSource::Kind::RotaryKey, k});
        }
    }
    for (const ActionKey& key : firstSeen) {
        if (byAction.at(key).sources.size() > 1) {
            findings.push_back(byAction.at(key));
        }
    }
}

// Sources grouped by what they press first: a single action by everything
// it presses, a macro by its first press, and also by every single key's
// presses that it begins with.
void addSameFirstPresses(const Configuration& config, std::vector<Finding>& findings) {
    struct Group {
        std::vector<Press> presses;
        SingleKey action;
        std::vector<ActionSource> sources;
        bool hasMacro = false;
    };
    std::vector<Group> groups;
    const auto groupOf = [&groups](const std::vector<Press>& presses,
                                   const SingleKey& action) -> Group& {
        auto found = std::ranges::find(groups, presses, &Group::presses);
        if (found == groups.end()) {
            groups.push_back({presses, action, {}, false});
            found = std::prev(groups.end());
        }
        return *found;
    };
    for (int i = 0; i < InputCount; ++i) {
        if (const auto action = singleActionOf(effectiveMacro(config.input(i)))) {
            groupOf(pressesOf(*action), *action).sources.push_back({ActionSource::Kind::Input, i});
        }
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        const RotaryKey& key = config.rotaryKey(k);
        if (key.KeyValue != 0) {
            const SingleKey action{KeyTypeKeyboard, key.KeyValue,
                                   static_cast<std::uint8_t>(key.KeyOperator & ModifierBits)};
            groupOf(pressesOf(action), action)
                .sources.push_back({ActionSource::Kind::RotaryKey, k});
        }
    }
    const std::size_t singleGroups = groups.size();
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro played = effectiveMacro(config.input(i));
        const MacroStep first = firstPressStep(played);
        if (isNotUsed(played) || isSingleKeyAssignment(played) || first.isEmpty()) {
            continue;
        }
        const ActionSource source{ActionSource::Kind::Input, i};
        for (std::size_t g = 0; g < singleGroups; ++g) {
            if (groups[g].presses.size() > 1 && macroStartsWith(played, groups[g].presses)) {
                groups[g].sources.push_back(source);
                groups[g].hasMacro = true;
            }
        }
        Group& byFirst =
            groupOf({{first.KeyType, first.KeyValue}}, {first.KeyType, first.KeyValue, 0});
        byFirst.sources.push_back(source);
        byFirst.hasMacro = true;
    }
    for (Group& group : groups) {
        if (group.hasMacro && group.sources.size() > 1) {
            std::ranges::stable_sort(group.sources, {}, [](const ActionSource& source) {
                return std::pair(source.kind, source.index);
            });
            findings.push_back({FindingKind::SameFirstPress, group.sources, group.action, {}, 0});
        }
    }
}

/// One finding per action, at the first of the positions that name it.
void addPerAction(FindingKind kind, int input, const InputMacro& macro,
                  const std::vector<int>& positions, std::vector<Finding>& findings) {
    std::vector<ActionKey> named;
    for (const int position : positions) {
        const MacroStep& step = stepAt(macro, position);
        const SingleKey action{step.KeyType, step.KeyValue, 0};
        if (std::find(named.begin(), named.end(), keyOf(action)) != named.end()) {
            continue;
        }
        named.push_back(keyOf(action));
        findings.push_back({kind, {{ActionSource::Kind::Input, input}}, action, {position}, 0});
    }
}

std::vector<int> unreachableSteps(const InputMacro& macro) {
    std::vector<int> positions;
    for (int s = 0; s < SequenceCount; ++s) {
        for (int n = sequenceLength(macro, s) + 1; n < StepsPerSequence; ++n) {
            if (!macro.step(n, s).isEmpty()) {
                positions.push_back(stepPosition(n, s));
            }
        }
    }
    return positions;
}

/// The findings about one input's macro, in the order of FindingKind.
void addMacroFindings(int input, const InputMacro& macro, std::vector<Finding>& findings) {
    const ActionSource source{ActionSource::Kind::Input, input};
    const InputMacro played = effectiveMacro(macro);
    addPerAction(FindingKind::StuckKey, input, played, unmatchedPresses(played), findings);
    if (std::vector<int> steps = unreachableSteps(macro); !steps.empty()) {
        findings.push_back({FindingKind::UnreachableSteps, {source}, {}, std::move(steps), 0});
    }
    if (macro.RepeatDelay != 0 && sequenceLength(macro, Activation) == 0) {
        findings.push_back({FindingKind::RepeatWithoutActivation, {source}, {}, {}, 0});
    }
    addPerAction(FindingKind::ReleaseWithoutPress, input, played, unpressedReleases(played),
                 findings);
}

// Wording ------------------------------------------------------------------

std::string codeWords(CodeKind kind, std::uint8_t code) {
    const CodeText text = codeText(kind, code);
    if (const auto* name = std::get_if<std::string>(&text)) {
        return *name;
    }
    return std::string(kindWord(kind)) + " code " + std::to_string(code);
}

std::string actionWords(const SingleKey& action) {
    const CodeKind kind = codeKindOf(action.KeyType);
    const std::string prefix = kind == CodeKind::Key ? modifierText(action.KeyOperator) : "";
    return prefix + codeWords(kind, action.KeyValue);
}

/// The parts with ", " between them and `last` before the final one.
std::string joined(const std::vector<std::string>& parts, std::string_view last) {
    std::string text;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        text += k == 0 ? "" : (k + 1 == parts.size() ? last : ", ");
        text += parts[k];
    }
    return text;
}

std::string listed(const std::vector<std::string>& parts) {
    return joined(parts, " and ");
}

/// "Inputs 5, 8, 10 and Rotary Switch 2 clockwise" while no input has a
/// label, otherwise every input by its own name.
std::string sourcesWords(const std::vector<ActionSource>& sources,
                         const ConfigurationLabels& labels) {
    std::vector<std::string> numbers;
    std::vector<std::string> names;
    bool labelled = false;
    for (const ActionSource& source : sources) {
        if (source.kind == ActionSource::Kind::Input) {
            numbers.push_back(std::to_string(source.index + 1));
            labelled = labelled || !labels.input(source.index).empty();
        }
        names.push_back(sourceName(source, labels));
    }
    if (labelled || numbers.size() < 2) {
        return listed(names);
    }
    // Inputs come first; what follows them is the rotary directions.
    std::vector<std::string> parts(names.begin() + static_cast<std::ptrdiff_t>(numbers.size()),
                                   names.end());
    parts.insert(parts.begin(), "Inputs " + joined(numbers, parts.empty() ? " and " : ", "));
    return listed(parts);
}

std::string sequenceName(int position) {
    return stepPlace(position).sequence == Activation ? "activation" : "deactivation";
}

std::string unreachableWords(const std::vector<int>& steps) {
    const auto inActivation = std::count_if(steps.begin(), steps.end(), [](int position) {
        return stepPlace(position).sequence == Activation;
    });
    std::vector<std::string> parts;
    const auto count = [](std::ptrdiff_t n, const std::string& sequence) {
        return std::to_string(n) + " " + sequence + (n == 1 ? " step" : " steps");
    };
    if (inActivation > 0) {
        parts.push_back(count(inActivation, "activation"));
    }
    if (const auto rest = static_cast<std::ptrdiff_t>(steps.size()) - inActivation; rest > 0) {
        parts.push_back(count(rest, "deactivation"));
    }
    return listed(parts) + " after an empty step " + (steps.size() == 1 ? "is" : "are") +
           " never sent";
}

/// The word of each kind, in FindingKind order.
constexpr std::array<std::string_view, 8> FindingWords = {"same-action",
                                                          "same-first-press",
                                                          "stuck-key",
                                                          "unreachable-steps",
                                                          "repeat-without-activation",
                                                          "release-without-press",
                                                          "over-size-limit",
                                                          "no-room-to-edit"};

} // namespace

bool isNote(FindingKind kind) {
    return kind == FindingKind::SameAction || kind == FindingKind::SameFirstPress;
}

bool isIntended(const Finding& finding, const ConfigurationLabels& labels) {
    const IntendedShare share{finding.kind, finding.sources};
    return isNote(finding.kind) && std::find(labels.intended.begin(), labels.intended.end(),
                                             share) != labels.intended.end();
}

std::string_view findingWord(FindingKind kind) {
    return FindingWords.at(static_cast<std::size_t>(kind));
}

std::optional<Finding> sizeFinding(const Configuration& config) {
    // Judged by what the encoder stores, as writing and import judge it. A
    // table that fits can still be over the editors' own count, which also
    // counts steps the device never plays: then the windows refuse every new
    // assignment, so the user must learn how much to free.
    if (const std::int32_t size = encodedTableLength(config); size > MaxConfigSize) {
        return Finding{FindingKind::OverSizeLimit, {}, {}, {}, size};
    }
    if (const std::int32_t counted = configurationSize(config); counted > MaxConfigSize) {
        return Finding{FindingKind::NoRoomToEdit, {}, {}, {}, counted};
    }
    return std::nullopt;
}

std::vector<Finding> configurationFindings(const Configuration& config) {
    std::vector<Finding> findings;
    addSameActions(config, findings);
    addSameFirstPresses(config, findings);
    for (int i = 0; i < InputCount; ++i) {
        addMacroFindings(i, config.input(i), findings);
    }
    if (auto size = sizeFinding(config)) {
        findings.push_back(std::move(*size));
    }
    return findings;
}

std::string describeFinding(const Finding& finding, const ConfigurationLabels& labels) {
    const std::string who = finding.sources.empty() ? "" : sourcesWords(finding.sources, labels);
    const std::string action = actionWords(finding.action);
    switch (finding.kind) {
    case FindingKind::SameAction:
        return who + (finding.sources.size() == 2 ? " both send " : " all send ") + action +
               ": a game sees one control, and the monitor names them together";
    case FindingKind::SameFirstPress:
        return who + (finding.sources.size() == 2 ? " both" : " all") + " begin by pressing " +
               action + ": a game sees that press from each, and the monitor names them together";
    case FindingKind::StuckKey:
        return who + ": " + action + " is pressed and never released";
    case FindingKind::UnreachableSteps:
        return who + ": " + unreachableWords(finding.steps);
    case FindingKind::RepeatWithoutActivation:
        return who + ": the macro repeats but has no activation steps to repeat";
    case FindingKind::ReleaseWithoutPress:
        return who + ": the " + sequenceName(finding.steps.front()) + " sequence releases " +
               action + ", which nothing pressed before";
    case FindingKind::OverSizeLimit:
        return "The configuration needs " + std::to_string(finding.size) +
               " bytes, more than the " + std::to_string(MaxConfigSize) + " the device holds";
    case FindingKind::NoRoomToEdit:
        return "The device holds this configuration, but the configuration window counts " +
               std::to_string(finding.size) + " bytes, more than " + std::to_string(MaxConfigSize) +
               ", and accepts no new assignment until " +
               std::to_string(finding.size - MaxConfigSize) + " bytes are freed";
    }
    return {};
}

std::string sizeLine(const Configuration& config) {
    const std::int32_t size = encodedTableLength(config);
    const std::string amount =
        std::to_string(size) + " of " + std::to_string(MaxConfigSize) + " bytes";
    if (size > MaxConfigSize) {
        return amount + " (" + std::to_string(size - MaxConfigSize) + " over)";
    }
    return amount + " (" + std::to_string(std::int64_t{size} * 100 / MaxConfigSize) + " %)";
}

} // namespace vantrel
