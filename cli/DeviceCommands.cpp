#include "cli/DeviceCommands.h"

#include "cli/CheckCommand.h"
#include "cli/ConsoleProgress.h"
#include "cli/FileCommands.h"
#include "cli/TransferWords.h"
#include "device/DeviceLock.h"
#include "device/LockingDevice.h"
#include "device/Transfer.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "formats/JsonText.h"
#include "generated/BuildConfig.h"
#include "reports/ConfigurationDiff.h"
#include "userinterface/DeviceWaitText.h"
#include "userinterface/ImageLoadMessage.h"
#include "userinterface/UserInterface.h"
#include "wiring/WiringBackups.h"
#include "wiring/WiringProbe.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <type_traits>

namespace vantrel::cli {
namespace {
namespace fs = std::filesystem;

/// A table the write would refuse could not be restored from the file;
/// `saving` when a file would have kept it.
std::string tooLongTableText(bool saving) {
    return "the device's input table is longer than the " + std::to_string(MaxConfigSize) +
           " bytes a configuration may take" + (saving ? "; nothing was kept" : "");
}

/// What a command does with the device it holds.
enum class HoldFor { Reading, Writing };

/// Says why a read would find nothing on the device at all; false then.
bool readable(const DeviceBackend& backend, const Console& console) {
    const DeviceProblem problem = backend.readProblem();
    if (!problem.ok()) {
        console.error(deviceProblemLine(problem, DeviceFailure::NotFound));
    }
    return problem.ok();
}

/// Keeps other programs off the device for the whole command, a write and
/// its verify together. False, after telling the user, when another
/// program kept it for longer than the wait, its lock file cannot be
/// opened, or a read would find nothing there at all.
bool holdDevice(DeviceBackend& backend, const Console& console, DeviceLock& lock, HoldFor use) {
    // Named for what it is: "not found" would send the user to the cable.
    if (const DeviceProblem problem = backend.openProblem(); !problem.ok()) {
        console.error(deviceProblemLine(problem, DeviceFailure::NotFound));
        return false;
    }
    const std::optional<LockFile> file = backend.lockFile();
    const bool reading = use == HoldFor::Reading;
    // A read of nothing leaves no lock file behind; a lock file that is
    // there already may be another program's, writing the device now.
    std::error_code error;
    if (reading && !(file && fs::exists(fs::symlink_status(file->path, error))) &&
        !readable(backend, console)) {
        return false;
    }
    if (!file) {
        return true;
    }
    LockWait wait;
    wait.waiting = [&console, patience = wait.patience] {
        console.err << "vantrelctl: " << console.subject << deviceWaitText("device", patience)
                    << '\n'
                    << std::flush;
    };
    lock = DeviceLock::take(*file, wait);
    if (lock.busy()) {
        console.error(DeviceBusyText);
        return false;
    }
    if (lock.outcome() == DeviceLock::Outcome::Absent) {
        // Unlocked, another program could write the device at the same time.
        const DeviceProblem unlocked = DeviceProblem::of(DeviceProblemKind::LockFileCannotBeOpened,
                                                         lock.problem(), utf8Text(file->path));
        console.error(deviceProblemLine(unlocked, DeviceFailure::Busy));
        return false;
    }
    return !reading || readable(backend, console);
}

/// One transfer on the console: its progress on standard error, and what
/// went wrong as one line named by the step ("verify"), cause first, with
/// the advice that helps.
class ConsoleTransfer {
public:
    ConsoleTransfer(const Console& console, DeviceBackend& backend, std::string step = {})
        : console_(console)
        , backend_(backend)
        , step_(std::move(step))
        , progress_(console)
        , device_(
              backend.link(), [&backend] { return backend.lockFile(); }, LockWait{}) {}

    /// The image as the device holds it; the caller words a device that
    /// holds no image (InvalidImage, WriteStartPairFound), the rest is told.
    ImageRead readImage() {
        ImageRead read = run([](TransferContext& context) { return readImageFromDevice(context); });
        if (read.kind() != TransferKind::InvalidImage &&
            read.kind() != TransferKind::WriteStartPairFound) {
            tell(read.failure());
        }
        return read;
    }

