#include "pelk-table/views/graph_words.h"

#include <algorithm>
#include <iterator>

std::string CGraphWords::titles(const CMachineGraph& graph, const std::vector<int>& states) {
    std::string text;
    for (size_t i = 0; i < states.size(); ++i)
        text += (i == 0 ? "" : i + 1 == states.size() ? " and " : ", ") + graph.title(states[i]);
    return text;
}

std::vector<std::string> CGraphWords::callLines(const CMachineGraph& graph, const VIEW_CALL_& call, bool folded) {
    std::vector<std::string> lines{graph.callText(call)};
    const VIEW_FOLD_* f = folded ? graph.foldOf(call.event) : nullptr;
    if (!f)
        return lines;
    std::vector<int> except;
    std::merge(f->idle.begin(), f->idle.end(), f->other.begin(), f->other.end(), std::back_inserter(except));
    std::string line;
    for (size_t i = 0; i < except.size(); ++i) {
        const std::string name =
            graph.states()[static_cast<size_t>(except[i])].name + (i + 1 < except.size() ? "," : "");
        if (line.empty()) {
            line = (lines.size() == 1 ? "  except " : "    ") + name;
        } else if (line.size() + 1 + name.size() > kExceptLineLength) {
            lines.push_back(line);
            line = "    " + name;
        } else {
            line += " " + name;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::string> CGraphWords::foldSentences(const CMachineGraph& graph) {
    std::vector<std::string> sentences;
    const size_t total = graph.states().size();
    for (const VIEW_FOLD_& f : graph.folds()) {
        std::string text = graph.callText(f.call) + " is drawn once, from any state to " + graph.title(f.to) + ": ";
        if (f.covered.size() == total) {
            text += "every state does it.";
        } else {
            text += std::to_string(f.covered.size()) + " of the " + std::to_string(total) + " states do it";
            if (!f.idle.empty())
                text += "; " + titles(graph, f.idle) + (f.idle.size() == 1 ? " does" : " do") + " nothing with it";
            if (!f.other.empty())
                text += "; " + titles(graph, f.other) + (f.other.size() == 1 ? " does" : " do") +
                        " something else, drawn on " + (f.other.size() == 1 ? "its own" : "their own");
            text += ".";
        }
        sentences.push_back(text);
    }
    return sentences;
}

std::vector<std::string> CGraphWords::groupSentences(const CMachineGraph& graph) {
    std::vector<std::string> sentences;
    for (size_t g = 0; g < graph.groups().size(); ++g) {
        const VIEW_GROUP_& group = graph.groups()[g];
        std::string text = group.name;
        if (group.parent >= 0)
            text += ", inside " + graph.groups()[static_cast<size_t>(group.parent)].name;
        text += ": " + titles(graph, group.states) + " share ";
        // What they share, in event order.
        std::vector<std::pair<int, std::string>> shared;
        for (const VIEW_EDGE_& edge : graph.machineEdges()) {
            if (edge.from != CMachineGraph::kGroupBox || edge.group != static_cast<int>(g))
                continue;
            for (const VIEW_CALL_& call : edge.calls)
                shared.emplace_back(call.event, graph.callText(call) + " to " + graph.title(edge.to));
        }
        for (const VIEW_CALL_& call : group.internal)
            shared.emplace_back(call.event, graph.callText(call) + " without a transition");
        std::sort(shared.begin(), shared.end());
        for (size_t i = 0; i < shared.size(); ++i)
            text += (i == 0 ? "" : "; ") + shared[i].second;
        sentences.push_back(text + ".");
    }
    return sentences;
}
