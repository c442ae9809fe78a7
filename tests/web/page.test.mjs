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
import { gzipSync } from 'node:zlib';
import { Tab, openApp, site, state, useBrowser } from './harness.mjs';
import { startServer } from './server.mjs';

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
        assert.deepEqual(await tab.problem(), ['Druk eerst op Bereken', 'twin-cmdTest']);
        assert.equal(await printCalls(tab), 0);
        assert.equal(await tab.page.locator('#report').textContent(), '');
        await tab.click('cmdBereken');
        await tab.click('cmdTest');
        assert.equal(await tab.problem(), null);
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
                assert.deepEqual(await tab.problem(), prints ? null : ['Voer waarden in', 'solo-cmdPrinten']);
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
            const server = await startServer(dir);
            const { base } = server;
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
                // An address of the site it has no file for opens the page.
                await tab.page.goto(`${base}nergens/te/vinden`);
                await tab.page.waitForSelector('body[data-state="ready"]');
                assert.equal(tab.page.url().split('#')[0], base);

                // The next version on the server, with its compressed copy as
                // the build makes it; the next visit takes it over.
                const worker = join(dir, 'sw.js');
                const source = (await readFile(worker, 'utf8')).replace(
                    /const version = '([^']*)'/, "const version = '$1-next'");
                await writeFile(worker, source);
                await writeFile(`${worker}.gz`, gzipSync(source));
                await tab.page.context().setOffline(false);
                await tab.page.reload();
                await tab.page.waitForFunction(async (old) => {
                    const names = await caches.keys();
                    return names.length === 1 && names[0] !== old;
                }, first);
                // The page still open from the old version offers the new one.
                const offer = tab.page.getByRole('button', { name: 'Nu laden' });
                await offer.waitFor();
                assert.match(await tab.page.locator('#update').textContent(), /Nieuwe versie beschikbaar/);
                await offer.click();
                await tab.page.waitForSelector('body[data-state="ready"] #update-offer[hidden]',
                    { state: 'attached' });
                await tab.close();
            } finally {
                await server.stop();
            }
        });
    });
});

