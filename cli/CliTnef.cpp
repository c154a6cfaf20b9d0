#include "CliTnef.h"

#include "CliStreams.h"
#include "TTnefAttribute.h"
#include "TTnefPropertyReader.h"
#include "TTnefReader.h"

#include <QFile>

namespace {

QString hex(quint64 v, int digits)
{
    return QStringLiteral("0x") + QString::number(v, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString typeText(const TTnefPropertyTag &tag)
{
    QString t = tag.IsKnownType() ? QString::fromLatin1(TnefPropertyTypeName(tag.PropertyType()))
                                  : hex(tag.RawType(), 4);
    return tag.IsMultiValued() ? t + QStringLiteral(" (multi-valued)") : t;
}

QString idText(const TTnefPropertyTag &tag)
{
    if (tag.Id() != TTnefPropertyId::piNull || tag.RawId() == 0)
        return QStringLiteral("%1 %2").arg(QString::fromLatin1(TnefPropertyIdName(tag.Id())), hex(tag.RawId(), 4));
    return hex(tag.RawId(), 4);
}

void listProperties(QTextStream &out, TTnefPropertyReader &pr)
{
    int index = 0;
    while (pr.NextProperty()) {
        const TTnefPropertyTag &tag = pr.PropertyTag();
        out << "    property " << ++index << '/' << pr.PropertyCount() << ": " << idText(tag) << ' '
            << typeText(tag);
        if (const TTnefPropertyName *name = pr.PropertyName()) {
            out << " named " << name->Guid().toString(QUuid::WithBraces) << ' ';
            if (name->Kind() == TTnefNameIdKind::ikName)
                out << '"' << name->Name() << '"';
            else
                out << "id " << hex(name->Number(), 4);
        }
        QStringList lengths;
        while (pr.NextValue())
            lengths << QString::number(pr.RawValueLength());
        out << " values " << pr.ValueCount();
        if (!lengths.isEmpty())
            out << " [" << lengths.join(QLatin1Char(' ')) << " bytes]";
        out << '\n';
    }
}

} // namespace

int tnefList(const QStringList &args)
{
    QTextStream &out = cli::out();
    QTextStream &err = cli::err();
    if (args.size() != 1) {
        err << "usage: quernal-cli tnef-list FILE\n";
        return 2;
    }
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly)) {
        err << "cannot open " << args.first() << ": " << file.errorString() << '\n';
        return 2;
    }
    try {
        TTnefReader r(&file);
        out << "attachment key " << hex(r.AttachmentKey(), 4) << '\n';
        while (r.NextAttribute()) {
            const bool atMessage = r.AttributeLevel() == TTnefAttributeLevel::alMessage;
            out << (atMessage ? "message    " : "attachment ") << TnefAttributeTagName(r.AttributeTag()) << ' '
                << hex(r.RawAttributeTag(), 8) << ' ' << TnefAttributeTypeName(r.AttributeType()) << " length "
                << r.AttributeLength();
            switch (r.AttributeTag()) {
            case TTnefAttributeTag::agTnefVersion:
                if (atMessage)
                    out << " version " << hex(r.TnefVersion(), 8);
                out << '\n';
                break;
            case TTnefAttributeTag::agOemCodepage:
                if (atMessage)
                    out << " code page " << r.OemCodePage();
                out << '\n';
                break;
            case TTnefAttributeTag::agAttachTitle: {
                TAttachTitleAttribute title(r);
                title.Load();
                out << " \"" << title.Title() << "\"\n";
                break;
            }
            case TTnefAttributeTag::agMapiProperties:
            case TTnefAttributeTag::agAttachment: {
                out << '\n';
                out.flush();
                TTnefPropertyReader pr(r);
                listProperties(out, pr);
                break;
            }
            default:
                out << '\n';
            }
        }
        out << "end at " << r.RawReadPosition() << '\n';
    } catch (const ETnefError &e) {
        out.flush();
        err << e.Text() << '\n';
        return 1;
    }
    return 0;
}
