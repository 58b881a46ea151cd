#include "windows/MonitorWindow/LearnWiringSession.h"

#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "formats/JsonExport.h"
#include "model/SourceNames.h"
#include "reports/ConfigurationDiff.h"
#include "windows/MonitorWindow/LearnWiringWindow.h"
#include "wiring/WiringBackups.h"
#include "wiring/WiringProbe.h"

#include <chrono>
#include <system_error>

namespace vantrel {
namespace {

constexpr int PollMilliseconds = 20;

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

/// The window wires one encoder: an input is named alone.
std::string where(const FoundInput& input) {
    return inputName(input.input);
}

} // namespace

LearnWiringSession::LearnWiringSession(LearnWiringWindow& window, WiringDevice device,
                                       LoadedConfiguration layout, std::filesystem::path wiredPath,
                                       std::unique_ptr<EventFeed> feed)
    : window_(window)
    , device_(std::move(device))
    , layout_(std::move(layout))
    , wiredPath_(std::move(wiredPath))
    , feed_(std::move(feed))
    , session_(layout_.config, layout_.labels, WiringSession::Order::AsAsked)
    , trace_(1, {}) {
    timer_.setInterval(PollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] { advance(clock_.nsecsElapsed() / 1000); });
    connect(&window_, &LearnWiringWindow::skipClicked, this, &LearnWiringSession::skip);
    connect(&window_, &LearnWiringWindow::backClicked, this, &LearnWiringSession::back);
    connect(&window_, &LearnWiringWindow::stopClicked, this, [this] {
        if (state_ == State::Asking) {
            stop();
        } else {
            window_.accept();
        }
    });
}

LearnWiringSession::~LearnWiringSession() {
    if (state_ == State::Asking) {
        stop();
    }
}

bool LearnWiringSession::start() {
    window_.setAsking(false);
    if (session_.controls().empty()) {
        window_.showAsk(QStringLiteral("Nothing to ask for"));
        window_.showStatus(qText(layout_.source + " has no control to ask for."));
        return false;
    }
    window_.showAsk(QStringLiteral("Reading the VANTREL..."));
    DeviceConfigurationRead read = device_.read();
    if (read.ok()) {
        before_ = std::move(read).value();
        if (isWiringProbe(before_.config)) {
            const auto newest = newestWiringBackup(device_.backupFolder);
            window_.showAsk(QStringLiteral("The VANTREL holds the wiring probe"));
            window_.showStatus(qText(
                "A wiring session that was stopped left it there. " +
                (newest ? "Open the backup " + utf8Text(*newest) +
                              " in the configuration program and write it to the VANTREL first."
                        : std::string("Write the configuration it should hold first."))));
            return false;
        }
    } else if (read.kind() != TransferKind::InvalidImage) {
        window_.showAsk(QStringLiteral("The VANTREL could not be read"));
        window_.showStatus(QStringLiteral("Nothing was changed. Check the cable and try again."));
        return false;
    }
    // A device with no configuration is backed up as a blank one, which is
    // what it goes back to.
    DeviceImage image{};
    if (before_.image) {
        image = *before_.image;
    } else {
        buildDeviceImage(image, before_.config, before_.settings);
    }
    std::error_code error;
    std::filesystem::create_directories(device_.backupFolder, error);
    backupPath_ = newWiringBackup(device_.backupFolder, std::chrono::system_clock::now());
    if (const FileResult saved = writeConfigurationFile(backupPath_, image); !saved.ok()) {
        window_.showAsk(QStringLiteral("No backup could be saved"));
        window_.showStatus(qText(saved.detail + ". Nothing was written to the VANTREL."));
        return false;
    }
    LoadedConfiguration probe;
    probe.config = wiringProbe();
    probeWritten_ = true;
    state_ = State::Asking;
    if (!writeVerified(probe, "the wiring probe")) {
        restore("The wiring probe could not be written.");
        return false;
    }
    window_.setAsking(true);
    window_.showStatus(qText("The VANTREL's configuration was saved as " + utf8Text(backupPath_) +
                             ". Press each control as it is asked for."));
    showSession({});
    clock_.start();
    timer_.start();
    return true;
}

void LearnWiringSession::advance(std::int64_t elapsed) {
    if (state_ != State::Asking || !feed_) {
        return;
    }
    const EventFeed::Poll poll = feed_->poll(elapsed);
    for (const SourcedEvent& event : poll.events) {
        apply(trace_.feed(event));
    }
    if (poll.idleAt) {
        apply(trace_.tick(*poll.idleAt));
    }
    if (poll.deviceEnded) {
        apply(trace_.finish());
    }
    if (state_ != State::Asking) {
        return;
    }
    if (!poll.failure.empty()) {
        restore(poll.failure);
    } else if (poll.finished) {
        restore("The recording ended before every control was answered.");
    }
}

