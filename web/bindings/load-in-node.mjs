// Loads the WebAssembly core under Node, for tests. The module is built for
// browsers, which fetch offsetcore.wasm over HTTP; here the .wasm is read
// from disk and handed over, so no flag and no fetch of a file path is
// needed.
import {readFileSync} from 'node:fs';
import {join} from 'node:path';
import {pathToFileURL} from 'node:url';

export async function loadOffsetCore(folder) {
    const {default: createOffsetCore} =
        await import(pathToFileURL(join(folder, 'offsetcore.js')).href);
    return createOffsetCore({wasmBinary: readFileSync(join(folder, 'offsetcore.wasm'))});
}
