#include "GridColumnLayout.h"

const GridColumnLayout::DefaultColumn GridColumnLayout::kDefaults[kColumns] = {
    {"MESSAGE_ID", "メッセージID", false},
    {"MESSAGE_DATE", "受信日時", true},
    {"ACCOUNT_KEY", "アカウント(POP)", false},
    {"SENDER_NAME", "送信名", true},
    {"SENDER_ADDRESS", "送信アドレス", true},
    {"RECIEVE_NAME", "受信名", true},
    {"RECIEVE_ADDRESS", "受信アドレス", true},
    {"MESSAGE_SUBJECT", "題目", true},
    {"MESSAGE_FILENAME", "メッセージファイル名", false},
    {"MAILBODY", "ボディ", true},
};

GridColumnLayout::GridColumnLayout() : columns(kColumns) {}

bool GridColumnLayout::restoreDefaultIfIncomplete()
{
    bool incomplete = false;
    for (const GridColumn &c : columns)
        incomplete = incomplete || c.fieldName.isEmpty();
    if (!incomplete)
        return false;
    for (int i = 0; i < kColumns; ++i) {
        columns[i].fieldName = QString::fromUtf8(kDefaults[i].field);
        columns[i].title = QString::fromUtf8(kDefaults[i].title);
        if (!kDefaults[i].shown)
            columns[i].visible = false;
    }
    return true;
}
