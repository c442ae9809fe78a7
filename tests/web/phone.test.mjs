// What the page adds to the windows for a phone on a roof: results that
// stand apart and are announced once, old results marked, counts stepped,
// inputs kept on the device and carried in the address, a calculation
// shared as text, and the diagram one tap away with the results on it.
// The numbers, checks and prompts are the core's, tested there.

import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { openApp, state, useBrowser } from './harness.mjs';

useBrowser();

const ready = (page) => page.waitForSelector('body[data-state="ready"]');

// Enters a mode's inputs ([action, control, value]) on a tab, then Bereken.
async function enter(tab, prefix, steps, button) {
    if (tab.prefix !== prefix) {
        await tab.show(prefix);
    }
    for (const [action, control, value] of steps) {
        await tab[action](control, value);
    }
    await tab.click(button);
}

const twin1 = [['pick', 'cmbHoek', '30'], ['type', 'txtHorVersleping', '500']];
const twin1Marker = [['pick', 'cmbHoek', '30'], ['type', 'txtHorVersleping', '58']];
const solo2 = [['pick', 'cmbHoek2', '45'], ['pick', 'cmbDiameter2', '125'],
    ['type', 'cmb1000', '1'], ['type', 'cmb250', '1']];

// [tab, inputs, button, results panel, the figures by caption, what is heard,
// whether the marker is explained]
const resultRows = [
    ['twin', twin1, 'cmdBereken', 'twin-results1',
        [['Lengte tussen de bochten in mm:', '883'], ['Lengte van de verticale versleping in mm:', '1013'],
            ['A:', '76'], ['B:', '41']],
        'Lengte tussen de bochten 883 mm, Verticale versleping 1013 mm, A 76 mm, B 41 mm.', false],
    ['twin', twin1Marker, 'cmdBereken', 'twin-results1',
        [['Lengte tussen de bochten in mm:', 'e'], ['Lengte van de verticale versleping in mm:', 'e'],
            ['A:', '76'], ['B:', '41']],
        'Lengte tussen de bochten e, Verticale versleping e, A 76 mm, B 41 mm. e: de versleping is '
        + 'kleiner dan wat de twee bochten bij deze hoek samen al geven.', true],
    ['solo', solo2, 'cmdBereken2', 'solo-results2',
        [['Horizontale versleping in mm:', '981'], ['Verticale    versleping in mm:', '1273']],
        'Horizontale versleping 981 mm, Verticale versleping 1273 mm.', false],
];

describe('results', () => {
    for (const kind of ['phone', 'desktop']) {
        it(`at ${kind} size: apart from the inputs, each under its caption with its unit beside, heard once`, async () => {
            const tab = await openApp(kind);
            for (const [prefix, steps, button, panel, figures, heard, explained] of resultRows) {
                await enter(tab, prefix, steps, button);
                const results = tab.page.locator(`#${panel}`);
                for (const [caption, text] of figures) {
                    const output = results.getByLabel(caption, { exact: true });
                    assert.equal(await output.textContent(), text, caption);
                    // The unit beside the figure, and none beside the marker.
                    assert.equal(await output.locator('+ .unit').isVisible(), text !== 'e', caption);
                }
                assert.equal(await results.locator('.marker-note').isVisible(), explained);
                await tab.page.waitForFunction((text) =>
                    document.getElementById('announce').textContent === text, heard);
                // The length to cut (or mode 2's offsets) largest, and in view.
                const sizes = await results.locator('.amount').evaluateAll((amounts) =>
                    amounts.map((amount) => parseFloat(getComputedStyle(amount).fontSize)));
                assert.equal(sizes[0], Math.max(...sizes));
                assert.ok(await results.evaluate((element) => {
                    const box = element.getBoundingClientRect();
                    return box.top >= 0 && box.bottom <= innerHeight;
                }), `${panel} in view`);
                // Results are no live regions of their own: only the announcement speaks.
                assert.equal(await results.locator('output:not([aria-live="off"])').count(), 0);
            }
            await tab.close();
        });
    }

    // [tab, what is calculated, the change to one input, the panel that goes old]
    const staleRows = [
        ['twin', [twin1, 'cmdBereken'], ['type', 'txtHorVersleping', '600'], 'twin-results1'],
        ['twin', [twin1, 'cmdBereken'], ['pick', 'cmbHoek', '43'], 'twin-results1'],
        ['solo', [solo2, 'cmdBereken2'], ['press', '#solo-mode2 [aria-label="Meer 500mm secties"]'], 'solo-results2'],
        ['solo', [solo2, 'cmdBereken2'], ['pick', 'cmbDiameter2', '150'], 'solo-results2'],
        ['solo', [solo2, 'cmdBereken2'], ['type', 'cmb250', '1,5'], 'solo-results2'],
    ];

    it('marks results as old once an input of their mode changes, until the next Bereken', async () => {
        const tab = await openApp('phone');
        for (const [prefix, [steps, button], change, panel] of staleRows) {
            await enter(tab, prefix, steps, button);
            const other = panel.endsWith('1') ? `${prefix}-results2` : `${prefix}-results1`;
            const state = () => tab.page.evaluate(([mine, theirs, drawing]) => [
                document.getElementById(mine).hasAttribute('data-stale'),
                document.querySelector(`#${mine} .stale-note`).checkVisibility(),
                document.getElementById(theirs).hasAttribute('data-stale'),
                document.querySelector(`#${drawing} .drawing`).hasAttribute('data-stale'),
            ], [panel, other, prefix]);
            assert.deepEqual(await state(), [false, false, false, false], `${panel} fresh`);
            await tab[change[0]](...change.slice(1));
            assert.deepEqual(await state(), [true, true, false, true], `${panel}: ${change.join(' ')}`);
            await tab.click(button);
            assert.deepEqual(await state(), [false, false, false, false], `${panel} again`);
        }
        await tab.close();
    });
});

