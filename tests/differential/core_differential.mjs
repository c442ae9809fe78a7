// The WebAssembly core answers exactly as the native one: the same queries go
// to core_answers (the core the windows link) and, through the JavaScript
// bindings, to offsetcore.wasm; every answer must match bit for bit.
//
//   node core_differential.mjs <folder of offsetcore.js> <core_answers>
//
// Offsets stay within 1e7 mm (10 km) and sloped lengths within about 2e6 mm.
// musl's libm (WebAssembly) and glibc's part in the last bit of sin 15 deg
// (0x1.0907dc1439915p-2, correctly rounded, against glibc's ...916p-2). A
// rounded length first comes out different at a whole offset of 25,799,691
// mm, a horizontal offset at a whole sloped length of 371,476,653 mm; no
// offset with two decimals up to 1 km, nor with four up to 10 m, is affected.
import {spawnSync} from 'node:child_process';
import {fileURLToPath} from 'node:url';
import {dirname, join} from 'node:path';

const here = dirname(fileURLToPath(import.meta.url));
const {loadOffsetCore} = await import(join(here, '../../web/bindings/load-in-node.mjs'));
const [bindings, native] = process.argv.slice(2);
const core = await loadOffsetCore(bindings);

// ---- encoding shared with core_answers ---------------------------------------
const view = new DataView(new ArrayBuffer(8));
const hex = (value) => {
    view.setFloat64(0, value);
    return view.getBigUint64(0).toString(16).padStart(16, '0');
};
const hexText = (text) => 'x' + Buffer.from(text, 'utf8').toString('hex');
const numberAnswer = (v) => `${hex(v)} ${core.formatWholeNumber(v)}`;
const listAnswer = (items) => ['list', ...items.map(hexText)].join(' ');
const bendAnswer = (bend) => (bend ? `${hex(bend.a)} ${hex(bend.b)}` : 'null');

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

// ---- the queries -----------------------------------------------------------------
const queries = []; // [line for core_answers, answer of the WebAssembly core]
const ask = (line, wasmAnswer) => queries.push([line, wasmAnswer]);

const lengths = (system, angle, offset, a, b) => ask(
    `L ${system} ${hex(angle)} ${hex(offset)} ${hex(a)} ${hex(b)}`, (() => {
        const r = core.lengthsFromOffset(system, angle, offset, a, b);
        return r ? `${numberAnswer(r.length)} ${numberAnswer(r.vertical)} ${r.negative ? 1 : 0}` : 'null';
    })());
const sections = (system, angle, n1000, n500, n250, a, b) => ask(
    `S ${system} ${[angle, n1000, n500, n250, a, b].map(hex).join(' ')}`, (() => {
        const r = core.offsetsFromSections(system, angle, n1000, n500, n250, a, b);
        return r ? `${numberAnswer(r.horizontal)} ${numberAnswer(r.vertical)}` : 'null';
    })());

// Every listed angle with its rows: the concentric row, and the single-wall
// row of every listed diameter (each distinct row once).
const rows = [];
for (const text of core.concentricAngleList()) {
    const angle = Number(text);
    rows.push({system: 'concentric', angle, ...core.lookupConcentricBend(angle)});
}
for (const text of core.singleWallAngleList()) {
    const angle = Number(text);
    const seen = new Set();
    for (const diameter of core.singleWallDiameterList(text)) {
        const bend = core.lookupSingleWallBend(Number(diameter), angle);
        if (!seen.has(`${bend.a}/${bend.b}`)) {
            seen.add(`${bend.a}/${bend.b}`);
            rows.push({system: 'singleWall', angle, ...bend});
        }
    }
}

for (const {system, angle, a, b} of rows) {
    for (let offset = -50; offset <= 20000; ++offset) {
        lengths(system, angle, offset, a, b);
    }
    for (let offset = 0.5; offset <= 4000.5; ++offset) {
        lengths(system, angle, offset, a, b);
    }
    for (let n1000 = 0; n1000 <= 10; ++n1000) {
        for (let n500 = 0; n500 <= 10; ++n500) {
            for (let n250 = 0; n250 <= 10; ++n250) {
                sections(system, angle, n1000, n500, n250, a, b);
            }
        }
    }
}

// Seeded random fractional and negative inputs at the listed rows, and
// angles and inputs no calculation can use.
const randomOffset = () => {
    const magnitude = pick([1e2, 1e4, 1e6, 1e7]);
    const offset = uniform(-magnitude, magnitude);
    return random() < 0.3 ? Math.round(offset * 2) / 2 : offset;
};
const randomCount = () => pick([Math.round(uniform(-10, 20)), uniform(-20, 20), uniform(-1e3, 1e3)]);
for (let i = 0; i < 20000; ++i) {
    const row = pick(rows);
    lengths(row.system, row.angle, randomOffset(), row.a, row.b);
    sections(row.system, row.angle, randomCount(), randomCount(), randomCount(), row.a, row.b);
}
for (const system of ['concentric', 'singleWall']) {
    for (const angle of [0, 90, -90, 360, NaN, Infinity]) {
        lengths(system, angle, 500, 76, 41);
        sections(system, angle, 1, 1, 1, 76, 41);
    }
    for (const odd of [NaN, Infinity, -Infinity, 1e308, -1e308]) {
        lengths(system, 30, odd, 76, 41);
        lengths(system, 30, 500, odd, 41);
        sections(system, 30, odd, 1, 1, 76, 41);
        sections(system, 30, 1, 1, 1, 76, odd);
    }
}

