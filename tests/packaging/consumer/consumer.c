/* Splits the table named on the command line with the installed Kerrow
 * library and prints the library version, the record and the field count. */
#include <stdio.h>

#include "Kerrow.h"

int main(int argc, char* argv[]) {
    int fieldCount = 0;
    char** fields = NULL;
    int records = 0;
    int total = 0;
    int result;

    if (argc != 2) {
        fputs("usage: kerrow_consumer table.tsv\n", stderr);
        return 2;
    }
    if (Kerrow(argv[1]) != 0) {
        fprintf(stderr, "%s\n", GetErrorMessage());
        return 1;
    }
    for (result = GetFirstTsvRecord(&fieldCount, &fields); result == 0;
         result = GetNextTsvRecord(&fieldCount, &fields)) {
        ++records;
        total += fieldCount;
    }
    printf("Kerrow %s: %d records, %d fields\n", GetKerrowVersion(), records, total);
    FreeAllRecords();
    return result == 1 ? 0 : 1;
}
