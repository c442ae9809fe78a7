// The manifest's two screenshots: the concentric tab with a worked example,
// at phone size (narrow) and at desktop size (wide), taken in Debian's
// Chromium from an assembled site. Run by web/app/images/make.sh.
//
//   node make-screenshots.mjs SITE_FOLDER OUT_FOLDER

import { createRequire } from 'node:module';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

const tests = fileURLToPath(new URL('../../../tests/web/', import.meta.url));
const { chromium } = createRequire(join(tests, 'package.json'))('playwright-core');
const { startServer } = await import(join(tests, 'server.mjs'));

const [site, out] = process.argv.slice(2);
const server = await startServer(site);
const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--headless'],
});
try {
    for (const [name, viewport, mobile] of [['narrow', { width: 360, height: 740 }, true],
        ['wide', { width: 1280, height: 800 }, false]]) {
        const context = await browser.newContext({
            viewport, isMobile: mobile, hasTouch: mobile, locale: 'nl-NL', serviceWorkers: 'block',
            colorScheme: 'light', deviceScaleFactor: 1,
        });
        const page = await context.newPage();
        await page.goto(`${server.base}#concentrisch?cmbHoek=30&txtHorVersleping=500`);
        await page.waitForSelector('body[data-state="ready"]');
        // The diagram comes once the page can calculate.
        await page.waitForFunction(() => [...document.querySelectorAll('img.diagram')]
            .filter((image) => !image.closest('[hidden]'))
            .every((image) => image.complete && image.naturalWidth > 0));
        await page.evaluate(() => {
            document.activeElement.blur();
            window.scrollTo(0, 0);
        });
        await page.screenshot({ path: join(out, `screenshot-${name}.png`) });
        await context.close();
    }
} finally {
    await browser.close();
    await server.stop();
}
