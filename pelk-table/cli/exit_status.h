#ifndef PELK_TABLE_CLI_EXIT_STATUS_H
#define PELK_TABLE_CLI_EXIT_STATUS_H

/// The exit statuses of pelk-table, one meaning each for every command (the
/// man page has them in one table).
enum EXIT_STATUS_ {
    kExitClean = 0,     ///< done, nothing found (diff: the same machine)
    kExitFindings = 1,  ///< errors found, a table refused or unreadable, nothing written (diff: different machines)
    kExitUsage = 2,     ///< a usage fault: an unknown option, command, state, event or sheet (diff: any trouble)
    kExitInternal = 3,  ///< a fault of pelk-table itself, or no memory left: never a finding
};

#endif
