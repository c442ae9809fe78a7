// The single-wall tab. Mode 1: angle, diameter and offset give A, B, the
// length between the bends and the vertical offset. Mode 2: angle, diameter
// and numbers of sections give the horizontal and the vertical offset.
//
// Where it parts from the concentric tab:
// - A bend's size depends on the pipe diameter too, and not every angle is
//   made in every diameter. So each mode has a diameter box, closed until an
//   angle is picked in the same mode; the pick fills it with the diameters of
//   that angle and empties the one chosen before.
// - Mode 1 calculates with the angle last picked (pickedAngle), the one its
//   diameter list was made for. Mode 2 reads cmbHoek2 at the click.
// - Printen prints the calculators and the diagram on one page once either
//   pair of results is shown. The window's Afsluiten has no counterpart: a
//   browser closes its own tabs.

import { Calculator, offerItems, prompts } from './calculator.js';
import { titles } from './messages.js';
import { printPage } from './printing.js';

const enterDiameter = 'Diameter invoeren';
const diameterNotANumber = 'Diameter is geen geldig getal';
const noBendForAngleAndDiameter = 'Geen bochtmaten voor deze hoek en diameter';
const enterValues = 'Voer waarden in';

export class SingleWallTab extends Calculator {
    constructor(core, panel) {
        super(core, panel, 'singleWall');
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
        if (this.cmbHoek.value === '') {
            return this.warn(prompts.enterAngle);
        }
        if (this.cmbDiameter.value === '') {
            return this.warn(enterDiameter);
        }
        if (this.txtHorVersleping.value === '') {
            return this.warn(prompts.enterOffset);
        }
        const diameter = this.readNumber(this.cmbDiameter.value, diameterNotANumber);
        if (diameter === null) {
            return undefined;
        }
        // What cmbHoek shows served only the test above.
        const angle = this.readNumber(this.pickedAngle, prompts.angleNotANumber);
        if (angle === null) {
            return undefined;
        }
        const offset = this.readNumber(this.txtHorVersleping.value, prompts.offsetNotANumber);
        if (offset === null) {
            return undefined;
        }
        const row = this.core.lookupSingleWallBend(diameter, angle);
        if (row === null) {
            return this.warn(noBendForAngleAndDiameter);
        }
        return this.Bereken(angle, offset, row);
    }

    cmdBereken2Click() {
        if (this.cmbHoek2.value === '') {
            return this.warn(prompts.enterAngle);
        }
        if (this.cmbDiameter2.value === '') {
            return this.warn(enterDiameter);
        }
        const angleText = this.cmbHoek2.value;
        const diameterText = this.cmbDiameter2.value;
        const counts = this.readCounts();
        if (counts === null) {
            return undefined;
        }
        const diameter = this.readNumber(diameterText, diameterNotANumber);
        if (diameter === null) {
            return undefined;
        }
        const angle = this.readNumber(angleText, prompts.angleNotANumber);
        if (angle === null) {
            return undefined;
        }
        // Mode 2 never runs with a pair that belongs to another diameter or angle.
        const row = this.core.lookupSingleWallBend(diameter, angle);
        if (row === null) {
            return this.warn(noBendForAngleAndDiameter);
        }
        return this.BerekenSecties(angle, counts, row);
    }

    cmdPrintenClick() {
        const lengthsShown = this.txtLengte.value !== '' && this.txtHoogte.value !== '';
        const offsetsShown = this.txtVerHor.value !== '' && this.txtVerVerticaal.value !== '';
        if (!lengthsShown && !offsetsShown) {
            return this.warn(enterValues, titles.printCheck);
        }
        return printPage('window');
    }
}