    /// Sends the file's own bytes when it has them, else the encoded
    /// configuration; first makes sure the device can keep them.
    bool write(const LoadedConfiguration& loaded) {
        if (const DeviceProblem problem = backend_.writeProblem(); !problem.ok()) {
            fail(deviceProblemLine(problem, DeviceFailure::NotKept));
            return false;
        }
        const TransferResult result = run([&](TransferContext& context) {
            return loaded.image ? writeImageToDevice(*loaded.image, context)
                                : writeToDevice(loaded.config, loaded.settings, context);
        });
        return tell(result);
    }

    /// Says on standard error, as one line named by the step, what went wrong.
    void fail(const std::string& line) const {
        console_.error(step_.empty() ? line : step_ + ": " + line);
    }

private:
    template <typename Procedure>
    std::invoke_result_t<Procedure, TransferContext&> run(Procedure procedure) {
        progress_.show();
        TransferContext context{device_, progress_};
        std::invoke_result_t<Procedure, TransferContext&> result = procedure(context);
        progress_.remove();
        return result;
    }

    /// True for a success; otherwise says why, then what the device may
    /// hold and how to give the user access, where that helps.
    bool tell(const TransferResult& result) const {
        if (result.ok()) {
            return true;
        }
        fail(transferFailureLine(result));
        if (const std::string held = afterFailedWriteLine(result); !held.empty()) {
            fail(held);
        }
        if (result.status == DeviceFailure::NoPermission) {
            if (const std::string advice = backend_.accessAdvice(); !advice.empty()) {
                console_.err << '\n' << advice;
            }
        }
        return false;
    }

