// Starts the page. The core (WebAssembly) is fetched and compiled by the
// page's first script (start.js, inline at the top of the page), while the
// rest arrives; meanwhile the tabs are set up without it, put back what the
// address or the device kept, and take typing. Once the core is there it
// joins every tab, which answers what waited for it; then come what the
// first calculation does not need: the diagrams, the icons and manifest,
// and the service worker that keeps the page working without a network.
// Without the core there is nothing to calculate with: the page then says
// so in plain text and shows no controls.

import createOffsetCore from '../offsetcore.js';
import { focusTarget } from './choices.js';
import { ConcentricTab } from './concentric.js';
import { addressFor, readAddress, showAddress } from './keeping.js';
import { calculatedEvent } from './mode.js';
import { PlanTab } from './plan.js';
import { setUpTabs } from './tabs.js';
import { SingleWallTab } from './singlewall.js';
import { watchForUpdates } from './updates.js';

const status = document.getElementById('status');
const app = document.getElementById('app');

// The core from the module start.js compiles; a failure anywhere on the way
// (no WebAssembly, no file, a bad one) rejects.
async function loadCore() {
    const compiled = await window.offsetCoreModule;
    if (!(compiled instanceof WebAssembly.Module)) {
        throw new Error('the core was not compiled');
    }
    return new Promise((resolve, reject) => {
        createOffsetCore({
            instantiateWasm(imports, receiveInstance) {
                WebAssembly.instantiate(compiled, imports)
                    .then((instance) => receiveInstance(instance, compiled), reject);
                return {};
            },
        }).then(resolve, reject);
    });
}

function fail() {
    status.textContent = 'De rekenmodule kon niet worden geladen, dus er kan niets worden '
        + 'berekend. Controleer de verbinding en laad de pagina opnieuw.';
    app.hidden = true;
    document.body.dataset.state = 'failed';
}

// Sets up the tabs, without the core yet, and puts back what was kept.
function setUp() {
    // By panel, in the order of the tab list.
    const tabs = {
        twin: new ConcentricTab(document.getElementById('twin'), document.getElementById('report')),
        solo: new SingleWallTab(document.getElementById('solo')),
        plan: new PlanTab(document.getElementById('plan')),
    };
    const firstPanel = Object.keys(tabs)[0];
    let shown = firstPanel;
    const writeAddress = () => {
        const tab = tabs[shown];
        showAddress(addressFor(tab.fragment, tab.params(), shown === firstPanel));
    };
    app.addEventListener(calculatedEvent, (event) => {
        if (event.target.id === shown) {
            writeAddress();
        }
    });

    const opened = readAddress();
    shown = setUpTabs(opened.fragment, (panel, params) => {
        shown = panel;
        showDiagrams();
        if (params) {
            tabs[panel].restore(params);
        }
        writeAddress();
    });
    for (const [panel, tab] of Object.entries(tabs)) {
        tab.restore(panel === shown ? opened.params : null);
    }
    // Where a person starts; an angle group can take the focus only once
    // its items are there, so this is done again then, if nothing has it.
    const focusStart = () => focusTarget(tabs[shown].firstBox()).focus();
    focusStart();
    // A handle for the browser tests and the benchmark: what each tab holds.
    window.offsetApp = Object.freeze(tabs);
    return { tabs, shownTab: () => tabs[shown], focusStart };
}

// The core joins the tabs: the shown one first, which can calculate from
// then on; the others each in a task of their own, so that a phone's main
// thread is never held long (a press meanwhile waits, as before the core).
const nextTask = () => new Promise((resolve) => { setTimeout(resolve, 0); });
async function attach(tabs, shown, core) {
    const counts = document.getElementById('sectionCounts');
    counts.replaceChildren(...core.sectionCountList().map((item) => new Option(item, item)));
    shown.attach(core);
    performance.mark('offset-ready');
    for (const tab of Object.values(tabs).filter((other) => other !== shown)) {
        await nextTask();
        tab.attach(core);
    }
}

// The diagrams of the tabs shown so far, once a calculation can run: a
// tab's diagram comes when the tab is first shown.
let diagramsShown = false;
function showDiagrams() {
    if (!diagramsShown) {
        return;
    }
    for (const image of document.querySelectorAll('img[data-src]')) {
        if (!image.closest('[hidden]')) {
            image.src = image.dataset.src;
            delete image.dataset.src;
        }
    }
}

// What the first calculation does not need, asked for once it can run.
function loadTheRest() {
    diagramsShown = true;
    showDiagrams();
    // In place of the empty icon that kept the browser from asking for one.
    document.querySelector('link[rel="icon"]').remove();
    document.head.append(document.getElementById('later-head').content.cloneNode(true));
    watchForUpdates();
}

async function start() {
    const { tabs, shownTab, focusStart } = setUp();
    try {
        // Up to its first wait, attach has joined the shown tab.
        const attached = attach(tabs, shownTab(), await loadCore());
        if (document.activeElement === document.body) {
            focusStart();
        }
        await attached;
    } catch {
        return fail();
    }
    document.body.dataset.state = 'ready';
    await nextTask();
    loadTheRest();
    return undefined;
}

start();
