// Both tabs as a person meets them, at phone size (touch) and at desktop
// size: the start state, what each tab writes from the core's texts and the
// pair it holds, each problem the core reports shown at the box it names
// with nothing else changed, Enter / Go, the diameter choices, the held pair
// shared by both calculators of a tab, and numbers in the browser's locale.
// Which check comes first and what each input gives is the core's, tested
// there.

import assert from 'node:assert/strict';
import { describe, it } from 'node:test';
import { openApp, useBrowser } from './harness.mjs';

useBrowser();

const lengths = ['txtA', 'txtB', 'txtLengte', 'txtHoogte'];
const offsets = ['txtVerHor', 'txtVerVerticaal'];
const huge = `1${'0'.repeat(308)}`;

// Mode 1: [tab, angle, diameter, offset] -> txtA, txtB, txtLengte, txtHoogte.
const mode1Cases = [
    ['twin', '30', null, '500', ['76', '41', '883', '1013']],
    ['twin', '30', null, '58', ['76', '41', 'e', 'e']],
    ['twin', '43', null, '\t612,5 ', ['75', '41', '782', '803']],
    ['solo', '45', '125', '500', ['146', '96', '465', '792']],
    ['solo', '90', '175', '500', ['179', '129', '192', '358']],
    ['solo', '45', '450', '500', ['196', '146', '365', '892']],
];

// Mode 2: [tab, angle, diameter, counts] -> txtVerHor, txtVerVerticaal.
const mode2Cases = [
    ['twin', '43', null, ['1', '0', '1'], ['863', '1071']],
    ['twin', '30', null, ['1,5', '0', '0'], ['769', '1480']],
    ['solo', '45', '125', ['1', '0', '1'], ['981', '1273']],
    ['solo', '30', '450', ['2', '1', '0'], ['1291', '2529']],
];

// Whether each choice group is closed.
function closed(tab, names) {
    return Promise.all(names.map((name) => tab.control(name).evaluate((group) => group.disabled)));
}

function mode1(tab, [prefix, angle, diameter, offset]) {
    return tab.calculate(prefix, { angle, diameter, offset });
}

async function mode2(tab, [prefix, angle, diameter, counts]) {
    await tab.show(prefix);
    await tab.pick('cmbHoek2', angle);
    if (diameter) {
        await tab.pick('cmbDiameter2', diameter);
    }
    for (const [index, name] of ['cmb1000', 'cmb500', 'cmb250'].entries()) {
        await tab.type(name, counts[index]);
    }
    await tab.click('cmdBereken2');
}

// One session on each tab, row after row on the same page: what is entered,
// then how the mode is run (its Bereken, or Enter in the box just typed in),
// and the prompt expected at which box, or null where results come. Each
// check of each mode once, some with results already on screen, and the
// inputs only a page has: a long paste, other scripts' digits.
const sessionRows = [
    ['twin', [], 'cmdBereken', ['Hoek invoeren', 'cmbHoek']],
    ['twin', [['pick', 'cmbHoek', '30']], 'cmdBereken', ['Versleping invoeren', 'txtHorVersleping']],
    ['twin', [['type', 'txtHorVersleping', 'abc']], 'Enter', ['Versleping is geen geldig getal', 'txtHorVersleping']],
    ['twin', [['type', 'txtHorVersleping', huge]], 'Enter', ['Uitkomst te groot', 'txtHorVersleping']],
    ['twin', [['type', 'txtHorVersleping', '500']], 'Enter', null],
    ['twin', [['type', 'txtHorVersleping', '5'.repeat(10000)]], 'cmdBereken', ['Versleping is geen geldig getal', 'txtHorVersleping']],
    ['twin', [['type', 'txtHorVersleping', '٥٠٠']], 'Enter', ['Versleping is geen geldig getal', 'txtHorVersleping']],
    ['twin', [], 'cmdBereken2', ['Hoek invoeren', 'cmbHoek2']],
    ['twin', [['pick', 'cmbHoek2', '43'], ['type', 'cmb500', '']], 'Enter', ['Aantal secties is geen geldig getal', 'cmb500']],
    ['twin', [['type', 'cmb500', '0'], ['type', 'cmb250', 'x']], 'cmdBereken2', ['Aantal secties is geen geldig getal', 'cmb250']],
    ['twin', [['type', 'cmb250', '0'], ['type', 'cmb1000', huge]], 'Enter', ['Uitkomst te groot', 'cmb1000']],
    ['twin', [['type', 'cmb1000', '1']], 'Enter', null],
    ['twin', [['type', 'cmb250', '1.5']], 'Enter', ['Aantal secties is geen geldig getal', 'cmb250']],
    ['solo', [], 'cmdBereken', ['Hoek invoeren', 'cmbHoek']],
    ['solo', [['pick', 'cmbHoek', '30']], 'cmdBereken', ['Diameter invoeren', 'cmbDiameter']],
    ['solo', [['pick', 'cmbDiameter', '125']], 'cmdBereken', ['Versleping invoeren', 'txtHorVersleping']],
    ['solo', [['type', 'txtHorVersleping', huge]], 'Enter', ['Uitkomst te groot', 'txtHorVersleping']],
    ['solo', [['type', 'txtHorVersleping', '500']], 'Enter', null],
    ['solo', [['pick', 'cmbHoek', '45']], 'cmdBereken', ['Diameter invoeren', 'cmbDiameter']],
    ['solo', [], 'cmdBereken2', ['Hoek invoeren', 'cmbHoek2']],
    ['solo', [['pick', 'cmbHoek2', '15']], 'cmdBereken2', ['Diameter invoeren', 'cmbDiameter2']],
    ['solo', [['pick', 'cmbDiameter2', '125'], ['type', 'cmb1000', 'abc']], 'Enter', ['Aantal secties is geen geldig getal', 'cmb1000']],
    ['solo', [['type', 'cmb1000', '1']], 'cmdBereken2', null],
];

