// The single-wall tab. Mode 1: angle, diameter and offset give A, B, the
// length between the bends and the vertical offset. Mode 2: angle, diameter
// and numbers of sections give the horizontal and the vertical offset.
//
// Where it parts from the concentric tab:
// - A bend's size depends on the pipe diameter too, and not every angle is
//   made in every diameter. So each mode has a diameter box, closed until an
//   angle is picked in the same mode; the pick fills it with the diameters of
//   that angle and empties the one chosen before.
// - Mode 1 hands the core what cmbHoek shows and the angle last picked
//   (pickedAngle), the one its diameter list was made for; the core
//   calculates with the pick and refuses when the box shows another angle.
//   A select always shows its pick, but the desktop's box can be typed in,
//   and both faces take the same road.
// - Printen prints the calculators and the diagram on one page once the core
//   finds a pair of results shown. The window's Afsluiten has no
//   counterpart: a browser closes its own tabs.

import { Calculator, offerItems, shownAsProblem } from './calculator.js';
import { printPage } from './printing.js';

export class SingleWallTab extends Calculator {
    constructor(core, panel) {
        super(core, panel);
        this.cmbDiameter = this.control('cmbDiameter');
        this.cmbDiameter2 = this.control('cmbDiameter2');
        this.pickedAngle = '';
        this.cmbHoek.addEventListener('change', () => this.cmbHoekPick());
        this.cmbHoek2.addEventListener('change', () => this.cmbHoek2Pick());
        this.cmdBereken.addEventListener('click', () => this.cmdBerekenClick());
        this.cmdBereken2.addEventListener('click', () => this.cmdBereken2Click());
        this.control('cmdPrinten').addEventListener('click', () => this.cmdPrintenClick());
    }

    load() {
        this.cmbDiameter.disabled = true;
        this.cmbDiameter2.disabled = true;
        this.fillLists(this.core.singleWallAngleList());
    }

    // A text without a list leaves the items; the box opens either way.
    offerDiameters(box, angleText) {
        const diameters = this.core.singleWallDiameterList(angleText);
        if (diameters !== null) {
            offerItems(box, diameters);
        }
        box.disabled = false;
    }

    cmbHoekPick() {
        this.pickedAngle = this.cmbHoek.value;
        this.offerDiameters(this.cmbDiameter, this.pickedAngle);
    }

    cmbHoek2Pick() {
        this.offerDiameters(this.cmbDiameter2, this.cmbHoek2.value);
    }

    cmdBerekenClick() {
        this.showLengths(this.core.singleWallLengths({
            angle: this.cmbHoek.value,
            pickedAngle: this.pickedAngle,
            diameter: this.cmbDiameter.value,
            offset: this.txtHorVersleping.value,
        }, this.decimalSeparator));
    }

    cmdBereken2Click() {
        this.showOffsets(this.core.singleWallOffsets({
            angle: this.cmbHoek2.value,
            diameter: this.cmbDiameter2.value,
            ...this.countTexts(),
        }, this.decimalSeparator));
    }

    cmdPrintenClick() {
        const problem = this.core.checkWindowPrint(this.txtLengte.value, this.txtHoogte.value,
            this.txtVerHor.value, this.txtVerVerticaal.value);
        if (problem === null) {
            printPage('window');
        } else {
            shownAsProblem(problem);
        }
    }
}
