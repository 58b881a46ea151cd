#pragma once

#include <QFont>
#include <QStringList>

class QWidget;

// The windows are laid out for a small 8-point dialog font. Fonts differ
// between systems, so the font is chosen by measuring: the largest size at
// which every caption fits the control drawn for it.
namespace vantrel {

/// The captions of labels, check boxes, option buttons, frames, lists and
/// buttons under `root` (itself included) that do not fit their controls
/// with the font each control has now, each caption once.
[[nodiscard]] QStringList captionsThatDoNotFit(const QWidget& root);

/// Gives `root` the largest size of `base`'s family, from 8 points down to
/// 6 in half points, at which every caption fits, and returns that font. If
/// none fits, the smallest is kept.
QFont fitCaptionFont(QWidget& root, QFont base);

} // namespace vantrel
