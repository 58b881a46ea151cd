#pragma once

#include "windows/controls/AssignmentStores.h"
#include "windows/frmKeyboard/KeyboardLayout.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QTimer;

namespace vantrel {

class CaptionButton;

/// The assignment dialog "Select a key": one keyboard key with modifiers, a
/// mouse button, a joystick button or hat direction, or (for a macro step) a
/// delay. Created once per run, then only set up, shown modally and hidden.
/// A commit is exactly one call of the store given to the set-up, made
/// before the dialog hides; Cancel only hides.
class frmKeyboard : public QDialog {
    Q_OBJECT
public:
    /// `screenWidthTwips` is the width the dialog must fit on first creation
    /// (the program passes the screen's; tests pass narrow ones).
    explicit frmKeyboard(std::int32_t screenWidthTwips, QWidget* parent = nullptr);

    /// A single-key input of the main window (Macro False).
    void setupKeyboard(SingleKeyStore& store, std::int16_t index, std::uint8_t keyType,
                       std::uint8_t keyValue, std::uint8_t keyOperator);
    /// One step of a macro (Macro True).
    void setupKeyboard(MacroStepStore& store, std::int16_t index, std::uint8_t keyType,
                       std::uint8_t keyValue, bool pressRelease);
    /// A rotary-switch key: keyboard keys with Ctrl, Shift and Alt only.
    void setupKeyboardOnly(SingleKeyStore& store, std::int16_t index, std::uint8_t keyValue,
                           std::uint8_t keyOperator);

    // Event handlers, named after the control and the event.
    void cmdKey_Click(std::int16_t index);
    void cmdMouse_Click(std::int16_t index);
    void cmdJoystick_Click(std::int16_t index);
    void cmdOK_Click();
    void cmdCancel_Click();
    /// A character typed into the delay box; set to 0 when it is consumed.
    void txtDelay_KeyPress(std::int16_t& keyAscii);
    void Tabs_Click();
    void ScrollBar_Change();
    void ScrollBar_Scroll();
    void tmrSetFocus_Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Tab { KeyboardTab = 0, MouseTab = 1, JoystickTab = 2, DelayTab = 3 };

    void createTabs();
    QWidget* createKeyboardPage();
    QWidget* createMousePage();
    QWidget* createJoystickPage();
    /// One button per action, named `name_<code>`, calling `clicked` with its code.
    template <std::size_t Count>
    void addActionButtons(QWidget* picture, const char* name,
                          const std::vector<ActionButton>& actions,
                          std::string (*fullName)(std::uint8_t),
                          void (frmKeyboard::*clicked)(std::int16_t),
                          std::array<CaptionButton*, Count>& buttons);
    QWidget* createDelayPage();
    void createBottomRow();
    void fitToScreen(std::int32_t screenWidth);

    void beginUse(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue, bool macro,
                  bool keyboardOnly);
    void showPressRelease(bool shown);
    void selectTab(int tab);
    void setTabsSelectable(bool mouseAndJoystick, bool delay);
    [[nodiscard]] std::uint8_t keyOperatorFromBoxes(int boxCount) const;
    [[nodiscard]] bool pressSelected() const;
    [[nodiscard]] QAbstractButton* selectionButton() const;

    void storeSingle(std::uint8_t keyType, std::uint8_t keyValue, std::uint8_t keyOperator);
    void storeStep(std::uint8_t keyType, std::uint8_t keyValue);
    void hideAfterCommit();

    // The use the dialog was set up for; handlers never change it.
    std::int16_t DlgIndex = 0;
    std::uint8_t DlgKeyType = 0;
    std::uint8_t DlgKeyValue = 0;
    bool DlgMacro = false;
    bool DlgKeyboardOnly = false;
    SingleKeyStore* singleStore_ = nullptr;
    MacroStepStore* stepStore_ = nullptr;

    QTabWidget* Tabs = nullptr;
    std::array<QCheckBox*, 4> chkOperator{};
    std::array<QWidget*, 3> picFrame{};
    std::array<CaptionButton*, 256> cmdKey{};
    std::array<CaptionButton*, 3> cmdMouse{};
    std::array<CaptionButton*, 96> cmdJoystick{};
    QLineEdit* txtDelay = nullptr;
    QScrollBar* ScrollBar = nullptr;
    std::array<QRadioButton*, 2> optPressRelease{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer* tmrSetFocus = nullptr;
};

} // namespace vantrel
