#pragma once

#include "device/Transfer.h"
#include "formats/ConfigurationSource.h"
#include "windows/MonitorWindow/EventFeed.h"
#include "wiring/WiringSession.h"
#include "wiring/WiringTrace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vantrel {

class LearnWiringWindow;

/// What the image read from the attached device decoded to, or how the
/// read failed.
using DeviceConfigurationRead = Expected<LoadedConfiguration, TransferKind, TransferResult>;

/// The device as a wiring session reaches it: the program passes the
/// attached device, tests an emulator.
struct WiringDevice {
    /// The read that refuses a device whose last write was cut off.
    std::function<DeviceConfigurationRead()> read;
    std::function<TransferResult(const LoadedConfiguration&)> write;
    /// Where the backups are kept.
    std::filesystem::path backupFolder;
};

/// The window's wiring session: it backs the device up, writes the probe,
/// asks for the layout's controls one by one as the panel's presses come
/// from the feed, and at the end writes the wired layout beside the layout
/// and into the device; stopped before, it gives the device its backup back.
class LearnWiringSession : public QObject {
    Q_OBJECT
public:
    enum class State { Asking, Wired, Restored, Failed };

    LearnWiringSession(LearnWiringWindow& window, WiringDevice device, LoadedConfiguration layout,
                       std::filesystem::path wiredPath, std::unique_ptr<EventFeed> feed);
    /// A session still asking gives the device its backup back.
    ~LearnWiringSession() override;
    LearnWiringSession(const LearnWiringSession&) = delete;
    LearnWiringSession& operator=(const LearnWiringSession&) = delete;
    LearnWiringSession(LearnWiringSession&&) = delete;
    LearnWiringSession& operator=(LearnWiringSession&&) = delete;

    /// Backs up, writes the probe and starts asking; false (the window
    /// says why) when the device could not be prepared.
    bool start();
    /// Takes what the feed has by `elapsed` microseconds, as the timer does.
    void advance(std::int64_t elapsed);
    void skip();
    void back();
    /// Stops asking and writes the backup back.
    void stop();

    [[nodiscard]] State state() const { return state_; }
    [[nodiscard]] const WiringSession& session() const { return session_; }
    [[nodiscard]] const std::filesystem::path& backupPath() const { return backupPath_; }

private:
    void apply(const std::vector<TracedPress>& presses);
    void showSession(const WiringAnswer& answer);
    void finish();
    void restore(const std::string& why);
    /// Writes and reads back to compare; the window says what went wrong.
    bool writeVerified(const LoadedConfiguration& loaded, const std::string& what);

    LearnWiringWindow& window_;
    WiringDevice device_;
    LoadedConfiguration layout_;
    std::filesystem::path wiredPath_;
    std::unique_ptr<EventFeed> feed_;
    WiringSession session_;
    WiringTrace trace_;
    LoadedConfiguration before_;
    std::filesystem::path backupPath_;
    State state_ = State::Failed;
    bool probeWritten_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace vantrel
