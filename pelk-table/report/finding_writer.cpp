#include "pelk-table/report/finding_writer.h"

#include <nlohmann/json.hpp>

#include "pelk-table/check/check_list.h"
#include "pelk-table/model/utf8_text.h"
#include "pelk-table/report/finding_text.h"

namespace {

using json = nlohmann::ordered_json;

const char* severityName(FINDING_::Severity severity) {
    return severity == FINDING_::kError ? "error" : "warning";
}

const char* checkName(const FINDING_& finding) {
    return CCheckList::of(finding.id).name;
}

// A cell of a workbook is named by its sheet and cell: "lamp.xlsx:Lamp!C3".
std::string where(const std::string& file, const PLACE_& place) {
    if (!place.sheet.empty() && !place.cell.empty())
        return file + ":" + place.sheet + "!" + place.cell;
    if (place.line <= 0)
        return file;
    return file + ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
}

// The colours of compilers' diagnostics (SGR codes).
const char kBold[] = "\033[01m";
const char kRed[] = "\033[01;31m";
const char kMagenta[] = "\033[01;35m";
const char kCyan[] = "\033[01;36m";
const char kGreen[] = "\033[01;32m";
const char kReset[] = "\033[m\033[K";

std::string painted(const std::string& text, const char* colour, const TEXT_STYLE_& style) {
    return style.colour ? colour + text + kReset : text;
}

// The line as a terminal should show it, and under it the caret line: a
// tab stays a tab so that both lines keep the same tab stops, every other
// character before the column becomes one blank.
void writeSource(std::ostream& out, const CTableModel* model, const PLACE_& place, const TEXT_STYLE_& style) {
    // A workbook's cell is its own place: the line of the text made from it
    // is not what the user sees.
    if (!style.caret || model == nullptr || place.line <= 0 || place.column <= 0 || !place.sheet.empty())
        return;
    const std::string line = model->lineText(place.line);
    std::string shown, under;
    const std::size_t column = static_cast<std::size_t>(place.column - 1);
    const std::size_t end = column + static_cast<std::size_t>(place.length > 0 ? place.length : 1);
    std::size_t marks = 0;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = CUtf8Text::sequenceLength(line, i);
        const unsigned char byte = static_cast<unsigned char>(line[i]);
        if (length == 0)
            shown += '?';
        else if (line[i] == '\t')
            shown += '\t';
        else if (byte < 0x20 || byte == 0x7F)
            shown += ' ';
        else
            shown += line.substr(i, length);
        if (i < column)
            under += line[i] == '\t' ? '\t' : ' ';
        else if (i < end)
            ++marks;
        i += length == 0 ? 1 : length;
    }
    std::string caret = "^";
    if (marks > 1)
        caret += std::string(marks - 1, '~');
    std::string number = std::to_string(place.line);
    if (number.size() < 5)
        number.insert(0, 5 - number.size(), ' ');
    out << number << " | " << shown << "\n"
        << std::string(number.size(), ' ') << " | " << under << painted(caret, kGreen, style) << "\n";
}

// A relative URI reference for a path: unreserved bytes and "/" stay, every
// other byte is percent-encoded.
std::string uriOf(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || c == '-' ||
            c == '.' || c == '_' || c == '~' || c == '/')
            uri += c;
        else
            uri += std::string("%") + kHex[byte >> 4] + kHex[byte & 15];
    }
    return uri;
}

// SARIF counts columns in characters; the other forms, like compilers, in
// bytes. A cell of a workbook has no line and column in the file: its
// location is the file, with a logical location "Sheet!C3" and the sheet and
// cell as properties.
json sarifLocation(const std::string& file, const PLACE_& place, const std::string& message) {
    json physical = {{"artifactLocation", {{"uri", uriOf(file)}}}};
    const bool workbookCell = !place.sheet.empty() && !place.cell.empty();
    if (place.line > 0 && !workbookCell)
        physical["region"] = {{"startLine", place.line},
                              {"startColumn", place.characterColumn > 0 ? place.characterColumn : place.column}};
    json location = {{"physicalLocation", physical}};
    if (workbookCell) {
        location["logicalLocations"] = json::array({{{"name", place.sheet + "!" + place.cell},
                                                     {"fullyQualifiedName", place.sheet + "!" + place.cell},
                                                     {"kind", "element"}}});
        location["properties"] = {{"sheet", place.sheet}, {"cell", place.cell}};
    }
    if (!message.empty())
        location["message"] = {{"text", message}};
    return location;
}

// nlohmann's dump refuses text that is not UTF-8; such bytes are replaced.
std::string dumped(const json& value) {
    return value.dump(2, ' ', false, json::error_handler_t::replace);
}

}  // namespace

