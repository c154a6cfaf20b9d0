#pragma once
#include "HeaderFields.h"
#include "MessageView.h"

#include <QJsonObject>
#include <QList>
#include <QSet>

// A message view without a window: it keeps what a display put into it.
// The command line prints it; tests and benchmarks read it.
class RecordedView : public MessageView
{
public:
    HeaderFields fields;
    QStringList memo1, memo2;
    QStringList editor;
    bool htmlShown = false;
    QString html;
    double zoom = 0;
    QStringList attachments;
    QSet<QString> enabled;
    QString status[3];
    int tnefRuns = 0;
    bool storedMode = false;
    bool keepMemos = true;   // the command line and benchmarks need no copy of the file

    void clearMessageView() override;
    void setFields(const HeaderFields &f) override { fields = f; }
    void setMemos(const QString &path, int headerCount) override;
    void setEditorLines(const QStringList &lines) override { editor = lines; }
    void clearEditor() override { editor.clear(); }
    void showHtml(const QString &h, double z, const MimeReader &) override;
    void setActivePage(Page) override {}
    void addAttachment(const QString &caption, const QString &) override { attachments << caption; }
    void setActionEnabled(const char *name, bool on) override;
    void setStatusText(int panel, const QString &text) override;
    void runTnefUnpack() override { ++tnefRuns; }
    bool storedMessageMode() const override { return storedMode; }

    // The shown message as one object: the eight fields, the body kind, the
    // editor's text, whether HTML was shown, and the attachments with the
    // size and SHA-256 of their decoded content.
    QJsonObject toJson(const MimeReader &reader, int mDatType) const;
    QString toText(const MimeReader &reader, int mDatType) const;
};
