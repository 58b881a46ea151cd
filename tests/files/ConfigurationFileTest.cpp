#include "ConfigurationFile.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace vantrel {
namespace {

namespace fs = std::filesystem;

/// A fresh folder per test, removed afterwards.
class ConfigurationFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  (std::string("vantrel-files-") + info->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path path(const std::string& name) const { return folder_ / name; }

    static void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& data) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
    }
    static std::vector<std::uint8_t> readBytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<fs::path> folderContents() const {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename());
        }
        return names;
    }

    static std::vector<std::uint8_t> pattern(std::size_t length) {
        std::vector<std::uint8_t> data(length);
        for (std::size_t i = 0; i < length; ++i) {
            data[i] = static_cast<std::uint8_t>(i * 7 + 1);
        }
        return data;
    }

    static DeviceImage patternImage() {
        DeviceImage image;
        const auto data = pattern(DeviceImageSize);
        std::copy(data.begin(), data.end(), image.begin());
        return image;
    }

private:
    fs::path folder_;
};

TEST_F(ConfigurationFileTest, ReadsAnyLengthUpToTheImageAndZeroFillsTheTail) {
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{1}, DeviceImageSize - 1, DeviceImageSize}) {
        const fs::path file = path("config.cfg");
        writeBytes(file, pattern(length));
        DeviceImage image;
        image.fill(0xAA);

        const FileResult result = readConfigurationFile(file, image);

        ASSERT_TRUE(result.ok()) << length << ": " << result.detail;
        const auto expected = pattern(length);
        for (std::size_t i = 0; i < DeviceImageSize; ++i) {
            ASSERT_EQ(image[i], i < length ? expected[i] : 0) << "length " << length << " at " << i;
        }
    }
}

TEST_F(ConfigurationFileTest, RefusesALongerFileAndLeavesTheImageAlone) {
    for (const std::size_t length : {DeviceImageSize + 1, std::size_t{100000}}) {
        writeBytes(path("long.cfg"), pattern(length));
        DeviceImage image;
        image.fill(0xAA);
        EXPECT_EQ(readConfigurationFile(path("long.cfg"), image).error, FileError::TooLong);
        EXPECT_EQ(image[0], 0xAA);
        EXPECT_EQ(image[DeviceImageSize - 1], 0xAA);
    }
}

TEST_F(ConfigurationFileTest, ReportsWhatCannotBeOpened) {
    DeviceImage image{};
    const FileResult missing = readConfigurationFile(path("missing.cfg"), image);
    EXPECT_EQ(missing.error, FileError::CannotOpen);
    EXPECT_NE(missing.detail.find("missing.cfg"), std::string::npos);

    fs::create_directory(path("folder.cfg"));
    EXPECT_EQ(readConfigurationFile(path("folder.cfg"), image).error, FileError::CannotOpen);
}

TEST_F(ConfigurationFileTest, WritesExactlyTheImageAndReplacesAnOldFile) {
    writeBytes(path("config.cfg"), pattern(10));
    const DeviceImage image = patternImage();

    ASSERT_TRUE(writeConfigurationFile(path("config.cfg"), image).ok());

    EXPECT_EQ(readBytes(path("config.cfg")), std::vector<std::uint8_t>(image.begin(), image.end()));
    EXPECT_EQ(folderContents(), std::vector<fs::path>{"config.cfg"}) << "no temporary file left";
}

TEST_F(ConfigurationFileTest, KeepsPermissionsAndSymbolicLinks) {
    writeBytes(path("real.cfg"), pattern(5));
    fs::permissions(path("real.cfg"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.cfg", path("link.cfg"));

    ASSERT_TRUE(writeConfigurationFile(path("link.cfg"), patternImage()).ok());

    EXPECT_TRUE(fs::is_symlink(path("link.cfg")));
    EXPECT_EQ(readBytes(path("real.cfg")).size(), DeviceImageSize);
    EXPECT_EQ(fs::status(path("real.cfg")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ConfigurationFileTest, CannotCreateAFileInAMissingFolder) {
    const FileResult result = writeConfigurationFile(path("absent") / "config.cfg", patternImage());
    EXPECT_EQ(result.error, FileError::CannotWrite);
    EXPECT_FALSE(result.detail.empty());
}

#ifndef _WIN32
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
    const auto old = pattern(DeviceImageSize);
    writeBytes(path("config.cfg"), old);
    DeviceImage image;
    image.fill(0x42);

    FileResult result;
    {
        const FileSizeLimit limit(1000);
        result = writeConfigurationFile(path("config.cfg"), image);
    }

    EXPECT_EQ(result.error, FileError::CannotWrite);
    EXPECT_EQ(readBytes(path("config.cfg")), old);
    EXPECT_EQ(folderContents(), std::vector<fs::path>{"config.cfg"}) << "temporary file removed";
}
#endif

} // namespace
} // namespace vantrel
