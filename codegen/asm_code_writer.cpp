#include "codegen/asm_code_writer.h"

#include <string>
#include <vector>

#include "codegen/code.h"
#include "codegen/generated_names.h"
#include "table/st_table.h"

CAsmCodeWriter::CAsmCodeWriter(CCode& code, const CSTTable& table, const std::string& columnSeparator,
                               const std::string& wordDirective, const std::string& equateDirective,
                               const std::string& callPrefix)
    : m_code(code),
      m_table(table),
      m_columnSeparator(columnSeparator),
      m_wordDirective(wordDirective),
      m_equateDirective(equateDirective),
      m_callPrefix(callPrefix) {}

// The word of cell (s, e) lies at byte offset s * 2E + 2e from the label,
// which is what the dispatcher of each target computes.
int CAsmCodeWriter::writeVectorTable() {
    std::string events;
    for (int e = 0; e < m_table.eventCount(); ++e)
        events += (e == 0 ? "" : ", ") + m_table.eventName(e);
    m_code.writeSourceLabel(CGeneratedNames(m_table.machineName()).vectorTable(), events);

    for (int s = 0; s < m_table.stateCount(); ++s) {
        std::string line = m_wordDirective + m_columnSeparator;
        for (int e = 0; e < m_table.eventCount(); ++e)
            line += (e == 0 ? "" : ", ") + m_code.cellRoutineName(e, s);
        line += m_columnSeparator + "; " + m_table.stateName(s);
        m_code.writeSourceLine(line);
    }
    m_code.writeSourceLine("");
    return 0;
}

int CAsmCodeWriter::writeGetStateRoutine() {
    m_code.writeSourceLabel(m_code.getStateFunctionName());
    m_code.writeSourceLine("mov", "a," + m_code.stateVariableName());
    m_code.writeSourceLine("ret");
    m_code.writeSourceLine("");
    return 0;
}

int CAsmCodeWriter::writeCellRoutines() {
    for (int s = 0; s < m_table.stateCount(); ++s) {
        for (int e = 0; e < m_table.eventCount(); ++e)
            writeCellRoutine(e, s);
    }
    return 0;
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
                m_code.writeSourceLine("call", m_callPrefix + action);
        }
    }
    m_code.writeSourceLine("ret");
    m_code.writeSourceLine("");
}

int CAsmCodeWriter::writeSourceTail() {
    m_code.writeSourceLine("end");
    m_code.writeSourceLine("");
    m_code.writeSourceComment("generated", CCode::generationStamp());
    return 0;
}

// Every line ends with std::endl: a newline and a flush, as in the source file.
int CAsmCodeWriter::writeIncludeFile(std::ostream& include) {
    if (include.fail() || include.bad())
        return -1;
    const std::string& tab = m_columnSeparator;
    include << tab << "extrn" << tab << m_code.initFunctionName() << std::endl;
    include << tab << "extrn" << tab << m_code.fsmFunctionName() << std::endl;
    include << tab << "extrn" << tab << m_code.getStateFunctionName() << std::endl;
    include << std::endl;
    include << "; State Definition" << std::endl;
    for (int i = 0; i < m_table.stateCount(); ++i)
        include << m_table.stateName(i) << tab << m_equateDirective << tab << i << std::endl;
    include << std::endl;
    include << "; Event Definition" << std::endl;
    for (int i = 0; i < m_table.eventCount(); ++i)
        include << m_table.eventName(i) << tab << m_equateDirective << tab << i << std::endl;
    include << std::endl;
    include << std::endl;
    include << "; generated " << CCode::generationStamp() << std::endl;
    return 0;
}
