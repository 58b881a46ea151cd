#include "cli/CommandLineText.h"

#ifdef _WIN32
#include <memory>
// windows.h first: shellapi.h needs its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#endif

namespace vantrel::cli {

#ifdef _WIN32

std::string utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const auto length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

std::vector<std::string> utf8Arguments(int /*argc*/, char** /*argv*/) {
    struct LocalFreer {
        void operator()(wchar_t** arguments) const { LocalFree(arguments); }
    };
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) {
        arguments.push_back(utf8FromWide(wide.get()[i]));
    }
    return arguments;
}

void printUtf8() {
    SetConsoleOutputCP(CP_UTF8);
}

#else

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

void printUtf8() {}

#endif

} // namespace vantrel::cli
