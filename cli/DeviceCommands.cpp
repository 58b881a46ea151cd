#include "cli/DeviceCommands.h"

#include "cli/ConsoleProgress.h"
#include "cli/ConsolePrompter.h"
#include "cli/FileCommands.h"
#include "device/Transfer.h"
#include "files/ImageLoadMessage.h"
#include "reports/ConfigurationDiff.h"

namespace vantrel::cli {
namespace {

/// The device keeps the write's first blocks when a later one fails, and
/// only a whole write makes it consistent again.
constexpr const char* PartlyWrittenText =
    "the device may now hold a partly written configuration; writing a configuration again "
    "repairs it";

/// One transfer's surroundings on the console.
class ConsoleTransfer {
public:
    ConsoleTransfer(const Console& console, DeviceBackend& backend, std::string step = {})
        : progress_(console)
        , prompter_(console, std::move(step))
        , context_{backend.link(), progress_, prompter_} {}
    // The context refers to this object's own members.
    ConsoleTransfer(const ConsoleTransfer&) = delete;
    ConsoleTransfer& operator=(const ConsoleTransfer&) = delete;
    ConsoleTransfer(ConsoleTransfer&&) = delete;
    ConsoleTransfer& operator=(ConsoleTransfer&&) = delete;
    ~ConsoleTransfer() = default;

    /// Succeeds only for an image that decoded completely.
    bool read(Configuration& config, DeviceSettings& settings) {
        ImageLoadResult decoded = ImageLoadResult::Complete;
        ReadHooks hooks;
        hooks.decoded = [&decoded](ImageLoadResult result) {
            decoded = result;
        };
        if (readFromDevice(config, settings, context_, hooks) != TransferResult::Succeeded) {
            return false;
        }
        // An image the decoder stopped early on is what a write cut off in
        // the middle can leave; saving the part that decoded would hide it.
        if (decoded == ImageLoadResult::StoppedEarly) {
            prompter_.fail(imageLoadMessage(decoded, ImageOrigin::Device).words());
            return false;
        }
        return true;
    }

    bool write(const Configuration& config, const DeviceSettings& settings) {
        const TransferResult result = writeToDevice(config, settings, context_);
        if (result == TransferResult::ExchangeFailed) {
            prompter_.fail(PartlyWrittenText);
        }
        return result == TransferResult::Succeeded;
    }

    [[nodiscard]] const std::string& successText() const { return prompter_.lastSuccess(); }

private:
    ConsoleProgress progress_;
    ConsolePrompter prompter_;
    TransferContext context_;
};

/// Reads the device into a configuration file; false after telling why not.
bool readIntoFile(const std::string& path, const Console& console, DeviceBackend& backend,
                  const std::string& step, std::string& successText) {
    Configuration config;
    DeviceSettings settings;
    ConsoleTransfer transfer(console, backend, step);
    if (!transfer.read(config, settings) ||
        !saveConfigurationFile(path, config, settings, console)) {
        return false;
    }
    successText = transfer.successText();
    return true;
}

/// Reads the device back and compares it with what was written.
bool verify(const LoadedConfiguration& written, const Console& console, DeviceBackend& backend) {
    Configuration config;
    DeviceSettings settings;
    ConsoleTransfer transfer(console, backend, "verify");
    if (!transfer.read(config, settings)) {
        return false;
    }
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
    if (invocation.backup) {
        std::string ignored;
        if (!readIntoFile(*invocation.backup, console, backend, "backup", ignored)) {
            return false;
        }
    }
    ConsoleTransfer transfer(console, backend);
    if (!transfer.write(loaded.config, loaded.settings)) {
        return false;
    }
    const bool verifying = invocation.verify.value_or(true);
    if (verifying && !verify(loaded, console, backend)) {
        return false;
    }
    console.success(transfer.successText());
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

/// Lists what one backend finds; false when it finds nothing.
bool listDevices(const Console& console, DeviceBackend& backend) {
    const std::vector<AttachedDevice> devices = backend.attachedDevices();
    if (devices.empty()) {
        console.error("No VANTREL devices detected !");
        return false;
    }
    bool anyLocked = false;
    for (const AttachedDevice& device : devices) {
        console.out << device.description;
        if (!device.canOpen) {
            console.out << "  (cannot be opened: " << device.problem << ")";
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

bool readDeviceConfiguration(const Console& console, DeviceBackend& backend,
                             Configuration& config) {
    DeviceSettings settings;
    ConsoleTransfer transfer(console, backend);
    return transfer.read(config, settings);
}

std::unique_ptr<DeviceBackend> reachDevice(const std::optional<std::string>& device,
                                           const Console& console,
                                           const DeviceBackendFactory& devices) {
    std::string error;
    std::unique_ptr<DeviceBackend> backend = devices(device, error);
    if (!backend) {
        console.error(device && console.subject.empty() ? *device + ": " + error : error);
    }
    return backend;
}

int readCommand(const Invocation& invocation, const Console& console,
                const DeviceBackendFactory& devices) {
    const std::unique_ptr<DeviceBackend> backend =
        reachDevice(namedDevices(invocation).front(), console, devices);
    std::string successText;
    if (!backend || !readIntoFile(*invocation.output, console, *backend, {}, successText)) {
        return ExitFailure;
    }
    console.success(successText);
    return ExitSuccess;
}

int writeCommand(const Invocation& invocation, const Console& console,
                 const DeviceBackendFactory& devices) {
    const auto loaded = openConfiguration(invocation.operands.at(0), console, Partial::Refuse);
    if (!loaded) {
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
        anyFound = (backend && listDevices(console, *backend)) || anyFound;
    }
    return anyFound ? ExitSuccess : ExitFailure;
}

} // namespace vantrel::cli
