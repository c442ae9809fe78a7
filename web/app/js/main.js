// Starts the page: loads the calculation core (WebAssembly), sets up the
// tabs, puts back what the address or the device kept, and, once the page
// works, the service worker that keeps it working without a network. Without
// the core there is nothing to calculate with: the page then says so in
// plain text and shows no controls.

import { focusTarget } from './choices.js';
import { ConcentricTab } from './concentric.js';
import { addressFor, readAddress, showAddress } from './keeping.js';
import { PlanTab } from './plan.js';
import { setUpTabs } from './tabs.js';
import { SingleWallTab } from './singlewall.js';
import { watchForUpdates } from './updates.js';

const status = document.getElementById('status');
const app = document.getElementById('app');

async function loadCore() {
    const { default: createOffsetCore } = await import('../offsetcore.js');
    return createOffsetCore();
}

function fail() {
    status.textContent = 'De rekenmodule kon niet worden geladen, dus er kan niets worden '
        + 'berekend. Controleer de verbinding en laad de pagina opnieuw.';
    app.hidden = true;
    document.body.dataset.state = 'failed';
}

// Sets up the tabs on the core; lets them be used only when all went well.
function setUp(core) {
    const counts = document.getElementById('sectionCounts');
    counts.replaceChildren(...core.sectionCountList().map((item) => new Option(item, item)));

    // By panel, in the order of the tab list.
    const tabs = {
        twin: new ConcentricTab(core, document.getElementById('twin'),
            document.getElementById('report')),
        solo: new SingleWallTab(core, document.getElementById('solo')),
        plan: new PlanTab(core, document.getElementById('plan')),
    };
    const firstPanel = Object.keys(tabs)[0];
    let shown = firstPanel;
    const writeAddress = () => {
        const tab = tabs[shown];
        showAddress(addressFor(tab.fragment, tab.params(), shown === firstPanel));
    };
    for (const tab of Object.values(tabs)) {
        tab.load();
        tab.onCalculated = (calculated) => {
            if (calculated === tabs[shown]) {
                writeAddress();
            }
        };
    }

    const opened = readAddress();
    shown = setUpTabs(opened.fragment, (panel, params) => {
        shown = panel;
        if (params) {
            tabs[panel].restore(params);
        }
        writeAddress();
    });
    app.inert = false;
    focusTarget(tabs[shown].firstBox()).focus();
    for (const [panel, tab] of Object.entries(tabs)) {
        tab.restore(panel === shown ? opened.params : null);
    }
    // A handle for the browser tests and the benchmark: what each tab holds.
    window.offsetApp = Object.freeze(tabs);
}

async function start() {
    try {
        setUp(await loadCore());
    } catch {
        return fail();
    }
    document.body.dataset.state = 'ready';
    performance.mark('offset-ready');
    watchForUpdates();
    return undefined;
}

start();
