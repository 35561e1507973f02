// The browser edition end to end, as a user meets it: the folder that
// scripts/web makes, served on 127.0.0.1 and opened in Debian's headless
// Chromium, or in its Firefox ESR. Every window is opened with its access
// key, the worked examples are typed with real key events, and the results
// are read as a user takes them: select all, copy, and the page's clipboard.
// Each window must show a title bar and open centred in the page.
//
//   node tests/web/e2e.mjs [--firefox] FOLDER [SCREENSHOT-FOLDER]
//
// Firefox runs on the X display in DISPLAY (serve.mjs says why).
//
// With a screenshot folder, the main window and a solved single-phase
// calculator are saved there (web-main.png, web-single-phase.png).

import { PNG } from 'pngjs';
import fs from 'node:fs';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { launchChromium, launchFirefox, serve } from './serve.mjs';

const firefox = process.argv[2] === '--firefox';
const [folder, shots] = process.argv.slice(firefox ? 3 : 2);
if (!folder || !fs.existsSync(path.join(folder, 'index.html'))) {
    console.error('usage: node tests/web/e2e.mjs [--firefox] FOLDER [SCREENSHOT-FOLDER]');
    process.exit(2);
}

const ClientWidth = 714; // 10710 x 7065 twips
const ClientHeight = 471;
let failures = 0;
function check(what, expected, actual) {
    if (expected === actual) {
        console.log(`ok: ${what}: '${actual}'`);
    } else {
        console.log(`FAILED: ${what}: expected '${expected}', got '${actual}'`);
        ++failures;
    }
}
function checkThat(what, condition, detail) {
    if (condition) {
        console.log(`ok: ${what}`);
    } else {
        console.log(`FAILED: ${what}: ${detail}`);
        ++failures;
    }
}
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const server = await serve(folder);
const browser = firefox ? await launchFirefox() : await launchChromium();
console.log(`in ${await browser.version()}`);
const page = await browser.newPage();
if (!firefox) {
    await browser.defaultBrowserContext().overridePermissions(server.url.replace(/\/$/, ''),
        ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
}
const errors = [];
page.on('pageerror', (error) => errors.push(error.message));

async function keys(...combos) {
    for (const combo of combos) {
        const parts = combo.split('+');
        for (const key of parts.slice(0, -1)) await page.keyboard.down(key);
        await page.keyboard.press(parts.at(-1));
        for (const key of parts.slice(0, -1).reverse()) await page.keyboard.up(key);
        await pause(120);
    }
}
async function type(text) {
    await page.keyboard.type(text, { delay: 40 });
    await pause(120);
}

// What the focused box holds, as the user takes it: Ctrl+A, Ctrl+C, and
// the clipboard. The clipboard is emptied first, so a copy that did not
// happen cannot pass for one.
async function copied() {
    await page.evaluate(() => navigator.clipboard.writeText('<nothing copied>'));
    await keys('Control+KeyA', 'Control+KeyC');
    let text = '<nothing copied>';
    for (let i = 0; i < 30 && text === '<nothing copied>'; ++i) {
        await pause(100);
        text = await page.evaluate(() => navigator.clipboard.readText());
    }
    return text;
}

async function screenshot() {
    return PNG.sync.read(await page.screenshot({ type: 'png' }));
}
function pixel(png, x, y) {
    const i = (png.width * y + x) * 4;
    return [png.data[i], png.data[i + 1], png.data[i + 2]];
}
const same = (a, b) => a[0] === b[0] && a[1] === b[1] && a[2] === b[2];

// The rectangle of everything drawn over the page's empty screen (whose
// colour the top-left corner shows): the windows with their frames.
function drawnArea(png) {
    const background = pixel(png, 0, 0);
    let left = png.width, top = png.height, right = -1, bottom = -1;
    for (let y = 0; y < png.height; ++y) {
        for (let x = 0; x < png.width; ++x) {
            if (!same(pixel(png, x, y), background)) {
                left = Math.min(left, x); right = Math.max(right, x);
                top = Math.min(top, y); bottom = Math.max(bottom, y);
            }
        }
    }
    return { left, top, right, bottom, width: right - left + 1, height: bottom - top + 1 };
}

// The title bar of the window in front is drawn in the highlight colour:
// its rows from `top` down, at a column inside the frame.
function titleBarRows(png, area) {
    const x = area.left + Math.floor(area.width / 3);
    let rows = 0;
    for (let y = area.top; y < area.bottom; ++y) {
        const [r, g, b] = pixel(png, x, y);
        if (b > r + 60 && b > 150) ++rows; // blue: the active title bar
    }
    return rows;
}

// One window alone on the screen: its frame is the client area with a
// title bar above it, and it sits in the middle of the page.
async function checkWindow(name) {
    const png = await screenshot();
    const area = drawnArea(png);
    checkThat(`${name}: frame around the ${ClientWidth} x ${ClientHeight} client area`,
        area.width >= ClientWidth && area.width <= ClientWidth + 16 && area.height > ClientHeight + 16
            && area.height <= ClientHeight + 48,
        `drawn ${area.width} x ${area.height} at ${area.left},${area.top}`);
    checkThat(`${name}: title bar`, titleBarRows(png, area) >= 14, `${titleBarRows(png, area)} title-bar rows`);
    const marginX = [area.left, png.width - 1 - area.right];
    const marginY = [area.top, png.height - 1 - area.bottom];
    checkThat(`${name}: centred`, Math.abs(marginX[0] - marginX[1]) <= 1 && Math.abs(marginY[0] - marginY[1]) <= 1,
        `margins left/right ${marginX}, top/bottom ${marginY}`);
    return png;
}

// What a region of a screenshot reads, by optical character recognition
// (Tesseract, one line of text), as the user reads it: the message box's
// text cannot be selected or copied in a page.
function readText(png, left, top, right, bottom) {
    const scale = 3; // Tesseract reads small screen text better enlarged
    const out = new PNG({ width: (right - left + 1) * scale + 20, height: (bottom - top + 1) * scale + 20 });
    out.data.fill(255);
    for (let y = top; y <= bottom; ++y) {
        for (let x = left; x <= right; ++x) {
            const [r, g, b] = pixel(png, x, y);
            for (let dy = 0; dy < scale; ++dy) {
                for (let dx = 0; dx < scale; ++dx) {
                    const i = (out.width * ((y - top) * scale + dy + 10) + (x - left) * scale + dx + 10) * 4;
                    out.data[i] = r; out.data[i + 1] = g; out.data[i + 2] = b; out.data[i + 3] = 255;
                }
            }
        }
    }
    const result = spawnSync('tesseract', ['stdin', 'stdout', '--psm', '7'], { input: PNG.sync.write(out) });
    return result.status === 0 ? result.stdout.toString().trim() : `<tesseract failed: ${result.stderr}>`;
}

const isTitleBlue = ([r, g, b]) => b > r + 60 && b > 150;
const isInk = ([r, g, b]) => r < 110 && g < 110 && b < 110;

// The message box in front of a window: its title bar is the highlighted
// one that was not there before. Returns its text as it reads, and its
// rectangle. (Its caption, "Quantelo1", is left to the windows' suites:
// Tesseract reads the final "1" of DejaVu Sans as "l".)
function messageBox(png, before) {
    let left = png.width, top = png.height, right = -1, bottom = -1;
    for (let y = 0; y < png.height; ++y) {
        let first = -1, last = -1, count = 0;
        for (let x = 0; x < png.width; ++x) {
            const p = pixel(png, x, y);
            if (isTitleBlue(p) && !same(pixel(before, x, y), p)) {
                if (first < 0) first = x;
                last = x;
                ++count;
            }
        }
        if (count < 150) continue; // not a row of a title bar
        left = Math.min(left, first); right = Math.max(right, last);
        top = Math.min(top, y); bottom = Math.max(bottom, y);
    }
    if (right < 0) return null;
    // Its text: the first rows with ink below the title bar.
    let textTop = -1, textBottom = -1;
    for (let y = bottom + 2; y < bottom + 80 && textBottom < 0; ++y) {
        let ink = false;
        for (let x = left + 2; x < right - 2 && !ink; ++x) ink = isInk(pixel(png, x, y));
        if (ink && textTop < 0) textTop = y;
        if (!ink && textTop >= 0) textBottom = y - 1;
    }
    return {
        rect: { left, top, right, bottom },
        text: textTop < 0 ? '' : readText(png, left + 2, textTop - 2, right - 2, textBottom + 2),
    };
}

// Whether two screenshots differ outside a rectangle.
function differOutside(a, b, rect) {
    for (let y = 0; y < a.height; ++y) {
        for (let x = 0; x < a.width; ++x) {
            if (x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom + 120) continue;
            if (!same(pixel(a, x, y), pixel(b, x, y))) return true;
        }
    }
    return false;
}

try {
    await page.goto(server.url);
    await page.waitForFunction(() => document.getElementById('notice').hidden, { timeout: 120000 });
    await pause(1500);
    await checkWindow('main window');
    if (shots) await page.screenshot({ path: path.join(shots, 'web-main.png') });

    // The worked examples, one calculator each, opened from the main window
    // with its access key.
    const examples = [
        // The result boxes in tab order after Back to Main Page.
        { key: 'Alt+KeyR', name: 'single phase', v: '230', a: '10', pf: '0.8', results: [['apparent power (kVA)', '2.3'], ['real power (kW)', '1.8']] },
        { key: 'Alt+KeyA', name: 'three-phase line to neutral', v: '230', a: '10', pf: '0.8', results: [['apparent power (kVA)', '6.9'], ['real power (kW)', '5.5']] },
        { key: 'Alt+KeyE', name: 'three-phase line to line', v: '400', a: '10', pf: '0.8', results: [['real power (kW)', '5.5'], ['apparent power (kVA)', '6.9']] },
    ];
    for (const example of examples) {
        await keys(example.key);
        await pause(1200);
        await checkWindow(example.name);
        // The focus starts in the voltage box.
        await type(example.v); await keys('Tab');
        await type(example.a); await keys('Tab');
        await type(example.pf);
        await keys('Alt+KeyS');
        await pause(300);
        if (shots && example.name === 'single phase') {
            await page.screenshot({ path: path.join(shots, 'web-single-phase.png') });
        }
        // Solve leaves the focus on Clear; Tab order: Back to Main Page,
        // the two results, ..., the power factor five back.
        await keys('Tab', 'Tab');
        check(`${example.name}: ${example.results[0][0]}`, example.results[0][1], await copied());
        await keys('Tab');
        check(`${example.name}: ${example.results[1][0]}`, example.results[1][1], await copied());
        await keys('Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab');
        check(`${example.name}: power factor, rewritten`, '0.80', await copied());

        if (example.name === 'single phase') {
            // A power factor out of range: the message box, modal, with its
            // text; OK dismisses it and Solve finishes (every box emptied);
            // the keyboard is back in the calculator at once.
            await keys('Control+KeyA');
            await type('1.5');
            const before = await screenshot();
            await keys('Alt+KeyS');
            await pause(800);
            if (shots) await page.screenshot({ path: path.join(shots, 'web-message-box.png') });
            const shown = await screenshot();
            const box = messageBox(shown, before);
            checkThat('power factor 1.5: a message box', box !== null, 'none appeared');
            if (box) {
                check('power factor 1.5: message', 'PF value should be between 0.00 and 1.00', box.text);
                // Solve waits at the box: nothing changes behind it...
                await pause(500);
                checkThat('power factor 1.5: Solve waits while the box is open',
                    !differOutside(shown, await screenshot(), box.rect), 'the window changed behind the box');
                // ...and goes on after OK: the empty boxes are reported.
                await keys('Enter');
                await pause(600);
                checkThat('power factor 1.5: Solve goes on after OK',
                    differOutside(shown, await screenshot(), box.rect), 'nothing changed after OK');
            }
            // The keyboard is back in the calculator: from Clear, six back
            // to the voltage box, typed into at once.
            await keys('Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab', 'Shift+Tab');
            await type('230');
            check('typing goes to the calculator after OK', '230', await copied());
        }
        // Back to Main Page: the main window in front again.
        await keys('Alt+KeyB');
        await pause(800);
    }

    // The user closes every window with the close box at the right of its
    // title bar (all four have the same frame, centred); the page then says
    // that the program has ended and offers to start it again.
    const area = drawnArea(await screenshot());
    for (let i = 0; i < 4; ++i) {
        await page.mouse.click(area.right - 12, area.top + 12);
        await pause(500);
    }
    const ended = await page.evaluate(() => !document.getElementById('notice').hidden
        && document.getElementById('message').textContent);
    check('after the last window', 'Quantelo has ended.', ended);
    checkThat('the page offers to start again',
        await page.evaluate(() => !document.getElementById('again').hidden), 'no button');
    await page.click('#again');
    await page.waitForFunction(() => document.getElementById('notice').hidden, { timeout: 120000 });
    await pause(1000);
    await checkWindow('main window after starting again');
} catch (error) {
    console.log(`FAILED: ${error.stack || error}`);
    ++failures;
} finally {
    if (errors.length) {
        console.log(`FAILED: errors on the page: ${errors.join(' | ')}`);
        ++failures;
    }
    await browser.close();
    server.close();
}
console.log(failures ? `${failures} check(s) failed` : 'The browser edition passed end to end.');
process.exit(failures ? 1 : 0);
