// MainActionTable.h
// Static description of the main window's actions, menus and pages.
//
// menuPath:
//   "A/B"          menu bar menu A, submenu B
//   ""             no menu location known (tool bar, internal dispatch target, ...)
//   "popup:X"      context menu; X is the popup component when it has a name
//                  (PopupMenu1), otherwise the control the context menu belongs
//                  to (ListView1, MEditor, ...) or TFrmQuernal for the window's
//                  own context menu.
#pragma once
#include <cstddef>
struct MainActionDef {
    const char *name;        // object name, e.g. "DBUpdate"
    const char *caption;     // UTF-8 menu caption
    const char *menuPath;    // "設定 (&S)/アプリ・テーマ設定 (&Z)" or "" or "popup:PopupMenu2"
    const char *toolCaption; // separate tool-button caption or ""
    const char *shortcut;    // QKeySequence text or ""
    bool enabledAtStart;
    bool checkable;
    bool checkedAtStart;
};
extern const MainActionDef kMainActions[];
extern const std::size_t kMainActionCount;
struct MainMenuDef { const char *path; };   // every menu path in display order, parents before children
extern const MainMenuDef kMainMenus[];
extern const std::size_t kMainMenuCount;
struct PageDef { const char *objectName; const char *caption; bool visibleAtStart; };
extern const PageDef kMainPages[];   // pages of PageControl1 in order (not the docked result list)
extern const std::size_t kMainPageCount;
