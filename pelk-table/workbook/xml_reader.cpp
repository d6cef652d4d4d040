#include "pelk-table/workbook/xml_reader.h"

#include <cstring>

#include <expat.h>

namespace {

struct STATE_ {
    XML_Parser parser;
    CXmlHandler* handler;
    bool doctype = false;
};

void stopIfFailed(STATE_& state) {
    if (state.handler->failed())
        XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    STATE_& state = *static_cast<STATE_*>(data);
    state.handler->start(name, attributes);
    stopIfFailed(state);
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    STATE_& state = *static_cast<STATE_*>(data);
    state.handler->end(name);
    stopIfFailed(state);
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    STATE_& state = *static_cast<STATE_*>(data);
    state.handler->text(text, length);
    stopIfFailed(state);
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    STATE_& state = *static_cast<STATE_*>(data);
    state.doctype = true;
    XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL onEntity(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                      const XML_Char*, const XML_Char*) {
    onDoctype(data, nullptr, nullptr, nullptr, 0);
}

}  // namespace

bool CXmlReader::read(const std::string& xml, const std::string& part, CXmlHandler& handler, std::string& error) {
    XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
    if (!parser) {
        error = "out of memory reading " + part;
        return false;
    }
    STATE_ state{parser, &handler};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    XML_SetStartDoctypeDeclHandler(parser, onDoctype);
    XML_SetEntityDeclHandler(parser, onEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    bool ok = true;
    // Fed in pieces that fit an int, as expat takes them.
    const std::size_t kPiece = 1u << 24;
    std::size_t at = 0;
    do {
        const std::size_t n = xml.size() - at < kPiece ? xml.size() - at : kPiece;
        const bool last = at + n == xml.size();
        if (XML_Parse(parser, xml.data() + at, static_cast<int>(n), last) != XML_STATUS_OK) {
            ok = false;
            break;
        }
        at += n;
    } while (at < xml.size());
    if (!ok) {
        if (state.doctype)
            error = "the part " + part + " declares a document type (DTD), which a workbook never needs; refused";
        else if (handler.failed())
            error = handler.failure();
        else
            error = "the part " + part + " is not well-formed XML (line " +
                    std::to_string(XML_GetCurrentLineNumber(parser)) +
                    "): " + XML_ErrorString(XML_GetErrorCode(parser));
    }
    XML_ParserFree(parser);
    return ok;
}

const char* CXmlReader::attribute(const char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2) {
        if (std::strcmp(attributes[i], name) == 0)
            return attributes[i + 1];
    }
    return nullptr;
}

const char* CXmlReader::localName(const char* name) {
    const char* space = std::strrchr(name, ' ');
    return space ? space + 1 : name;
}

bool CXmlReader::is(const char* name, const char* uri, const char* local) {
    const std::size_t n = std::strlen(uri);
    return std::strncmp(name, uri, n) == 0 && name[n] == ' ' && std::strcmp(name + n + 1, local) == 0;
}
