#include "app/ConfigurationProgram.h"
#include "device/DeviceLock.h"
#include "device/EmulatedDevice.h"

#include <QDir>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace {

constexpr vantrel::ProgramIdentity Program{
    "vantrel-config-emulated", "org.vantrel.Config.Emulated",
    "The VANTREL configuration program on an emulated device, to try it without the\n"
    "hardware. The device's memory is kept in the user's data folder."};

} // namespace

// The same program on an emulated device, for trying it without hardware.
// The device's memory is kept in the user's data folder, so a configuration
// written by one run is read back by the next.
int main(int argc, char* argv[]) {
    return vantrel::programMain(
        argc, argv, Program, [](const vantrel::ProgramArguments& arguments) {
            const QString folder =
                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            if (folder.isEmpty() || !QDir().mkpath(folder)) {
                std::fprintf(stderr,
                             "vantrel-config-emulated: cannot create the data folder \"%s\"\n",
                             qPrintable(folder));
                return 1;
            }
            const std::filesystem::path memory =
                std::filesystem::path(folder.toStdU16String()) / "emulated-device.bin";
            vantrel::EmulatedDevice device(memory);
            // About what one exchange takes on a full-speed USB device, so that a
            // transfer shows its progress as it will on hardware.
            device.setLatency(std::chrono::milliseconds(1));
            return vantrel::runConfigurationProgram(
                device, [memory] { return vantrel::emulatorLockFile(memory); }, arguments.file);
        });
}
