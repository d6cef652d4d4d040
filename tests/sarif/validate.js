// Validates SARIF logs against the published SARIF 2.1.0 schema (the copy
// in @microsoft/jest-sarif, a JSON Schema of draft 04), and checks what the schema cannot: that each
// result's ruleIndex points at the rule of its ruleId.
// Usage: node validate.js LOG.sarif...   Exit status 0 when every log passed.
'use strict';
const fs = require('fs');
const path = require('path');
const Ajv = require('ajv-draft-04');
const addFormats = require('ajv-formats');

const schemaFile = path.join(path.dirname(require.resolve('@microsoft/jest-sarif/package.json')),
    'lib', 'schemas', 'sarif-2.1.0-rtm.5.json');
const schema = JSON.parse(fs.readFileSync(schemaFile, 'utf8'));
// The schema's pattern for "language" has a stray "]", which JavaScript
// accepts only without the u flag.
const ajv = new Ajv({ allErrors: true, strict: false, unicodeRegExp: false });
addFormats(ajv);
const validate = ajv.compile(schema);

let failed = 0;
for (const file of process.argv.slice(2)) {
    const problems = [];
    let log;
    try {
        log = JSON.parse(fs.readFileSync(file, 'utf8'));
    } catch (error) {
        problems.push(`not JSON: ${error.message}`);
    }
    if (log !== undefined && !validate(log)) {
        for (const error of validate.errors)
            problems.push(`${error.instancePath || '/'}: ${error.message} ${JSON.stringify(error.params)}`);
    }
    for (const run of (log && log.runs) || []) {
        const rules = (run.tool && run.tool.driver && run.tool.driver.rules) || [];
        (run.results || []).forEach((result, i) => {
            const rule = rules[result.ruleIndex];
            if (!rule || rule.id !== result.ruleId)
                problems.push(`/results/${i}: ruleIndex ${result.ruleIndex} is not the rule ${result.ruleId}`);
        });
    }
    if (problems.length === 0) {
        console.log(`valid   ${file}`);
    } else {
        failed++;
        console.log(`INVALID ${file}`);
        for (const problem of problems)
            console.log(`        ${problem}`);
    }
}
process.exit(failed === 0 ? 0 : 1);
