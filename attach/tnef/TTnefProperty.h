#pragma once
#include <QString>
#include <QUuid>

class QIODevice;
class TTnefPropertyReader;

// One property value loaded from the property reader's current property:
// the caller picks the class by PropertyTag after NextProperty.
class TTnefProperty
{
public:
    explicit TTnefProperty(TTnefPropertyReader &APropertyReader) : m_properties(APropertyReader) {}
    virtual ~TTnefProperty() = default;
    TTnefProperty(const TTnefProperty &) = delete;
    TTnefProperty &operator=(const TTnefProperty &) = delete;

    virtual void Load() = 0;

protected:
    TTnefPropertyReader &m_properties;
};

class TAttachStringProperty : public TTnefProperty
{
public:
    using TTnefProperty::TTnefProperty;
    void Load() override;
    QString Value() const { return m_value; }

private:
    QString m_value;
};

// The attachment's data: for an object value its interface GUID, then the
// rest of the bytes into AContent (not owned).
class TAttachDataProperty : public TTnefProperty
{
public:
    TAttachDataProperty(TTnefPropertyReader &APropertyReader, QIODevice *AContent)
        : TTnefProperty(APropertyReader), m_content(AContent)
    {
    }
    void Load() override;
    QUuid Guid() const { return m_guid; }

private:
    QIODevice *m_content;
    QUuid m_guid;
};

// The value's bytes as stored into AContent (not owned).
class TAttachStreamProperty : public TTnefProperty
{
public:
    TAttachStreamProperty(TTnefPropertyReader &APropertyReader, QIODevice *AContent)
        : TTnefProperty(APropertyReader), m_content(AContent)
    {
    }
    void Load() override;

private:
    QIODevice *m_content;
};

// Compressed RTF is copied as stored; nothing here decompresses it.
class TMapiRtfCompressedProperty : public TAttachStreamProperty
{
public:
    using TAttachStreamProperty::TAttachStreamProperty;
};
