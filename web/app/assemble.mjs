// Assembles the web edition in one folder:
// - app.js: the page's scripts and the core's loader as one minified module
//   (esbuild bundles them from a staged copy, laid out as the sources import
//   each other);
// - index.html: the page with its style and its first script inline, and the
//   content security policy that allows exactly those two, by their hashes;
//   its calculator panels and shared notes expanded from parts.html, and the
//   captions it shares with the windows taken from their tables (forms.json);
// - the core's .wasm, the manifest, icons, diagrams and screenshots as they are;
// - sw.js, the service worker, whose version is taken from the content of
//   every other file: any change gives a new cache name, so a visitor's next
//   visit replaces the old;
// - beside each text file its gzip copy.
// Run as node assemble.mjs --NAME=VALUE ... (CMakeLists.txt gives them): the
// folders, the files, the version and the tools; a list by its name again
// for each item (--page-files=manifest.webmanifest --page-files=...).

import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, rmSync, statSync, utimesSync,
    writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

// The files a server sends compressed; images are compressed already.
const compressedExtensions = ['.html', '.css', '.js', '.wasm', '.webmanifest', '.svg'];

class BuildError extends Error {}
function fail(message) {
    throw new BuildError(message);
}

// Copies a file as it is, its mode and modification time too.
function copy(from, to) {
    mkdirSync(dirname(to), { recursive: true });
    copyFileSync(from, to);
    const { atime, mtime } = statSync(from);
    utimesSync(to, atime, mtime);
}

// Copies a folder with everything below it.
function copyFolder(from, to) {
    for (const entry of readdirSync(from, { withFileTypes: true })) {
        const [source, target] = [join(from, entry.name), join(to, entry.name)];
        if (entry.isDirectory()) {
            copyFolder(source, target);
        } else {
            copy(source, target);
        }
    }
}

// Runs esbuild with these arguments; gives its output without the line end
// it closes with.
function runEsbuild(esbuild, args) {
    const run = spawnSync(esbuild, [...args, '--log-level=warning'], { encoding: 'utf8' });
    if (run.error || run.status !== 0 || run.stderr !== '') {
        fail(`esbuild ${args.join(' ')}:\n${run.error?.message ?? run.stderr}`);
    }
    return run.stdout.replace(/\n$/, '');
}

// The policy's form of a text's digest: its SHA-256 in base64.
const policyHash = (text) => `sha256-${createHash('sha256').update(text).digest('base64')}`;

// A text without its comments, which are for whoever edits it.
function withoutComments(text, name) {
    return text.replace(/<!--[\s\S]*?-->|<!--[\s\S]*/g, (comment) => (comment.endsWith('-->')
        ? '' : fail(`${name}: a comment that does not end`)));
}

