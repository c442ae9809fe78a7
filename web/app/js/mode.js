// One mode of a tab: a form whose boxes go to one step of the core.
//
// The road of a click, in any tab: Bereken (or Enter / Go in any box of
// the mode's form) collects the texts the mode's boxes show and hands them,
// with the decimal separator of the browser's locale, to the core's step for
// its system and mode. The step does all the checking, reading, looking up
// and calculating. Its outcome is a problem, whose prompt is shown at the box
// the core names while nothing else changes, or the texts to write, each
// named by the box it goes to in the order they are written, and the bend
// pair to hold from then on.
//
// Around that, the page only presents: the results apart from the inputs
// and announced once, marked as old once an input of their mode changes,
// drawn at their dimension lines, kept on the device and in the address.
// Each of those that is not the mode's own hears of new results by one
// event on the tab's panel (calculatedEvent).

import { chosen, choose } from './choices.js';
import { keepTexts } from './keeping.js';
import { announce, clearProblem, clearProblems, showProblemAt } from './messages.js';

// Fired at a tab's panel, bubbling, each time one of its modes has written
// results; its detail is {mode, outcome}.
export const calculatedEvent = 'offset-calculated';

// A box's text as the window's box would show it: a choice group's chosen
// item, an input's text, an output's text.
export function textOf(box) {
    return box.matches('fieldset') ? chosen(box) : box.value;
}

export class Mode {
    // boxes: the core's name of each input (system, angle, diameter,
    // offset, n1000, n500, n250) and the control that holds it, in the order
    // of the form. drawn: what the diagram shows at each dimension line, as
    // the control holding it. step: the core's step for a click, given the
    // texts by the core's name of each input.
    constructor(tab, suffix, { boxes, drawn = {}, step }) {
        this.tab = tab;
        this.form = tab.control(suffix);
        this.results = this.form.querySelector('.results');
        this.submit = this.form.querySelector('button[type="submit"]');
        this.boxes = Object.fromEntries(Object.entries(boxes)
            .map(([input, name]) => [input, tab.control(name)]));
        this.names = Object.values(boxes);
        this.inputNames = Object.entries(boxes);
        this.written = []; // the outputs of the shown results, in the order written
        this.drawn = Object.entries(drawn).map(([line, name]) => [line, tab.control(name)]);
        this.step = step;
        this.calculated = null; // the box texts the shown results came from
        this.marker = false;

        this.form.addEventListener('submit', (event) => {
            event.preventDefault();
            this.calculate();
        });
        this.form.addEventListener('input', (event) => this.edited(event.target));
        this.form.addEventListener('click', (event) => {
            const button = event.target.closest('button[data-step], button[data-action]');
            if (!button) {
                return;
            }
            if (button.dataset.step) {
                this.stepCount(button);
            } else if (button.dataset.action === 'share') {
                this.share(button);
            } else if (button.dataset.action === 'diagram') {
                this.tab.showDiagram();
            }
        });
    }

    get key() {
        return this.form.id;
    }

    // The texts of the boxes, by control name.
    texts() {
        return Object.fromEntries(this.names.map((name) => [name, textOf(this.tab.control(name))]));
    }

    // The texts of the boxes by the core's name of each input, for its step.
    inputs() {
        const texts = this.texts();
        return Object.fromEntries(this.inputNames.filter(([, name]) => name in texts)
            .map(([input, name]) => [input, texts[name]]));
    }

    // Puts texts into the boxes as a person would, in the order of the form,
    // so that a pick fills what depends on it. Names the mode has not and
    // items a group does not offer are passed over.
    fill(texts) {
        for (const name of this.names) {
            const box = this.tab.control(name);
            const text = texts[name];
            if (typeof text !== 'string') {
                continue;
            }
            if (box.matches('fieldset')) {
                if (choose(box, text)) {
                    box.dispatchEvent(new Event('change', { bubbles: true }));
                    box.dispatchEvent(new Event('input', { bubbles: true }));
                }
            } else {
                box.value = text;
                box.dispatchEvent(new Event('input', { bubbles: true }));
            }
        }
    }