    const Console& console_;
    DeviceBackend& backend_;
    std::string step_;
    ConsoleProgress progress_;
    /// Shares the lock the command holds; only a transfer run without it
    /// would wait here.
    LockingDevice device_;
};

/// Why an image read whole cannot become a file that writes back the same
/// configuration; empty when it can.
std::string unkeepableImage(const DeviceImage& image, bool saving) {
    if (storedTableLength(image) > MaxConfigSize) {
        return tooLongTableText(saving);
    }
    DeviceImage decoded = image;
    Configuration config;
    DeviceSettings settings;
    const ImageLoadResult result = loadDeviceImage(decoded, config, settings);
    return result == ImageLoadResult::Complete
               ? std::string()
               : imageLoadMessage(result, ImageOrigin::Device).words();
}

/// What reading the device, and copying it into a file, came to.
enum class DeviceRead {
    Whole,      ///< read (and saved) whole
    Unfinished, ///< the device's last write was cut off; nothing said yet
    Empty,      ///< the device holds no configuration; nothing said yet
    Failed,     ///< the user was told why
};

/// An image read whole, or why not.
using CheckedImage = Expected<DeviceImage, DeviceRead>;

/// The one read of the tool: the image as the device holds it, refused when
/// its last write was cut off or it holds what no file could keep; `saving`
/// when the read is to be kept in a file.
CheckedImage readCheckedImage(ConsoleTransfer& transfer, bool saving) {
    const ImageRead read = transfer.readImage();
    switch (read.kind()) {
    case TransferKind::Succeeded:
        break;
    case TransferKind::WriteStartPairFound:
        return Result<DeviceRead>{DeviceRead::Unfinished, {}};
    case TransferKind::InvalidImage:
        return Result<DeviceRead>{DeviceRead::Empty, {}};
    default:
        return Result<DeviceRead>{DeviceRead::Failed, {}};
    }
    if (const std::string problem = unkeepableImage(read.value(), saving); !problem.empty()) {
        transfer.fail(problem);
        return Result<DeviceRead>{DeviceRead::Failed, {}};
    }
    return read.value();
}

/// Why a device has nothing to read, for a caller to whom it matters;
/// empty for a failure the user was told of.
std::string nothingToRead(DeviceRead copy, bool saving) {
    if (copy == DeviceRead::Unfinished) {
        return unfinishedWriteLine(saving);
    }
    if (copy == DeviceRead::Empty) {
        return NoConfigurationText;
    }
    return {};
}

/// What a checked read found, decoded: it refused every image that does
/// not decode whole.
Configuration decodedConfiguration(DeviceImage image, DeviceSettings& settings) {
    Configuration config;
    loadDeviceImage(image, config, settings);
    return config;
}

/// Saves the image bytes the device holds, as read, so that writing the
/// file back restores exactly them.
DeviceRead copyDeviceIntoFile(const std::string& path, const Console& console,
                              DeviceBackend& backend, const std::string& step) {
    ConsoleTransfer transfer(console, backend, step);
    const CheckedImage read = readCheckedImage(transfer, true);
    if (!read.ok()) {
        return read.kind();
    }
    const DeviceImage& image = read.value();
    DeviceSettings settings;
    if (isWiringProbe(decodedConfiguration(image, settings))) {
        console.warning(probeLeftLine(console));
    }
    if (path == "-") {
        console.out.write(reinterpret_cast<const char*>(image.data()),
                          static_cast<std::streamsize>(image.size()));
    } else if (const FileResult written = writeConfigurationFile(pathFromUtf8(path), image);
               !written.ok()) {
        console.error(std::string(SaveFailedText) + ": " + written.detail);
        return DeviceRead::Failed;
    }
    return DeviceRead::Whole;
}

/// Saves the device's configuration before a write. A device with nothing
/// to lose (none yet, or a write cut off) does not stop the write that
/// mends it; a device that could not be read does.
bool backUp(const std::string& path, const Console& console, DeviceBackend& backend) {
    switch (copyDeviceIntoFile(path, console, backend, "backup")) {
    case DeviceRead::Whole:
        return true;
    case DeviceRead::Unfinished:
        console.warning("backup: the last write to the device did not finish, so it holds no "
                        "configuration to back up; no backup file was written, the write goes on");
        return true;
    case DeviceRead::Empty:
        console.warning(std::string("backup: ") + NoConfigurationText +
                        ", so there is nothing to back up; no backup file was written, the write "
                        "goes on");
        return true;
    case DeviceRead::Failed:
        break;
    }
    return false;
}

/// Reads the device back and compares it with what was written.
bool verify(const LoadedConfiguration& written, const Console& console, DeviceBackend& backend) {
    ConsoleTransfer transfer(console, backend, "verify");
    const CheckedImage read = readCheckedImage(transfer, false);
    if (!read.ok()) {
        if (const std::string why = nothingToRead(read.kind(), false); !why.empty()) {
            transfer.fail(why);
        }
        return false;
    }
    DeviceSettings settings;
    const Configuration config = decodedConfiguration(read.value(), settings);
    const std::vector<std::string> differences =
        configurationDifferences(written.config, written.settings, config, settings);
    if (!differences.empty()) {
        console.error("verify: the device does not hold what was written: " + differences.front());
        return false;
    }
    return true;
}

/// Writes the configuration into one device, after its backup, and checks it.
bool writeOneDevice(const LoadedConfiguration& loaded, const Invocation& invocation,
                    const Console& console, DeviceBackend& backend) {
    DeviceLock lock;
    if (!holdDevice(backend, console, lock, HoldFor::Writing)) {
        return false;
    }
    if (invocation.backup && !backUp(*invocation.backup, console, backend)) {
        return false;
    }
    ConsoleTransfer transfer(console, backend);
    if (!transfer.write(loaded)) {
        return false;
    }
    const bool verifying = invocation.verify.value_or(true);
    if (verifying && !verify(loaded, console, backend)) {
        return false;
    }
    console.success(WriteSuccessText);
    if (verifying) {
        console.success("Verified: the device holds the configuration that was written");
    }
    return true;
}

/// The devices a command goes through: those named, or the first on USB.
std::vector<std::optional<std::string>> namedDevices(const Invocation& invocation) {
    if (invocation.devices.empty()) {
        return {std::nullopt};
    }
    return {invocation.devices.begin(), invocation.devices.end()};
}

/// "0108": USB IDs as lsusb and the description write them.
std::string usbId(std::uint16_t id) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", static_cast<unsigned>(id));
    return text.data();
}

/// {"node": "/dev/hidraw3", "port": "1-4.2", "serial": "0001", "vendorId":
/// "1234", "productId": "0108", "canOpen": true, "problemKind": "",
/// "problem": "", "description": "1  /dev/hidraw3  ..."}: one object a line.
void listDevicesAsJson(const Console& console, const std::vector<AttachedDevice>& devices) {
    for (const AttachedDevice& device : devices) {
        const JsonObject object = {{"node", device.node},
                                   {"port", device.port},
                                   {"serial", device.serial},
                                   {"vendorId", usbId(device.vendorId)},
                                   {"productId", usbId(device.productId)},
                                   {"canOpen", device.canOpen()},
                                   {"problemKind", attachedDeviceProblemKind(device)},
                                   {"problem", attachedDeviceProblem(device)},
                                   {"description", attachedDeviceDescription(device)}};
        console.out << jsonLine(object) << '\n';
    }
}

/// Lists what one backend finds; false when it finds nothing.
bool listDevices(const Console& console, DeviceBackend& backend, bool json) {
    const std::vector<AttachedDevice> devices = backend.attachedDevices();
    if (devices.empty()) {
        console.error("No VANTREL devices detected !");
        console.err << "Check that the encoder's USB cable is plugged in at both ends (lsusb lists "
                       "product ID "
                    << usbId(static_cast<std::uint16_t>(DeviceProductId))
                    << " when it is), and that the udev rule " << build::PackagedUdevRulePath
                    << " or " << build::UdevRulePath
                    << " is installed; then plug the encoder in again.\n";
        return false;
    }
    if (json) {
        listDevicesAsJson(console, devices);
        return true;
    }
    bool anyLocked = false;
    for (const AttachedDevice& device : devices) {
        console.out << attachedDeviceDescription(device);
        if (!device.canOpen()) {
            console.out << "  (cannot be opened: " << attachedDeviceProblem(device) << ")";
            anyLocked = true;
        }
        console.out << '\n';
    }
    if (anyLocked) {
        const std::string advice = backend.accessAdvice();
        if (!advice.empty()) {
            console.out << '\n' << advice;
        }
    }
    return true;
}

} // namespace

