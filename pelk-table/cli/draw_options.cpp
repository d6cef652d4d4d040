#include "pelk-table/cli/draw_options.h"

#include "pelk-table/model/near_name.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/run/machine_run.h"

void CDrawOptions::add(CLI::App& command, const char* view) {
    m_view = view;
    command.add_flag("--no-fold", m_noFold,
                     "fold nothing; without it, an event that at least 3 states and two thirds of all states take "
                     "to the same next state with the same actions is drawn once, from \"any state\" (with "
                     "--no-group, every transition is drawn)");
    command.add_flag("--no-group", m_noGroup,
                     "draw each state's own transitions; without it, what at least 3 states share (the same event, "
                     "next state and actions) is drawn once, from a box around them");
    CLI::Option* state =
        command.add_option("--state", m_state, "draw only this state (its name or number) and its neighbourhood")
            ->type_name("NAME");
    command
        .add_option("--depth", m_depth,
                    "with --state: the steps of the neighbourhood, into the state and out of it (default 1)")
        ->type_name("N")
        ->check(CLI::Range(1, 1000))
        ->needs(state);
}

bool CDrawOptions::resolve(const CTableModel& model, VIEW_OPTIONS_& options, std::string& message) const {
    options = VIEW_OPTIONS_();
    options.fold = !m_noFold;
    options.group = !m_noGroup;
    options.depth = m_depth;
    options.hint = "pelk-table " + m_view + " --state NAME --depth N draws one state with its neighbourhood.";
    if (m_state.empty())
        return true;
    options.focus = CTableRules::findState(model.table(), m_state);
    if (options.focus < 0) {
        const std::string near = CNearName::suggestion(m_state, CMachineRun::stateNames(model.table()));
        message = "--state: " + model.displayName() + " has no state '" + m_state + "'" +
                  (near.empty() ? " (give its name or its number)" : near) + "\n";
        return false;
    }
    return true;
}
