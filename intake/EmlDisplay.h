#pragma once
#include "MessageView.h"

#include <QString>

class GpgRunner;
struct MimePart;
class MimeReader;
class ParameterTable;

// Shows one Internet message file: header fields, text and HTML bodies,
// the first attachment list, inline OpenPGP bodies decrypted through GnuPG.
class EmlDisplay
{
public:
    struct Context
    {
        ParameterTable *params = nullptr;  // ZOOM may be set to its default here
        QString mailDat;                   // working folder for GnuPG's files
        bool *terminateState = nullptr;
        GpgRunner *gpg = nullptr;
    };

    struct Result
    {
        int mDatType = 0;     // 0 none, 1 plain text, 2 HTML, 3 OpenPGP content
        bool openPgpFound = false;
        bool jisFlg = false;
        bool tnefFlg = false;
        bool htmlShown = false;
        bool completed = false;   // false when the display ended early (GnuPG not set up)
        QStringList editorLines;  // what the editor shows at the end
    };

    EmlDisplay(MessageView &view, Context ctx) : m_view(view), m_ctx(ctx) {}

    // Loads `path` into `reader` and shows it.
    Result show(const QString &path, MimeReader &reader);
    // Shows a reader already loaded (or not) from `path`.
    Result present(const QString &path, MimeReader &reader, bool loaded);

    static QString defaultZoom() { return QStringLiteral("70"); }
    static bool isPgpStart(const QString &line);

private:
    bool decryptInline(const QStringList &lines, const QString &sourceName, bool jis, const QString &missingMessage);
    void showHtml(const QString &html, const MimeReader &reader);
    void listAttachment(MimePart &part);

    MessageView &m_view;
    Context m_ctx;
    Result m_r;
    double m_zoom = 0.7;
};
