#include "EmlDisplay.h"

#include "GpgRunner.h"
#include "HeaderFields.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "Prompt.h"
#include "SideFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {
const QString kPgpMarker = QStringLiteral("-----BEGIN PGP MESSAGE-----");
} // namespace

bool EmlDisplay::isPgpStart(const QString &line)
{
    return line.contains(kPgpMarker);
}

EmlDisplay::Result EmlDisplay::show(const QString &path, MimeReader &reader)
{
    return present(path, reader, reader.loadFromFile(path));
}

EmlDisplay::Result EmlDisplay::present(const QString &path, MimeReader &reader, bool loaded)
{
    m_r = Result();
    // 1. Start.
    m_view.clearMessageView();
    ParameterTable &params = *m_ctx.params;
    if (ParameterTable::isUnset(params.value(QStringLiteral("ZOOM"))))
        params.setValue(QStringLiteral("ZOOM"), defaultZoom());
    bool ok = false;
    const double z = params.value(QStringLiteral("ZOOM")).trimmed().toDouble(&ok);
    m_zoom = ok && z > 0 ? z / 100.0 : defaultZoom().toDouble() / 100.0;
    if (loaded)
        m_view.setMemos(path, reader.headerCount());

    // 2. Header fields.
    m_view.setFields(HeaderFields::derive(reader, params));

    if (reader.isLoaded() && !reader.isMultipart()) {
        // 3. A message without parts.
        m_r.mDatType = 1;
        const QString headerText = reader.headerText();
        if (headerText.contains(kPgpMarker)) {
            QStringList armoured;
            for (const QString &l : reader.headerLines())
                if (l.contains(kPgpMarker))
                    armoured << l;
            armoured << QString();
            armoured += reader.bodyLines();
            m_r.openPgpFound = true;
            if (!decryptInline(armoured, QFileInfo(path).fileName(), m_r.jisFlg,
                               QStringLiteral("GPG.exeのパス設定をしてください")))
                return m_r;
        } else {
            const QString type = reader.header(QStringLiteral("Content-Type")).toLower();
            if (type.contains(QLatin1String("text/plain")) || (type.isEmpty() && reader.contentType() == "text/plain")) {
                m_view.clearEditor();
                m_r.editorLines = reader.bodyLines();
                m_view.setEditorLines(m_r.editorLines);
            } else if (type.contains(QLatin1String("text/html"))) {
                showHtml(reader.bodyLines().join(u'\n'), reader);
            }
        }
    } else if (reader.isLoaded()) {
        // 4. A multipart message, part by part.
        for (MimePart &part : reader.parts()) {
            if (part.isAttachment) {
                listAttachment(part);
            } else if (part.contentType.contains(QLatin1String("text/html"))) {
                showHtml(part.text(), reader);
            } else if (part.contentType.contains(QLatin1String("text/plain"))) {
                m_r.mDatType = 1;
                const QStringList lines = part.bodyLines();
                m_r.jisFlg = false;
                qsizetype k = -1;
                for (qsizetype i = 0; i < lines.size() && k < 0; ++i)
                    if (lines[i].contains(kPgpMarker))
                        k = i;
                if (k >= 0) {
                    m_r.openPgpFound = true;
                    if (k + 1 < lines.size() && lines[k + 1].contains(QLatin1String("iso-2022-jp"), Qt::CaseInsensitive))
                        m_r.jisFlg = true;
                    else if (k + 2 < lines.size() &&
                             lines[k + 2].contains(QLatin1String("iso-2022-jp"), Qt::CaseInsensitive))
                        m_r.jisFlg = true;
                }
                m_view.setActivePage(MessageView::HtmlPage);
                m_view.clearEditor();
                m_r.editorLines.clear();
                if (k >= 0) {
                    if (!decryptInline(lines, QFileInfo(path).fileName(), m_r.jisFlg,
                                       QStringLiteral("GPG2.exeのパス設定をしてください")))
                        return m_r;
                } else {
                    m_r.editorLines = lines;
                    m_view.setEditorLines(lines);
                }
            }
        }
    }

    // 7. End.
    if (m_r.openPgpFound)
        m_r.mDatType = 3;
    if (!m_view.storedMessageMode())
        m_view.setActionEnabled("DBUpdate", true);
    m_view.setStatusText(2, QStringLiteral("メッセージを表示しました"));
    m_r.completed = true;
    return m_r;
}

void EmlDisplay::listAttachment(MimePart &part)
{
    m_view.setActivePage(MessageView::AttachmentsPage1);
    const QFileInfo fi(part.fileName);
    QString iconExt;
    if (!part.fileName.isEmpty() && !fi.suffix().isEmpty()) {
        iconExt = u'.' + fi.suffix();
        m_view.setActionEnabled("OpenWithA1", true);
        m_view.setActionEnabled("OpenWith", true);
    } else if (!part.fileName.isEmpty()) {
        iconExt = QStringLiteral(".dat");
    } else {
        part.fileName = QStringLiteral("ver.dat");
        iconExt = QStringLiteral(".dat");
    }
    m_view.addAttachment(part.fileName, iconExt);
    if (part.contentType.contains(QLatin1String("application/ms-tnef"))) {
        m_r.tnefFlg = true;
        m_view.runTnefUnpack();
    } else {
        m_r.tnefFlg = false;
    }
}

void EmlDisplay::showHtml(const QString &html, const MimeReader &reader)
{
    m_r.mDatType = 2;
    m_r.htmlShown = true;
    m_view.setActivePage(MessageView::HtmlPage);
    m_view.setActionEnabled("Zoom_IncMgn", true);
    m_view.setActionEnabled("Zoom_DecMgn", true);
    m_view.showHtml(html, m_zoom, reader);
}

bool EmlDisplay::decryptInline(const QStringList &lines, const QString &sourceName, bool jis,
                               const QString &missingMessage)
{
    // GnuPG's files live in the working folder, apart from the message file itself.
    const QString base = QFileInfo(sourceName).completeBaseName();
    const QString input = m_ctx.mailDat + QStringLiteral("/Enc_") + base + QStringLiteral(".asc");
    const QString output = m_ctx.mailDat + QStringLiteral("/Dcr_") + base + QStringLiteral(".txt");
    const QString gpgPath = m_ctx.params->value(QStringLiteral("GPGPath"));
    if (!GpgRunner::configured(gpgPath)) {
        Prompt::current().message(missingMessage, Prompt::Kind::Warning);
        return false;
    }
    SideFile::writeLines(input, lines, SideFile::Encoding::System);
    QFile::remove(output);
    bool &terminateState = *m_ctx.terminateState;
    MessageView &view = m_view;
    // The handler may run after a given-up wait: it owns what it fills.
    auto editorLines = std::make_shared<QStringList>();
    auto onEnd = [&view, &terminateState, input, output, jis, editorLines] {
        // The end handler: the output replaces the editor's text.
        if (QFileInfo::exists(output)) {
            QFile f(output);
            QByteArray bytes;
            if (f.open(QIODevice::ReadOnly))
                bytes = f.readAll();
            f.close();
            const QString text = jis ? JisToShiftJis(bytes) : QString::fromUtf8(bytes);
            *editorLines = SideFile::splitLines(text);
            view.setEditorLines(*editorLines);
            QFile::remove(output);
        }
        QFile::remove(input);
        view.setStatusText(2, QString());
        terminateState = true;
    };
    m_ctx.gpg->run(gpgPath, input, output, terminateState, missingMessage,
                   [&view](const QString &t) { view.setStatusText(2, t); }, onEnd);
    m_r.editorLines = *editorLines;
    return true;
}
