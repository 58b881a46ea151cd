#include "formats/JsonImport.h"

#include "formats/ImportError.h"
#include "formats/JsonDocument.h"
#include "formats/JsonFormat.h"
#include "formats/NameLists.h"
#include "keytext/JoystickCodes.h"
#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"
#include "model/CodeNames.h"
#include "model/ConfigurationFindings.h"
#include "model/DeviceImage.h"
#include "model/EchoedText.h"
#include "userinterface/UserInterface.h"

#include <algorithm>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Json = nlohmann::json;

/// How a value is named in a message: texts and numbers as written (a long
/// text cut), other values by their kind.
std::string describe(const Json& value) {
    if (value.is_object()) {
        return "an object";
    }
    if (value.is_array()) {
        return "a list";
    }
    if (value.is_string()) {
        return "\"" + echoedValue(value.get<std::string>()) + "\"";
    }
    return value.dump();
}

/// `"a", "b" or "c"`
template <typename Texts>
std::string alternatives(const Texts& texts) {
    std::string list;
    const std::size_t count = std::size(texts);
    for (std::size_t i = 0; i < count; ++i) {
        list += i == 0 ? "" : (i + 1 == count ? " or " : ", ");
        list += "\"" + std::string(texts[i]) + "\"";
    }
    return list;
}

/// Words of the format are read without regard to case, as key names are.
bool sameWord(std::string_view a, std::string_view b) {
    return foldedSpelling(a) == foldedSpelling(b);
}

