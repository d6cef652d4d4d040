#ifndef PELK_TABLE_WORKBOOK_XML_READER_H
#define PELK_TABLE_WORKBOOK_XML_READER_H

#include <string>

/// What CXmlReader hands its elements and text to. Names come as
/// "namespace-URI local-name" (a space between), or the local name alone
/// when the element has no namespace; attributes likewise, as a
/// null-terminated array of name, value pairs.
class CXmlHandler {
public:
    virtual ~CXmlHandler() = default;
    virtual void start(const char* name, const char** attributes) = 0;
    virtual void end(const char* name) = 0;
    virtual void text(const char* text, int length) = 0;

    /// True after fail(): the reading stops.
    bool failed() const { return !m_failure.empty(); }
    const std::string& failure() const { return m_failure; }

protected:
    /// Stops the reading with message (the first one stays).
    void fail(const std::string& message) {
        if (m_failure.empty())
            m_failure = message;
    }

private:
    std::string m_failure;
};

/// CXmlReader reads one XML part with libexpat, as a stream. A document
/// type declaration (and with it every entity declaration) is refused, so
/// no entity can expand.
class CXmlReader {
public:
    /// Reads xml (the part named part, for messages) into handler. False,
    /// with error set, when the XML is malformed, declares a DTD, or the
    /// handler failed.
    static bool read(const std::string& xml, const std::string& part, CXmlHandler& handler, std::string& error);

    /// The value of attribute name in attributes, or null.
    static const char* attribute(const char** attributes, const char* name);
    /// The local part of a name ("uri local" -> "local").
    static const char* localName(const char* name);
    /// True when name is in namespace uri and has local name local.
    static bool is(const char* name, const char* uri, const char* local);
};

#endif
