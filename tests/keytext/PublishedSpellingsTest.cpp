#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>

// Every spelling of every other program, pinned against the lists those
// programs publish, so that a mistyped name in a list fails here. Each table
// is "name=usage" between bars, "-" for a key the encoder does not have.
namespace vantrel {
namespace {

struct PublishedList {
    SpellingSource source;
    const char* entries;
};

// Linux: include/uapi/linux/input-event-codes.h, each key code read as the
// HID usage the kernel gives it.
// MAME: its key codes as its documentation writes them (KEYCODE_8PAD).
// X: keysymdef.h, the US layout's keys with NumLock off and the keypad's digits.
// RetroArch: the key names the sample retroarch.cfg lists, then the names its
// key map also reads (media keys, characters without a key of their own).
// SDL: the key names of its scancodes (SDL_scancode.h), as SDL_GetKeyName gives them.
const PublishedList Published[] = {
    {SpellingSource::LinuxInput,
     R"(KEY_ESC=41|KEY_1=30|KEY_2=31|KEY_3=32|KEY_4=33|KEY_5=34|KEY_6=35|KEY_7=36|KEY_8=37|)"
     R"(KEY_9=38|KEY_0=39|KEY_MINUS=45|KEY_EQUAL=46|KEY_BACKSPACE=42|KEY_TAB=43|KEY_Q=20|)"
     R"(KEY_W=26|KEY_E=8|KEY_R=21|KEY_T=23|KEY_Y=28|KEY_U=24|KEY_I=12|KEY_O=18|KEY_P=19|)"
     R"(KEY_LEFTBRACE=47|KEY_RIGHTBRACE=48|KEY_ENTER=40|KEY_LEFTCTRL=224|KEY_A=4|KEY_S=22|)"
     R"(KEY_D=7|KEY_F=9|KEY_G=10|KEY_H=11|KEY_J=13|KEY_K=14|KEY_L=15|KEY_SEMICOLON=51|)"
     R"(KEY_APOSTROPHE=52|KEY_GRAVE=53|KEY_LEFTSHIFT=225|KEY_BACKSLASH=49|KEY_Z=29|KEY_X=27|)"
     R"(KEY_C=6|KEY_V=25|KEY_B=5|KEY_N=17|KEY_M=16|KEY_COMMA=54|KEY_DOT=55|KEY_SLASH=56|)"
     R"(KEY_RIGHTSHIFT=229|KEY_KPASTERISK=85|KEY_LEFTALT=226|KEY_SPACE=44|KEY_CAPSLOCK=57|)"
     R"(KEY_F1=58|KEY_F2=59|KEY_F3=60|KEY_F4=61|KEY_F5=62|KEY_F6=63|KEY_F7=64|KEY_F8=65|)"
     R"(KEY_F9=66|KEY_F10=67|KEY_NUMLOCK=83|KEY_SCROLLLOCK=71|KEY_KP7=95|KEY_KP8=96|)"
     R"(KEY_KP9=97|KEY_KPMINUS=86|KEY_KP4=92|KEY_KP5=93|KEY_KP6=94|KEY_KPPLUS=87|KEY_KP1=89|)"
     R"(KEY_KP2=90|KEY_KP3=91|KEY_KP0=98|KEY_KPDOT=99|KEY_ZENKAKUHANKAKU=-|KEY_102ND=-|)"
     R"(KEY_F11=68|KEY_F12=69|KEY_RO=-|KEY_KATAKANA=-|KEY_HIRAGANA=-|KEY_HENKAN=-|)"
     R"(KEY_KATAKANAHIRAGANA=-|KEY_MUHENKAN=-|KEY_KPJPCOMMA=-|KEY_KPENTER=88|)"
     R"(KEY_RIGHTCTRL=228|KEY_KPSLASH=84|KEY_SYSRQ=70|KEY_RIGHTALT=230|KEY_HOME=74|KEY_UP=82|)"
     R"(KEY_PAGEUP=75|KEY_LEFT=80|KEY_RIGHT=79|KEY_END=77|KEY_DOWN=81|KEY_PAGEDOWN=78|)"
     R"(KEY_INSERT=73|KEY_DELETE=76|KEY_MUTE=-|KEY_VOLUMEDOWN=-|KEY_VOLUMEUP=-|KEY_POWER=-|)"
     R"(KEY_KPEQUAL=-|KEY_PAUSE=72|KEY_KPCOMMA=-|KEY_HANGEUL=-|KEY_HANGUEL=-|KEY_HANJA=-|)"
     R"(KEY_YEN=-|KEY_LEFTMETA=227|KEY_RIGHTMETA=231|KEY_COMPOSE=101|KEY_STOP=-|KEY_AGAIN=-|)"
     R"(KEY_PROPS=-|KEY_UNDO=-|KEY_FRONT=-|KEY_COPY=-|KEY_OPEN=-|KEY_PASTE=-|KEY_FIND=-|)"
     R"(KEY_CUT=-|KEY_HELP=-|KEY_CALC=-|KEY_SLEEP=-|KEY_WWW=-|KEY_COFFEE=-|KEY_SCREENLOCK=-|)"
     R"(KEY_BACK=-|KEY_FORWARD=-|KEY_EJECTCD=-|KEY_NEXTSONG=-|KEY_PLAYPAUSE=-|)"
     R"(KEY_PREVIOUSSONG=-|KEY_STOPCD=-|KEY_REFRESH=-|KEY_EDIT=-|KEY_SCROLLUP=-|)"
     R"(KEY_SCROLLDOWN=-|KEY_KPLEFTPAREN=-|KEY_KPRIGHTPAREN=-|KEY_F13=-|KEY_F14=-|KEY_F15=-|)"
     R"(KEY_F16=-|KEY_F17=-|KEY_F18=-|KEY_F19=-|KEY_F20=-|KEY_F21=-|KEY_F22=-|KEY_F23=-|)"
     R"(KEY_F24=-)"},
    {SpellingSource::Mame,
     R"(KEYCODE_A=4|KEYCODE_B=5|KEYCODE_C=6|KEYCODE_D=7|KEYCODE_E=8|KEYCODE_F=9|KEYCODE_G=10|)"
     R"(KEYCODE_H=11|KEYCODE_I=12|KEYCODE_J=13|KEYCODE_K=14|KEYCODE_L=15|KEYCODE_M=16|)"
     R"(KEYCODE_N=17|KEYCODE_O=18|KEYCODE_P=19|KEYCODE_Q=20|KEYCODE_R=21|KEYCODE_S=22|)"
     R"(KEYCODE_T=23|KEYCODE_U=24|KEYCODE_V=25|KEYCODE_W=26|KEYCODE_X=27|KEYCODE_Y=28|)"
     R"(KEYCODE_Z=29|KEYCODE_0=39|KEYCODE_1=30|KEYCODE_2=31|KEYCODE_3=32|KEYCODE_4=33|)"
     R"(KEYCODE_5=34|KEYCODE_6=35|KEYCODE_7=36|KEYCODE_8=37|KEYCODE_9=38|KEYCODE_F1=58|)"
     R"(KEYCODE_F2=59|KEYCODE_F3=60|KEYCODE_F4=61|KEYCODE_F5=62|KEYCODE_F6=63|KEYCODE_F7=64|)"
     R"(KEYCODE_F8=65|KEYCODE_F9=66|KEYCODE_F10=67|KEYCODE_F11=68|KEYCODE_F12=69|)"
     R"(KEYCODE_F13=-|KEYCODE_F14=-|KEYCODE_F15=-|KEYCODE_F16=-|KEYCODE_F17=-|KEYCODE_F18=-|)"
     R"(KEYCODE_F19=-|KEYCODE_F20=-|KEYCODE_ESC=41|KEYCODE_TILDE=53|KEYCODE_MINUS=45|)"
     R"(KEYCODE_EQUALS=46|KEYCODE_BACKSPACE=42|KEYCODE_TAB=43|KEYCODE_OPENBRACE=47|)"
     R"(KEYCODE_CLOSEBRACE=48|KEYCODE_ENTER=40|KEYCODE_COLON=51|KEYCODE_QUOTE=52|)"
     R"(KEYCODE_BACKSLASH=49|KEYCODE_BACKSLASH2=-|KEYCODE_COMMA=54|KEYCODE_STOP=55|)"
     R"(KEYCODE_SLASH=56|KEYCODE_SPACE=44|KEYCODE_INSERT=73|KEYCODE_DEL=76|KEYCODE_HOME=74|)"
     R"(KEYCODE_END=77|KEYCODE_PGUP=75|KEYCODE_PGDN=78|KEYCODE_LEFT=80|KEYCODE_RIGHT=79|)"
     R"(KEYCODE_UP=82|KEYCODE_DOWN=81|KEYCODE_0PAD=98|KEYCODE_1PAD=89|KEYCODE_2PAD=90|)"
     R"(KEYCODE_3PAD=91|KEYCODE_4PAD=92|KEYCODE_5PAD=93|KEYCODE_6PAD=94|KEYCODE_7PAD=95|)"
     R"(KEYCODE_8PAD=96|KEYCODE_9PAD=97|KEYCODE_SLASH_PAD=84|KEYCODE_ASTERISK=85|)"
     R"(KEYCODE_MINUS_PAD=86|KEYCODE_PLUS_PAD=87|KEYCODE_DEL_PAD=99|KEYCODE_ENTER_PAD=88|)"
     R"(KEYCODE_BS_PAD=-|KEYCODE_TAB_PAD=-|KEYCODE_00_PAD=-|KEYCODE_000_PAD=-|)"
     R"(KEYCODE_COMMA_PAD=-|KEYCODE_EQUALS_PAD=-|KEYCODE_PRTSCR=70|KEYCODE_PAUSE=72|)"
     R"(KEYCODE_LSHIFT=225|KEYCODE_RSHIFT=229|KEYCODE_LCONTROL=224|KEYCODE_RCONTROL=228|)"
     R"(KEYCODE_LALT=226|KEYCODE_RALT=230|KEYCODE_SCRLOCK=71|KEYCODE_NUMLOCK=83|)"
     R"(KEYCODE_CAPSLOCK=57|KEYCODE_LWIN=227|KEYCODE_RWIN=231|KEYCODE_MENU=101|)"
     R"(KEYCODE_CANCEL=-)"},
    {SpellingSource::XKeysym,
     R"(a=4|b=5|c=6|d=7|e=8|f=9|g=10|h=11|i=12|j=13|k=14|l=15|m=16|n=17|o=18|p=19|q=20|r=21|)"
     R"(s=22|t=23|u=24|v=25|w=26|x=27|y=28|z=29|1=30|2=31|3=32|4=33|5=34|6=35|7=36|8=37|9=38|)"
     R"(0=39|minus=45|equal=46|bracketleft=47|bracketright=48|backslash=49|semicolon=51|)"
     R"(apostrophe=52|grave=53|comma=54|period=55|slash=56|space=44|Return=40|Escape=41|)"
     R"(BackSpace=42|Tab=43|Caps_Lock=57|F1=58|F2=59|F3=60|F4=61|F5=62|F6=63|F7=64|F8=65|)"
     R"(F9=66|F10=67|F11=68|F12=69|Print=70|Scroll_Lock=71|Pause=72|Insert=73|Home=74|)"
     R"(Prior=75|Page_Up=75|Delete=76|End=77|Next=78|Page_Down=78|Right=79|Left=80|Down=81|)"
     R"(Up=82|Num_Lock=83|KP_Divide=84|KP_Multiply=85|KP_Subtract=86|KP_Add=87|KP_Enter=88|)"
     R"(KP_1=89|KP_2=90|KP_3=91|KP_4=92|KP_5=93|KP_6=94|KP_7=95|KP_8=96|KP_9=97|KP_0=98|)"
     R"(KP_Decimal=99|KP_End=89|KP_Down=90|KP_Next=91|KP_Page_Down=91|KP_Left=92|KP_Begin=93|)"
     R"(KP_Right=94|KP_Home=95|KP_Up=96|KP_Prior=97|KP_Page_Up=97|KP_Insert=98|KP_Delete=99|)"
     R"(less=-|Menu=101|KP_Equal=-|Control_L=224|Shift_L=225|Alt_L=226|Super_L=227|)"
     R"(Control_R=228|Shift_R=229|Alt_R=230|Super_R=231)"},
    {SpellingSource::RetroArch,
     R"(left=80|right=79|up=82|down=81|enter=40|kp_enter=88|tab=43|insert=73|del=76|end=77|)"
     R"(home=74|rshift=229|shift=225|ctrl=224|alt=226|space=44|escape=41|add=87|subtract=86|)"
     R"(kp_plus=87|kp_minus=86|f1=58|f2=59|f3=60|f4=61|f5=62|f6=63|f7=64|f8=65|f9=66|f10=67|)"
     R"(f11=68|f12=69|num0=39|num1=30|num2=31|num3=32|num4=33|num5=34|num6=35|num7=36|)"
     R"(num8=37|num9=38|pageup=75|pagedown=78|keypad0=98|keypad1=89|keypad2=90|keypad3=91|)"
     R"(keypad4=92|keypad5=93|keypad6=94|keypad7=95|keypad8=96|keypad9=97|period=55|)"
     R"(capslock=57|numlock=83|backspace=42|multiply=85|divide=84|print_screen=70|)"
     R"(scroll_lock=71|tilde=53|backquote=53|pause=72|quote=52|comma=54|minus=45|slash=56|)"
     R"(semicolon=51|equals=46|leftbracket=47|backslash=49|rightbracket=48|kp_period=99|)"
     R"(kp_equals=-|rctrl=228|ralt=230|a=4|b=5|c=6|d=7|e=8|f=9|g=10|h=11|i=12|j=13|k=14|l=15|)"
     R"(m=16|n=17|o=18|p=19|q=20|r=21|s=22|t=23|u=24|v=25|w=26|x=27|y=28|z=29)"
     "|"
     R"(caret=-|underscore=-|exclaim=-|quotedbl=-|hash=-|dollar=-|ampersand=-|leftparen=-|)"
     R"(rightparen=-|asterisk=-|plus=-|colon=-|less=-|greater=-|question=-|at=-|f13=-|f14=-|)"
     R"(f15=-|rmeta=231|lmeta=227|lsuper=227|rsuper=231|mode=-|compose=101|help=-|sysreq=-|)"
     R"(break=72|menu=-|power=-|euro=-|undo=-|clear=-|oem102=-|back=-|forward=-|refresh=-|)"
     R"(bstop=-|search=-|favorites=-|homepage=-|mute=-|volumedown=-|volumeup=-|next=-|prev=-|)"
     R"(stop=-|play=-|email=-|media=-|app1=-|app2=-)"},
    {SpellingSource::Sdl,
     R"(A=4|B=5|C=6|D=7|E=8|F=9|G=10|H=11|I=12|J=13|K=14|L=15|M=16|N=17|O=18|P=19|Q=20|R=21|)"
     R"(S=22|T=23|U=24|V=25|W=26|X=27|Y=28|Z=29|1=30|2=31|3=32|4=33|5=34|6=35|7=36|8=37|9=38|)"
     R"(0=39|Return=40|Escape=41|Backspace=42|Tab=43|Space=44|-=45|==46|[=47|]=48|\=49|#=-|)"
     R"(;=51|'=52|`=53|,=54|.=55|/=56|CapsLock=57|F1=58|F2=59|F3=60|F4=61|F5=62|F6=63|F7=64|)"
     R"(F8=65|F9=66|F10=67|F11=68|F12=69|PrintScreen=70|ScrollLock=71|Pause=72|Insert=73|)"
     R"(Home=74|PageUp=75|Delete=76|End=77|PageDown=78|Right=79|Left=80|Down=81|Up=82|)"
     R"(Numlock=83|Keypad /=84|Keypad *=85|Keypad -=86|Keypad +=87|Keypad Enter=88|)"
     R"(Keypad 1=89|Keypad 2=90|Keypad 3=91|Keypad 4=92|Keypad 5=93|Keypad 6=94|Keypad 7=95|)"
     R"(Keypad 8=96|Keypad 9=97|Keypad 0=98|Keypad .=99|Application=101|Power=-|Keypad ==-|)"
     R"(F13=-|F14=-|F15=-|F16=-|F17=-|F18=-|F19=-|F20=-|F21=-|F22=-|F23=-|F24=-|Execute=-|)"
     R"(Help=-|Menu=-|Select=-|Stop=-|Again=-|Undo=-|Cut=-|Copy=-|Paste=-|Find=-|Mute=-|)"
     R"(VolumeUp=-|VolumeDown=-|Keypad ,=-|Left Ctrl=224|Left Shift=225|Left Alt=226|)"
     R"(Left GUI=227|Right Ctrl=228|Right Shift=229|Right Alt=230|Right GUI=231)"},
};

std::string meaningWord(std::uint16_t usage) {
    const bool encoderHasIt =
        usage < NotOnKeyboardPage && keyName(static_cast<std::uint8_t>(usage)) != keyName(0);
    return encoderHasIt ? std::to_string(usage) : "-";
}

std::multiset<std::string> listOf(SpellingSource source) {
    std::multiset<std::string> entries;
    for (const KeySpelling& entry : spellingsOf(source)) {
        entries.insert(std::string(entry.spelling) + "=" + meaningWord(entry.usage));
    }
    return entries;
}

std::multiset<std::string> tableOf(const PublishedList& list) {
    std::multiset<std::string> entries;
    std::istringstream stream(list.entries);
    for (std::string entry; std::getline(stream, entry, '|');) {
        entries.insert(entry);
    }
    return entries;
}

TEST(PublishedSpellings, everyListIsWhatItsProgramPublishes) {
    for (const PublishedList& list : Published) {
        EXPECT_EQ(listOf(list.source), tableOf(list)) << sourceName(list.source);
    }
}

/// Every name `pattern` finds in the header, when it is installed.
std::set<std::string> definedNames(const std::string& path, const std::regex& pattern) {
    std::ifstream file(path);
    std::set<std::string> names;
    for (std::string line; std::getline(file, line);) {
        if (std::smatch match; std::regex_search(line, match, pattern)) {
            names.insert(match[1]);
        }
    }
    return names;
}

TEST(PublishedSpellings, theKernelsAndXsNamesAreInTheirHeaders) {
    const std::vector<std::tuple<SpellingSource, std::string, std::regex>> headers = {
        {SpellingSource::LinuxInput, "/usr/include/linux/input-event-codes.h",
         std::regex(R"(^#define (KEY_\w+)\s)")},
        {SpellingSource::XKeysym, "/usr/include/X11/keysymdef.h",
         std::regex(R"(^#define XK_(\w+)\s)")},
    };
    for (const auto& [source, path, pattern] : headers) {
        const std::set<std::string> defined = definedNames(path, pattern);
        ASSERT_FALSE(defined.empty()) << path << " is missing (scripts/setup installs it)";
        for (const KeySpelling& entry : spellingsOf(source)) {
            EXPECT_TRUE(defined.contains(std::string(entry.spelling))) << entry.spelling;
        }
    }
}

} // namespace
} // namespace vantrel