void CFindingWriter::writeText(std::ostream& out, const std::vector<FILE_FINDINGS_>& files, const TEXT_STYLE_& style) {
    for (const FILE_FINDINGS_& file : files) {
        for (const FINDING_& finding : file.findings) {
            const char* colour = finding.severity == FINDING_::kError ? kRed : kMagenta;
            out << painted(where(file.file, finding.place) + ":", kBold, style) << " "
                << painted(std::string(severityName(finding.severity)) + ":", colour, style) << " "
                << CFindingText::withCell(CFindingText::message(finding.message), finding.place) << " ["
                << painted(checkName(finding), colour, style) << "]\n";
            writeSource(out, file.model, finding.place, style);
            for (const NOTE_& note : finding.notes) {
                // A note at the finding's own place shows neither its cell
                // nor its line twice.
                const bool samePlace =
                    note.place.line == finding.place.line && note.place.column == finding.place.column;
                const std::string message = CFindingText::message(note.message);
                out << painted(where(file.file, note.place) + ":", kBold, style) << " "
                    << painted("note:", kCyan, style) << " "
                    << (samePlace ? message : CFindingText::withCell(message, note.place)) << "\n";
                if (!samePlace)
                    writeSource(out, file.model, note.place, style);
            }
        }
    }
    if (style.count) {
        const std::string count = countLine(files);
        if (!count.empty())
            out << count << "\n";
    }
    out.flush();
}

std::string CFindingWriter::countLine(const std::vector<FILE_FINDINGS_>& files) {
    int errors = 0, warnings = 0;
    for (const FILE_FINDINGS_& file : files) {
        for (const FINDING_& finding : file.findings)
            (finding.severity == FINDING_::kError ? errors : warnings) += 1;
    }
    const auto counted = [](int n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
    std::string text;
    if (errors > 0)
        text = counted(errors, "error");
    if (warnings > 0)
        text += (text.empty() ? "" : " and ") + counted(warnings, "warning");
    return text.empty() ? text : text + " generated.";
}

void CFindingWriter::writeJson(std::ostream& out, const std::vector<FILE_FINDINGS_>& files) {
    json all = json::array();
    for (const FILE_FINDINGS_& file : files) {
        for (const FINDING_& finding : file.findings) {
            json notes = json::array();
            for (const NOTE_& note : finding.notes) {
                json entry = {{"line", note.place.line}, {"column", note.place.column}, {"cell", note.place.cell}};
                if (!note.place.sheet.empty())
                    entry["sheet"] = note.place.sheet;
                entry["message"] = CFindingText::message(note.message);
                notes.push_back(entry);
            }
            json entry = {{"file", file.file},
                          {"line", finding.place.line},
                          {"column", finding.place.column},
                          {"cell", finding.place.cell}};
            // A workbook's finding names its sheet; a TSV file's has none.
            if (!finding.place.sheet.empty())
                entry["sheet"] = finding.place.sheet;
            entry["severity"] = severityName(finding.severity);
            entry["check"] = checkName(finding);
            entry["message"] = CFindingText::message(finding.message);
            entry["notes"] = notes;
            all.push_back(entry);
        }
    }
    out << dumped(all) << "\n";
    out.flush();
}

void CFindingWriter::writeSarif(std::ostream& out, const std::vector<FILE_FINDINGS_>& files) {
    json rules = json::array();
    for (int i = 0; i < CCheckList::count(); ++i) {
        const CHECK_& check = CCheckList::at(i);
        rules.push_back({{"id", check.name},
                         {"name", check.name},
                         {"shortDescription", {{"text", check.description}}},
                         {"fullDescription", {{"text", check.description}}},
                         {"defaultConfiguration", {{"level", severityName(check.severity)}}}});
    }
    json results = json::array();
    for (const FILE_FINDINGS_& file : files) {
        for (const FINDING_& finding : file.findings) {
            const int ruleIndex = static_cast<int>(finding.id);
            json result = {{"ruleId", checkName(finding)},
                           {"ruleIndex", ruleIndex},
                           {"level", severityName(finding.severity)},
                           {"message", {{"text", CFindingText::message(finding.message)}}},
                           {"locations", json::array({sarifLocation(file.file, finding.place, std::string())})}};
            if (!finding.notes.empty()) {
                json related = json::array();
                int id = 0;
                for (const NOTE_& note : finding.notes) {
                    json location = sarifLocation(file.file, note.place, CFindingText::message(note.message));
                    location["id"] = id++;
                    related.push_back(location);
                }
                result["relatedLocations"] = related;
            }
            results.push_back(result);
        }
    }
    json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                {"version", "2.1.0"},
                {"runs", json::array({{{"tool",
                                        {{"driver",
                                          {{"name", "pelk-table"},
                                           {"version", PELK_VERSION},
                                           {"semanticVersion", PELK_VERSION ".0"},
                                           {"rules", rules}}}}},
                                       {"columnKind", "unicodeCodePoints"},
                                       {"results", results}}})}};
    out << dumped(log) << "\n";
    out.flush();
}
