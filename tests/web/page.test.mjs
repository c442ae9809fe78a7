// The page around the calculators: printing, working offline, accessibility,
// the layout at phone and desktop widths, the manifest, and a core that
// cannot be loaded.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, it } from 'node:test';
import { serve } from '../../scripts/serve-web.mjs';
import { openApp, site, state, useBrowser } from './harness.mjs';

useBrowser();
const axeSource = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

async function withTempDir(body) {
    const dir = await mkdtemp(join(tmpdir(), 'offset-web-test-'));
    try {
        return await body(dir);
    } finally {
        await rm(dir, { recursive: true, force: true });
    }
}

// Prints the page as it stands, after a click on a print button, into a PDF;
// gives its text laid out as on paper and its number of pages.
async function printed(tab) {
    return withTempDir(async (dir) => {
        const pdf = join(dir, 'page.pdf');
        await tab.page.pdf({ path: pdf, format: 'A4', preferCSSPageSize: true });
        const text = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' });
        // In reading order, block by block, for texts that wrap beside others.
        const words = execFileSync('pdftotext', [pdf, '-'], { encoding: 'utf8' })
            .replace(/\s+/g, ' ');
        const pages = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [pdf],
            { encoding: 'utf8' }))[1]);
        const fonts = execFileSync('pdffonts', [pdf], { encoding: 'utf8' });
        return { text, words, pages, fonts };
    });
}

// Counts what reaches the browser's print dialog instead of opening it.
async function catchPrints(tab) {
    await tab.page.evaluate(() => {
        window.printCalls = 0;
        window.print = () => { window.printCalls += 1; };
    });
}
const printCalls = (tab) => tab.page.evaluate(() => window.printCalls);

describe('printing', () => {
    it('Test prints the report text alone, its values in one column, fixed pitch', async () => {
        const tab = await openApp('desktop');
        await tab.calculate('twin', { angle: '30', offset: '500' });
        await catchPrints(tab);
        await tab.click('cmdTest');
        assert.equal(await printCalls(tab), 1);
        await tab.page.emulateMedia({ media: 'print' });
        const fontSize = await tab.page.locator('#report').evaluate(
            (report) => parseFloat(getComputedStyle(report).fontSize));
        assert.ok(Math.abs(fontSize - (14 * 96) / 72) < 0.01, `report at ${fontSize} px`);
        const { text, pages, fonts } = await printed(tab);
        assert.equal(pages, 1);
        assert.match(text, /Kestravon Versleping Concentrisch systeem/);
        assert.match(text, /Aan deze waarden kunnen geen rechten worden ontleent/);
        assert.doesNotMatch(text, /Bereken|Enkelwandig|Concentrisch 100\/150/);
        assert.match(fonts, /Mono|Courier/i);
        const rows = [['Hoek in graden:', '30'], ['Lengte horizontale- versleping in mm:', '500'],
            ['A:', '76'], ['B:', '41'], ['Lengte tussen de bochten in mm:', '883'],
            ['Lengte van de verticale versleping in mm:', '1013']];
        const lines = text.split('\n');
        const captionColumns = new Set();
        const valueColumns = new Set();
        for (const [caption, value] of rows) {
            const line = lines.find((candidate) => candidate.trimStart().startsWith(caption));
            assert.ok(line, `report line ${caption}`);
            assert.ok(line.trimEnd().endsWith(value), line);
            captionColumns.add(line.indexOf(caption));
            valueColumns.add(line.trimEnd().length - value.length);
        }
        assert.equal(captionColumns.size, 1, 'captions in one column');
        assert.equal(valueColumns.size, 1, 'values in one column');
        assert.equal([...valueColumns][0] - [...captionColumns][0], 45);
        await tab.close();
    });

    it('Test prints nothing while the angle or offset shown differs from what was calculated', async () => {
        const tab = await openApp('desktop');
        await tab.calculate('twin', { angle: '30', offset: '500' });
        await catchPrints(tab);
        await tab.type('txtHorVersleping', '1200');
        await tab.click('cmdTest');
        assert.deepEqual(await tab.message(), ['Let op!', 'Druk eerst op Bereken']);
        assert.equal(await printCalls(tab), 0);
        assert.equal(await tab.page.locator('#report').textContent(), '');
        await tab.page.keyboard.press('Enter');
        await tab.click('cmdBereken');
        await tab.click('cmdTest');
        assert.equal(await tab.message(), null);
        assert.equal(await printCalls(tab), 1);
        assert.match(await tab.page.locator('#report').textContent(), /1200/);
        await tab.close();
    });

    // What is shown when Printen is clicked; whether it prints.
    const printCases = [
        ['nothing calculated', null, false],
        ['mode 1 shown', { angle: '45', diameter: '125', offset: '500' }, true],
        ['mode 1 showing e', { angle: '45', diameter: '125', offset: '0' }, true],
        ['mode 2 shown', 'mode2', true],
    ];
    for (const kind of ['phone', 'desktop']) {
        for (const [name, shown, prints] of printCases) {
            it(`Printen at ${kind} size, ${name}`, async () => {
                const tab = await openApp(kind);
                if (shown === 'mode2') {
                    await tab.show('solo');
                    await tab.pick('cmbHoek2', '45');
                    await tab.pick('cmbDiameter2', '125');
                    await tab.click('cmdBereken2');
                } else if (shown) {
                    await tab.calculate('solo', shown);
                } else {
                    await tab.show('solo');
                }
                await catchPrints(tab);
                await tab.click('cmdPrinten');
                assert.equal(await printCalls(tab), prints ? 1 : 0);
                assert.deepEqual(await tab.message(), prints ? null : ['Let Op!', 'Voer waarden in']);
                if (prints) {
                    const { text, words, pages } = await printed(tab);
                    assert.equal(pages, 1);
                    for (const shownText of ['Kestravon Versleping Enkelwandig', 'Hoek in graden:',
                        'Elke Kestravon sectie heeft een insteekmaat van 50mm.', 'Horizontale versleping']) {
                        assert.ok(words.includes(shownText), shownText);
                    }
                    assert.doesNotMatch(text, /Printen|Concentrisch/);
                }
                await tab.close();
            });
        }
    }
});

