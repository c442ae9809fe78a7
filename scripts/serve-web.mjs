// A small static file server for the web edition, with Node's standard
// library only: the right type for .wasm and the manifest, gzip where the
// browser accepts it (as a production server would send the files), and
// nothing outside the served folder.
//
//   node scripts/serve-web.mjs FOLDER [PORT]    (PORT 0: any free port)
//
// Prints the address it serves on; Ctrl+C stops it.

import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.json': 'application/json',
    '.webmanifest': 'application/manifest+json',
    '.wasm': 'application/wasm',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
    '.txt': 'text/plain; charset=utf-8',
};
const compressible = new Set(['.html', '.css', '.js', '.mjs', '.json', '.webmanifest', '.wasm',
    '.svg', '.txt']);

async function fileFor(root, urlPath) {
    let path;
    try {
        path = resolve(root, `.${decodeURIComponent(urlPath)}`);
    } catch {
        return null;
    }
    if (path !== root && !path.startsWith(root + sep)) {
        return null;
    }
    try {
        const info = await stat(path);
        return info.isDirectory() ? fileFor(root, `${urlPath.replace(/\/?$/, '/')}index.html`)
            : path;
    } catch {
        return null;
    }
}

// Serves the folder; resolves with the server once it listens.
export function serve(folder, port = 0, host = '127.0.0.1') {
    const root = resolve(folder);
    const server = createServer(async (request, response) => {
        const url = new URL(request.url, 'http://localhost');
        const path = request.method === 'GET' || request.method === 'HEAD'
            ? await fileFor(root, url.pathname) : null;
        if (!path) {
            response.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
            response.end('Niet gevonden\n');
            return;
        }
        let body = await readFile(path);
        const headers = {
            'Content-Type': types[extname(path)] ?? 'application/octet-stream',
            // Always ask: a new version must reach the service worker.
            'Cache-Control': 'no-cache',
        };
        if (compressible.has(extname(path))
            && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
            body = gzipSync(body);
            headers['Content-Encoding'] = 'gzip';
            headers.Vary = 'Accept-Encoding';
        }
        headers['Content-Length'] = body.length;
        response.writeHead(200, headers);
        response.end(request.method === 'HEAD' ? undefined : body);
    });
    return new Promise((resolvePromise, reject) => {
        server.once('error', reject);
        server.listen(port, host, () => resolvePromise(server));
    });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [folder, port = '8080'] = process.argv.slice(2);
    if (!folder) {
        console.error('usage: node serve-web.mjs FOLDER [PORT]');
        process.exit(2);
    }
    const server = await serve(folder, Number(port), 'localhost');
    console.log(`Serving ${resolve(folder)} on http://localhost:${server.address().port}/`);
    console.log('Stop with Ctrl+C.');
    for (const signal of ['SIGINT', 'SIGTERM']) {
        process.on(signal, () => {
            console.log('Stopped.');
            process.exit(0);
        });
    }
}
