// MainActionTable.cpp
// Actions of TFrmQuernal. Each action's handler is <name>Execute.
// Where an item carries its own menu text (with accelerator) that text is the
// caption; the action's plain caption, when different, is noted beside the row.
// A caption equal to the object name means no caption is known for it (these
// are mostly internal dispatch targets that never appear in a menu).
#include "MainActionTable.h"

const MainActionDef kMainActions[] = {
    // name              caption                                 menuPath                               toolCaption   shortcut enabled checkable checked

    // --- 操作 (&C) ---
    {"DBBackup",         "DBファイルのバックアップ (&B)",           "操作 (&C)",                            "",           "", true,  true,  false}, // action caption "DBFile Backup"; backup view closed at start

    // --- 設定 (&S) / アプリ・テーマ設定 (&Z) ---
    // The theme applied at start-up gets its check mark while the window is prepared.
    {"Theme0",           "システム設定を使用する",                   "設定 (&S)/アプリ・テーマ設定 (&Z)",     "",           "", true,  true,  false}, // style "Windows"
    {"Theme1",           "ライト",                                  "設定 (&S)/アプリ・テーマ設定 (&Z)",     "",           "", true,  true,  false}, // "Windows11 Modern Light"
    {"Theme2",           "ダーク",                                  "設定 (&S)/アプリ・テーマ設定 (&Z)",     "",           "", true,  true,  false}, // "Windows11 Modern Dark"
    {"Theme3",           "オーロラ",                                "設定 (&S)/アプリ・テーマ設定 (&Z)",     "",           "", true,  true,  false}, // "Windows11 Polar Light"
    {"Theme4",           "クラシック",                              "設定 (&S)/アプリ・テーマ設定 (&Z)",     "",           "", true,  true,  false}, // "Windows10"

    // --- context menu of the result list grid (PopupMenu1, owned by the main window) ---
    {"DispMsgDat",       "メッセージの表示 (&R)",                   "popup:PopupMenu1",                     "",           "", false, false, false}, // action caption "メッセージの表示"; also grid double-click
    {"ExprtMsgFile",     "メッセージファイルのエクスポート (&P)",   "popup:PopupMenu1",                     "",           "", false, false, false}, // action caption "メッセージファイルのエクスポート"
    {"DelMsgDat",        "メッセージの削除 (&D)",                   "popup:PopupMenu1",                     "",           "", false, false, false}, // action caption "メッセージの削除"

    // --- context menu of ListView1 (also on ListView2, see the notes below) ---
    {"SavetoDisk",       "名前をつけて保存 (&N)",                   "popup:ListView1",                      "",           "", false, false, false}, // action caption "名前をつけて保存"; dispatches to SaveToDiskA1/A2
    {"OpenWith",         "規定のプログラムで開く (&W)",             "popup:ListView1",                      "",           "", false, false, false}, // action caption "規定のプログラムで開く"; dispatches to OpenWithA1/A2
    {"DecryptGpg",       "GnuPG復号 (&G)",                          "popup:ListView1",                      "",           "", false, false, false}, // action caption "GnuPG復号"; dispatches to DecryptGpgA1
    {"SaveToDiskDGpg",   "GnuPG復号して保存 (&H)",                  "popup:ListView1",                      "",           "", false, false, false}, // action caption "GnuPG復号して保存"; on ListView2 "GnuPG復号して保存 (&E)"

    // --- context menu of the bulk-mail body MEditor ---
    {"EditorPrint",      "メッセージ・ボディ印刷 (&P)",             "popup:MEditor",                        "",           "", true,  false, false}, // action caption "Doc印刷"; also "テキストメッセージ印刷 (&T)" in popup:TFrmQuernal
    {"InsertC1",         "宛先名挿入 [$ToName]",                    "popup:MEditor",                        "",           "", true,  false, false},
    {"InsertC2",         "差出人名挿入 [$FrmName]",                 "popup:MEditor",                        "",           "", true,  false, false},
    {"InsertC3",         "差出人アドレス挿入 [$FrmAddress]",        "popup:MEditor",                        "",           "", true,  false, false},

    // --- help menu (its own caption is not known) ---
    {"Hcontents",        "目次",                                    "ヘルプ (&H)",                                     "",           "", true,  false, false},
    {"Hkeyword",         "キーワード",                              "ヘルプ (&H)",                                     "",           "", true,  false, false},
    {"About",            "バージョン情報",                          "ヘルプ (&H)",                                     "",           "", true,  false, false},

    // --- shell: view, bars, information tabs ---
    {"Zoom_IncMgn",      "表示倍率＋",                              "表示 (&V)",                                     "拡大表示",   "", false, false, false},
    {"Zoom_DecMgn",      "表示倍率－",                              "表示 (&V)",                                     "縮小表示",   "", false, false, false},
    {"FontBarShow",      "フォントメニューバー表示",                "表示 (&V)",                                     "",           "", false, false, false},
    {"ButtonBarShow",    "ボタンメニューバー表示",                  "表示 (&V)",                                     "",           "", false, false, false},
    {"DispTAB1",         "書誌情報TAB",                             "表示 (&V)",                                     "",           "", true,  true,  false}, // check mark from "TAB1_Visible" (default off)
    {"DispTAB3",         "パラメータ設定TAB",                       "表示 (&V)",                                     "",           "", true,  true,  false}, // check mark from "TAB3_Visible" (default off)

    // --- message database ---
    // DBConnect is disabled until the data module has opened the connection.
    {"DBConnect",        "DB接続",                                  "操作 (&C)",                                     "",           "", false, true,  false}, // checked while the list is open; tool button ToolButton3
    {"DBSelect",         "DB検索",                                  "操作 (&C)",                                     "",           "", true,  true,  false}, // checked while the search dialog exists
    {"DBUpdate",         "DB更新",                                  "操作 (&C)",                                     "",           "", false, false, false}, // enabled by a display, open or drop
    {"DBFileSet",        "DBファイル設定",                          "操作 (&C)",                                     "",           "", true,  false, false},
    {"SetListFontSize",  "SetListFontSize",                         "",                                     "",           "", false, false, false}, // no caption; gates S1/S2 of PopupMenu1

    // --- message intake ---
    {"MessageOpen",      "メールを開く (&O)",                       "操作 (&C)",                                     "",           "", true,  false, false}, // action caption "メールを開く"; tool button 1
    {"MessageSave",      "メールを保存する",                        "操作 (&C)",                                     "",           "", false, false, false},

    // --- attachments: dispatch targets without menu items ---
    {"DecryptTnefA1",    "DecryptTnefA1",                           "",                                     "",           "", true,  false, false},
    {"DecryptGpgA1",     "DecryptGpgA1",                            "",                                     "",           "", true,  false, false},
    {"SaveToDiskD1Gpg",  "SaveToDiskD1Gpg",                         "",                                     "",           "", true,  false, false},
    {"SaveToDiskD2Gpg",  "SaveToDiskD2Gpg",                         "",                                     "",           "", true,  false, false},
    {"SaveToDiskA1",     "SaveToDiskA1",                            "",                                     "",           "", true,  false, false},
    {"SaveToDiskA2",     "SaveToDiskA2",                            "",                                     "",           "", true,  false, false},
    {"OpenWithA1",       "OpenWithA1",                              "",                                     "",           "", true,  false, false},
    {"OpenWithA2",       "OpenWithA2",                              "",                                     "",           "", true,  false, false},

    // --- bulk mail ---
    {"MLSender",         "メールの一斉送信 (&S)",                   "操作 (&C)",                                     "",           "", true,  true,  false}, // action caption "Mail Sender"; view off at start

    // --- file backup tool (page "DB File処理") ---
    {"ListOnOff",        "ListOnOff",                               "",                                     "",           "", true,  false, false}, // ToolButton9; hint "フォルダーを開きます" / "フォルダーを閉じます"
    {"FileSetA",         "一括選択",                                "",                                     "",           "", true,  false, false}, // button Button5
    {"FileSetS",         "個別選択",                                "",                                     "",           "", true,  false, false}, // button Button1; also file list double-click
};
const std::size_t kMainActionCount = sizeof(kMainActions) / sizeof(kMainActions[0]);

