#include "ConfigurationProgram.h"
#include "HidapiDevice.h"

#include <QApplication>

// The configuration program on a real device over USB. It takes no options
// and keeps no settings: every run starts from an empty configuration.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    vantrel::nameApplication("vantrel-config");
    vantrel::HidapiDevice device;
    return vantrel::runConfigurationProgram(device);
}
