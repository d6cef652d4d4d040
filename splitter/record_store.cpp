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
    KERROW_FIELD* node = static_cast<KERROW_FIELD*>(nodes_.allocate(sizeof(KERROW_FIELD), alignof(KERROW_FIELD)));
    char* copy = node ? static_cast<char*>(texts_.allocate(length + 1, 1)) : nullptr;
    if (!copy) {
        // A node taken without its text stays unused in the arena until clear().
        kerrow_set_message("memory allocation error.  push_field()");
        return -1;
    }
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    node->text = copy;
    append(firstField_, lastField_, node);
    ++fieldCount_;
    return 0;
}

int CRecordStore::push_record() {
    KERROW_RECORD* node = static_cast<KERROW_RECORD*>(nodes_.allocate(sizeof(KERROW_RECORD), alignof(KERROW_RECORD)));
    if (!node) {
        kerrow_set_message("memory allocation error.  push_record()");
        return -1;
    }
    node->fields = firstField_;
    node->fieldCount = fieldCount_;
    append(firstRecord_, lastRecord_, node);
    ++recordCount_;
    discardBuilding();
    return 0;
}

void CRecordStore::discardBuilding() {
    firstField_ = lastField_ = nullptr;
    fieldCount_ = 0;
}

void CRecordStore::clear() {
    discardBuilding();
    firstRecord_ = lastRecord_ = cursor_ = nullptr;
    recordCount_ = 0;
    kerrow_free(handedOut_);
    handedOut_ = nullptr;
    nodes_.release();
    texts_.release();
}

int CRecordStore::handOutFirst(int* fieldCount, char*** fields) {
    cursor_ = firstRecord_;
    return handOut(fieldCount, fields);
}

int CRecordStore::handOutNext(int* fieldCount, char*** fields) {
    return handOut(fieldCount, fields);
}

int CRecordStore::handOut(int* fieldCount, char*** fields) {
    if (!cursor_)
        return 1;
    // Every stored record has at least one field, so the array is never empty.
    std::size_t n = static_cast<std::size_t>(cursor_->fieldCount);
    char** array = static_cast<char**>(kerrow_malloc((n ? n : 1) * sizeof(char*)));
    if (!array) {
        kerrow_set_message("memory allocation error. get_first_record()");
        return -1;
    }
    static char empty[] = "";
    std::size_t i = 0;
    for (KERROW_FIELD* f = cursor_->fields; f && i < n; f = f->next, ++i)
        array[i] = f->text ? f->text : empty;
    if (fieldCount)
        *fieldCount = cursor_->fieldCount;
    if (fields)
        *fields = array;
    kerrow_free(handedOut_);
    handedOut_ = array;
    cursor_ = cursor_->next;
    return 0;
}
