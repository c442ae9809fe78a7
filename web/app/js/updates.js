// Working without a network and taking up new versions. The service worker
// (sw.js) keeps every file of a version; a new version takes over as soon as
// it has stored its files. This page was loaded from the old one, so it
// offers to load the new one instead of leaving that to the next launch.

export function watchForUpdates() {
    if (!('serviceWorker' in navigator)) {
        return;
    }
    // On the first visit the worker's taking over is no new version.
    let controlled = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
        if (controlled) {
            document.getElementById('update-offer').hidden = false;
        }
        controlled = true;
    });
    document.getElementById('update-load').addEventListener('click', () => location.reload());
    navigator.serviceWorker.register('sw.js').catch(() => {
        // Without it the page still works; it just needs the network.
    });
}