// Lookups over diameters 0 to 600 in half steps, at every listed angle and a
// few others, and the concentric table around its angles.
const lookupAngles = [...new Set([...core.singleWallAngleList(), ...core.concentricAngleList()].map(Number))]
    .concat([0, 10, 22.5, 44.999999, 60, 91, -30, 390, NaN]);
for (const angle of lookupAngles) {
    for (let diameter = 0; diameter <= 600; diameter += 0.5) {
        ask(`W ${hex(diameter)} ${hex(angle)}`, bendAnswer(core.lookupSingleWallBend(diameter, angle)));
    }
}
for (let angle = -10; angle <= 100; angle += 0.25) {
    for (const near of [angle, angle + 1e-9]) {
        ask(`C ${hex(near)}`, bendAnswer(core.lookupConcentricBend(near)));
    }
}
for (const text of ['15', '30', '45', '90', '43', '87', '', ' 30', '30,0', '30.0', '030', '٣٠']) {
    const list = core.singleWallDiameterList(text);
    ask(`D ${hexText(text)}`, list ? listAnswer(list) : 'null');
}
ask('T', [core.concentricAngleList(), core.singleWallAngleList(), core.sectionCountList()]
    .map(listAnswer).join(' ') + ' ' + hexText(core.negativeMarker()));

// Reading: a seeded corpus of good and bad texts under both separators.
const digits = (count) => Array.from({length: count}, () => pick('0123456789')).join('');
const goodText = (separator) => {
    const blanks = () => pick(['', '', ' ', '\t', '  ']);
    const whole = pick([digits(1), digits(3), digits(8), digits(17), digits(25), '0', '']);
    const fraction = pick(['', digits(1), digits(2), digits(12), digits(30)]);
    const body = fraction === '' && whole !== '' && random() < 0.5 ? whole
        : `${whole === '' && fraction === '' ? '0' : whole}${separator}${fraction}`;
    return blanks() + pick(['', '', '+', '-']) + body + blanks();
};
const pieces = ['0', '1', '5', '9', '12', ',', '.', ' ', '\t', '+', '-', 'e', 'E', 'x', 'inf', 'nan',
                '\u066b', '\u00a0', '\u0663', '\u00bd', '\u{1d7d8}'];
const badText = () => Array.from({length: Math.floor(uniform(0, 10))}, () => pick(pieces)).join('');
const texts = ['1' + '0'.repeat(308), '1' + '0'.repeat(309), '9'.repeat(310) + ',5',
               '0,' + '0'.repeat(400) + '1', '0,' + '0'.repeat(320) + '1', '9007199254740993',
               '0,1000000000000000055511151231257827', '2,2250738585072011e-308',
               '179769313486231580793728971405301' + '0'.repeat(276), '-0', '+,', ','];
for (let i = 0; i < 10000; ++i) {
    texts.push(goodText(','), goodText('.'), badText());
}
for (const text of texts) {
    for (const separator of [',', '.', '\u066b']) {
        const value = core.parseNumber(text, separator);
        ask(`P ${hexText(text)} ${hexText(separator)}`, value === null ? 'null' : hex(value));
    }
}

// Writing: whole numbers of every size and the fallback for anything else.
const formatted = [0, -0, 1, -1, 2 ** 53, 2 ** 53 + 2, 1e20, 1.7976931348623157e308, 5e-324, 0.1,
                   0.5, -2.5, 1e-5, 123.456, Infinity, -Infinity, NaN];
for (let i = 0; i < 5000; ++i) {
    formatted.push(Math.round(uniform(-1, 1) * 10 ** uniform(0, 300)), uniform(-1e6, 1e6),
                   uniform(-1, 1) * 10 ** uniform(-320, 300));
}
for (const value of formatted) {
    ask(`F ${hex(value)}`, hexText(core.formatWholeNumber(value)));
}

// The report, from the window's captions and from random texts.
const reportText = () => Array.from({length: Math.floor(uniform(0, 60))},
    () => pick(['a', 'Z', ' ', ':', '7', ',', '\u00b0', '\u00e9', '\u20ac', '\u{1d465}', '\t'])).join('');
for (let i = 0; i < 300; ++i) {
    const items = Array.from({length: 6}, () => ({caption: reportText(), value: reportText()}));
    const [angle, offset, a, b, length, vertical] = items;
    ask(`R ${items.map(({caption, value}) => `${hexText(caption)} ${hexText(value)}`).join(' ')}`,
        hexText(core.composeReport({angle, offset, a, b, length, vertical})));
}

// ---- compare -----------------------------------------------------------------------
const run = spawnSync(native, [], {input: queries.map(([line]) => line).join('\n') + '\n',
                                   maxBuffer: 1 << 30, encoding: 'utf8'});
if (run.status !== 0) {
    console.error(`${native} failed: ${run.error ?? run.stderr}`);
    process.exit(1);
}
const nativeAnswers = run.stdout.split('\n');
let differing = 0;
queries.forEach(([line, wasmAnswer], i) => {
    if (nativeAnswers[i] !== wasmAnswer) {
        if (++differing <= 10) {
            console.error(`differs: ${line}\n  native: ${nativeAnswers[i]}\n  wasm:   ${wasmAnswer}`);
        }
    }
});

// What only the bindings decide: an unknown system is refused, never guessed.
const refused = [core.lengthsFromOffset('concentrisch', 30, 500, 76, 41),
                 core.offsetsFromSections('', 30, 1, 1, 1, 76, 41)].filter((r) => r !== null);

console.log(`${queries.length} queries, ${differing} answered differently`);
if (differing > 0 || refused.length > 0 || nativeAnswers.length !== queries.length + 1) {
    console.error(refused.length > 0 ? 'an unknown system was not refused' : 'the cores disagree');
    process.exit(1);
}
