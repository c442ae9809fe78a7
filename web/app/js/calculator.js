// A tab that is the face of one window: its two modes, and what both
// windows share on the desktop: the held bend pair and the diagram, which
// shows the results of the mode that calculated last at its dimension lines.

import { offerChoices } from './choices.js';
import { calculatedEvent } from './mode.js';
import { Tab } from './tab.js';

export class Calculator extends Tab {
    constructor(panel) {
        super(panel);
        this.heldBend = null;
        this.figure = panel.querySelector('.side');
        this.drawing = panel.querySelector('.drawing');
        this.drawnBy = null;
        for (const name of ['cmbHoek', 'txtHorVersleping', 'cmdBereken', 'txtA', 'txtB',
            'txtLengte', 'txtHoogte', 'cmbHoek2', 'cmb1000', 'cmb500', 'cmb250',
            'cmdBereken2', 'txtVerHor', 'txtVerVerticaal']) {
            this[name] = this.control(name);
        }
        panel.addEventListener(calculatedEvent, (event) => this.draw(event.detail.mode));
    }

    // Tab load, shared part: the angle list into both angle groups; the count
    // boxes keep "0".
    fillLists(angles) {
        offerChoices(this.cmbHoek, angles);
        offerChoices(this.cmbHoek2, angles);
    }

    countTexts(texts) {
        return { n1000: texts.cmb1000, n500: texts.cmb500, n250: texts.cmb250 };
    }

    // The results a mode has written, at their dimension lines.
    draw(mode) {
        const values = mode.drawing();
        for (const label of this.drawing.querySelectorAll('.dimension')) {
            label.textContent = values[label.dataset.for] ?? '';
        }
        this.drawnBy = mode;
        delete this.drawing.dataset.stale;
    }

    staled(mode) {
        if (this.drawnBy === mode) {
            this.drawing.dataset.stale = '';
        }
    }

    showDiagram() {
        this.figure.scrollIntoView({ block: 'start' });
        this.figure.focus({ preventScroll: true });
    }
}
