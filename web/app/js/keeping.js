// What the page keeps of a person's work, and where:
// - on the device, the last texts of every mode's boxes, so that the next
//   visit starts where this one ended. Never a result: those come from the
//   core again when the texts are put back.
// - in the address, the texts of the calculations the shown tab shows, as
//   #tab?box=text&..., so that a link (one an office sends to a phone, say)
//   opens them. The fragment never reaches a server.

const storagePrefix = 'offset-web:';

export function keepTexts(key, texts) {
    try {
        localStorage.setItem(storagePrefix + key, JSON.stringify(texts));
    } catch {
        // No storage (a private window, say): the page just forgets.
    }
}

// The kept texts of a mode, or null.
export function keptTexts(key) {
    try {
        const texts = JSON.parse(localStorage.getItem(storagePrefix + key));
        return texts !== null && typeof texts === 'object' ? texts : null;
    } catch {
        return null;
    }
}

// The tab named and the box texts carried by the address. A tab part that
// cannot be read (an escape cut short by a messenger, or typed by hand)
// names no tab, so the first one opens: any address opens the page.
export function readAddress() {
    const hash = location.hash.slice(1);
    const at = hash.indexOf('?');
    return {
        fragment: decoded(at < 0 ? hash : hash.slice(0, at)),
        params: new URLSearchParams(at < 0 ? '' : hash.slice(at + 1)),
    };
}

function decoded(text) {
    try {
        return decodeURIComponent(text);
    } catch {
        return '';
    }
}

// The address of a tab with these box texts; the page's own address when
// it names the first tab with none.
export function addressFor(fragment, params, isFirst = false) {
    const page = location.pathname + location.search;
    if (params.size === 0) {
        return isFirst ? page : `${page}#${fragment}`;
    }
    return `${page}#${fragment}?${params}`;
}

export function showAddress(address) {
    if (address !== location.pathname + location.search + location.hash) {
        history.replaceState(null, '', address);
    }
}
