// The two tabs, one per window. The shown tab follows the address's fragment
// (#enkelwandig), so a bookmark or a reload opens the same one; the page's
// title is the window title of the shown tab.

const fragments = { twin: '', solo: 'enkelwandig' };

export function setUpTabs() {
    const tabs = [...document.querySelectorAll('[role="tab"]')];

    const show = (tab, focus) => {
        for (const other of tabs) {
            const selected = other === tab;
            other.setAttribute('aria-selected', String(selected));
            other.tabIndex = selected ? 0 : -1;
            document.getElementById(other.getAttribute('aria-controls')).hidden = !selected;
        }
        document.title = tab.dataset.title;
        if (focus) {
            tab.focus();
        }
    };

    const fromFragment = () => {
        const wanted = location.hash.slice(1);
        return tabs.find((tab) => fragments[tab.getAttribute('aria-controls')] === wanted)
            ?? tabs[0];
    };

    tabs.forEach((tab, index) => {
        tab.addEventListener('click', () => {
            const fragment = fragments[tab.getAttribute('aria-controls')];
            history.replaceState(null, '', fragment ? `#${fragment}` : location.pathname);
            show(tab, false);
        });
        tab.addEventListener('keydown', (event) => {
            const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
            if (step) {
                event.preventDefault();
                const next = tabs[(index + step + tabs.length) % tabs.length];
                next.click();
                next.focus();
            }
        });
    });
    window.addEventListener('hashchange', () => show(fromFragment(), false));

    const first = fromFragment();
    show(first, false);
    return first.getAttribute('aria-controls');
}