describe('layout and accessibility', () => {
    // What a glove taps: its size, and the room around it.
    const targets = `[role="tab"], .panel:not([hidden]) :is(button, input:not([type="radio"]), label.choice)`;

    // Measured in the page: sideways scrolling, the smallest target, the
    // closest two targets, the smallest text, and where the diagram stands.
    const measure = (selector) => {
        const shown = (element) => element.checkVisibility();
        const box = (element) => element.getBoundingClientRect();
        const controls = [...document.querySelectorAll(selector)].filter(shown);
        let closest = [Infinity, ''];
        controls.forEach((a, index) => {
            for (const b of controls.slice(index + 1)) {
                const [p, q] = [box(a), box(b)];
                const apart = Math.max(q.left - p.right, p.left - q.right, q.top - p.bottom,
                    p.top - q.bottom);
                if (apart < closest[0]) {
                    closest = [apart, `${a.id || a.textContent} / ${b.id || b.textContent}`];
                }
            }
        });
        const texts = [];
        const walker = document.createTreeWalker(document.getElementById('app'), NodeFilter.SHOW_TEXT);
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
            if (node.textContent.trim() && shown(node.parentElement)) {
                texts.push(parseFloat(getComputedStyle(node.parentElement).fontSize));
            }
        }
        const panel = document.querySelector('.panel:not([hidden])');
        const sizes = controls.map((element) => box(element));
        return {
            overflow: document.documentElement.scrollWidth - document.documentElement.clientWidth,
            smallest: Math.min(...sizes.map((size) => Math.min(size.width, size.height))),
            closest,
            fontSize: Math.min(...texts),
            diagramLeft: box(panel.querySelector('.diagram')).left,
            modesRight: box(panel.querySelector('.modes')).right,
        };
    };

    // The lowest contrast of any result figure or unit against its panel.
    const resultContrast = () => {
        const rgb = (text) => text.match(/[\d.]+/g).slice(0, 3).map(Number);
        const luminance = (text) => {
            const [r, g, b] = rgb(text).map((value) => {
                const c = value / 255;
                return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
            });
            return 0.2126 * r + 0.7152 * g + 0.0722 * b;
        };
        const ratios = [...document.querySelectorAll('.panel:not([hidden]) .results :is(output, .unit, label)')]
            .filter((element) => element.checkVisibility())
            .map((element) => {
                const fore = luminance(getComputedStyle(element).color);
                const back = luminance(getComputedStyle(element.closest('.results')).backgroundColor);
                return (Math.max(fore, back) + 0.05) / (Math.min(fore, back) + 0.05);
            });
        return Math.min(...ratios);
    };

    const widths = [
        ['phone', 320, true], ['phone', 360, true], ['desktop', 750, false], ['desktop', 1280, false],
    ];
    for (const [kind, width, phone] of widths) {
        it(`at ${width} px: no sideways scrolling, targets for gloves, text and results legible, no axe violations`, async () => {
            const tab = await openApp(kind, { bypassCSP: true });
            await tab.page.setViewportSize({ width, height: phone ? 740 : 800 });
            await tab.page.addScriptTag({ path: axeSource });
            for (const [prefix, diameter] of [['twin', null], ['solo', '150']]) {
                await tab.calculate(prefix, { angle: '30', diameter, offset: '500' });
                await tab.pick('cmbHoek2', '30');
                const layout = await tab.page.evaluate(measure, targets);
                assert.ok(layout.overflow <= 0, `${prefix}: ${layout.overflow} px sideways`);
                assert.ok(layout.smallest >= 48, `${prefix}: a target of ${layout.smallest} px`);
                assert.ok(layout.closest[0] >= 7.5, `${prefix}: ${layout.closest[0]} px between ${layout.closest[1]}`);
                assert.ok(layout.fontSize >= 16, `${prefix}: text of ${layout.fontSize} px`);
                if (!phone) {
                    assert.ok(layout.diagramLeft >= layout.modesRight, `${prefix}: diagram beside`);
                }
                // The results stay legible when old, in either scheme.
                for (const scheme of ['light', 'dark']) {
                    await tab.page.emulateMedia({ colorScheme: scheme });
                    assert.ok(await tab.page.evaluate(resultContrast) >= 7, `${prefix} ${scheme}`);
                }
                await tab.type('txtHorVersleping', '600');
                assert.ok(await tab.page.evaluate(resultContrast) >= 7, `${prefix} dark, old results`);
                await tab.page.emulateMedia({ colorScheme: 'light' });
                assert.ok(await tab.page.evaluate(resultContrast) >= 7, `${prefix} light, old results`);
                const { violations } = await tab.page.evaluate(() => window.axe.run());
                assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`),
                    [], prefix);
            }
            // A problem at its box too.
            await tab.type('txtHorVersleping', '');
            await tab.click('cmdBereken');
            const { violations } = await tab.page.evaluate(() => window.axe.run());
            assert.deepEqual(violations.map((v) => v.id), [], 'problem');
            await tab.close();
        });
    }

    it('keeps Test and Printen apart from Bereken, saying that they print', async () => {
        const tab = await openApp('phone');
        for (const [prefix, printButton] of [['twin', 'cmdTest'], ['solo', 'cmdPrinten']]) {
            await tab.show(prefix);
            const [apart, description] = await tab.page.evaluate(([panel, name]) => {
                const button = document.getElementById(`${panel}-${name}`);
                const p = button.getBoundingClientRect();
                const distances = [...document.querySelectorAll(`#${panel} button[type="submit"]`)]
                    .map((bereken) => bereken.getBoundingClientRect())
                    .map((q) => Math.max(q.left - p.right, p.left - q.right, q.top - p.bottom, p.top - q.bottom));
                const hint = document.getElementById(button.getAttribute('aria-describedby'));
                return [Math.min(...distances), hint.textContent];
            }, [prefix, printButton]);
            assert.ok(apart >= 48, `${prefix}: ${apart} px from Bereken`);
            assert.match(description, /^Drukt .* af/);
        }
        await tab.close();
    });

    it('installs well: an id, icons of 192 and 512 px and a maskable one, a narrow and a wide screenshot', async () => {
        const tab = await openApp('desktop');
        const manifest = await (await tab.page.request.get(`${state.base}manifest.webmanifest`)).json();
        assert.equal(manifest.display, 'standalone');
        assert.equal(typeof manifest.id, 'string');
        // Each PNG is as large as the manifest says (its header's width and height).
        for (const image of [...manifest.icons, ...manifest.screenshots]) {
            const answer = await tab.page.request.get(state.base + image.src);
            assert.equal(answer.status(), 200, image.src);
            if (image.type === 'image/png') {
                const body = await answer.body();
                assert.equal(`${body.readUInt32BE(16)}x${body.readUInt32BE(20)}`, image.sizes, image.src);
            }
        }
        const pngs = manifest.icons.filter((icon) => icon.type === 'image/png');
        assert.deepEqual(pngs.map((icon) => `${icon.sizes} ${icon.purpose}`),
            ['192x192 any', '512x512 any', '512x512 maskable']);
        assert.deepEqual(manifest.screenshots.map((shot) => shot.form_factor), ['narrow', 'wide']);
        await tab.close();
    });
});

