// The concentric 100/150 tab. Mode 1: angle and offset give A, B, the length
// between the bends and the vertical offset. Mode 2: angle and numbers of
// sections give the horizontal and the vertical offset. A pick in an angle
// box does nothing: both calculations read their angle box at the click.
//
// Test prints what mode 1 shows, as it stands: the captions and the texts of
// the boxes go to the core, which composes the report; the page then prints
// that text alone, in a fixed-pitch font at 14 pt (see app.css).

import { Calculator, prompts } from './calculator.js';
import { printPage } from './printing.js';

const noBendForAngle = 'Geen bochtmaten voor deze hoek';

export class ConcentricTab extends Calculator {
    constructor(core, panel, report) {
        super(core, panel, 'concentric');
        this.report = report;
        this.cmdBereken.addEventListener('click', () => this.cmdBerekenClick());
        this.cmdBereken2.addEventListener('click', () => this.cmdBereken2Click());
        this.control('cmdTest').addEventListener('click', () => this.cmdTestClick());
    }

    load() {
        this.fillLists(this.core.concentricAngleList());
    }

    cmdBerekenClick() {
        if (this.cmbHoek.value === '') {
            return this.warn(prompts.enterAngle);
        }
        if (this.txtHorVersleping.value === '') {
            return this.warn(prompts.enterOffset);
        }
        const angle = this.readNumber(this.cmbHoek.value, prompts.angleNotANumber);
        if (angle === null) {
            return undefined;
        }
        const offset = this.readNumber(this.txtHorVersleping.value, prompts.offsetNotANumber);
        if (offset === null) {
            return undefined;
        }
        const row = this.core.lookupConcentricBend(angle);
        if (row === null) {
            return this.warn(noBendForAngle);
        }
        return this.Bereken(angle, offset, row);
    }

    cmdBereken2Click() {
        if (this.cmbHoek2.value === '') {
            return this.warn(prompts.enterAngle);
        }
        const angleText = this.cmbHoek2.value;
        const counts = this.readCounts();
        if (counts === null) {
            return undefined;
        }
        const angle = this.readNumber(angleText, prompts.angleNotANumber);
        if (angle === null) {
            return undefined;
        }
        // Mode 2 never runs with a pair that belongs to another angle.
        const row = this.core.lookupConcentricBend(angle);
        if (row === null) {
            return this.warn(noBendForAngle);
        }
        return this.BerekenSecties(angle, counts, row);
    }

    cmdTestClick() {
        const caption = (label) => this.control(label).textContent;
        this.report.textContent = this.core.composeReport({
            angle: { caption: caption('Label1'), value: this.cmbHoek.value },
            offset: { caption: caption('Label3'), value: this.txtHorVersleping.value },
            a: { caption: 'A:', value: this.txtA.value },
            b: { caption: 'B:', value: this.txtB.value },
            length: { caption: caption('Label4'), value: this.txtLengte.value },
            vertical: { caption: caption('Label5'), value: this.txtHoogte.value },
        });
        printPage('report');
    }
}