/// The field a person most likely meant: one that holds the other
/// ("input" for "inputs", "repeat" for "keyRepeat") or is spelt within two
/// letters of it.
std::string unknownFieldMessage(std::string_view name,
                                std::initializer_list<std::string_view> allowed) {
    constexpr std::size_t Close = 2;
    const std::string folded = foldedSpelling(name);
    std::string_view best;
    std::size_t bestDistance = Close + 1;
    for (const std::string_view candidate : allowed) {
        const std::string other = foldedSpelling(candidate);
        const bool holds =
            other.find(folded) != std::string::npos || folded.find(other) != std::string::npos;
        const std::size_t distance = holds ? 0 : spellingDistance(folded, other);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best.empty() ? "unknown field"
                        : "unknown field; did you mean \"" + std::string(best) + "\"?";
}

/// What reading a document has found so far: the warnings, and the faults
/// of the parts already read, so that one run names every fault it can.
struct ReadLog {
    std::vector<ImportWarning>& warnings;
    std::vector<ImportFault> faults;
};

/// One value of the document together with its place, so that every fault
/// found in it can say where it is.
class Node {
public:
    Node(const Json& value, std::string place, ReadLog& log)
        : value_(value)
        , place_(std::move(place))
        , log_(log) {}

    [[noreturn]] void fail(const std::string& message) const { throw ImportError(place_, message); }

    /// Notes something the reader accepts but the user should know.
    void warn(const std::string& message) const { log_.warnings.push_back({place_, message}); }

    /// Runs `read`, a part of the document that can be judged on its own;
    /// a fault in it is kept and reading goes on with the next part.
    /// False when it found a fault.
    template <typename Read>
    bool attempt(Read&& read) const {
        try {
            std::forward<Read>(read)();
            return true;
        } catch (const ImportError& error) {
            log_.faults.insert(log_.faults.end(), error.faults().begin(), error.faults().end());
            return false;
        }
    }

    /// The same value, named by `place` in messages.
    [[nodiscard]] Node renamed(std::string place) const { return {value_, std::move(place), log_}; }

    void requireObject() const {
        if (!value_.is_object()) {
            fail("expected an object, found " + describe(value_));
        }
    }

    /// Requires an object that has no field outside `allowed`, and none of
    /// them twice in different letter case.
    void expectObject(std::initializer_list<std::string_view> allowed) const {
        requireObject();
        std::vector<std::string_view> seen;
        for (const auto& item : value_.items()) {
            const std::string& name = item.key();
            const auto* known = std::find_if(allowed.begin(), allowed.end(),
                                             [&](std::string_view a) { return sameWord(a, name); });
            if (known == allowed.end()) {
                // A name of any length may come: it is echoed cut, as a value is.
                throw ImportError(childPlace(echoedValue(name)),
                                  unknownFieldMessage(name, allowed));
            }
            if (std::find(seen.begin(), seen.end(), *known) != seen.end()) {
                child(name).fail("given twice");
            }
            seen.push_back(*known);
        }
    }

    [[nodiscard]] bool has(std::string_view name) const { return fieldName(name).has_value(); }

    [[nodiscard]] std::optional<Node> field(std::string_view name) const {
        if (!has(name)) {
            return std::nullopt;
        }
        return child(name);
    }

    [[nodiscard]] Node required(std::string_view name) const {
        if (!has(name)) {
            throw ImportError(childPlace(name), "missing");
        }
        return child(name);
    }

    [[nodiscard]] std::vector<Node> elements() const {
        if (!value_.is_array()) {
            fail("expected a list, found " + describe(value_));
        }
        std::vector<Node> nodes;
        for (std::size_t i = 0; i < value_.size(); ++i) {
            nodes.emplace_back(value_[i], place_ + "[" + std::to_string(i) + "]", log_);
        }
        return nodes;
    }

    [[nodiscard]] bool boolean() const {
        if (!value_.is_boolean()) {
            fail("expected true or false, found " + describe(value_));
        }
        return value_.get<bool>();
    }

    [[nodiscard]] std::string text() const {
        if (!value_.is_string()) {
            fail("expected a text, found " + describe(value_));
        }
        return value_.get<std::string>();
    }

    [[nodiscard]] bool isInteger() const { return value_.is_number_integer(); }
    [[nodiscard]] const Json& json() const { return value_; }

    /// A whole number from `lowest` to `highest`.
    [[nodiscard]] int integer(int lowest, int highest) const {
        const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
        if (!isInteger()) {
            fail("expected a whole number from " + range + ", found " + describe(value_));
        }
        // A negative number is never unsigned; a large positive one may not fit int64.
        const bool inRange =
            value_.is_number_unsigned()
                ? value_.get<std::uint64_t>() >= static_cast<std::uint64_t>(std::max(lowest, 0)) &&
                      value_.get<std::uint64_t>() <= static_cast<std::uint64_t>(highest)
                : value_.get<std::int64_t>() >= lowest && value_.get<std::int64_t>() <= highest;
        if (!inRange) {
            fail(describe(value_) + " is out of range (" + range + ")");
        }
        return static_cast<int>(value_.get<std::int64_t>());
    }

    /// The index of the entry of `entries` that the value names, without
    /// regard to case.
    template <typename Entries>
    [[nodiscard]] std::size_t choice(const Entries& entries, std::string_view what) const {
        const std::string name = text();
        for (std::size_t i = 0; i < std::size(entries); ++i) {
            if (sameWord(entries[i], name)) {
                return i;
            }
        }
        fail("unknown " + std::string(what) + " " + describe(value_) + " (expected " +
             alternatives(entries) + ")");
    }

    [[nodiscard]] const std::string& place() const { return place_; }

private:
    [[nodiscard]] std::string childPlace(std::string_view name) const {
        return place_.empty() ? std::string(name) : place_ + "." + std::string(name);
    }

    /// The field's name as the document spells it.
    [[nodiscard]] std::optional<std::string> fieldName(std::string_view name) const {
        if (!value_.is_object()) {
            return std::nullopt;
        }
        for (const auto& [written, value] : value_.items()) {
            if (sameWord(written, name)) {
                return written;
            }
        }
        return std::nullopt;
    }

    /// Only for a field that exists.
    [[nodiscard]] Node child(std::string_view name) const {
        const std::string written = fieldName(name).value_or(std::string(name));
        return {value_.at(written), childPlace(name), log_};
    }

    const Json& value_;
    std::string place_;
    ReadLog& log_;
};

constexpr std::size_t DelayAction = 2;
constexpr int HighestCode = 255;

std::string listingHint(CodeKind kind) {
    return "vantrelctl names " + std::string(nameGroupWord(nameGroupOf(kind))) + " lists them all";
}

/// Names what was probably meant, and where every name is listed, so that a
/// document can be put right without guessing.
std::string unknownNameMessage(CodeKind kind, const std::string& name) {
    // No name is nearly as long as what is cut: nothing close to suggest.
    const std::vector<std::string> closest =
        name.size() > EchoedValueLength ? std::vector<std::string>{} : closestCodeNames(kind, name);
    std::string message =
        "unknown " + std::string(kindWord(kind)) + " name \"" + echoedValue(name) + "\"";
    if (closest.empty()) {
        return message + " (" + listingHint(kind) + ")";
    }
    return message + "; did you mean " + alternatives(closest) + "? (" + listingHint(kind) + ")";
}

/// "in RetroArch and SDL"
std::string sourcesText(const std::vector<SpellingSource>& sources) {
    std::vector<std::string> names;
    names.reserve(sources.size());
    for (const SpellingSource source : sources) {
        names.emplace_back(sourceName(source));
    }
    std::string text = "in ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += i == 0 ? "" : (i + 1 == names.size() ? " and " : ", ");
        text += names[i];
    }
    return text;
}

