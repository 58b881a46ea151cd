#include "layouts/LayoutBuilder.h"

#include "layouts/BindResolution.h"
#include "model/modSettings.h"

#include <algorithm>
#include <set>

namespace vantrel {
namespace {

/// A control the table offers, before the file is looked at.
struct Offered {
    std::string bind;
    std::string label;
    int player = 0;
    std::string_view defaultValue;
};

std::vector<Offered> offeredControls(const FrontEndTable& table, int players) {
    std::vector<Offered> offered;
    for (int player = 1; player <= players; ++player) {
        for (const PlayerRow& row : table.playerRows) {
            offered.push_back({forPlayer(row.bind, player), forPlayer(row.label, player), player,
                               row.defaults.at(static_cast<std::size_t>(player - 1))});
        }
    }
    for (const FunctionRow& row : table.functionRows) {
        offered.push_back({std::string(row.bind), std::string(row.label), 0, row.defaultValue});
    }
    return offered;
}

/// Every bind the table has a control for, whoever many players are kept.
std::set<std::string, std::less<>> controlBinds(const FrontEndTable& table) {
    std::set<std::string, std::less<>> binds;
    for (const Offered& offered : offeredControls(table, MaximumPlayers)) {
        binds.insert(offered.bind);
    }
    return binds;
}

/// The front end's default, with the file's substitutions of keys made.
BindValue defaultValue(const FrontEndTable& table, const Offered& offered, const FileBinds& file) {
    BindValue value = table.valueOf(offered.defaultValue);
    for (BindChord& chord : value.alternatives) {
        for (BindItem& item : chord) {
            const auto remap =
                std::find_if(file.remaps.begin(), file.remaps.end(),
                             [&item](const auto& pair) { return pair.first == item.name; });
            if (remap != file.remaps.end()) {
                item.name = remap->second;
            }
        }
    }
    return value;
}

/// The value as the file writes it, to quote it.
std::string valueText(const BindValue& value) {
    std::string text;
    for (const BindChord& chord : value.alternatives) {
        text += text.empty() ? "" : " OR ";
        for (std::size_t k = 0; k < chord.size(); ++k) {
            text += (k == 0 ? "" : " ") + chord[k].name;
        }
    }
    return text;
}

/// The keys of a function that needs others held with it, those first.
std::vector<LayoutKey> heldWith(const std::vector<LayoutKey>& held, std::vector<LayoutKey> keys) {
    std::vector<LayoutKey> all = held;
    for (LayoutKey& key : keys) {
        if (std::find(all.begin(), all.end(), key) == all.end()) {
            all.push_back(std::move(key));
        }
    }
    return all;
}

/// Notes in the order of the file; those about defaults (line 0) last.
void sortByLine(std::vector<LayoutNote>& notes) {
    std::stable_sort(notes.begin(), notes.end(), [](const LayoutNote& a, const LayoutNote& b) {
        return a.line != 0 && (b.line == 0 || a.line < b.line);
    });
}

} // namespace

std::string forPlayer(std::string_view pattern, int player) {
    std::string text(pattern);
    for (char& c : text) {
        c = c == '#' ? static_cast<char>('0' + player) : c;
    }
    return text;
}

void setBind(FileBinds& file, const std::string& bind, BindValue value) {
    if (file.binds.contains(bind)) {
        file.notes.push_back({NoteKind::GivenAgain, bind, {}, {}, {}, value.line});
    }
    file.binds[bind] = std::move(value);
}

FrontEndLayout buildLayout(const FrontEndTable& table, const FileBinds& file, int players) {
    FrontEndLayout layout;
    layout.notes = file.notes;
    std::vector<LayoutKey> functionsHeldWith;
    for (const Offered& offered : offeredControls(table, std::clamp(players, 1, MaximumPlayers))) {
        const auto set = file.binds.find(offered.bind);
        const BindValue value =
            set != file.binds.end() ? set->second : defaultValue(table, offered, file);
        ResolvedBind resolved = resolveBind(value, table.spellings);
        const auto note = [&](LayoutNote told) {
            told.bind = offered.bind;
            told.label = offered.label;
            told.line = value.line;
            layout.notes.push_back(std::move(told));
        };
        if (resolved.note) {
            note(*resolved.note);
        }
        if (offered.bind == table.functionsHeldWith) {
            functionsHeldWith = resolved.keys;
        } else if (offered.player == 0 && !resolved.keys.empty()) {
            resolved.keys = heldWith(functionsHeldWith, std::move(resolved.keys));
        }
        // A macro presses each key in a step of its own, and releases it in another.
        if (resolved.keys.size() > static_cast<std::size_t>(StepsPerSequence)) {
            note({NoteKind::TooManyKeys, {}, {}, std::to_string(resolved.keys.size()), {}, 0});
        } else if (!resolved.keys.empty() &&
                   layout.controls.size() == static_cast<std::size_t>(InputCount)) {
            note({NoteKind::NoInputLeft, {}, {}, {}, {}, 0});
        } else if (!resolved.keys.empty()) {
            layout.controls.push_back(
                {offered.label, offered.bind, offered.player, std::move(resolved.keys)});
        }
    }
    const auto known = controlBinds(table);
    for (const auto& [bind, value] : file.binds) {
        if (!known.contains(bind) && namesAKey(value, table.spellings)) {
            layout.notes.push_back(
                {NoteKind::NotAControl, bind, {}, valueText(value), {}, value.line});
        }
    }
    sortByLine(layout.notes);
    return layout;
}

} // namespace vantrel
