#include "codegen/asm_code_writer.h"

#include <string>
#include <vector>

#include "codegen/code.h"
#include "codegen/generated_names.h"
#include "table/st_table.h"

CAsmCodeWriter::CAsmCodeWriter(CCode& code, const CSTTable& table, std::ostream& source,
                               const std::string& columnSeparator, const ASM_DIALECT_& dialect)
    : m_code(code),
      m_table(table),
      m_source(source),
      m_tab(columnSeparator),
      m_dialect(dialect) {}

// Every line ends with std::endl: a newline and a flush, as the line
// writers of CCode end theirs.
void CAsmCodeWriter::endLine() {
    m_source << std::endl;
}

int CAsmCodeWriter::writeSourceHead() {
    const std::string& name = m_table.machineName();
    m_code.writeSourceLine("name", CGeneratedNames(name).moduleName());
    m_code.writeSourceLine("");
    if (m_dialect.includeInHead) {
        writeIncludeDirective(m_table.contextFile());
        m_code.writeSourceLine("");
    }
    m_code.writeSourceLine("public", m_code.initFunctionName());
    m_code.writeSourceLine("public", m_code.fsmFunctionName());
    m_code.writeSourceLine("public", m_code.getStateFunctionName());
    m_code.writeSourceLine("");
    writeDataSegment(name, m_dialect.dataSegmentAttribute);
    writeDataDefinition(m_code.stateVariableName(), 1, "internal state");
    if (m_dialect.closesSegments)
        writeDataSegmentEnd(name);
    m_code.writeSourceLine("");
    return 0;
}