bool holdDeviceForWriting(DeviceBackend& backend, const Console& console, DeviceLock& lock) {
    return holdDevice(backend, console, lock, HoldFor::Writing);
}

DeviceContents readDeviceContents(const Console& console, DeviceBackend& backend,
                                  const std::string& step) {
    ConsoleTransfer transfer(console, backend, step);
    const CheckedImage read = readCheckedImage(transfer, true);
    if (read.ok()) {
        return {DeviceHolding::Image, read.value()};
    }
    return {read.kind() == DeviceRead::Failed ? DeviceHolding::Failed : DeviceHolding::Nothing, {}};
}

bool writeVerified(const LoadedConfiguration& loaded, const Console& console,
                   DeviceBackend& backend, const std::string& step) {
    ConsoleTransfer transfer(console, backend, step);
    return transfer.write(loaded) && verify(loaded, console, backend);
}

std::string probeLeftLine(const Console& console) {
    std::string line = "the device holds the wiring probe that vantrelctl learn writes while it "
                       "learns a panel, left there by a learn that was stopped; ";
    if (const auto backup = newestWiringBackup(console.backupFolder)) {
        return line + "restore what it held before with: vantrelctl write " + utf8Text(*backup);
    }
    return line + "no backup of learn's is in " + utf8Text(console.backupFolder) +
           ": write the configuration it should hold";
}

std::optional<Configuration> readDeviceConfiguration(const Console& console,
                                                     DeviceBackend& backend) {
    DeviceLock lock;
    if (!holdDevice(backend, console, lock, HoldFor::Reading)) {
        return std::nullopt;
    }
    ConsoleTransfer transfer(console, backend);
    const CheckedImage read = readCheckedImage(transfer, false);
    if (const std::string why = nothingToRead(read.kind(), false); !why.empty()) {
        console.error(why);
        console.error("give the configuration with --config FILE to trace the panel meanwhile");
    }
    if (!read.ok()) {
        return std::nullopt;
    }
    DeviceSettings settings;
    return decodedConfiguration(read.value(), settings);
}

