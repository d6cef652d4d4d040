#include "codegen/code.h"

#include <cstdio>
#include <ctime>
#include <iostream>

#include "codegen/generated_names.h"
#include "codegen/targets.h"
#include "table/st_table.h"

CCode::CCode(const CSTTable* table)
    : table(table),
      columnSeparator("\t"),
      sourceExtension(CTargets::defaultTarget().sourceExtension),
      includeExtension(CTargets::defaultTarget().includeExtension) {}

CCode::~CCode() = default;

CGeneratedNames CCode::names() const {
    return CGeneratedNames(table->machineName());
}

std::string CCode::initFunctionName() const {
    return names().initFunction();
}

std::string CCode::fsmFunctionName() const {
    return names().fsmFunction();
}

std::string CCode::getStateFunctionName() const {
    return CGeneratedNames::getStateFunctionOf(stateVariableName());
}

std::string CCode::cellRoutineName(int event, int state) const {
    return names().cellRoutine(event, state);
}

std::string CCode::stateVariableName() const {
    return names().stateVariable();
}

std::ostream& CCode::endLine(std::ostream& stream) {
    return stream << std::endl;
}

int CCode::writeSourceLine(const std::string& a, const std::string& b, const std::string& c) {
    for (const std::string* column : {&a, &b, &c}) {
        if (!column->empty())
            sourceStream << columnSeparator << *column;
    }
    endLine(sourceStream);
    return 0;
}

int CCode::writeSourceLabel(const std::string& label, const std::string& comment) {
    if (label.empty())
        return -1;
    sourceStream << label << ":";
    if (!comment.empty())
        sourceStream << columnSeparator << "; " << comment;
    endLine(sourceStream);
    return 0;
}

int CCode::writeSourceComment(const std::string& a, const std::string& b, const std::string& c) {
    if (!a.empty())
        sourceStream << "; " << a;
    if (!b.empty())
        sourceStream << " " << b;
    if (!c.empty())
        sourceStream << " " << c;
    endLine(sourceStream);
    return 0;
}

const char* CCode::generationStamp() {
    static char stamp[96];  // room for any int the C library hands back
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (!local) {
        stamp[0] = '\0';
        return stamp;
    }
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d", local->tm_year + 1900, local->tm_mon + 1,
                  local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
    return stamp;
}

int CCode::checkLimits() const {
    if (table->stateCount() > kMaxStates) {
        std::cerr << "state count is " << table->stateCount() << std::endl;
        std::cerr << "max count of state is " << kMaxStates << "." << std::endl;
        return -1;
    }
    if (table->eventCount() > kMaxEvents) {
        std::cerr << "event count is " << table->eventCount() << std::endl;
        std::cerr << "max count of event is " << kMaxEvents << "." << std::endl;
        return -1;
    }
    return 0;
}

int CCode::openOutput(std::ofstream& stream, const std::string& fileName) {
    stream.open(fileName.c_str(), std::ios::out | std::ios::trunc);
    if (stream.fail() || stream.bad()) {
        std::cerr << "file open error " << fileName << std::endl;
        return -1;
    }
    return 0;
}

// The phases run in file order; the first failure stops the rest.
int CCode::writePhases() {
    if (writeSourceHead() != 0)
        return -1;
    if (writeSourceBody() != 0)
        return -1;
    if (writeSourceTail() != 0)
        return -1;
    if (writeIncludeFile() != 0)
        return -1;
    return 0;
}

// A write that failed (a full disk, say) leaves the stream failed; so does a
// close that could not flush. Either way the file is not complete.
int CCode::closeOutput(std::ofstream& stream, const std::string& fileName) {
    const bool writeFailed = stream.fail() || stream.bad();
    stream.close();
    if (writeFailed || stream.fail()) {
        std::cerr << "file write error " << fileName << std::endl;
        return -1;
    }
    return 0;
}

void CCode::emptyOutput(std::ofstream& stream, const std::string& fileName) {
    stream.clear();
    stream.open(fileName.c_str(), std::ios::out | std::ios::trunc);
    stream.close();
}

int CCode::generate(const CSTTable* table) {
    this->table = table;
    if (checkLimits() != 0)
        return -1;

    const std::string baseName = names().fsmFunction();
    const std::string sourceName = baseName + sourceExtension;
    const std::string includeName = baseName + includeExtension;
    if (openOutput(sourceStream, sourceName) != 0)
        return -1;
    if (openOutput(includeStream, includeName) != 0)
        return -1;

    int result = writePhases();
    const int sourceClosed = closeOutput(sourceStream, sourceName);
    const int includeClosed = closeOutput(includeStream, includeName);
    if (sourceClosed != 0 || includeClosed != 0) {
        // One file of the pair written in full would pass for a finished
        // output beside a broken one; after a write error both are emptied.
        emptyOutput(sourceStream, sourceName);
        emptyOutput(includeStream, includeName);
        result = -1;
    }
    return result;
}
