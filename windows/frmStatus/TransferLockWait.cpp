#include "windows/frmStatus/TransferLockWait.h"

#include "userinterface/DeviceWaitText.h"

#include <QCoreApplication>
#include <cstdio>
#include <utility>

namespace vantrel {

LockWait transferLockWait(std::string program) {
    LockWait wait;
    wait.waiting = [line = std::move(program) + deviceWaitText("VANTREL", wait.patience) + "\n"] {
        std::fputs(line.c_str(), stderr);
    };
    wait.meanwhile = [] {
        QCoreApplication::processEvents();
    };
    return wait;
}

} // namespace vantrel
