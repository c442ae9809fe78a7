// Cold load of the web edition from localhost in headless Chromium: the time
// from the start of navigation until the first calculation can run, and the
// bytes the browser received, served by nginx with the project's
// configuration (compressed copies made at build time), as a firm serves
// them. Run by hand (bench/web_load.sh builds the site first), never by CI.
//
//   node bench/web_load.mjs SITE_FOLDER [RUNS]

import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { startServer } from '../tests/web/server.mjs';

const require = createRequire(fileURLToPath(new URL('../tests/web/package.json', import.meta.url)));
const { chromium } = require('playwright-core');

const [site, runsText = '15'] = process.argv.slice(2);
if (!site) {
    console.error('usage: node bench/web_load.mjs SITE_FOLDER [RUNS]');
    process.exit(2);
}
const runs = Number(runsText);

const server = await startServer(site);
const address = server.base;
const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

const times = [];
let bytes = 0;
let files = 0;
for (let run = 0; run < runs; run += 1) {
    // A new context each time: empty HTTP cache, no service worker.
    const context = await browser.newContext({ serviceWorkers: 'block' });
    const page = await context.newPage();
    await page.goto(address);
    await page.waitForSelector('body[data-state="ready"]');
    const measured = await page.evaluate(() => {
        const entries = [...performance.getEntriesByType('navigation'),
            ...performance.getEntriesByType('resource')];
        return {
            ready: performance.getEntriesByName('offset-ready')[0].startTime,
            bytes: entries.reduce((sum, entry) => sum + entry.transferSize, 0),
            files: entries.length,
        };
    });
    times.push(measured.ready);
    bytes = measured.bytes;
    files = measured.files;
    await context.close();
}
await browser.close();
await server.stop();

times.sort((a, b) => a - b);
const at = (share) => times[Math.min(times.length - 1, Math.floor(share * times.length))];
console.log(`cold load until a calculation can run, ${runs} runs: `
    + `median ${at(0.5).toFixed(0)} ms, fastest ${times[0].toFixed(0)} ms, `
    + `slowest ${times[times.length - 1].toFixed(0)} ms (aim: 300 ms)`);
console.log(`transferred: ${(bytes / 1024).toFixed(1)} KiB in ${files} responses, gzip `
    + '(aim: under 250 KB)');
