// A plan in the page, in headless Chromium: the core's plan as the Plannen
// tab calls it, over both systems, every diameter and a range of measured
// offsets; and a press of Plannen until the plan is written and laid out
// (the page's own "offset-plan" measure). Run by hand, never by CI; the aim
// is under 5 ms per plan. Build the site first (bench/web_load.sh does, or
// cmake --build --preset web).
//
//   node bench/web_plan.mjs SITE_FOLDER [ROUNDS]

import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { startServer } from '../tests/web/server.mjs';

const require = createRequire(fileURLToPath(new URL('../tests/web/package.json', import.meta.url)));
const { chromium } = require('playwright-core');

const [site, roundsText = '5'] = process.argv.slice(2);
if (!site) {
    console.error('usage: node bench/web_plan.mjs SITE_FOLDER [ROUNDS]');
    process.exit(2);
}

const server = await startServer(site);
const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const context = await browser.newContext({ serviceWorkers: 'block', locale: 'nl-NL',
    viewport: { width: 360, height: 740 }, isMobile: true });
const page = await context.newPage();
await page.goto(`${server.base}#plannen`);
await page.waitForSelector('body[data-state="ready"]');

// Per round, the mean time of one plan; the first round is the cold one.
const rounds = await page.evaluate((count) => {
    const tab = window.offsetApp.plan;
    const offsets = ['0', '150', '612,5', '900', '1017', '2500', '6000', '30000'];
    const clicks = [];
    for (const offset of offsets) {
        clicks.push({ system: 'concentric', offset });
        for (const diameter of tab.core.everySingleWallDiameterList()) {
            clicks.push({ system: 'singlewall', diameter, offset });
        }
    }
    const means = [];
    for (let round = 0; round < count; round += 1) {
        const start = performance.now();
        for (const click of clicks) {
            tab.core.planOffset(click, tab.decimalSeparator);
        }
        means.push((performance.now() - start) / clicks.length);
    }
    return { plans: clicks.length, means };
}, Number(roundsText));

const presses = [];
for (const offset of ['900', '1017', '2500', '700', '150']) {
    await page.fill('#plan-txtHorVersleping', offset);
    await page.click('#plan-cmdPlannen');
    presses.push(await page.evaluate(() => performance.getEntriesByName('offset-plan').at(-1).duration));
}
await browser.close();
await server.stop();

const ms = (value) => `${value.toFixed(2)} ms`;
console.log(`core plan in the page, ${rounds.plans} plans a round: `
    + `${rounds.means.map(ms).join(', ')} each (aim: under 5 ms)`);
console.log(`press of Plannen until written and laid out: ${presses.map(ms).join(', ')}`);
