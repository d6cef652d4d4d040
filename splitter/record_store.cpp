#include "record_store.h"

#include <cstring>

#include "allocation.h"
#include "message.h"

namespace {

// Appends node to the singly linked list first..last, keeping last.
template <typename Node>
void append(Node*& first, Node*& last, Node* node) {
    node->next = nullptr;
    if (last)
        last->next = node;
    else
        first = node;
    last = node;
}

}  // namespace

int CRecordStore::push_field(const char* text, std::size_t length) {
    KERROW_FIELD* node = static_cast<KERROW_FIELD*>(m_nodes.allocate(sizeof(KERROW_FIELD), alignof(KERROW_FIELD)));
    char* copy = node ? static_cast<char*>(m_texts.allocate(length + 1, 1)) : nullptr;
    if (!copy) {
        // A node taken without its text stays unused in the arena until clear().
        kerrow_set_message("memory allocation error.  push_field()");
        return -1;
    }
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    node->text = copy;
    append(m_firstField, m_lastField, node);
    ++m_fieldCount;
    return 0;
}

int CRecordStore::push_record() {
    KERROW_RECORD* node = static_cast<KERROW_RECORD*>(m_nodes.allocate(sizeof(KERROW_RECORD), alignof(KERROW_RECORD)));
    if (!node) {
        kerrow_set_message("memory allocation error.  push_record()");
        return -1;
    }
    node->fields = m_firstField;
    node->fieldCount = m_fieldCount;
    append(m_firstRecord, m_lastRecord, node);
    ++m_recordCount;
    discardBuilding();
    return 0;
}

void CRecordStore::discardBuilding() {
    m_firstField = m_lastField = nullptr;
    m_fieldCount = 0;
}

void CRecordStore::clear() {
    discardBuilding();
    m_firstRecord = m_lastRecord = m_cursor = nullptr;
    m_recordCount = 0;
    kerrow_free(m_handedOut);
    m_handedOut = nullptr;
    m_nodes.release();
    m_texts.release();
}

int CRecordStore::handOutFirst(int* fieldCount, char*** fields) {
    m_cursor = m_firstRecord;
    return handOut(fieldCount, fields);
}

int CRecordStore::handOutNext(int* fieldCount, char*** fields) {
    return handOut(fieldCount, fields);
}

int CRecordStore::handOut(int* fieldCount, char*** fields) {
    if (!m_cursor)
        return 1;
    // Every stored record has at least one field, so the array is never empty.
    std::size_t n = static_cast<std::size_t>(m_cursor->fieldCount);
    char** array = static_cast<char**>(kerrow_malloc((n ? n : 1) * sizeof(char*)));
    if (!array) {
        kerrow_set_message("memory allocation error. get_first_record()");
        return -1;
    }
    static char empty[] = "";
    std::size_t i = 0;
    for (KERROW_FIELD* f = m_cursor->fields; f && i < n; f = f->next, ++i)
        array[i] = f->text ? f->text : empty;
    if (fieldCount)
        *fieldCount = m_cursor->fieldCount;
    if (fields)
        *fields = array;
    kerrow_free(m_handedOut);
    m_handedOut = array;
    m_cursor = m_cursor->next;
    return 0;
}
