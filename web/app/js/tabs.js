// The tabs: one per window, and room for more (a tab is a button in the tab
// list, naming its panel and its fragment of the address). The shown tab
// follows the address's fragment (#enkelwandig), so a bookmark, a link or a
// reload opens the same one; the page's title is the window title of the
// shown tab.

import { readAddress } from './keeping.js';

// fragment: the one the page was opened with. onShow(panelId, params) hears
// of every change of tab, with the box texts of an address a person went to
// (null when they picked the tab). Gives the panel shown first.
export function setUpTabs(fragment, onShow) {
    const tabs = [...document.querySelectorAll('[role="tab"]')];
    const panelOf = (tab) => tab.getAttribute('aria-controls');

    const show = (tab) => {
        for (const other of tabs) {
            const selected = other === tab;
            other.setAttribute('aria-selected', String(selected));
            other.tabIndex = selected ? 0 : -1;
            document.getElementById(panelOf(other)).hidden = !selected;
        }
        document.title = tab.dataset.title;
    };

    const named = (wanted) => tabs.find((tab) => tab.dataset.fragment === wanted) ?? tabs[0];

    tabs.forEach((tab, index) => {
        tab.addEventListener('click', () => {
            show(tab);
            onShow(panelOf(tab), null);
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
    window.addEventListener('hashchange', () => {
        const address = readAddress();
        const tab = named(address.fragment);
        show(tab);
        onShow(panelOf(tab), address.params);
    });

    const first = named(fragment);
    show(first);
    return panelOf(first);
}