describe('offline', () => {
    it('loads and calculates without a network once opened; a new version replaces the cache', async () => {
        await withTempDir(async (dir) => {
            await cp(site, dir, { recursive: true });
            const server = await serve(dir, 0);
            const base = `http://127.0.0.1:${server.address().port}/`;
            try {
                const tab = await openApp('phone', { base, serviceWorkers: 'allow' });
                const cacheNames = () => tab.page.evaluate(async () => {
                    await navigator.serviceWorker.ready;
                    return caches.keys();
                });
                await tab.page.waitForFunction(() => navigator.serviceWorker.controller !== null);
                const [first] = await cacheNames();
                assert.match(first, /^offset-web-/);

                await tab.page.context().setOffline(true);
                await tab.page.reload();
                await tab.page.waitForSelector('body[data-state="ready"]');
                await tab.calculate('twin', { angle: '30', offset: '500' });
                assert.deepEqual(await tab.values(['txtA', 'txtB', 'txtLengte', 'txtHoogte']),
                    ['76', '41', '883', '1013']);

                // The next version on the server; the next visit takes it over.
                const worker = join(dir, 'sw.js');
                const source = await readFile(worker, 'utf8');
                await writeFile(worker, source.replace(/const version = '([^']*)'/,
                    "const version = '$1-next'"));
                await tab.page.context().setOffline(false);
                await tab.page.reload();
                await tab.page.waitForFunction(async (old) => {
                    const names = await caches.keys();
                    return names.length === 1 && names[0] !== old;
                }, first);
                await tab.close();
            } finally {
                await new Promise((done) => server.close(done));
            }
        });
    });
});

describe('layout and accessibility', () => {
    const widths = [
        ['phone', 320, true], ['phone', 360, true], ['desktop', 750, false], ['desktop', 1280, false],
    ];
    for (const [kind, width, phone] of widths) {
        it(`at ${width} px: no sideways scrolling, ${phone ? 'thumb-sized' : 'like the window'}, no axe violations`, async () => {
            const tab = await openApp(kind);
            await tab.page.setViewportSize({ width, height: phone ? 740 : 800 });
            await tab.page.addScriptTag({ path: axeSource });
            for (const prefix of ['twin', 'solo']) {
                await tab.show(prefix);
                const layout = await tab.page.evaluate((panel) => {
                    const box = (element) => element.getBoundingClientRect();
                    const visible = (element) => element.offsetParent !== null;
                    const controls = [...document.querySelectorAll(
                        `[role="tab"], #${panel} :is(button, select, input, output)`)].filter(visible);
                    const texts = [...document.querySelectorAll(`#${panel} :is(label, .note)`)];
                    return {
                        overflow: document.documentElement.scrollWidth
                            - document.documentElement.clientWidth,
                        smallest: Math.min(...controls.map((element) => box(element).height)),
                        narrowest: Math.min(...controls.map((element) => box(element).width)),
                        fontSize: Math.min(...texts.map((element) => parseFloat(getComputedStyle(element).fontSize))),
                        diagramLeft: box(document.querySelector(`#${panel} .diagram`)).left,
                        calculatorsRight: box(document.querySelector(`#${panel} .calculators`)).right,
                    };
                }, prefix);
                assert.ok(layout.overflow <= 0, `${prefix}: ${layout.overflow} px sideways`);
                if (phone) {
                    assert.ok(layout.smallest >= 44 && layout.narrowest >= 44,
                        `${prefix}: target ${layout.narrowest}x${layout.smallest}`);
                    assert.ok(layout.fontSize >= 16, `${prefix}: text ${layout.fontSize} px`);
                } else {
                    assert.ok(layout.diagramLeft >= layout.calculatorsRight, `${prefix}: diagram right`);
                }
                const { violations } = await tab.page.evaluate(() => window.axe.run());
                assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`),
                    [], prefix);
            }
            // The message box too.
            await tab.click('cmdBereken');
            const { violations } = await tab.page.evaluate(() => window.axe.run());
            assert.deepEqual(violations.map((v) => v.id), [], 'message');
            await tab.close();
        });
    }

    it('is installable: manifest with our icon, standalone', async () => {
        const tab = await openApp('desktop');
        const manifest = await (await tab.page.request.get(`${state.base}manifest.webmanifest`)).json();
        assert.equal(manifest.display, 'standalone');
        for (const icon of manifest.icons) {
            assert.equal((await tab.page.request.get(state.base + icon.src)).status(), 200, icon.src);
        }
        await tab.close();
    });
});

describe('without the core', () => {
    it('says so in plain Dutch text and shows no controls', async () => {
        const context = await state.browser.newContext({ serviceWorkers: 'block' });
        const page = await context.newPage();
        await page.route('**/offsetcore.wasm', (route) => route.abort());
        await page.goto(state.base);
        await page.waitForSelector('body[data-state="failed"]');
        assert.match(await page.locator('#status').textContent(), /rekenmodule kon niet worden geladen/);
        assert.ok(await page.locator('#status').isVisible());
        assert.equal(await page.locator('button:visible, select:visible, input:visible').count(), 0);
        await context.close();
    });
});
