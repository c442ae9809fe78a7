// The WebAssembly core answers every click exactly as the native one: the
// same clicks go to core_answers (the core the windows link) and, through the
// JavaScript bindings the page calls, to offsetcore.wasm; every outcome must
// match, problem for problem (and the box it is shown at) and text for text,
// held pair bit for bit, each object with the members the page reads and no
// others. Arguments the page could get wrong count as empty boxes, or throw
// a TypeError when they are no text at all.
//
//   node core_differential.mjs <folder of offsetcore.js> <core_answers>
//
// Another build of core_answers (the Windows one under Wine, say) is held to
// the native one the same way, in the place of the WebAssembly core; the
// lists the clicks are made from then come from the native one:
//
//   node core_differential.mjs <core_answers> <other core_answers> [its arguments...]
//
// The clicks are generated with a fixed seed: boxes empty, blank, in either
// separator, with letters, other scripts' digits, exponents, tiny and
// overflowing values, listed and unlisted angles and diameters, counts
// fractional and negative; beside them a grid of whole and half offsets and
// whole counts at every bend row the lists lead to.
//
// musl's libm (WebAssembly) and glibc's part in the last bit of sin 15 deg
// (0x1.0907dc1439915p-2, correctly rounded, against glibc's ...916p-2). At
// 15 degrees a rounded length first comes out different at a whole offset of
// 25,799,691 mm, a horizontal offset at a whole sloped length of 371,476,653
// mm; no offset with two decimals up to 1 km, nor with four up to 10 m, is
// affected. So offsets stay within 1e7 mm and counts within 1e3 there, apart
// from values whose result overflows on both; every other angle is also
// tried with offsets and counts of every size up to 1e307.
import {spawn, spawnSync} from 'node:child_process';
import {closeSync, mkdtempSync, openSync, readFileSync, rmSync, statSync,
        writeFileSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {fileURLToPath} from 'node:url';
import {dirname, join} from 'node:path';

const here = dirname(fileURLToPath(import.meta.url));
const {loadOffsetCore} = await import(join(here, '../../web/bindings/load-in-node.mjs'));
const [first, ...rest] = process.argv.slice(2);
const againstWasm = statSync(first).isDirectory();
const native = againstWasm ? rest[0] : first;
const other = againstWasm ? null : rest; // a command and its arguments

// What the clicks are made from, asked of the native core_answers one query
// at a time, when there is no WebAssembly core to ask.
const nativeLists = () => {
    const asked = new Map(); // the generator asks for some lists at every click
    const answer = (query) => {
        if (!asked.has(query)) {
            const run = spawnSync(native, [], {input: `${query}\n`, encoding: 'utf8'});
            if (run.status !== 0) {
                throw new Error(`${native} failed: ${run.error ?? run.signal ?? run.status}`);
            }
            asked.set(query, run.stdout.split('\n')[0].split(' '));
        }
        return asked.get(query);
    };
    const texts = (fields) => fields.map((field) => Buffer.from(field.slice(1), 'hex')
        .toString('utf8'));
    const lists = () => answer('T').join(' ').split(/ ?list ?/).slice(1)
        .map((list) => texts(list ? list.split(' ') : []));
    const every = () => answer('E');
    return {
        concentricAngleList: () => lists()[0],
        singleWallAngleList: () => lists()[1],
        sectionCountList: () => lists()[2],
        everySingleWallDiameterList: () => texts(every().slice(1, -1)),
        defaultChartTotal: () => texts(every().slice(-1))[0],
        singleWallDiameterList: (angle) => {
            const fields = answer(line('D', [angle]));
            return fields[0] === 'list' ? texts(fields.slice(1)) : null;
        },
        // Rows are told apart by the held pair alone: its bits in hex do.
        singleWallOffsets: ({angle, diameter, n1000, n500, n250}, sep) => {
            const fields = answer(line('SO', [angle, diameter, n1000, n500, n250, sep]));
            return {heldBend: {a: fields.at(-2), b: fields.at(-1)}};
        },
    };
};
const core = againstWasm ? await loadOffsetCore(first) : nativeLists();

// ---- encoding shared with core_answers ---------------------------------------
const view = new DataView(new ArrayBuffer(8));
const hex = (value) => {
    view.setFloat64(0, value);
    return view.getBigUint64(0).toString(16).padStart(16, '0');
};
const hexText = (text) => 'x' + Buffer.from(text, 'utf8').toString('hex');
const listAnswer = (items) => ['list', ...items.map(hexText)].join(' ');
const messageAnswer = (name, {prompt, title}) => `${name} ${hexText(prompt)} ${hexText(title)}`;
const markerAnswer = (marker) => {
    if (typeof marker !== 'boolean') {
        return `marker? ${JSON.stringify(marker)}`;
    }
    return marker ? 'marker' : 'plain';
};
const count = (value) => (Number.isInteger(value) ? String(value)
    : `count? ${JSON.stringify(value)}`);
// Every object the page gets has the members it had from the start, no more,
// in the same order; anything else answers as its members, which no native
// answer matches.
const shaped = (object, members, answer) => {
    const found = Object.keys(object ?? {}).join(' ');
    return found === members ? answer() : `members? ${found}`;
};
const advisedAnswer = (advised) => (typeof advised === 'boolean'
    ? (advised ? 'advised' : 'plain') : `advised? ${JSON.stringify(advised)}`);
const combinationAnswer = (c) => shaped(c, 'n1000 n500 n250 horizontal vertical difference advised',
    () => [count(c.n1000), count(c.n500), count(c.n250),
        ...[c.horizontal, c.vertical, c.difference].map(hexText), advisedAnswer(c.advised)].join(' '));
const combinationsAnswer = (list) => [list.length, ...list.map(combinationAnswer)].join(' ');
// The texts written, each by its box, in the order the native core gives them.
const writtenAnswer = (written, boxes) => shaped(written, boxes,
    () => Object.entries(written).map(([box, text]) => `${box} ${hexText(text)}`).join(' '));
const heldAnswer = (bend) => shaped(bend, 'a b', () => `${hex(bend.a)} ${hex(bend.b)}`);
const outcomeAnswer = (outcome) => {
    if (outcome === null) {
        return 'null';
    }
    if (outcome.problem !== undefined) {
        return shaped(outcome, 'problem prompt title input',
            () => `problem ${messageAnswer(outcome.problem, outcome)} ${outcome.input}`);
    }
    if (outcome.report !== undefined) {
        return shaped(outcome, 'report', () => `report ${hexText(outcome.report)}`);
    }
    if (outcome.text !== undefined) {
        return shaped(outcome, 'text', () => `count ${hexText(outcome.text)}`);
    }
    if (outcome.angles !== undefined) {
        return shaped(outcome, 'angles', () => ['plan', ...outcome.angles.map((a) => shaped(a,
            'angle length vertical a b marker nearest further', () => [
                'angle', ...[a.angle, a.length, a.vertical, a.a, a.b].map(hexText),
                markerAnswer(a.marker), 'nearest', combinationsAnswer(a.nearest),
                'further', combinationsAnswer(a.further),
            ].join(' ')))].join(' '));
    }
    if (outcome.rows !== undefined) {
        return shaped(outcome, 'bend rows', () => ['chart', heldAnswer(outcome.bend),
            combinationsAnswer(outcome.rows)].join(' '));
    }
    if (outcome.inputs !== undefined) {
        const {written, inputs} = outcome;
        return shaped(outcome, 'written marker heldBend inputs', () => 'lengths '
            + `${writtenAnswer(written, 'txtLengte txtHoogte txtA txtB')} `
            + `${heldAnswer(outcome.heldBend)} `
            + shaped(inputs, 'angle offset',
                () => `${hexText(inputs.angle)} ${hexText(inputs.offset)}`)
            + ` ${markerAnswer(outcome.marker)}`);
    }
    const {written, heldBend} = outcome;
    return shaped(outcome, 'written heldBend', () => 'offsets '
        + `${writtenAnswer(written, 'txtVerHor txtVerVerticaal')} ${heldAnswer(heldBend)}`);
};

// ---- seeded randomness ---------------------------------------------------------
let seed = 20261207;
const random = () => { // mulberry32
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
const pick = (items) => items[Math.floor(random() * items.length)];
const uniform = (low, high) => low + (high - low) * random();
const chance = (p) => random() < p;

// ---- the clicks ----------------------------------------------------------------
// [line for core_answers, what gives the WebAssembly core's answer]: the
// native side works through the lines while the WebAssembly side answers.
const queries = [];
const ask = (line, wasmAnswer) => queries.push([line, wasmAnswer]);
// A call the core refuses as a wrong argument.
const refusedOr = (call) => {
    try {
        return call();
    } catch (error) {
        if (error instanceof TypeError) {
            return 'refused';
        }
        throw error;
    }
};
const line = (kind, texts) => [kind, ...texts.map(hexText)].join(' ');

const twinLengths = (angle, offset, sep) => ask(line('CL', [angle, offset, sep]),
    () => outcomeAnswer(core.concentricLengths({angle, offset}, sep)));
const twinOffsets = (angle, [n1000, n500, n250], sep) => ask(
    line('CO', [angle, n1000, n500, n250, sep]),
    () => outcomeAnswer(core.concentricOffsets({angle, n1000, n500, n250}, sep)));
const soloLengths = (angle, pickedAngle, diameter, offset, sep) => ask(
    line('SL', [angle, pickedAngle, diameter, offset, sep]),
    () => outcomeAnswer(core.singleWallLengths({angle, pickedAngle, diameter, offset}, sep)));
const soloOffsets = (angle, diameter, [n1000, n500, n250], sep) => ask(
    line('SO', [angle, diameter, n1000, n500, n250, sep]),
    () => outcomeAnswer(core.singleWallOffsets({angle, diameter, n1000, n500, n250}, sep)));

// A double as a box would hold it: the shortest decimal that reads back as
// it, without an exponent (the core reads none), in the given separator.
const plain = (value, sep = '.') => {
    let text = String(value);
    const scientific = /^(-?)(\d)(?:\.(\d+))?e([+-]\d+)$/.exec(text);
    if (scientific) {
        const [, sign, first, rest = '', power] = scientific;
        const exponent = Number(power);
        text = exponent >= 0
            ? sign + first + rest + '0'.repeat(exponent - rest.length)
            : `${sign}0.${'0'.repeat(-exponent - 1)}${first}${rest}`;
    }
    return text.replace('.', sep);
};

// Every listed angle with its rows: the concentric row, and the single-wall
// row of every listed diameter (each distinct row once, by its first diameter).
const rows = core.concentricAngleList().map((angle) => ({system: 'concentric', angle}));
for (const angle of core.singleWallAngleList()) {
    const seen = new Set();
    for (const diameter of core.singleWallDiameterList(angle)) {
        const {heldBend} = core.singleWallOffsets({angle, diameter, n1000: '0', n500: '0',
                                                   n250: '0'}, ',');
        if (!seen.has(`${heldBend.a}/${heldBend.b}`)) {
            seen.add(`${heldBend.a}/${heldBend.b}`);
            rows.push({system: 'singlewall', angle, diameter});
        }
    }
}
const lengthsAt = ({system, angle, diameter}, offset, sep) => (system === 'concentric'
    ? twinLengths(angle, offset, sep) : soloLengths(angle, angle, diameter, offset, sep));
const offsetsAt = ({system, angle, diameter}, counts, sep) => (system === 'concentric'
    ? twinOffsets(angle, counts, sep) : soloOffsets(angle, diameter, counts, sep));

// The grid: whole and half offsets, whole counts, at every row.
for (const row of rows) {
    for (let offset = -50; offset <= 20000; ++offset) {
        lengthsAt(row, String(offset), ',');
    }
    for (let offset = 0.5; offset <= 4000.5; ++offset) {
        const sep = offset % 2 < 1 ? ',' : '.';
        lengthsAt(row, plain(offset, sep), sep);
    }
    for (let n1000 = 0; n1000 <= 10; ++n1000) {
        for (let n500 = 0; n500 <= 10; ++n500) {
            for (let n250 = 0; n250 <= 10; ++n250) {
                offsetsAt(row, [n1000, n500, n250].map(String), ',');
            }
        }
    }
}

// Seeded random fractional and negative values at the rows; every size at
// the rows away from 15 degrees.
const randomOffset = () => {
    const magnitude = pick([1e2, 1e4, 1e6, 1e7]);
    const offset = uniform(-magnitude, magnitude);
    return chance(0.3) ? Math.round(offset * 2) / 2 : offset;
};
const randomCount = () => pick([Math.round(uniform(-10, 20)), uniform(-20, 20), uniform(-1e3, 1e3)]);
for (let i = 0; i < 20000; ++i) {
    const row = pick(rows);
    const sep = pick([',', '.']);
    lengthsAt(row, plain(randomOffset(), sep), sep);
    offsetsAt(row, [randomCount(), randomCount(), randomCount()].map((n) => plain(n, sep)), sep);
}
for (const row of rows.filter(({angle}) => angle !== '15')) {
    for (let power = 0; power <= 307; ++power) {
        const size = () => (chance(0.2) ? -1 : 1) * uniform(1, 10) * 10 ** power;
        lengthsAt(row, plain(size(), ','), ',');
        lengthsAt(row, plain(Math.round(size()), ','), ',');
        offsetsAt(row, [size(), chance(0.5) ? size() : 0, 1].map((n) => plain(n, ',')), ',');
    }
}

// Random clicks: each box gets text of a kind a person (or a paste) could
// leave in it, mostly good, so that every check is reached in every order.
const sameSeparators = [',', ',', '.', '.', '\u066b'];
const allDiameters = [...new Set(core.singleWallAngleList()
    .flatMap((angle) => core.singleWallDiameterList(angle)))];
const digits = (count) => Array.from({length: count}, () => pick('0123456789')).join('');
const pieces = ['0', '1', '5', '9', '12', ',', '.', ' ', '\t', '+', '-', 'e', 'E', 'x', 'inf', 'nan',
                '\u066b', '\u00a0', '\u0663', '\u00bd', '\u{1d7d8}'];
const junk = () => Array.from({length: Math.floor(uniform(0, 10))}, () => pick(pieces)).join('');
const bad = () => pick([
    '', '', ' ', '  ', '\t', 'abc', 'x', 'twee', 'ca. 500 mm', '1e3', '1E3', '1.500', '1.000,5',
    '1 000', '\u00a0500', '--5', '+-5', '-', '+', ',', '.', ',5,', 'inf', 'nan', '0x1A', '½',
    '\u0665\u0660\u0660', '\u0663\u0660', '\u0663\u0660\u066b\u0665', '\uff15\uff10\uff10',
    '5'.repeat(400), junk(), junk(), junk(),
]);
// Overflowing on every angle, refused as too long, or below the smallest double.
const outsize = (sep) => pick([
    '1' + '0'.repeat(308), '-1' + '0'.repeat(308), plain(Number.MAX_VALUE, sep),
    '9'.repeat(310) + sep + '5', `0${sep}${'0'.repeat(320)}1`, plain(5e-324, sep),
    `0${sep}${'0'.repeat(400)}1`, `-0${sep}0`, `${sep}5`, `5${sep}`,
]);
// A good text written as a person might: blanks around, a sign, zeros.
const dressed = (text, sep) => pick([
    text, text, text, ` ${text}`, `${text} `, `\t${text}\t`, `+${text}`, `0${text}`,
    `${text}${sep}0`, `${text}${sep}`, `${text}${sep}000`,
]);
const someSeparator = (sep) => (chance(0.85) ? sep : pick([',', '.', '\u066b']));

const angleText = (listed, sep) => {
    const roll = random();
    if (roll < 0.55) {
        return pick(listed);
    }
    if (roll < 0.7) {
        return dressed(pick(listed), someSeparator(sep));
    }
    if (roll < 0.85) {
        const unlisted = [0, 10, 22.5, 43, 44, 44.999999, 45, 60, 87, 90, 91, -30, 390, 30.000001];
        return plain(pick(unlisted), someSeparator(sep));
    }
    return chance(0.8) ? bad() : outsize(sep);
};
const diameterText = (sep) => {
    const roll = random();
    if (roll < 0.6) {
        return pick(allDiameters);
    }
    if (roll < 0.72) {
        return dressed(pick(allDiameters), someSeparator(sep));
    }
    if (roll < 0.87) {
        return plain(pick([0, 100, 124.5, 150.25, 275, 299.9999, 300, 300.5, 449, 500, -125, 1e6]),
                     someSeparator(sep));
    }
    return chance(0.8) ? bad() : outsize(sep);
};
const offsetText = (sep) => {
    const roll = random();
    if (roll < 0.45) {
        return plain(randomOffset(), someSeparator(sep));
    }
    if (roll < 0.7) {
        return dressed(String(Math.round(uniform(-100, 5000))), someSeparator(sep));
    }
    if (roll < 0.8) {
        return `${pick(['', '-', '+'])}${digits(Math.floor(uniform(0, 5)))}${sep}`
            + digits(Math.floor(uniform(0, 30)));
    }
    return chance(0.75) ? bad() : outsize(sep);
};
const countText = (sep) => {
    const roll = random();
    if (roll < 0.55) {
        return pick(core.sectionCountList());
    }
    if (roll < 0.8) {
        return plain(randomCount(), someSeparator(sep));
    }
    if (roll < 0.87) {
        return dressed(String(Math.round(uniform(-5, 15))), someSeparator(sep));
    }
    return chance(0.75) ? bad() : outsize(sep);
};
const countTexts = (sep) => [countText(sep), countText(sep), countText(sep)];

const twinAngles = core.concentricAngleList();
const soloAngles = core.singleWallAngleList();
for (let i = 0; i < 20000; ++i) {
    const sep = pick(sameSeparators);
    twinLengths(angleText(twinAngles, sep), offsetText(sep), sep);
    twinOffsets(angleText(twinAngles, sep), countTexts(sep), sep);
    // What cmbHoek shows against the item last picked in it.
    const picked = chance(0.85) ? pick(soloAngles) : pick(['', angleText(soloAngles, sep)]);
    const shown = chance(0.8) ? picked : pick([dressed(picked, sep), angleText(soloAngles, sep)]);
    soloLengths(shown, picked, diameterText(sep), offsetText(sep), sep);
    soloOffsets(angleText(soloAngles, sep), diameterText(sep), countTexts(sep), sep);
}

// Every text as the offset and as a count, at one row away from 15 degrees,
// under every separator; bit-level differences in reading show only where
// they change a rounded result.
const goodText = (separator) => {
    const blanks = () => pick(['', '', ' ', '\t', '  ']);
    const whole = pick([digits(1), digits(3), digits(8), digits(17), digits(25), '0', '']);
    const fraction = pick(['', digits(1), digits(2), digits(12), digits(30)]);
    const body = fraction === '' && whole !== '' && chance(0.5) ? whole
        : `${whole === '' && fraction === '' ? '0' : whole}${separator}${fraction}`;
    return blanks() + pick(['', '', '+', '-']) + body + blanks();
};
const texts = ['1' + '0'.repeat(308), '1' + '0'.repeat(309), '9'.repeat(310) + ',5',
               '0,' + '0'.repeat(400) + '1', '0,' + '0'.repeat(320) + '1', '9007199254740993',
               '0,1000000000000000055511151231257827', '2,2250738585072011e-308',
               '179769313486231580793728971405301' + '0'.repeat(276), '-0', '+,', ','];
for (let i = 0; i < 5000; ++i) {
    texts.push(goodText(','), goodText('.'), junk());
}
for (const text of texts) {
    for (const sep of [',', '.', '\u066b']) {
        twinLengths('30', text, sep);
        soloOffsets('45', '125', ['0', '0', text], sep);
    }
}

// The lookups: diameters 0 to 600 in half steps at every listed angle and a
// few others, and the concentric table around its angles.
const lookupAngles = [...new Set([...soloAngles, ...twinAngles].map(Number))]
    .concat([0, 10, 22.5, 44.999999, 60, 91, -30, 390]);
for (const angle of lookupAngles.map((value) => plain(value))) {
    for (let diameter = 0; diameter <= 600; diameter += 0.5) {
        soloLengths(angle, angle, plain(diameter), '500', '.');
    }
}
for (let angle = -10; angle <= 100; angle += 0.25) {
    for (const near of [angle, angle + 1e-9]) {
        twinLengths(plain(near), '500', '.');
    }
}

// Reading, to the last bit, where a lookup shows it: every angle and diameter
// the tables compare with, written as the exact decimal halfway to the
// neighbouring double and a hair either side of it (read correctly, the
// halfway text goes to the even one, the listed value itself), and likewise
// the largest double against overflow. In long decimals, so that both
// readers take their slowest road.
const asFraction = (value) => { // [n, q]: value = n / 2^q
    view.setFloat64(0, value);
    const bits = view.getBigUint64(0);
    const biased = Number(bits >> 52n);
    const fraction = bits & ((1n << 52n) - 1n);
    return [biased === 0 ? fraction : fraction | (1n << 52n), 1075 - Math.max(biased, 1)];
};
const neighbour = (value, step) => {
    view.setFloat64(0, value);
    view.setBigUint64(0, view.getBigUint64(0) + BigInt(step));
    return view.getFloat64(0);
};
const midpoint = ([a, p], [b, r]) => {
    const q = Math.max(p, r);
    return [(a << BigInt(q - p)) + (b << BigInt(q - r)), q + 1];
};
// n / 2^q exactly, then a hair (10^-5) above and below, in the separator given.
const halfwayTexts = ([n, q], sep) => {
    const decimals = Math.max(q, 0) + 5;
    const units = (q >= 0 ? n * 5n ** BigInt(q) : n << BigInt(-q)) * 100000n;
    return [units, units + 1n, units - 1n].map((value) => {
        const digits = value.toString().padStart(decimals + 1, '0');
        return `${digits.slice(0, -decimals)}${sep}${digits.slice(-decimals)}`;
    });
};
const aroundTexts = (value, sep) => [
    ...halfwayTexts(midpoint(asFraction(neighbour(value, -1)), asFraction(value)), sep),
    ...halfwayTexts(midpoint(asFraction(value), asFraction(neighbour(value, 1))), sep),
];
for (const sep of [',', '.']) {
    for (const angle of [15, 30, 43, 45, 87, 90].flatMap((value) => aroundTexts(value, sep))) {
        twinLengths(angle, '500', sep);
        soloLengths(angle, angle, '125', '500', sep);
        soloOffsets(angle, '300', ['1', '0', '0'], sep);
    }
    const diameters = [150, 175, 200, 250, 300, 450].flatMap((value) => aroundTexts(value, sep));
    for (const diameter of diameters) {
        for (const angle of soloAngles) {
            soloLengths(angle, angle, diameter, '500', sep);
            soloOffsets(angle, diameter, ['1', '0', '0'], sep);
        }
    }
    const overflow = midpoint(asFraction(Number.MAX_VALUE), [1n, -1024]);
    for (const offset of halfwayTexts(overflow, sep)) {
        twinLengths('30', offset, sep);
        twinLengths('30', offset.slice(0, offset.indexOf(sep)), sep);
    }
}

// Test's report: the page's captions or random texts, the values shown, and
// the inputs of the results shown (none, the same, or others). A box can hold
// half a surrogate pair (a paste cut short): it crosses as U+FFFD on both
// sides, and the character after it stays.
const reportText = () => Array.from({length: Math.floor(uniform(0, 60))},
    () => pick(['a', 'Z', ' ', ':', '7', ',', '\u00b0', '\u00e9', '\u20ac', '\u{1d465}', '\t',
                '\ud835', '\udc65'])).join('');
const captions = ['Hoek in graden:', 'Lengte horizontale- versleping in mm:', 'A:', 'B:',
                  'Lengte tussen de bochten in mm:', 'Lengte van de verticale versleping in mm:'];
const names = ['angle', 'offset', 'a', 'b', 'length', 'vertical'];
for (let i = 0; i < 2000; ++i) {
    const items = captions.map((caption) => ({
        caption: chance(0.5) ? caption : reportText(),
        value: chance(0.5) ? pick(['30', '500', '76', '', 'e', '500,0', ' 30']) : reportText(),
    }));
    const fields = Object.fromEntries(names.map((name, index) => [name, items[index]]));
    const from = pick([null, {angle: items[0].value, offset: items[1].value},
                       {angle: items[0].value, offset: pick(['500', reportText()])},
                       {angle: pick(['30', reportText()]), offset: items[1].value}]);
    const boxTexts = items.flatMap(({caption, value}) => [caption, value]);
    ask(line('R', from ? [...boxTexts, from.angle, from.offset] : boxTexts),
        () => outcomeAnswer(core.testReport(fields, from)));
}

// The window's print check over what its four result boxes can show.
const shownTexts = ['', 'e', '0', '883', ' '];
for (const length of shownTexts) {
    for (const vertical of shownTexts) {
        for (const horizontal of shownTexts) {
            for (const sectionVertical of shownTexts) {
                ask(line('K', [length, vertical, horizontal, sectionVertical]),
                    () => outcomeAnswer(core.checkWindowPrint(length, vertical, horizontal,
                                                        sectionVertical)));
            }
        }
    }
}

// The - and + beside a count box, over the texts a count box can hold; the
// direction crosses as a C int, whatever number the page gives.
for (let i = 0; i < 3000; ++i) {
    const sep = pick(sameSeparators);
    const text = chance(0.2) ? '' : countText(sep);
    const direction = pick([-1, 1, 1, -1, 0, 2.5, -7, '-1', true]);
    ask(line('S', [text, String(direction | 0), sep]),
        () => outcomeAnswer(core.steppedCount(text, direction, sep)));
}

// Plans and charts, over both systems (and names no system has: the page's
// old spelling and a Dutch one),
// every diameter on offer and some that are not, measured offsets and totals
// good and bad.
const systems = ['concentric', 'singlewall', 'singleWall', 'enkelwandig'];
const planDiameters = [...core.everySingleWallDiameterList(), '', '124', '300,5', 'x'];
const planOffsets = ['', 'x', '0', '150', '612,5', '900', '1017', '2500', '6000', '30000', '-50',
                     '1,5e3', '1' + '0'.repeat(308)];
for (const system of systems) {
    for (const diameter of system === 'singlewall' ? planDiameters : ['', '125']) {
        const offsets = Array.from({length: 8}, () => plain(randomOffset(), ','));
        for (const offset of [...planOffsets, ...offsets]) {
            ask(line('P', [system, diameter, offset, ',']),
                () => refusedOr(() => outcomeAnswer(core.planOffset({system, diameter, offset}, ','))));
        }
    }
}
const totals = ['', 'x', core.defaultChartTotal(), '0', '250', '1000,5', '10000', '-5'];
for (const system of systems) {
    for (const angle of [...(system === 'singlewall' ? soloAngles : twinAngles), '', '44', 'x']) {
        for (const diameter of system === 'singlewall' ? planDiameters : ['125']) {
            for (const total of diameter === '125' ? totals : totals.slice(0, 3)) {
                ask(line('C', [system, angle, diameter, total, ',']),
                    () => refusedOr(() => outcomeAnswer(
                        core.offsetChart({system, angle, diameter, total}, ','))));
            }
        }
    }
}

// Arguments as a caller might get them wrong: a click or field object that
// is null, has no such member or a member that is no string counts as empty
// boxes.
const oddClicks = [null, undefined, {}, 'angle', 7,
                   {angle: 30, offset: null, n1000: ['1'], diameter: new String('125'), system: 1}];
for (const click of oddClicks) {
    const empty = (boxes) => Array(boxes).fill('');
    ask(line('CL', [...empty(2), ',']), () => outcomeAnswer(core.concentricLengths(click, ',')));
    ask(line('CO', [...empty(4), ',']), () => outcomeAnswer(core.concentricOffsets(click, ',')));
    ask(line('SL', [...empty(4), ',']), () => outcomeAnswer(core.singleWallLengths(click, ',')));
    ask(line('SO', [...empty(5), ',']), () => outcomeAnswer(core.singleWallOffsets(click, ',')));
    ask(line('P', [...empty(3), ',']),
        () => refusedOr(() => outcomeAnswer(core.planOffset(click, ','))));
    ask(line('C', [...empty(4), ',']),
        () => refusedOr(() => outcomeAnswer(core.offsetChart(click, ','))));
    const from = click === null || click === undefined ? [] : empty(2);
    ask(line('R', [...empty(12), ...from]), () => outcomeAnswer(core.testReport(click, click)));
    ask(line('R', empty(12)), () => outcomeAnswer(core.testReport({angle: click, a: click}, null)));
}

// The lists.
for (const text of ['15', '30', '45', '90', '43', '87', '', ' 30', '30,0', '30.0', '030', '٣٠']) {
    const list = core.singleWallDiameterList(text);
    ask(line('D', [text]), () => (list ? listAnswer(list) : 'null'));
}
ask('T', () => [core.concentricAngleList(), core.singleWallAngleList(), core.sectionCountList()]
    .map(listAnswer).join(' '));
ask('E', () => `${listAnswer(core.everySingleWallDiameterList())} `
    + hexText(core.defaultChartTotal()));

// ---- compare -----------------------------------------------------------------------
// Gives the native answers, one a line, and puts the other side's in place
// of each query's second member. Through files rather than a pipe, so that
// the native side works through the clicks while the other side answers them.
let otherMessages = null;
async function answerOnBothSides() {
    const folder = mkdtempSync(join(tmpdir(), 'core-differential-'));
    try {
        const clicks = join(folder, 'clicks');
        writeFileSync(clicks, [...queries.map(([query]) => query), 'M', ''].join('\n'));
        // A program built for Windows ends its lines in \r\n; no answer holds
        // a \r of its own, as every text crosses in hex.
        const answersOf = async ([program, ...args], name) => {
            const answers = join(folder, name);
            const input = openSync(clicks, 'r');
            const output = openSync(answers, 'w');
            const child = spawn(program, args, {stdio: [input, output, 'inherit']});
            const failure = await new Promise((done) => {
                child.on('error', (error) => done(String(error)));
                child.on('close', (status, signal) => done(status === 0 ? null : signal ?? status));
            });
            closeSync(input);
            closeSync(output);
            if (failure !== null) {
                throw new Error(`${program} failed: ${failure}`);
            }
            return readFileSync(answers, 'utf8').split(/\r?\n/);
        };
        if (other) {
            const [nativeAnswers, otherAnswers] = await Promise.all(
                [answersOf([native], 'answers'), answersOf(other, 'other-answers')]);
            queries.forEach((query, i) => {
                query[1] = otherAnswers[i];
            });
            otherMessages = otherAnswers[queries.length];
            return nativeAnswers;
        }
        const nativeSide = answersOf([native], 'answers');
        for (const query of queries) {
            query[1] = query[1]();
        }
        return await nativeSide;
    } finally {
        rmSync(folder, {recursive: true, force: true});
    }
}
const nativeAnswers = await answerOnBothSides();
let differing = 0;
const differs = (query, nativeAnswer, otherAnswer) => {
    if (++differing <= 10) {
        console.error(`differs: ${query}\n  native: ${nativeAnswer}\n  `
            + `${other ? 'other:' : 'wasm: '}  ${otherAnswer}`);
    }
};
// Another build's C library may part from glibc in the last bit of a sine or
// cosine (MinGW-w64's does at 90 degrees); a rounded millimetre shows it only
// beyond 1e15 mm, far past any pipe run, so there a difference is counted
// but not held against it. The WebAssembly core is held to every click.
const beyond = (query) => query.split(' ').slice(1).some((field) => Math.abs(Number(
    Buffer.from(field.slice(1), 'hex').toString('utf8').trim().replace(',', '.'))) > 1e15);
let beyondClicks = 0;
let beyondDiffering = 0;
queries.forEach(([query, wasmAnswer], i) => {
    const far = other !== null && beyond(query);
    beyondClicks += far;
    if (nativeAnswers[i] !== wasmAnswer) {
        if (far) {
            ++beyondDiffering;
        } else {
            differs(query, nativeAnswers[i], wasmAnswer);
        }
    }
});

// Every problem's message, by the name the native side gives it; a name the
// core has not gets none.
const messages = (nativeAnswers[queries.length] ?? '').split(' ');
if (other) {
    // The other side names every problem with its message in one line too.
    if (otherMessages !== nativeAnswers[queries.length]) {
        differs('M', nativeAnswers[queries.length], otherMessages);
    }
} else {
    for (let i = 0; i + 2 < messages.length; i += 3) {
        const message = core.messageFor(messages[i]);
        const wasmAnswer = message
            ? shaped(message, 'prompt title', () => messageAnswer(messages[i], message)) : 'null';
        if (messages.slice(i, i + 3).join(' ') !== wasmAnswer) {
            differs(`messageFor ${messages[i]}`, messages.slice(i, i + 3).join(' '), wasmAnswer);
        }
    }
    if (core.messageFor('Onbekend') !== null) {
        differs('messageFor Onbekend', 'null', JSON.stringify(core.messageFor('Onbekend')));
    }

    // A method called with too few or too many arguments, or with anything but a
    // string where it takes a text, throws a TypeError, and the core answers the
    // next click as ever.
    const usual = outcomeAnswer(core.concentricLengths({angle: '30', offset: '500'}, ','));
    const misuses = {
        'no separator': () => core.concentricLengths({angle: '30', offset: '500'}),
        'one argument too many':
            () => core.concentricLengths({angle: '30', offset: '500'}, ',', ','),
        'a number as separator': () => core.concentricLengths({angle: '30', offset: '500'}, 44),
        'a number as count text': () => core.steppedCount(5, 1, ','),
        'null as print text': () => core.checkWindowPrint('', '', '', null),
        'no name': () => core.messageFor(),
        'a String object as angle text': () => core.singleWallDiameterList(new String('30')),
        'an argument to a list': () => core.sectionCountList(','),
    };
    for (const [misuse, call] of Object.entries(misuses)) {
        let outcome = 'no error';
        try {
            call();
        } catch (error) {
            outcome = error instanceof TypeError ? 'TypeError' : String(error);
        }
        const after = outcomeAnswer(core.concentricLengths({angle: '30', offset: '500'}, ','));
        if (outcome !== 'TypeError' || after !== usual) {
            differs(misuse, `TypeError, then ${usual}`, `${outcome}, then ${after}`);
        }
    }
}

const reached = new Set(queries.map(([, wasmAnswer]) => /^problem (\w+)/.exec(wasmAnswer)?.[1])
    .filter((name) => name !== undefined));
console.log(`${queries.length} clicks, ${reached.size} of ${messages.length / 3} problems `
    + `reached, ${differing} answered differently`
    + (other ? `; ${beyondDiffering} of the ${beyondClicks} beyond 1e15 answered differently`
        : ''));
if (differing > 0 || nativeAnswers.length !== queries.length + 2 || messages.length < 3) {
    console.error('the cores disagree');
    process.exit(1);
}
