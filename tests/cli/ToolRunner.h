#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs the built vantrelctl as a user would, in a folder of its own.
namespace vantrel::cli::testing {

struct ToolResult {
    int status = -1; ///< exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

/// Runs vantrelctl with `args` in `folder` and waits for it to end.
ToolResult runTool(const std::vector<std::string>& args, const std::filesystem::path& folder);

/// A new, empty folder for one test, removed again when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    TemporaryFolder(TemporaryFolder&&) = delete;
    TemporaryFolder& operator=(TemporaryFolder&&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(const std::string& name) const {
        return path_ / name;
    }
    /// The names of the files in the folder, sorted.
    [[nodiscard]] std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace vantrel::cli::testing
