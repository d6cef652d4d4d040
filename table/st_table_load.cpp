#include <iostream>

#include "table/st_table.h"

// Placeholder until the splitter binding lands: every load fails.
int CSTTable::load(const char* tablePath) {
    (void)tablePath;
    (void)m_library;
    std::cerr << "Kerrow.dll loading error." << std::endl;
    return -1;
}

int CSTTable::readRecords() { return 1; }
int CSTTable::findHeader(int& keyColumn) { (void)keyColumn; return 1; }
void CSTTable::addEvents(int, char**, int) {}
int CSTTable::parseCell(std::vector<CELL_>&, int, const char*) { return -1; }
bool CSTTable::isNumber(const char*) { return false; }
