// The single-wall tab. Mode 1: angle, diameter and offset give A, B, the
// length between the bends and the vertical offset. Mode 2: angle, diameter
// and numbers of sections give the horizontal and the vertical offset.
//
// Where it parts from the concentric tab:
// - A bend's size depends on the pipe diameter too, and not every angle is
//   made in every diameter. So each mode has a diameter group, closed until
//   an angle is picked in the same mode; the pick fills it with the
//   diameters of that angle and drops the one chosen before.
// - Mode 1 hands the core the angle shown and the angle last picked
//   (pickedAngle), the one its diameter list was made for; the core
//   calculates with the pick and refuses when the box shows another angle.
//   A choice group always shows its pick, but the desktop's box can be
//   typed in, and both faces take the same road.
// - Printen prints the calculators and the diagram on one page once the core
//   finds a pair of results shown. The window's Afsluiten has no
//   counterpart: a browser closes its own tabs.

import { Calculator } from './calculator.js';
import { chosen, offerChoices } from './choices.js';
import { clearProblems, showProblemAt } from './messages.js';
import { printPage } from './printing.js';

export class SingleWallTab extends Calculator {
    constructor(panel) {
        super(panel);
        this.pickedAngle = '';
        this.lengths.boxes.angle.addEventListener('change', () => this.cmbHoekPick());
        this.offsets.boxes.angle.addEventListener('change', () => this.cmbHoek2Pick());
        this.cmdPrinten = this.control('cmdPrinten');
        this.cmdPrinten.addEventListener('click', () => this.cmdPrintenClick());
    }

    load() {
        this.lengths.boxes.diameter.disabled = true;
        this.offsets.boxes.diameter.disabled = true;
        this.fillLists(this.core.singleWallAngleList());
    }

    lengthsStep(inputs) {
        return this.core.singleWallLengths({ ...inputs, pickedAngle: this.pickedAngle },
            this.decimalSeparator);
    }

    offsetsStep(inputs) {
        return this.core.singleWallOffsets(inputs, this.decimalSeparator);
    }

    // A text without a list leaves the items; the group opens either way.
    // Before the core is there, the pick waits: load() offers the angles
    // again with it chosen.
    offerDiameters(group, angleText) {
        if (!this.core) {
            return;
        }
        const diameters = this.core.singleWallDiameterList(angleText);
        if (diameters !== null) {
            offerChoices(group, diameters);
        }
        group.disabled = false;
    }

    cmbHoekPick() {
        this.pickedAngle = chosen(this.lengths.boxes.angle);
        this.offerDiameters(this.lengths.boxes.diameter, this.pickedAngle);
    }

    cmbHoek2Pick() {
        this.offerDiameters(this.offsets.boxes.diameter, chosen(this.offsets.boxes.angle));
    }

    cmdPrintenClick() {
        if (!this.core) {
            return; // nothing calculated yet
        }
        clearProblems(document);
        const shown = (name) => this.control(name).value;
        const problem = this.core.checkWindowPrint(shown('txtLengte'), shown('txtHoogte'),
            shown('txtVerHor'), shown('txtVerVerticaal'));
        if (problem === null) {
            printPage('window');
        } else {
            showProblemAt(this.cmdPrinten, problem.prompt);
        }
    }
}