    // Runs the step on what the boxes show. quiet: a problem is not shown
    // (a restore of kept inputs that no longer calculate). True when results
    // were written.
    calculate({ quiet = false } = {}) {
        if (!this.tab.core) {
            this.tab.waitFor(this, { quiet });
            return false;
        }
        // Only the problem of the last thing done is shown, as one message box would.
        clearProblems(document);
        const outcome = this.step(this.inputs());
        if (outcome.problem !== undefined) {
            if (!quiet) {
                showProblemAt(this.boxes[outcome.input] ?? this.submit, outcome.prompt);
            }
            return false;
        }
        this.write(outcome);
        this.calculated = this.texts();
        this.results.dataset.shown = '';
        delete this.results.dataset.stale;
        this.tab.panel.dispatchEvent(new CustomEvent(calculatedEvent,
            { bubbles: true, detail: { mode: this, outcome } }));
        announce(this.spoken());
        if (!quiet) {
            this.results.scrollIntoView({ block: 'nearest' });
        }
        return true;
    }

    // The outcome's texts into the boxes it names, in its order, and the
    // pair the tab holds.
    write(outcome) {
        this.written = Object.entries(outcome.written).map(([name, text]) => {
            const output = this.tab.control(name);
            output.value = text;
            return output;
        });
        this.tab.heldBend = outcome.heldBend;
        this.marker = outcome.marker === true;
        this.results.toggleAttribute('data-marker', this.marker);
    }

    // A figure's text with its unit, where it has one shown.
    withUnit(output) {
        const unitShown = !(this.marker && output.closest('.marked'));
        return unitShown && output.dataset.unit ? `${output.value} ${output.dataset.unit}`
            : output.value;
    }

    spoken() {
        const figures = this.written.map((output) => `${output.dataset.name} ${this.withUnit(output)}`);
        const note = this.marker ? ` ${this.results.querySelector('.marker-note').textContent}` : '';
        return `${figures.join(', ')}.${note}`;
    }

    // What the diagram shows for these results, by dimension line.
    drawing() {
        return Object.fromEntries(this.drawn.map(([line, control]) => [line,
            control.matches('output') ? this.withUnit(control)
                : `${this.calculated[control.id.slice(this.tab.panel.id.length + 1)]} ${control.dataset.unit}`]));
    }

    edited(target) {
        const box = target.closest('fieldset') ?? target;
        clearProblem(box);
        keepTexts(this.key, this.texts());
        if (this.results.dataset.shown !== undefined && this.results.dataset.stale === undefined) {
            this.results.dataset.stale = '';
            this.tab.staled(this);
        }
    }

    stepCount(button) {
        if (!this.tab.core) {
            return;
        }
        const box = button.parentElement.querySelector('input');
        clearProblems(document);
        const outcome = this.tab.core.steppedCount(box.value, Number(button.dataset.step),
            this.tab.decimalSeparator);
        if (outcome.problem !== undefined) {
            showProblemAt(box, outcome.prompt);
            return;
        }
        box.value = outcome.text;
        box.dispatchEvent(new Event('input', { bubbles: true }));
    }

    // A short text of the shown calculation: system, mode, the inputs it came
    // from and the results, each with its unit, and the address that opens it.
    shareText() {
        const lines = [this.tab.title(), this.form.querySelector('h2').textContent];
        for (const name of this.names) {
            const box = this.tab.control(name);
            const text = this.calculated[name];
            const unit = box.dataset.unit ? ` ${box.dataset.unit}` : '';
            lines.push(`${box.dataset.name}: ${text}${unit}`);
        }
        for (const output of this.written) {
            lines.push(`${output.dataset.name}: ${this.withUnit(output)}`);
        }
        if (this.marker) {
            lines.push(this.results.querySelector('.marker-note').textContent);
        }
        return lines.join('\n');
    }

    async share(button) {
        const done = button.parentElement.querySelector('.done');
        const text = this.shareText();
        const url = this.tab.link();
        done.textContent = '';
        try {
            if (navigator.share) {
                await navigator.share({ title: this.tab.title(), text, url });
                return;
            }
            await navigator.clipboard.writeText(`${text}\n${url}`);
            done.textContent = 'Gekopieerd: plak het in een bericht.';
        } catch (error) {
            // A person who closes the share sheet changed their mind.
            if (error?.name !== 'AbortError') {
                done.textContent = 'Delen lukte niet op dit apparaat.';
            }
        }
    }
}
