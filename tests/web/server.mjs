// The site served as a firm serves it: nginx with web/server's configuration
// (through web/server/serve.sh), as the calling user, on a free port of
// 127.0.0.1, with its prefix in a temporary folder. Stopped by its process id
// and the folder removed; nothing else on the machine is touched.

import { spawn } from 'node:child_process';
import { mkdtemp, rm } from 'node:fs/promises';
import { connect, createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

const serveScript = fileURLToPath(new URL('../../web/server/serve.sh', import.meta.url));

// Servers still running when the process ends (a test that threw before its
// after() hook) are stopped all the same.
const running = new Set();
process.on('exit', () => {
    for (const child of running) {
        child.kill('SIGTERM');
    }
});

function freePort() {
    return new Promise((resolve, reject) => {
        const probe = createServer();
        probe.once('error', reject);
        probe.listen(0, '127.0.0.1', () => {
            const { port } = probe.address();
            probe.close(() => resolve(port));
        });
    });
}

function accepts(port) {
    return new Promise((resolve) => {
        const socket = connect(port, '127.0.0.1');
        socket.once('connect', () => {
            socket.destroy();
            resolve(true);
        });
        socket.once('error', () => resolve(false));
    });
}

// Waits until the server accepts connections (true) or its process ends
// (false), whichever comes first.
async function listening(child, port) {
    let ended = child.exitCode !== null || child.signalCode !== null;
    const onExit = () => { ended = true; };
    child.once('exit', onExit);
    try {
        while (!ended) {
            if (await accepts(port)) {
                return true;
            }
            await new Promise((resolve) => { setTimeout(resolve, 10); });
        }
        return false;
    } finally {
        child.off('exit', onExit);
    }
}

function ended(child) {
    return child.exitCode !== null || child.signalCode !== null
        ? Promise.resolve() : new Promise((resolve) => { child.once('exit', resolve); });
}

// Starts a server for the site folder; resolves once it answers, with its
// address (base, ending in /), its process id, what it has written to stderr
// so far (log) and stop().
export async function startServer(site) {
    const prefix = await mkdtemp(join(tmpdir(), 'offset-nginx-'));
    // The port is free when probed but may be taken before nginx binds it:
    // then another one.
    for (let attempt = 0; attempt < 5; attempt += 1) {
        const port = await freePort();
        const child = spawn(serveScript, [site, String(port), prefix],
            { stdio: ['ignore', 'ignore', 'pipe'] });
        let log = '';
        child.stderr.setEncoding('utf8');
        child.stderr.on('data', (text) => { log += text; });
        running.add(child);
        if (await listening(child, port)) {
            return {
                base: `http://127.0.0.1:${port}/`,
                port,
                pid: child.pid,
                log: () => log,
                async stop() {
                    if (running.delete(child)) {
                        child.kill('SIGTERM');
                        await ended(child);
                        await rm(prefix, { recursive: true, force: true });
                    }
                },
            };
        }
        running.delete(child);
        await ended(child);
        if (!/Address already in use/.test(log)) {
            await rm(prefix, { recursive: true, force: true });
            throw new Error(`nginx did not start: ${log.trim()}`);
        }
    }
    await rm(prefix, { recursive: true, force: true });
    throw new Error('nginx found no free port');
}
