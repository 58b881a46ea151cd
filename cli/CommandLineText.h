#pragma once

#include <string>
#include <string_view>
#include <vector>

// The tool speaks UTF-8 on every system: file names from its arguments are
// read as UTF-8 (PathText.h), and so is everything it prints.
namespace vantrel::cli {

/// The program's arguments after its own name, as UTF-8 text. Other systems
/// pass them as they are; Windows gives a plain `main` its local code page,
/// which cannot hold every name, so there they come from the wide command line.
[[nodiscard]] std::vector<std::string> utf8Arguments(int argc, char** argv);

/// Lets a Windows console show the UTF-8 text the tool prints; nothing
/// elsewhere, where terminals take UTF-8 already.
void printUtf8();

#ifdef _WIN32
[[nodiscard]] std::string utf8FromWide(std::wstring_view wide);
#endif

} // namespace vantrel::cli
