// Both tabs as a person meets them, at phone size (touch) and at desktop
// size: the start state, what each tab writes from the core's texts and the
// pair it holds, that a message the core reports shows under its title and
// changes nothing, the diameter choices, the held pair shared by both
// calculators of a tab, and numbers in the browser's locale. Which check
// comes first and what each input gives is the core's, tested there.

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

// Each bad input: what is entered on a tab with results on screen, then the
// button; the message expected. One per button, and the inputs only a page
// has: a long paste, other scripts' digits, a diameter box the new angle pick
// emptied.
const messageCases = [
    ['twin', 'offset letters', [['type', 'txtHorVersleping', 'abc']], 'cmdBereken',
        'Versleping is geen geldig getal'],
    ['twin', 'paste of 10,000 characters', [['type', 'txtHorVersleping', '5'.repeat(10000)]],
        'cmdBereken', 'Versleping is geen geldig getal'],
    ['twin', 'Arabic-Indic digits', [['type', 'txtHorVersleping', '٥٠٠']], 'cmdBereken',
        'Versleping is geen geldig getal'],
    ['twin', 'count emptied', [['type', 'cmb500', '']], 'cmdBereken2',
        'Aantal secties is geen geldig getal'],
    ['twin', 'mode 2 too large', [['type', 'cmb1000', huge]], 'cmdBereken2', 'Uitkomst te groot'],
    ['solo', 'new angle, no diameter yet', [['pick', 'cmbHoek', '90']], 'cmdBereken',
        'Diameter invoeren'],
    ['solo', 'mode 1 too large', [['type', 'txtHorVersleping', huge]], 'cmdBereken',
        'Uitkomst te groot'],
    ['solo', 'mode 2 new angle, no diameter', [['pick', 'cmbHoek2', '15']], 'cmdBereken2',
        'Diameter invoeren'],
    ['solo', 'count with a point', [['type', 'cmb250', '1.5']], 'cmdBereken2',
        'Aantal secties is geen geldig getal'],
];
const closings = ['Enter', 'Escape', 'OK'];

