// The site as nginx serves it with the project's configuration
// (web/server/site.conf): what a hostile or careless request gets, what a
// browser gets for each file, and that the page runs under its own content
// security policy. Served from a copy of the site that also holds links out
// of its folder.

import assert from 'node:assert/strict';
import { cp, mkdtemp, readFile, rm, symlink } from 'node:fs/promises';
import { request } from 'node:http';
import { connect } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';
import { gunzipSync } from 'node:zlib';
import { Tab, site, state, useBrowser } from './harness.mjs';
import { startServer } from './server.mjs';

useBrowser();
let copy;
let server;
before(async () => {
    copy = await mkdtemp(join(tmpdir(), 'offset-served-site-'));
    await cp(site, copy, { recursive: true });
    await symlink('/', join(copy, 'rootlink'));
    await symlink('/etc/passwd', join(copy, 'passwd.html'));
    server = await startServer(copy);
});
after(async () => {
    await server?.stop();
    await rm(copy, { recursive: true, force: true });
});

// One request as a client sends it, nothing added: the status, the headers
// and the body as it came over the wire (not decompressed).
function get(path, headers = {}, method = 'GET') {
    return new Promise((resolve, reject) => {
        const outgoing = request({ host: '127.0.0.1', port: server.port, path, method, headers,
            agent: false }, (response) => {
            const chunks = [];
            response.on('data', (chunk) => chunks.push(chunk));
            response.on('end', () => resolve({ status: response.statusCode,
                headers: response.headers, body: Buffer.concat(chunks) }));
        });
        outgoing.once('error', reject);
        outgoing.end();
    });
}

// The status of a request line written byte for byte, for targets that no
// HTTP client library would send.
function rawStatus(target) {
    return new Promise((resolve, reject) => {
        const socket = connect(server.port, '127.0.0.1');
        let answer = '';
        socket.setEncoding('latin1');
        socket.on('data', (text) => { answer += text; });
        socket.once('error', reject);
        socket.once('end', () => resolve(Number(/^HTTP\/1\.1 (\d{3})/.exec(answer)?.[1])));
        socket.write(`GET ${target} HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n\r\n`,
            'latin1');
    });
}

describe('requests the server must survive', () => {
    // Each once stopped a server of ours; the first ones are not paths at
    // all, the others try to climb out of the folder.
    const requestLines = [
        ['//[', 400], ['//%', 400], ['/\\[', 400], ['/%', 400], ['/%zz', 400], ['/%00', 400],
        ['/x y', 400], ['*', 400],
        ['/../../etc/passwd', 400], ['/%2e%2e/%2e%2e/etc/passwd', 400],
        ['/..%2f..%2fetc%2fpasswd', 400], ['/js/../../etc/passwd', 400],
        ['/%c0%ae%c0%ae/etc/passwd', 404], ['/%5c..%5cetc%5cpasswd', 404],
        ['//a:99999/', 404], ['/nothing-here.js', 404],
    ];
    it('answers malformed and climbing request lines with 400 or 404, and keeps serving', async () => {
        for (const [target, status] of requestLines) {
            assert.equal(await rawStatus(target), status, target);
        }
        assert.equal((await get('/')).status, 200);
        assert.doesNotThrow(() => process.kill(server.pid, 0), 'the server still runs');
    });

    it('follows no link out of the folder', async () => {
        for (const path of ['/rootlink/etc/passwd', '/passwd.html']) {
            for (const headers of [{}, { 'Accept-Encoding': 'gzip' }]) {
                const { status, body } = await get(path, headers);
                assert.ok(status === 403 || status === 404, `${path}: ${status}`);
                assert.doesNotMatch(body.toString('latin1'), /root:/);
            }
        }
    });

    it('refuses any method but GET and HEAD with 405 and says which are allowed', async () => {
        for (const [method, path] of [['POST', '/'], ['PUT', '/index.html'], ['DELETE', '/sw.js'],
            ['OPTIONS', '/'], ['POST', '/nothing-here']]) {
            const { status, headers } = await get(path, {}, method);
            assert.equal(status, 405, `${method} ${path}`);
            assert.equal(headers.allow, 'GET, HEAD', `${method} ${path}`);
        }
        const head = await get('/offsetcore.wasm', { 'Accept-Encoding': 'gzip' }, 'HEAD');
        assert.equal(head.status, 200);
        assert.equal(head.body.length, 0);
    });
});

