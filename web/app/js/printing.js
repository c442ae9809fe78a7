// Printing through the browser's print dialog. What goes on paper is chosen
// by the print stylesheet (app.css) from data-print on the body: "report",
// the concentric report text alone; "window", the shown tab's calculators
// and diagram on one page. Printing from the browser's own menu prints the
// shown tab.

export function printPage(what) {
    document.body.dataset.print = what;
    window.print();
}

window.addEventListener('afterprint', () => {
    delete document.body.dataset.print;
});
