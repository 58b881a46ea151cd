#include "files/ConfigurationFile.h"

#include "files/AtomicFile.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::contentsOf;
using testing::writeFile;

std::string pattern(std::size_t length) {
    std::string data(length, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        data[i] = static_cast<char>(i * 7 + 1);
    }
    return data;
}

#ifndef _WIN32
DeviceImage patternImage() {
    DeviceImage image{};
    const std::string data = pattern(DeviceImageSize);
    std::copy(data.begin(), data.end(), image.begin());
    return image;
}
#endif

std::string bytesOf(const DeviceImage& image) {
    return {image.begin(), image.end()};
}

class ConfigurationFileTest : public ::testing::Test {
protected:
    /// How many entries the folder holds: a temporary file left behind shows.
    [[nodiscard]] std::ptrdiff_t entries() const {
        return std::distance(fs::directory_iterator(folder.path), fs::directory_iterator());
    }

    testing::TemporaryFolder folder;
    const fs::path file = folder / "config.cfg";
};

TEST_F(ConfigurationFileTest, ReadsAFileUpToTheImageSizeAndZeroFillsTheTail) {
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, DeviceImageSize - 1,
                                     DeviceImageSize, DeviceImageSize + 1, std::size_t{100000}}) {
        SCOPED_TRACE(length);
        writeFile(file, pattern(length));

        const Expected<DeviceImage, FileError> result = readConfigurationFile(file);

        if (length > DeviceImageSize) {
            EXPECT_EQ(result.kind(), FileError::TooLong);
        } else {
            ASSERT_TRUE(result.ok()) << result.detail();
            std::string expected = pattern(length);
            expected.resize(DeviceImageSize, '\0');
            EXPECT_EQ(bytesOf(result.value()), expected);
        }
    }
    const auto missing = readConfigurationFile(folder / "missing.cfg");
    EXPECT_EQ(missing.kind(), FileError::CannotOpen);
    EXPECT_NE(missing.detail().find("missing.cfg"), std::string::npos);
}

// Each system replaces a file its own way; this one runs on all of them.
TEST_F(ConfigurationFileTest, ReplacesALongerOldFileWholeAndLeavesNothingBesideIt) {
    writeFile(file, pattern(DeviceImageSize + 100));
    DeviceImage image;
    image.fill(0x42);
    ASSERT_TRUE(writeConfigurationFile(file, image).ok());
    EXPECT_EQ(contentsOf(file), bytesOf(image));
    EXPECT_EQ(entries(), 1) << "no temporary file left";
}

#ifndef _WIN32
TEST(ConfigurationFile, WritesExactlyTheImageWhereverTheNameLeadsAndKeepsTheLinks) {
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    struct Case {
        std::string written, target;
    };
    for (const Case& c :
         {Case{"config.cfg", "config.cfg"}, Case{"link.cfg", "config.cfg"},
          Case{"dangling.cfg", "target.cfg"}, Case{std::string(254, 'n'), std::string(254, 'n')}}) {
        SCOPED_TRACE(c.written.size() > 20 ? "the longest name" : c.written);
        const testing::TemporaryFolder folder;
        writeFile(folder / "config.cfg", pattern(10));
        fs::permissions(folder / "config.cfg", permissions);
        fs::create_symlink("config.cfg", folder / "link.cfg");
        fs::create_symlink("target.cfg", folder / "dangling.cfg");
        const bool newFile = !fs::exists(folder / c.target);

        ASSERT_TRUE(writeConfigurationFile(folder / c.written, patternImage()).ok());

        EXPECT_EQ(contentsOf(folder / c.target), bytesOf(patternImage()));
        EXPECT_EQ(fs::status(folder / "config.cfg").permissions() & fs::perms::all, permissions);
        EXPECT_TRUE(fs::is_symlink(folder / "link.cfg") && fs::is_symlink(folder / "dangling.cfg"));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()),
                  newFile ? 4 : 3)
            << "no temporary file left";
    }
}

