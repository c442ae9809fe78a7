// Cold load of the web edition from localhost in headless Chromium, beside
// two floors measured in the same run:
//
//   empty page  a minimal HTML document: what any page costs, until its load
//               event;
//   core only   a minimal HTML document with one module script that imports
//               the core's loader (offsetcore.js, whose offsetcore.wasm it
//               fetches itself), awaits it, calls it once and marks
//               'offset-ready': the least a page that calculates can do;
//   our page    the site's index.html, until it marks 'offset-ready', which
//               it does once a calculation can run.
//
// All three come from one temporary copy of the site folder, with the floor
// pages added under names of their own (floor-empty.html, floor-core.html,
// and the core's files in floor/), served by nginx with the project's
// configuration (tests/web/server.mjs), text files beside their gzip copies,
// as a firm serves them. The floor pages use no inline script or style, so
// that they load under whatever policy the server sends.
//
// Each visit is a fresh browser context (empty HTTP cache, service workers
// blocked). Rounds visit each page once, the first page of a round moving
// on by one each round, so that a machine getting busier weighs on each
// alike; one untimed round goes first, so that all find nginx and the browser
// started. Times run from the start of navigation. The responses and bytes
// come from the page's own resource timing (the navigation and every
// resource): "before ready" counts those whose response started before the
// mark, "whole page" all of them once the load event has passed and the
// network has been idle for 500 ms (diagrams and icons may come after the
// mark). Responses the browser got that resource timing does not list are
// named below the table.
//
// Run by hand (bench/web_load.sh builds the site first), never by CI:
//
//   node bench/web_load.mjs SITE_FOLDER CORE_FOLDER [RUNS]
//
// CORE_FOLDER holds the offsetcore.js and offsetcore.wasm the build made.

