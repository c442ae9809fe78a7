// The page's first script, inline at the top of the page: fetches and
// compiles the core while the rest of the page arrives. app.js takes the
// compiled module from here; a failure is its to report.
window.offsetCoreModule = WebAssembly.compileStreaming(fetch('offsetcore.wasm'));
window.offsetCoreModule.catch(() => {});
