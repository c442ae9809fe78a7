// What every tab has: its panel, its modes, and a place in the address.
//
// The tabs are there, and take typing, before the core is: a Bereken
// pressed (or kept texts put back) while the core still loads waits, and is
// answered as soon as the core arrives (Tab.attach).

import { addressFor, keptTexts } from './keeping.js';
import { Mode } from './mode.js';

// The decimal separator of the browser's locale, as the desktop takes that
// of the user's locale. Asked for at the first calculation, not at start:
// the browser's first number format costs it tens of milliseconds.
let decimalSeparator;
function localeDecimalSeparator() {
    if (decimalSeparator === undefined) {
        const parts = new Intl.NumberFormat().formatToParts(1.5);
        decimalSeparator = parts.find((part) => part.type === 'decimal')?.value ?? '.';
    }
    return decimalSeparator;
}

export class Tab {
    // panel: the tab's section. The core comes later (attach).
    constructor(panel) {
        this.core = null;
        this.waiting = new Map(); // mode -> how it is to calculate once the core is there
        this.panel = panel;
        this.modes = [];
        // What names the tab in the address, as its tab button says.
        this.fragment = document.getElementById(panel.getAttribute('aria-labelledby'))
            .dataset.fragment;
    }

    // The core has arrived: the tab's lists, then every calculation that
    // waited for it, in the order they were asked for.
    attach(core) {
        this.core = core;
        this.load();
        const waiting = [...this.waiting];
        this.waiting.clear();
        for (const [mode, options] of waiting) {
            mode.form.removeAttribute('aria-busy');
            mode.calculate(options);
        }
    }

    // A calculation asked for before the core is there; a later one of the
    // same mode replaces it (a Bereken after a quiet restore speaks up).
    waitFor(mode, options) {
        this.waiting.set(mode, options);
        mode.form.setAttribute('aria-busy', 'true');
    }

    load() {}

    get decimalSeparator() {
        return localeDecimalSeparator();
    }

    control(name) {
        const found = this.panel.querySelector(`#${this.panel.id}-${name}`);
        if (!found) {
            throw new Error(`no control ${name} on ${this.panel.id}`);
        }
        return found;
    }

    addMode(suffix, options, Kind = Mode) {
        const mode = new Kind(this, suffix, options);
        this.modes.push(mode);
        return mode;
    }

    // Where a person starts: the first box of the first mode.
    firstBox() {
        return this.control(this.modes[0].names[0]);
    }

    title() {
        return this.panel.querySelector('h1').textContent;
    }

    staled() {}

    // The box texts of every mode's shown calculation, for the address.
    params() {
        const params = new URLSearchParams();
        for (const mode of this.modes) {
            for (const [name, text] of Object.entries(mode.calculated ?? {})) {
                params.set(name, text);
            }
        }
        return params;
    }

    // The whole address that opens this tab with its shown calculations.
    link() {
        return new URL(addressFor(this.fragment, this.params()), location.href).href;
    }

    // Each mode's texts from the address where it names any of its boxes,
    // else as kept on the device, calculated again by the core (once it is
    // there). A problem shows only for what the address asked for.
    restore(params) {
        for (const mode of this.modes) {
            const named = mode.names.filter((name) => params?.has(name));
            const texts = named.length
                ? Object.fromEntries(named.map((name) => [name, params.get(name)]))
                : keptTexts(mode.key);
            if (texts) {
                mode.fill(texts);
                mode.calculate({ quiet: named.length === 0 });
            }
        }
    }
}
