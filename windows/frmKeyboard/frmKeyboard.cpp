#include "windows/frmKeyboard/frmKeyboard.h"

#include "keytext/modKeyText.h"
#include "model/MacroDelay.h"
#include "model/modSettings.h"
#include "windows/controls/CaptionButton.h"
#include "windows/controls/CaptionFit.h"
#include "windows/controls/EnterKey.h"
#include "windows/controls/HorizontalScrollBar.h"
#include "windows/controls/IndexedName.h"
#include "windows/controls/TabAccessibility.h"
#include "windows/controls/Twips.h"
#include "windows/frmKeyboard/KeyboardLayout.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

namespace vantrel {
namespace {

constexpr std::int32_t DesignClientWidth = 13635;
constexpr std::int32_t DesignClientHeight = 5400;
constexpr std::int32_t TabsWidth = DesignClientWidth;
constexpr std::int32_t TabsHeight = 4455;
// The pages of the tab control begin below its row of tabs; controls on a
// page are placed relative to the tab control, less this height.
constexpr std::int32_t TabRowHeight = 360;

constexpr std::int32_t ScrollBarLeft = 0;
constexpr std::int32_t ScrollBarTop = 4440;
constexpr std::int32_t ScrollBarHeight = 255;
constexpr int ScrollArrowStep = 100;
constexpr std::int32_t OkFromBarEnd = 2895;
constexpr std::int32_t CancelFromBarEnd = 1455;

constexpr int FocusTimerMs = 100;
constexpr int DelayTextLength = 4;
constexpr std::int16_t EnterKeyAscii = 13;

struct CheckBoxPlace {
    const char* caption;
    std::int32_t left;
    std::int32_t width;
};
constexpr std::int32_t OperatorTop = 4120;
constexpr std::int32_t OperatorHeight = 255;
constexpr std::array<CheckBoxPlace, 4> OperatorBoxes{{
    {"Ctrl", 120, 975},
    {"Shift", 1080, 975},
    {"Alt", 2040, 975},
    {"Key Repeat", 3000, 1935},
}};
/// Boxes that count on a rotary key: Ctrl, Shift and Alt.
constexpr int RotaryOperatorBoxes = 3;

QRect onPage(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return twipsRect(left, top - TabRowHeight, width, height);
}

QRect placeRect(const ButtonPlace& place) {
    return twipsRect(place.left, place.top, place.width, place.height);
}

QWidget* addPicture(QWidget* page, int index, QRect geometry) {
    auto* picture = new QWidget(page);
    picture->setObjectName(indexedName("picFrame", index));
    picture->setGeometry(geometry);
    return picture;
}

/// A button of an action, named for screen readers by the action's full
/// name: captions such as "Shift" or "NE" appear more than once.
CaptionButton* addButton(QWidget* picture, const char* name, int index, const QString& caption,
                         const ButtonPlace& place, const std::string& fullName) {
    auto* button = new CaptionButton(picture);
    button->setObjectName(indexedName(name, index));
    button->setCaption(caption);
    button->setAccessibleName(QString::fromStdString(fullName));
    button->setAccessibleDescription(caption);
    button->setGeometry(placeRect(place));
    return button;
}

} // namespace

frmKeyboard::frmKeyboard(std::int32_t screenWidthTwips, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , tmrSetFocus(new QTimer(this)) {
    setObjectName(QStringLiteral("frmKeyboard"));
    setWindowTitle(QStringLiteral("Select a key"));
    // A greyed tab must not sound choosable.
    announceTabsAsShown();
    createTabs();
    createBottomRow();
    tmrSetFocus->setObjectName(QStringLiteral("tmrSetFocus"));
    tmrSetFocus->setInterval(FocusTimerMs);
    connect(tmrSetFocus, &QTimer::timeout, this, &frmKeyboard::tmrSetFocus_Timer);
    fitToScreen(screenWidthTwips);
    // The key captions are the tightest of all the windows; the dialog takes
    // the largest font at which they fit.
    fitCaptionFont(*this, font());
}

// ---------------------------------------------------------------- controls

void frmKeyboard::createTabs() {
    Tabs = new QTabWidget(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    Tabs->setGeometry(twipsRect(0, 0, TabsWidth, TabsHeight));
    Tabs->addTab(createKeyboardPage(), QStringLiteral("Keyboard"));
    Tabs->addTab(createMousePage(), QStringLiteral("Mouse"));
    Tabs->addTab(createJoystickPage(), QStringLiteral("Joystick"));
    Tabs->addTab(createDelayPage(), QStringLiteral("Delay"));
    connect(Tabs, &QTabWidget::currentChanged, this, [this] { Tabs_Click(); });
}

QWidget* frmKeyboard::createKeyboardPage() {
    auto* page = new QWidget;
    for (std::size_t k = 0; k < OperatorBoxes.size(); ++k) {
        const CheckBoxPlace& place = OperatorBoxes.at(k);
        auto* box = new QCheckBox(QString::fromLatin1(place.caption), page);
        box->setObjectName(indexedName("chkOperator", static_cast<int>(k)));
        box->setGeometry(onPage(place.left, OperatorTop, place.width, OperatorHeight));
        chkOperator.at(k) = box;
    }
    QWidget* picture =
        addPicture(page, KeyboardTab, onPage(0, 360, KeyboardPictureWidth, KeyboardPictureHeight));
    for (const KeyboardKey& key : keyboardKeys()) {
        CaptionButton* button =
            addButton(picture, "cmdKey", key.usage, QString::fromLatin1(key.caption), keyPlace(key),
                      keyName(key.usage));
        const auto usage = static_cast<std::int16_t>(key.usage);
        connect(button, &QPushButton::clicked, this, [this, usage] { cmdKey_Click(usage); });
        cmdKey.at(key.usage) = button;
    }
    picFrame.at(KeyboardTab) = picture;
    return page;
}

template <std::size_t Count>
void frmKeyboard::addActionButtons(QWidget* picture, const char* name,
                                   const std::vector<ActionButton>& actions,
                                   std::string (*fullName)(std::uint8_t),
                                   void (frmKeyboard::*clicked)(std::int16_t),
                                   std::array<CaptionButton*, Count>& buttons) {
    for (const ActionButton& action : actions) {
        CaptionButton* button =
            addButton(picture, name, action.code, QString::fromStdString(action.caption),
                      action.place, fullName(action.code));
        const auto code = static_cast<std::int16_t>(action.code);
        connect(button, &QPushButton::clicked, this,
                [this, clicked, code] { (this->*clicked)(code); });
        buttons.at(action.code) = button;
    }
}

QWidget* frmKeyboard::createMousePage() {
    auto* page = new QWidget;
    QWidget* picture = addPicture(page, MouseTab, onPage(120, 480, 2535, 3615));
    auto* outline = new QFrame(picture);
    outline->setObjectName(QStringLiteral("Shape1"));
    outline->setFrameStyle(QFrame::Box | QFrame::Plain);
    outline->setGeometry(placeRect(mouseOutline()));
    addActionButtons(picture, "cmdMouse", mouseButtons(), &mouseName, &frmKeyboard::cmdMouse_Click,
                     cmdMouse);
    picFrame.at(MouseTab) = picture;
    return page;
}

QWidget* frmKeyboard::createJoystickPage() {
    auto* page = new QWidget;
    QWidget* picture =
        addPicture(page, JoystickTab, onPage(0, 360, JoystickPictureWidth, JoystickPictureHeight));
    int labelIndex = 0;
    for (const PictureLabel& hat : hatLabels()) {
        auto* label = new QLabel(QString::fromLatin1(hat.caption), picture);
        label->setObjectName(indexedName("lblJoystick", labelIndex++));
        label->setGeometry(placeRect(hat.place));
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    addActionButtons(picture, "cmdJoystick", joystickButtons(), &joystickName,
                     &frmKeyboard::cmdJoystick_Click, cmdJoystick);
    picFrame.at(JoystickTab) = picture;
    return page;
}

QWidget* frmKeyboard::createDelayPage() {
    auto* page = new QWidget;
    auto* label = new QLabel(QStringLiteral("Delay in msec: "), page);
    label->setObjectName(QStringLiteral("lblDelay"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(onPage(240, 720, 1215, 255));
    txtDelay = new QLineEdit(QStringLiteral("10"), page);
    txtDelay->setObjectName(QStringLiteral("txtDelay"));
    txtDelay->setMaxLength(DelayTextLength);
    txtDelay->setAccessibleName(label->text().trimmed());
    txtDelay->setGeometry(onPage(1440, 720, 495, 285));
    txtDelay->installEventFilter(this);
    return page;
}

void frmKeyboard::createBottomRow() {
    ScrollBar = new HorizontalScrollBar(this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar->setGeometry(
        twipsRect(ScrollBarLeft, ScrollBarTop, DesignClientWidth, ScrollBarHeight));
    ScrollBar->setSingleStep(ScrollArrowStep);
    ScrollBar->setAccessibleName(QStringLiteral("Pictures"));
    ScrollBar->hide();
    connect(ScrollBar, &QScrollBar::valueChanged, this, &frmKeyboard::ScrollBar_Change);
    connect(ScrollBar, &QScrollBar::sliderMoved, this, &frmKeyboard::ScrollBar_Scroll);

    const std::array<const char*, 2> options{"Press", "Release"};
    for (std::size_t k = 0; k < options.size(); ++k) {
        auto* option = new QRadioButton(QString::fromLatin1(options.at(k)), this);
        option->setObjectName(indexedName("optPressRelease", static_cast<int>(k)));
        option->setGeometry(twipsRect(120, 4800 + 240 * static_cast<std::int32_t>(k), 1095, 255));
        optPressRelease.at(k) = option;
    }
    optPressRelease[0]->setChecked(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(10680, 4800, 1335, 495));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmKeyboard::cmdOK_Click);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(twipsRect(12120, 4800, 1335, 495));
    connect(cmdCancel, &QPushButton::clicked, this, &frmKeyboard::cmdCancel_Click);
}

void frmKeyboard::fitToScreen(std::int32_t screenWidth) {
    // Qt learns the window frame only once the window is shown; the client
    // area's laid-out width stands for the dialog's width.
    const std::int32_t dialogWidth = DesignClientWidth;
    std::int32_t width = dialogWidth;
    std::int32_t height = DesignClientHeight;
    if (dialogWidth > screenWidth) {
        const std::int32_t excess = dialogWidth - screenWidth;
        const std::int32_t barWidth = TabsWidth - ScrollBarLeft - excess;
        ScrollBar->setGeometry(twipsRect(ScrollBarLeft, ScrollBarTop, barWidth, ScrollBarHeight));
        ScrollBar->setRange(0, excess);
        ScrollBar->setPageStep(excess);
        ScrollBar->setValue(0);
        ScrollBar->show();
        cmdOK->move(pixels(barWidth - OkFromBarEnd), cmdOK->y());
        cmdCancel->move(pixels(barWidth - CancelFromBarEnd), cmdCancel->y());
        width = screenWidth;
    } else {
        const int up = pixels(ScrollBarHeight);
        const std::array<QWidget*, 4> bottomRow{optPressRelease[0], optPressRelease[1], cmdOK,
                                                cmdCancel};
        for (QWidget* control : bottomRow) {
            control->move(control->x(), control->y() - up);
        }
        height -= ScrollBarHeight;
    }
    setFixedSize(pixels(width), pixels(height));
}

// ---------------------------------------------------------------- set-up

void frmKeyboard::setupKeyboard(SingleKeyStore& store, std::int16_t index, std::uint8_t keyType,
                                std::uint8_t keyValue, std::uint8_t keyOperator) {
    singleStore_ = &store;
    stepStore_ = nullptr;
    beginUse(index, keyType, keyValue, false, false);
    for (std::size_t k = 0; k < chkOperator.size(); ++k) {
        chkOperator.at(k)->setChecked((keyOperator & (1U << k)) != 0);
        chkOperator.at(k)->show();
    }
    showPressRelease(false);
    setTabsSelectable(true, false);
    selectTab(keyType);
    tmrSetFocus->start();
}

void frmKeyboard::setupKeyboard(MacroStepStore& store, std::int16_t index, std::uint8_t keyType,
                                std::uint8_t keyValue, bool pressRelease) {
    singleStore_ = nullptr;
    stepStore_ = &store;
    beginUse(index, keyType, keyValue, true, false);
    for (QCheckBox* box : chkOperator) {
        box->hide();
    }
    optPressRelease.at(pressRelease ? 0 : 1)->setChecked(true);
    showPressRelease(true);
    setTabsSelectable(true, true);
    selectTab(keyType);
    if (keyType == KeyTypeDelay) {
        txtDelay->setText(QString::number(delayMs(keyValue)));
    }
    tmrSetFocus->start();
}

void frmKeyboard::setupKeyboardOnly(SingleKeyStore& store, std::int16_t index,
                                    std::uint8_t keyValue, std::uint8_t keyOperator) {
    singleStore_ = &store;
    stepStore_ = nullptr;
    beginUse(index, KeyTypeKeyboard, keyValue, false, true);
    // Key Repeat keeps whatever the last single key left in it, unseen and
    // unused.
    for (std::size_t k = 0; k < RotaryOperatorBoxes; ++k) {
        chkOperator.at(k)->setChecked((keyOperator & (1U << k)) != 0);
        chkOperator.at(k)->show();
    }
    chkOperator[3]->hide();
    showPressRelease(false);
    setTabsSelectable(false, false);
    selectTab(KeyboardTab);
    tmrSetFocus->start();
}

void frmKeyboard::beginUse(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                           bool macro, bool keyboardOnly) {
    // The focus of the last use must not mark a button as the selection;
    // the focus timer moves it to the new selection's button, if it has one.
    Tabs->setFocus(Qt::OtherFocusReason);
    DlgIndex = index;
    DlgKeyValue = keyValue;
    DlgKeyType = keyType;
    DlgKeyboardOnly = keyboardOnly;
    DlgMacro = macro;
}

void frmKeyboard::showPressRelease(bool shown) {
    for (QRadioButton* option : optPressRelease) {
        option->setVisible(shown);
    }
}

void frmKeyboard::setTabsSelectable(bool mouseAndJoystick, bool delay) {
    Tabs->setTabEnabled(MouseTab, mouseAndJoystick);
    Tabs->setTabEnabled(JoystickTab, mouseAndJoystick);
    Tabs->setTabEnabled(DelayTab, delay);
}

void frmKeyboard::selectTab(int tab) {
    // The tab's own rules (press/release shown, the picture's scroll offset)
    // hold after every set-up, also when the tab was already visible.
    if (Tabs->currentIndex() == tab) {
        Tabs_Click();
    } else {
        Tabs->setCurrentIndex(tab);
    }
}

// ---------------------------------------------------------------- commits

std::uint8_t frmKeyboard::keyOperatorFromBoxes(int boxCount) const {
    unsigned keyOperator = 0;
    for (int k = 0; k < boxCount; ++k) {
        if (chkOperator.at(static_cast<std::size_t>(k))->isChecked()) {
            keyOperator |= 1U << static_cast<unsigned>(k);
        }
    }
    return static_cast<std::uint8_t>(keyOperator);
}

bool frmKeyboard::pressSelected() const {
    return optPressRelease[0]->isChecked();
}

void frmKeyboard::storeSingle(std::uint8_t keyType, std::uint8_t keyValue,
                              std::uint8_t keyOperator) {
    if (singleStore_ != nullptr) {
        singleStore_->setKey(DlgIndex, keyType, keyValue, keyOperator);
    }
    hideAfterCommit();
}

void frmKeyboard::storeStep(std::uint8_t keyType, std::uint8_t keyValue) {
    if (stepStore_ != nullptr) {
        stepStore_->setKey(DlgIndex, keyType, keyValue, pressSelected());
    }
    hideAfterCommit();
}

void frmKeyboard::hideAfterCommit() {
    done(QDialog::Accepted);
}

void frmKeyboard::cmdKey_Click(std::int16_t index) {
    const auto keyValue = static_cast<std::uint8_t>(index);
    if (DlgKeyboardOnly) {
        if (singleStore_ != nullptr) {
            singleStore_->setKeyboardOnly(DlgIndex, keyValue,
                                          keyOperatorFromBoxes(RotaryOperatorBoxes));
        }
        hideAfterCommit();
    } else if (DlgMacro) {
        storeStep(KeyTypeKeyboard, keyValue);
    } else {
        storeSingle(KeyTypeKeyboard, keyValue,
                    keyOperatorFromBoxes(static_cast<int>(chkOperator.size())));
    }
}

void frmKeyboard::cmdMouse_Click(std::int16_t index) {
    const auto keyValue = static_cast<std::uint8_t>(index);
    if (DlgMacro) {
        storeStep(KeyTypeMouse, keyValue);
    } else {
        storeSingle(KeyTypeMouse, keyValue, 0);
    }
}

void frmKeyboard::cmdJoystick_Click(std::int16_t index) {
    const auto keyValue = static_cast<std::uint8_t>(index);
    if (DlgMacro) {
        storeStep(KeyTypeJoystick, keyValue);
    } else {
        storeSingle(KeyTypeJoystick, keyValue, 0);
    }
}

void frmKeyboard::cmdOK_Click() {
    if (Tabs->currentIndex() == DelayTab) {
        storeStep(KeyTypeDelay, delayByteFromText(txtDelay->text().toStdString()));
        return;
    }
    // The opened assignment again, with the boxes or the option as they are
    // now; the visible tab does not choose what is stored.
    switch (DlgKeyType) {
    case KeyTypeKeyboard:
        cmdKey_Click(DlgKeyValue);
        break;
    case KeyTypeMouse:
        cmdMouse_Click(DlgKeyValue);
        break;
    case KeyTypeJoystick:
        cmdJoystick_Click(DlgKeyValue);
        break;
    default:
        done(QDialog::Rejected);
        break;
    }
}

void frmKeyboard::cmdCancel_Click() {
    done(QDialog::Rejected);
}

void frmKeyboard::txtDelay_KeyPress(std::int16_t& keyAscii) {
    if (keyAscii == EnterKeyAscii) {
        keyAscii = 0;
        cmdOK_Click();
    }
}

void frmKeyboard::keyPressEvent(QKeyEvent* event) {
    // Reached only from controls that do not act on Enter themselves: a
    // focused push button, key buttons included, takes it as a click.
    if (isEnterKey(*event)) {
        cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool frmKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtDelay && event->type() == QEvent::FocusIn) {
        // Selected so that typing replaces the delay: the box takes only four
        // characters and would drop what is typed after its text.
        QTimer::singleShot(0, txtDelay, &QLineEdit::selectAll);
    }
    if (watched == txtDelay && event->type() == QEvent::KeyPress) {
        const bool enter = isEnterKey(*static_cast<QKeyEvent*>(event));
        std::int16_t keyAscii = enter ? EnterKeyAscii : std::int16_t{-1};
        txtDelay_KeyPress(keyAscii);
        return keyAscii == 0;
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- tabs, scrolling, focus

void frmKeyboard::Tabs_Click() {
    const int tab = Tabs->currentIndex();
    showPressRelease(DlgMacro && tab >= KeyboardTab && tab <= JoystickTab);
    ScrollBar_Change();
    if (tab == DelayTab) {
        txtDelay->setFocus(Qt::TabFocusReason);
    }
}

void frmKeyboard::ScrollBar_Change() {
    const int tab = Tabs->currentIndex();
    if (tab == KeyboardTab || tab == JoystickTab) {
        QWidget* picture = picFrame.at(static_cast<std::size_t>(tab));
        picture->move(pixels(-ScrollBar->value()), picture->y());
    }
}

void frmKeyboard::ScrollBar_Scroll() {
    ScrollBar_Change();
}

QAbstractButton* frmKeyboard::selectionButton() const {
    switch (DlgKeyType) {
    case KeyTypeKeyboard:
        return cmdKey.at(DlgKeyValue);
    case KeyTypeMouse:
        return DlgKeyValue < cmdMouse.size() ? cmdMouse.at(DlgKeyValue) : nullptr;
    case KeyTypeJoystick:
        return DlgKeyValue < cmdJoystick.size() ? cmdJoystick.at(DlgKeyValue) : nullptr;
    default:
        return nullptr;
    }
}

void frmKeyboard::tmrSetFocus_Timer() {
    // The focus can only be given once the dialog is on screen.
    if (!isVisible()) {
        return;
    }
    if (Tabs->currentIndex() == DlgKeyType) {
        if (QAbstractButton* button = selectionButton()) {
            button->setFocus(Qt::OtherFocusReason);
        }
    }
    tmrSetFocus->stop();
}

} // namespace vantrel