const escapeHtml = (text) => text.replace(/[&<>"]/g,
    (character) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[character]);

// The parts of the page written once (parts.html): each <template id="NAME">
// is one, which the page or another part calls as <part-NAME ...></part-NAME>.
function readParts(text) {
    const templates = text.matchAll(/<template id="([\w-]+)">\n?([\s\S]*?)\n?<\/template>/g);
    return new Map([...templates].map(([, name, body]) => [name, body]));
}

// Fills in a part with its call's attributes (its description):
// - {{#NAME}}...{{/NAME}} stays where the call has the attribute NAME, and
//   goes where it has not;
// - {{NAME}}: the attribute's value, as written in the call;
// - {{WINDOW.title}} and {{WINDOW.CONTROL}}: a window's title and a control's
//   caption as that window shows them, from forms.json; WINDOW is a program
//   (twinoffset) or an attribute that names one ({{window.Label1}}).
function fill(text, description, forms, where) {
    const sections = text.replace(/\{\{#([\w-]+)\}\}([\s\S]*?)\{\{\/\1\}\}/g,
        (section, name, inner) => (description.has(name) ? inner : ''));
    return sections.replace(/\{\{([^{}]*)\}\}/g, (placeholder, name) => {
        const [window, control] = name.split('.');
        if (control === undefined) {
            return description.get(name) ?? fail(`${where}: ${placeholder} is given no value`);
        }
        const program = description.get(window) ?? window;
        const missing = (what) => fail(`${where}: ${placeholder}: forms.json has no ${what}`);
        const form = forms[program] ?? missing(`window ${program}`);
        const caption = control === 'title' ? form.title : form.captions?.[control];
        return escapeHtml(caption ?? missing(`caption ${control} in the window ${program}`));
    });
}

// Expands the parts a text calls, each filled with its call's attributes,
// and the parts those call in turn.
function expandParts(text, parts, forms, calling = []) {
    const call = /<part-([\w-]+)((?:\s+[\w-]+(?:="[^"]*")?)*)\s*><\/part-\1>/g;
    const caller = calling.length > 0 ? `parts.html: ${calling.at(-1)}` : 'index.html.in';
    return text.replace(call, (whole, name, attributes) => {
        const part = parts.get(name) ?? fail(`${caller}: no part ${name} in parts.html`);
        if (calling.includes(name)) {
            fail(`parts.html: ${[...calling, name].join(' → ')} calls itself`);
        }
        const description = new Map([...attributes.matchAll(/([\w-]+)(?:="([^"]*)")?/g)]
            .map(([, key, value]) => [key, value ?? '']));
        const id = description.has('id') ? ` ${description.get('id')}` : '';
        const where = `parts.html: ${name}${id}`;
        return expandParts(fill(part, description, forms, where), parts, forms, [...calling, name]);
    });
}

// Puts the values in for @NAME@, as CMake's configure_file does; a name with
// no value is a fault of the build, not an empty text.
function configure(text, values, name) {
    return text.replace(/@([A-Za-z0-9_]+)@/g, (placeholder, key) => values[key]
        ?? fail(`${name}: ${placeholder} has no value`));
}

// The page as sent, without its comments and without the indentation of its
// lines: its parts expanded, the captions it shares with the windows taken
// from their tables; then the inline parts and the policy go in (values).
export function writePage(page, partsText, forms, values) {
    const parts = readParts(withoutComments(partsText, 'parts.html'));
    const expanded = expandParts(fill(withoutComments(page, 'index.html.in'), new Map(), forms,
        'index.html.in'), parts, forms);
    const text = expanded.replace(/\n[ \t]*/g, '\n').replace(/\n\n+/g, '\n');
    return configure(text, values, 'index.html.in');
}

// Writes a file's gzip copy beside it, made once here rather than on every
// request (nginx's gzip_static). No name or time is stored, so two builds
// give the same bytes; the copy keeps its file's mode and modification
// time. A copy that saves nothing is not written: the file itself is sent.
export function writeCompressedCopy(path) {
    const original = readFileSync(path);
    const compressed = gzipSync(original, { level: 9 });
    if (compressed.length < original.length) {
        const { mode, atime, mtime } = statSync(path);
        writeFileSync(`${path}.gz`, compressed, { mode });
        utimesSync(`${path}.gz`, atime, mtime);
    }
}

function assemble(plan) {
    const site = plan.siteDir;
    rmSync(site, { recursive: true, force: true });
    rmSync(plan.stageDir, { recursive: true, force: true });
    const siteFiles = [];
    for (const [folder, files] of [[plan.pageDir, plan.pageFiles],
        [plan.resourceDir, plan.resourceFiles], [plan.coreDir, plan.coreFiles]]) {
        for (const file of files) {
            copy(join(folder, file), join(site, file));
            siteFiles.push(file);
        }
    }

    // Every script of the js folder is staged; main.js and what it imports
    // are bundled, start.js goes inline into the page.
    copyFolder(join(plan.pageDir, 'js'), join(plan.stageDir, 'js'));
    for (const file of plan.coreScripts) {
        copy(join(plan.coreDir, file), join(plan.stageDir, file));
    }
    runEsbuild(plan.esbuild, [join(plan.stageDir, 'js/main.js'), '--bundle', '--format=esm',
        '--target=es2022', '--minify', '--charset=utf8', '--legal-comments=none',
        `--outfile=${join(site, 'app.js')}`]);
    siteFiles.push('app.js');

    const [style, start] = ['app.css', 'js/start.js'].map((file) => runEsbuild(plan.esbuild,
        [join(plan.pageDir, file), '--minify', '--charset=utf8']));
    const policy = [
        "default-src 'none'",
        `script-src 'self' 'wasm-unsafe-eval' '${policyHash(start)}'`,
        `style-src '${policyHash(style)}'`,
        "img-src 'self' data:",
        "connect-src 'self'",
        "manifest-src 'self'",
        "worker-src 'self'",
        "base-uri 'none'",
        "form-action 'none'",
    ].join('; ');
    const forms = JSON.parse(readFileSync(plan.formsJson, 'utf8'));
    const page = writePage(readFileSync(join(plan.pageDir, 'index.html.in'), 'utf8'),
        readFileSync(join(plan.pageDir, 'parts.html'), 'utf8'), forms,
        { OFFSET_WEB_POLICY: policy, OFFSET_WEB_STYLE: style, OFFSET_WEB_START: start });
    writeFileSync(join(site, 'index.html'), page);
    siteFiles.push('index.html');

    siteFiles.sort();
    const digests = siteFiles.map((file) => `${file} ${createHash('sha256')
        .update(readFileSync(join(site, file))).digest('hex')}\n`).join('');
    const contentDigest = createHash('sha256').update(digests).digest('hex').slice(0, 12);
    // What the page needs without a network, stored by the service worker:
    // the start address too, which the browser asks for as the folder itself.
    // The install screenshots are shown by the browser's install prompt,
    // which needs the network anyway; a visit does not fetch them for nothing.
    const stored = ['./', ...siteFiles.filter((file) => !file.startsWith('images/screenshot-'))];
    const worker = readFileSync(join(plan.pageDir, 'sw.js.in'), 'utf8');
    writeFileSync(join(site, 'sw.js'), configure(worker, {
        OFFSET_WEB_VERSION: `${plan.version}-${contentDigest}`,
        OFFSET_WEB_FILES: stored.map((file) => `'${file}'`).join(', '),
    }, 'sw.js.in'));
    siteFiles.push('sw.js');

    for (const file of siteFiles) {
        if (compressedExtensions.some((extension) => file.endsWith(extension))) {
            writeCompressedCopy(join(site, file));
        }
    }
}

// The plan from the command line, each name as camelCase (--page-dir is pageDir).
function readPlan(args) {
    const plan = { pageFiles: [], resourceFiles: [], coreScripts: [], coreFiles: [] };
    for (const arg of args) {
        const [, name, value] = /^--([\w-]+)=(.*)$/s.exec(arg) ?? fail(`assemble.mjs: ${arg}?`);
        const key = name.replace(/-(.)/g, (dash, letter) => letter.toUpperCase());
        if (Array.isArray(plan[key])) {
            plan[key].push(value);
        } else {
            plan[key] = value;
        }
    }
    return plan;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const plan = readPlan(process.argv.slice(2));
    try {
        assemble(plan);
    } catch (error) {
        // Nothing half made is left to pass for a site the next build.
        rmSync(plan.siteDir, { recursive: true, force: true });
        if (!(error instanceof BuildError)) {
            throw error;
        }
        process.stderr.write(`${error.message}\n`);
        process.exitCode = 1;
    }
}
