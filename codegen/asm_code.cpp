#include "codegen/asm_code.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "codegen/generated_names.h"
#include "table/st_table.h"

CAsmCode::CAsmCode(const CSTTable* table, const ASM_DIALECT_& dialect)
    : CCode(table),
      m_dialect(dialect) {}

CAsmCode::~CAsmCode() = default;

int CAsmCode::writeSourceHead() {
    const std::string& name = table->machineName();
    writeSourceLine("name", names().moduleName());
    writeSourceLine("");
    if (m_dialect.includeInHead) {
        writeIncludeDirective(table->contextFile());
        writeSourceLine("");
    }
    writeSourceLine("public", initFunctionName());
    writeSourceLine("public", fsmFunctionName());
    writeSourceLine("public", getStateFunctionName());
    writeSourceLine("");
    writeDataSegment(name, m_dialect.dataSegmentAttribute);
    writeDataDefinition(stateVariableName(), 1, "internal state");
    if (m_dialect.closesSegments)
        writeDataSegmentEnd(name);
    writeSourceLine("");
    return 0;
}

int CAsmCode::writeSourceBody() {
    const std::string& name = table->machineName();
    writeCodeSegment(name, m_dialect.codeSegmentAttribute);
    if (!m_dialect.includeInHead) {
        writeIncludeDirective(table->contextFile());
        writeSourceLine("");
    }
    writeVectorTable();
    writeInitRoutine();
    writeFsmRoutine();
    writeGetStateRoutine();
    writeCellRoutines();
    if (m_dialect.closesSegments)
        writeCodeSegmentEnd(name);
    return 0;
}

int CAsmCode::writeSourceTail() {
    writeSourceLine("end");
    writeSourceLine("");
    writeSourceComment("generated", generationStamp());
    return 0;
}

int CAsmCode::writeIncludeFile() {
    if (includeStream.fail() || includeStream.bad())
        return -1;
    const char* equ = m_dialect.equateDirective;
    includeStream << columnSeparator << "extrn" << columnSeparator << initFunctionName() << std::endl;
    includeStream << columnSeparator << "extrn" << columnSeparator << fsmFunctionName() << std::endl;
    includeStream << columnSeparator << "extrn" << columnSeparator << getStateFunctionName() << std::endl;
    includeStream << std::endl;
    includeStream << "; State Definition" << std::endl;
    for (int i = 0; i < table->stateCount(); ++i)
        includeStream << table->stateName(i) << columnSeparator << equ << columnSeparator << i << std::endl;
    includeStream << std::endl;
    includeStream << "; Event Definition" << std::endl;
    for (int i = 0; i < table->eventCount(); ++i)
        includeStream << table->eventName(i) << columnSeparator << equ << columnSeparator << i << std::endl;
    includeStream << std::endl;
    includeStream << std::endl;
    includeStream << "; generated " << generationStamp() << std::endl;
    return 0;
}

void CAsmCode::writeCodeSegment(const std::string& name, const std::string& attribute) {
    writeSegmentLine(CGeneratedNames(name).codeSegment(), "cseg" + columnSeparator + attribute);
}

void CAsmCode::writeCodeSegmentEnd(const std::string& name) {
    writeSegmentLine(CGeneratedNames(name).codeSegment(), "ends");
}

void CAsmCode::writeDataSegment(const std::string& name, const std::string& attribute) {
    writeSegmentLine(CGeneratedNames(name).dataSegment(), "dseg" + columnSeparator + attribute);
}

void CAsmCode::writeDataSegmentEnd(const std::string& name) {
    writeSegmentLine(CGeneratedNames(name).dataSegment(), "ends");
}

void CAsmCode::writeSegmentLine(const std::string& segment, const std::string& rest) {
    sourceStream << segment << columnSeparator << rest;
    endLine(sourceStream);
}

void CAsmCode::writeDataDefinition(const std::string& label, int size, const std::string& comment) {
    sourceStream << label << ":" << columnSeparator << m_dialect.storageDirective << columnSeparator << size
                 << columnSeparator << "; " << comment;
    endLine(sourceStream);
}

void CAsmCode::writeIncludeDirective(const std::string& fileName) {
    if (fileName.empty())
        return;
    writeSourceLine(m_dialect.includeOpening + fileName + m_dialect.includeClosing);
}

// The word of cell (s, e) lies at byte offset s * 2E + 2e from the label,
// which is what the dispatcher of each target computes.
void CAsmCode::writeVectorTable() {
    std::string events;
    for (int e = 0; e < table->eventCount(); ++e)
        events += (e == 0 ? "" : ", ") + table->eventName(e);
    writeSourceLabel(names().vectorTable(), events);

    for (int s = 0; s < table->stateCount(); ++s) {
        std::string line = m_dialect.wordDirective + columnSeparator;
        for (int e = 0; e < table->eventCount(); ++e)
            line += (e == 0 ? "" : ", ") + cellRoutineName(e, s);
        line += columnSeparator + "; " + table->stateName(s);
        writeSourceLine(line);
    }
    writeSourceLine("");
}

void CAsmCode::writeInitRoutine() {
    writeRoutine(initFunctionName(), m_dialect.initRoutine);
}

void CAsmCode::writeFsmRoutine() {
    writeRoutine(fsmFunctionName(), m_dialect.fsmRoutine);
}

void CAsmCode::writeRoutine(const std::string& label, const std::vector<ASM_LINE_>& lines) {
    writeSourceLabel(label);
    for (const ASM_LINE_& line : lines)
        writeSourceLine(filledIn(line.mnemonic), filledIn(line.operand));
    writeSourceLine("");
}

std::string CAsmCode::filledIn(const char* column) const {
    const std::pair<std::string, std::string> placeholders[] = {
        {"{SV}", stateVariableName()},
        {"{STT}", names().vectorTable()},
        {"{N}", std::to_string(2 * table->eventCount())},
    };
    std::string text = column;
    for (const auto& placeholder : placeholders) {
        for (std::string::size_type at = text.find(placeholder.first); at != std::string::npos;
             at = text.find(placeholder.first, at + placeholder.second.size()))
            text.replace(at, placeholder.first.size(), placeholder.second);
    }
    return text;
}

void CAsmCode::writeGetStateRoutine() {
    writeSourceLabel(getStateFunctionName());
    writeSourceLine("mov", "a," + stateVariableName());
    writeSourceLine("ret");
    writeSourceLine("");
}

void CAsmCode::writeCellRoutines() {
    for (int s = 0; s < table->stateCount(); ++s) {
        for (int e = 0; e < table->eventCount(); ++e)
            writeCellRoutine(e, s);
    }
}

// The new state is stored before any action runs. A next state without a
// state of that number keeps its number, while its name comes out empty.
void CAsmCode::writeCellRoutine(int event, int state) {
    const int next = table->nextState(event, state);
    writeSourceComment("state :", table->stateName(state));
    writeSourceComment("event :", table->eventName(event));
    writeSourceComment("next state :", table->stateName(next));
    writeSourceLabel(cellRoutineName(event, state));
    if (next == -1) {
        writeSourceLine("; not transit");
    } else {
        writeSourceLine("mov", "a,#" + std::to_string(next));
        writeSourceLine("mov", stateVariableName() + ",a");
    }
    if (const std::vector<std::string>* actions = table->cellActions(event, state)) {
        for (const std::string& action : *actions) {
            if (table->isNopAction(action))
                writeSourceLine("; nop");
            else
                writeSourceLine("call", m_dialect.callPrefix + action);
        }
    }
    writeSourceLine("ret");
    writeSourceLine("");
}
