#pragma once

class CPanelTabCtrl;
class QWidget;

/// The search sidebar's keys, anywhere in `window`: Ctrl+Tab and Ctrl+PageDown show the next
/// tab of `tabs`, Ctrl+Shift+Tab and Ctrl+PageUp the one before, round the ends; Ctrl+F and
/// F6 go to the query field of the tab shown. After a switch, by key or by a click on a tab,
/// the focus is in the query field of the tab shown, its text selected, so that typing
/// replaces it.
void InstallSidebarKeys(QWidget& window, CPanelTabCtrl& tabs);
