#include "layouts/FrontEndLayout.h"

#include "formats/JsonImport.h"
#include "formats/JsonText.h"
#include "layouts/LayoutDocument.h"
#include "model/ConfigurationFindings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

// The front ends' files in this folder are written from RetroArch's sample
// retroarch.cfg and MAME's documentation, with the odd cases a real file has.
namespace vantrel {
namespace {

FrontEndLayoutRead readTestFile(FrontEnd frontEnd, const std::string& name,
                                int players = MaximumPlayers) {
    return readFrontEndLayout(frontEnd, std::filesystem::path(VANTREL_FRONT_END_FILES) / name,
                              players);
}

using NoteRow = std::tuple<NoteKind, std::string, int, std::string>; // kind, bind, line, taken

std::vector<NoteRow> noteRows(const FrontEndLayout& layout) {
    std::vector<NoteRow> rows;
    for (const LayoutNote& note : layout.notes) {
        rows.emplace_back(note.kind, note.bind, note.line, note.taken);
    }
    return rows;
}

struct FileCase {
    FrontEnd frontEnd;
    std::string file;
    std::size_t controls;
    std::vector<NoteRow> notes;
};

const std::vector<FileCase>& fileCases() {
    static const std::vector<FileCase> cases = {
        {FrontEnd::RetroArch,
         "retroarch.cfg",
         32,
         {{NoteKind::NoKeyOnEncoder, "input_player1_l_x_plus", 15, ""},
          {NoteKind::UnknownKey, "input_player1_turbo", 16, ""},
          {NoteKind::NotAControl, "input_player5_a", 29, ""},
          {NoteKind::NotAControl, "input_shader_next", 35, ""},
          {NoteKind::IncludeNotRead, "", 36, ""},
          {NoteKind::GivenAgain, "input_player1_b", 37, ""}}},
        {FrontEnd::Mame, "default.cfg", 65, {{NoteKind::NotAKey, "P1_BUTTON1", 7, "KEYCODE_A"}}},
        {FrontEnd::Mame,
         "panel.cfg",
         63,
         {{NoteKind::NotAKey, "P1_BUTTON1", 11, "KEYCODE_LCONTROL"},
          {NoteKind::NotAKey, "P1_BUTTON2", 14, ""},
          {NoteKind::NoKeyOnEncoder, "P1_BUTTON3", 16, "KEYCODE_SPACE"},
          {NoteKind::NotAKey, "P1_BUTTON10", 30, ""},
          {NoteKind::UnknownKey, "P1_BUTTON11", 33, ""},
          {NoteKind::NotAControl, "P1_PADDLE increment", 39, ""},
          {NoteKind::NotAControl, "P1_PADDLE decrement", 40, ""},
          {NoteKind::GivenAgain, "P1_BUTTON12", 46, ""},
          {NoteKind::OneSystemOnly, "P1_BUTTON1", 53, ""}}},
    };
    return cases;
}

// What the tool writes must read back as the same cabinet, with nothing
// check calls a mistake: shared keys of a front end's defaults are notes.
TEST(FrontEndFiles, GiveLayoutsThatReadBackWithoutAMistakeAndNoteWhatTheyLeaveOut) {
    for (const FileCase& test : fileCases()) {
        const FrontEndLayoutRead reading = readTestFile(test.frontEnd, test.file);
        ASSERT_TRUE(reading.ok()) << test.file << ": " << reading.detail();
        const FrontEndLayout& layout = reading.value();
        EXPECT_EQ(layout.controls.size(), test.controls) << test.file;
        EXPECT_EQ(noteRows(layout), test.notes) << test.file;
        const ImportedConfiguration imported =
            importConfiguration(jsonText(layoutDocument(layout), 2));
        const LayoutConfiguration made = layoutConfiguration(layout);
        EXPECT_EQ(imported.config.InputMacros, made.config.InputMacros) << test.file;
        EXPECT_EQ(imported.labels.inputs, made.labels.inputs) << test.file;
        for (const Finding& finding : configurationFindings(imported.config)) {
            EXPECT_TRUE(isNote(finding.kind)) << test.file << ": " << describeFinding(finding);
        }
    }
}

TEST(FrontEndFiles, NumberControlsPlayerByPlayerAndNameKeysAsTheFileDoes) {
    const std::vector<std::tuple<FrontEnd, std::string, std::size_t, std::string>> inputs = {
        {FrontEnd::RetroArch, "retroarch.cfg", 1,
         R"({"input":1,"label":"P1 Up","single":{"type":"key","code":"up","modifiers":[],"keyRepeat":true}})"},
        // RetroArch's "num5" is the digit; "del" is read as Delete only with a warning.
        {FrontEnd::RetroArch, "retroarch.cfg", 10,
         R"({"input":10,"label":"P1 R2","single":{"type":"key","code":"Delete","modifiers":[],"keyRepeat":true}})"},
        {FrontEnd::RetroArch, "retroarch.cfg", 12,
         R"({"input":12,"label":"P1 Select","single":{"type":"key","code":"5 %","modifiers":[],"keyRepeat":true}})"},
        {FrontEnd::RetroArch, "retroarch.cfg", 13,
         R"({"input":13,"label":"P2 Up","single":{"type":"key","code":"r","modifiers":[],"keyRepeat":true}})"},
        // Hotkeys are taken while the hotkey key is held.
        {FrontEnd::RetroArch, "retroarch.cfg", 32,
         R"({"input":32,"label":"Rewind","single":{"type":"key","code":"r","modifiers":["ctrl"],"keyRepeat":true}})"},
        {FrontEnd::Mame, "default.cfg", 5,
         R"({"input":5,"label":"P1 Button 1","single":{"type":"key","code":"KEYCODE_A","modifiers":[],"keyRepeat":true}})"},
        // Of "KEYCODE_TAB OR KEYCODE_1 KEYCODE_5" the first alternative.
        {FrontEnd::Mame, "default.cfg", 58,
         R"({"input":58,"label":"Menu","single":{"type":"key","code":"KEYCODE_TAB","modifiers":[],"keyRepeat":true}})"},
        {FrontEnd::Mame, "default.cfg", 62,
         R"({"input":62,"label":"Save State","single":{"type":"key","code":"KEYCODE_F7","modifiers":["shift"],"keyRepeat":true}})"},
        {FrontEnd::Mame, "panel.cfg", 11,
         R"({"input":11,"label":"P1 Button 8","macro":{"activation":[{"action":"press","type":"key","code":"KEYCODE_RCONTROL"},{"action":"press","type":"key","code":"KEYCODE_V"}],"deactivation":[{"action":"release","type":"key","code":"KEYCODE_V"},{"action":"release","type":"key","code":"KEYCODE_RCONTROL"}]}})"},
        // A remapped key of the front end's default (KEYCODE_5 becomes KEYCODE_Y).
        {FrontEnd::Mame, "panel.cfg", 18,
         R"({"input":18,"label":"P1 Coin","single":{"type":"key","code":"KEYCODE_Y","modifiers":[],"keyRepeat":true}})"},
    };
    for (const auto& [frontEnd, file, input, line] : inputs) {
        const JsonObject document = layoutDocument(readTestFile(frontEnd, file).value());
        EXPECT_EQ(jsonLine(document["inputs"][input - 1]), line) << file;
    }
}

TEST(FrontEndFiles, KeepOnlyThePlayersAskedFor) {
    for (const auto& [players, controls] : {std::pair{1, 36U}, {2, 47U}, {4, 65U}}) {
        const FrontEndLayout layout = readTestFile(FrontEnd::Mame, "default.cfg", players).value();
        EXPECT_EQ(layout.controls.size(), controls) << players;
        EXPECT_EQ(layout.controls.at(controls - 9).player, players) << "the last player's coin";
    }
}

TEST(FrontEndFiles, NoteTheControlsNoInputIsLeftFor) {
    std::string text;
    for (int player = 1; player <= MaximumPlayers; ++player) {
        for (const std::string bind :
             {"up",       "down",      "left",     "right",    "a",         "b",        "x",
              "y",        "l",         "r",        "l2",       "r2",        "l3",       "r3",
              "start",    "select",    "turbo",    "l_x_plus", "l_x_minus", "l_y_plus", "l_y_minus",
              "r_x_plus", "r_x_minus", "r_y_plus", "r_y_minus"}) {
            text += "input_player" + std::to_string(player) + "_" + bind + " = \"a\"\n";
        }
    }
    const FrontEndLayout layout =
        frontEndLayoutFromText(FrontEnd::RetroArch, text, MaximumPlayers).value();
    EXPECT_EQ(layout.controls.size(), std::size_t{InputCount});
    EXPECT_EQ(noteRows(layout),
              (std::vector<NoteRow>{{NoteKind::NoInputLeft, "input_toggle_fast_forward", 0, ""},
                                    {NoteKind::NoInputLeft, "input_rewind", 0, ""}}));
}

TEST(FrontEndFiles, AreRefusedWhereTheyAreMalformed) {
    const std::vector<std::tuple<FrontEnd, std::string, LayoutError, int>> cases = {
        {FrontEnd::RetroArch, "# fine\ninput_player1_a \"x\"\n", LayoutError::NotASetting, 2},
        {FrontEnd::RetroArch, "input_player1_a = \"x\n", LayoutError::UnclosedQuote, 1},
        {FrontEnd::Mame, "", LayoutError::XmlEndsEarly, 1},
        {FrontEnd::Mame, "<mameconfig>\n<system name='default'>\n", LayoutError::XmlEndsEarly, 3},
        {FrontEnd::Mame, "<mameconfig>\n</system>", LayoutError::XmlMismatchedEnd, 2},
        {FrontEnd::Mame, "<mameconfig a=\"&bogus;\"/>", LayoutError::XmlUnknownEntity, 1},
        {FrontEnd::Mame, "<!DOCTYPE x [<!ENTITY e 'x'>]><mameconfig/>", LayoutError::XmlUnexpected,
         1},
        {FrontEnd::Mame, "<mameconfig/>\n<mameconfig/>", LayoutError::XmlUnexpected, 2},
        {FrontEnd::Mame, "<mameconfig a=b/>", LayoutError::XmlUnexpected, 1},
        {FrontEnd::Mame,
         "<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>\n<a>",
         LayoutError::XmlTooDeep, 17},
        {FrontEnd::Mame, "<?xml version='1.0'?>\n<config version='10'/>",
         LayoutError::NotMameConfig, 2},
        {FrontEnd::Mame,
         "<mameconfig><system name='default'><input><port type='P1_BUTTON&#x31;'><newseq "
         "type='standard'><![CDATA[KEYCODE_Q]]></newseq></port></input></system></mameconfig>",
         LayoutError::None, 0},
    };
    for (const auto& [frontEnd, text, kind, line] : cases) {
        const FrontEndLayoutRead reading = frontEndLayoutFromText(frontEnd, text, 1);
        EXPECT_EQ(reading.kind(), kind) << text;
        EXPECT_EQ(reading.failure().line, line) << text;
        if (reading.ok()) {
            EXPECT_EQ(reading.value().controls.at(4).keys.front().spelling, "KEYCODE_Q");
        }
    }
}

} // namespace
} // namespace vantrel
