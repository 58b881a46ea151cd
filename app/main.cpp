#include "app/ConfigurationProgram.h"
#include "device/HidapiDevice.h"
#include "device/LockedDevice.h"
#include "device/UdevRule.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

/// A device this user may not open looks like no device to the start-up
/// check, whose message then asks to plug it in. Saying why first keeps the
/// user from hunting for a cable fault; the start-up runs as always after.
void explainLockedDevice() {
    const auto reason = vantrel::lockedDeviceReason(vantrel::enumerateHidDevices(),
                                                    vantrel::packagedUdevRuleInstalled());
    if (!reason) {
        return;
    }
    std::fprintf(stderr, "vantrel-config: %s\n", reason->c_str());
    QMessageBox::warning(nullptr, QStringLiteral("VANTREL"), QString::fromStdString(*reason));
}

constexpr vantrel::ProgramIdentity Program{
    "vantrel-config", "org.vantrel.Config",
    "Configures the VANTREL USB keyboard encoder attached over USB."};

} // namespace

// The configuration program on a real device over USB. It keeps no
// settings: every run starts from an empty configuration, or from the file
// named on the command line.
int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const vantrel::ProgramArguments arguments = vantrel::parseProgramArguments(args);
    if (const auto status = answerWithoutWindow(arguments, Program, std::cout, std::cerr)) {
        return *status;
    }
    QApplication application(argc, argv);
    vantrel::nameApplication(Program);
    explainLockedDevice();
    vantrel::HidapiDevice device;
    return vantrel::runConfigurationProgram(device, arguments.file);
}