/// Why a name other programs give a key is not taken: it means different
/// keys in different programs, or a key the encoder does not have.
std::optional<std::string> refusedKeyName(const std::string& name) {
    const std::vector<KeyMeaning> meanings = meaningsOf(name);
    if (meanings.size() == 1 && !meanings.front().code) {
        return "\"" + name + "\" has no key on the encoder (" + listingHint(CodeKind::Key) + ")";
    }
    if (meanings.size() < 2) {
        return std::nullopt;
    }
    std::string message = "\"" + name + "\" is ambiguous: it means ";
    for (std::size_t i = 0; i < meanings.size(); ++i) {
        const KeyMeaning& meaning = meanings[i];
        message += i == 0 ? "" : (i + 1 == meanings.size() ? " or " : ", ");
        message += meaning.code ? "\"" + keyName(*meaning.code) + "\"" : "a key the encoder lacks";
        message += " " + sourcesText(meaning.sources);
    }
    return message + "; write the name of the key you mean";
}

/// A name of another type's code: the type is what is wrong, not the name.
std::optional<std::string> otherTypeHint(CodeKind kind, const std::string& name,
                                         bool typeIsChosen) {
    for (const CodeKind other : {CodeKind::Key, CodeKind::Mouse, CodeKind::Joystick}) {
        // "Not Used" is the one key name that is no key.
        const std::optional<std::uint8_t> code = codeNamed(other, name);
        if (other == kind || !code || (other == CodeKind::Key && *code == 0)) {
            continue;
        }
        const std::string what = name + " is a " + std::string(kindWord(other)) + " name";
        if (!typeIsChosen) {
            return what + ": a rotary switch sends keys only";
        }
        return what + R"(: use "type": ")" + std::string(kindWord(other)) + "\"";
    }
    return std::nullopt;
}

/// What a person who wrote the bare number `code` may have meant besides
/// the device's code: the key of that digit, or the button counted from 1 as
/// people count them.
std::string otherReadingOf(CodeKind kind, std::uint8_t code) {
    constexpr std::uint8_t HighestDigit = 9;
    const std::string number = std::to_string(code);
    if (kind == CodeKind::Key && code <= HighestDigit) {
        return "for the key " + number + " write \"" + number + "\"";
    }
    // Buttons are the mouse's codes and the joystick's below its hats.
    const bool countsButtons = kind == CodeKind::Mouse || code <= JoystickButtonCount;
    const auto counted = static_cast<std::uint8_t>(code - 1);
    if (kind != CodeKind::Key && code >= 1 && countsButtons &&
        std::holds_alternative<std::string>(codeText(kind, counted))) {
        const std::string button = code == 1 ? "the first button" : "button " + number;
        return "for " + button + " write \"" + displayName(kind, counted) + "\"";
    }
    return "write \"" + displayName(kind, code) + "\"";
}