describe('while the core loads', () => {
    it('takes typing and waits with Bereken until the core is there, having asked only for the page, its module and the core', async () => {
        const context = await state.browser.newContext({ serviceWorkers: 'block' });
        // A visit before leaves its texts on the device.
        const before = new Tab(await context.newPage(), 'desktop', []);
        await before.page.goto(state.base);
        await before.page.waitForSelector('body[data-state="ready"]');
        await before.pick('cmbHoek', '30');
        await before.type('txtHorVersleping', '100');
        await before.page.close();

        const tab = new Tab(await context.newPage(), 'desktop', []);
        let release;
        const held = new Promise((resolve) => { release = resolve; });
        await tab.page.route('**/offsetcore.wasm', async (route) => {
            await held;
            await route.continue();
        });
        await tab.page.goto(state.base);
        await tab.page.waitForFunction(() => window.offsetApp !== undefined);
        assert.equal(await tab.page.locator('body').getAttribute('data-state'), 'loading');
        assert.deepEqual(await tab.values(['txtHorVersleping']), ['100'], 'kept text back at once');
        await tab.type('txtHorVersleping', '500');
        await tab.click('cmdBereken');
        assert.equal(await tab.page.locator('#twin-mode1').getAttribute('aria-busy'), 'true');
        assert.deepEqual(await tab.values(['txtLengte']), ['']);

        release();
        await tab.page.waitForSelector('body[data-state="ready"]');
        await tab.page.waitForSelector('#twin-mode1:not([aria-busy])');
        assert.deepEqual(await tab.values(['cmbHoek', 'txtHorVersleping', 'txtA', 'txtB', 'txtLengte',
            'txtHoogte']), ['30', '500', '76', '41', '883', '1013']);
        // Before the first calculation could run: the page, app.js and the
        // core; the diagram and the icons only after.
        const asked = await tab.page.evaluate(() => {
            const ready = performance.getEntriesByName('offset-ready')[0].startTime;
            const names = (entries) => entries.map((entry) => new URL(entry.name).pathname).sort();
            const resources = performance.getEntriesByType('resource');
            return {
                before: names(resources.filter((entry) => entry.startTime < ready)),
                after: names(resources.filter((entry) => entry.startTime >= ready)),
            };
        });
        assert.deepEqual(asked.before, ['/app.js', '/offsetcore.wasm']);
        assert.ok(asked.after.includes('/diagram-concentric.svg'), asked.after.join(' '));
        await context.close();
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
