// Starts the page: loads the calculation core (WebAssembly), sets up both
// tabs and, once the page works, the service worker that keeps it working
// without a network. Without the core there is nothing to calculate with:
// the page then says so in plain text and shows no controls.

import { ConcentricTab } from './concentric.js';
import { SingleWallTab } from './singlewall.js';
import { setUpTabs } from './tabs.js';

const status = document.getElementById('status');

async function loadCore() {
    const { default: createOffsetCore } = await import('../offsetcore.js');
    return createOffsetCore();
}

function fail() {
    status.textContent = 'De rekenmodule kon niet worden geladen, dus er kan niets worden '
        + 'berekend. Controleer de verbinding en laad de pagina opnieuw.';
    status.hidden = false;
    document.getElementById('app').hidden = true;
    document.body.dataset.state = 'failed';
}

// Sets up both tabs on the core; shows them only when all went well.
function setUp(core) {
    const counts = document.getElementById('sectionCounts');
    counts.replaceChildren(...core.sectionCountList().map((item) => new Option(item, item)));

    const twin = new ConcentricTab(core, document.getElementById('twin'),
        document.getElementById('report'));
    const solo = new SingleWallTab(core, document.getElementById('solo'));
    twin.load();
    solo.load();
    const shown = setUpTabs();

    status.hidden = true;
    document.getElementById('app').hidden = false;
    (shown === 'solo' ? solo : twin).cmbHoek.focus();
    // A handle for the browser tests and the benchmark: what each tab holds.
    window.offsetApp = Object.freeze({ twin, solo });
}

async function start() {
    try {
        setUp(await loadCore());
    } catch {
        return fail();
    }
    document.body.dataset.state = 'ready';
    performance.mark('offset-ready');

    if ('serviceWorker' in navigator) {
        navigator.serviceWorker.register('sw.js').catch(() => {
            // Without it the page still works; it just needs the network.
        });
    }
    return undefined;
}

start();
