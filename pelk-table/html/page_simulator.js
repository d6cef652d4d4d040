// The simulator: a button per event, the start state, undo and reset, the
// trace, the URL fragment that keeps it and the trace copied as a scenario
// for `pelk-table run --expect`. Its rules are PelkLogic's (page_logic.js);
// here they are drawn, in the matrix and the diagram too.
const PelkSimulator = (function () {
    "use strict";
    const { byId, element, button } = PelkDom;
    // Shortcut keys of the events, in order.
    const KEYS = "1234567890abcdefghijklmnopqrstuvwxyz";
    const COPIED = "Copied. Save it as scenario.txt beside the table; the first lines say how run plays it.";
    const NOT_COPIED = "Select the text below and copy it: this browser does not let the page copy.";

    // Says why there is nothing to simulate; false when there is something.
    function explainOff(model) {
        const stateCount = model.states.length;
        if (!model.formatErrors && stateCount > 0 && model.events.length > 0) return false;
        byId("sim-on").hidden = true;
        byId("sim-off").hidden = false;
        byId("sim-off").textContent = model.formatErrors
            ? "The table has format errors (see the findings): like pelk-table run, the simulator does not run it."
            : "The table has no " + (stateCount ? "events" : "states") + ": there is nothing to step through.";
        return true;
    }

    // Sets the simulator up for model; null where it does not run (format
    // errors, no states or no events). replay() then plays the URL fragment.
    function start(model, matrix, diagram) {
        if (explainOff(model)) return null;
        const eventCount = model.events.length;
        const label = (state) => PelkLogic.label(model, state);

        let run = PelkLogic.begin(model, 0);
        const startSelect = byId("start");
        for (let state = 0; state < model.states.length; state++) {
            startSelect.append(new Option(state + " " + model.states[state], String(state)));
        }

        const eventButtons = [];
        for (let event = 0; event < eventCount; event++) {
            const eventButton = button(null, null);
            eventButton.className = "event";
            eventButton.dataset.event = String(event);
            if (event < KEYS.length) {
                eventButton.append(element("kbd", KEYS[event]), " ");
                eventButton.setAttribute("aria-keyshortcuts", KEYS[event]);
            }
            eventButton.append(element("span", model.events[event], "name"), element("span", "", "outcome"));
            eventButtons.push(eventButton);
            byId("events").append(eventButton);
        }

        const trace = byId("trace");
        const traceBody = trace.tBodies[0];
        let taken = null;
        let current = [];
        function render() {
            const steps = run.steps;
            while (traceBody.rows.length > steps.length) traceBody.deleteRow(-1);
            for (let index = traceBody.rows.length; index < steps.length; index++) {
                const step = steps[index];
                const row = traceBody.insertRow();
                row.append(element("td", String(index + 1)), element("td", label(step.state)),
                    element("td", model.events[step.event]),
                    element("td", label(step.next) + (step.transition ? "" : " (no transition)")),
                    element("td", step.actions.join(" ")));
            }
            // Where the trace scrolls on its own, its last step stays in view.
            trace.scrollTop = trace.scrollHeight;
            for (const node of current) node.classList.remove("current");
            current = [matrix.rows[run.state], diagram.nodeOf(run.state)].filter((node) => node);
            for (const node of current) node.classList.add("current");
            if (taken) taken.classList.remove("taken");
            const last = steps[steps.length - 1];
            taken = last ? matrix.cellAt(last.state, last.event) : null;
            if (taken) taken.classList.add("taken");

            const status = byId("status");
            status.className = run.stopped ? "stopped" : "";
            status.textContent = run.stopped
                ? "Stopped after step " + steps.length + ": " + run.stopped
                : "State " + label(run.state) + " (" + run.state + ") after " + steps.length +
                  (steps.length === 1 ? " step." : " steps.");
            for (let event = 0; event < eventCount; event++) {
                const eventButton = eventButtons[event];
                eventButton.disabled = Boolean(run.stopped);
                const outcome = run.stopped ? null : PelkLogic.outcome(model, run.state, event);
                eventButton.lastChild.textContent = !outcome ? ""
                    : (outcome.transition ? "→ " + label(outcome.next) : "stays") +
                      (outcome.actions.length ? " · " + outcome.actions.join(", ") : "");
            }
            byId("undo").disabled = !steps.length;
            startSelect.value = String(run.start);
            diagram.follow(run.state);
            if (!byId("scenario-box").hidden) byId("scenario").value = PelkLogic.scenario(model, run);
        }

        function save() {
            history.replaceState(null, "", location.pathname + location.search + PelkLogic.writeFragment(model, run));
        }

        // A fragment read in part gets a note naming what was left out.
        function showIgnored(ignored) {
            const note = byId("fragment-note");
            note.hidden = !ignored.length;
            note.textContent = ignored.length ? "The link's trace was read in part: " + ignored.join("; ") + "." : "";
        }
        function replay() {
            const read = PelkLogic.readFragment(model, location.hash);
            run = read.run;
            showIgnored(read.ignored);
            render();
        }
        // A user's action: the run it makes is drawn and kept in the URL.
        const act = (change) => (...args) => {
            run = change(run, ...args);
            showIgnored([]);
            render();
            save();
        };
        const take = (before, event) => PelkLogic.take(model, before, event);
        const undo = (before) => PelkLogic.undo(model, before);
        const reset = (before) => PelkLogic.reset(model, before);
        const from = (before, state) => PelkLogic.begin(model, state);

        byId("events").addEventListener("click", (domEvent) => {
            const eventButton = domEvent.target.closest("button.event");
            if (eventButton) act(take)(Number(eventButton.dataset.event));
        });
        byId("undo").addEventListener("click", act(undo));
        byId("reset").addEventListener("click", act(reset));
        startSelect.addEventListener("change", act((before) => from(before, Number(startSelect.value))));
        diagram.onState = (state) => act(from)(state);

        // Copy as scenario: the text is shown, selected and copied where the
        // browser lets a file page write the clipboard.
        byId("copy-scenario").addEventListener("click", () => {
            const box = byId("scenario");
            byId("scenario-box").hidden = false;
            box.value = PelkLogic.scenario(model, run);
            box.focus();
            box.select();
            const done = (text) => { byId("scenario-note").textContent = text; };
            let copied = false;
            try {
                copied = document.execCommand("copy");
            } catch (error) {
                copied = false;
            }
            if (copied) {
                done(COPIED);
            } else if (navigator.clipboard && navigator.clipboard.writeText) {
                navigator.clipboard.writeText(box.value).then(() => done(COPIED), () => done(NOT_COPIED));
            } else {
                done(NOT_COPIED);
            }
        });
        byId("close-scenario").addEventListener("click", () => { byId("scenario-box").hidden = true; });

        document.addEventListener("keydown", (domEvent) => {
            if (domEvent.ctrlKey || domEvent.metaKey || domEvent.altKey ||
                domEvent.target.closest("select, input, textarea")) return;
            if (domEvent.key === "Backspace") {
                act(undo)();
            } else if (domEvent.key === "Escape") {
                act(reset)();
            } else {
                const event = domEvent.key.length === 1 ? KEYS.indexOf(domEvent.key.toLowerCase()) : -1;
                if (event < 0 || event >= eventCount) return;
                act(take)(event);
            }
            domEvent.preventDefault();
        });
        window.addEventListener("hashchange", replay);
        return { replay: replay };
    }

    return { start: start };
})();
