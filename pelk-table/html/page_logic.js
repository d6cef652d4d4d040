// The simulator of the page without the page: the rules of a step, undo and
// reset, the URL fragment that keeps a trace, and the trace written as a
// scenario for `pelk-table run --expect`. Nothing here touches the DOM, so
// Node tests it as it stands (tests/html/page_logic_test.js); page.js draws.
//
// A run is a plain object that no function changes: { start, state, steps,
// stopped }, each step { state, event, transition, next, actions }, and
// stopped the sentence that ended the run ("" while it goes on).
//
// The rules are those of `pelk-table run`: the cell of (state, event) is
// taken; a cell with a next state changes the state before its actions run,
// a cell without one keeps it; the model lists only the actions called; a
// next state past the last state stops the run with the sentence the model
// brings for that cell.
const PelkLogic = (function () {
    "use strict";

    const stateCount = (model) => model.states.length;
    const eventCount = (model) => model.events.length;

    // A state as the trace of run names it: its name, or #N past the last.
    function label(model, s) {
        return s >= 0 && s < stateCount(model) ? model.states[s] : "#" + s;
    }

    function outcome(model, s, e) {
        const cell = model.cells[s * eventCount(model) + e];
        const transition = cell[0] >= 0;
        return {
            transition: transition,
            next: transition ? cell[0] : s,
            actions: cell.slice(1).map((a) => model.actions[a]),
        };
    }

    // True for a cell that its state's record lacks (a short record).
    function missing(model, s, e) {
        return (model.missing || []).indexOf(s * eventCount(model) + e) >= 0;
    }

    // A name first, else a decimal number below count, as run reads them;
    // -1 for neither.
    function find(names, text) {
        const named = names.indexOf(text);
        if (named >= 0) return named;
        if (!/^[0-9]+$/.test(text)) return -1;
        const number = Number(text);
        return number < names.length ? number : -1;
    }
    const findState = (model, text) => find(model.states, text);
    const findEvent = (model, text) => find(model.events, text);

    // How a state or event is written for run and in the fragment: its name
    // when that reads back as the same one, else its number.
    function token(names, i, fits) {
        const name = names[i];
        if (name !== "" && fits(name) && find(names, name) === i) return name;
        return String(i);
    }
    // run trims each scenario line and skips those starting with '#'.
    const lineFits = (name) => name === name.trim() && name[0] !== "#" && !/[\r\n]/.test(name);
    const eventToken = (model, e) => token(model.events, e, lineFits);
    const stateToken = (model, s) => token(model.states, s, lineFits);

    function begin(model, from) {
        return { start: from, state: from, steps: [], stopped: "" };
    }

    // The sentence of a step past the last state: the model brings run's.
    function stopSentence(model, s, e, next) {
        const given = model.stops && model.stops[String(s * eventCount(model) + e)];
        return given || label(model, s) + " on " + model.events[e] + " goes to state " + next +
            ", past the last state (" + (stateCount(model) - 1) + ")";
    }

    function take(model, run, e) {
        if (run.stopped || !(e >= 0 && e < eventCount(model))) return run;
        const o = outcome(model, run.state, e);
        const step = { state: run.state, event: e, transition: o.transition, next: o.next, actions: o.actions };
        return {
            start: run.start,
            state: o.next,
            steps: run.steps.concat([step]),
            stopped: o.next >= stateCount(model) ? stopSentence(model, run.state, e, o.next) : "",
        };
    }

    function undo(model, run) {
        if (!run.steps.length) return run;
        const steps = run.steps.slice(0, -1);
        return {
            start: run.start,
            state: steps.length ? steps[steps.length - 1].next : run.start,
            steps: steps,
            stopped: "",
        };
    }

    const reset = (model, run) => begin(model, run.start);

    // "#from=OFF&events=PUSH,TICK": names where they read back, numbers
    // elsewhere; nothing for a run that has not left state 0.
    function writeFragment(model, run) {
        if (!run.start && !run.steps.length) return "";
        const anywhere = () => true;
        const part = (names, i) => encodeURIComponent(token(names, i, anywhere));
        return "#from=" + part(model.states, run.start) +
            "&events=" + run.steps.map((step) => part(model.events, step.event)).join(",");
    }

    function decode(text) {
        try {
            return decodeURIComponent(text.replace(/\+/g, " "));
        } catch (error) {
            return null;
        }
    }

    const quoted = (text) => "'" + text + "'";
    const ordinal = (n) => n + (n % 10 === 1 && n % 100 !== 11 ? "st" : n % 10 === 2 && n % 100 !== 12 ? "nd"
        : n % 10 === 3 && n % 100 !== 13 ? "rd" : "th");

    // Replays a fragment (with or without its '#'). Returns the run and the
    // parts that were ignored, each as a sentence; none for a fragment that
    // was read whole.
    function readFragment(model, fragment) {
        const ignored = [];
        const text = fragment.replace(/^#/, "");
        const fields = {};
        for (const part of text ? text.split("&") : []) {
            const equals = part.indexOf("=");
            const key = equals < 0 ? part : part.slice(0, equals);
            if (part === "") continue;
            if ((key === "from" || key === "events") && equals >= 0 && !(key in fields)) {
                fields[key] = part.slice(equals + 1);
            } else {
                ignored.push(quoted(decode(part) || part) + " is no part of a trace (from=STATE&events=EVENT,...)");
            }
        }

        let from = 0;
        if ("from" in fields) {
            const name = decode(fields.from);
            const found = name === null ? -1 : findState(model, name);
            if (found >= 0) from = found;
            else ignored.push("from=" + (name === null ? fields.from : name) + " names no state of this table: " +
                "the run starts in " + label(model, 0));
        }
        let run = begin(model, from);

        const tokens = fields.events ? fields.events.split(",") : [];
        for (let i = 0; i < tokens.length; i++) {
            const name = decode(tokens[i]);
            const e = name === null ? -1 : findEvent(model, name);
            const rest = tokens.length - i;
            const what = rest === 1 ? "the " + ordinal(i + 1) + " event" : "the events from the " + ordinal(i + 1) +
                " on (" + rest + " of " + tokens.length + ")";
            if (run.stopped) {
                ignored.push(what + " came after the run stopped");
                break;
            }
            if (e < 0) {
                ignored.push(what + ": " + quoted(name === null ? tokens[i] : name) + " is no event of this table");
                break;
            }
            run = take(model, run, e);
        }
        return { run: run, ignored: ignored };
    }

    // A shell word that the shell reads back as text.
    function shellWord(text) {
        return /^[A-Za-z0-9_.,:\/+@%=-]+$/.test(text) ? text : "'" + text.replace(/'/g, "'\\''") + "'";
    }

    // The trace as a scenario that `pelk-table run TABLE --expect STATE <
    // scenario.txt` plays again: comment lines, then one event a line.
    function scenario(model, run) {
        const command = ["pelk-table", "run", shellWord(model.file || "TABLE")];
        if (run.start) command.push("--from", shellWord(stateToken(model, run.start)));
        const lines = ["# " + run.steps.length + (run.steps.length === 1 ? " step" : " steps") + " of " +
            (model.machine || model.file) + " from " + label(model, run.start) + ", played on its page."];
        if (run.stopped) {
            lines.push("# The run stops with an error at its last step: " + run.stopped + ".");
            lines.push("#   " + command.join(" ") + " < scenario.txt");
        } else {
            command.push("--expect", shellWord(stateToken(model, run.state)));
            lines.push("# It ends in " + label(model, run.state) + ":");
            lines.push("#   " + command.join(" ") + " < scenario.txt");
        }
        for (const step of run.steps) lines.push(eventToken(model, step.event));
        return lines.join("\n") + "\n";
    }

    return {
        label: label,
        outcome: outcome,
        missing: missing,
        findState: findState,
        findEvent: findEvent,
        begin: begin,
        take: take,
        undo: undo,
        reset: reset,
        writeFragment: writeFragment,
        readFragment: readFragment,
        scenario: scenario,
    };
})();

if (typeof module === "object" && module.exports) module.exports = PelkLogic;
