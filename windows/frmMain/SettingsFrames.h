#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <QString>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QWidget;

namespace vantrel {

class CaptionButton;

/// The five frames right of the input rows: the two rotary switches, the
/// trackball, the spinner and the joystick axes. Every change the user makes
/// goes straight into the settings record, which the image encoder reads;
/// after a load the controls are set from the record again.
class SettingsFrames {
public:
    /// Builds the frames on `client`. `rotaryKeyClicked` receives the index
    /// (0..3) of the rotary key button clicked.
    SettingsFrames(QWidget& client, DeviceSettings& settings,
                   const std::function<void(int index)>& rotaryKeyClicked);

    /// Sets every control from the settings record.
    void showSettings();

    /// Puts all six rotary-switch lists on their first entry.
    void selectFirstListEntries();

    void setRotaryCaption(int index, const QString& caption);
    /// What the cabinet builder wired to rotary switch `switchIndex` (0 or
    /// 1): the tooltip and accessible description of both its key buttons.
    void setRotarySwitchWiring(int switchIndex, const QString& wiring);

private:
    struct RotarySwitchControls {
        QComboBox* lstMaximumRate = nullptr;
        QComboBox* lstDivisor = nullptr;
        QComboBox* lstBufferOverflow = nullptr;
    };

    void buildRotarySwitch(QGroupBox& frame, int switchIndex,
                           const std::function<void(int)>& rotaryKeyClicked);
    void buildTrackball(QGroupBox& frame);
    void buildSpinner(QGroupBox& frame);
    void buildJoystick(QGroupBox& frame);

    DeviceSettings& settings_;
    std::array<CaptionButton*, RotaryKeyCount> cmdRotaryKey_{};
    std::array<RotarySwitchControls, RotarySwitchCount> rotarySwitches_{};
    QCheckBox* chkReverseX_ = nullptr;
    QCheckBox* chkReverseY_ = nullptr;
    QCheckBox* chkReverseSpinner_ = nullptr;
    std::array<QRadioButton*, SpinnerOptionCaptions.size()> optSpinner_{};
    std::array<QCheckBox*, JoystickAxisCount> chkJoystick_{};
};

} // namespace vantrel
