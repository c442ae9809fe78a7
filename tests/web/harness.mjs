// What every browser test needs: Debian's Chromium driven by playwright-core
// (never a downloaded browser), the assembled site served by nginx with the
// project's configuration on a free port of localhost (server.mjs), and a
// driver that works a tab as a person would.

import { after, before } from 'node:test';
import { chromium } from 'playwright-core';
import { startServer } from './server.mjs';

export const site = process.env.OFFSET_WEB_SITE;
if (!site) {
    throw new Error('OFFSET_WEB_SITE must name the assembled site folder');
}

export const viewports = {
    phone: { viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true },
    desktop: { viewport: { width: 1280, height: 800 } },
};

export const state = {};

// One browser and one server for the whole file. Playwright starts the
// browser with a fresh profile of its own in a temporary folder.
export function useBrowser() {
    before(async () => {
        state.browser = await chromium.launch({
            executablePath: '/usr/bin/chromium',
            args: ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync'],
        });
        state.server = await startServer(site);
        state.base = state.server.base;
    });
    after(async () => {
        await state.browser?.close();
        await state.server?.stop();
    });
}

// A tab of the app, opened in a new context, ready to calculate.
// The service worker only where a test asks for it: it has tests of its own.
// A test that injects a script of its own asks to bypass the page's content
// security policy, which refuses inline scripts.
export async function openApp(kind, { locale = 'nl-NL', fragment = '', base = state.base,
    serviceWorkers = 'block', bypassCSP = false } = {}) {
    const context = await state.browser.newContext({ ...viewports[kind], locale, serviceWorkers,
        bypassCSP });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(base + fragment);
    await page.waitForSelector('body[data-state="ready"]');
    return new Tab(page, kind, errors);
}

export class Tab {
    constructor(page, kind, errors) {
        this.page = page;
        this.touch = kind === 'phone';
        this.errors = errors;
        this.prefix = 'twin';
    }

    async close() {
        await this.page.context().close();
        if (this.errors.length) {
            throw this.errors[0];
        }
    }

    async show(prefix) {
        this.prefix = prefix;
        await this.press(`#tab-${prefix}`);
    }

    control(name) {
        return this.page.locator(`#${this.prefix}-${name}`);
    }

    // A tap on a phone, a click elsewhere.
    async press(selector) {
        const target = this.page.locator(selector);
        await (this.touch ? target.tap() : target.click());
    }

    async click(name) {
        await this.press(`#${this.prefix}-${name}`);
    }

    // One tap on the choice named by its item text.
    async pick(name, item) {
        await this.press(`#${this.prefix}-${name} label.choice:has(input[value="${item}"])`);
    }

    async type(name, text) {
        await this.control(name).fill(text);
    }

    // Mode 1 as a person enters it: the angle, the diameter where the tab
    // has one, the offset, then Bereken.
    async calculate(prefix, { angle, diameter, offset }) {
        await this.show(prefix);
        await this.pick('cmbHoek', angle);
        if (diameter) {
            await this.pick('cmbDiameter', diameter);
        }
        await this.type('txtHorVersleping', offset);
        await this.click('cmdBereken');
    }

    // What each box shows; a choice group shows its chosen item or nothing.
    async values(names) {
        const ids = names.map((name) => `${this.prefix}-${name}`);
        return this.page.evaluate((list) => list.map((id) => {
            const box = document.getElementById(id);
            return box.matches('fieldset') ? box.querySelector('input:checked')?.value ?? ''
                : box.value;
        }), ids);
    }

    async items(name) {
        return this.control(name).getByRole('radio').evaluateAll(
            (radios) => radios.map((radio) => radio.labels[0].textContent));
    }

    async held() {
        return this.page.evaluate((prefix) => window.offsetApp[prefix].heldBend, this.prefix);
    }

    // Everything a person can see or change on both tabs, and what each tab
    // holds, to tell that nothing changed.
    async snapshot() {
        return this.page.evaluate(() => ({
            values: [...document.querySelectorAll('input, output')]
                .map((box) => `${box.id || box.name}=${box.value}|${box.checked}|${box.disabled}`),
            groups: [...document.querySelectorAll('fieldset')]
                .map((group) => `${group.id}|${group.disabled}`),
            held: [window.offsetApp.twin.heldBend, window.offsetApp.solo.heldBend],
            picked: window.offsetApp.solo.pickedAngle,
            resultsFrom: window.offsetApp.twin.resultsFrom,
        }));
    }

    // The problem shown, as [prompt, the box it is at]; none: null.
    async problem() {
        return this.page.evaluate(() => {
            const alerts = [...document.querySelectorAll('[role="alert"]')];
            if (alerts.length > 1) {
                throw new Error(`${alerts.length} problems shown: ${alerts.map((a) => a.dataset.box + ' ' + a.textContent).join('; ')}`);
            }
            return alerts.length ? [alerts[0].textContent, alerts[0].dataset.box] : null;
        });
    }
}
