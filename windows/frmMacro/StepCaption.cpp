#include "windows/frmMacro/StepCaption.h"

#include "keytext/modKeyText.h"
#include "model/MacroDelay.h"
#include "model/describeMacro.h"

namespace vantrel {

QString stepCaption(const MacroStep& step) {
    if (step.KeyType == KeyTypeDelay) {
        return QStringLiteral("Delay\r\n%1 ms").arg(delayMs(step.KeyValue));
    }
    if (step.KeyType == KeyTypeKeyboard && step.KeyValue == 0) {
        return QString::fromStdString(keyName(0));
    }
    // A step of any other type is named as the row descriptions name it.
    const QString action = step.PressRelease ? QStringLiteral("Press") : QStringLiteral("Release");
    return action + QStringLiteral("\r\n") + QString::fromStdString(stepName(step));
}

} // namespace vantrel
