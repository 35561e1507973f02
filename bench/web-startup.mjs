// The browser edition's start-up beside a floor, in Debian's headless
// Chromium: the program's page against the same page starting a bare Qt
// window of the same client size with one button and one label
// (quantelo_bare_window), both from the same Qt for WebAssembly, served
// gzipped from 127.0.0.1. Runs alternate, each in a fresh tab with the cache
// off.
//
//   node bench/web-startup.mjs PROGRAM-FOLDER FLOOR-FOLDER [RUNS]
//
// Measures, per run:
//   first finished frame  from the start of navigation to the last WebGL
//                         draw before the page stays still for QUIET_MS
//                         (default 1500) milliseconds: Qt draws every
//                         window through WebGL, so the last draw is the
//                         frame the user then sees (the first draw is
//                         printed too, without a target);
//   transfer              the bytes the server sent (gzip), page included.
// Prints median, minimum and maximum of each and the ratios of the medians.
// Targets: first finished frame at most 1.1 times the floor, transfer at
// most 1.25 times. Exit status 1 when a target is missed.

import { launchChromium, serve } from '../tests/web/serve.mjs';

const [programFolder, floorFolder, runsText] = process.argv.slice(2);
const runs = Number(runsText || 10);
const quietMs = Number(process.env.QUIET_MS || 1500);

// Dates every WebGL draw call of the page (the benchmark's own hook, put
// into the page before its scripts run; the shipped page has none).
function recordDraws() {
    window.lastDraw = 0;
    window.firstDraw = 0;
    for (const context of [WebGLRenderingContext, WebGL2RenderingContext]) {
        for (const name of ['drawArrays', 'drawElements']) {
            const draw = context.prototype[name];
            context.prototype[name] = function (...args) {
                window.lastDraw = performance.now();
                if (!window.firstDraw) window.firstDraw = window.lastDraw;
                return draw.apply(this, args);
            };
        }
    }
}

async function measure(browser, server) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.evaluateOnNewDocument(recordDraws);
    const before = server.sent.bytes;
    await page.goto(server.url);
    // Wait until something has been drawn and nothing more for quietMs.
    let last = 0;
    for (;;) {
        await new Promise((resolve) => setTimeout(resolve, 100));
        const now = await page.evaluate(() => [window.lastDraw, performance.now()]);
        if (now[0] > 0 && now[0] === last && now[1] - now[0] >= quietMs) break;
        last = now[0];
    }
    const [first, frame] = await page.evaluate(() => [window.firstDraw, window.lastDraw]);
    await page.close();
    return { first, frame, transfer: server.sent.bytes - before };
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const mid = sorted.length >> 1;
    return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};

const program = await serve(programFolder);
const floor = await serve(floorFolder);
const browser = await launchChromium();
const results = { program: [], floor: [] };
try {
    // One warm-up run each, not recorded: Chromium's first start of a wasm
    // compiler pays for itself.
    await measure(browser, program);
    await measure(browser, floor);
    for (let i = 0; i < runs; ++i) {
        results.program.push(await measure(browser, program));
        results.floor.push(await measure(browser, floor));
    }
} finally {
    await browser.close();
    program.close();
    floor.close();
}

let missed = false;
function report(name, key, unit, target, digits) {
    const p = results.program.map((r) => r[key]);
    const f = results.floor.map((r) => r[key]);
    const ratio = median(p) / median(f);
    const fmt = (values) => `${median(values).toFixed(digits)} (${Math.min(...values).toFixed(digits)}-${Math.max(...values).toFixed(digits)})`;
    const verdict = ratio <= target ? 'ok' : 'MISSED';
    if (ratio > target) missed = true;
    console.log(`${name.padEnd(24)} program ${fmt(p)} ${unit}, floor ${fmt(f)} ${unit}: ${ratio.toFixed(3)} x (target ${target}) ${verdict}`);
}
console.log(`${runs} alternating runs each, medians (min-max):`);
report('first finished frame', 'frame', 'ms', 1.1, 1);
report('(first draw)', 'first', 'ms', Infinity, 1);
report('transfer (gzip)', 'transfer', 'bytes', 1.25, 0);
process.exit(missed ? 1 : 0);