TEST_F(ConfigurationFileTest, FilesThatAreNotRegularAreRefusedWithoutWaitingAndNeverReplaced) {
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "folder");
    fs::create_symlink("fifo", folder / "link-to-fifo");
    fs::create_symlink("loop", folder / "loop");
    const int socketFile = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    (folder / "socket").string().copy(address.sun_path, sizeof(address.sun_path) - 1);
    ASSERT_EQ(bind(socketFile, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    const std::string notRegular = "is not a regular file";
    for (const auto& [name, says] :
         std::vector<std::pair<std::string, std::string>>{{"fifo", notRegular},
                                                          {"folder", "is a folder"},
                                                          {"socket", notRegular},
                                                          {"link-to-fifo", notRegular},
                                                          {"loop", std::strerror(ELOOP)}}) {
        SCOPED_TRACE(name);
        const fs::path path = folder / name;
        std::error_code loops;
        const fs::file_type before = fs::status(path, loops).type();
        alarm(10); // an open that waits for a writer ends the test program

        const auto read = readConfigurationFile(path);
        const FileResult written = writeConfigurationFile(path, patternImage());

        alarm(0);
        EXPECT_EQ(read.kind(), FileError::CannotOpen);
        // A socket cannot even be opened for reading; the system says why.
        if (name != "socket") {
            EXPECT_EQ(read.detail(), path.string() + ": " + says);
        }
        EXPECT_EQ(written.kind, FileError::CannotWrite);
        EXPECT_EQ(written.detail, path.string() + ": " + says);
        EXPECT_EQ(fs::status(path, loops).type(), before);
    }
    close(socketFile);
    EXPECT_EQ(entries(), 5) << "no temporary file left";
}

TEST_F(ConfigurationFileTest, AFailedWriteLeavesTheOldFileIntact) {
    const std::string old = pattern(DeviceImageSize);
    writeFile(file, old);
    // The folder stays writable to anyone, so that only the full disk or
    // the file's own protection can stop the save.
    fs::permissions(folder.path, fs::perms::all);
    DeviceImage image;
    image.fill(0x42);
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "a file the user may not write" : "a full disk");
        fs::permissions(file, fs::perms::owner_read | fs::perms::group_read |
                                  fs::perms::others_read |
                                  (readOnly ? fs::perms::none : fs::perms::owner_write));
        // A limit on the size of the files this process writes acts as a full
        // disk; the superuser writes anywhere, so the other case runs as nobody.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = readOnly ? saved.rlim_cur : 1000;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool asNobody = readOnly && geteuid() == 0;
        ASSERT_TRUE(!asNobody || seteuid(65534) == 0);
        const FileResult result = writeConfigurationFile(file, image);
        ASSERT_TRUE(!asNobody || seteuid(0) == 0);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        EXPECT_EQ(result.kind, FileError::CannotWrite);
        EXPECT_EQ(contentsOf(file), old);
        EXPECT_EQ(entries(), 1) << "temporary file removed";
    }
}

// Where the interrupted child reports the mode its new file had.
int modePipe = -1;

/// Stands in for a user's Ctrl+C that lands in the middle of the write:
/// tells the new file's mode, then ends the process as SIGINT would.
extern "C" void interruptMidWrite(int /*signal*/) {
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
        if (entry.path().filename().string().starts_with(".vantrel-")) {
            const auto mode = static_cast<unsigned>(entry.status().permissions());
            (void)!write(modePipe, &mode, sizeof mode);
        }
    }
    std::raise(SIGINT);
}

TEST_F(ConfigurationFileTest, ASaveInterruptedMidWriteLeavesTheOldFileAndNothingOthersCanRead) {
    writeFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    std::array<int, 2> ends{};
    ASSERT_EQ(pipe(ends.data()), 0);
    const pid_t child = fork();
    if (child == 0) {
        modePipe = ends[1];
        removeTemporaryFileOnInterrupt();
        // Past the first 1000 bytes the write raises SIGXFSZ, mid-file.
        std::signal(SIGXFSZ, interruptMidWrite);
        const rlimit limit{1000, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        fs::current_path(folder.path);
        (void)writeConfigurationFile(file, patternImage());
        _exit(0);
    }
    close(ends[1]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    unsigned mode = 0;
    const bool told = read(ends[0], &mode, sizeof mode) == sizeof mode;
    close(ends[0]);

    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    ASSERT_TRUE(told) << "the write was not interrupted with its new file in place";
    EXPECT_EQ(mode, static_cast<unsigned>(fs::perms::owner_read | fs::perms::owner_write));
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(entries(), 1) << "the new file was removed";
}
#endif

} // namespace
} // namespace vantrel
