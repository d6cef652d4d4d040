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
// brings for that cell. How a text finds a state or an event, and how a
// state past the last is named, come with the model too (stateLookup,
// eventLookup, pastLabels): the script never decides them again.
const PelkLogic = (function () {
    "use strict";

    const stateCount = (model) => model.states.length;
    const eventCount = (model) => model.events.length;
    const own = (object, key) => Boolean(object) && Object.prototype.hasOwnProperty.call(object, key);

    // A state as the trace of run names it: its name, or the label the model
    // gives a state past the last.
    function label(model, state) {
        if (state >= 0 && state < stateCount(model)) return model.states[state];
        return own(model.pastLabels, String(state)) ? model.pastLabels[String(state)] : String(state);
    }

    function outcome(model, state, event) {
        const cell = model.cells[state * eventCount(model) + event];
        const transition = cell[0] >= 0;
        return {
            transition: transition,
            next: transition ? cell[0] : state,
            actions: cell.slice(1).map((action) => model.actions[action]),
        };
    }

    // True for a cell that its state's record lacks (a short record).
    function missing(model, state, event) {
        return (model.missing || []).indexOf(state * eventCount(model) + event) >= 0;
    }

    // The index a text names in a look-up of the model, as run reads it; -1
    // for none.
    const find = (lookup, text) => (own(lookup, text) ? lookup[text] : -1);
    const findState = (model, text) => find(model.stateLookup, text);
    const findEvent = (model, text) => find(model.eventLookup, text);

    // How a state or event is written for run and in the fragment: its name
    // when that reads back as the same one, else its number.
    function token(names, lookup, index, fits) {
        const name = names[index];
        if (name !== "" && fits(name) && find(lookup, name) === index) return name;
        return String(index);
    }
    // run trims each scenario line and skips those starting with '#'.
    const lineFits = (name) => name === name.trim() && name[0] !== "#" && !/[\r\n]/.test(name);
    const eventToken = (model, event) => token(model.events, model.eventLookup, event, lineFits);
    const stateToken = (model, state) => token(model.states, model.stateLookup, state, lineFits);

    function begin(model, from) {
        return { start: from, state: from, steps: [], stopped: "" };
    }

    function take(model, run, event) {
        if (run.stopped || !(event >= 0 && event < eventCount(model))) return run;
        const result = outcome(model, run.state, event);
        const step = { state: run.state, event: event, transition: result.transition, next: result.next,
            actions: result.actions };
        // The model brings run's sentence for every cell past the last state.
        const index = String(run.state * eventCount(model) + event);
        const past = result.next >= stateCount(model);
        return {
            start: run.start,
            state: result.next,
            steps: run.steps.concat([step]),
            stopped: !past ? "" : own(model.stops, index) ? model.stops[index] : label(model, result.next),
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
        const part = (names, lookup, index) => encodeURIComponent(token(names, lookup, index, anywhere));
        return "#from=" + part(model.states, model.stateLookup, run.start) +
            "&events=" + run.steps.map((step) => part(model.events, model.eventLookup, step.event)).join(",");
    }

    function decode(text) {
        try {
            return decodeURIComponent(text.replace(/\+/g, " "));
        } catch (error) {
            return null;
        }
    }

    const quoted = (text) => "'" + text + "'";
    const ordinal = (number) => number + (number % 10 === 1 && number % 100 !== 11 ? "st"
        : number % 10 === 2 && number % 100 !== 12 ? "nd" : number % 10 === 3 && number % 100 !== 13 ? "rd" : "th");

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
        for (let position = 0; position < tokens.length; position++) {
            const name = decode(tokens[position]);
            const event = name === null ? -1 : findEvent(model, name);
            const rest = tokens.length - position;
            const what = rest === 1 ? "the " + ordinal(position + 1) + " event" : "the events from the " +
                ordinal(position + 1) + " on (" + rest + " of " + tokens.length + ")";
            if (run.stopped) {
                ignored.push(what + " came after the run stopped");
                break;
            }
            if (event < 0) {
                ignored.push(what + ": " + quoted(name === null ? tokens[position] : name) +
                    " is no event of this table");
                break;
            }
            run = take(model, run, event);
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
