// The findings of check, listed under the matrix: each marked at the cell,
// the state's row or the event's column it concerns (the model's state and
// event), with a button that shows it there.
const PelkFindings = (function () {
    "use strict";
    const { element, linkButton } = PelkDom;

    // What a finding points at in the matrix; null for the table as a whole.
    function targetOf(model, matrix, finding) {
        if (finding.state >= 0 && finding.state < model.states.length) {
            return finding.event >= 0 ? matrix.cellAt(finding.state, finding.event)
                : matrix.stateHeading(finding.state);
        }
        if (finding.event >= 0 && finding.event < model.events.length) return matrix.eventHeading(finding.event);
        return null;
    }

    function list(model, listElement, matrix) {
        if (!model.findings.length) {
            listElement.append(element("li", "None: check finds nothing to report in this table."));
        }
        for (const finding of model.findings) {
            const item = element("li", null, finding.severity);
            item.append(element("span", finding.severity, "severity"), " ", element("span", finding.message), " ",
                element("code", "[" + finding.check + "]"));
            const target = targetOf(model, matrix, finding);
            if (target) {
                target.classList.add("finding-" + finding.severity);
                target.title = (target.title ? target.title + "\n" : "") + finding.severity + ": " + finding.message;
                const show = linkButton("Show in matrix");
                show.setAttribute("aria-label", "Show in matrix: " + finding.message);
                show.addEventListener("click", () => {
                    target.scrollIntoView({ block: "center", inline: "center" });
                    if (target.tagName === "TD") matrix.focusOn(target); else target.focus();
                });
                item.append(" ", show);
            } else if (finding.line > 0) {
                item.append(element("span", " (line " + finding.line + ")", "where"));
            }
            listElement.append(item);
        }
    }

    return { list: list };
})();