// Menu bar menus first, left to right, then the context menus.
const MainMenuDef kMainMenus[] = {
    {"操作 (&C)"},
    {"表示 (&V)"},
    {"設定 (&S)"},
    {"設定 (&S)/アプリ・テーマ設定 (&Z)"},
    {"ヘルプ (&H)"},
    {"popup:PopupMenu1"},
    {"popup:ListView1"},
    {"popup:ListView2"},
    {"popup:MEditor"},
    {"popup:TFrmQuernal"},
};
const std::size_t kMainMenuCount = sizeof(kMainMenus) / sizeof(kMainMenus[0]);

// Page indices never change; hiding a page hides its tab. Every page is hidden
// once the window has been prepared: the message pages by ClearMessageView,
// "Data" always, the two information tabs by their stored flags (default off),
// the backup and bulk-mail pages because both views start closed. The result
// list window "DB List View" docks behind the last of these at run time.
const PageDef kMainPages[] = {
    {"TabSheet4", "HTML",           false}, // EdgeBrowser1
    {"TabSheet2", "添付ファイルⅠ",  false}, // ListView1
    {"TabSheet5", "添付ファイルⅡ",  false}, // ListView2
    {"TabSheet1", "書誌情報",       false}, // Edit1..Edit8; shown while DispTAB1 is checked
    {"TabSheet3", "パラメータ設定", false}, // ValueListEditor1; shown while DispTAB3 is checked
    {"TabSheet6", "Data",           false}, // Memo1, Memo2; never shown
    {"TabSheet7", "DB File処理",    false}, // shown with DBBackup
    {"TabSheet8", "Mail 送信",      false}, // shown with MLSender; holds pages "メーラー送信", "ダイレクト送信"
};
const std::size_t kMainPageCount = sizeof(kMainPages) / sizeof(kMainPages[0]);

