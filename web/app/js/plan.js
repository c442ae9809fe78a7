// The Plannen tab, which no window has: for one measured offset, every angle
// of a system at once. Per angle the length to cut and the vertical offset
// of mode 1 beside the combinations of whole sections that come nearest, and
// below them any further one the core adds; the one it advises is marked. A
// tap on an angle opens its chart, every offset whole sections give at that
// angle, which prints on A4 on as many sheets as it takes, each with its
// heading and the note.
//
// The core plans, charts, checks and writes every figure and orders every
// row; the tab only puts its texts into clones of the page's templates. The
// diameter applies to one system only, so its group is there only then, and
// a group that is not there is neither handed over, kept nor put in the
// address. A chart belongs to the plan shown, not to what the boxes show
// since.

import { itemCaption, offerChoices } from './choices.js';
import { clearProblem, clearProblems, showProblemAt } from './messages.js';
import { Mode } from './mode.js';
import { printPage } from './printing.js';
import { Tab } from './tab.js';

// Each [data-field] inside the element gets the text of that name.
function fillFields(element, texts) {
    for (const field of element.querySelectorAll('[data-field]')) {
        field.textContent = texts[field.dataset.field];
    }
}

// A row of the table's columns (data-member of its headers) for a
// combination; the one the core advises is marked in the column that says so.
function combinationRow(table, combination) {
    const advised = combination.advised === true;
    const row = document.createElement('tr');
    for (const header of table.querySelectorAll('thead th[data-member]')) {
        const cell = document.createElement('td');
        cell.textContent = combination[header.dataset.member];
        if (advised && header.hasAttribute('data-mark')) {
            cell.append(document.getElementById('plan-mark').content.cloneNode(true));
        }
        row.append(cell);
    }
    row.classList.toggle('advised', advised);
    return row;
}

// The combination the core advises at an angle, if any.
const advisedAt = (planned) => [...planned.nearest, ...planned.further]
    .find((combination) => combination.advised);

// What the system choice said before the systems had the names of the
// command line; links and kept texts may still say so.
const formerSystems = new Map([['singleWall', 'singlewall']]);

class PlanMode extends Mode {
    // A system named the former way is chosen by its name now.
    fill(texts) {
        const system = formerSystems.get(texts.cmbSysteem);
        super.fill(system === undefined ? texts : { ...texts, cmbSysteem: system });
    }

    texts() {
        const texts = super.texts();
        for (const name of this.names.filter((box) => this.tab.control(box).disabled)) {
            delete texts[name];
        }
        return texts;
    }

    // Timed, so that the page's own plans can be measured (bench/web_plan.mjs).
    calculate(options) {
        const start = performance.now();
        const written = super.calculate(options);
        performance.measure('offset-plan', { start });
        return written;
    }

    write(outcome) {
        this.planned = outcome.angles;
        const template = document.getElementById('plan-angle').content.firstElementChild;
        this.results.querySelector('.angles').replaceChildren(
            ...outcome.angles.map((planned) => this.card(template, planned)));
        this.tab.closeChart();
    }

    card(template, planned) {
        const card = template.cloneNode(true);
        fillFields(card, planned);
        card.toggleAttribute('data-marker', planned.marker);
        const opener = card.querySelector('[data-action="chart"]');
        opener.dataset.angle = planned.angle;
        opener.id = `${this.tab.panel.id}-cmdTabel${planned.angle}`;
        const table = card.querySelector('table');
        [planned.nearest, planned.further].forEach((combinations, index) => {
            table.tBodies[index].replaceChildren(
                ...combinations.map((combination) => combinationRow(table, combination)));
        });
        card.toggleAttribute('data-advised', advisedAt(planned) !== undefined);
        return card;
    }