for (const kind of ['phone', 'desktop']) {
    describe(`at ${kind} size`, () => {
        it('opens like the windows: no angle chosen, closed diameters, counts at 0, focus on the angle', async () => {
            const tab = await openApp(kind);
            for (const [prefix, angles] of [['twin', ['15', '30', '43', '87']],
                ['solo', ['15', '30', '45', '90']]]) {
                await tab.show(prefix);
                assert.deepEqual(await tab.items('cmbHoek'), angles);
                assert.deepEqual(await tab.items('cmbHoek2'), angles);
                assert.deepEqual(await tab.values(['cmbHoek', 'cmb1000', 'cmb500', 'cmb250',
                    ...lengths, ...offsets]), ['', '0', '0', '0', '', '', '', '', '', '']);
            }
            assert.deepEqual(await tab.items('cmbDiameter'), []);
            assert.deepEqual(await closed(tab, ['cmbDiameter', 'cmbDiameter2']), [true, true]);
            assert.equal(await tab.page.title(), 'Kestravon Versleping Enkelwandig');
            assert.deepEqual(await tab.page.locator('#sectionCounts option').evaluateAll(
                (options) => options.map((option) => option.value)),
            ['0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '10']);
            await tab.close();

            const fresh = await openApp(kind, { fragment: '#enkelwandig' });
            assert.equal(await fresh.page.evaluate(() => document.activeElement.closest('fieldset').id),
                'solo-cmbHoek');
            await fresh.close();
        });

        it('gives the worked results of both systems in both modes', async () => {
            // One calculation after another, as on site; each mode on a fresh page.
            const tab = await openApp(kind);
            for (const row of mode1Cases) {
                await mode1(tab, row);
                assert.equal(await tab.problem(), null, row.join(' '));
                assert.deepEqual(await tab.values([...lengths, ...offsets]), [...row[4], '', ''],
                    row.join(' '));
                assert.deepEqual(await tab.held(), { a: Number(row[4][0]), b: Number(row[4][1]) });
            }
            await tab.close();
            const second = await openApp(kind);
            for (const row of mode2Cases) {
                await mode2(second, row);
                assert.equal(await second.problem(), null, row.join(' '));
                assert.deepEqual(await second.values([...lengths, ...offsets]),
                    ['', '', '', '', ...row[4]], row.join(' '));
            }
            await second.close();
        });

        it('shows each problem at its box, marks it, gives it the focus and changes nothing else', async () => {
            const tab = await openApp(kind);
            let typedLast = null;
            for (const [prefix, steps, run, expected] of sessionRows) {
                const name = `${prefix}: ${steps.map((step) => step.join(' ').slice(0, 30)).join(', ')} ${run}`;
                if (tab.prefix !== prefix) {
                    await tab.show(prefix);
                }
                for (const [action, control, value] of steps) {
                    await tab[action](control, value);
                    typedLast = action === 'type' ? control : typedLast;
                }
                const before = await tab.snapshot();
                await (run === 'Enter' ? tab.control(typedLast).press('Enter') : tab.click(run));
                if (expected === null) {
                    assert.equal(await tab.problem(), null, name);
                    continue;
                }
                const [prompt, box] = expected;
                assert.deepEqual(await tab.problem(), [prompt, `${prefix}-${box}`], name);
                assert.deepEqual(await tab.snapshot(), before, name);
                assert.deepEqual(await tab.page.evaluate((id) => {
                    const marked = document.getElementById(id);
                    const focus = document.activeElement;
                    return [marked.getAttribute('aria-invalid'),
                        marked.getAttribute('aria-describedby').split(' ').includes(`${id}-problem`),
                        focus === marked || marked.contains(focus)];
                }, `${prefix}-${box}`), ['true', true, true], `${name}: marked, described, focused`);
                assert.equal(await tab.page.locator('dialog').count(), 0);
            }
            // Put right, the mark goes with the next keystroke.
            await tab.type('cmb250', '1');
            assert.equal(await tab.problem(), null);
            assert.equal(await tab.control('cmb250').getAttribute('aria-invalid'), null);
            await tab.close();
        });

        it('opens and fills a diameter group only on an angle pick of its own mode', async () => {
            const tab = await openApp(kind);
            await tab.show('solo');
            await tab.pick('cmbHoek', '15');
            assert.deepEqual(await tab.items('cmbDiameter'), ['125', '150', '175', '200', '250']);
            assert.deepEqual(await closed(tab, ['cmbDiameter', 'cmbDiameter2']), [false, true]);
            await tab.pick('cmbDiameter', '250');
            await tab.pick('cmbHoek', '90');
            assert.deepEqual(await tab.values(['cmbDiameter']), ['']);
            assert.deepEqual(await tab.items('cmbDiameter'),
                ['125', '150', '175', '200', '250', '300']);
            await tab.pick('cmbHoek2', '30');
            assert.equal((await tab.items('cmbDiameter2')).length, 9);
            // Mode 1 calculates with the angle its diameters were offered for.
            await tab.pick('cmbHoek', '30');
            await tab.pick('cmbDiameter', '125');
            await tab.type('txtHorVersleping', '500');
            await tab.click('cmdBereken');
            assert.equal(await tab.page.evaluate(() => window.offsetApp.solo.pickedAngle), '30');
            assert.deepEqual(await tab.values(lengths), ['121', '71', '808', '1108']);
            await tab.close();
        });

        it('holds one bend pair per tab, shared by both calculators', async () => {
            const tab = await openApp(kind);
            await mode1(tab, ['twin', '87', null, '1000']);
            await mode2(tab, ['twin', '15', null, ['1', '0', '0']]);
            assert.deepEqual(await tab.held(), { a: 76, b: 40 });
            assert.deepEqual(await tab.values(['txtA', 'txtB']), ['139', '103']);
            await mode1(tab, ['solo', '45', '450', '500']);
            assert.deepEqual(await tab.held(), { a: 196, b: 146 });
            await mode2(tab, ['solo', '90', '125', ['1', '0', '0']]);
            assert.deepEqual(await tab.held(), { a: 178, b: 128 });
            // Neither mode 2 nor new input clears what mode 1 shows.
            await tab.type('txtHorVersleping', '700');
            await tab.pick('cmbHoek', '15');
            assert.deepEqual(await tab.values(lengths), ['196', '146', '365', '892']);
            tab.prefix = 'twin';
            assert.deepEqual(await tab.held(), { a: 76, b: 40 });
            await tab.close();
        });
    });
}

// The decimal separator is the browser's locale's.
const localeCases = [
    ['nl-NL', '612,5', ['782', '803'], null],
    ['en-US', '612.5', ['782', '803'], null],
    ['en-US', '612,5', ['', ''], 'Versleping is geen geldig getal'],
    ['de-DE', '1.500', ['', ''], 'Versleping is geen geldig getal'],
];

describe('numbers in the browser\'s locale', () => {
    for (const [locale, offset, shown, prompt] of localeCases) {
        it(`${locale} reads ${offset}`, async () => {
            const tab = await openApp('desktop', { locale });
            await mode1(tab, ['twin', '43', null, offset]);
            assert.deepEqual(await tab.values(['txtLengte', 'txtHoogte']), shown);
            assert.deepEqual(await tab.problem(), prompt && [prompt, 'twin-txtHorVersleping']);
            await tab.close();
        });
    }
});
