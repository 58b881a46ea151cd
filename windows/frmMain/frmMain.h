#pragma once

#include "device/DeviceLock.h"
#include "device/HidAccess.h"
#include "device/TransferProgress.h"
#include "files/FileDialogs.h"
#include "files/ReadableForm.h"
#include "files/modFiles.h"
#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"
#include "userinterface/UserInterface.h"
#include "windows/frmMain/AssignmentEditors.h"
#include "windows/frmMain/ScrollLayout.h"
#include "windows/frmMain/SettingsFrames.h"
#include "windows/platform/ProgramExit.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QScrollBar;

namespace vantrel {

class InputRow;
class RowNavigation;

/// Everything the main window reaches outside itself. The program passes the
/// real platform; tests pass scripted stand-ins.
struct MainWindowServices {
    HidAccess& hid;
    MessagePrompter& messages;
    FileDialogs& fileDialogs;
    ProgramExit& programExit;
    AssignmentEditors& editors;
    /// Shows the About window modally.
    std::function<void()> showAbout;
    /// The label of the volume whose root is the current folder; empty when
    /// the current folder is not the root of a volume.
    std::function<std::string()> currentVolumeLabel;
    /// The file whose lock keeps other programs off the device while a
    /// transfer runs; empty (or answering nothing): no lock.
    DeviceLockFile deviceLockFile = {};
    /// Reads the readable form for File > Open; empty: Open reads device
    /// images only.
    ReadableFormReader readableForm = {};
};

/// The main window: 108 input rows in a scrolling column, the device
/// settings beside them, and the menu of whole-configuration commands.
///
/// The configuration is owned by the caller and shared with the editors;
/// the window keeps the device settings record in step with its controls.
class frmMain : public QMainWindow, public SingleKeyStore, public MacroStore {
    Q_OBJECT
public:
    frmMain(Configuration& config, MainWindowServices services, QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    /// Start-up, run once before the window is shown. Returns false when no
    /// device was found: the user has been told and the program has been
    /// asked to end, so the window must not be shown.
    bool Form_Load();

    // Store operations of the editors.
    void setKey(std::int16_t index, std::uint8_t keyType, std::uint8_t keyValue,
                std::uint8_t keyOperator) override;
    void setKeyboardOnly(std::int16_t index, std::uint8_t keyValue,
                         std::uint8_t keyOperator) override;
    [[nodiscard]] bool setMacro(std::int16_t index, const InputMacro& macro) override;
    /// Re-derives every row's option and every caption from the configuration.
    void RedrawCaptions();

    /// Shows a configuration that came in the readable form, with the labels
    /// that say what is wired to each input and rotary switch: as if opened,
    /// but with no file behind it, so the configuration counts as unchanged
    /// and Save starts from "Config.cfg" rather than writing over the source.
    void showImportedConfiguration(const Configuration& imported, const DeviceSettings& settings,
                                   const ConfigurationLabels& labels);
    /// The wiring labels shown; they stay through New, Read and every
    /// assignment, and File > Open replaces them with the file's own (none
    /// for an image).
    [[nodiscard]] const ConfigurationLabels& labels() const { return labels_; }

    // Event handlers, named after the control and the event.
    void cmdKey_Click(std::int16_t index);
    void optSingleKey_Click(std::int16_t index);
    void cmdRotaryKey_Click(std::int16_t index);
    void Form_Resize();
    void ScrollBar_Change();
    void ScrollBar_Scroll();
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuRead_Click();
    void mnuWrite_Click();
    void mnuExit_Click();
    void mnuAbout_Click() const;
    /// The close request: always refused (`cancel` set), then run as Exit.
    void Form_QueryUnload(bool& cancel);

    [[nodiscard]] const DeviceSettings& settings() const { return settings_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class TransferScope;

    QWidget* createClientArea();
    void createRows();
    void createMenus();
    void setDesignSize();

    [[nodiscard]] InputRow& row(int index) const;
    void refreshRow(int index);
    /// Puts `record` into input `index`, refreshes its row and marks the
    /// configuration changed; over the size limit it puts the old record
    /// back and shows `refusal` instead. True when stored.
    bool storeWithinSizeLimit(int index, const InputMacro& record, const std::string& refusal);
    void showLoadedConfiguration();
    void showLabels();
    [[nodiscard]] bool deviceAttached();
    /// Runs `transfer` behind the progress window, with every command
    /// ignored and the rows and settings disabled, then tells how it ended.
    template <typename Transfer>
    void runTransfer(TransferDirection direction, const Transfer& transfer);
    void warnOnDistributionVolume();

    [[nodiscard]] std::int32_t outerHeight() const;
    [[nodiscard]] std::int32_t scrollBarHeight() const;

    Configuration& config_;
    MainWindowServices services_;
    DeviceSettings settings_;
    ConfigurationLabels labels_;
    modFiles files_;
    ScrollLayout layout_;
    QWidget* client_;
    QScrollBar* ScrollBar_ = nullptr;
    std::array<InputRow*, InputCount> rows_{};
    std::unique_ptr<SettingsFrames> frames_;
    std::unique_ptr<RowNavigation> navigation_;
    /// True while a transfer runs; every command is ignored meanwhile.
    bool transferRunning_ = false;
};

} // namespace vantrel
