// The Plannen tab as a person meets it: per angle the figures and sections
// the core gives, the advised sections marked (also from below the nearest
// five), problems at their box, inputs kept and carried in the link, a
// chart per angle and its print on A4, and the tab at phone size. Which
// combinations come nearest, and in what order, is the core's, tested there.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtemp, rm } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, it } from 'node:test';
import { openApp, state, useBrowser } from './harness.mjs';

useBrowser();
const axeSource = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

async function plan(tab, { system, diameter, offset }) {
    if (tab.prefix !== 'plan') {
        await tab.show('plan');
    }
    await tab.pick('cmbSysteem', system);
    if (diameter) {
        await tab.pick('cmbDiameter', diameter);
    }
    await tab.type('txtHorVersleping', offset);
    await tab.click('cmdPlannen');
}

// Per card: the angle, its figures as they read (a unit only where shown),
// the first row of sections ("n1000 n500 n250 horizontal difference
// vertical"), the advised row as "place: row" ("…" stands before one from
// below the nearest), and the notes shown.
const shownPlan = (tab) => tab.page.evaluate(() => [...document.querySelectorAll('#plan-results .planned')]
    .map((card) => {
        const rows = [...card.querySelectorAll('tbody')].flatMap((body, index) => [
            ...(index && body.rows.length ? [null] : []), ...body.rows]);
        const text = (row) => [...row.cells].map((cell) => cell.firstChild.textContent).join(' ');
        const advised = rows.findIndex((row) => row?.classList.contains('advised'));
        return [card.querySelector('[data-field="angle"]').textContent,
            [...card.querySelectorAll('dd')].map((figure) => figure.innerText.trim()).join(', '),
            text(rows[0]), advised < 0 ? '' : `${advised}: ${text(rows[advised])}`,
            [...card.querySelectorAll('p')].filter((p) => p.checkVisibility()).map((p) => p.className)];
    }));

const advice = ['advice-note'];

// [what is planned, the angles listed, cards checked]
const planRows = [
    [{ system: 'concentric', offset: '900' }, '15 30 43 87', [
        ['15', '3361 mm, 3505 mm', '0 3 10 900 0 3504', '0: 0 3 10 900 0 3504', advice],
        ['43', '1204 mm, 1111 mm', '0 0 6 902 +2 1113', '0: 0 0 6 902 +2 1113', advice],
        ['87', '659 mm, 319 mm', '0 1 1 892 -8 319', '2: 0 0 4 1045 +145 327', advice]]],
    [{ system: 'concentric', offset: '\t900,0 ' }, '15 30 43 87', [
        ['43', '1204 mm, 1111 mm', '0 0 6 902 +2 1113', '0: 0 0 6 902 +2 1113', advice]]],
    [{ system: 'singlewall', diameter: '125', offset: '700' }, '15 30 45 90', [
        ['45', '748 mm, 992 mm', '0 0 4 731 +31 1023', '0: 0 0 4 731 +31 1023', advice]]],
    [{ system: 'concentric', offset: '1017' }, '15 30 43 87', [
        ['15', '3813 mm, 3941 mm', '0 4 10 1016 -1 3938', '6: 3 0 5 1026 +9 3976', advice]]],
    [{ system: 'concentric', offset: '50' }, '15 30 43 87', [
        ['30', 'e, e', '0 0 0 58 +8 248', '0: 0 0 0 58 +8 248', ['marker-note', ...advice]]]],
    [{ system: 'concentric', offset: '30000' }, '15 30 43 87', [
        ['87', '29799 mm, 1844 mm', '10 10 10 16210 -13790 1122', '', ['none-long-enough']]]],
];

// [what is entered, then Plannen or Enter, the prompt at which box]
const problemRows = [
    [[['type', 'txtHorVersleping', '']], 'cmdPlannen', ['Versleping invoeren', 'txtHorVersleping']],
    [[['type', 'txtHorVersleping', '9OO']], 'Enter', ['Versleping is geen geldig getal', 'txtHorVersleping']],
    [[['type', 'txtHorVersleping', `1${'0'.repeat(308)}`]], 'Enter', ['Uitkomst te groot', 'txtHorVersleping']],
    [[['type', 'txtHorVersleping', '700'], ['pick', 'cmbSysteem', 'singlewall']], 'cmdPlannen',
        ['Diameter invoeren', 'cmbDiameter']],
];

