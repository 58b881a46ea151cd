#include "ConfigurationFile.h"

#include "TemporaryFolder.h"

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

DeviceImage patternImage() {
    DeviceImage image{};
    const std::string data = pattern(DeviceImageSize);
    std::copy(data.begin(), data.end(), image.begin());
    return image;
}

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
        DeviceImage image;
        image.fill(0xAA);

        const FileResult result = readConfigurationFile(file, image);

        if (length > DeviceImageSize) {
            EXPECT_EQ(result.error, FileError::TooLong);
            EXPECT_EQ(bytesOf(image), std::string(DeviceImageSize, '\xAA')) << "left alone";
        } else {
            ASSERT_TRUE(result.ok()) << result.detail;
            std::string expected = pattern(length);
            expected.resize(DeviceImageSize, '\0');
            EXPECT_EQ(bytesOf(image), expected);
        }
    }
}

TEST_F(ConfigurationFileTest, ReportsWhatCannotBeOpened) {
    DeviceImage image{};
    const FileResult missing = readConfigurationFile(folder / "missing.cfg", image);
    EXPECT_EQ(missing.error, FileError::CannotOpen);
    EXPECT_NE(missing.detail.find("missing.cfg"), std::string::npos);

    fs::create_directory(folder / "folder.cfg");
    EXPECT_EQ(readConfigurationFile(folder / "folder.cfg", image).error, FileError::CannotOpen);
}

TEST_F(ConfigurationFileTest, WritesExactlyTheImageOverAnOldFile) {
    writeFile(file, pattern(10));

    ASSERT_TRUE(writeConfigurationFile(file, patternImage()).ok());

    EXPECT_EQ(contentsOf(file), bytesOf(patternImage()));
    EXPECT_EQ(entries(), 1) << "no temporary file left";
}

TEST_F(ConfigurationFileTest, KeepsPermissionsAndSymbolicLinks) {
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    writeFile(file, pattern(5));
    fs::permissions(file, permissions);
    fs::create_symlink("config.cfg", folder / "link.cfg");

    ASSERT_TRUE(writeConfigurationFile(folder / "link.cfg", patternImage()).ok());

    EXPECT_TRUE(fs::is_symlink(folder / "link.cfg"));
    EXPECT_EQ(contentsOf(file), bytesOf(patternImage()));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, permissions);
}

TEST_F(ConfigurationFileTest, SavesANameAsLongAsTheFolderAllows) {
    const fs::path longest = folder / std::string(254, 'n');

    ASSERT_TRUE(writeConfigurationFile(longest, patternImage()).ok());

    EXPECT_EQ(contentsOf(longest), bytesOf(patternImage()));
    EXPECT_EQ(entries(), 1);
}

#ifndef _WIN32
/// Makes a listening socket's file at `path`; the socket stays open as long
/// as the object lives.
class SocketFile {
public:
    explicit SocketFile(const fs::path& path)
        : descriptor_(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.string().copy(address.sun_path, sizeof(address.sun_path) - 1);
        EXPECT_EQ(bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)),
                  0);
    }
    ~SocketFile() { close(descriptor_); }
    SocketFile(const SocketFile&) = delete;
    SocketFile& operator=(const SocketFile&) = delete;

private:
    int descriptor_;
};

/// Ends the test program if what it guards has not finished in time, so that
/// an open that blocks fails the test instead of hanging it.
class Deadline {
public:
    Deadline() { alarm(10); }
    ~Deadline() { alarm(0); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
};

/// Every kind of file that is not a regular one, by name in the folder, and
/// what the refusal says about it.
struct OddFile {
    const char* name;
    const char* says;
};

class OddFiles : public ConfigurationFileTest {
protected:
    void SetUp() override {
        ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
        fs::create_directory(folder / "folder");
        fs::create_symlink("/dev/null", folder / "device");
        fs::create_symlink("fifo", folder / "link-to-fifo");
    }

