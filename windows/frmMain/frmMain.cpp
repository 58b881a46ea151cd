#include "windows/frmMain/frmMain.h"

#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "model/SourceNames.h"
#include "model/describeMacro.h"
#include "windows/controls/Twips.h"
#include "windows/frmMain/DistributionVolume.h"
#include "windows/frmMain/InputRow.h"
#include "windows/frmMain/RowNavigation.h"
#include "windows/frmMain/TransferMessage.h"
#include "windows/frmStatus/StatusProgress.h"
#include "windows/frmStatus/TransferLockWait.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace vantrel {
namespace {

constexpr std::int32_t DesignClientWidth = 11325;
constexpr std::int32_t DesignClientHeight = 6540;
constexpr int ScrollArrowStep = 1;
constexpr int ScrollPageStep = 50;

const char* const NoDeviceMessage = "     No VANTREL devices detected !\r\n"
                                    "\r\n"
                                    "Click the OK button below, plug the VANTREL\r\n"
                                    "into the USB Port, and restart the program.";
const char* const DistributionVolumeWarning =
    "Warning: The VANTREL programs must be copied to and run\r\n"
    "from its own folder on the PC's harddrive. The CD itself\r\n"
    "should be reserved for backup purposes only.";

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

/// Marks a transfer as running for as long as it lives: the rows and
/// settings are disabled so nothing can be edited, while the window still
/// repaints whenever the transfer lets events run.
class frmMain::TransferScope {
public:
    explicit TransferScope(frmMain& window)
        : window_(window) {
        window_.transferRunning_ = true;
        window_.client_->setEnabled(false);
    }
    ~TransferScope() {
        window_.client_->setEnabled(true);
        window_.transferRunning_ = false;
    }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

private:
    frmMain& window_;
};

frmMain::frmMain(Configuration& config, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent)
    , config_(config)
    , services_(std::move(services))
    , files_(config, settings_, services_.messages, services_.fileDialogs,
             modFiles::defaultCurrentFolder, services_.readableForm)
    , client_(createClientArea()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(MainWindowCaption));
    createRows();
    frames_ = std::make_unique<SettingsFrames>(*client_, settings_, [this](int index) {
        cmdRotaryKey_Click(static_cast<std::int16_t>(index));
    });
    navigation_ = std::make_unique<RowNavigation>(*client_, *ScrollBar_, rows_, layout_);
    createMenus();
    setDesignSize();
}

frmMain::~frmMain() = default;

QWidget* frmMain::createClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    return client;
}

void frmMain::createRows() {
    const InputRow::Handlers handlers{
        [this](int index) { cmdKey_Click(static_cast<std::int16_t>(index)); },
        [this](int optionIndex) {
            optSingleKey_Click(static_cast<std::int16_t>(optionIndex));
        }};
    for (int i = 0; i < InputCount; ++i) {
        rows_.at(static_cast<std::size_t>(i)) = new InputRow(i, handlers, client_);
    }

    ScrollBar_ = new QScrollBar(Qt::Vertical, client_);
    ScrollBar_->setObjectName(QStringLiteral("ScrollBar"));
    ScrollBar_->setAccessibleName(QStringLiteral("Inputs"));
    ScrollBar_->setGeometry(twipsRect(5355, 0, 300, DesignClientHeight));
    ScrollBar_->setRange(0, 0);
    ScrollBar_->setSingleStep(ScrollArrowStep);
    ScrollBar_->setPageStep(ScrollPageStep);
    connect(ScrollBar_, &QScrollBar::valueChanged, this, [this] { ScrollBar_Change(); });
    connect(ScrollBar_, &QScrollBar::sliderMoved, this, [this] { ScrollBar_Scroll(); });
}

void frmMain::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto addItem = [this](QMenu* menu, const char* name, const char* caption,
                                const QKeySequence& shortcut, auto handler) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
    };
    const auto addLine = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    addItem(file, "mnuNew", "&New", QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuNew_Click);
    addLine(file, "mnuLine1");
    addItem(file, "mnuOpen", "&Open", QKeySequence(Qt::CTRL | Qt::Key_O), &frmMain::mnuOpen_Click);
    addItem(file, "mnuSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuSave_Click);
    addLine(file, "mnuLine2");
    addItem(file, "mnuRead", "&Read from VANTREL", QKeySequence(Qt::CTRL | Qt::Key_R),
            &frmMain::mnuRead_Click);
    addItem(file, "mnuWrite", "&Write to VANTREL", QKeySequence(Qt::CTRL | Qt::Key_W),
            &frmMain::mnuWrite_Click);
    addLine(file, "mnuLine4");
    addItem(file, "mnuExit", "E&xit", QKeySequence(), &frmMain::mnuExit_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, "mnuAbout", "&About", QKeySequence(), &frmMain::mnuAbout_Click);
}

void frmMain::setDesignSize() {
    // The client area gets its design size; the menu bar comes on top of it.
    const int menuHeight = menuBar()->sizeHint().height();
    resize(pixels(DesignClientWidth), pixels(DesignClientHeight) + menuHeight);
}

