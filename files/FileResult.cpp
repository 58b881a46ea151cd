#include "files/FileResult.h"

#include "files/PathText.h"
#include "model/EchoedText.h"

#include <cstring>

namespace vantrel {

FileResult systemFailure(FileError error, const std::filesystem::path& path, int errorNumber) {
    return {error, echoedPath(utf8Text(path)) + ": " + std::strerror(errorNumber)};
}

FileResult systemFailure(FileError error, const std::filesystem::path& path,
                         const std::error_code& code) {
    return {error, echoedPath(utf8Text(path)) + ": " + code.message()};
}

FileResult notRegularFile(FileError error, const std::filesystem::path& path, bool folder) {
    return {error,
            echoedPath(utf8Text(path)) + (folder ? ": is a folder" : ": is not a regular file")};
}

} // namespace vantrel
