// What both tabs share, as both windows share it on the desktop: the controls
// both have, reading texts as numbers, writing results, the held bend pair
// and the messages.
//
// The road of a click, in either tab: the handler tests the boxes for empty
// text in a fixed order (the first failure is shown and ends it), reads each
// value with the decimal separator of the browser's locale (a value that is
// no number is shown and ends it), looks A and B up for the angle (and
// diameter), runs the core and only then writes the outputs and replaces the
// held pair. So after any message, nothing on the tab has changed.
//
// Every number, list, reading and formatting comes from the core; this file
// only moves texts between the page and the core.

import { showMessage } from './messages.js';

export const prompts = Object.freeze({
    enterAngle: 'Hoek invoeren',
    enterOffset: 'Versleping invoeren',
    angleNotANumber: 'Hoek is geen geldig getal',
    offsetNotANumber: 'Versleping is geen geldig getal',
    countNotANumber: 'Aantal secties is geen geldig getal',
    resultTooLarge: 'Uitkomst te groot',
});

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

export class Calculator {
    // panel: the tab's section; system: the core's name of the flue system.
    constructor(core, panel, system) {
        this.core = core;
        this.panel = panel;
        this.system = system;
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

    warn(prompt, title) {
        showMessage(prompt, title);
    }

    // The text as a number, or a message naming the value and null.
    readNumber(text, problem) {
        const value = this.core.parseNumber(text, this.decimalSeparator);
        if (value === null) {
            this.warn(problem);
        }
        return value;
    }

    readCounts() {
        const counts = [];
        for (const box of [this.cmb1000, this.cmb500, this.cmb250]) {
            const value = this.readNumber(box.value, prompts.countNotANumber);
            if (value === null) {
                return null;
            }
            counts.push(value);
        }
        return counts;
    }

    wholeNumberText(value) {
        return this.core.formatWholeNumber(value);
    }

    // Mode 1 with the values the click read and the row it found: writes
    // txtLengte, txtHoogte, txtA and txtB, in that order, and holds the row.
    Bereken(angle, offset, row) {
        const lengths = this.core.lengthsFromOffset(this.system, angle, offset, row.a, row.b);
        if (lengths === null) {
            return this.warn(prompts.resultTooLarge);
        }
        this.heldBend = { a: row.a, b: row.b };
        const marker = this.core.negativeMarker();
        this.txtLengte.value = lengths.negative ? marker : this.wholeNumberText(lengths.length);
        this.txtHoogte.value = lengths.negative ? marker : this.wholeNumberText(lengths.vertical);
        this.txtA.value = this.wholeNumberText(row.a);
        this.txtB.value = this.wholeNumberText(row.b);
    }

    // Mode 2 likewise: writes txtVerHor, then txtVerVerticaal, and holds the
    // row. Neither writes anything when the result is too large to show.
    BerekenSecties(angle, counts, row) {
        const offsets = this.core.offsetsFromSections(this.system, angle, counts[0], counts[1],
            counts[2], row.a, row.b);
        if (offsets === null) {
            return this.warn(prompts.resultTooLarge);
        }
        this.heldBend = { a: row.a, b: row.b };
        this.txtVerHor.value = this.wholeNumberText(offsets.horizontal);
        this.txtVerVerticaal.value = this.wholeNumberText(offsets.vertical);
    }
}
