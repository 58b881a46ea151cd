#include "app/ConfigurationProgram.h"
#include "device/HidapiDevice.h"
#include "device/LockedDevice.h"
#include "device/UdevRule.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

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

} // namespace

// The configuration program on a real device over USB. It takes no options
// and keeps no settings: every run starts from an empty configuration.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vantrel::nameApplication("vantrel-config");
    explainLockedDevice();
    vantrel::HidapiDevice device;
    return vantrel::runConfigurationProgram(device);
}
