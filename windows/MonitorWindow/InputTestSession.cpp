#include "windows/MonitorWindow/InputTestSession.h"

#include "files/PathText.h"
#include "files/RegularFile.h"
#include "monitor/EvemuRecording.h"
#include "monitor/EventCodes.h"
#include "monitor/HatReach.h"
#include "monitor/MonitorText.h"
#include "userinterface/ImageLoadMessage.h"
#include "userinterface/UserInterface.h"
#include "windows/MonitorWindow/MonitorWindow.h"
#include "windows/MonitorWindow/PanelCells.h"
#include "windows/MonitorWindow/ReplayFeed.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <sstream>
#include <variant>

namespace vantrel {
namespace {

/// Often enough that a press lights its cell at once, seldom enough to
/// cost nothing.
constexpr int PollMilliseconds = 10;
/// How long a cell lights whose release will not be reported, or came
/// with its press.
constexpr int FlashMilliseconds = 500;
constexpr int HatDirections = 8;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

std::pair<int, int> key(const ActionSource& source) {
    return {static_cast<int>(source.kind), source.index};
}

/// The hat and direction (0 = N, clockwise) of a joystick code, if it is
/// a hat's.
std::optional<std::pair<int, int>> hatDirection(std::uint8_t code) {
    for (int hat = 0; hat < evdev::HatAxisPairs; ++hat) {
        const int north = *hatCode(hat, 0, -1);
        if (code >= north && code < north + HatDirections) {
            return std::pair{hat, code - north};
        }
    }
    return std::nullopt;
}

/// The one way a recording cannot be replayed; the detail is the window's
/// line for it: the file could not be read, or it holds no recording.
enum class RecordingProblem { None, Unreadable };

Result<RecordingProblem> unreadable(std::string line) {
    return {RecordingProblem::Unreadable, std::move(line)};
}

/// A whole recording, read before anything of it is played, so that a
/// damaged one shows nothing; a FIFO or a device node, which would hold the
/// window up or never end, is refused as the other readers refuse it.
Expected<NamedRecording, RecordingProblem> readRecording(const std::string& file) {
    const Expected<std::string, FileError> bytes =
        readRegularFile(pathFromUtf8(file), static_cast<std::size_t>(MaxEvemuRecordingSize));
    if (!bytes.ok()) {
        return unreadable(bytes.kind() == FileError::TooLong
                              ? file + ": longer than a recording can be"
                              : bytes.detail());
    }
    NamedRecording recording{file, {}};
    std::istringstream in(bytes.value());
    EvemuReader reader(in);
    InputEvent event;
    EvemuReader::Result result = reader.readHeader();
    while (result != EvemuReader::Result::Failed &&
           (result = reader.next(event)) == EvemuReader::Result::Event) {
        recording.events.push_back(event);
    }
    if (!reader.failure().ok()) {
        return unreadable(evemuFailureLine(file, reader.failure()));
    }
    return recording;
}

/// What the window says of a read that gave no configuration: a failed
/// read must not stop the test, so each ends with the way on.
std::string readFailure(const TransferResult& result) {
    std::string cause;
    switch (result.kind) {
    case TransferKind::WriteStartPairFound:
        return "The VANTREL's last write did not finish, so it holds no whole configuration. "
               "Write a configuration to it again, or open a configuration file to test against.";
    case TransferKind::InvalidImage:
        cause = imageLoadMessage(ImageLoadResult::InvalidImage, ImageOrigin::Device).words();
        break;
    case TransferKind::NotFound:
        cause = NotFoundText;
        break;
    case TransferKind::Busy:
        cause = result.device.kind == DeviceProblemKind::LockFileCannotBeOpened
                    ? "The lock file " + result.device.where +
                          " cannot be opened: " + result.device.detail
                    : std::string("The VANTREL is in use by another program");
        break;
    case TransferKind::CannotOpen:
        cause = result.device.detail.empty()
                    ? std::string("The VANTREL cannot be opened")
                    : "The VANTREL cannot be opened: " + result.device.detail;
        break;
    default:
        cause = ReadErrorText;
        break;
    }
    return cause + ". Open a configuration file to test against.";
}

std::vector<int> hatsSent(const Configuration& config) {
    std::vector<int> hats;
    for (int hat = 0; hat < evdev::HatAxisPairs; ++hat) {
        if (sendsHat(config, hat)) {
            hats.push_back(hat);
        }
    }
    return hats;
}

} // namespace

InputTestSession::InputTestSession(MonitorWindow& window, InputTestServices services)
    : window_(window)
    , services_(std::move(services)) {
    timer_.setInterval(PollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &InputTestSession::pollFeed);
    connect(&window_, &MonitorWindow::resetClicked, this, &InputTestSession::resetMarks);
    connect(&window_, &MonitorWindow::openConfigurationClicked, this,
            &InputTestSession::chooseConfiguration);
    connect(&window_, &MonitorWindow::openRecordingClicked, this,
            &InputTestSession::chooseRecording);
    connect(&window_, &MonitorWindow::logClicked, this, &InputTestSession::chooseLog);
    connect(&window_, &MonitorWindow::activeChanged, this, &InputTestSession::grab);
    connect(&window_, &MonitorWindow::closing, this, &InputTestSession::finishSession);
    useConfiguration({}, "", "");
}

InputTestSession::~InputTestSession() {
    finishSession();
}

bool InputTestSession::readDeviceConfiguration() {
    DeviceConfigurationRead read = services_.readDevice();
    if (!read.ok()) {
        window_.showNotice(qText(readFailure(read.failure())),
                           MonitorWindow::OfferConfiguration | MonitorWindow::OfferRecording);
        return false;
    }
    LoadedConfiguration& loaded = read.value();
    const ImageLoadMessage decoded = imageLoadMessage(loaded.decoding, ImageOrigin::Device);
    if (decoded.failed) {
        window_.showNotice(qText(decoded.words()),
                           MonitorWindow::OfferConfiguration | MonitorWindow::OfferRecording);
        return false;
    }
    configurationFile_.clear();
    useConfiguration(std::move(loaded), "the VANTREL", decoded.words());
    return true;
}

bool InputTestSession::openConfiguration(const std::string& path) {
    ConfigurationRead read = loadConfiguration(pathFromUtf8(path));
    if (!read.ok()) {
        window_.showNotice(qText(configurationFailureLine(read.failure())),
                           MonitorWindow::OfferConfiguration);
        return false;
    }
    LoadedConfiguration& loaded = read.value();
    const std::string warning = configurationWarningLine(loaded);
    configurationFile_ = path;
    useConfiguration(std::move(loaded), path, warning);
    return true;
}

void InputTestSession::useConfiguration(LoadedConfiguration loaded, const std::string& origin,
                                        const std::string& warning) {
    loaded_ = std::move(loaded);
    configurationOrigin_ = origin;
    configurationWarning_ = warning;
    std::vector<MonitoredEncoder> encoders;
    encoders.push_back({"", loaded_.config, loaded_.labels});
    monitor_ = std::make_unique<MonitorSession>(std::move(encoders));
    seen_ = std::make_unique<SeenControls>(loaded_.config);
    presses_.clear();
    window_.showPanel(inputCells(loaded_.config, loaded_.labels, *seen_),
                      rotaryCells(loaded_.config, loaded_.labels, *seen_),
                      hatsSent(loaded_.config));
    showSourceHint();
    showCounter();
    showSources();
}

// What the user should know of the configuration, and what is missing for
// the test to show anything: a configuration to trace the presses to, or
// something that sends presses.
void InputTestSession::showSourceHint() {
    std::string text = configurationWarning_;
    int offers = MonitorWindow::NoOffer;
    const auto add = [&text](const std::string& sentence) {
        text += (text.empty() ? "" : " ") + sentence;
    };
    if (configurationOrigin_.empty()) {
        add("No configuration is open, so no press can be traced to an input: open the "
            "configuration to test against.");
        offers |= MonitorWindow::OfferConfiguration | (feed_ ? 0 : MonitorWindow::OfferRecording);
    } else if (!feed_ && replayEnded_) {
        add("The replay has ended. Open a recording to replay another.");
        offers |= MonitorWindow::OfferRecording;
    } else if (!feed_) {
        add("No presses can come in: no VANTREL input devices are read and no recording is "
            "open. Open a recording to try the test without the hardware.");
        offers |= MonitorWindow::OfferRecording;
    }
    if (text.empty()) {
        window_.clearNotice();
    } else {
        window_.showNotice(qText(text), offers);
    }
}

bool InputTestSession::replay(const std::vector<std::string>& files) {
    std::vector<NamedRecording> recordings;
    for (const std::string& file : files) {
        Expected<NamedRecording, RecordingProblem> read = readRecording(file);
        if (!read.ok()) {
            window_.showNotice(qText(read.detail()), MonitorWindow::OfferRecording);
            return false;
        }
        recordings.push_back(std::move(read).value());
    }
    startFeed(std::make_unique<ReplayFeed>(std::move(recordings)));
    recordingFiles_ = files;
    return true;
}

bool InputTestSession::listen() {
    OpenedLiveFeed live = services_.openLive();
    if (!live.ok()) {
        window_.showNotice(qText(live.detail()),
                           MonitorWindow::OfferConfiguration | MonitorWindow::OfferRecording);
        return false;
    }
    startFeed(std::move(live).value());
    recordingFiles_.clear();
    grab(window_.isActiveWindow());
    return true;
}

void InputTestSession::startFeed(std::unique_ptr<EventFeed> feed) {
    stopFeed();
    feed_ = std::move(feed);
    feedDescription_ = feed_->description();
    replayEnded_ = false;
    hatDecoders_.clear();
    // Whatever the last feed left held or half-matched is over.
    useConfiguration(std::move(loaded_), configurationOrigin_, configurationWarning_);
    clock_.start();
    timer_.start();
}

void InputTestSession::stopFeed() {
    timer_.stop();
    if (feed_) {
        (void)feed_->grab(false);
        feed_.reset();
    }
}

void InputTestSession::pollFeed() {
    advance(clock_.nsecsElapsed() / 1000);
}

void InputTestSession::advance(std::int64_t elapsed) {
    if (!feed_) {
        return;
    }
    const EventFeed::Poll poll = feed_->poll(elapsed);
    for (const SourcedEvent& event : poll.events) {
        showHats(event);
        show(monitor_->feed(event));
    }
    if (poll.idleAt) {
        show(monitor_->tick(*poll.idleAt));
    }
    if (poll.deviceEnded) {
        show(monitor_->finish());
    }
    if (!poll.failure.empty()) {
        window_.showNotice(qText(poll.failure),
                           MonitorWindow::OfferConfiguration | MonitorWindow::OfferRecording);
    }
    if (poll.finished || !poll.failure.empty()) {
        stopFeed();
        stopLog();
    }
    if (poll.finished && poll.failure.empty()) {
        replayEnded_ = true;
        showSourceHint();
        showSources();
    }
}

void InputTestSession::show(const std::vector<EncoderReport>& reports) {
    // A press decided only after it was let go comes with its release: its
    // cells flash, as a macro's do.
    std::set<std::pair<int, int>> pressedNow;
    for (const EncoderReport& encoderReport : reports) {
        const MonitorReport& report = encoderReport.report;
        const std::string line = monitor_->text(encoderReport, feed_->deviceName(report.device));
        if (log_) {
            log_->write(line);
        }
        switch (report.kind) {
        case MonitorReport::Kind::Motion:
            window_.showMotion(report.motion);
            break;
        case MonitorReport::Kind::Press:
            showPress(report, line);
            for (const Candidate& candidate : report.candidates) {
                pressedNow.insert(key(candidate.source));
            }
            break;
        case MonitorReport::Kind::Release:
            for (const Candidate& candidate : report.candidates) {
                if (pressedNow.contains(key(candidate.source))) {
                    flash(candidate.source);
                } else {
                    window_.setHeld(candidate.source, false);
                }
            }
            break;
        }
    }
}

void InputTestSession::showPress(const MonitorReport& report, const std::string& line) {
    std::vector<ActionSource> controls;
    std::ranges::transform(report.candidates, std::back_inserter(controls), &Candidate::source);
    window_.showLastPress(controls, qText(report.action));
    if (report.candidates.size() != 1) {
        window_.addLine(qText(line));
    }
    if (report.candidates.empty()) {
        return;
    }
    seen_->markPress(report.candidates, report.action);
    const bool decided = report.candidates.size() == 1;
    // The release of a press a macro may have made is never reported (the
    // macro's own steps are all that arrives), so such cells only flash.
    const bool macro = std::ranges::any_of(report.candidates, &Candidate::macro);
    for (const ActionSource& source : controls) {
        if (decided) {
            window_.setSeen(source, ++presses_[key(source)]);
        } else {
            window_.setMaybe(source, seen_->maybe(source));
        }
        window_.setHeld(source, true);
        if (macro) {
            flash(source);
        }
    }
    showCounter();
}

void InputTestSession::flash(const ActionSource& source) {
    QTimer::singleShot(FlashMilliseconds, &window_,
                       [this, source] { window_.setHeld(source, false); });
}

void InputTestSession::showHats(const SourcedEvent& event) {
    for (const DecodedEvent& decoded : hatDecoders_[event.device].decode(event.event)) {
        const auto* control = std::get_if<ControlEvent>(&decoded);
        if (control == nullptr || control->keyType != KeyTypeJoystick || control->values.empty()) {
            continue;
        }
        if (const auto hat = hatDirection(control->values.front())) {
            if (control->pressed) {
                window_.showHat(hat->first, hat->second);
            } else if (window_.hatDirection(hat->first) == hat->second) {
                window_.showHat(hat->first, std::nullopt);
            }
        }
    }
}

void InputTestSession::showCounter() {
    const SeenSummary summary = seen_->summary();
    window_.setCounter(static_cast<int>(summary.seen), static_cast<int>(summary.used));
    window_.showUnseen(summary.notSeen);
}

void InputTestSession::showSources() {
    QString text = "Configuration: " + (configurationOrigin_.empty() ? QStringLiteral("none")
                                                                     : qText(configurationOrigin_));
    if (feed_) {
        text += QStringLiteral("; ") + qText(feedDescription_);
    } else if (replayEnded_) {
        text += QStringLiteral("; ") + qText(feedDescription_) + QStringLiteral(" (ended)");
    }
    window_.showSources(text);
}

void InputTestSession::resetMarks() {
    seen_ = std::make_unique<SeenControls>(loaded_.config);
    presses_.clear();
    window_.clearMarks();
    showCounter();
}

std::vector<std::string> InputTestSession::summaryLines() const {
    return summaryText(seen_->summary(), loaded_.labels);
}

bool InputTestSession::startLog(const std::string& path) {
    stopLog();
    if (const LogOverInput replaced = logOverInput(path, configurationFile_, recordingFiles_);
        !replaced.ok()) {
        window_.showNotice(qText(logOverInputText(path, replaced)), MonitorWindow::NoOffer);
        window_.showLogging(false);
        return false;
    }
    log_.emplace(path);
    if (!log_->ok()) {
        log_.reset();
        window_.showNotice(qText(path + ": the log cannot be written there"),
                           MonitorWindow::NoOffer);
        window_.showLogging(false);
        return false;
    }
    window_.showLogging(true);
    return true;
}

void InputTestSession::stopLog() {
    if (log_) {
        for (const std::string& line : summaryLines()) {
            log_->write(line);
        }
        log_.reset();
    }
    window_.showLogging(false);
}

void InputTestSession::grab(bool take) {
    if (!feed_) {
        return;
    }
    const EventFeed::Grab grabbed = feed_->grab(take);
    if (grabbed == EventFeed::Grab::HeldElsewhere) {
        window_.showNotice(
            QStringLiteral("Another program holds the VANTREL's input devices (vantrelctl "
                           "monitor, perhaps): presses reach that program, not this window."),
            MonitorWindow::NoOffer);
        heldElsewhere_ = true;
    } else if (grabbed == EventFeed::Grab::Taken && heldElsewhere_) {
        window_.clearNotice();
        heldElsewhere_ = false;
    }
}

void InputTestSession::chooseConfiguration() {
    if (const auto path = services_.fileDialogs.getOpenFileName(
            {"Open Configuration", "", "", "Configurations", "*.cfg;*.json"})) {
        openConfiguration(*path);
    }
}

void InputTestSession::chooseRecording() {
    if (const auto path = services_.fileDialogs.getOpenFileName(
            {"Open Recording", "", "", "evemu recordings", "*.evemu;*.txt"})) {
        replay({*path});
    }
}

void InputTestSession::chooseLog() {
    if (log_) {
        stopLog();
        return;
    }
    FileDialogRequest request{"Log to File", "", "input-test.txt", "Text files", "*.txt"};
    request.confirmOverwrite = true;
    if (const auto path = services_.fileDialogs.getSaveFileName(request)) {
        startLog(*path);
    } else {
        window_.showLogging(false);
    }
}

void InputTestSession::finishSession() {
    stopFeed();
    stopLog();
}

} // namespace vantrel