describe('Plannen', () => {
    it('shows per angle the figures and sections of the core, the advised ones marked, seen and heard', async () => {
        const tab = await openApp('phone');
        for (const [inputs, angles, cards] of planRows) {
            await plan(tab, inputs);
            const shown = await shownPlan(tab);
            assert.equal(shown.map(([angle]) => angle).join(' '), angles, JSON.stringify(inputs));
            for (const card of cards) {
                assert.deepEqual(shown.find(([angle]) => angle === card[0]), card, JSON.stringify(inputs));
            }
        }
        await plan(tab, { system: 'concentric', offset: '900' });
        assert.deepEqual(await tab.page.locator('#plan-results tr.advised').first().evaluate((row) => [
            getComputedStyle(row).outlineStyle, row.textContent.includes('advies')]), ['solid', true]);
        await tab.close();
    });

    it('shows a problem at its box, marked and focused, and leaves the plan and the link', async () => {
        const tab = await openApp('desktop');
        await plan(tab, { system: 'concentric', offset: '900' });
        const [before, address] = [await shownPlan(tab), tab.page.url()];
        for (const [steps, run, [prompt, box]] of problemRows) {
            for (const [action, control, value] of steps) {
                await tab[action](control, value);
            }
            await (run === 'Enter' ? tab.control('txtHorVersleping').press('Enter') : tab.click(run));
            assert.deepEqual(await tab.problem(), [prompt, `plan-${box}`]);
            assert.deepEqual(await tab.page.evaluate((id) => [document.getElementById(id)
                .getAttribute('aria-invalid'), document.getElementById(id).contains(document.activeElement)],
            `plan-${box}`), ['true', true], prompt);
            assert.deepEqual([await shownPlan(tab), tab.page.url()], [before, address], prompt);
        }
        // The diameter, and its problem, are there for the single-wall system only.
        await tab.pick('cmbSysteem', 'concentric');
        assert.deepEqual([await tab.control('cmbDiameter').isVisible(), await tab.problem()], [false, null]);
        await tab.close();
    });

    it('keeps its inputs, carries the plan in the link, and shares it', async () => {
        const tab = await openApp('phone');
        await tab.page.addInitScript(() => {
            navigator.share = async (data) => { window.shared = data; };
        });
        await plan(tab, { system: 'singlewall', diameter: '125', offset: '700' });
        const link = '#plannen?cmbSysteem=singlewall&cmbDiameter=125&txtHorVersleping=700';
        assert.equal(new URL(tab.page.url()).hash, link);
        // Only box texts are kept, never a result; the next visit plans them again.
        assert.doesNotMatch(await tab.page.evaluate(() => Object.values(localStorage).join()), /748|731/);
        await tab.page.goto(state.base);
        await tab.page.waitForSelector('body[data-state="ready"]');
        await tab.show('plan');
        assert.deepEqual(await tab.values(['cmbSysteem', 'cmbDiameter', 'txtHorVersleping']),
            ['singlewall', '125', '700']);
        assert.equal((await shownPlan(tab))[2][1], '748 mm, 992 mm');
        // Kept under the system's former name, as by an earlier version: the same.
        await tab.page.evaluate(() => Object.entries(localStorage).forEach(([key, kept]) =>
            localStorage.setItem(key, kept.replace('"singlewall"', '"singleWall"'))));
        await tab.page.goto(state.base);
        await tab.page.waitForSelector('body[data-state="ready"]');
        await tab.show('plan');
        assert.deepEqual(await tab.values(['cmbSysteem', 'cmbDiameter']), ['singlewall', '125']);
        assert.equal((await shownPlan(tab))[2][1], '748 mm, 992 mm');
        await tab.press('#plan-results [data-action="share"]');
        const shared = await tab.page.evaluate(() => window.shared);
        assert.equal(new URL(shared.url).hash, link);
        assert.match(shared.text, /^Versleping plannen met hele secties\nSysteem: Enkelwandig\nDiameter: 125 mm\n/);
        assert.match(shared.text, /\n45 graden: Lengte tussen de bochten 748 mm, Verticale versleping 992 mm; advies 0 × 1000 \+ 0 × 500 \+ 4 × 250 mm geeft 731 mm \(\+31\)\n/);
        // Concentric: no diameter in the link, and it is kept for later.
        await plan(tab, { system: 'concentric', offset: '900' });
        assert.equal(new URL(tab.page.url()).hash, '#plannen?cmbSysteem=concentric&txtHorVersleping=900');
        await tab.pick('cmbSysteem', 'singlewall');
        assert.deepEqual(await tab.values(['cmbDiameter']), ['125']);
        await tab.close();

        // The link as it read before the system had its present name opens the same.
        for (const [address, shown, problem] of [[link, '748 mm, 992 mm', null],
            [link.replace('singlewall', 'singleWall'), '748 mm, 992 mm', null],
            ['#plannen?cmbSysteem=singlewall&cmbDiameter=999&txtHorVersleping=700', undefined,
                ['Diameter invoeren', 'plan-cmbDiameter']]]) {
            const opened = await openApp('desktop', { fragment: address });
            assert.deepEqual([(await shownPlan(opened))[2]?.[1], await opened.problem()], [shown, problem]);
            await opened.close();
        }
    });

    // [the plan, the angle tapped, the chart's heading, a row it holds]
    const chartRows = [
        [{ system: 'concentric', offset: '900' }, '43', 'Concentrisch 100/150, hoek 43 graden', '0 0 6 902 1113'],
        [{ system: 'singlewall', diameter: '125', offset: '700' }, '45',
            'Enkelwandig, diameter 125 mm, hoek 45 graden', '0 0 4 731 1023'],
    ];

    it('opens the chart of an angle tapped, and prints it on A4 sheets, each headed and noted', async () => {
        const tab = await openApp('phone');
        await tab.page.evaluate(() => { window.print = () => { window.printed = true; }; });
        const dir = await mkdtemp(join(tmpdir(), 'offset-plan-test-'));
        try {
            for (const [inputs, angle, heading, row] of chartRows) {
                await plan(tab, inputs);
                await tab.press(`#plan-results [data-angle="${angle}"]`);
                assert.equal(await tab.page.evaluate(() => document.activeElement.id), 'plan-chart');
                assert.equal((await tab.page.locator('.chart-head').innerText()).trim(), heading);
                // Every combination the core charts, in its order.
                const [rows, charted] = await tab.page.evaluate(([system, chartAngle, diameter]) => {
                    const { core, decimalSeparator } = window.offsetApp.plan;
                    const text = (cells) => cells.join(' ');
                    return [[...document.querySelectorAll('#plan-chart tbody tr')]
                        .map((tr) => text([...tr.cells].map((cell) => cell.textContent))),
                    core.offsetChart({ system, angle: chartAngle, diameter, total: core.defaultChartTotal() },
                        decimalSeparator).rows
                        .map((c) => text([c.n1000, c.n500, c.n250, c.horizontal, c.vertical]))];
                }, [inputs.system, angle, inputs.diameter]);
                assert.deepEqual(rows, charted);
                assert.ok(rows.includes(row), row);

                await tab.click('cmdAfdrukken');
                assert.equal(await tab.page.evaluate(() => window.printed), true);
                // Letter asked for: the chart's own page size must win.
                const pdf = join(dir, 'chart.pdf');
                await tab.page.pdf({ path: pdf, format: 'Letter', preferCSSPageSize: true });
                assert.match(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }), /Page size:\s+594.96 x 841.92/);
                const sheets = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' })
                    .replaceAll('\u00ad', '').split('\f').filter((sheet) => sheet.trim())
                    .map((sheet) => sheet.replace(/[ \t]+/g, ' '));
                assert.ok(sheets.length >= 2, `${sheets.length} sheets`);
                for (const sheet of sheets) {
                    for (const part of [heading, 'Horizontaal Verticaal',
                        'Aan deze berekeningen kunnen geen rechten worden ontleend.']) {
                        assert.ok(sheet.includes(part), `${part} on every sheet`);
                    }
                    assert.doesNotMatch(sheet, /Uitkomst per hoek|Afdrukken|Plannen|Gemeten/);
                }
                assert.ok(sheets.join('\n').split('\n').some((line) => line.trim() === row), row);
                await tab.page.evaluate(() => delete document.body.dataset.print);

                await tab.click('cmdSluiten');
                assert.equal(await tab.control('chart').isVisible(), false);
                assert.equal(await tab.page.evaluate(() => document.activeElement.dataset.angle), angle);
            }
        } finally {
            await rm(dir, { recursive: true, force: true });
        }
        await tab.close();
    });

    it('at 360 px: no sideways scrolling, targets for gloves, text of 16 px, no axe violations', async () => {
        const tab = await openApp('phone', { bypassCSP: true });
        await tab.page.addScriptTag({ path: axeSource });
        const measure = () => {
            const shown = (element) => element.checkVisibility() && !element.closest('.visually-hidden');
            const boxes = [...document.querySelectorAll(
                '[role="tab"], #plan :is(button, input:not([type="radio"]), label.choice)')]
                .filter(shown).map((element) => element.getBoundingClientRect());
            const apart = boxes.flatMap((p, index) => boxes.slice(index + 1).map((q) =>
                Math.max(q.left - p.right, p.left - q.right, q.top - p.bottom, p.top - q.bottom)));
            const sizes = [...document.querySelectorAll('#plan *')]
                .filter((element) => shown(element) && [...element.childNodes]
                    .some((node) => node.nodeType === Node.TEXT_NODE && node.textContent.trim()))
                .map((element) => parseFloat(getComputedStyle(element).fontSize));
            const scrolled = [document.documentElement, ...document.querySelectorAll('#plan .table-scroll')];
            return [Math.max(...scrolled.map((element) => element.scrollWidth - element.clientWidth)),
                Math.min(...boxes.map((box) => Math.min(box.width, box.height))), Math.min(...apart),
                Math.min(...sizes)];
        };
        // The widest plan, its chart open; in either scheme; then a problem.
        await plan(tab, { system: 'singlewall', diameter: '450', offset: '700' });
        await tab.press('#plan-results [data-angle="45"]');
        const [sideways, smallest, closest, text] = await tab.page.evaluate(measure);
        assert.ok(sideways <= 0 && smallest >= 48 && closest >= 7.5 && text >= 16,
            `${sideways} px sideways, a target of ${smallest} px, ${closest} px apart, text of ${text} px`);
        for (const scheme of ['light', 'dark', 'problem']) {
            if (scheme === 'problem') {
                await tab.type('txtHorVersleping', '');
                await tab.click('cmdPlannen');
            } else {
                await tab.page.emulateMedia({ colorScheme: scheme });
            }
            const { violations } = await tab.page.evaluate(() => window.axe.run());
            assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), [], scheme);
        }
        await tab.close();
    });
});
