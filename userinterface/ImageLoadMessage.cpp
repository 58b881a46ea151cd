#include "userinterface/ImageLoadMessage.h"

namespace vantrel {

std::string ImageLoadMessage::words() const {
    std::string line = text != nullptr ? text : "";
    if (note != nullptr) {
        line += line.empty() ? std::string(note) : std::string(" (") + note + ")";
    }
    return line;
}

ImageLoadMessage imageLoadMessage(ImageLoadResult result, ImageOrigin origin) {
    const bool file = origin == ImageOrigin::File;
    switch (result) {
    case ImageLoadResult::InvalidImage:
        return {InvalidConfigurationText, ApplicationTitle, MessageIcon::Exclamation, true,
                nullptr};
    case ImageLoadResult::SettingsFailed:
        // Opening a file counts it among the file's failures; a read among
        // the image's.
        if (file) {
            return {OpenFailedText, MainWindowCaption, MessageIcon::Stop, true,
                    "a rotary switch setting names no entry of its list"};
        }
        return {InvalidConfigurationText, ApplicationTitle, MessageIcon::Exclamation, true,
                nullptr};
    case ImageLoadResult::StoppedEarly:
        // The windows keep what decoded and say nothing. A file is still
        // opened as they would open it; from the device it is what a write
        // cut off in the middle can leave, and keeping the part that decoded
        // would hide that.
        if (file) {
            return {nullptr, nullptr, MessageIcon::None, false,
                    "the input table holds more inputs or steps than the device has; it was "
                    "read up to there and the device settings were left at their start-up "
                    "values"};
        }
        return {nullptr, nullptr, MessageIcon::None, false,
                "the device's input table holds more inputs or steps than the device has, as a "
                "write that was cut off can leave it; nothing was kept (writing a configuration "
                "again repairs it)"};
    case ImageLoadResult::Complete:
        break;
    }
    return {};
}

} // namespace vantrel
