#include "pelk-table/html/html_page.h"

#include <functional>
#include <map>
#include <utility>

#include <nlohmann/json.hpp>

#include "pelk-table/check/check_list.h"
#include "pelk-table/html/page_assets.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/model/utf8_text.h"
#include "pelk-table/report/finding_text.h"
#include "pelk-table/run/machine_run.h"

namespace {

using Json = nlohmann::ordered_json;

std::string asset(const unsigned char* text) {
    return reinterpret_cast<const char*>(text);
}

// The JSON text of a value, safe inside a <script> element and an HTML
// page: '<', '>' and '&' only occur inside strings, where \u escapes mean
// the same. Bytes that are no UTF-8 become U+FFFD.
std::string scriptSafe(const Json& json) {
    const std::string text = json.dump(-1, ' ', false, Json::error_handler_t::replace);
    std::string safe;
    safe.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<':
            safe += "\\u003c";
            break;
        case '>':
            safe += "\\u003e";
            break;
        case '&':
            safe += "\\u0026";
            break;
        default:
            safe += c;
        }
    }
    return safe;
}

// Graphviz's SVG as a document begins with an XML declaration and a
// doctype, which have no place inside HTML.
std::string inlineSvg(const std::string& svg) {
    const size_t start = svg.find("<svg");
    return start == std::string::npos ? std::string() : svg.substr(start);
}

// Every text that names one of count states or events, to its index, as
// find (CTableRules) reads it: each name, and each number in decimal. A
// name that is no UTF-8 is left out: the page holds it with U+FFFD, which
// names nothing in the table.
Json lookup(int count, const std::function<std::string(int)>& nameOf,
            const std::function<int(const std::string&)>& find) {
    Json texts = Json::object();
    for (int i = 0; i < count; ++i) {
        for (const std::string& text : {nameOf(i), std::to_string(i)}) {
            if (CUtf8Text::invalidAt(text) == std::string::npos && !texts.contains(text))
                texts[text] = find(text);
        }
    }
    return texts;
}

// True when the record of state s ends before its cell for event e.
bool cellMissing(const CTableModel& model, int s, int e) {
    const TABLE_LAYOUT_& layout = model.layout();
    const std::vector<CTableFile::RECORD_>& records = model.file().records();
    if (s < 0 || s >= static_cast<int>(layout.stateRecords.size()))
        return true;
    const int record = layout.stateRecords[static_cast<size_t>(s)];
    if (record < 0 || record >= static_cast<int>(records.size()))
        return true;
    return layout.keyColumn + 2 + e >= static_cast<int>(records[static_cast<size_t>(record)].fields.size());
}

}  // namespace

CHtmlPage::CHtmlPage(const CTableModel& model, const std::vector<FINDING_>& findings, PAGE_FACTS_ facts,
                     PAGE_DIAGRAM_ diagram)
    : m_model(model),
      m_findings(findings),
      m_facts(std::move(facts)),
      m_diagram(std::move(diagram)) {}