/// A code as a name or as the device's raw number for its type. A number is
/// taken only where the code has no name, which is the only place export
/// writes one: anywhere else it may as well mean the key or button the
/// person counted, so both readings are named instead. A number without a
/// name is taken, as the device takes it, with a warning: the windows show
/// it as "Not Used".
std::uint8_t readCode(const Node& node, CodeKind kind, bool typeIsChosen = true) {
    if (node.isInteger()) {
        const auto code = static_cast<std::uint8_t>(node.integer(0, HighestCode));
        if (std::holds_alternative<std::string>(codeText(kind, code))) {
            node.fail(std::to_string(code) + " is the device's code of \"" +
                      displayName(kind, code) + "\"; " + otherReadingOf(kind, code));
        }
        node.warn(std::to_string(code) + " is a " + std::string(kindWord(kind)) +
                  " code without a name: the main window shows it as \"" + displayName(kind, code) +
                  "\"");
        return code;
    }
    const std::string name = node.text();
    if (const std::optional<std::uint8_t> code = codeNamed(kind, name)) {
        if (const auto twin = kind == CodeKind::Key ? twinOf(name) : std::nullopt) {
            node.warn("\"" + name + "\" is read as \"" + keyName(twin->meant) +
                      "\"; if you meant \"" + keyName(twin->other) + "\", write \"" +
                      keyName(twin->other) + "\"");
        }
        return *code;
    }
    if (const auto hint = otherTypeHint(kind, name, typeIsChosen)) {
        node.fail(*hint);
    }
    if (kind == CodeKind::Key) {
        if (const auto refusal = refusedKeyName(name)) {
            node.fail(*refusal);
        }
    }
    node.fail(unknownNameMessage(kind, name));
}

std::uint8_t readModifiers(const Node& list) {
    std::uint8_t bits = 0;
    std::array<std::string_view, ModifierWords.size()> words{};
    std::transform(ModifierWords.begin(), ModifierWords.end(), words.begin(),
                   [](const ModifierWord& modifier) { return modifier.word; });
    for (const Node& element : list.elements()) {
        const std::uint8_t bit = ModifierWords.at(element.choice(words, "modifier")).bit;
        if ((bits & bit) != 0) {
            element.fail("given twice");
        }
        bits |= bit;
    }
    return bits;
}

/// Modifier bits of a key with optional "modifiers" and "keyRepeat".
std::uint8_t readKeyOperator(const Node& object) {
    std::uint8_t keyOperator = 0;
    if (const auto modifiers = object.field("modifiers")) {
        keyOperator = readModifiers(*modifiers);
    }
    if (const auto repeat = object.field("keyRepeat"); repeat && repeat->boolean()) {
        keyOperator |= OperatorKeyRepeat;
    }
    return keyOperator;
}

InputMacro readSingle(const Node& single) {
    single.expectObject({"type", "code", "modifiers", "keyRepeat"});
    const auto keyType =
        static_cast<std::uint8_t>(single.required("type").choice(KindWords, "type"));
    const CodeKind kind = codeKindOf(keyType);
    const std::uint8_t code = readCode(single.required("code"), kind);
    if (kind != CodeKind::Key) {
        for (const std::string_view keyOnly : {"modifiers", "keyRepeat"}) {
            if (const auto extra = single.field(keyOnly)) {
                extra->fail("only a key has this, not a " + std::string(kindWord(kind)) +
                            " action");
            }
        }
    }
    const std::uint8_t keyOperator = readKeyOperator(single);
    if (kind == CodeKind::Key && code == 0 && keyOperator != 0) {
        single.required("code").fail("\"Not Used\" cannot have modifiers or Key Repeat");
    }
    InputMacro macro;
    encodeSingleKey(keyType, code, keyOperator, macro);
    return macro;
}

MacroStep readDelayStep(const Node& step) {
    step.expectObject({"action", "ms", "released"});
    const Node ms = step.required("ms");
    const int value = ms.integer(MinimumDelayMs, MaximumDelayMs);
    if (value % DelayStepMs != 0) {
        ms.fail(std::to_string(value) + " is not a multiple of " + std::to_string(DelayStepMs));
    }
    const auto released = step.field("released");
    return {KeyTypeDelay, delayByte(value), !(released && released->boolean())};
}

MacroStep readStep(const Node& step) {
    step.expectObject({"action", "type", "code", "ms", "released"});
    const std::size_t action = step.required("action").choice(ActionWords, "action");
    if (action == DelayAction) {
        return readDelayStep(step);
    }
    step.expectObject({"action", "type", "code"});
    const auto keyType = static_cast<std::uint8_t>(step.required("type").choice(KindWords, "type"));
    const Node codeNode = step.required("code");
    const std::uint8_t code = readCode(codeNode, codeKindOf(keyType));
    if (keyType == KeyTypeKeyboard && code == 0) {
        codeNode.fail("a key step needs a key: \"Not Used\" would end the sequence here");
    }
    return {keyType, code, action == 0};
}