for (const kind of ['phone', 'desktop']) {
    describe(`at ${kind} size`, () => {
        it('opens like the windows: empty angles, closed diameters, counts at 0, focus on the angle', async () => {
            const tab = await openApp(kind);
            for (const [prefix, angles] of [['twin', ['15', '30', '43', '87']],
                ['solo', ['15', '30', '45', '90']]]) {
                await tab.show(prefix);
                assert.deepEqual(await tab.items('cmbHoek'), ['', ...angles]);
                assert.deepEqual(await tab.items('cmbHoek2'), ['', ...angles]);
                assert.deepEqual(await tab.values(['cmbHoek', 'cmb1000', 'cmb500', 'cmb250',
                    ...lengths, ...offsets]), ['', '0', '0', '0', '', '', '', '', '', '']);
                // Results are live regions: a screen reader announces each new one.
                assert.equal(await tab.page.locator(`#${prefix}`).getByRole('status').count(), 6);
            }
            assert.deepEqual(await tab.items('cmbDiameter'), ['']);
            assert.ok(await tab.control('cmbDiameter').isDisabled());
            assert.ok(await tab.control('cmbDiameter2').isDisabled());
            assert.equal(await tab.page.title(), 'Kestravon Versleping Enkelwandig');
            assert.deepEqual(await tab.page.locator('#sectionCounts option').evaluateAll(
                (options) => options.map((option) => option.value)),
            ['0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '10']);
            await tab.close();

            const fresh = await openApp(kind, { fragment: '#enkelwandig' });
            assert.equal(await fresh.page.evaluate(() => document.activeElement.id), 'solo-cmbHoek');
            await fresh.close();
        });

        it('gives the worked results of both systems in both modes', async () => {
            // One calculation after another, as on site; each mode on a fresh page.
            const tab = await openApp(kind);
            for (const row of mode1Cases) {
                await mode1(tab, row);
                assert.equal(await tab.message(), null, row.join(' '));
                assert.deepEqual(await tab.values([...lengths, ...offsets]), [...row[4], '', ''],
                    row.join(' '));
                assert.deepEqual(await tab.held(), { a: Number(row[4][0]), b: Number(row[4][1]) });
            }
            await tab.page.reload();
            await tab.page.waitForSelector('body[data-state="ready"]');
            for (const row of mode2Cases) {
                await mode2(tab, row);
                assert.equal(await tab.message(), null, row.join(' '));
                assert.deepEqual(await tab.values([...lengths, ...offsets]),
                    ['', '', '', '', ...row[4]], row.join(' '));
            }
            await tab.close();
        });

        it('shows each message, changes nothing, and gives the focus back', async () => {
            const tab = await openApp(kind);
            // Results and a held pair on both tabs first, so that a change would show.
            const good = {
                twin: [['twin', '30', null, '500'], ['twin', '15', null, ['1', '1', '1']]],
                solo: [['solo', '30', '300', '500'], ['solo', '15', '125', ['1', '1', '1']]],
            };
            for (const [first, second] of Object.values(good)) {
                await mode1(tab, first);
                await mode2(tab, second);
            }
            for (const [index, [prefix, name, steps, button, prompt]] of messageCases.entries()) {
                // The good inputs again, then this case's own.
                const [[, angle, diameter, offset], [, angle2, diameter2, counts]] = good[prefix];
                await tab.show(prefix);
                const refill = [['pick', 'cmbHoek', angle], ['pick', 'cmbDiameter', diameter],
                    ['type', 'txtHorVersleping', offset], ['pick', 'cmbHoek2', angle2],
                    ['pick', 'cmbDiameter2', diameter2], ['type', 'cmb1000', counts[0]],
                    ['type', 'cmb500', counts[1]], ['type', 'cmb250', counts[2]]];
                for (const [action, control, value] of [...refill, ...steps]) {
                    if (value !== null) {
                        await tab[action](control, value);
                    }
                }
                const before = await tab.snapshot();
                await tab.click(button);
                assert.deepEqual(await tab.message(), ['Let op!', prompt], `${prefix}: ${name}`);
                const closing = closings[index % closings.length];
                await (closing === 'OK' ? tab.press('dialog button') : tab.page.keyboard.press(closing));
                assert.equal(await tab.message(), null, `${prefix}: ${name}: ${closing} closes`);
                assert.deepEqual(await tab.snapshot(), before, `${prefix}: ${name}`);
                assert.equal(await tab.page.evaluate(() => document.activeElement.id),
                    `${prefix}-${button}`, `${prefix}: ${name}: focus`);
            }
            await tab.close();
        });

        it('opens and fills a diameter box only on an angle pick of its own mode', async () => {
            const tab = await openApp(kind);
            await tab.show('solo');
            await tab.pick('cmbHoek', '15');
            assert.deepEqual(await tab.items('cmbDiameter'), ['', '125', '150', '175', '200', '250']);
            assert.ok(await tab.control('cmbDiameter').isEnabled());
            assert.ok(await tab.control('cmbDiameter2').isDisabled());
            await tab.pick('cmbDiameter', '250');
            await tab.pick('cmbHoek', '90');
            assert.deepEqual(await tab.values(['cmbDiameter']), ['']);
            assert.deepEqual(await tab.items('cmbDiameter'),
                ['', '125', '150', '175', '200', '250', '300']);
            await tab.pick('cmbHoek2', '30');
            assert.equal((await tab.items('cmbDiameter2')).length, 10);
            // Mode 1 calculates with the angle its diameters were offered for.
            await tab.pick('cmbHoek', '30');
            await tab.pick('cmbDiameter', '125');
            await tab.type('txtHorVersleping', '500');
            await tab.click('cmdBereken');
            assert.equal(await tab.page.evaluate(() => window.offsetApp.solo.pickedAngle), '30');
            assert.deepEqual(await tab.values(lengths), ['121', '71', '808', '1108']);
            // The blank entry is no angle: the list stays, the box asks for an angle.
            await tab.pick('cmbHoek', '');
            assert.equal((await tab.items('cmbDiameter')).length, 10);
            await tab.click('cmdBereken');
            assert.deepEqual(await tab.message(), ['Let op!', 'Hoek invoeren']);
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
            assert.deepEqual(await tab.message(), prompt && ['Let op!', prompt]);
            await tab.close();
        });
    }
});