std::string CHtmlPage::modelJson() const {
    const CSTTable& table = m_model.table();
    Json json;
    json["file"] = m_facts.fileName;
    json["machine"] = m_facts.machineName;
    json["target"] = m_facts.target;
    json["version"] = PELK_VERSION;
    // pelk-table run refuses such a table, and so does the simulator.
    json["formatErrors"] = m_model.hasFormatErrors();
    json["states"] = Json::array();
    for (int s = 0; s < table.stateCount(); ++s)
        json["states"].push_back(table.stateName(s));
    json["events"] = Json::array();
    for (int e = 0; e < table.eventCount(); ++e)
        json["events"].push_back(table.eventName(e));
    // The state and event look-up of run, --from and the URL fragment.
    json["stateLookup"] = lookup(
        table.stateCount(), [&](int s) { return table.stateName(s); },
        [&](const std::string& text) { return CTableRules::findState(table, text); });
    json["eventLookup"] = lookup(
        table.eventCount(), [&](int e) { return table.eventName(e); },
        [&](const std::string& text) { return CTableRules::findEvent(table, text); });

    // Each cell, state by state, as the machine takes it: the next state
    // (-1 where the cell has no transition and the state stays), then the
    // actions called, as indexes into "actions". Beside them, by the cell's
    // index: why a run stops in a cell past the last state, and the cells
    // that their records lack; by number, the labels of the states past the
    // last that cells name.
    std::map<std::string, int> actionIndex;
    Json actions = Json::array();
    Json cells = Json::array();
    Json stops = Json::object();
    Json pastLabels = Json::object();
    Json missing = Json::array();
    for (int s = 0; s < table.stateCount(); ++s) {
        for (int e = 0; e < table.eventCount(); ++e) {
            const RUN_STEP_ step = CMachineRun::step(table, s, e);
            const int index = s * table.eventCount() + e;
            if (step.transition && step.next >= table.stateCount()) {
                stops[std::to_string(index)] = CMachineRun::stopSentence(table, step.state, step.event, step.next);
                pastLabels[std::to_string(step.next)] = CTableRules::stateLabel(table, step.next);
            }
            if (cellMissing(m_model, s, e))
                missing.push_back(index);
            Json cell = Json::array({step.transition ? step.next : -1});
            for (const std::string& action : step.actions) {
                auto found = actionIndex.find(action);
                if (found == actionIndex.end()) {
                    found = actionIndex.insert({action, static_cast<int>(actionIndex.size())}).first;
                    actions.push_back(action);
                }
                cell.push_back(found->second);
            }
            cells.push_back(std::move(cell));
        }
    }
    json["actions"] = std::move(actions);
    json["cells"] = std::move(cells);
    json["stops"] = std::move(stops);
    json["pastLabels"] = std::move(pastLabels);
    json["missing"] = std::move(missing);

    // A finding points at the matrix by its subject: a cell is (state,
    // event); a state's name is (state, -1), an event's (-1, event).
    json["findings"] = Json::array();
    for (const FINDING_& finding : m_findings) {
        Json item;
        item["severity"] = finding.severity == FINDING_::kError ? "error" : "warning";
        item["check"] = CCheckList::of(finding.id).name;
        item["message"] = CFindingText::withCell(CFindingText::message(finding.message), finding.place);
        item["line"] = finding.place.line;
        item["column"] = finding.place.column;
        item["state"] = finding.subject.state;
        item["event"] = finding.subject.event;
        json["findings"].push_back(std::move(item));
    }

    Json diagram;
    diagram["drawn"] = !m_diagram.svg.empty();
    diagram["nodes"] = m_diagram.nodeIds;
    diagram["note"] = m_diagram.note;
    diagram["folds"] = m_diagram.folds;
    diagram["groups"] = m_diagram.groups;
    diagram["boxes"] = Json::array();
    for (const PAGE_BOX_& box : m_diagram.boxes)
        diagram["boxes"].push_back({{"id", box.id}, {"node", box.node}, {"states", box.states}});
    diagram["edges"] = Json::array();
    for (const PAGE_EDGE_& edge : m_diagram.edges) {
        Json cellList = Json::array();
        for (const auto& cell : edge.cells)
            cellList.push_back({cell.first, cell.second});
        diagram["edges"].push_back(
            {{"id", edge.id}, {"tail", edge.tail}, {"head", edge.head}, {"cells", std::move(cellList)}});
    }
    json["diagram"] = std::move(diagram);
    if (!m_facts.changes.empty())
        json["changes"] = Json::parse(m_facts.changes);
    return scriptSafe(json);
}

void CHtmlPage::write(std::ostream& out) const {
    // The template's slots, in the order they appear in it.
    const std::pair<const char*, std::string> slots[] = {
        {"{{style}}", asset(kPageCss) + (m_facts.changes.empty() ? "" : asset(kPageChangesCss))},
        {"{{diagram}}", inlineSvg(m_diagram.svg)},
        {"{{model}}", modelJson()},
        {"{{logic}}", asset(kPageLogic)},
        {"{{script}}", asset(kPageJs) + (m_facts.changes.empty() ? "" : asset(kPageChangesJs))},
    };
    const std::string page = asset(kPageTemplate);
    size_t done = 0;
    for (const auto& slot : slots) {
        const size_t at = page.find(slot.first, done);
        if (at == std::string::npos)
            continue;
        out.write(page.data() + done, static_cast<std::streamsize>(at - done));
        out << slot.second;
        done = at + std::string(slot.first).size();
    }
    out.write(page.data() + done, static_cast<std::streamsize>(page.size() - done));
}
