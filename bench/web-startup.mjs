// The page's start-up beside a floor, in Debian's headless Chromium: the
// page against a page with one label and one button (bench/web-floor), and,
// when its folder is given, the program built with Qt for WebAssembly, all
// served gzipped from 127.0.0.1. Runs alternate, each in a fresh tab with
// the cache off.
//
//   node bench/web-startup.mjs PAGE-FOLDER FLOOR-FOLDER [RUNS [CANVAS-FOLDER]]
//
// Measures, per run:
//   first finished frame  from the start of navigation to the first frame
//                         drawn once the page has loaded, its faces are in
//                         and (the page) its module is running; for the
//                         canvas build, the last WebGL draw before the page
//                         stays still for QUIET_MS (default 1500) ms;
//   transfer              the bytes the server sent (gzip), page included.
// Prints median, minimum and maximum of each and the ratios of the medians:
// the page against the floor, and against the canvas build (target: at most
// 0.2 times on both).

import { launchChromium, serve } from '../tests/web/serve.mjs';

const [pageFolder, floorFolder, runsText, canvasFolder] = process.argv.slice(2);
const runs = Number(runsText || 10);
const quietMs = Number(process.env.QUIET_MS || 1500);

// The benchmark's own hooks, put into a page before its scripts run (the
// shipped page has none): the frame after load, the faces and the module;
// every WebGL draw.
function recordFrames() {
    window.finished = 0;
    let instantiated;
    const module = new Promise((resolve) => { instantiated = resolve; });
    for (const name of ['instantiate', 'instantiateStreaming']) {
        const original = WebAssembly[name];
        WebAssembly[name] = function (...args) {
            const made = original.apply(this, args);
            made.then(() => instantiated());
            return made;
        };
    }
    window.addEventListener('load', () => {
        const hasModule = document.querySelector('script[type="module"]') !== null;
        Promise.all([document.fonts.ready, hasModule ? module : null]).then(() => requestAnimationFrame(() => {
            window.finished = performance.now();
        }));
    });
    window.lastDraw = 0;
    for (const context of [WebGLRenderingContext, WebGL2RenderingContext]) {
        for (const name of ['drawArrays', 'drawElements']) {
            const draw = context.prototype[name];
            context.prototype[name] = function (...args) {
                window.lastDraw = performance.now();
                return draw.apply(this, args);
            };
        }
    }
}

async function measure(browser, server, canvas) {
    const page = await browser.newPage();
    // Every run a first visit: no HTTP cache, no service worker.
    await page.setCacheEnabled(false);
    await page.setBypassServiceWorker(true);
    await page.evaluateOnNewDocument(recordFrames);
    const before = server.sent.bytes;
    await page.goto(server.url);
    let frame = 0;
    if (canvas) {
        let last = 0;
        for (;;) {
            await new Promise((resolve) => setTimeout(resolve, 100));
            const now = await page.evaluate(() => [window.lastDraw, performance.now()]);
            if (now[0] > 0 && now[0] === last && now[1] - now[0] >= quietMs) break;
            last = now[0];
        }
        frame = last;
    } else {
        await page.waitForFunction(() => window.finished > 0, { polling: 5 });
        frame = await page.evaluate(() => window.finished);
    }
    await page.close();
    return { frame, transfer: server.sent.bytes - before };
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const mid = sorted.length >> 1;
    return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};

const subjects = [
    { name: 'page', server: await serve(pageFolder), results: [] },
    { name: 'floor', server: await serve(floorFolder), results: [] },
];
if (canvasFolder) subjects.push({ name: 'canvas', server: await serve(canvasFolder), results: [], canvas: true });
const browser = await launchChromium();
try {
    // One warm-up run each, not recorded.
    for (const subject of subjects) await measure(browser, subject.server, subject.canvas);
    for (let i = 0; i < runs; ++i) {
        for (const subject of subjects) subject.results.push(await measure(browser, subject.server, subject.canvas));
    }
} finally {
    await browser.close();
    for (const subject of subjects) subject.server.close();
}

let missed = false;
const [page, ...others] = subjects;
const fmt = (values, digits) =>
    `${median(values).toFixed(digits)} (${Math.min(...values).toFixed(digits)}-${Math.max(...values).toFixed(digits)})`;
console.log(`${runs} alternating runs each, medians (min-max):`);
for (const [key, label, unit, digits] of [['frame', 'first finished frame', 'ms', 1], ['transfer', 'transfer (gzip)', 'bytes', 0]]) {
    const values = page.results.map((r) => r[key]);
    console.log(`${label.padEnd(22)} page ${fmt(values, digits)} ${unit}`);
    for (const other of others) {
        const theirs = other.results.map((r) => r[key]);
        const ratio = median(values) / median(theirs);
        let verdict = '';
        if (other.canvas) {
            verdict = ratio <= 0.2 ? ' ok (target 0.2)' : ' MISSED (target 0.2)';
            missed ||= ratio > 0.2;
        }
        console.log(`${''.padEnd(22)} ${other.name} ${fmt(theirs, digits)} ${unit}: page ${ratio.toFixed(3)} x${verdict}`);
    }
}
if (!canvasFolder) console.log('(no canvas build given: CANVAS=FOLDER measures one in the same run)');
process.exit(missed ? 1 : 0);