import { copyFile, cp, mkdir, mkdtemp, readFile, rm, stat, writeFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { startServer } from '../tests/web/server.mjs';

const require = createRequire(fileURLToPath(new URL('../tests/web/package.json', import.meta.url)));
const { chromium } = require('playwright-core');

const usage = 'usage: node bench/web_load.mjs SITE_FOLDER CORE_FOLDER [RUNS]';
const [site, coreFolder, runsText = '15'] = process.argv.slice(2);
if (!site || !coreFolder || !/^[1-9][0-9]*$/.test(runsText)) {
    console.error(usage);
    process.exit(2);
}
const runs = Number(runsText);

// The aims for our page.
const timeLimit = 1.3; // times the core-only page
const responseLimit = 4; // responses before ready
const byteLimit = 50 * 1024; // the whole page, compressed

const readyTimeoutMs = 30000;
const idleMs = 500;
const idleTimeoutMs = 30000;

const floorFiles = {
    'floor-empty.html': `<!DOCTYPE html>
<html lang="nl">
<meta charset="utf-8">
<title>Leeg</title>
<p>Leeg</p>
`,
    'floor-core.html': `<!DOCTYPE html>
<html lang="nl">
<meta charset="utf-8">
<title>Kern</title>
<script type="module" src="floor/core-once.js"></script>
<p>Kern</p>
`,
    'floor/core-once.js': `import createOffsetCore from './offsetcore.js';

try {
    const core = await createOffsetCore();
    if (core.concentricAngleList().length === 0) {
        throw new Error('the core answered with no angles');
    }
    performance.mark('offset-ready');
} catch (error) {
    document.body.textContent = String(error);
    document.body.dataset.state = 'failed';
}
`,
};

// Writes a gzip copy beside a text file, as the site's build does: kept only
// when it is smaller.
async function addGzipCopy(path) {
    const content = await readFile(path);
    const compressed = gzipSync(content, { level: 9 });
    if (compressed.length < content.length) {
        await writeFile(`${path}.gz`, compressed);
    }
}

async function exists(path) {
    try {
        await stat(path);
        return true;
    } catch {
        return false;
    }
}

// The copy of the site with the floor pages added; nothing of the site is
// overwritten (a name it uses already stops the run).
async function prepareSite(folder) {
    await cp(site, folder, { recursive: true, dereference: true });
    const added = [...Object.keys(floorFiles), 'floor/offsetcore.js', 'floor/offsetcore.wasm'];
    for (const name of added) {
        if (await exists(join(folder, name))) {
            throw new Error(`the site has a ${name} of its own; the floor pages need other names`);
        }
    }
    await mkdir(join(folder, 'floor'));
    for (const [name, text] of Object.entries(floorFiles)) {
        await writeFile(join(folder, name), text);
    }
    for (const name of ['offsetcore.js', 'offsetcore.wasm']) {
        await copyFile(join(coreFolder, name), join(folder, 'floor', name));
    }
    for (const name of added) {
        await addGzipCopy(join(folder, name));
    }
}

const pages = [
    { key: 'empty', name: 'empty page', path: 'floor-empty.html', marks: false },
    { key: 'core', name: 'core only', path: 'floor-core.html', marks: true },
    { key: 'ours', name: 'our page', path: '', marks: true },
];

// Resolves once no request has been open and none has begun or ended for
// idleMs; rejects when the network is still busy after idleTimeoutMs.
function networkIdle(tracker, name) {
    const since = performance.now();
    return new Promise((resolve, reject) => {
        const look = () => {
            const now = performance.now();
            if (tracker.open === 0 && now - tracker.last >= idleMs) {
                resolve();
            } else if (now - since > idleTimeoutMs) {
                reject(new Error(`${name}: the network was not idle within ${idleTimeoutMs} ms`));
            } else {
                setTimeout(look, 50);
            }
        };
        look();
    });
}

// One cold visit; what the page's timing says about it.
async function visit(browser, base, page) {
    const context = await browser.newContext({ serviceWorkers: 'block' });
    try {
        const tab = await context.newPage();
        const problems = [];
        tab.on('pageerror', (error) => problems.push(String(error)));
        tab.on('console', (message) => {
            if (message.type() === 'error') {
                problems.push(message.text());
            }
        });
        const tracker = { open: 0, last: performance.now(), seen: [] };
        const begun = () => { tracker.open += 1; tracker.last = performance.now(); };
        const ended = () => { tracker.open -= 1; tracker.last = performance.now(); };
        context.on('request', begun);
        context.on('requestfinished', ended);
        context.on('requestfailed', ended);
        context.on('response', (response) => {
            tracker.seen.push({ url: response.url(), status: response.status() });
        });

        const response = await tab.goto(base + page.path, { waitUntil: 'load' });
        if (!response || !response.ok()) {
            throw new Error(`${page.name}: ${base + page.path} answered ${response?.status()}`);
        }
        if (page.marks) {
            try {
                await tab.waitForFunction(() => performance.getEntriesByName('offset-ready').length > 0
                    || document.body?.dataset.state === 'failed', null, { timeout: readyTimeoutMs });
            } catch {
                throw new Error(`${page.name}: no 'offset-ready' within ${readyTimeoutMs} ms`
                    + `${problems.length ? `:\n  ${problems.join('\n  ')}` : ''}`);
            }
            if (await tab.evaluate(() => document.body.dataset.state === 'failed')) {
                throw new Error(`${page.name}: the page failed: `
                    + `${[await tab.evaluate(() => document.body.textContent.trim().slice(0, 300)),
                        ...problems].join('\n  ')}`);
            }
        }
        await networkIdle(tracker, page.name);

        const timing = await tab.evaluate(() => {
            const [navigation] = performance.getEntriesByType('navigation');
            const mark = performance.getEntriesByName('offset-ready')[0];
            const entries = [navigation, ...performance.getEntriesByType('resource')];
            return {
                ready: mark ? mark.startTime : navigation.loadEventStart,
                entries: entries.map((entry) => ({
                    url: entry.name,
                    responseStart: entry.responseStart,
                    transferSize: entry.transferSize,
                })),
            };
        });
        const before = timing.entries.filter((entry) => entry.responseStart < timing.ready);
        const listed = new Set(timing.entries.map((entry) => entry.url));
        const sum = (entries) => entries.reduce((total, entry) => total + entry.transferSize, 0);
        return {
            ready: timing.ready,
            responsesBefore: before.length,
            bytesBefore: sum(before),
            responses: timing.entries.length,
            bytes: sum(timing.entries),
            unlisted: tracker.seen.filter((seen) => !listed.has(seen.url))
                .map((seen) => `${new URL(seen.url).pathname} (${seen.status})`),
        };
    } finally {
        await context.close();
    }
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const spread = (values, format) => {
    const low = Math.min(...values);
    const high = Math.max(...values);
    return low === high ? format(low) : `${format(median(values))} (${format(low)}-${format(high)})`;
};
const kib = (bytes) => (bytes / 1024).toFixed(1);

const loadAverage = async () => (await readFile('/proc/loadavg', 'utf8')).split(' ').slice(0, 3).join(' ');

const work = await mkdtemp(join(tmpdir(), 'offset-web-load-'));
let server;
let browser;
try {
    const folder = join(work, 'site');
    await prepareSite(folder);
    server = await startServer(folder);
    browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    });

    const results = Object.fromEntries(pages.map((page) => [page.key, []]));
    for (const page of pages) {
        await visit(browser, server.base, page);
    }
    process.stdout.write(`${runs} rounds, load average ${await loadAverage()} `);
    for (let round = 0; round < runs; round += 1) {
        for (let step = 0; step < pages.length; step += 1) {
            const page = pages[(round + step) % pages.length];
            results[page.key].push(await visit(browser, server.base, page));
        }
        process.stdout.write('.');
    }
    console.log(` load average at the end ${await loadAverage()}`);

    const coreMedian = median(results.core.map((result) => result.ready));
    console.log(`\n${'page'.padEnd(11)} ${'median ms'.padStart(9)} ${'fastest'.padStart(8)} `
        + `${'slowest'.padStart(8)} ${'x core'.padStart(7)}  ${'responses before ready'.padEnd(24)}`
        + `${'KiB before ready'.padEnd(18)}whole page: responses, KiB`);
    for (const page of pages) {
        const own = results[page.key];
        const times = own.map((result) => result.ready);
        console.log(`${page.name.padEnd(11)} ${median(times).toFixed(0).padStart(9)} `
            + `${Math.min(...times).toFixed(0).padStart(8)} ${Math.max(...times).toFixed(0).padStart(8)} `
            + `${(median(times) / coreMedian).toFixed(2).padStart(7)}  `
            + `${spread(own.map((result) => result.responsesBefore), String).padEnd(24)}`
            + `${spread(own.map((result) => result.bytesBefore), kib).padEnd(18)}`
            + `${spread(own.map((result) => result.responses), String)}, `
            + `${spread(own.map((result) => result.bytes), kib)}`);
    }
    console.log("(the empty page is timed to its load event, the others to 'offset-ready')");

    for (const page of pages) {
        const unlisted = [...new Set(results[page.key].flatMap((result) => result.unlisted))];
        if (unlisted.length > 0) {
            console.log(`${page.name}: also answered, not in its resource timing: ${unlisted.join(', ')}`);
        }
    }

    const ours = results.ours;
    const ratio = median(ours.map((result) => result.ready)) / coreMedian;
    const responses = median(ours.map((result) => result.responsesBefore));
    const bytes = median(ours.map((result) => result.bytes));
    console.log();
    console.log(`our page: ready ${ratio.toFixed(2)} x the core-only page, `
        + `${ratio <= timeLimit ? 'within' : 'ABOVE'} ${timeLimit} x`);
    console.log(`our page: ${responses} responses before ready, `
        + `${responses <= responseLimit ? 'within' : 'ABOVE'} ${responseLimit}`);
    console.log(`our page: ${kib(bytes)} KiB compressed in all, `
        + `${bytes < byteLimit ? 'under' : 'NOT under'} ${byteLimit / 1024} KiB`);
} finally {
    await browser?.close();
    await server?.stop();
    await rm(work, { recursive: true, force: true });
}