    const std::vector<OddFile> oddFiles = {
        {"fifo", "is not a regular file"},         {"folder", "is a folder"},
        {"device", "is not a regular file"},       {"socket", "is not a regular file"},
        {"link-to-fifo", "is not a regular file"},
    };
    const SocketFile socketFile{folder / "socket"};
};

TEST_F(OddFiles, AreRefusedForReadingWithoutWaiting) {
    for (const OddFile& odd : oddFiles) {
        SCOPED_TRACE(odd.name);
        DeviceImage image;
        image.fill(0xAA);
        FileResult result;
        {
            const Deadline deadline;
            result = readConfigurationFile(folder / odd.name, image);
        }
        EXPECT_EQ(result.error, FileError::CannotOpen);
        // A socket cannot even be opened; the system says why.
        if (std::string_view(odd.name) != "socket") {
            EXPECT_EQ(result.detail, (folder / odd.name).string() + ": " + odd.says);
        }
        EXPECT_EQ(bytesOf(image), std::string(DeviceImageSize, '\xAA'));
    }
}

TEST_F(OddFiles, AreNeverReplacedByAWrite) {
    for (const OddFile& odd : oddFiles) {
        SCOPED_TRACE(odd.name);
        const fs::file_type before = fs::status(folder / odd.name).type();

        const FileResult result = writeConfigurationFile(folder / odd.name, patternImage());

        EXPECT_EQ(result.error, FileError::CannotWrite);
        EXPECT_EQ(result.detail, (folder / odd.name).string() + ": " + odd.says);
        EXPECT_EQ(fs::status(folder / odd.name).type(), before);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(entries(), 5) << "no temporary file left";
}

TEST_F(ConfigurationFileTest, WritesThroughADanglingLinkButRefusesALoop) {
    fs::create_symlink("target.cfg", folder / "dangling.cfg");
    ASSERT_TRUE(writeConfigurationFile(folder / "dangling.cfg", patternImage()).ok());
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.cfg"));
    EXPECT_EQ(contentsOf(folder / "target.cfg"), bytesOf(patternImage()));

    fs::create_symlink("b.cfg", folder / "a.cfg");
    fs::create_symlink("a.cfg", folder / "b.cfg");
    const FileResult loop = writeConfigurationFile(folder / "a.cfg", patternImage());
    EXPECT_EQ(loop.error, FileError::CannotWrite);
    EXPECT_EQ(loop.detail, (folder / "a.cfg").string() + ": " + std::strerror(ELOOP));
    EXPECT_TRUE(fs::is_symlink(folder / "a.cfg"));
    EXPECT_TRUE(fs::is_symlink(folder / "b.cfg"));
}

/// Limits the size of any file this process writes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(ConfigurationFileTest, AFailedWriteLeavesTheOldFileIntact) {
    const std::string old = pattern(DeviceImageSize);
    writeFile(file, old);
    DeviceImage image;
    image.fill(0x42);

    FileResult result;
    {
        const FileSizeLimit limit(1000);
        result = writeConfigurationFile(file, image);
    }

    EXPECT_EQ(result.error, FileError::CannotWrite);
    EXPECT_EQ(contentsOf(file), old);
    EXPECT_EQ(entries(), 1) << "temporary file removed";

    const FileResult noFolder = writeConfigurationFile(folder / "absent" / "config.cfg", image);
    EXPECT_EQ(noFolder.error, FileError::CannotWrite);
    EXPECT_FALSE(noFolder.detail.empty());
}

/// Acts as an unprivileged user while it lives when the tests run as root,
/// for whom every file is writable.
class UnprivilegedUser {
public:
    UnprivilegedUser()
        : wasRoot_(geteuid() == 0) {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~UnprivilegedUser() {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    UnprivilegedUser(const UnprivilegedUser&) = delete;
    UnprivilegedUser& operator=(const UnprivilegedUser&) = delete;

private:
    bool wasRoot_;
};

TEST_F(ConfigurationFileTest, DoesNotReplaceAFileTheUserMayNotWrite) {
    const std::string old = pattern(10);
    writeFile(file, old);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // The folder itself stays writable, so only the file's own protection
    // can stop the save.
    fs::permissions(folder.path, fs::perms::all);

    FileResult result;
    {
        const UnprivilegedUser user;
        result = writeConfigurationFile(file, patternImage());
    }

    EXPECT_EQ(result.error, FileError::CannotWrite);
    EXPECT_EQ(contentsOf(file), old);
    EXPECT_EQ(entries(), 1);
}
#endif

} // namespace
} // namespace vantrel
