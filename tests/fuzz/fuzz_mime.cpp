// libFuzzer target: a message from arbitrary bytes through the reader, the
// header fields and the display's listing, touching every part.
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "HeaderFields.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "RecordedView.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("fuzz.eml"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        // In memory: the reader and the fields.
        MimeReader r;
        r.loadFromBytes(bytes);
        ParameterTable params;
        params.setValue(QStringLiteral("MailAccount1"), QStringLiteral("Me <me@example.jp>"));
        const HeaderFields f = HeaderFields::derive(r, params);
        (void)f.dateText();
        (void)r.headerLines();
        for (const MimePart &p : r.parts()) {
            (void)p.content();
            if (!p.isAttachment)
                (void)p.bodyLines();
        }
        (void)r.bodyLines();
    }
    {
        // From a file: the whole display with its listing.
        if (FILE *fp = std::fopen(path.toLocal8Bit().constData(), "wb")) {
            std::fwrite(data, 1, size, fp);
            std::fclose(fp);
        }
        ParameterTable params;
        RecordedView view;
        bool terminateState = true;
        GpgRunner gpg;
        MimeReader reader;
        EmlDisplay d(view, {&params, dir.path(), &terminateState, &gpg});
        d.show(path, reader);
    }
    return 0;
}