    // Per angle, as it reads: its heading, its figures (the marker without
    // a unit) and the advised sections with what they give.
    angleTexts() {
        const cards = this.results.querySelectorAll('.planned');
        return this.planned.map((planned, index) => {
            const card = cards[index];
            const figures = [...card.querySelectorAll('.planned-figures > div')].map((figure) => {
                const unit = planned.marker ? '' : figure.querySelector('.unit').textContent;
                return `${figure.querySelector('dt').textContent} ${figure.querySelector('[data-field]').textContent}${unit}`;
            });
            const advised = advisedAt(planned);
            const advice = advised === undefined ? ''
                : `; advies ${advised.n1000} × 1000 + ${advised.n500} × 500 + ${advised.n250} × 250 mm`
                  + ` geeft ${advised.horizontal} mm (${advised.difference})`;
            return `${card.querySelector('.angle-name').textContent}: ${figures.join(', ')}${advice}`;
        });
    }

    spoken() {
        return `${this.angleTexts().join('. ')}.`;
    }

    shareText() {
        const lines = [this.tab.title()];
        for (const [name, text] of Object.entries(this.calculated)) {
            const box = this.tab.control(name);
            const shown = box.matches('fieldset') ? itemCaption(box, text) : text;
            lines.push(`${box.dataset.name}: ${shown}${box.dataset.unit ? ` ${box.dataset.unit}` : ''}`);
        }
        return [...lines, ...this.angleTexts()].join('\n');
    }
}

export class PlanTab extends Tab {
    constructor(panel) {
        super(panel);
        this.cmbSysteem = this.control('cmbSysteem');
        this.cmbDiameter = this.control('cmbDiameter');
        this.chart = this.control('chart');
        this.chartOpener = null;
        this.plan = this.addMode('form', {
            boxes: { system: 'cmbSysteem', diameter: 'cmbDiameter', offset: 'txtHorVersleping' },
            step: (inputs) => this.core.planOffset(inputs, this.decimalSeparator),
        }, PlanMode);
        this.cmbSysteem.addEventListener('change', () => this.cmbSysteemPick());
        this.plan.results.addEventListener('click', (event) => {
            const opener = event.target.closest('[data-action="chart"]');
            if (opener) {
                this.openChart(opener);
            }
        });
        this.control('cmdAfdrukken').addEventListener('click', () => printPage('chart'));
        this.control('cmdSluiten').addEventListener('click', () => this.closeChart(true));
        this.cmbSysteemPick();
    }

    load() {
        offerChoices(this.cmbDiameter, this.core.everySingleWallDiameterList());
    }

    // The diameter group is there for the system that has diameters, and
    // keeps its choice while it is away; a problem shown at it goes with it.
    cmbSysteemPick() {
        const applies = this.cmbSysteem.querySelector('input:checked')?.hasAttribute('data-diameter')
            ?? false;
        this.cmbDiameter.disabled = !applies;
        this.cmbDiameter.hidden = !applies;
        if (!applies) {
            clearProblem(this.cmbDiameter);
        }
    }

    // The chart of the angle tapped, for the system and diameter of the plan.
    openChart(opener) {
        clearProblems(document);
        const texts = this.plan.calculated;
        const total = this.core.defaultChartTotal();
        const outcome = this.core.offsetChart({
            system: texts.cmbSysteem,
            angle: opener.dataset.angle,
            diameter: texts.cmbDiameter,
            total,
        }, this.decimalSeparator);
        if (outcome.problem !== undefined) {
            showProblemAt(opener, outcome.prompt);
            return;
        }
        const system = itemCaption(this.cmbSysteem, texts.cmbSysteem);
        fillFields(this.chart, { system, diameter: texts.cmbDiameter ?? '', angle: opener.dataset.angle,
            total });
        this.chart.querySelector('.chart-diameter').hidden = texts.cmbDiameter === undefined;
        const table = this.chart.querySelector('table');
        table.tBodies[0].replaceChildren(...outcome.rows.map((row) => combinationRow(table, row)));
        this.chartOpener = opener;
        this.chart.hidden = false;
        this.chart.scrollIntoView({ block: 'start' });
        this.chart.focus({ preventScroll: true });
    }

    // Back to the plan, at the angle the chart was opened from.
    closeChart(refocus = false) {
        this.chart.hidden = true;
        if (refocus && this.chartOpener?.isConnected) {
            this.chartOpener.focus();
        }
        this.chartOpener = null;
    }
}
