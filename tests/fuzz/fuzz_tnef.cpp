// libFuzzer target: arbitrary bytes through the TNEF reader, on a buffer and
// on a sequential device, touching every attribute, property and value:
// strings, bytes, names, and copies into a sink. Only ETnefError may end a walk.
#include "SequentialBuffer.h"
#include "TTnefAttribute.h"
#include "TTnefProperty.h"
#include "TTnefPropertyReader.h"
#include "TTnefReader.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>

namespace {

class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override { return len; }
};

void values(TTnefPropertyReader &pr, int salt)
{
    NullDevice sink;
    int v = 0;
    while (pr.NextValue()) {
        const TTnefPropertyType type = pr.PropertyTag().PropertyType();
        const bool hasBytes = TnefPropertyTypeIsVariable(type) || type == TTnefPropertyType::ptClassId;
        switch ((salt + v++) % 4) {
        case 0:
            if (hasBytes && type != TTnefPropertyType::ptObject && type != TTnefPropertyType::ptClassId)
                (void)pr.ReadStringValue();
            break;
        case 1:
            if (hasBytes)
                (void)pr.ReadBytesValue();
            break;
        case 2:
            pr.CopyValue(&sink);
            break;
        default:
            if (pr.ValueLength() >= 2)
                (void)pr.ReadBytes(2);  // left half read: the next step skips the rest
        }
    }
}

void properties(TTnefPropertyReader &pr)
{
    NullDevice sink;
    int p = 0;
    while (pr.NextProperty()) {
        if (const TTnefPropertyName *name = pr.PropertyName())
            (void)name->Name();
        switch (p++ % 5) {
        case 0: {
            TAttachDataProperty d(pr, &sink);
            d.Load();
            break;
        }
        case 1:
            if (TnefPropertyTypeIsVariable(pr.PropertyTag().PropertyType()) &&
                pr.PropertyTag().PropertyType() != TTnefPropertyType::ptObject) {
                TAttachStringProperty s(pr);
                s.Load();
            }
            break;
        case 2:
            break;  // skipped whole
        default:
            values(pr, p);
        }
    }
}

void walk(QIODevice *in)
{
    TTnefReader r(in);
    NullDevice sink;
    (void)r.GetEncoding().Charset();
    while (r.NextAttribute()) {
        (void)r.AttributeType();
        switch (r.AttributeTag()) {
        case TTnefAttributeTag::agAttachTitle: {
            TAttachTitleAttribute t(r);
            t.Load();
            break;
        }
        case TTnefAttributeTag::agAttachData: {
            TAttachDataAttribute d(r, &sink);
            d.Load();
            break;
        }
        case TTnefAttributeTag::agTnefVersion:
            if (r.AttributeLevel() == TTnefAttributeLevel::alAttachment) {
                TTnefVersionAttribute v(r);
                v.Load();
            }
            break;
        case TTnefAttributeTag::agOemCodepage:
            if (r.AttributeLevel() == TTnefAttributeLevel::alAttachment) {
                TTnefOemCodePageAttribute c(r);
                c.Load();
            }
            break;
        case TTnefAttributeTag::agMapiProperties:
        case TTnefAttributeTag::agAttachment:
        case TTnefAttributeTag::agRecipientTable: {
            TTnefPropertyReader pr(r);
            properties(pr);
            break;
        }
        default:
            if (r.AttributeLength() > 0 && r.AttributeLength() < 64)
                (void)r.ReadString();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        try {
            walk(&in);
        } catch (const ETnefError &) {
        }
    }
    {
        SequentialBuffer in(bytes);
        try {
            walk(&in);
        } catch (const ETnefError &) {
        }
    }
    return 0;
}