int CAsmCodeWriter::writeSourceBody() {
    const std::string& name = m_table.machineName();
    writeCodeSegment(name, m_dialect.codeSegmentAttribute);
    if (!m_dialect.includeInHead) {
        writeIncludeDirective(m_table.contextFile());
        m_code.writeSourceLine("");
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

int CAsmCodeWriter::writeSourceTail() {
    m_code.writeSourceLine("end");
    m_code.writeSourceLine("");
    m_code.writeSourceComment("generated", CCode::generationStamp());
    return 0;
}

int CAsmCodeWriter::writeIncludeFile(std::ostream& include) {
    if (include.fail() || include.bad())
        return -1;
    const char* equ = m_dialect.equateDirective;
    include << m_tab << "extrn" << m_tab << m_code.initFunctionName() << std::endl;
    include << m_tab << "extrn" << m_tab << m_code.fsmFunctionName() << std::endl;
    include << m_tab << "extrn" << m_tab << m_code.getStateFunctionName() << std::endl;
    include << std::endl;
    include << "; State Definition" << std::endl;
    for (int i = 0; i < m_table.stateCount(); ++i)
        include << m_table.stateName(i) << m_tab << equ << m_tab << i << std::endl;
    include << std::endl;
    include << "; Event Definition" << std::endl;
    for (int i = 0; i < m_table.eventCount(); ++i)
        include << m_table.eventName(i) << m_tab << equ << m_tab << i << std::endl;
    include << std::endl;
    include << std::endl;
    include << "; generated " << CCode::generationStamp() << std::endl;
    return 0;
}

void CAsmCodeWriter::writeCodeSegment(const std::string& name, const std::string& attribute) {
    writeSegmentLine(CGeneratedNames(name).codeSegment(), "cseg" + m_tab + attribute);
}

void CAsmCodeWriter::writeCodeSegmentEnd(const std::string& name) {
    writeSegmentLine(CGeneratedNames(name).codeSegment(), "ends");
}

void CAsmCodeWriter::writeDataSegment(const std::string& name, const std::string& attribute) {
    writeSegmentLine(CGeneratedNames(name).dataSegment(), "dseg" + m_tab + attribute);
}

void CAsmCodeWriter::writeDataSegmentEnd(const std::string& name) {
    writeSegmentLine(CGeneratedNames(name).dataSegment(), "ends");
}

void CAsmCodeWriter::writeSegmentLine(const std::string& segment, const std::string& rest) {
    m_source << segment << m_tab << rest;
    endLine();
}

void CAsmCodeWriter::writeDataDefinition(const std::string& label, int size, const std::string& comment) {
    m_source << label << ":" << m_tab << m_dialect.storageDirective << m_tab << size << m_tab << "; " << comment;
    endLine();
}

void CAsmCodeWriter::writeIncludeDirective(const std::string& fileName) {
    if (fileName.empty())
        return;
    m_code.writeSourceLine(m_dialect.includeOpening + fileName + m_dialect.includeClosing);
}

// The word of cell (s, e) lies at byte offset s * 2E + 2e from the label,
// which is what the dispatcher of each target computes.
void CAsmCodeWriter::writeVectorTable() {
    std::string events;
    for (int e = 0; e < m_table.eventCount(); ++e)
        events += (e == 0 ? "" : ", ") + m_table.eventName(e);
    m_code.writeSourceLabel(CGeneratedNames(m_table.machineName()).vectorTable(), events);

    for (int s = 0; s < m_table.stateCount(); ++s) {
        std::string line = m_dialect.wordDirective + m_tab;
        for (int e = 0; e < m_table.eventCount(); ++e)
            line += (e == 0 ? "" : ", ") + m_code.cellRoutineName(e, s);
        line += m_tab + "; " + m_table.stateName(s);
        m_code.writeSourceLine(line);
    }
    m_code.writeSourceLine("");
}

void CAsmCodeWriter::writeInitRoutine() {
    writeRoutine(m_code.initFunctionName(), m_dialect.initRoutine);
}

void CAsmCodeWriter::writeFsmRoutine() {
    writeRoutine(m_code.fsmFunctionName(), m_dialect.fsmRoutine);
}

void CAsmCodeWriter::writeRoutine(const std::string& label, const std::vector<ASM_LINE_>& lines) {
    m_code.writeSourceLabel(label);
    for (const ASM_LINE_& line : lines)
        m_code.writeSourceLine(filledIn(line.mnemonic), filledIn(line.operand));
    m_code.writeSourceLine("");
}

std::string CAsmCodeWriter::filledIn(const char* column) const {
    const std::pair<std::string, std::string> names[] = {
        {"{SV}", m_code.stateVariableName()},
        {"{STT}", CGeneratedNames(m_table.machineName()).vectorTable()},
        {"{N}", std::to_string(2 * m_table.eventCount())},
    };
    std::string text = column;
    for (const auto& name : names) {
        for (std::string::size_type at = text.find(name.first); at != std::string::npos;
             at = text.find(name.first, at + name.second.size()))
            text.replace(at, name.first.size(), name.second);
    }
    return text;
}

void CAsmCodeWriter::writeGetStateRoutine() {
    m_code.writeSourceLabel(m_code.getStateFunctionName());
    m_code.writeSourceLine("mov", "a," + m_code.stateVariableName());
    m_code.writeSourceLine("ret");
    m_code.writeSourceLine("");
}

void CAsmCodeWriter::writeCellRoutines() {
    for (int s = 0; s < m_table.stateCount(); ++s) {
        for (int e = 0; e < m_table.eventCount(); ++e)
            writeCellRoutine(e, s);
    }
}

// The new state is stored before any action runs. A next state without a
// state of that number keeps its number, while its name comes out empty.
void CAsmCodeWriter::writeCellRoutine(int event, int state) {
    const int next = m_table.nextState(event, state);
    m_code.writeSourceComment("state :", m_table.stateName(state));
    m_code.writeSourceComment("event :", m_table.eventName(event));
    m_code.writeSourceComment("next state :", m_table.stateName(next));
    m_code.writeSourceLabel(m_code.cellRoutineName(event, state));
    if (next == -1) {
        m_code.writeSourceLine("; not transit");
    } else {
        m_code.writeSourceLine("mov", "a,#" + std::to_string(next));
        m_code.writeSourceLine("mov", m_code.stateVariableName() + ",a");
    }
    if (const std::vector<std::string>* actions = m_table.cellActions(event, state)) {
        for (const std::string& action : *actions) {
            if (m_table.isNopAction(action))
                m_code.writeSourceLine("; nop");
            else
                m_code.writeSourceLine("call", m_dialect.callPrefix + action);
        }
    }
    m_code.writeSourceLine("ret");
    m_code.writeSourceLine("");
}
