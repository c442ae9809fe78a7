// Lighthouse scores of the web edition, by hand, never in CI: each category
// for the mobile and the desktop settings, several runs each, with Debian's
// Chromium and the Lighthouse pinned in tests/web (npm ci there first).
// Serve the site first (scripts/run.sh web), then:
//
//   node bench/lighthouse.mjs http://localhost:8080/ [RUNS]

import { execFile } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

const run = promisify(execFile);
const cli = fileURLToPath(new URL('../tests/web/node_modules/lighthouse/cli/index.js', import.meta.url));
const [address, runsText = '3'] = process.argv.slice(2);
if (!address) {
    console.error('usage: node bench/lighthouse.mjs ADDRESS [RUNS]');
    process.exit(2);
}

const folder = await mkdtemp(join(tmpdir(), 'offset-lighthouse-'));
try {
    for (const form of ['mobile', 'desktop']) {
        for (let index = 1; index <= Number(runsText); index += 1) {
            const report = join(folder, `${form}-${index}.json`);
            await run(process.execPath, [cli, address, '--quiet', '--output=json',
                `--output-path=${report}`, '--chrome-flags=--headless --no-sandbox',
                ...(form === 'desktop' ? ['--preset=desktop'] : [])],
            { env: { ...process.env, CHROME_PATH: '/usr/bin/chromium' } });
            const { categories, audits } = JSON.parse(await readFile(report, 'utf8'));
            const scores = Object.values(categories)
                .map((category) => `${category.title} ${Math.round(category.score * 100)}`);
            const shown = (id) => audits[id].displayValue.replace(/\s+/g, ' ');
            console.log(`${form} run ${index}: ${scores.join(', ')} (LCP ${shown('largest-contentful-paint')}, `
                + `total blocking time ${shown('total-blocking-time')}, `
                + `speed index ${shown('speed-index')})`);
        }
    }
} finally {
    await rm(folder, { recursive: true, force: true });
}