std::unique_ptr<DeviceBackend> reachDevice(const std::optional<std::string>& device,
                                           const Console& console,
                                           const DeviceBackendFactory& devices) {
    DeviceChoice choice = devices(device);
    if (!choice.ok()) {
        const std::string why = deviceChoiceLine(choice.failure());
        console.error(device && console.subject.empty() ? *device + ": " + why : why);
        return nullptr;
    }
    return std::move(choice).value();
}

std::optional<LoadedConfiguration> readDeviceSource(const std::string& device,
                                                    const Console& console,
                                                    const DeviceBackendFactory& devices) {
    const std::unique_ptr<DeviceBackend> backend = reachDevice(device, console, devices);
    DeviceLock lock;
    if (!backend || !holdDevice(*backend, console, lock, HoldFor::Reading)) {
        return std::nullopt;
    }
    ConsoleTransfer transfer(console, *backend);
    const ImageRead read = transfer.readImage();
    switch (read.kind()) {
    case TransferKind::Succeeded:
        break;
    case TransferKind::WriteStartPairFound:
        console.error(device + ": " + unfinishedWriteLine(false));
        return std::nullopt;
    case TransferKind::InvalidImage:
        console.error(device + ": " + NoConfigurationText);
        return std::nullopt;
    default:
        return std::nullopt;
    }
    LoadedConfiguration loaded;
    DeviceImage decoded = read.value();
    const ImageLoadResult result = loadDeviceImage(decoded, loaded.config, loaded.settings);
    if (result != ImageLoadResult::Complete) {
        console.error(device + ": " + imageLoadMessage(result, ImageOrigin::Device).words());
        return std::nullopt;
    }
    loaded.image = read.value();
    return loaded;
}

int readCommand(const Invocation& invocation, const Console& outerConsole,
                const DeviceBackendFactory& devices) {
    Console console = outerConsole;
    if (*invocation.output == "-") {
        if (console.outIsTerminal) {
            // Raw bytes would garble the terminal, and nobody could keep them.
            console.error("-o -: standard output is a terminal; redirect it to a file or a pipe");
            return ExitFailure;
        }
        console.quiet = true; // standard output holds the image alone
    }
    const std::unique_ptr<DeviceBackend> backend =
        reachDevice(namedDevices(invocation).front(), console, devices);
    DeviceLock lock;
    if (!backend || !holdDevice(*backend, console, lock, HoldFor::Reading)) {
        return ExitFailure;
    }
    const DeviceRead copy = copyDeviceIntoFile(*invocation.output, console, *backend, {});
    if (copy == DeviceRead::Whole) {
        console.success(ReadSuccessText);
        return ExitSuccess;
    }
    if (const std::string why = nothingToRead(copy, true); !why.empty()) {
        console.error(why);
    }
    return ExitFailure;
}

int writeCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Refuse);
    if (!loaded || !passesCheck(invocation.operands.at(0), loaded->config, loaded->labels,
                                invocation, console)) {
        return ExitFailure;
    }
    // Every device gets its turn even after one failed: one faulty box must
    // not leave the rest of a cabinet unwritten.
    const std::vector<std::optional<std::string>> targets = namedDevices(invocation);
    bool allWritten = true;
    for (const std::optional<std::string>& target : targets) {
        Console deviceConsole = console;
        if (targets.size() > 1) {
            deviceConsole.subject = *target + ": ";
        }
        const std::unique_ptr<DeviceBackend> backend = reachDevice(target, deviceConsole, devices);
        const bool written =
            backend && writeOneDevice(*loaded, invocation, deviceConsole, *backend);
        allWritten = allWritten && written;
    }
    return allWritten ? ExitSuccess : ExitFailure;
}

int devicesCommand(const Invocation& invocation, const Console& console,
                   const DeviceBackendFactory& devices) {
    bool anyFound = false;
    for (const std::optional<std::string>& target : namedDevices(invocation)) {
        const std::unique_ptr<DeviceBackend> backend = reachDevice(target, console, devices);
        anyFound = (backend && listDevices(console, *backend, invocation.json)) || anyFound;
    }
    return anyFound ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