void readSequence(const Node& list, int sequence, InputMacro& macro) {
    const std::vector<Node> steps = list.elements();
    if (steps.size() > static_cast<std::size_t>(StepsPerSequence)) {
        list.fail(std::to_string(steps.size()) + " steps, more than the " +
                  std::to_string(StepsPerSequence) + " a sequence holds");
    }
    for (std::size_t n = 0; n < steps.size(); ++n) {
        steps[n].attempt([&] { macro.step(static_cast<int>(n), sequence) = readStep(steps[n]); });
    }
}

InputMacro readMacro(const Node& object) {
    object.attempt([&] { object.expectObject({"activation", "deactivation", "repeat"}); });
    InputMacro macro;
    if (const auto activation = object.field("activation")) {
        activation->attempt([&] { readSequence(*activation, Activation, macro); });
    }
    if (const auto deactivation = object.field("deactivation")) {
        deactivation->attempt([&] { readSequence(*deactivation, Deactivation, macro); });
    }
    if (const auto repeat = object.field("repeat")) {
        macro.RepeatDelay =
            static_cast<std::uint8_t>(repeat->choice(RepeatDelayEntries, "repeat setting") + 1);
        if (macro.step(0, Activation).isEmpty()) {
            repeat->fail("a macro without activation steps cannot repeat");
        }
    }
    return macro;
}

/// Reads a list of numbered entries ("input": 1..108, "switch": 1..2), each
/// by `read` with its 0-based index right after its number, so that faults
/// are found in the list's order; a number given twice is refused.
template <typename Read>
void readNumberedEntries(const Node& list, std::string_view key, int count, const Read& read) {
    std::map<int, std::string> seen;
    for (const Node& entry : list.elements()) {
        int index = 0;
        const bool numbered = entry.attempt([&] {
            entry.requireObject();
            const Node number = entry.required(key);
            index = number.integer(1, count) - 1;
            if (const auto earlier = seen.find(index); earlier != seen.end()) {
                number.fail(std::string(key) + " " + std::to_string(index + 1) +
                            " is given twice (first at " + earlier->second + ")");
            }
            seen.emplace(index, entry.place());
        });
        if (numbered) {
            // "inputs[4] (input 5)": the list's order need not be the inputs'.
            read(index, entry.renamed(entry.place() + " (" + std::string(key) + " " +
                                      std::to_string(index + 1) + ")"));
        }
    }
}

/// The code points of UTF-8 text the parser has already checked.
std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

/// A label is shown on one line wherever it appears, in a terminal and on
/// the printed card, so nothing in it may break the line or move the text.
std::string readLabel(const Node& label) {
    std::string text = label.text();
    const std::vector<char32_t> points = codePoints(text);
    if (std::any_of(points.begin(), points.end(), movesOrReorders)) {
        label.fail("a label cannot hold line breaks, control characters or text direction "
                   "controls");
    }
    return text;
}

void readInputs(const Node& list, Configuration& config, ConfigurationLabels& labels) {
    readNumberedEntries(list, "input", InputCount, [&](int index, const Node& entry) {
        entry.attempt([&] { entry.expectObject({"input", "label", "single", "macro"}); });
        if (const auto label = entry.field("label")) {
            label->attempt(
                [&] { labels.inputs.at(static_cast<std::size_t>(index)) = readLabel(*label); });
        }
        entry.attempt([&] {
            if (entry.has("single") && entry.has("macro")) {
                entry.fail(R"(give either "single" or "macro", not both)");
            }
            if (const auto single = entry.field("single")) {
                config.input(index) = readSingle(*single);
            } else if (const auto macro = entry.field("macro")) {
                config.input(index) = readMacro(*macro);
            }
        });
    });
}

RotaryKey readRotaryKey(const Node& object) {
    object.expectObject({"code", "modifiers", "keyRepeat"});
    return {readCode(object.required("code"), CodeKind::Key, false), readKeyOperator(object)};
}

