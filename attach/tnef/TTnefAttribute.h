#pragma once
#include "TTnefPropertyReader.h"

#include <QString>

class QIODevice;
class TTnefReader;

// One attribute loaded from the reader's current position: the caller picks
// the class by the reader's AttributeTag after NextAttribute.
class TTnefAttribute
{
public:
    explicit TTnefAttribute(TTnefReader &AReader) : m_reader(AReader) {}
    virtual ~TTnefAttribute() = default;
    TTnefAttribute(const TTnefAttribute &) = delete;
    TTnefAttribute &operator=(const TTnefAttribute &) = delete;

    virtual void Load() = 0;

protected:
    TTnefReader &m_reader;
};

class TTnefVersionAttribute : public TTnefAttribute
{
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    quint32 TnefVersion() const { return m_version; }

private:
    quint32 m_version = 0;
};

class TTnefOemCodePageAttribute : public TTnefAttribute
{
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    quint32 OemCodePage() const { return m_codePage; }

private:
    quint32 m_codePage = 0;
};

class TAttachTitleAttribute : public TTnefAttribute
{
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    QString Title() const { return m_title; }

private:
    QString m_title;
};

// Copies the attachment's bytes into AContent (not owned), chunk by chunk.
class TAttachDataAttribute : public TTnefAttribute
{
public:
    TAttachDataAttribute(TTnefReader &AReader, QIODevice *AContent) : TTnefAttribute(AReader), m_content(AContent) {}
    void Load() override;

private:
    QIODevice *m_content;
};

// The attachment's property list; Load does nothing, the caller walks PropertyReader.
class TAttachmentAttribute : public TTnefAttribute
{
public:
    explicit TAttachmentAttribute(TTnefReader &AReader) : TTnefAttribute(AReader), m_properties(AReader) {}
    void Load() override {}
    TTnefPropertyReader &PropertyReader() { return m_properties; }

private:
    TTnefPropertyReader m_properties;
};

// The message's property list; Load does nothing, the caller walks PropertyReader.
class TMapiPropertiesAttribute : public TTnefAttribute
{
public:
    explicit TMapiPropertiesAttribute(TTnefReader &AReader) : TTnefAttribute(AReader), m_properties(AReader) {}
    void Load() override {}
    TTnefPropertyReader &PropertyReader() { return m_properties; }

private:
    TTnefPropertyReader m_properties;
};