// Menu items that are not actions (handled by plain events or built-in edit
// commands), kept here for building the menus:
//
// PopupMenu1 (context menu of DBGrid1 in TDBListFrm), in order:
//   "メッセージの表示 (&R)" DispMsgDat | "メッセージファイルのエクスポート (&P)" ExprtMsgFile |
//   separator | "メッセージの削除 (&D)" DelMsgDat | separator |
//   "フォントサイズ (&S) - 縮小" S1Click | "フォントサイズ (&L) - 拡大" S2Click
//   (S1/S2 enabled like SetListFontSize)
//
// ListView1 context menu: "名前をつけて保存 (&N)" SavetoDisk | separator |
//   "規定のプログラムで開く (&W)" OpenWith | separator |
//   "GnuPG復号 (&G)" DecryptGpg | "GnuPG復号して保存 (&H)" SaveToDiskDGpg
// ListView2 context menu: "名前をつけて保存 (&N)" SavetoDisk | separator |
//   "規定のプログラムで開く (&W)" OpenWith | separator | "GnuPG復号して保存 (&E)" SaveToDiskDGpg
//
// MEditor context menu, in order: "メッセージ・ボディ印刷 (&P)" EditorPrint | separator |
//   InsertC1 | InsertC2 | InsertC3 | separator | "元に戻す(&U)" (undo) | separator |
//   "切り取り(&T)" | "コピー(&C)" | "貼り付け(&P)" (cut, copy, paste) | separator |
//   "規定のアプリで編集 (&E)" (same as Button26 "規定のアプリで編集")
//
// Window context menu (popup:TFrmQuernal): "テキストメッセージ印刷 (&T)" EditorPrint
//
// JvListBox1 (before list of the backup tool) context menu:
//   "すべてを削除(&A)" (Ctrl+A, same as Button12 "Clear") | "切り取り(&T)" (delete selected name)
//
// Other windows (TDBSetFrm "DB設定", TDBSelectFrm "DB検索", TAboutBox "製品バージョン",
// TDBListFrm) have no menus of their own; TDBListFrm uses PopupMenu1 above.
