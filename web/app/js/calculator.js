// What both tabs share, as both windows share it on the desktop: the controls
// both have, the held bend pair, and what a tab does with an outcome.
//
// The road of a click, in either tab: the handler collects the texts its
// boxes show and hands them, with the decimal separator of the browser's
// locale, to the core's step for its system and mode. The step does all the
// checking, reading, looking up and calculating. Its outcome is a problem,
// whose message is shown while nothing on the tab changes, or the texts to
// write into the outputs and the bend pair to hold from then on.

import { showMessage } from './messages.js';

// The decimal separator of the browser's locale, as the desktop takes that
// of the user's locale.
export function localeDecimalSeparator() {
    const parts = new Intl.NumberFormat().formatToParts(1.5);
    const decimal = parts.find((part) => part.type === 'decimal');
    return decimal ? decimal.value : '.';
}

// Replaces a select's entries by a blank first entry (no value) and the
// items, and shows the blank one.
export function offerItems(select, items) {
    const entries = [new Option('', '')];
    for (const item of items) {
        entries.push(new Option(item, item));
    }
    select.replaceChildren(...entries);
    select.value = '';
}

// Shows the message of an outcome that is a problem; true if it was one.
export function shownAsProblem(outcome) {
    if (outcome.problem === undefined) {
        return false;
    }
    showMessage(outcome.prompt, outcome.title);
    return true;
}

export class Calculator {
    // panel: the tab's section.
    constructor(core, panel) {
        this.core = core;
        this.panel = panel;
        this.decimalSeparator = localeDecimalSeparator();
        this.heldBend = null;
        for (const name of ['cmbHoek', 'txtHorVersleping', 'cmdBereken', 'txtA', 'txtB',
            'txtLengte', 'txtHoogte', 'cmbHoek2', 'cmb1000', 'cmb500', 'cmb250',
            'cmdBereken2', 'txtVerHor', 'txtVerVerticaal']) {
            this[name] = this.control(name);
        }
    }

    control(name) {
        const found = this.panel.querySelector(`#${this.panel.id}-${name}`);
        if (!found) {
            throw new Error(`no control ${name} on ${this.panel.id}`);
        }
        return found;
    }

    // Tab load, shared part: the angle list into both angle boxes; the count
    // boxes keep "0" and are offered the counts.
    fillLists(angles) {
        offerItems(this.cmbHoek, angles);
        offerItems(this.cmbHoek2, angles);
    }

    countTexts() {
        return { n1000: this.cmb1000.value, n500: this.cmb500.value, n250: this.cmb250.value };
    }

    // Mode 1's outcome: txtLengte, txtHoogte, txtA and txtB, in that order,
    // and the pair. True when the results were written.
    showLengths(outcome) {
        if (shownAsProblem(outcome)) {
            return false;
        }
        this.heldBend = outcome.heldBend;
        this.txtLengte.value = outcome.length;
        this.txtHoogte.value = outcome.vertical;
        this.txtA.value = outcome.a;
        this.txtB.value = outcome.b;
        return true;
    }

    // Mode 2's outcome: txtVerHor, then txtVerVerticaal, and the pair.
    showOffsets(outcome) {
        if (shownAsProblem(outcome)) {
            return;
        }
        this.heldBend = outcome.heldBend;
        this.txtVerHor.value = outcome.horizontal;
        this.txtVerVerticaal.value = outcome.vertical;
    }
}
