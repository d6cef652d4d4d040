#include "codegen/c/c_code.h"

#include <sstream>
#include <vector>

#include "codegen/targets.h"
#include "table/ascii_text.h"
#include "table/st_table.h"

namespace {

const char kBoxLine[] = "/*********************************************************************";

// The machine routine's parameter list, as in its prototypes and definition.
const std::string kFsmParameters = std::string("( unsigned char ") + CGeneratedNames::eventParameter() + " )";

}  // namespace

CCCode::CCCode(const CSTTable* table)
    : CCode(table),
      indentLevel(0) {
    sourceExtension = CTargets::byKind(kTargetC).sourceExtension;
    includeExtension = CTargets::byKind(kTargetC).includeExtension;
}

CCCode::~CCCode() = default;

int CCCode::writeSourceLine(const std::string& a, const std::string& b, const std::string& c) {
    if (!a.empty())
        sourceStream << indentation() << a;
    if (!b.empty())
        sourceStream << b;
    if (!c.empty())
        sourceStream << c;
    endLine(sourceStream);
    return 0;
}

std::string CCCode::indentation() const {
    return indentLevel > 0 ? std::string(static_cast<size_t>(indentLevel), '\t') : std::string();
}

int CCCode::writeIncludeDirective(const std::string& name) {
    if (name.empty())
        return 0;
    sourceStream << "#include \"" << name << "\"";
    endLine(sourceStream);
    return 0;
}

std::string CCCode::upperCase(const std::string& text) {
    return CAsciiText::upperCase(text);
}

int CCCode::writeSourceHead() {
    const std::string& machine = table->machineName();
    writeSourceLine(kBoxLine);
    writeSourceLine("/*\t\t", names().fsmFunction() + sourceExtension);
    writeSourceLine("/*\t\tFSM for ", machine);
    writeSourceLine(kBoxLine);
    writeSourceLine("/**/");
    writeIncludeDirective(table->contextFile());
    writeSourceLine("");
    writeSourceLine("/* prototype declaration */");
    writeSourceLine("void ", initFunctionName(), "( void );");
    writeSourceLine("void ", fsmFunctionName(), kFsmParameters + ";");
    writeSourceLine("unsigned char ", getStateFunctionName(), "( void );");
    writeSourceLine("");
    writeSourceLine("/* ..static function */");
    for (int s = 0; s < table->stateCount(); ++s) {
        for (int e = 0; e < table->eventCount(); ++e)
            writeSourceLine("static void " + cellRoutineName(e, s) + "( void ) ;");
    }
    writeSourceLine("");
    writeSourceLine("/* static variable(s) */");
    writeSourceLine("static unsigned char ", stateVariableName(), " = 0;\t/* internal state */");
    writeSourceLine("");
    return 0;
}

// The vector table comes first: the functions below index it.
int CCCode::writeSourceBody() {
    writeVectorTable();
    writeInitRoutine();
    writeFsmRoutine();
    writeGetStateRoutine();
    writeCellRoutines();
    return 0;
}

int CCCode::writeSourceTail() {
    writeSourceLine("/* generated ", generationStamp(), " */");
    return 0;
}

// One row per state, state-major, so that the entry of (state s, event e)
// sits at s * eventCount + e. Every row but the last ends with ", ".
int CCCode::writeVectorTable() {
    return writeVectorTableWith("");
}

int CCCode::writeVectorTableWith(const std::string& pointerQualifier) {
    const std::string pointerType = CGeneratedNames::vectorTableType();
    const int states = table->stateCount();
    const int events = table->eventCount();
    writeSourceLine("/* vector table */");
    writeSourceLine("typedef void ( * " + pointerQualifier + pointerType + " )( void );");
    std::string eventList;
    for (int e = 0; e < events; ++e)
        eventList += (e > 0 ? ", " : "") + table->eventName(e);
    writeSourceLine("const " + pointerType + " " + names().vectorTable() + "[] = { ", "/* " + eventList + " */");
    for (int s = 0; s < states; ++s) {
        std::string row = columnSeparator;
        for (int e = 0; e < events; ++e) {
            row += cellRoutineName(e, s);
            if (s < states - 1 || e < events - 1)
                row += ", ";
        }
        writeSourceLine(row + columnSeparator + "/* " + table->stateName(s) + " */");
    }
    writeSourceLine("};");
    writeSourceLine("");
    return 0;
}

int CCCode::writeInitRoutine() {
    writeSourceLine("/* initialization function */");
    writeSourceLine("void " + initFunctionName() + "( void ) {");
    ++indentLevel;
    writeSourceLine(stateVariableName(), " = 0;");
    writeSourceLine("return;");
    --indentLevel;
    writeSourceLine("}");
    writeSourceLine("");
    writeSourceLine("");
    return 0;
}

