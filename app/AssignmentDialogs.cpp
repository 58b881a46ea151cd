#include "app/AssignmentDialogs.h"

#include "windows/controls/Twips.h"
#include "windows/frmKeyboard/frmKeyboard.h"
#include "windows/frmMacro/frmMacro.h"

#include <QGuiApplication>
#include <QScreen>
#include <limits>

namespace vantrel {
namespace {

std::int32_t screenWidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        // No screen attached (yet): nothing to fit, the design width stays.
        return std::numeric_limits<std::int32_t>::max();
    }
    return twipsFromPixels(screen->availableGeometry().width());
}

} // namespace

AssignmentDialogs::AssignmentDialogs(Configuration& config, MessagePrompter& messages)
    : config_(config)
    , messages_(messages) {}

void AssignmentDialogs::editKey(SingleKeyStore& store, std::int16_t index,
                                const SingleKey& current) {
    frmKeyboard& dialog = keyboard();
    dialog.setupKeyboard(store, index, current.KeyType, current.KeyValue, current.KeyOperator);
    dialog.exec();
}

void AssignmentDialogs::editMacro(MacroStore& store, std::int16_t index) {
    frmMacro& editor = macroEditor();
    editor.setupMacro(store, index);
    editor.exec();
}

void AssignmentDialogs::editRotaryKey(SingleKeyStore& store, std::int16_t index,
                                      const RotaryKey& current) {
    frmKeyboard& dialog = keyboard();
    dialog.setupKeyboardOnly(store, index, current.KeyValue, current.KeyOperator);
    dialog.exec();
}

void AssignmentDialogs::editStep(MacroStepStore& store, std::int16_t index,
                                 const MacroStep& current) {
    frmKeyboard& dialog = keyboard();
    dialog.setupKeyboard(store, index, current.KeyType, current.KeyValue, current.PressRelease);
    dialog.exec();
}

frmKeyboard& AssignmentDialogs::keyboard() {
    if (keyboard_.isNull()) {
        keyboard_ = new frmKeyboard(screenWidthTwips(), owner_);
    }
    return *keyboard_;
}

frmMacro& AssignmentDialogs::macroEditor() {
    if (macro_.isNull()) {
        macro_ = new frmMacro(config_, messages_, *this, owner_);
    }
    return *macro_;
}

} // namespace vantrel