/// One entry of "rotarySwitches", each field judged on its own.
void readRotarySwitch(const Node& entry, int j, Configuration& config, DeviceSettings& settings,
                      ConfigurationLabels& labels) {
    entry.attempt([&] {
        entry.expectObject({"switch", "label", "counterclockwise", "clockwise", "maximumRate",
                            "divisor", "bufferOverflow"});
    });
    const auto read = [&entry](std::string_view name, const auto& readField) {
        if (const auto field = entry.field(name)) {
            field->attempt([&] { readField(*field); });
        }
    };
    read("label", [&](const Node& label) {
        labels.rotarySwitches.at(static_cast<std::size_t>(j)) = readLabel(label);
    });
    read("counterclockwise",
         [&](const Node& key) { config.rotaryKey(rotaryKeyIndex(j, false)) = readRotaryKey(key); });
    read("clockwise",
         [&](const Node& key) { config.rotaryKey(rotaryKeyIndex(j, true)) = readRotaryKey(key); });
    RotarySwitchSettings& lists = settings.Rotary.at(static_cast<std::size_t>(j));
    read("maximumRate", [&](const Node& rate) {
        lists.MaximumRate = static_cast<std::uint8_t>(rate.choice(MaximumRateEntries, "rate"));
    });
    read("divisor", [&](const Node& divisor) {
        lists.Divisor = static_cast<std::uint8_t>(divisor.choice(DivisorEntries, "divisor"));
    });
    read("bufferOverflow", [&](const Node& overflow) {
        lists.BufferOverflow = static_cast<std::uint8_t>(
            overflow.choice(BufferOverflowEntries, "buffer overflow setting"));
    });
}

void readRotarySwitches(const Node& list, Configuration& config, DeviceSettings& settings,
                        ConfigurationLabels& labels) {
    readNumberedEntries(list, "switch", RotarySwitchCount, [&](int j, const Node& entry) {
        readRotarySwitch(entry, j, config, settings, labels);
    });
}

/// Numbered controls of one kind ("inputs": [12, 29]) as sources.
void readShareSources(const Node& list, ActionSource::Kind kind, int count,
                      std::vector<ActionSource>& sources) {
    for (const Node& element : list.elements()) {
        const ActionSource source{kind, element.integer(1, count) - 1};
        if (std::find(sources.begin(), sources.end(), source) != sources.end()) {
            element.fail("given twice");
        }
        sources.push_back(source);
    }
}

/// {"finding": "same-first-press", "inputs": [12, 29], "rotaryKeys": [1]}
void readIntendedShare(const Node& entry, ConfigurationLabels& labels) {
    constexpr std::array<FindingKind, 2> Notes = {FindingKind::SameAction,
                                                  FindingKind::SameFirstPress};
    const std::array<std::string_view, 2> words = {findingWord(Notes[0]), findingWord(Notes[1])};
    entry.expectObject({"finding", "inputs", "rotaryKeys"});
    IntendedShare share;
    share.kind = Notes.at(entry.required("finding").choice(words, "finding"));
    if (const auto inputs = entry.field("inputs")) {
        readShareSources(*inputs, ActionSource::Kind::Input, InputCount, share.sources);
    }
    if (const auto keys = entry.field("rotaryKeys")) {
        readShareSources(*keys, ActionSource::Kind::RotaryKey, RotaryKeyCount, share.sources);
    }
    if (share.sources.size() < 2) {
        entry.fail("a share needs two controls or more");
    }
    std::sort(share.sources.begin(), share.sources.end());
    if (std::find(labels.intended.begin(), labels.intended.end(), share) != labels.intended.end()) {
        entry.fail("given twice");
    }
    labels.intended.push_back(std::move(share));
}

void readIntended(const Node& list, ConfigurationLabels& labels) {
    for (const Node& entry : list.elements()) {
        entry.attempt([&] { readIntendedShare(entry, labels); });
    }
}

/// An intended share that check does not find is most likely a typo in its
/// numbers, or a share the layout no longer has.
void warnAboutUnmatchedShares(const Node& list, const ImportedConfiguration& imported) {
    const std::vector<Finding> findings = configurationFindings(imported.config);
    const std::vector<Node> entries = list.elements();
    for (std::size_t n = 0; n < entries.size(); ++n) {
        const IntendedShare& share = imported.labels.intended.at(n);
        if (std::none_of(findings.begin(), findings.end(), [&](const Finding& finding) {
                return finding.kind == share.kind && finding.sources == share.sources;
            })) {
            entries[n].warn("check finds no such share");
        }
    }
}

