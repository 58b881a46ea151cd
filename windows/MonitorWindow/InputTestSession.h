#pragma once

#include "device/Transfer.h"
#include "files/FileDialogs.h"
#include "formats/ConfigurationSource.h"
#include "monitor/EventDecoder.h"
#include "monitor/MonitorSession.h"
#include "monitor/SeenControls.h"
#include "windows/MonitorWindow/EventFeed.h"
#include "windows/MonitorWindow/LearnWiringSession.h"
#include "windows/MonitorWindow/LearnWiringWindow.h"
#include "windows/MonitorWindow/SessionLog.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

class MonitorWindow;

/// What the input test reaches outside itself. The program passes the
/// device and the event devices; tests pass stand-ins.
struct InputTestServices {
    FileDialogs& fileDialogs;
    /// Reads the attached device's configuration with the read that
    /// refuses a device whose last write was cut off.
    std::function<DeviceConfigurationRead()> readDevice;
    /// The encoders' event devices, or why there are none to read.
    std::function<OpenedLiveFeed()> openLive;
    /// Writes a configuration into the attached device, for Learn Wiring.
    std::function<TransferResult(const LoadedConfiguration&)> writeDevice;
    /// Where Learn Wiring keeps its backups.
    std::filesystem::path backupFolder;
};

/// The input test's session: a front end over the monitor. It takes the
/// events from a feed, has the monitor match them against the
/// configuration, and shows in the window what the monitor reports, what
/// has been seen, and the lines that matched no input or more than one;
/// it keeps the log.
class InputTestSession : public QObject {
    Q_OBJECT
public:
    InputTestSession(MonitorWindow& window, InputTestServices services);
    ~InputTestSession() override;
    InputTestSession(const InputTestSession&) = delete;
    InputTestSession& operator=(const InputTestSession&) = delete;
    InputTestSession(InputTestSession&&) = delete;
    InputTestSession& operator=(InputTestSession&&) = delete;

    /// Reads the configuration from the attached device; on failure the
    /// window says why and offers to open a file.
    bool readDeviceConfiguration();
    /// Opens a configuration file, device image or JSON by its content.
    bool openConfiguration(const std::string& path);
    /// Replays recordings, each as a device of its own, at their own pace;
    /// every one is read before any is played.
    bool replay(const std::vector<std::string>& files);
    /// Reads the encoders' event devices, taken from the desktop while the
    /// window is active.
    bool listen();
    /// Starts a log of the lines; false when the file cannot be made or is
    /// the configuration or a recording in use.
    bool startLog(const std::string& path);
    /// Ends the log with the summary.
    void stopLog();
    /// Learns the panel's wiring for the layout: the recordings stand for
    /// the panel when given, else the encoders' event devices. False when
    /// the layout or the panel cannot be read, or the device cannot be
    /// prepared (the wiring window says why).
    bool learnWiring(const std::string& layout, const std::vector<std::string>& recordings);
    /// The wiring session of the last Learn Wiring, while its window lives.
    [[nodiscard]] LearnWiringSession* wiring() const { return wiring_.get(); }
    [[nodiscard]] LearnWiringWindow* wiringWindow() const { return wiringWindow_.get(); }

    /// Takes what the feed has by `elapsed` microseconds after it began, as
    /// the timer does; tests call it to replay without waiting.
    void advance(std::int64_t elapsed);
    [[nodiscard]] bool feeding() const { return feed_ != nullptr; }
    /// Forgets every mark: the counter starts again at 0.
    void resetMarks();
    /// The summary lines, as the monitor ends with them.
    [[nodiscard]] std::vector<std::string> summaryLines() const;

private:
    void useConfiguration(LoadedConfiguration loaded, const std::string& origin,
                          const std::string& warning);
    void startFeed(std::unique_ptr<EventFeed> feed);
    void stopFeed();
    void pollFeed();
    void show(const std::vector<EncoderReport>& reports);
    void showPress(const MonitorReport& report, const std::string& line);
    /// Lights the control's cell a moment.
    void flash(const ActionSource& source);
    void showHats(const SourcedEvent& event);
    void showCounter();
    void showSourceHint();
    void showSources();
    void grab(bool take);
    void chooseConfiguration();
    void chooseRecording();
    void chooseLog();
    void chooseLayoutToWire();
    void finishSession();

    MonitorWindow& window_;
    InputTestServices services_;
    LoadedConfiguration loaded_;
    std::string configurationOrigin_;
    /// The files the session reads, which no log may replace: the
    /// configuration's (empty when it came from the device) and the
    /// recordings being replayed.
    std::string configurationFile_;
    std::vector<std::string> recordingFiles_;
    /// What the user should know about the configuration in use.
    std::string configurationWarning_;
    std::unique_ptr<MonitorSession> monitor_;
    std::unique_ptr<SeenControls> seen_;
    /// How often each control was pressed since the marks were last reset.
    std::map<std::pair<int, int>, int> presses_;
    std::unique_ptr<EventFeed> feed_;
    std::string feedDescription_;
    /// Each device's events decoded once more, for the hats' positions.
    std::map<std::size_t, EventDecoder> hatDecoders_;
    std::optional<SessionLog> log_;
    /// The window says that another program holds the devices.
    bool heldElsewhere_ = false;
    /// The last recording was played to its end.
    bool replayEnded_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
    std::unique_ptr<LearnWiringWindow> wiringWindow_;
    std::unique_ptr<LearnWiringSession> wiring_;
};

} // namespace vantrel