int CCCode::writeFsmRoutine() {
    writeSourceLine("/* FSM */");
    writeSourceLine("void " + fsmFunctionName() + kFsmParameters + " {");
    ++indentLevel;
    std::ostringstream call;
    call << "( *" << names().vectorTable() << "[ " << stateVariableName() << " * " << table->eventCount()
         << "/* event count */ + " << CGeneratedNames::eventParameter() << " ] )();";
    writeSourceLine(call.str());
    writeSourceLine("return;");
    --indentLevel;
    writeSourceLine("}");
    writeSourceLine("");
    writeSourceLine("");
    return 0;
}

int CCCode::writeGetStateRoutine() {
    writeSourceLine("/* get STATE function */");
    writeSourceLine("unsigned char " + getStateFunctionName() + "( void ) {");
    ++indentLevel;
    writeSourceLine("return ", stateVariableName(), ";");
    --indentLevel;
    writeSourceLine("}");
    writeSourceLine("");
    return 0;
}

// Same order as the prototypes: states outer, events inner.
int CCCode::writeCellRoutines() {
    for (int s = 0; s < table->stateCount(); ++s) {
        for (int e = 0; e < table->eventCount(); ++e)
            writeCellRoutine(e, s);
    }
    return 0;
}

// The new state is stored before the actions run, so an action that asks
// for the state sees the one the cell leads to.
void CCCode::writeCellRoutine(int event, int state) {
    const int next = table->nextState(event, state);
    writeSourceLine("/* state : ", table->stateName(state));
    writeSourceLine("/* event : ", table->eventName(event));
    writeSourceLine("/* next state : ", table->stateName(next));
    writeSourceLine("/**/");
    writeSourceLine("static void " + cellRoutineName(event, state) + "( void ) {");
    ++indentLevel;
    if (next == -1) {
        writeSourceLine("/* not transit */");
    } else {
        std::ostringstream store;
        store << stateVariableName() << " = " << next << ";";
        writeSourceLine(store.str());
    }
    if (const std::vector<std::string>* actions = table->cellActions(event, state)) {
        for (const std::string& action : *actions) {
            if (table->isNopAction(action))
                writeSourceLine("/* nop */");
            else
                writeSourceLine(action, "();");
        }
    }
    writeSourceLine("return;");
    --indentLevel;
    writeSourceLine("}");
    writeSourceLine("");
}

std::string CCCode::guardName() const {
    return "__" + upperCase(table->machineName()) + upperCase("fsm") + "_H__";
}

int CCCode::writeIncludeFile() {
    if (includeStream.fail() || includeStream.bad())
        return -1;
    const std::string& machine = table->machineName();
    std::ostream& out = includeStream;
    out << kBoxLine;
    endLine(out);
    out << "/*\t\t" << names().fsmFunction() << includeExtension;
    endLine(out);
    out << "/*\t\tFSM for " << machine;
    endLine(out);
    out << kBoxLine;
    endLine(out);
    out << "/**/";
    endLine(out);
    std::ostringstream guard;
    guard << "#ifndef" << columnSeparator << guardName() << "\n"
          << "#define" << columnSeparator << guardName();
    out << guard.str();
    endLine(out);
    endLine(out);
    out << "extern void " << initFunctionName() << "( void );";
    endLine(out);
    out << "extern void " << fsmFunctionName() << kFsmParameters << ";";
    endLine(out);
    out << "extern unsigned char " << getStateFunctionName() << "( void );";
    endLine(out);
    endLine(out);
    out << "/* State Definition */";
    endLine(out);
    for (int i = 0; i < table->stateCount(); ++i) {
        std::ostringstream define;
        define << "#define" << columnSeparator << upperCase(table->stateName(i)) << columnSeparator << i;
        out << define.str();
        endLine(out);
    }
    endLine(out);
    out << "/* Event Definition */";
    endLine(out);
    for (int i = 0; i < table->eventCount(); ++i) {
        std::ostringstream define;
        define << "#define" << columnSeparator << upperCase(table->eventName(i)) << columnSeparator << i;
        out << define.str();
        endLine(out);
    }
    endLine(out);
    endLine(out);
    std::ostringstream endGuard;
    endGuard << "#endif" << columnSeparator << "/* " << guardName() << " */";
    out << endGuard.str();
    endLine(out);
    out << "/* generated " << generationStamp() << " */";
    endLine(out);
    return 0;
}
