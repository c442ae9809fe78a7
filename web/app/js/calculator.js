// A tab that is the face of one window: its two modes, and what both
// windows share on the desktop: the held bend pair and the diagram, which
// shows the results of the mode that calculated last at its dimension lines.

import { offerChoices } from './choices.js';
import { calculatedEvent } from './mode.js';
import { Tab } from './tab.js';

// The two modes of both windows: the boxes, by the core's name of each
// input, in the order of the form (a diameter only where the window has
// one), and the control whose text the diagram shows at each dimension line.
const modes = {
    mode1: {
        boxes: { angle: 'cmbHoek', diameter: 'cmbDiameter', offset: 'txtHorVersleping' },
        drawn: { length: 'txtLengte', vertical: 'txtHoogte', horizontal: 'txtHorVersleping',
            a: 'txtA', b: 'txtB' },
    },
    mode2: {
        boxes: { angle: 'cmbHoek2', diameter: 'cmbDiameter2', n1000: 'cmb1000', n500: 'cmb500',
            n250: 'cmb250' },
        drawn: { horizontal: 'txtVerHor', vertical: 'txtVerVerticaal' },
    },
};

// A tab of this kind gives the core's step of each mode, for the texts by
// input: lengthsStep(inputs) and offsetsStep(inputs).
export class Calculator extends Tab {
    constructor(panel) {
        super(panel);
        this.heldBend = null;
        this.figure = panel.querySelector('.side');
        this.drawing = panel.querySelector('.drawing');
        this.drawnBy = null;
        const addMode = (suffix, step) => {
            const { boxes, drawn } = modes[suffix];
            const here = Object.entries(boxes)
                .filter(([, name]) => panel.querySelector(`#${panel.id}-${name}`) !== null);
            return this.addMode(suffix, { boxes: Object.fromEntries(here), drawn, step });
        };
        this.lengths = addMode('mode1', (inputs) => this.lengthsStep(inputs));
        this.offsets = addMode('mode2', (inputs) => this.offsetsStep(inputs));
        panel.addEventListener(calculatedEvent, (event) => this.draw(event.detail.mode));
    }

    // Tab load, shared part: the angle list into both angle groups; the count
    // boxes keep "0".
    fillLists(angles) {
        offerChoices(this.lengths.boxes.angle, angles);
        offerChoices(this.offsets.boxes.angle, angles);
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
