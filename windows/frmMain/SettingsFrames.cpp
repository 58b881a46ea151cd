#include "windows/frmMain/SettingsFrames.h"

#include "windows/controls/CaptionButton.h"
#include "windows/controls/IndexedName.h"
#include "windows/controls/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <span>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

std::uint8_t listIndex(int index) {
    return static_cast<std::uint8_t>(index);
}

void setChecked(QCheckBox* box, bool checked) {
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

void setListIndex(QComboBox* list, std::uint8_t index) {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

QGroupBox* addFrame(QWidget& client, const char* name, const char* caption, QRect design) {
    auto* frame = new QGroupBox(QString::fromLatin1(caption), &client);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(design);
    return frame;
}

QLabel* addRotaryLabel(QGroupBox& frame, int index, const char* caption, QRect design) {
    auto* label = new QLabel(QString::fromLatin1(caption), &frame);
    label->setObjectName(indexedName("lblRotary", index));
    label->setGeometry(design);
    return label;
}

/// A list of a rotary switch frame, named for screen readers by its label
/// and its frame: both switches have lists under the same labels. Linux
/// screen readers take a list's label from its buddy; elsewhere they read
/// the accessible name.
QComboBox* addList(QGroupBox& frame, const QString& name, QLabel& label,
                   std::span<const std::string_view> entries, QRect design,
                   std::function<void(int)> store) {
    auto* list = new QComboBox(&frame);
    list->setObjectName(name);
    label.setBuddy(list);
    list->setAccessibleName(frame.title() + QStringLiteral(", ") + label.text().trimmed());
    for (const std::string_view entry : entries) {
        list->addItem(text(entry));
    }
    list->setGeometry(design);
    QObject::connect(list, &QComboBox::currentIndexChanged, list, std::move(store));
    return list;
}

QCheckBox* addCheckBox(QWidget& frame, const QString& name, const QString& caption, QRect design,
                       std::function<void(bool)> store) {
    auto* box = new QCheckBox(caption, &frame);
    box->setObjectName(name);
    box->setGeometry(design);
    QObject::connect(box, &QCheckBox::toggled, box, std::move(store));
    return box;
}

} // namespace

SettingsFrames::SettingsFrames(QWidget& client, DeviceSettings& settings,
                               const std::function<void(int index)>& rotaryKeyClicked)
    : settings_(settings) {
    QGroupBox* frame3 =
        addFrame(client, "Frame3", "Rotary Switch 1", twipsRect(5880, 120, 5295, 1695));
    QGroupBox* frame5 =
        addFrame(client, "Frame5", "Rotary Switch 2", twipsRect(5880, 1920, 5295, 1695));
    QGroupBox* frame1 =
        addFrame(client, "Frame1", "Trackball Control", twipsRect(5880, 3720, 2535, 975));
    QGroupBox* frame4 =
        addFrame(client, "Frame4", "Joystick Axes", twipsRect(8520, 3720, 2655, 1455));
    QGroupBox* frame2 =
        addFrame(client, "Frame2", "Spinner Control", twipsRect(5880, 4800, 2535, 1575));
    buildRotarySwitch(*frame3, 0, rotaryKeyClicked);
    buildRotarySwitch(*frame5, 1, rotaryKeyClicked);
    buildTrackball(*frame1);
    buildSpinner(*frame2);
    buildJoystick(*frame4);
}

void SettingsFrames::buildRotarySwitch(QGroupBox& frame, int switchIndex,
                                       const std::function<void(int)>& rotaryKeyClicked) {
    const int labelBase = 5 * switchIndex;
    const std::array<const QLabel*, 2> directions{
        addRotaryLabel(frame, labelBase, "Counterclockwise Movement",
                       twipsRect(120, 270, 2535, 255)),
        addRotaryLabel(frame, labelBase + 1, "Clockwise Movement",
                       twipsRect(2640, 240, 2535, 255))};
    QLabel* rateLabel =
        addRotaryLabel(frame, labelBase + 2, "Maximum rate ", twipsRect(360, 990, 1455, 255));
    QLabel* divisorLabel =
        addRotaryLabel(frame, labelBase + 3, "Divisor", twipsRect(1920, 990, 1455, 255));
    QLabel* overflowLabel =
        addRotaryLabel(frame, labelBase + 4, "Buffer overflow", twipsRect(3480, 990, 1455, 255));

    for (const bool clockwise : {false, true}) {
        const int key = rotaryKeyIndex(switchIndex, clockwise);
        auto* button = new CaptionButton(&frame);
        button->setObjectName(indexedName("cmdRotaryKey", key));
        button->setGeometry(twipsRect(clockwise ? 2640 : 120, 480, 2535, 495));
        button->setNamePrefix(frame.title() + QStringLiteral(", ") +
                              directions.at(clockwise ? 1 : 0)->text() + QStringLiteral(": "));
        button->setCaption(QStringLiteral("Not Used"));
        QObject::connect(button, &QPushButton::clicked, button,
                         [key, rotaryKeyClicked] { rotaryKeyClicked(key); });
        cmdRotaryKey_.at(static_cast<std::size_t>(key)) = button;
    }

    RotarySwitchSettings& stored = settings_.Rotary.at(static_cast<std::size_t>(switchIndex));
    RotarySwitchControls& lists = rotarySwitches_.at(static_cast<std::size_t>(switchIndex));
    lists.lstMaximumRate = addList(frame, indexedName("lstMaximumRate", switchIndex), *rateLabel,
                                   MaximumRateEntries, twipsRect(360, 1200, 1455, 315),
                                   [&stored](int i) { stored.MaximumRate = listIndex(i); });
    lists.lstDivisor = addList(frame, indexedName("lstDivisor", switchIndex), *divisorLabel,
                               DivisorEntries, twipsRect(1920, 1200, 1455, 315),
                               [&stored](int i) { stored.Divisor = listIndex(i); });
    lists.lstBufferOverflow =
        addList(frame, indexedName("lstBufferOverflow", switchIndex), *overflowLabel,
                BufferOverflowEntries, twipsRect(3480, 1200, 1455, 315),
                [&stored](int i) { stored.BufferOverflow = listIndex(i); });
}

void SettingsFrames::buildTrackball(QGroupBox& frame) {
    chkReverseX_ = addCheckBox(frame, QStringLiteral("chkReverseX"),
                               QStringLiteral("Reverse X Axis"), twipsRect(240, 360, 1815, 255),
                               [this](bool checked) { settings_.ReverseX = checked; });
    chkReverseY_ = addCheckBox(frame, QStringLiteral("chkReverseY"),
                               QStringLiteral("Reverse Y Axis"), twipsRect(240, 600, 1815, 255),
                               [this](bool checked) { settings_.ReverseY = checked; });
}

void SettingsFrames::buildSpinner(QGroupBox& frame) {
    // The three options differ only in width; they stand 240 twips apart.
    static constexpr std::array<std::int32_t, SpinnerOptionCaptions.size()> widths = {1815, 1455,
                                                                                      1575};
    for (std::size_t i = 0; i < SpinnerOptionCaptions.size(); ++i) {
        auto* option = new QRadioButton(text(SpinnerOptionCaptions.at(i)), &frame);
        option->setObjectName(indexedName("optSpinner", static_cast<int>(i)));
        const auto top = 360 + 240 * static_cast<std::int32_t>(i);
        option->setGeometry(twipsRect(240, top, widths.at(i), 255));
        QObject::connect(option, &QRadioButton::toggled, option, [this, i](bool checked) {
            if (checked) {
                settings_.Spinner = static_cast<std::uint8_t>(i);
            }
        });
        optSpinner_.at(i) = option;
    }
    optSpinner_.front()->setChecked(true);
    chkReverseSpinner_ =
        addCheckBox(frame, QStringLiteral("chkReverseSpinner"), QStringLiteral("Reverse Spinner"),
                    twipsRect(240, 1200, 1815, 255),
                    [this](bool checked) { settings_.ReverseSpinner = checked; });
}

void SettingsFrames::buildJoystick(QGroupBox& frame) {
    for (std::size_t k = 0; k < chkJoystick_.size(); ++k) {
        const int top = 360 + 240 * static_cast<int>(k);
        chkJoystick_.at(k) =
            addCheckBox(frame, indexedName("chkJoystick", static_cast<int>(k)),
                        text(JoystickAxisCaptions.at(k)), twipsRect(240, top, 2055, 255),
                        [this, k](bool checked) { settings_.Joystick.at(k) = checked; });
    }
}

void SettingsFrames::showSettings() {
    setChecked(chkReverseX_, settings_.ReverseX);
    setChecked(chkReverseY_, settings_.ReverseY);
    setChecked(chkReverseSpinner_, settings_.ReverseSpinner);
    {
        QRadioButton* option = optSpinner_.at(settings_.Spinner);
        const QSignalBlocker blocker(option);
        option->setChecked(true);
    }
    for (std::size_t k = 0; k < chkJoystick_.size(); ++k) {
        setChecked(chkJoystick_.at(k), settings_.Joystick.at(k));
    }
    for (std::size_t s = 0; s < rotarySwitches_.size(); ++s) {
        const RotarySwitchSettings& stored = settings_.Rotary.at(s);
        const RotarySwitchControls& lists = rotarySwitches_.at(s);
        setListIndex(lists.lstMaximumRate, stored.MaximumRate);
        setListIndex(lists.lstDivisor, stored.Divisor);
        setListIndex(lists.lstBufferOverflow, stored.BufferOverflow);
    }
}

void SettingsFrames::selectFirstListEntries() {
    for (RotarySwitchControls& lists : rotarySwitches_) {
        lists.lstDivisor->setCurrentIndex(0);
        lists.lstMaximumRate->setCurrentIndex(0);
        lists.lstBufferOverflow->setCurrentIndex(0);
    }
}

void SettingsFrames::setRotaryCaption(int index, const QString& caption) {
    cmdRotaryKey_.at(static_cast<std::size_t>(index))->setCaption(caption);
}

void SettingsFrames::setRotarySwitchWiring(int switchIndex, const QString& wiring) {
    for (const int direction : {0, 1}) {
        const int key = 2 * switchIndex + direction;
        CaptionButton* button = cmdRotaryKey_.at(static_cast<std::size_t>(key));
        button->setToolTip(wiring);
        button->setAccessibleDescription(wiring);
    }
}

} // namespace vantrel
