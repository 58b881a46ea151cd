#include "app/MonitorProgram.h"
#include "app/ProgramMain.h"
#include "device/DeviceLock.h"
#include "device/EmulatedDevice.h"
#include "device/hidapi/HidapiDevice.h"
#include "files/PathText.h"

namespace {

constexpr vantrel::ProgramIdentity Program{
    "vantrel-monitor", "org.vantrel.Monitor",
    "Shows the panel of the attached VANTREL as it is pressed: which input each\n"
    "press comes from, what matched no input or more than one, and which inputs\n"
    "were never seen.",
    vantrel::MonitorOptions, false};

} // namespace

// The input test: the configuration read from the attached device (or a
// file), the presses from its event devices (or recordings).
int main(int argc, char* argv[]) {
    return vantrel::programMain(
        argc, argv, Program, [](const vantrel::ProgramArguments& arguments) {
            const auto emulated = arguments.valuesOf("--emulated");
            if (!emulated.empty()) {
                const auto memory = vantrel::pathFromUtf8(emulated.front());
                vantrel::EmulatedDevice device(memory);
                return vantrel::runMonitorProgram(
                    device, [memory] { return vantrel::emulatorLockFile(memory); }, arguments);
            }
            vantrel::HidapiDevice device;
            return vantrel::runMonitorProgram(
                device, [&device] { return device.lockFile(); }, arguments);
        });
}
