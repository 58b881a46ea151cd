#include "windows/frmMain/DistributionVolume.h"

#include <QDir>
#include <QStorageInfo>

namespace vantrel {

std::string volumeLabelAtRoot(const QString& folder) {
    const QStorageInfo storage(folder);
    if (!storage.isValid() || !storage.isReady()) {
        return {};
    }
    // A sub-folder of the volume has no label of its own.
    if (QDir(storage.rootPath()) != QDir(folder)) {
        return {};
    }
    return storage.name().toStdString();
}

std::string currentVolumeLabel() {
    return volumeLabelAtRoot(QDir::currentPath());
}

bool isDistributionVolumeLabel(std::string_view label) {
    return label.find("VANTREL") != std::string_view::npos;
}

} // namespace vantrel
