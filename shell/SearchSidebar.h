#pragma once

class CGripperBar;
class CPanelTabCtrl;
class QWidget;
class SearchHost;

/// Builds the search sidebar: `bar` as a child of `frame`, 330 pixels wide, holding the tab
/// control `tabs` with the four search panels ("名称检索", "CAS检索", "用途检索", "化学式检索")
/// and after them the forgiving search ("综合检索"), the first of them shown. Run once, after the
/// database is loaded: the panels list its first names as they are made (the name panel now,
/// each other one when the tab control is first asked for it), and the name panel makes the
/// start page current and the first entry of the history. When the bar cannot be made, the
/// sidebar stays empty.
void AssembleSearchSidebar(QWidget& frame, CGripperBar& bar, CPanelTabCtrl& tabs, SearchHost& host);