describe('counts', () => {
    // [the count shown, the button, what it shows then, or the prompt at the box]
    const stepRows = [
        ['0', 'Meer', '1', null],
        ['1,5', 'Meer', '2', null],
        ['1,5', 'Minder', '1', null],
        ['0', 'Minder', '0', null],
        ['abc', 'Minder', 'abc', 'Aantal secties is geen geldig getal'],
    ];
    it('step with - and +, and still take what is typed', async () => {
        const tab = await openApp('phone');
        for (const [shown, button, after, prompt] of stepRows) {
            await tab.type('cmb500', shown);
            await tab.press(`#twin-mode2 [aria-label="${button} 500mm secties"]`);
            assert.deepEqual(await tab.values(['cmb500']), [after], `${shown} ${button}`);
            assert.deepEqual(await tab.problem(), prompt && [prompt, 'twin-cmb500']);
        }
        await tab.close();
    });
});

describe('kept and shared', () => {
    it('puts back the last inputs on the next visit and calculates them again', async () => {
        const tab = await openApp('desktop');
        await enter(tab, 'twin', twin1, 'cmdBereken');
        await enter(tab, 'solo', solo2, 'cmdBereken2');
        await tab.type('cmb1000', '2');
        // Only box texts are kept, never a result.
        const kept = await tab.page.evaluate(() => Object.values(localStorage).join(' '));
        assert.doesNotMatch(kept, /883|1273/);
        // The page's own address: a link would open the calculation it carries.
        await tab.page.goto(state.base);
        await ready(tab.page);
        assert.deepEqual(await tab.values(['cmbHoek2', 'cmbDiameter2', 'cmb1000', 'cmb250',
            'txtVerHor', 'txtVerVerticaal']), ['45', '125', '2', '1', '1650', '1942']);
        await tab.show('twin');
        assert.deepEqual(await tab.values(['cmbHoek', 'txtHorVersleping', 'txtLengte']),
            ['30', '500', '883']);
        await tab.close();
    });

    // [the address, the box to read, what it shows, the problem shown]
    const linkRows = [
        ['#enkelwandig?cmbHoek=45&cmbDiameter=125&txtHorVersleping=500', 'solo', 'txtLengte', '465', null],
        ['#concentrisch?cmbHoek2=43&cmb1000=1&cmb500=0&cmb250=1', 'twin', 'txtVerHor', '863', null],
        ['#concentrisch?cmbHoek=44&txtHorVersleping=500', 'twin', 'txtLengte', '', ['Hoek invoeren', 'twin-cmbHoek']],
    ];
    it('carries the shown calculation in the address, and a link opens it', async () => {
        const tab = await openApp('desktop');
        await enter(tab, 'solo', [['pick', 'cmbHoek', '45'], ['pick', 'cmbDiameter', '125'],
            ['type', 'txtHorVersleping', '500']], 'cmdBereken');
        assert.equal(new URL(tab.page.url()).hash, linkRows[0][0]);
        for (const [address, prefix, box, shown, problem] of linkRows) {
            const opened = await openApp('phone', { fragment: address });
            opened.prefix = prefix;
            assert.deepEqual(await opened.values([box]), [shown], address);
            assert.deepEqual(await opened.problem(), problem, address);
            await opened.close();
        }
        await tab.close();
    });

    // Addresses whose tab part cannot be read (an escape cut short by a
    // messenger, or typed by hand), and the tab each opens.
    const unreadableRows = [
        ['#plannen%2', 'twin'],
        ['#%%%', 'twin'],
        ['#%E2%82?txtHorVersleping=700', 'twin'],
        ['#enkelwandig%?cmbHoek=45', 'twin'],
        ['#plannen?txtHorVersleping=%ZZ', 'plan'],
    ];
    it('opens from any address, ignores what it cannot read, and calculates', async () => {
        const shownTab = (tab) => tab.page.locator('[role="tab"][aria-selected="true"]')
            .getAttribute('aria-controls');
        let tab;
        for (const [address, shown] of unreadableRows) {
            await tab?.close();
            tab = await openApp('phone', { fragment: address });
            assert.equal(await shownTab(tab), shown, address);
            await tab.calculate('twin', { angle: '30', offset: '500' });
            assert.deepEqual(await tab.values(['txtLengte']), ['883'], address);
        }
        // Gone to from the open page, as a link in it would.
        for (const [address, shown] of unreadableRows) {
            await tab.page.evaluate((next) => new Promise((resolve) => {
                window.addEventListener('hashchange', resolve, { once: true });
                location.hash = next;
            }), address);
            assert.equal(await shownTab(tab), shown, `to ${address}`);
        }
        await tab.calculate('twin', { angle: '43', offset: '500' });
        assert.deepEqual(await tab.values(['txtLengte']), ['617'], 'after the last');
        await tab.close();
    });

    it('shares a short Dutch text of the calculation, or copies it where the device cannot share', async () => {
        const tab = await openApp('phone');
        await tab.page.addInitScript(() => {
            navigator.share = async (data) => { window.shared = data; };
        });
        await tab.page.reload();
        await ready(tab.page);
        await enter(tab, 'twin', twin1Marker, 'cmdBereken');
        await tab.press('#twin-results1 [data-action="share"]');
        const shared = await tab.page.evaluate(() => window.shared);
        assert.equal(shared.text, [
            'Versleping Kestravon Concentrisch 100/150', 'Lengte uit versleping', 'Hoek: 30 graden',
            'Horizontale versleping: 58 mm', 'Lengte tussen de bochten: e',
            'Verticale versleping: e', 'A: 76 mm', 'B: 41 mm',
            'e: de versleping is kleiner dan wat de twee bochten bij deze hoek samen al geven.',
        ].join('\n'));
        assert.equal(new URL(shared.url).hash, '#concentrisch?cmbHoek=30&txtHorVersleping=58');
        await tab.close();

        const copying = await openApp('desktop');
        await copying.page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
        await enter(copying, 'solo', solo2, 'cmdBereken2');
        await copying.press('#solo-results2 [data-action="share"]');
        await copying.page.locator('#solo-results2 .done').getByText('Gekopieerd').waitFor();
        const copied = await copying.page.evaluate(() => navigator.clipboard.readText());
        assert.match(copied, /^Kestravon Versleping Enkelwandig\nVersleping uit secties\nHoek: 45 graden\nDiameter: 125 mm\n/);
        assert.match(copied, /Horizontale versleping: 981 mm\nVerticale versleping: 1273 mm\nhttp.*#enkelwandig\?/);
        await copying.close();
    });
});

describe('the diagram', () => {
    // [tab, inputs, button, what stands at each dimension line]
    const drawnRows = [
        ['twin', twin1, 'cmdBereken',
            { length: '883 mm', vertical: '1013 mm', horizontal: '500 mm', a: '76 mm', b: '41 mm' }],
        ['twin', twin1Marker, 'cmdBereken',
            { length: 'e', vertical: 'e', horizontal: '58 mm', a: '76 mm', b: '41 mm' }],
        ['solo', solo2, 'cmdBereken2',
            { length: '', vertical: '1273 mm', horizontal: '981 mm', a: '', b: '' }],
    ];
    it('is one tap from the results on a phone and shows them at their dimension lines', async () => {
        const tab = await openApp('phone');
        for (const [prefix, steps, button, drawn] of drawnRows) {
            await enter(tab, prefix, steps, button);
            await tab.press(`#${prefix} .results[data-shown] [data-action="diagram"] >> nth=-1`);
            const figure = tab.page.locator(`#${prefix}-figure`);
            assert.ok(await figure.evaluate((element) => {
                const box = element.querySelector('img').getBoundingClientRect();
                return box.top >= 0 && box.bottom <= innerHeight;
            }), `${prefix}: diagram in view`);
            assert.deepEqual(await figure.locator('.dimension').evaluateAll((labels) =>
                Object.fromEntries(labels.map((label) => [label.dataset.for, label.textContent]))), drawn);
        }
        await tab.close();
    });
});