InputRow& frmMain::row(int index) const {
    return *rows_.at(static_cast<std::size_t>(index));
}

// ---------------------------------------------------------------- start-up

bool frmMain::Form_Load() {
    for (InputMacro& macro : config_.InputMacros) {
        clearMacro(macro);
    }
    for (int i = 0; i < InputCount; ++i) {
        InputRow& inputRow = row(i);
        inputRow.move(0, pixels(i * twipsFromPixels(inputRow.height())));
        inputRow.setLabel(qText(inputName(i)));
    }
    const InputRow& last = row(InputCount - 1);
    layout_.RowsHeight = twipsFromPixels(last.y() + last.height());
    frames_->selectFirstListEntries();
    layout_.HeightMargin = outerHeight() - scrollBarHeight();
    layout_.ScrollUnit = scrollUnitFor(twipsFromPixels(row(0).height()));

    if (!deviceAttached()) {
        services_.messages.showMessage(NoDeviceMessage, ApplicationTitle, MessageIcon::Exclamation,
                                       MessageButtons::Ok);
        services_.programExit.endProgram();
        return false;
    }
    warnOnDistributionVolume();
    return true;
}

bool frmMain::deviceAttached() {
    DeviceHandle handle = 0;
    if (services_.hid.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle) !=
        DeviceSuccess) {
        return false;
    }
    services_.hid.CloseHidDevice(handle);
    return true;
}

