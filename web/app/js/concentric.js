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

    lengthsStep(inputs) {
        return this.core.concentricLengths(inputs, this.decimalSeparator);
    }

    offsetsStep(inputs) {
        return this.core.concentricOffsets(inputs, this.decimalSeparator);
    }

    cmdTestClick() {
        if (!this.core) {
            return; // nothing calculated yet
        }
        clearProblems(document);
        const field = (label, box) => ({ caption: this.control(label).textContent,
            value: textOf(this.control(box)) });
        const outcome = this.core.testReport({
            angle: field('Label1', 'cmbHoek'),
            offset: field('Label3', 'txtHorVersleping'),
            a: field('Label6', 'txtA'),
            b: field('Label7', 'txtB'),
            length: field('Label4', 'txtLengte'),
            vertical: field('Label5', 'txtHoogte'),
        }, this.resultsFrom);
        if (outcome.problem !== undefined) {
            showProblemAt(this.cmdTest, outcome.prompt);
            return;
        }
        this.report.textContent = outcome.report;
        printPage('report');
    }
}
