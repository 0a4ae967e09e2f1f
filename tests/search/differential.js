// The JavaScript side of tst_differential: runs cases with node's RegExp.
//   node differential.js matches INPUT OUTPUT
//     INPUT lines: FLAGS<TAB>PATTERN<TAB>TEXT, the strings as 4-digit hex code units.
//     OUTPUT lines: ">" and the matches of the whole text, as "start-end" each followed by
//     ",start-end" or ",-" (no part taken) per group, separated by blanks; "E" for an error;
//     "?" for a case under the i flag that names a code unit this node's Unicode leaves
//     unassigned.
//   node differential.js letters OUTPUT
//     OUTPUT lines: CODE<TAB>MATCHES for every BMP code unit with a case mapping: the
//     positions in the text of all code units 0 to FFFF where the pattern \uCODE matches
//     under the i flag; CODE<TAB>- for a code unit this node's Unicode leaves unassigned.
'use strict';
const fs = require('fs');

const fromHex = (hex) => {
    let text = '';
    for (let i = 0; i < hex.length; i += 4)
        text += String.fromCharCode(parseInt(hex.substr(i, 4), 16));
    return text;
};

// Code units that no Unicode version will assign (surrogates, U+FFFF) do not count.
const unassigned = (text) =>
    [...text].some((c) => c.length === 1 && /[^\ud800-\udfff]/.test(c) && /\p{Cn}/u.test(c)
                          && !/\p{Noncharacter_Code_Point}/u.test(c));

function matches(pattern, flags, text) {
    let re;
    try {
        re = new RegExp(pattern, flags + 'gd');
    } catch (e) {
        return 'E';
    }
    const found = [];
    let m;
    while ((m = re.exec(text)) !== null) {
        found.push(m.indices.map((span) => (span ? span[0] + '-' + span[1] : '-')).join(','));
        if (m[0] === '')
            re.lastIndex++;
    }
    return found.join(' ');
}

const [command, ...files] = process.argv.slice(2);
if (command === 'matches') {
    const lines = fs.readFileSync(files[0], 'latin1').split('\n').filter((line) => line !== '');
    const results = lines.map((line) => {
        const [flags, pattern, text] = line.split('\t');
        const named = fromHex(pattern).replace(/\\u([0-9a-f]{4})/g, (_, code) => String.fromCharCode(parseInt(code, 16)));
        if (flags.includes('i') && unassigned(named + fromHex(text)))
            return '?';
        return '>' + matches(fromHex(pattern), flags, fromHex(text));
    });
    fs.writeFileSync(files[1], results.join('\n') + '\n');
} else if (command === 'letters') {
    let all = '';
    for (let c = 0; c < 0x10000; ++c)
        all += String.fromCharCode(c);
    const results = [];
    for (let c = 0; c < 0x10000; ++c) {
        const s = String.fromCharCode(c);
        if (s.toUpperCase() === s && s.toLowerCase() === s)
            continue;
        const code = c.toString(16).padStart(4, '0');
        if (unassigned(s)) {
            results.push(code + '\t-');
            continue;
        }
        const re = new RegExp('\\u' + code, 'gi');
        const positions = [];
        let m;
        while ((m = re.exec(all)) !== null)
            positions.push(m.index);
        results.push(code + '\t' + positions.join(' '));
    }
    fs.writeFileSync(files[0], results.join('\n') + '\n');
} else {
    process.stderr.write('usage: differential.js matches INPUT OUTPUT | letters OUTPUT\n');
    process.exit(2);
}