void frmMain::warnOnDistributionVolume() {
    if (isDistributionVolumeLabel(services_.currentVolumeLabel())) {
        services_.messages.showMessage(DistributionVolumeWarning, ApplicationTitle,
                                       MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

// ---------------------------------------------------------------- scrolling

std::int32_t frmMain::outerHeight() const {
    // Qt keeps the title bar and borders outside the window's geometry and
    // learns them only once the window manager has framed the window, after
    // start-up. Measuring without them, at start-up and on every resize
    // alike, keeps the scroll bar exactly as tall as the client area.
    return twipsFromPixels(height());
}

std::int32_t frmMain::scrollBarHeight() const {
    return twipsFromPixels(ScrollBar_->height());
}

void frmMain::Form_Resize() {
    if (isMinimized()) {
        return;
    }
    const std::int32_t outer = outerHeight();
    if (outer <= layout_.HeightMargin) {
        return;
    }
    const std::int32_t barHeight = outer - layout_.HeightMargin;
    ScrollBar_->resize(ScrollBar_->width(), pixels(barHeight));
    // A window taller than the whole column would give a negative maximum;
    // the bar then stays at 0, where every row shows at its design place.
    ScrollBar_->setMaximum(std::max<int>(0, scrollMaximum(layout_, barHeight)));
    ScrollBar_Scroll();
}

void frmMain::ScrollBar_Change() {
    ScrollBar_Scroll();
}

void frmMain::ScrollBar_Scroll() {
    navigation_->placeRows();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The font decides the menu bar's height; until the window opens, keep
    // the client area at its design height under whatever menu bar results.
    if (event->type() == QEvent::FontChange && !isVisible()) {
        setDesignSize();
    }
    // Restoring a minimised window need not change its size, so no resize
    // event would follow; the rows are placed again all the same.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        Form_Resize();
    }
}

// ---------------------------------------------------------------- keyboard

bool frmMain::focusNextPrevChild(bool next) {
    const QWidget* from = focusWidget();
    if (navigation_->tabThroughRows(from, next)) {
        return true;
    }
    const bool moved = QMainWindow::focusNextPrevChild(next);
    navigation_->enterColumn(from, focusWidget(), next);
    return moved;
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    if (!navigation_->moveThroughRows(*event)) {
        QMainWindow::keyPressEvent(event);
    }
}

// ---------------------------------------------------------------- assignments

void frmMain::refreshRow(int index) {
    InputRow& inputRow = row(index);
    inputRow.setCaption(qText(describeMacro(inputRow.singleKeySelected(), config_.input(index))));
}

void frmMain::cmdKey_Click(std::int16_t index) {
    if (transferRunning_) {
        return;
    }
    if (row(index).singleKeySelected()) {
        services_.editors.editKey(*this, index, decodeSingleKey(config_.input(index)));
    } else {
        services_.editors.editMacro(*this, index);
    }
}

void frmMain::optSingleKey_Click(std::int16_t index) {
    refreshRow(index / 2);
}

void frmMain::cmdRotaryKey_Click(std::int16_t index) {
    if (transferRunning_) {
        return;
    }
    services_.editors.editRotaryKey(*this, index, config_.rotaryKey(index));
}

void frmMain::setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                     std::uint8_t keyOperator) {
    InputMacro record;
    encodeSingleKey(keyType, keyValue, keyOperator, record);
    storeWithinSizeLimit(index, record, SizeLimitText);
}

void frmMain::setKeyboardOnly(std::int16_t index, std::uint8_t keyValue, std::uint8_t keyOperator) {
    RotaryKey& key = config_.rotaryKey(index);
    key.KeyValue = keyValue;
    key.KeyOperator = keyValue == 0 ? std::uint8_t{0} : keyOperator;
    frames_->setRotaryCaption(index, qText(describeRotaryKey(key)));
    config_.ConfigChanged = true;
}

bool frmMain::setMacro(std::int16_t index, const InputMacro& macro) {
    // The macro editor stays open behind this message, hence its own words.
    return storeWithinSizeLimit(index, macro, std::string("Warning!\r\n") + SizeLimitText);
}

bool frmMain::storeWithinSizeLimit(int index, const InputMacro& record,
                                   const std::string& refusal) {
    InputMacro& stored = config_.input(index);
    const InputMacro kept = stored;
    stored = record;
    if (configurationSize(config_) > MaxConfigSize) {
        stored = kept;
        services_.messages.showMessage(refusal, ApplicationTitle, MessageIcon::Exclamation,
                                       MessageButtons::Ok);
        return false;
    }
    refreshRow(index);
    config_.ConfigChanged = true;
    return true;
}

void frmMain::RedrawCaptions() {
    for (int i = 0; i < InputCount; ++i) {
        row(i).selectSingleKey(isSingleKeyAssignment(config_.input(i)));
        refreshRow(i);
    }
    for (int k = 0; k < RotaryKeyCount; ++k) {
        frames_->setRotaryCaption(k, qText(describeRotaryKey(config_.rotaryKey(k))));
    }
}

void frmMain::showLoadedConfiguration() {
    frames_->showSettings();
    RedrawCaptions();
}

void frmMain::showImportedConfiguration(const Configuration& imported,
                                        const DeviceSettings& settings,
                                        const ConfigurationLabels& labels) {
    config_.InputMacros = imported.InputMacros;
    config_.RotaryKeys = imported.RotaryKeys;
    config_.ConfigChanged = false;
    config_.ConfigFileName.clear();
    settings_ = settings;
    labels_ = labels;
    showLabels();
    showLoadedConfiguration();
}

void frmMain::showLabels() {
    for (int i = 0; i < InputCount; ++i) {
        row(i).setWiring(qText(labels_.input(i)));
    }
    for (int s = 0; s < RotarySwitchCount; ++s) {
        frames_->setRotarySwitchWiring(s, qText(labels_.rotarySwitch(s)));
    }
}

// ---------------------------------------------------------------- menu commands

void frmMain::mnuNew_Click() {
    if (transferRunning_ || files_.querySaveChanges()) {
        return;
    }
    clearAssignments(config_);
    settings_ = DeviceSettings{};
    showLoadedConfiguration();
}

void frmMain::mnuOpen_Click() {
    if (transferRunning_ || files_.querySaveChanges()) {
        return;
    }
    files_.openConfiguration();
    // The labels described the wiring of the configuration just replaced;
    // the file brings its own, if any.
    if (files_.openReplacedConfiguration()) {
        labels_ = files_.openedLabels();
        showLabels();
    }
    // Also after a refused file: the rows then show what the configuration
    // holds, which a partly decoded file may have changed.
    showLoadedConfiguration();
}

void frmMain::mnuSave_Click() {
    if (transferRunning_) {
        return;
    }
    files_.saveConfiguration();
}

template <typename Transfer>
void frmMain::runTransfer(TransferDirection direction, const Transfer& transfer) {
    const TransferScope scope(*this);
    const std::string caption = windowTitle().toStdString();
    StatusProgress progress(this);
    progress.show();
    LockingDevice device(services_.hid, services_.deviceLockFile, transferLockWait(""));
    TransferContext context{device, progress};
    const auto result = transfer(context);
    progress.remove();
    tellTransferResult(services_.messages, direction, result, caption);
}

void frmMain::mnuRead_Click() {
    if (transferRunning_ || files_.querySaveChanges()) {
        return;
    }
    // The transfer starts once the user has let the read go ahead, so that
    // the save question and a save dialog appear over a window that looks
    // normal.
    runTransfer(TransferDirection::Reading, [this](TransferContext& context) {
        auto result = readFromDevice(config_, settings_, context);
        // Redrawn while the progress window is still up, as the device's own
        // sequence has it.
        if (result.changedConfiguration()) {
            showLoadedConfiguration();
        }
        return result;
    });
}

void frmMain::mnuWrite_Click() {
    if (transferRunning_) {
        return;
    }
    runTransfer(TransferDirection::Writing, [this](TransferContext& context) {
        return writeToDevice(config_, settings_, context);
    });
}

void frmMain::mnuExit_Click() {
    if (transferRunning_ || files_.querySaveChanges()) {
        return;
    }
    services_.programExit.endProgram();
}

void frmMain::mnuAbout_Click() const {
    if (transferRunning_) {
        return;
    }
    services_.showAbout();
}

void frmMain::Form_QueryUnload(bool& cancel) {
    cancel = true;
    mnuExit_Click();
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
    } else {
        event->accept();
    }
}

} // namespace vantrel
