#pragma once

#include <QFont>
#include <QString>
#include <functional>

class QWidget;

// The windows are laid out for a small 8-point dialog font. Fonts differ
// between systems, so the font is chosen by measuring: the largest size at
// which every caption fits the control drawn for it.
namespace vantrel {

/// Hands `visit` each caption of the labels, check boxes, option buttons,
/// frames, lists and buttons under `root` (itself included) that does not
/// fit its control with the font the control has now, until `visit` returns
/// false. Buttons that look alike are measured once.
void visitMisfitCaptions(const QWidget& root, const std::function<bool(const QString&)>& visit);

/// Gives `root` the largest size of `base`'s family, from 8 points down to
/// 6 in half points, at which every caption fits, and returns that font. If
/// none fits, the smallest is kept.
QFont fitCaptionFont(QWidget& root, QFont base);

} // namespace vantrel
