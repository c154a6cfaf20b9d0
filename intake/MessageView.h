#pragma once
#include <QString>
#include <QStringList>

class MimeReader;
struct HeaderFields;

// What a message display fills. The main window implements it with its
// widgets; the command line with a record it prints.
class MessageView
{
public:
    enum Page { HtmlPage = 0, AttachmentsPage1 = 1, AttachmentsPage2 = 2 };

    virtual ~MessageView() = default;

    virtual void clearMessageView() = 0;
    virtual void setFields(const HeaderFields &fields) = 0;
    // The raw views of the file: Memo1 the whole file as UTF-8 text, Memo2 its
    // lines from `headerCount` on. The view reads the file only if it shows them.
    virtual void setMemos(const QString &path, int headerCount) = 0;
    virtual void setEditorLines(const QStringList &lines) = 0;
    virtual void clearEditor() = 0;
    // Shows an HTML body; `reader` stays alive while it is shown ("cid:" parts).
    virtual void showHtml(const QString &html, double zoom, const MimeReader &reader) = 0;
    virtual void setActivePage(Page page) = 0;
    // Adds an entry to the first attachment list; `iconExtension` picks its icon.
    virtual void addAttachment(const QString &caption, const QString &iconExtension) = 0;
    virtual void setActionEnabled(const char *name, bool enabled) = 0;
    virtual void setStatusText(int panel, const QString &text) = 0;
    // Unpacks the TNEF attachment just listed (the second-level list).
    virtual void runTnefUnpack() = 0;
    virtual bool storedMessageMode() const = 0;
};
