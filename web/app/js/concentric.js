// The concentric 100/150 tab. Mode 1: angle and offset give A, B, the length
// between the bends and the vertical offset. Mode 2: angle and numbers of
// sections give the horizontal and the vertical offset. A pick in an angle
// box does nothing: both calculations read their angle box at the click.
//
// Test prints what mode 1 shows, as it stands: the captions and the texts of
// the boxes go to the core, which composes the report; the page then prints
// that text alone, in a fixed-pitch font at 14 pt (see app.css). The core
// refuses when the angle or offset shown is no longer what the results shown
// were calculated from, so the tab keeps those inputs from its last result.

import { Calculator, shownAsProblem } from './calculator.js';
import { printPage } from './printing.js';

export class ConcentricTab extends Calculator {
    constructor(core, panel, report) {
        super(core, panel);
        this.report = report;
        this.resultsFrom = null;
        this.cmdBereken.addEventListener('click', () => this.cmdBerekenClick());
        this.cmdBereken2.addEventListener('click', () => this.cmdBereken2Click());
        this.control('cmdTest').addEventListener('click', () => this.cmdTestClick());
    }

    load() {
        this.fillLists(this.core.concentricAngleList());
    }

    cmdBerekenClick() {
        const outcome = this.core.concentricLengths(
            { angle: this.cmbHoek.value, offset: this.txtHorVersleping.value },
            this.decimalSeparator);
        if (this.showLengths(outcome)) {
            this.resultsFrom = outcome.inputs;
        }
    }

    cmdBereken2Click() {
        this.showOffsets(this.core.concentricOffsets(
            { angle: this.cmbHoek2.value, ...this.countTexts() }, this.decimalSeparator));
    }

    cmdTestClick() {
        const caption = (label) => this.control(label).textContent;
        const outcome = this.core.testReport({
            angle: { caption: caption('Label1'), value: this.cmbHoek.value },
            offset: { caption: caption('Label3'), value: this.txtHorVersleping.value },
            a: { caption: 'A:', value: this.txtA.value },
            b: { caption: 'B:', value: this.txtB.value },
            length: { caption: caption('Label4'), value: this.txtLengte.value },
            vertical: { caption: caption('Label5'), value: this.txtHoogte.value },
        }, this.resultsFrom);
        if (shownAsProblem(outcome)) {
            return;
        }
        this.report.textContent = outcome.report;
        printPage('report');
    }
}
