#include "files/ReadableForm.h"

#include "userinterface/UserInterface.h"

namespace vantrel {

std::string readableFormMistakeText(const std::string& mistake) {
    return std::string(OpenFailedText) + "\r\n" + mistake;
}

} // namespace vantrel