void LearnWiringSession::apply(const std::vector<TracedPress>& presses) {
    for (const TracedPress& press : presses) {
        if (state_ != State::Asking) {
            return;
        }
        showSession(applyPress(session_, press));
        if (session_.finished()) {
            finish();
        }
    }
}

void LearnWiringSession::skip() {
    if (state_ == State::Asking) {
        showSession(session_.skip());
        if (session_.finished()) {
            finish();
        }
    }
}

void LearnWiringSession::back() {
    if (state_ == State::Asking) {
        showSession(session_.back());
    }
}

void LearnWiringSession::stop() {
    restore("Stopped before every control was answered.");
}

void LearnWiringSession::showSession(const WiringAnswer& answer) {
    const auto label = [this](std::size_t control) {
        return session_.controls().at(control).label;
    };
    const auto asked = session_.asked();
    const std::string next = asked ? "press " + label(*asked) + "." : "";
    std::string said;
    switch (answer.step) {
    case WiringStep::Bound:
        said = label(answer.control) + " is on " + where(answer.input) + ".";
        break;
    case WiringStep::AlreadyBound:
        said = where(answer.input) + " is " + label(answer.control) + " already: " + next;
        break;
    case WiringStep::NotAnInput:
        said = "That was a rotary switch, which stays as the layout has it: " + next;
        break;
    case WiringStep::Skipped:
        said = label(answer.control) + " skipped.";
        break;
    case WiringStep::WentBack:
        said = "Back to " + label(answer.control) + ".";
        break;
    case WiringStep::NothingBefore:
        said = "Nothing comes before the first control.";
        break;
    default:
        break;
    }
    if (!said.empty()) {
        window_.showStatus(qText(said));
    }
    if (asked) {
        window_.showAsk(qText("Press " + label(*asked)));
    }
    QStringList rows;
    for (const WiringControl& control : session_.controls()) {
        const std::string found = control.found     ? where(*control.found)
                                  : control.skipped ? std::string("skipped")
                                                    : std::string();
        rows << qText(found.empty() ? control.label : control.label + "  \u2192  " + found);
    }
    window_.showControls(rows, asked ? static_cast<int>(*asked) : -1);
}

bool LearnWiringSession::writeVerified(const LoadedConfiguration& loaded, const std::string& what) {
    if (!device_.write(loaded).ok()) {
        window_.showStatus(qText("Writing " + what + " to the VANTREL failed."));
        return false;
    }
    const DeviceConfigurationRead read = device_.read();
    if (!read.ok() || !configurationDifferences(loaded.config, loaded.settings, read.value().config,
                                                read.value().settings)
                           .empty()) {
        window_.showStatus(qText("The VANTREL does not hold " + what + " that was written."));
        return false;
    }
    return true;
}

void LearnWiringSession::finish() {
    timer_.stop();
    const WiredEncoder wired = session_.wired(layout_.config, layout_.labels, 1).front();
    const std::string text = exportConfigurationText(wired.config, layout_.settings, &wired.labels);
    if (const FileResult saved = writeFileAtomically(wiredPath_, text); !saved.ok()) {
        restore("The wired layout could not be saved: " + saved.detail + ".");
        return;
    }
    LoadedConfiguration loaded;
    loaded.config = wired.config;
    loaded.settings = layout_.settings;
    if (!writeVerified(loaded, "the wired configuration")) {
        restore("The wired layout was saved as " + utf8Text(wiredPath_) + ".");
        return;
    }
    state_ = State::Wired;
    window_.setAsking(false);
    window_.showAsk(QStringLiteral("Wired"));
    window_.showStatus(qText("Saved as " + utf8Text(wiredPath_) +
                             ", written to the VANTREL and verified. The backup stays in " +
                             utf8Text(backupPath_) + "."));
}

void LearnWiringSession::restore(const std::string& why) {
    timer_.stop();
    window_.setAsking(false);
    if (probeWritten_ && writeVerified(before_, "the backup")) {
        state_ = State::Restored;
        window_.showAsk(QStringLiteral("Stopped"));
        window_.showStatus(qText(why +
                                 " The configuration the VANTREL held before was written "
                                 "back from " +
                                 utf8Text(backupPath_) + "."));
        return;
    }
    state_ = State::Failed;
    window_.showAsk(QStringLiteral("The VANTREL still holds the wiring probe"));
    window_.showStatus(qText(why + " The backup could not be written back: open " +
                             utf8Text(backupPath_) +
                             " in the configuration program and write it to the VANTREL."));
}

} // namespace vantrel
