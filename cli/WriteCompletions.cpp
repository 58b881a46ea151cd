// Writes the shell completion scripts the packages install, made from the
// tool's command table at build time.
#include "cli/ShellCompletion.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "vantrel_write_completions: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vantrel_write_completions BASH_FILE ZSH_FILE FISH_FILE\n");
        return 2;
    }
    const bool written = writeFile(argv[1], vantrel::cli::bashCompletion()) &&
                         writeFile(argv[2], vantrel::cli::zshCompletion()) &&
                         writeFile(argv[3], vantrel::cli::fishCompletion());
    return written ? 0 : 1;
}
