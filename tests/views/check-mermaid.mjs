// Parses Mermaid files with the npm package mermaid, as a code host renders
// them, and checks that each parsed as written: every `state "..." as ID`
// line (or `state "..." as ID {`, a composite state) gives one state, every
// `-->` line one transition, and nothing else, composite states' contents
// included. A character that Mermaid reads as syntax inside a label would
// split a line into more statements, or fail the parse.
// Usage: node check-mermaid.mjs NODE_PREFIX FILE...
// NODE_PREFIX holds node_modules with mermaid and jsdom (scripts/deps.sh,
// pelk_need_mermaid). Prints one line per file and "N passed, N failed".
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import fs from 'node:fs';
import path from 'node:path';

const [prefix, ...files] = process.argv.slice(2);
const require = createRequire(path.resolve(prefix, 'package.json'));
// mermaid sanitises labels with DOMPurify, which needs a window.
const { JSDOM } = require('jsdom');
const dom = new JSDOM('<!DOCTYPE html><body></body>');
globalThis.window = dom.window;
globalThis.document = dom.window.document;
const mermaid = (await import(pathToFileURL(require.resolve('mermaid')).href)).default;

let passed = 0;
let failed = 0;
for (const file of files) {
    const text = fs.readFileSync(file, 'utf8');
    try {
        await mermaid.parse(text);
        const { db } = await mermaid.mermaidAPI.getDiagramFromText(text);
        const lines = text.split('\n');
        const declared = lines.map((line) => line.match(/^\s*state "[^"]*" as (\S+)( \{)?$/)).filter(Boolean).map((m) => m[1]);
        const arrows = lines.filter((line) => line.includes('-->')).length;
        // The parsed statements, composite states' included.
        const found = new Set();
        let relations = 0;
        const walk = (doc) => {
            for (const statement of doc || []) {
                if (statement.stmt === 'state' && statement.id !== 'root_start' && statement.id !== 'root_end')
                    found.add(statement.id);
                if (statement.stmt === 'relation') {
                    ++relations;
                    for (const end of [statement.state1, statement.state2]) {
                        if (end.id !== 'root_start' && end.id !== 'root_end')
                            found.add(end.id);
                    }
                }
                walk(statement.doc);
            }
        };
        walk(db.rootDoc);
        const states = [...found];
        if (JSON.stringify(states.sort()) !== JSON.stringify(declared.sort()))
            throw new Error(`states ${states.join(' ')} instead of ${declared.join(' ')}`);
        if (relations !== arrows)
            throw new Error(`${relations} transitions instead of ${arrows}`);
        console.log(`ok ${file}: ${states.length} states, ${relations} transitions`);
        ++passed;
    } catch (error) {
        console.log(`FAIL ${file}: ${String(error.message || error)}`);
        ++failed;
    }
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
