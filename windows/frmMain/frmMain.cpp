#include "windows/frmMain/frmMain.h"

#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "model/SourceNames.h"
#include "model/describeMacro.h"
#include "windows/controls/Twips.h"
#include "windows/frmMain/DistributionVolume.h"
#include "windows/frmMain/InputRow.h"
#include "windows/frmMain/TransferMessage.h"
#include "windows/frmStatus/StatusProgress.h"
#include "windows/frmStatus/TransferLockWait.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <optional>
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

bool isJumpToColumnEnd(const QKeyEvent& key) {
    return key.matches(QKeySequence::MoveToStartOfDocument) ||
           key.matches(QKeySequence::MoveToEndOfDocument);
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
    guardListsFromTheWheel();
    createMenus();
    setDesignSize();
}

frmMain::~frmMain() = default;

QWidget* frmMain::createClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    // The rows and settings take no wheel events themselves; turning the
    // wheel anywhere over them scrolls the column as over the scroll bar.
    client->installEventFilter(this);
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
    const std::int32_t barHeight = scrollBarHeight();
    const int value = ScrollBar_->sliderPosition();
    for (InputRow* inputRow : rows_) {
        const std::int32_t rowHeight = twipsFromPixels(inputRow->height());
        const std::int32_t top = rowTop(layout_, inputRow->index(), rowHeight, value);
        if (rowShown(top, rowHeight, barHeight)) {
            inputRow->move(0, pixels(top));
            inputRow->show();
        } else {
            inputRow->hide();
        }
    }
    keepFocusInSight();
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

void frmMain::guardListsFromTheWheel() {
    // Settings do not mark the configuration changed, so a wheel turn that
    // changed a list on its way over it would go into the device unseen. A
    // list takes the focus only from a click or Tab, and the wheel only while
    // it has the focus.
    for (QComboBox* list : client_->findChildren<QComboBox*>()) {
        list->setFocusPolicy(Qt::StrongFocus);
        list->installEventFilter(this);
    }
}

bool frmMain::wheelScrollsRows(QObject* watched) const {
    const auto* list = qobject_cast<const QComboBox*>(watched);
    return watched == client_ || (list != nullptr && !list->hasFocus());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && wheelScrollsRows(watched)) {
        QCoreApplication::sendEvent(ScrollBar_, event);
        return true;
    }
    // A list would take Ctrl+Home and Ctrl+End as its first and last entry.
    if (event->type() == QEvent::KeyPress && watched != client_ &&
        isJumpToColumnEnd(*static_cast<QKeyEvent*>(event))) {
        return moveThroughRows(*static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- keyboard
//
// In the column the focus stops at each row's selected option and then its
// button, from the first row to the last, shown or not; the column scrolls
// just far enough to show the row that gets the focus. The settings keep
// Qt's own order.

const InputRow* frmMain::rowHolding(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto* inputRow = qobject_cast<const InputRow*>(widget)) {
            return inputRow;
        }
    }
    return nullptr;
}

bool frmMain::focusNextPrevChild(bool next) {
    const QWidget* from = focusWidget();
    const InputRow* fromRow = rowHolding(from);
    // Qt asks this of a focused control as its row is hidden; once every row
    // is placed, keepFocusInSight() moves the focus to a row in sight.
    if (fromRow != nullptr && !fromRow->isVisible()) {
        return true;
    }
    if (fromRow != nullptr) {
        const int stop = 2 * fromRow->index() + (fromRow->buttonHasFocus() ? 1 : 0);
        const int to = next ? stop + 1 : stop - 1;
        if (to >= 0 && to < 2 * InputCount) {
            focusRow(to / 2, to % 2 == 1, next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    const bool moved = QMainWindow::focusNextPrevChild(next);
    // Qt's order skips hidden rows; from the settings the column is entered
    // at its first row going forward and at its last going back.
    if (fromRow == nullptr && rowHolding(focusWidget()) != nullptr) {
        if (next) {
            focusRow(0, false, Qt::TabFocusReason);
        } else {
            focusRow(InputCount - 1, true, Qt::BacktabFocusReason);
        }
    }
    return moved;
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    if (!moveThroughRows(*event)) {
        QMainWindow::keyPressEvent(event);
    }
}

bool frmMain::moveThroughRows(const QKeyEvent& key) {
    // Ctrl+Home and Ctrl+End reach the first and last row from anywhere in
    // the window; the page keys act only in the column.
    const InputRow* from = rowHolding(focusWidget());
    const bool onButton = from == nullptr || from->buttonHasFocus();
    if (key.matches(QKeySequence::MoveToStartOfDocument)) {
        ScrollBar_->setValue(ScrollBar_->minimum());
        focusRow(0, onButton, Qt::OtherFocusReason);
        return true;
    }
    if (key.matches(QKeySequence::MoveToEndOfDocument)) {
        ScrollBar_->setValue(ScrollBar_->maximum());
        focusRow(InputCount - 1, onButton, Qt::OtherFocusReason);
        return true;
    }
    return from != nullptr && pageThroughRows(*from, key);
}

bool frmMain::pageThroughRows(const InputRow& from, const QKeyEvent& key) {
    // A page of the scroll bar is a whole number of rows; the focus moves by
    // as many rows as the column does.
    const int rowsPerPage =
        ScrollBar_->pageStep() * layout_.ScrollUnit / twipsFromPixels(from.height());
    int value = ScrollBar_->value();
    int target = from.index();
    if (key.matches(QKeySequence::MoveToNextPage)) {
        value += ScrollBar_->pageStep();
        target += rowsPerPage;
    } else if (key.matches(QKeySequence::MoveToPreviousPage)) {
        value -= ScrollBar_->pageStep();
        target -= rowsPerPage;
    } else {
        return false;
    }
    const bool onButton = from.buttonHasFocus();
    ScrollBar_->setValue(value);
    focusRow(std::clamp(target, 0, InputCount - 1), onButton, Qt::OtherFocusReason);
    return true;
}

void frmMain::showRow(int index) {
    const std::int32_t rowHeight = twipsFromPixels(row(index).height());
    ScrollBar_->setValue(
        valueShowingRow(layout_, index, rowHeight, scrollBarHeight(), ScrollBar_->value()));
}

void frmMain::focusRow(int index, bool onButton, Qt::FocusReason reason) {
    showRow(index);
    row(index).takeFocus(onButton, reason);
}

void frmMain::keepFocusInSight() {
    const InputRow* focused = rowHolding(focusWidget());
    if (focused == nullptr || focused->isVisible()) {
        return;
    }
    const auto shown = [](const InputRow* inputRow) {
        return inputRow->isVisible();
    };
    const auto first = std::find_if(rows_.begin(), rows_.end(), shown);
    const auto last = std::find_if(rows_.rbegin(), rows_.rend(), shown);
    if (first == rows_.end()) {
        return;
    }
    const int nearest = std::clamp(focused->index(), (*first)->index(), (*last)->index());
    row(nearest).takeFocus(focused->buttonHasFocus(), Qt::OtherFocusReason);
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
