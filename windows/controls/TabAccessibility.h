#pragma once

namespace vantrel {

/// Lets assistive technology hear the tabs of a tab bar as the eye sees
/// them: a greyed tab is disabled, and the current tab is focused only while
/// its tab bar has the keyboard focus. Qt's own description announces every
/// tab as enabled and the current one as focused wherever the focus is.
/// Applies to every tab bar of the program; calling it again does nothing.
/// Needs the QApplication to exist.
void announceTabsAsShown();

} // namespace vantrel
