#include "cli/FormatHelp.h"

#include "cli/CommandHelp.h"
#include "formats/JsonFormat.h"
#include "model/CodeNames.h"
#include "model/ConfigurationFindings.h"
#include "model/DeviceSettings.h"
#include "model/MacroDelay.h"

#include <algorithm>
#include <array>

namespace vantrel::cli {
namespace {

/// "a", "b" or "c", each quoted as the document writes it.
template <typename Words>
std::string quotedChoices(const Words& words) {
    std::string text;
    const std::size_t count = std::size(words);
    for (std::size_t i = 0; i < count; ++i) {
        text += i == 0 ? "" : (i + 1 == count ? " or " : ", ");
        text += "\"" + std::string(words[i]) + "\"";
    }
    return text;
}

std::string modifierChoices() {
    std::array<std::string_view, ModifierWords.size()> words{};
    std::transform(ModifierWords.begin(), ModifierWords.end(), words.begin(),
                   [](const ModifierWord& modifier) { return modifier.word; });
    return quotedChoices(words);
}

std::string findingChoices() {
    const std::array<std::string_view, 2> words = {findingWord(FindingKind::SameAction),
                                                   findingWord(FindingKind::SameFirstPress)};
    return quotedChoices(words);
}

constexpr std::string_view Example = R"({
  "format": "vantrel-configuration",
  "version": 1,
  "inputs": [
    {"input": 1, "label": "P1 Fire", "single": {"type": "key", "code": "Left Ctrl"}},
    {"input": 2, "label": "Coin & Start", "macro": {
      "activation": [
        {"action": "press", "type": "key", "code": "5 %"},
        {"action": "delay", "ms": 100},
        {"action": "release", "type": "key", "code": "5 %"},
        {"action": "press", "type": "key", "code": "1 !"},
        {"action": "release", "type": "key", "code": "1 !"}]}}
  ],
  "rotarySwitches": [
    {"switch": 1, "counterclockwise": {"code": "Left Arrow"},
     "clockwise": {"code": "Right Arrow"}, "divisor": "2"}
  ]
}
)";

/// Where the value of a placeholder such as REPEAT starts.
constexpr std::size_t RepeatColumn = 13;

} // namespace

std::string formatHelpText() {
    const std::string delay = std::to_string(MinimumDelayMs) + " to " +
                              std::to_string(MaximumDelayMs) + " in steps of " +
                              std::to_string(DelayStepMs);
    return wrapText("The JSON form of a configuration, version " + std::to_string(FormatVersion) +
                        ". A document is one object; only \"format\" and \"version\" are "
                        "required, and anything left out keeps its start-up value. Field names "
                        "and words are read without regard to case.",
                    0, 0) +
           "\n\n"
           "  \"format\"          \"" +
           std::string(FormatName) +
           "\"\n"
           "  \"version\"         " +
           std::to_string(FormatVersion) +
           "\n"
           "  \"inputs\"          a list of inputs that send something, each:\n"
           "    \"input\"         1 to " +
           std::to_string(InputCount) +
           "\n"
           "    \"label\"         a name of one line for check, card and monitor (optional)\n"
           "    \"single\"        {\"type\": TYPE, \"code\": CODE, \"modifiers\": [MODIFIER...],\n"
           "                    \"keyRepeat\": true or false}, modifiers and Key Repeat\n"
           "                    for keys only; or\n"
           "    \"macro\"         {\"activation\": [STEP...], \"deactivation\": [STEP...],\n"
           "                    \"repeat\": REPEAT}, up to " +
           std::to_string(StepsPerSequence) +
           " steps each\n"
           "  \"rotarySwitches\"  a list, each:\n"
           "    \"switch\"        1 to " +
           std::to_string(RotarySwitchCount) +
           "; \"label\" as for an input\n"
           "    \"counterclockwise\", \"clockwise\"\n"
           "                    {\"code\": KEY, \"modifiers\": [MODIFIER...], \"keyRepeat\": ...}\n"
           "    \"maximumRate\"   " +
           quotedChoices(MaximumRateEntries) +
           "\n"
           "    \"divisor\"       " +
           quotedChoices(DivisorEntries) +
           "\n"
           "    \"bufferOverflow\" " +
           quotedChoices(BufferOverflowEntries) +
           "\n"
           "  \"trackball\"       {\"reverseX\": true or false, \"reverseY\": true or false}\n"
           "  \"spinner\"         {\"mode\": " +
           quotedChoices(SpinnerOptionCaptions) +
           ",\n"
           "                    \"reverse\": true or false}\n"
           "  \"joystickAxes\"    {\"x\", \"y\", \"z\", \"rx\": true or false}\n"
           "  \"intended\"        shares of a press the layout means to have, which check\n"
           "                    counts instead of showing: a list of\n"
           "                    {\"finding\": " +
           findingChoices() +
           ",\n"
           "                    \"inputs\": [1 to " +
           std::to_string(InputCount) + "...], \"rotaryKeys\": [1 to " +
           std::to_string(RotaryKeyCount) +
           "...]}\n"
           "\n"
           "  TYPE       " +
           quotedChoices(KindWords) +
           "\n"
           "  CODE, KEY  a name, as vantrelctl names lists them (\"A\", \"Enter (Num)\",\n"
           "             \"Right Click\", \"Button 3\", \"Hat1 N\"; keys also as Linux, MAME,\n"
           "             X, RetroArch and SDL name them), or the device's raw number where\n"
           "             the code has no name; \"Not Used\" is no key\n"
           "  MODIFIER   " +
           modifierChoices() +
           "\n"
           "  STEP       {\"action\": \"press\" or \"release\", \"type\": TYPE, \"code\": CODE}, "
           "or\n"
           "             {\"action\": \"delay\", \"ms\": " +
           delay +
           "}\n"
           "  REPEAT     " +
           wrapText(quotedChoices(RepeatDelayEntries), RepeatColumn, RepeatColumn) +
           "\n"
           "\n"
           "Example:\n" +
           std::string(Example) + "\n" +
           wrapText("vantrelctl new -o FILE writes a complete start; vantrelctl export writes "
                    "any configuration in this form.",
                    0, 0) +
           "\n";
}

} // namespace vantrel::cli
