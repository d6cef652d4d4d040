#include "tests/support/c_driver.h"

#include <sstream>

namespace {

// A C initializer list; "0" for an empty one, since C has no empty arrays.
std::string numbers(const std::vector<int>& values) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += (i ? ", " : "") + std::to_string(values[i]);
    return text.empty() ? "0" : text;
}

void writeMachine(std::ostream& c, const DriverMachine& machine) {
    const std::string& m = machine.name;
    std::vector<int> events, states, counts, actions;
    for (const DriverStep& step : machine.steps) {
        events.push_back(step.event);
        states.push_back(step.state);
        counts.push_back(static_cast<int>(step.actions.size()));
        actions.insert(actions.end(), step.actions.begin(), step.actions.end());
    }
    c << "\nvoid init_" << m << "fsm( void );\nvoid " << m << "fsm( unsigned char uc_event );\n"
      << "unsigned char get_" << m << "state( void );\n"
      << "static const unsigned char events_" << m << "[] = { " << numbers(events) << " };\n"
      << "static const unsigned char states_" << m << "[] = { " << numbers(states) << " };\n"
      << "static const unsigned char counts_" << m << "[] = { " << numbers(counts) << " };\n"
      << "static const unsigned char actions_" << m << "[] = { " << numbers(actions) << " };\n\n"
      << "static unsigned int run_" << m << "( void ) {\n"
      << "\tunsigned int step;\n\tunsigned int next = 0;\n\tunsigned char i;\n"
      << "\tinit_" << m << "fsm();\n"
      << "\tif ( get_" << m << "state() != 0 ) return 1;\n"
      << "\tfor ( step = 0; step < " << machine.steps.size() << "; step++ ) {\n"
      << "\t\tcallCount = 0;\n"
      << "\t\tif ( events_" << m << "[ step ] == " << kDriverInit << " ) init_" << m << "fsm();\n"
      << "\t\telse " << m << "fsm( events_" << m << "[ step ] );\n"
      << "\t\tif ( get_" << m << "state() != states_" << m << "[ step ] ) return step + 2;\n"
      << "\t\tif ( callCount != counts_" << m << "[ step ] ) return step + 2;\n"
      << "\t\tfor ( i = 0; i < callCount; i++ )\n"
      << "\t\t\tif ( calls[ i ] != actions_" << m << "[ next + i ] ) return step + 2;\n"
      << "\t\tnext += callCount;\n"
      << "\t}\n\treturn 0;\n}\n";
}

}  // namespace

std::string cDriverProgram(const std::vector<std::string>& actions, const std::vector<DriverMachine>& machines,
                           const std::string& prelude, const std::string& finish) {
    std::ostringstream c;
    c << prelude << "\nstatic unsigned char calls[16];\nstatic unsigned char callCount;\n\n";
    for (size_t i = 0; i < actions.size(); ++i) {
        c << "void " << actions[i] << "( void ) {\n\tif ( callCount < 16 ) calls[ callCount ] = " << i + 1
          << ";\n\tcallCount++;\n}\n";
    }
    for (const DriverMachine& machine : machines)
        writeMachine(c, machine);
    c << "\n" << finish << "\nint main( void ) {\n\tunsigned int failed;\n";
    for (size_t i = 0; i < machines.size(); ++i) {
        c << "\tfailed = run_" << machines[i].name << "();\n"
          << "\tif ( failed ) return finish( " << i + 1 << ", failed );\n";
    }
    c << "\treturn finish( 0, 0 );\n}\n";
    return c.str();
}

const char kHostFinish[] =
    "#include <stdio.h>\n"
    "static int finish( unsigned int machine, unsigned int failed ) {\n"
    "\tif ( failed ) printf( \"machine %u wrong at check %u\\n\", machine, failed );\n"
    "\telse printf( \"passed\\n\" );\n"
    "\treturn failed != 0;\n"
    "}\n";
