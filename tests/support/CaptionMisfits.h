#pragma once

#include "windows/controls/CaptionFit.h"

#include <QStringList>

namespace vantrel::testing {

/// The captions under `root` that do not fit their controls, each once: the
/// 108 rows repeat their captions.
inline QStringList captionsThatDoNotFit(const QWidget& root) {
    QStringList misfits;
    visitMisfitCaptions(root, [&misfits](const QString& caption) {
        misfits.append(caption);
        return true;
    });
    misfits.removeDuplicates();
    return misfits;
}

} // namespace vantrel::testing
