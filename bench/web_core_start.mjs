// What a build of the web core costs the page: its bytes (offsetcore.js and
// offsetcore.wasm, raw and gzip -9) and its start, from a WebAssembly.Module
// compiled already to a core that has answered one click, as the page starts
// it (the module handed over through instantiateWasm). Under Node, each start
// in a process of its own; in Debian's Chromium, each in a page of its own.
// The builds take turns, so that both meet the same machine. After the start,
// the mean time of a click and of a plan. Run by hand, never by CI.
//
//   node bench/web_core_start.mjs [--rounds N] LABEL=FOLDER...
//
// Each FOLDER holds a built core, e.g. web/bindings of a web preset build
// (cmake --preset web -B /tmp/web && cmake --build /tmp/web --target
// offsetcore); to compare with an earlier way of building, build an older
// commit into another folder. Chromium is driven by playwright-core from
// tests/web (cd tests/web && npm ci, once).

import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

const files = ['offsetcore.js', 'offsetcore.wasm'];

// Starts the core in the current realm and times it; then clicks and plans.
// Runs as it is in Node and, turned into text, in the browser.
async function timeStart(moduleUrl, wasmModule) {
    const started = performance.now();
    const { default: createOffsetCore } = await import(moduleUrl);
    const imported = performance.now();
    const core = await createOffsetCore({
        locateFile: (name) => name,
        instantiateWasm(imports, receiveInstance) {
            WebAssembly.instantiate(wasmModule, imports)
                .then((instance) => receiveInstance(instance, wasmModule));
            return {};
        },
    });
    const answer = core.concentricLengths({ angle: '30', offset: '500' }, ',');
    const answered = performance.now();
    if (typeof answer.written?.txtLengte !== 'string') {
        throw new Error(`no answer: ${JSON.stringify(answer)}`);
    }
    const mean = (count, call) => {
        const from = performance.now();
        for (let i = 0; i < count; ++i) {
            call(i);
        }
        return (performance.now() - from) / count;
    };
    return {
        start: answered - started,
        importing: imported - started,
        click: mean(20000, (i) => core.concentricLengths({ angle: '30', offset: String(i) }, ',')),
        plan: mean(200, (i) => core.planOffset(
            { system: 'singlewall', diameter: '150', offset: String(500 + i) }, ',')),
    };
}

// ---- one start under Node, in a process of its own -------------------------------
if (process.argv[2] === '--child') {
    const folder = process.argv[3];
    const wasmModule = await WebAssembly.compile(readFileSync(join(folder, 'offsetcore.wasm')));
    const url = pathToFileURL(join(folder, 'offsetcore.js')).href;
    console.log(JSON.stringify(await timeStart(url, wasmModule)));
    process.exit(0);
}

const args = process.argv.slice(2);
let rounds = 15;
if (args[0] === '--rounds') {
    rounds = Number(args[1]);
    args.splice(0, 2);
}
const builds = args.map((arg) => {
    const at = arg.indexOf('=');
    return { label: arg.slice(0, at), folder: arg.slice(at + 1) };
});
if (builds.length === 0 || builds.some(({ label, folder }) => !label || !folder) || !(rounds > 0)) {
    console.error('usage: node bench/web_core_start.mjs [--rounds N] LABEL=FOLDER...');
    process.exit(2);
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

// ---- bytes --------------------------------------------------------------------------
for (const build of builds) {
    build.bytes = files.map((file) => {
        const content = readFileSync(join(build.folder, file));
        return { raw: content.length, gzip: gzipSync(content, { level: 9 }).length };
    });
    build.node = [];
    build.chromium = [];
}

// ---- Node -------------------------------------------------------------------------------
const self = fileURLToPath(import.meta.url);
for (let round = 0; round < rounds; ++round) {
    for (const build of round % 2 ? [...builds].reverse() : builds) {
        const output = execFileSync(process.execPath, [self, '--child', build.folder],
            { encoding: 'utf8' });
        build.node.push(JSON.parse(output));
    }
}

// ---- Chromium ---------------------------------------------------------------------------
let chromium;
try {
    const require = createRequire(fileURLToPath(new URL('../tests/web/package.json', import.meta.url)));
    ({ chromium } = require('playwright-core'));
} catch {
    console.error('playwright-core is missing (cd tests/web && npm ci): Chromium is left out');
}
if (chromium) {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });
    // The builds' files, served from disk under an address of their own.
    const origin = 'http://core-bench.localhost';
    const context = await browser.newContext({ serviceWorkers: 'block' });
    await context.route(`${origin}/**`, (route) => {
        const path = new URL(route.request().url()).pathname.split('/');
        if (path.length === 3 && builds[Number(path[1])] && files.includes(path[2])) {
            const type = path[2].endsWith('.js') ? 'text/javascript' : 'application/wasm';
            return route.fulfill({ contentType: type,
                body: readFileSync(join(builds[Number(path[1])].folder, path[2])) });
        }
        return route.fulfill({ contentType: 'text/html', body: '<!doctype html><title>core</title>' });
    });
    for (let round = 0; round < rounds; ++round) {
        for (const build of round % 2 ? [...builds].reverse() : builds) {
            const page = await context.newPage();
            await page.goto(`${origin}/`);
            // The module's text is fetched first: the start is timed from its import.
            build.chromium.push(await page.evaluate(`(async () => {
                const base = '${origin}/${builds.indexOf(build)}';
                const wasmModule = await WebAssembly.compileStreaming(fetch(base + '/offsetcore.wasm'));
                const text = await (await fetch(base + '/offsetcore.js')).text();
                const url = URL.createObjectURL(new Blob([text], { type: 'text/javascript' }));
                return (${timeStart})(url, wasmModule);
            })()`));
            await page.close();
        }
    }
    await browser.close();
}

// ---- report -----------------------------------------------------------------------------
const kb = (bytes) => (bytes / 1000).toFixed(1);
const ms = (values, key) => (values.length ? median(values.map((v) => v[key])).toFixed(2) : '-');
const us = (values, key) => (values.length ? (median(values.map((v) => v[key])) * 1000).toFixed(1) : '-');
console.log(`${rounds} rounds; sizes in kB (1000 bytes), times the median of the rounds`);
console.log(['build', 'js raw/gz', 'wasm raw/gz', 'total raw/gz',
    'node start ms (import)', 'chromium start ms (import)',
    'click us node/chromium', 'plan us node/chromium'].join(' | '));
for (const { label, bytes, node, chromium: browserTimes } of builds) {
    const [js, wasm] = bytes;
    console.log([label, `${kb(js.raw)}/${kb(js.gzip)}`, `${kb(wasm.raw)}/${kb(wasm.gzip)}`,
        `${kb(js.raw + wasm.raw)}/${kb(js.gzip + wasm.gzip)}`,
        `${ms(node, 'start')} (${ms(node, 'importing')})`,
        `${ms(browserTimes, 'start')} (${ms(browserTimes, 'importing')})`,
        `${us(node, 'click')}/${us(browserTimes, 'click')}`,
        `${us(node, 'plan')}/${us(browserTimes, 'plan')}`].join(' | '));
}
