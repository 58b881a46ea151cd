#include "app/ConfigurationProgram.h"
#include "bench/UnseenUser.h"
#include "device/EmulatedDevice.h"
#include "device/Transfer.h"
#include "tests/support/LimitConfiguration.h"
#include "windows/MonitorWindow/InputTestSession.h"
#include "windows/MonitorWindow/MonitorWindow.h"
#include "windows/frmStatus/StatusProgress.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSize>
#include <QTimer>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>
#include <memory>
#include <optional>

// What the user waits for in the windows, each beside a baseline measured in
// the same run: start-up against a plain window with as many rows, the
// progress window against a transfer that shows nothing. Offscreen, so the
// figures leave out the display server but keep every widget's own work.
namespace vantrel {
namespace {

/// Lets the window system catch up: show, expose, layout and paint events.
void settle() {
    QApplication::processEvents();
    QApplication::processEvents();
}

/// Paints the whole window now, as its first appearance on screen would.
void paintNow(QWidget& window) {
    benchmark::DoNotOptimize(window.grab());
}

/// The baseline: a QMainWindow with 108 rows of a label, two options and a
/// button in a scrolling column, and nothing else.
std::unique_ptr<QMainWindow> plainWindowWithRows(QSize size) {
    auto window = std::make_unique<QMainWindow>();
    auto* column = new QWidget;
    auto* rows = new QVBoxLayout(column);
    for (int i = 0; i < InputCount; ++i) {
        auto* row = new QWidget;
        auto* cells = new QHBoxLayout(row);
        cells->addWidget(new QLabel(QStringLiteral("Input %1").arg(i + 1)));
        auto* options = new QButtonGroup(row);
        for (const char* caption : {"Single Key", "Macro"}) {
            auto* option = new QRadioButton(QString::fromLatin1(caption));
            options->addButton(option);
            cells->addWidget(option);
        }
        options->buttons().constFirst()->setChecked(true);
        cells->addWidget(new QPushButton(QStringLiteral("Not Used")));
        rows->addWidget(row);
    }
    auto* scroller = new QScrollArea;
    scroller->setWidget(column);
    window->setCentralWidget(scroller);
    window->resize(size);
    return window;
}

/// The size the main window opens at, so that the baseline paints as many
/// pixels.
QSize mainWindowSize() {
    EmulatedDevice device;
    ConfigurationProgram program(device);
    program.start();
    settle();
    return program.window().size();
}

void PlainWindowStartup(benchmark::State& state) {
    const QSize size = mainWindowSize();
    for ([[maybe_unused]] auto _ : state) {
        auto window = plainWindowWithRows(size);
        window->show();
        settle();
        paintNow(*window);
        state.PauseTiming();
        window.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(PlainWindowStartup)->Unit(benchmark::kMillisecond);

void MainWindowStartup(benchmark::State& state) {
    EmulatedDevice device;
    for ([[maybe_unused]] auto _ : state) {
        auto program = std::make_unique<ConfigurationProgram>(device);
        if (!program->start()) {
            state.SkipWithError("the program did not start");
            break;
        }
        settle();
        paintNow(program->window());
        state.PauseTiming();
        program.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(MainWindowStartup)->Unit(benchmark::kMillisecond);

/// Every input used, with a label: the most cells the input test shows.
LoadedConfiguration fullPanel() {
    LoadedConfiguration loaded;
    loaded.config = testing::configurationAtTheLimit();
    for (int i = 0; i < InputCount; ++i) {
        loaded.labels.inputs.at(static_cast<std::size_t>(i)) = "P1 Button " + std::to_string(i);
    }
    return loaded;
}

/// No file chooser opens while the window starts.
class NoFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> getSaveFileName(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
    std::optional<std::string> getOpenFileName(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
};

// The input test from its construction to its first paint, with the
// configuration read (here handed over at once) and every cell made.
void InputTestStartup(benchmark::State& state) {
    LoadedConfiguration panel = fullPanel();
    NoFileDialogs dialogs;
    for ([[maybe_unused]] auto _ : state) {
        auto window = std::make_unique<MonitorWindow>();
        auto session = std::make_unique<InputTestSession>(
            *window,
            InputTestServices{dialogs,
                              [&panel] { return DeviceConfigurationRead{panel}; },
                              []() -> OpenedLiveFeed {
                                  return Result<LiveFeedError>{LiveFeedError::NotAttached, "none"};
                              },
                              {},
                              {}});
        window->show();
        if (!session->readDeviceConfiguration()) {
            state.SkipWithError("the configuration was not taken");
            break;
        }
        settle();
        paintNow(*window);
        state.PauseTiming();
        session.reset();
        window.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(InputTestStartup)->Unit(benchmark::kMillisecond);

/// A started program showing the largest configuration.
class StartedProgram {
public:
    StartedProgram()
        : program_(device_) {
        started_ = program_.start();
        program_.configuration() = testing::configurationAtTheLimit();
        program_.window().RedrawCaptions();
        settle();
    }

    [[nodiscard]] bool started() const { return started_; }
    [[nodiscard]] frmMain& window() { return program_.window(); }

private:
    EmulatedDevice device_;
    ConfigurationProgram program_;
    bool started_ = false;
};

void RedrawCaptions(benchmark::State& state) {
    StartedProgram program;
    if (!program.started()) {
        state.SkipWithError("the program did not start");
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        program.window().RedrawCaptions();
    }
    state.SetItemsProcessed(state.iterations() * InputCount);
}
BENCHMARK(RedrawCaptions)->Unit(benchmark::kMicrosecond);

/// One step of the scroll bar's arrow, up to the moved rows painted;
/// alternately down and up, so that every step moves the rows.
void ScrollStep(benchmark::State& state) {
    StartedProgram program;
    auto* bar = program.window().findChild<QScrollBar*>(QStringLiteral("ScrollBar"));
    if (!program.started() || bar == nullptr || bar->maximum() < 1) {
        state.SkipWithError("no scroll bar to step");
        return;
    }
    int direction = 1;
    for ([[maybe_unused]] auto _ : state) {
        bar->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd
                                         : QAbstractSlider::SliderSingleStepSub);
        settle(); // paints what the step moved
        direction = -direction;
    }
}
BENCHMARK(ScrollStep)->Unit(benchmark::kMicrosecond);

/// Clicks an input's button and closes the assignment dialog as soon as it
/// has painted: the time until the user sees the dialog, plus its closing.
bool openAndCloseKeyDialog(frmMain& window) {
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->repaint();
            seen = true;
            dialog->reject();
        }
    });
    window.cmdKey_Click(0);
    return seen;
}

void AssignmentDialogFirstOpening(benchmark::State& state) {
    for ([[maybe_unused]] auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<StartedProgram>();
        state.ResumeTiming();
        if (!openAndCloseKeyDialog(program->window())) {
            state.SkipWithError("the assignment dialog did not open");
            break;
        }
        state.PauseTiming();
        program.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(AssignmentDialogFirstOpening)->Unit(benchmark::kMillisecond);

void AssignmentDialogAgain(benchmark::State& state) {
    StartedProgram program;
    if (!openAndCloseKeyDialog(program.window())) {
        state.SkipWithError("the assignment dialog did not open");
        return;
    }
    for ([[maybe_unused]] auto _ : state) {
        if (!openAndCloseKeyDialog(program.window())) {
            state.SkipWithError("the assignment dialog did not open");
            break;
        }
    }
}
BENCHMARK(AssignmentDialogAgain)->Unit(benchmark::kMillisecond);

/// A write of the largest configuration and a read of it back, through
/// whichever progress the caller passes.
void writeAndRead(benchmark::State& state, TransferObserver& progress) {
    const Configuration written = testing::configurationAtTheLimit();
    EmulatedDevice device;
    TransferContext context{device, progress};
    Configuration config;
    DeviceSettings settings;
    for ([[maybe_unused]] auto _ : state) {
        device.clearReports(); // the log would otherwise grow with every run
        if (writeToDevice(written, DeviceSettings{}, context).kind != TransferKind::Succeeded ||
            readFromDevice(config, settings, context).kind != TransferKind::Succeeded) {
            state.SkipWithError("the transfer failed");
            break;
        }
    }
}

void TransferWithoutWindow(benchmark::State& state) {
    bench::UnseenUser progress;
    writeAndRead(state, progress);
}
BENCHMARK(TransferWithoutWindow)->Unit(benchmark::kMillisecond);

void TransferWithStatusWindow(benchmark::State& state) {
    QMainWindow owner;
    owner.resize(640, 480);
    owner.show();
    settle();
    StatusProgress progress(&owner);
    progress.show();
    writeAndRead(state, progress);
    progress.remove();
}
BENCHMARK(TransferWithStatusWindow)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vantrel

namespace {

/// The offscreen platform says at every dialog that it cannot size windows
/// to their hints; the figures would drown in it.
void dropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QStringLiteral("propagateSizeHints"))) {
        qt_message_output(type, context, text);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Offscreen unless asked otherwise, so the figures do not depend on a
    // display and the run needs none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(dropSizeHintNotes);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
