#pragma once

#include "model/DeviceImage.h"
#include "userinterface/UserInterface.h"

#include <string>

// What the user is told about how decoding an image ended, for an image
// opened from a file and one read from the device: the windows show the
// message box, the command-line tool prints the same text (and the detail,
// or the note where the windows stay silent).
namespace vantrel {

enum class ImageOrigin { File, Device };

struct ImageLoadMessage {
    /// The message box's text, title and icon; text is null when the
    /// windows show nothing.
    const char* text = nullptr;
    const char* title = nullptr;
    MessageIcon icon = MessageIcon::None;
    /// The load failed: the configuration is not what the image holds.
    bool failed = false;
    /// What the tool adds after the text, or says on its own where the
    /// windows show nothing; null when there is nothing to add.
    const char* note = nullptr;

    /// The tool's line: the text with the note in brackets, or either alone;
    /// empty when there is nothing to say.
    [[nodiscard]] std::string words() const;
};

[[nodiscard]] ImageLoadMessage imageLoadMessage(ImageLoadResult result, ImageOrigin origin);

} // namespace vantrel
