/*
 * Kerrow: splits a tab-separated text file into records of fields and hands
 * them out one record at a time.
 *
 * All state is process-wide: one split at a time, one caller at a time.
 * Every pointer handed out belongs to the library; a caller never frees it.
 */
#ifndef KERROW_H
#define KERROW_H

#define KERROW_VERSION "1.0"

/* KERROW_API marks the exported functions; KERROW_CALL is the calling
 * convention of the three functions that take arguments (standard call on
 * 32-bit Windows, the platform's default elsewhere). */
#if defined(_WIN32)
#if defined(KERROW_BUILDING)
#define KERROW_API __declspec(dllexport)
#else
#define KERROW_API __declspec(dllimport)
#endif
#if defined(_M_IX86) || defined(__i386__)
#define KERROW_CALL __stdcall
#else
#define KERROW_CALL
#endif
#else
#if defined(KERROW_BUILDING)
#define KERROW_API __attribute__((visibility("default")))
#else
#define KERROW_API
#endif
#define KERROW_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One field of a stored record. */
typedef struct KERROW_FIELD_ {
    char* text;                 /* NUL-terminated copy owned by the store */
    struct KERROW_FIELD_* next; /* next field of the same record, or NULL */
} KERROW_FIELD;

/* One stored record. */
typedef struct KERROW_RECORD_ {
    KERROW_FIELD* fields;        /* first field; every record has at least one */
    int fieldCount;              /* length of the field list */
    struct KERROW_RECORD_* next; /* next record in file order, or NULL */
} KERROW_RECORD;

/* Splits the file at path into the store. 0 on success, -1 on failure with
 * the reason in GetErrorMessage(). Releases the records of an earlier split
 * once the file is open; records closed before a failure stay stored.
 * Messages (at most 255 characters, longer ones are cut):
 *   "can't open file <path>"                  (the store is left untouched)
 *   "<path>:<line>: syntax error. \"<token>\" is invalid."
 *   "<path>:<line>: field is too long. (max 255 characters)"
 *   "<path>:<line>: NUL character in the file."
 *   "<path>:<line>: can't read file."
 *   "memory allocation error.  push_field()" or "... push_record()" */
KERROW_API int KERROW_CALL Kerrow(const char* path);

/* Number of stored records. */
KERROW_API int GetTsvRecordCount(void);

/* First stored record node, NULL when there is none; valid until
 * FreeAllRecords() or the next split. */
KERROW_API KERROW_RECORD* GetTsvRecordTop(void);

/* Hands out the first record: 0 = delivered, 1 = no record (outputs left
 * alone), -1 = allocation failure ("memory allocation error.
 * get_first_record()"). The array is valid until the next record is
 * delivered or FreeAllRecords(); its texts until FreeAllRecords(). */
KERROW_API int KERROW_CALL GetFirstTsvRecord(int* fieldCount, char*** fields);

/* Hands out the record at the cursor; results and lifetimes as for
 * GetFirstTsvRecord(). */
KERROW_API int KERROW_CALL GetNextTsvRecord(int* fieldCount, char*** fields);

/* Releases every record, field text and the handed-out array. */
KERROW_API void FreeAllRecords(void);

/* The last error message (empty before the first failure); a 256-byte
 * buffer owned by the library, overwritten by the next failure. */
KERROW_API const char* GetErrorMessage(void);

/* The version text "1.0", a constant of the library. */
KERROW_API const char* GetKerrowVersion(void);

/* The functions as a program that loads the library at run time calls them. */
typedef int(KERROW_CALL* KERROW_SPLIT_FN)(const char* path);
typedef int(KERROW_CALL* KERROW_RECORD_FN)(int* fieldCount, char*** fields);
typedef void (*KERROW_FREE_FN)(void);
typedef const char* (*KERROW_TEXT_FN)(void);

#ifdef __cplusplus
}
#endif

#endif /* KERROW_H */
