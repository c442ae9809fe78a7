// The build step of the page (web/app/assemble.mjs), without a browser: the
// captions it shares with the windows come from their tables, each panel's
// from its own window; what it cannot build it refuses with the reason; the
// gzip copies beside the files.

import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, it } from 'node:test';
import { gunzipSync } from 'node:zlib';
import { writeCompressedCopy, writePage } from '../../web/app/assemble.mjs';

const app = new URL('../../web/app/', import.meta.url);
const page = readFileSync(new URL('index.html.in', app), 'utf8');
const parts = readFileSync(new URL('parts.html', app), 'utf8');
const values = { OFFSET_WEB_POLICY: 'policy', OFFSET_WEB_STYLE: 'style',
    OFFSET_WEB_START: 'start' };

// Windows whose every caption names its window and control, with characters
// that must be escaped on the page; but the one missing.
const caption = (window, control) => `${window} ${control} <&>`;
const shown = (window, control) => `${window} ${control} &lt;&amp;&gt;`;
const marked = (window, missing) => ({
    title: caption(window, 'title'),
    captions: new Proxy({}, {
        get: (captions, control) => (control === missing ? undefined : caption(window, control)),
    }),
});
const forms = { twinoffset: marked('twinoffset'), solooffset: marked('solooffset') };

describe('the page as built', () => {
    const built = writePage(page, parts, forms, values);

    it('shows each panel the captions and title of its own window', () => {
        const both = ['Label1', 'Label3', 'Label4', 'Label5', 'Label6', 'Label7', 'Label8',
            'Label9', 'Label11', 'Label12', 'Label13', 'Label14', 'Label15', 'Label16',
            'cmdBereken', 'cmdBereken2'];
        const expected = {
            twin: ['twinoffset', [...both, 'cmdTest']],
            solo: ['solooffset', [...both, 'Label2', 'Label10', 'cmdPrinten']],
        };
        for (const [panel, [window, controls]] of Object.entries(expected)) {
            const texts = built.matchAll(new RegExp(`id="${panel}-(\\w+)"[^>]*>([^<]*)<`, 'g'));
            const found = [...texts].filter(([, , text]) => text.includes('offset '));
            assert.deepEqual(found.map(([, control, text]) => [control, text]).sort(),
                controls.map((control) => [control, shown(window, control)]).sort(), panel);
            const title = shown(window, 'title');
            assert.match(built, new RegExp(`<section id="${panel}"[^>]*>\\n<h1>${title}</h1>`));
            assert.ok(built.includes(`data-title="${title}"`), panel);
            // The note under a result names the button that calculates it.
            assert.ok(built.includes(`Druk op ${shown(window, 'cmdBereken')}.`), panel);
            assert.ok(built.includes(`Druk op ${shown(window, 'cmdBereken2')}.`), panel);
        }
        assert.ok(built.includes(`<title>${shown('twinoffset', 'title')}</title>`));
        assert.ok(built.includes(`id="plan-Label9">${shown('twinoffset', 'Label9')}<`));
        assert.doesNotMatch(built, /\{\{|<part-|<!--/);
    });
});

describe('what the build refuses, and why', () => {
    const cases = [
        ['a caption the window does not have',
            [page, parts, { ...forms, solooffset: marked('solooffset', 'Label14') }, values],
            'parts.html: calculator solo: {{window.Label14}}: forms.json has no caption Label14 '
                + 'in the window solooffset'],
        ['a window forms.json does not have',
            [page, parts, { twinoffset: forms.twinoffset }, values],
            'index.html.in: {{solooffset.title}}: forms.json has no window solooffset'],
        ['a part that is not there',
            [page, parts.replace('id="stale-note"', 'id="old-note"'), forms, values],
            'parts.html: calculator: no part stale-note in parts.html'],
        ['an attribute the call does not give',
            [page.replace(' drawing="singlewall"', ''), parts, forms, values],
            'parts.html: calculator solo: {{drawing}} is given no value'],
        ['a comment that does not end', [`${page}<!-- no end`, parts, forms, values],
            'index.html.in: a comment that does not end'],
        ['a value the build does not give',
            [page, parts, forms, { ...values, OFFSET_WEB_START: undefined }],
            'index.html.in: @OFFSET_WEB_START@ has no value'],
    ];
    for (const [name, args, message] of cases) {
        it(name, () => assert.throws(() => writePage(...args), { message }));
    }
});

describe('the gzip copies', () => {
    it('are the same on every build, keep their file\'s time, are made only where smaller', () => {
        const dir = mkdtempSync(join(tmpdir(), 'offset-assemble-test-'));
        try {
            const text = join(dir, 'page.html');
            const tiny = join(dir, 'tiny.js');
            writeFileSync(text, '<p>Hoek in graden:</p>\n'.repeat(100));
            writeFileSync(tiny, 'x');
            writeCompressedCopy(text);
            writeCompressedCopy(tiny);
            const first = readFileSync(`${text}.gz`);
            assert.deepEqual(gunzipSync(first), readFileSync(text));
            // No name (flag byte) and no time in the header.
            assert.equal(first[3], 0);
            assert.equal(first.readUInt32LE(4), 0);
            // To the second, as HTTP tells it.
            const second = (path) => Math.trunc(statSync(path).mtimeMs / 1000);
            assert.equal(second(`${text}.gz`), second(text));
            writeCompressedCopy(text);
            assert.deepEqual(readFileSync(`${text}.gz`), first);
            assert.throws(() => statSync(`${tiny}.gz`), { code: 'ENOENT' });
        } finally {
            rmSync(dir, { recursive: true, force: true });
        }
    });
});
