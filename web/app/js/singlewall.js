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
        this.cmbDiameter = this.control('cmbDiameter');
        this.cmbDiameter2 = this.control('cmbDiameter2');
        this.pickedAngle = '';
        this.cmbHoek.addEventListener('change', () => this.cmbHoekPick());
        this.cmbHoek2.addEventListener('change', () => this.cmbHoek2Pick());
        this.addMode('mode1', {
            boxes: { angle: 'cmbHoek', diameter: 'cmbDiameter', offset: 'txtHorVersleping' },
            outputs: { txtLengte: 'length', txtHoogte: 'vertical', txtA: 'a', txtB: 'b' },
            drawn: { length: 'txtLengte', vertical: 'txtHoogte', horizontal: 'txtHorVersleping',
                a: 'txtA', b: 'txtB' },
            step: (texts) => this.core.singleWallLengths({
                angle: texts.cmbHoek,
                pickedAngle: this.pickedAngle,
                diameter: texts.cmbDiameter,
                offset: texts.txtHorVersleping,
            }, this.decimalSeparator),
        });
        this.addMode('mode2', {
            boxes: { angle: 'cmbHoek2', diameter: 'cmbDiameter2', n1000: 'cmb1000',
                n500: 'cmb500', n250: 'cmb250' },
            outputs: { txtVerHor: 'horizontal', txtVerVerticaal: 'vertical' },
            drawn: { horizontal: 'txtVerHor', vertical: 'txtVerVerticaal' },
            step: (texts) => this.core.singleWallOffsets({
                angle: texts.cmbHoek2,
                diameter: texts.cmbDiameter2,
                ...this.countTexts(texts),
            }, this.decimalSeparator),
        });
        this.cmdPrinten = this.control('cmdPrinten');
        this.cmdPrinten.addEventListener('click', () => this.cmdPrintenClick());
    }

    load() {
        this.cmbDiameter.disabled = true;
        this.cmbDiameter2.disabled = true;
        this.fillLists(this.core.singleWallAngleList());
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
        this.pickedAngle = chosen(this.cmbHoek);
        this.offerDiameters(this.cmbDiameter, this.pickedAngle);
    }

    cmbHoek2Pick() {
        this.offerDiameters(this.cmbDiameter2, chosen(this.cmbHoek2));
    }

    cmdPrintenClick() {
        if (!this.core) {
            return; // nothing calculated yet
        }
        clearProblems(document);
        const problem = this.core.checkWindowPrint(this.txtLengte.value, this.txtHoogte.value,
            this.txtVerHor.value, this.txtVerVerticaal.value);
        if (problem === null) {
            printPage('window');
        } else {
            showProblemAt(this.cmdPrinten, problem.prompt);
        }
    }
}
