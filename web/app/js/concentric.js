// The concentric 100/150 tab. Mode 1: angle and offset give A, B, the length
// between the bends and the vertical offset. Mode 2: angle and numbers of
// sections give the horizontal and the vertical offset. A pick in an angle
// group does nothing: both calculations read their angle at the click.
//
// Test prints what mode 1 shows, as it stands: the captions and the texts of
// the boxes go to the core, which composes the report; the page then prints
// that text alone, in a fixed-pitch font at 14 pt (see app.css). The core
// refuses when the angle or offset shown is no longer what the results shown
// were calculated from, so the tab keeps those inputs from its last result.

import { Calculator } from './calculator.js';
import { clearProblems, showProblemAt } from './messages.js';
import { calculatedEvent, textOf } from './mode.js';
import { printPage } from './printing.js';

export class ConcentricTab extends Calculator {
    constructor(panel, report) {
        super(panel);
        this.report = report;
        this.resultsFrom = null;
        this.lengths = this.addMode('mode1', {
            boxes: { angle: 'cmbHoek', offset: 'txtHorVersleping' },
            outputs: { txtLengte: 'length', txtHoogte: 'vertical', txtA: 'a', txtB: 'b' },
            drawn: { length: 'txtLengte', vertical: 'txtHoogte', horizontal: 'txtHorVersleping',
                a: 'txtA', b: 'txtB' },
            step: (texts) => this.core.concentricLengths(
                { angle: texts.cmbHoek, offset: texts.txtHorVersleping }, this.decimalSeparator),
        });
        this.addMode('mode2', {
            boxes: { angle: 'cmbHoek2', n1000: 'cmb1000', n500: 'cmb500', n250: 'cmb250' },
            outputs: { txtVerHor: 'horizontal', txtVerVerticaal: 'vertical' },
            drawn: { horizontal: 'txtVerHor', vertical: 'txtVerVerticaal' },
            step: (texts) => this.core.concentricOffsets(
                { angle: texts.cmbHoek2, ...this.countTexts(texts) }, this.decimalSeparator),
        });
        panel.addEventListener(calculatedEvent, ({ detail: { mode, outcome } }) => {
            if (mode === this.lengths) {
                this.resultsFrom = outcome.inputs;
            }
        });
        this.cmdTest = this.control('cmdTest');
        this.cmdTest.addEventListener('click', () => this.cmdTestClick());
    }

    load() {
        this.fillLists(this.core.concentricAngleList());
    }

    cmdTestClick() {
        if (!this.core) {
            return; // nothing calculated yet
        }
        clearProblems(document);
        const caption = (label) => this.control(label).textContent;
        const outcome = this.core.testReport({
            angle: { caption: caption('Label1'), value: textOf(this.cmbHoek) },
            offset: { caption: caption('Label3'), value: this.txtHorVersleping.value },
            a: { caption: caption('Label6'), value: this.txtA.value },
            b: { caption: caption('Label7'), value: this.txtB.value },
            length: { caption: caption('Label4'), value: this.txtLengte.value },
            vertical: { caption: caption('Label5'), value: this.txtHoogte.value },
        }, this.resultsFrom);
        if (outcome.problem !== undefined) {
            showProblemAt(this.cmdTest, outcome.prompt);
            return;
        }
        this.report.textContent = outcome.report;
        printPage('report');
    }
}