void readFlag(const Node& object, std::string_view name, bool& flag) {
    if (const auto value = object.field(name)) {
        flag = value->boolean();
    }
}

void readTrackball(const Node& object, DeviceSettings& settings) {
    object.expectObject({"reverseX", "reverseY"});
    readFlag(object, "reverseX", settings.ReverseX);
    readFlag(object, "reverseY", settings.ReverseY);
}

void readSpinner(const Node& object, DeviceSettings& settings) {
    object.expectObject({"mode", "reverse"});
    if (const auto mode = object.field("mode")) {
        settings.Spinner =
            static_cast<std::uint8_t>(mode->choice(SpinnerOptionCaptions, "spinner mode"));
    }
    readFlag(object, "reverse", settings.ReverseSpinner);
}

void readJoystickAxes(const Node& object, DeviceSettings& settings) {
    constexpr std::array<std::string_view, JoystickAxisCount> axes = {"x", "y", "z", "rx"};
    object.expectObject({axes[0], axes[1], axes[2], axes[3]});
    for (std::size_t k = 0; k < axes.size(); ++k) {
        readFlag(object, axes[k], settings.Joystick[k]);
    }
}

void checkFormat(const Node& root) {
    const Node format = root.required("format");
    if (!format.json().is_string() || !sameWord(format.json().get<std::string>(), FormatName)) {
        format.fail("expected \"" + std::string(FormatName) + "\", found " +
                    describe(format.json()));
    }
    const Node version = root.required("version");
    // Written as the whole number it is: 1.0 is not the same spelling, and a
    // later version may give fractions a meaning.
    if (!version.isInteger() || version.json() != FormatVersion) {
        version.fail("unsupported version " + describe(version.json()) +
                     " (this program reads version " + std::to_string(FormatVersion) + ")");
    }
}

/// Every part of the document after its format and version, each judged on
/// its own so that a fault in one does not hide those of the others.
void readSections(const Node& root, ImportedConfiguration& result) {
    if (const auto inputs = root.field("inputs")) {
        inputs->attempt([&] { readInputs(*inputs, result.config, result.labels); });
    }
    if (const auto switches = root.field("rotarySwitches")) {
        switches->attempt(
            [&] { readRotarySwitches(*switches, result.config, result.settings, result.labels); });
    }
    if (const auto trackball = root.field("trackball")) {
        trackball->attempt([&] { readTrackball(*trackball, result.settings); });
    }
    if (const auto spinner = root.field("spinner")) {
        spinner->attempt([&] { readSpinner(*spinner, result.settings); });
    }
    if (const auto axes = root.field("joystickAxes")) {
        axes->attempt([&] { readJoystickAxes(*axes, result.settings); });
    }
    if (const auto intended = root.field("intended")) {
        intended->attempt([&] { readIntended(*intended, result.labels); });
    }
}

} // namespace

ImportedConfiguration importConfiguration(std::string_view text) {
    const Json document = parseJsonDocument(text);
    ImportedConfiguration result;
    ReadLog log{result.warnings, {}};
    const Node root(document, "", log);
    if (!document.is_object()) {
        root.fail("expected a JSON object");
    }
    // A document of another format or version is not read any further.
    checkFormat(root);
    root.attempt([&] {
        root.expectObject({"format", "version", "inputs", "rotarySwitches", "trackball", "spinner",
                           "joystickAxes", "intended"});
    });
    readSections(root, result);
    if (!log.faults.empty()) {
        throw ImportError(std::move(log.faults));
    }
    if (const auto intended = root.field("intended")) {
        warnAboutUnmatchedShares(*intended, result);
    }

    // What the encoder stores, not the editing commands' cautious count, so
    // that every file the device can hold exports to a text that imports.
    if (encodedTableLength(result.config) > MaxConfigSize) {
        throw ImportError("inputs", std::string(SizeLimitText) + " " + sizeLine(result.config));
    }
    return result;
}

} // namespace vantrel
