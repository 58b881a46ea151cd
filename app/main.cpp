#include "app/ConfigurationProgram.h"
#include "device/UdevRule.h"
#include "device/hidapi/HidapiDevice.h"
#include "device/hidapi/LockedDevice.h"

#include <QMessageBox>
#include <cstdio>
#include <string>

namespace {

/// A device this user may not open looks like no device to the start-up
/// check, whose message then asks to plug it in. Saying why first keeps the
/// user from hunting for a cable fault; the start-up runs as always after.
void explainLockedDevice() {
    if (!vantrel::lockedOut(vantrel::enumerateHidDevices())) {
        return;
    }
    const std::string reason =
        vantrel::permissionProblem("The VANTREL", vantrel::packagedUdevRuleInstalled());
    std::fprintf(stderr, "vantrel-config: %s\n", reason.c_str());
    QMessageBox::warning(nullptr, QStringLiteral("VANTREL"), QString::fromStdString(reason));
}

constexpr vantrel::ProgramIdentity Program{
    "vantrel-config", "org.vantrel.Config",
    "Configures the VANTREL USB keyboard encoder attached over USB."};

} // namespace

// The configuration program on a real device over USB. It keeps no
// settings: every run starts from an empty configuration, or from the file
// named on the command line.
int main(int argc, char* argv[]) {
    return vantrel::programMain(
        argc, argv, Program, [](const vantrel::ProgramArguments& arguments) {
            explainLockedDevice();
            vantrel::HidapiDevice device;
            return vantrel::runConfigurationProgram(
                device, [&device] { return device.lockFile(); }, arguments.file);
        });
}