describe('what a browser gets', () => {
    // [path, file in the site, type, sent compressed]
    const files = [
        ['/', 'index.html', 'text/html; charset=utf-8', true],
        ['/offsetcore.wasm', 'offsetcore.wasm', 'application/wasm', true],
        ['/app.js', 'app.js', 'text/javascript; charset=utf-8', true],
        ['/sw.js', 'sw.js', 'text/javascript; charset=utf-8', true],
        ['/manifest.webmanifest', 'manifest.webmanifest', 'application/manifest+json; charset=utf-8',
            true],
        ['/icon.svg', 'icon.svg', 'image/svg+xml; charset=utf-8', true],
        ['/images/icon-192.png', 'images/icon-192.png', 'image/png', false],
    ];
    for (const [path, file, type, compressed] of files) {
        const sent = compressed ? 'gzip where accepted' : 'as it is';
        it(`${path}: ${type}, ${sent}, 304 while unchanged`, async () => {
            const original = await readFile(join(copy, file));
            const encodings = [['gzip, deflate, br', compressed], ['gzip', compressed],
                ['gzip;q=0, deflate', false], ['identity', false], [undefined, false]];
            for (const [accept, gzipped] of encodings) {
                const asked = accept ? { 'Accept-Encoding': accept } : {};
                const { status, headers, body } = await get(path, asked);
                assert.equal(status, 200, accept);
                assert.equal(headers['content-type'], type, accept);
                assert.equal(headers['content-encoding'], gzipped ? 'gzip' : undefined, accept);
                assert.deepEqual(gzipped ? gunzipSync(body) : body, original, accept);
                // Both answers may be kept by a cache; each must name what it varies by.
                assert.equal(headers.vary, compressed ? 'Accept-Encoding' : undefined, accept);
                // Asked again on every visit, and answered in a few bytes while unchanged.
                assert.equal(headers['cache-control'], 'no-cache', accept);
                assert.ok(headers['last-modified'], accept);
                const again = await get(path, { ...asked, 'If-None-Match': headers.etag });
                assert.equal(again.status, 304, accept);
            }
        });
    }

    it('sends its security headers on every answer, errors too', async () => {
        for (const path of ['/', '/offsetcore.wasm', '/nothing-here']) {
            const { headers } = await get(path);
            assert.match(headers['content-security-policy'], /frame-ancestors 'none'/, path);
            assert.equal(headers['x-content-type-options'], 'nosniff', path);
            assert.equal(headers['referrer-policy'], 'no-referrer', path);
        }
        // The page's own policy allows no script or style but its files and
        // its inline ones by hash (that those hashes hold is the next test).
        const page = (await get('/')).body.toString('utf8');
        const policy = page.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/)?.[1];
        assert.match(policy ?? '', new RegExp("^default-src 'none'; "
            + "script-src 'self' 'wasm-unsafe-eval' 'sha256-[A-Za-z0-9+/]{43}='; "
            + "style-src 'sha256-[A-Za-z0-9+/]{43}=';"));
    });
});

describe('the page under its content security policy', () => {
    it('loads, installs its service worker and calculates with nothing refused', async () => {
        const context = await state.browser.newContext({ serviceWorkers: 'allow' });
        const page = await context.newPage();
        const problems = [];
        page.on('console', (message) => {
            if (message.type() === 'error' || message.type() === 'warning') {
                problems.push(`${message.text()} (${message.location().url})`);
            }
        });
        page.on('pageerror', (error) => problems.push(String(error)));
        await page.addInitScript(() => {
            document.addEventListener('securitypolicyviolation', (event) => {
                console.error(`refused ${event.blockedURI} by ${event.violatedDirective}`);
            });
        });
        await page.goto(server.base);
        await page.waitForSelector('body:not([data-state="loading"])');
        assert.deepEqual({ state: await page.locator('body').getAttribute('data-state'), problems },
            { state: 'ready', problems: [] });
        // It controls the page once it has stored every file, fetched under
        // its own policy.
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);

        const tab = new Tab(page, 'desktop', []);
        await tab.calculate('twin', { angle: '30', offset: '500' });
        assert.deepEqual(await tab.values(['txtA', 'txtB', 'txtLengte', 'txtHoogte']),
            ['76', '41', '883', '1013']);
        await tab.show('solo');
        assert.ok(await page.locator('#solo .diagram').evaluate((image) => image.complete
            && image.naturalWidth > 0), 'the diagram is shown');
        await context.close();
        assert.deepEqual(problems, []);
    });
});
