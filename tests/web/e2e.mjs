// The browser edition end to end, as a user meets it: the folder that
// scripts/web makes, served on 127.0.0.1 and opened in Debian's headless
// Chromium, or in its Firefox ESR. At desktop size the views are opened
// with their access keys and the worked examples typed with real key
// events; on a 390 x 844 touch screen they are tapped and the text sent as
// an on-screen keyboard sends it. Results are read through the
// accessibility tree (Chromium), typing limits checked on typing, paste and
// composition, and the message box is checked to hold
// everything behind it until OK. Then Back, axe-core in every view, and a
// reload with the server gone.
//
//   node tests/web/e2e.mjs [--firefox] FOLDER [SCREENSHOT-FOLDER]
//
// Firefox runs on the X display in DISPLAY (serve.mjs says why). With a
// screenshot folder, Chromium saves there the main view (web-main.png) and
// the single-phase view after a typical run at desktop width
// (web-single-phase.png), and the same at phone width (web-phone.png).

import { PNG } from 'pngjs';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';
import { launchChromium, launchFirefox, serve } from './serve.mjs';

const firefox = process.argv[2] === '--firefox';
const [folder, shots] = process.argv.slice(firefox ? 3 : 2);
if (!folder || !fs.existsSync(path.join(folder, 'index.html'))) {
    console.error('usage: node tests/web/e2e.mjs [--firefox] FOLDER [SCREENSHOT-FOLDER]');
    process.exit(2);
}
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

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
    if (condition) console.log(`ok: ${what}`);
    else {
        console.log(`FAILED: ${what}: ${detail}`);
        ++failures;
    }
}
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The views by address, with their access key on the main view.
const views = {
    main: { address: '', section: 'frmPowerSolve' },
    single: { address: 'single-phase', section: 'frmPowerRealApparent1Phase', key: 'r' },
    neutral: { address: 'three-phase-ln', section: 'frmPowerRealApparent3PhLN', key: 'a' },
    line: { address: 'three-phase-ll', section: 'frmPowerRealApparent3PhLL', key: 'e' },
};

// The accessible names of the boxes, as the desktop gives them.
const Names = {
    volts: { single: 'Voltage L-N, Volts', neutral: 'Voltage L-N, Volts', line: 'Voltage L-L, Volts' },
    amps: 'Current, Amps',
    pf: 'Power Factor',
    real: 'Real Power (P), kW',
    apparent: 'Apparent Power (S), kVA',
};

const server = await serve(folder);
const launch = firefox ? launchFirefox : launchChromium;
let browser = await launch();
console.log(`in ${await browser.version()}`);
let page = await browser.newPage();
const errors = [];
const watch = (p) => p.on('pageerror', (error) => errors.push(error.message));
watch(page);

// Text committed at once, as an on-screen keyboard or an input method
// sends it (Firefox's driver sends one character at a time).
async function insertText(text) {
    if (!firefox) await page.keyboard.sendCharacter(text);
    else for (const character of text) await page.keyboard.sendCharacter(character);
    await pause(50);
}

// A tap of a finger; Firefox on a Linux desktop takes no touch from its
// driver, so there the phone-sized page is clicked.
async function tap(selector) {
    if (firefox) await page.click(selector);
    else await page.tap(selector);
}

// The view shown, as drawn, into the screenshot folder.
async function viewShot(name) {
    await (await page.$('main > section:not([hidden])')).screenshot({ path: path.join(shots, name) });
}

// A control as drawn: the luminance of its background (the commonest
// shade) and of its ink (the shade farthest from it).
async function drawn(selector) {
    const png = PNG.sync.read(await (await page.$(selector)).screenshot({ type: 'png' }));
    const counts = new Map();
    const shades = [];
    // Inside the edge: 4 pixels in from every side.
    for (let y = 4; y < png.height - 4; ++y) {
        for (let x = 4; x < png.width - 4; ++x) {
            const i = (png.width * y + x) * 4;
            const shade = Math.round(0.2126 * png.data[i] + 0.7152 * png.data[i + 1] + 0.0722 * png.data[i + 2]);
            shades.push(shade);
            counts.set(shade, (counts.get(shade) || 0) + 1);
        }
    }
    const background = [...counts.entries()].sort((a, b) => b[1] - a[1])[0][0];
    const ink = shades.reduce((far, shade) => (Math.abs(shade - background) > Math.abs(far - background) ? shade : far),
        background);
    return { background, ink };
}

// A fresh visit to the view at `address`.
async function open(address) {
    await page.goto('about:blank');
    await page.goto(server.url + (address ? `#${address}` : ''), { waitUntil: 'load' });
    await page.waitForFunction(() => document.querySelector('main > section:not([hidden])'));
    await pause(100);
}
// The browser's Back (Firefox's driver waits for a load that a move within
// the page never makes: there the page's history goes back).
async function back() {
    if (firefox) await page.evaluate(() => history.back());
    else await page.goBack();
    await pause(200);
}
const shownView = () => page.evaluate(() => document.querySelector('main > section:not([hidden])').id);
const focused = () => page.evaluate(() => document.activeElement.dataset.control || document.activeElement.id);

// An access key as each browser takes it from a driver: Chromium with Alt,
// the key event carrying its text; Firefox with Alt+Shift.
async function accessKey(letter) {
    const modifiers = firefox ? ['Alt', 'Shift'] : ['Alt'];
    for (const key of modifiers) await page.keyboard.down(key);
    await page.keyboard.press(`Key${letter.toUpperCase()}`, { text: letter });
    for (const key of modifiers.reverse()) await page.keyboard.up(key);
    await pause(150);
}

// A box of the view shown, by its accessible name: its value as the
// accessibility tree gives it in Chromium; Firefox's driver has no tree,
// so there the box the name labels.
async function boxValue(name) {
    if (!firefox) {
        const node = await page.$(`aria/${name}[role="textbox"]`);
        if (!node) return `<no box named ${name}>`;
        const tree = await page.accessibility.snapshot({ root: node, interestingOnly: false });
        return tree?.value ?? '';
    }
    return page.evaluate((label) => document.querySelector(`main > section:not([hidden]) input[aria-label="${label}"]`)
        ?.value ?? `<no box named ${label}>`, name);
}
// A status label's caption, blanks included, as Solve wrote it.
const caption = (name) => page.evaluate((control) =>
    document.querySelector(`main > section:not([hidden]) [data-control="${control}"]`).textContent, name);
const boxOpen = () => page.evaluate(() => document.getElementById('message-box').open);
const boxText = () => page.evaluate(() => document.getElementById('message-box-text').textContent);

async function axe(what) {
    await page.evaluate(axeSource);
    const result = await page.evaluate(() => window.axe.run(document, {
        runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] },
    }));
    const found = result.violations.map((v) => `${v.id} (${v.nodes.map((n) => n.target.join(' ')).join(', ')})`);
    checkThat(`${what}: axe-core finds no WCAG 2.2 AA violation`, found.length === 0, found.join('; '));
}

// --- Desktop size: access keys and typing --------------------------------
// The worked examples, typed as a user types them, from the main view.
const workedExamples = [
    { view: 'single', volts: '230', amps: '10', pf: '0.8', real: '1.8', apparent: '2.3' },
    { view: 'neutral', volts: '230', amps: '10', pf: '0.8', real: '5.5', apparent: '6.9' },
    { view: 'line', volts: '415', amps: '100', pf: '0.8', real: '57.5', apparent: '71.9' },
];
await open('');
check('main view first', views.main.section, await shownView());
check('main view: the focus starts on the first button', 'Command3', await focused());
if (shots && !firefox) await viewShot('web-main.png');
await axe('main view');
for (const example of workedExamples) {
    const view = views[example.view];
    await open('');
    await accessKey(view.key);
    check(`Alt+${view.key.toUpperCase()} opens ${view.section}`, view.section, await shownView());
    check(`${view.section}: the address names it`, `#${view.address}`, await page.evaluate(() => location.hash));
    check(`${view.section}: the focus starts in the voltage box`, 'txtVolts', await focused());
    await page.keyboard.type(example.volts, { delay: 20 });
    await page.keyboard.press('Tab');
    await page.keyboard.type(example.amps, { delay: 20 });
    await page.keyboard.press('Tab');
    await page.keyboard.type(example.pf, { delay: 20 });
    await accessKey('s');
    check(`${view.section}: real power`, example.real, await boxValue(Names.real));
    check(`${view.section}: apparent power`, example.apparent, await boxValue(Names.apparent));
    check(`${view.section}: power factor`, '0.80', await boxValue(Names.pf));
    check(`${view.section}: Solve moves the focus to Clear`, 'cmdClear', await focused());
    check(`${view.section}: what Solve did is read out`,
        `Real power ${example.real} kW, apparent power ${example.apparent} kVA.`,
        await page.evaluate(() => document.getElementById('announcer').textContent));
    if (example.view === 'single' && shots && !firefox) {
        await viewShot('web-single-phase.png');
    }
    await axe(`${view.section} solved`);
    await accessKey('c');
    check(`${view.section}: Clear empties the results`, '', await boxValue(Names.real));
    // Back to Main Page, then the browser's Back returns to the calculator.
    await accessKey('b');
    check(`${view.section}: Back to Main Page`, views.main.section, await shownView());
    await back();
    check(`${view.section}: the browser's Back returns to it`, view.section, await shownView());
    await back();
    check(`${view.section}: and Back again to the main view`, views.main.section, await shownView());
}

// Tab order, as the tables give it: each view from its first control.
const tabOrders = [
    ['main', ['Command3', 'Command1', 'Command2']],
    ['single', ['txtVolts', 'txtAmps', 'txtPF', 'cmdSolve', 'cmdClear', 'cmdBackMainPage', 'txtApPower',
        'txtRealPower']],
    ['line', ['txtVolts', 'txtAmps', 'txtPF', 'cmdSolve', 'cmdClear', 'cmdBackMainPage', 'txtRealPower',
        'txtApPower']],
];
for (const [name, order] of tabOrders) {
    await open(views[name].address);
    const seen = [await focused()];
    for (let i = 1; i < order.length; ++i) {
        await page.keyboard.press('Tab');
        seen.push(await focused());
    }
    check(`${views[name].section}: tab order`, order.join(' '), seen.join(' '));
}

// What the accessibility tree offers in a calculator: every box, button
// and status by the name the desktop gives it.
const trees = [
    ['main', ['image:Title picture', 'button:Real and Apparent Power 1 Phase',
        'button:Real and Apparent Power 3 Ph - Line to Line Voltage',
        'button:Real and Apparent Power 3 Ph - Line to Neutral Voltage']],
    ['single', ['textbox:Voltage L-N, Volts', 'textbox:Current, Amps', 'textbox:Power Factor', 'status:Input status',
        'textbox:Real Power (P), kW', 'status:Result status', 'textbox:Apparent Power (S), kVA', 'button:Solve',
        'button:Clear', 'button:Back to Main Page']],
    ['line', ['textbox:Voltage L-L, Volts', 'textbox:Current, Amps', 'textbox:Power Factor', 'status:Input status',
        'textbox:Real Power (P), kW', 'status:Result status', 'textbox:Apparent Power (S), kVA', 'button:Solve',
        'button:Clear', 'button:Back to Main Page']],
];
for (const [name, expected] of firefox ? [] : trees) {
    await open(views[name].address);
    const named = [];
    const walk = (node) => {
        if (['textbox', 'button', 'status', 'link', 'image', 'img'].includes(node.role)) {
            // Blanks as a screen reader takes them: leading and repeated
            // ones are not read.
            named.push(`${node.role === 'img' ? 'image' : node.role}:${node.name.trim().replace(/\s+/g, ' ')}`);
        }
        for (const child of node.children || []) walk(child);
    };
    walk(await page.accessibility.snapshot());
    check(`${views[name].section}: the accessibility tree`, expected.join(' | '), named.join(' | '));
}

// A dark colour scheme: the system colours follow it, and the fixed text
// colours stay readable (Chromium's driver can ask for it).
if (!firefox) {
    await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]);
    for (const name of ['main', 'single', 'neutral']) {
        await open(views[name].address);
        await axe(`${views[name].section} in a dark scheme`);
    }
    await page.emulateMediaFeatures([]);
}

// What a box takes, as on the desktop: the typing limit in characters
// (code points), whole grapheme clusters only, characters that are not seen
// dropped and those that look like part of a number in their ASCII form.
// Typed, or pasted with Ctrl+V (the clipboard keeps all it had).
const limits = [
    { name: 'voltage box takes 6', box: 'txtVolts', text: '1234567', kept: '123456' },
    { name: 'power-factor box takes 4', box: 'txtPF', text: '0.8123', kept: '0.81' },
    { name: 'a combining mark counts as a character', box: 'txtPF', text: '1e\u0301234', kept: '1e\u03012' },
    { name: 'a paste is cut to the limit', box: 'txtVolts', text: '9876543', kept: '987654', paste: true },
    { name: 'a pasted cluster goes in whole or not at all', box: 'txtPF', text: '12e\u0301\u0301', kept: '12',
        paste: true },
    { name: 'full-width digits and point in ASCII', box: 'txtVolts', text: '\uff12\uff13\uff10\uff0e\uff15',
        kept: '230.5', paste: true },
    { name: 'Arabic-Indic digits and minus sign', box: 'txtPF', text: '\u2212\u0660\u066b\u0665', kept: '-0.5',
        paste: true },
    { name: 'unseen characters dropped, tabs and spaces blank', box: 'txtVolts',
        text: '2\u200b3\u00ad0\t\u00a0V', kept: '230  V', paste: true },
];
if (!firefox) {
    await browser.defaultBrowserContext().overridePermissions(server.url.replace(/\/$/, ''),
        ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
}
await open(views.single.address);
for (const row of limits) {
    await page.focus(`#${views.single.section}-${row.box}`);
    await page.evaluate((id) => { document.getElementById(id).value = ''; }, `${views.single.section}-${row.box}`);
    if (row.paste) {
        await page.evaluate((text) => navigator.clipboard.writeText(text), row.text);
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyV');
        await page.keyboard.up('Control');
        await pause(100);
        check(`${row.name}: the clipboard keeps it whole`, row.text,
            await page.evaluate(() => navigator.clipboard.readText()));
    } else {
        await insertText(row.text);
    }
    check(`typing limit: ${row.name}`, row.kept,
        await page.$eval(`#${views.single.section}-${row.box}`, (input) => input.value));
}

// --- The message box ------------------------------------------------------
// While it is open nothing behind it changes; only after OK does Solve go
// on to report the empty boxes.
await open(views.single.address);
await page.keyboard.type('230', { delay: 20 });
await page.keyboard.press('Tab');
await page.keyboard.type('10', { delay: 20 });
await page.keyboard.press('Tab');
await page.keyboard.type('1.5', { delay: 20 });
await accessKey('s');
checkThat('a power factor above 1 opens the message box', await boxOpen(), 'no box open');
check('the box says why', 'PF value should be between 0.00 and 1.00 ', await boxText());
check('the box is captioned', 'Quantelo1',
    await page.evaluate(() => document.getElementById('message-box-title').textContent));
check('the box takes the focus', 'message-box-ok', await focused());
check('while it is open: input status', ' Invalid PF value', await caption('lbl8'));
await page.keyboard.type('9', { delay: 20 });
await accessKey('c');
await page.mouse.click(10, 10);
await pause(300);
check('keys and clicks behind it change nothing: input status', ' Invalid PF value', await caption('lbl8'));
check('keys and clicks behind it change nothing: voltage', '', await page.$eval(`#${views.single.section}-txtVolts`,
    (input) => input.value));
checkThat('the box is still open', await boxOpen(), 'closed by something behind it');
await page.keyboard.press('Enter');
await pause(200);
checkThat('OK closes the box', !(await boxOpen()), 'still open');
check('after OK: input status', ' Enter Power Factor', await caption('lbl8'));
check('after OK: the focus is back on Clear', 'cmdClear', await focused());
check('the status is read out', ' Enter Power Factor',
    await page.evaluate(() => document.getElementById('announcer').textContent));
await axe('single phase after a rejected power factor');

// --- The core's table of cases, through the module ------------------------
// Set as the program sets a box (past the typing limits), then Solve's
// button; the final texts as tests/calc/test_commands.cpp's cases leave
// them, every message box closed with OK.
const above = 'PF value should be between 0.00 and 1.00 ';
const below = 'Enter PF value between 0.00 and 1.00 ';
const tooLarge = 'The values entered are too large to compute. ';
const limit = 'exceeded allocated value 9.99x10^5';
const cases = [
    ['typicalLineToNeutral', 'neutral', '230', '10', '0.8', '5.5', '6.9', '0.80', '', '', []],
    ['typicalSinglePhase', 'single', '230', '10', '0.8', '1.8', '2.3', '0.80', '', '', []],
    ['typicalLineToLine', 'line', '415', '100', '0.8', '57.5', '71.9', '0.80', '', '', []],
    ['emptyPowerFactorIsZero', 'neutral', '230', '10', '', '0.0', '6.9', '0.00', '', '', []],
    ['emptyVoltage', 'line', '', '10', '0.8', '', '', '0.80', ' Enter Voltage', '', []],
    ['currentWinsOverVoltage', 'neutral', '', '', '0.8', '', '', '0.80', ' Enter Current', '', []],
    ['blankVoltageIsNotEmpty', 'neutral', ' ', '10', '0.8', '0.0', '0.0', '0.80', '', '', []],
    ['negativePF', 'line', '400', '10', '-0.5', '', '', '', ' Enter Power Factor', '', [below]],
    ['pfAboveOneSinglePhase', 'single', '230', '10', '1.5', '', '', '', ' Enter Power Factor', '', [above]],
    ['pfRoundingToOneIsAccepted', 'single', '230', '100', '1.004', '23.1', '23.0', '1.00', '', '', []],
    ['pfRoundingAboveOneIsRejected', 'single', '230', '100', '1.006', '', '', '', ' Enter Power Factor', '', [above]],
    ['pfRoundingToMinusZeroIsAccepted', 'single', '230', '10', '-0.004', '0.0', '2.3', '0.00', '', '', []],
    ['pfZeroAndVoltageWithUnit', 'single', '230V', '10', '0', '0.0', '2.3', '0.00', '', '', []],
    ['onlyApparentOverLimit', 'neutral', '400000', '1000', '0.5', '600000.0', '1200000.0', '0.50', '', limit, []],
    ['bothOverLimit', 'neutral', '400000', '1000', '1', '1200000.0', '1200000.0', '1.00', '', limit, []],
    ['exactlyAtLimitIsNotOver', 'single', '999990', '1000', '1', '999990.0', '999990.0', '1.00', '', '', []],
    ['overLimitAndEmptyCurrent', 'single', '1E12', '', '1', '', '', '1.00', ' Enter Current', '', []],
    ['voltageBeyondDoubleRange', 'neutral', '1E999', '10', '0.8', '', '', '0.8', '', '', [tooLarge]],
    ['currentBeyondSingleRange', 'neutral', '230', '1E39', '0.8', '', '', '0.8', '', '', [tooLarge]],
    ['resultBeyondSingleRange', 'line', '1E25', '1E20', '0.8', '', '', '0.8', '', '', [tooLarge]],
    ['bothInputsAtTheSingleLimit', 'single', '1e38', '1e38', '0.8', '', '', '0.8', '', '', [tooLarge]],
    ['tinyInputsUnderflowToZero', 'single', '1E-999', '1E-50', '0.8', '0.0', '0.0', '0.80', '', '', []],
];
for (const [name, viewName, volts, amps, pf, real, apparent, pfAfter, status, limitStatus, boxes] of cases) {
    const view = views[viewName];
    await open(view.address);
    await page.click(`#${view.section}-cmdClear`);
    await page.evaluate((section, texts) => {
        for (const [control, text] of Object.entries(texts)) {
            document.getElementById(`${section}-${control}`).value = text;
        }
    }, view.section, { txtVolts: volts, txtAmps: amps, txtPF: pf });
    await page.click(`#${view.section}-cmdSolve`);
    const shown = [];
    for (let i = 0; i < 5 && (await boxOpen()); ++i) {
        shown.push(await boxText());
        await page.click('#message-box-ok');
        await pause(50);
    }
    const got = [await boxValue(Names.real), await boxValue(Names.apparent), await boxValue(Names.pf),
        await caption('lbl8'), await caption('lblMsg'), JSON.stringify(shown)];
    const want = [real, apparent, pfAfter, status, limitStatus, JSON.stringify(boxes)];
    check(`case ${name}`, JSON.stringify(want), JSON.stringify(got));
}

// What the user sees of a result: over the limit the box turns dark and
// its digits are drawn light, so the value stays readable.
const looks = [
    { name: 'a result under the limit: light box, dark digits', volts: '230', amps: '10', pf: '1', dark: false },
    { name: 'a result over the limit: dark box, light digits', volts: '999999', amps: '99999', pf: '1', dark: true },
];
for (const row of looks) {
    await open(views.neutral.address);
    await page.evaluate((section, texts) => {
        for (const [control, text] of Object.entries(texts)) document.getElementById(`${section}-${control}`).value = text;
    }, views.neutral.section, { txtVolts: row.volts, txtAmps: row.amps, txtPF: row.pf });
    await page.click(`#${views.neutral.section}-cmdSolve`);
    await page.focus(`#${views.neutral.section}-txtVolts`);
    const { background, ink } = await drawn(`#${views.neutral.section}-txtRealPower`);
    const readable = row.dark ? background < 100 && ink > 180 : background > 180 && ink < 100;
    checkThat(row.name, readable, `background shade ${background}, ink ${ink}`);
}

// --- The page as installed: the service worker, then the server gone ------
await open('');
const controlled = await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    for (let i = 0; i < 50 && !navigator.serviceWorker.controller; ++i) await new Promise((r) => setTimeout(r, 100));
    return Boolean(navigator.serviceWorker.controller);
});
checkThat('a service worker keeps the page', controlled, 'no service worker controls the page');
server.close();
server.closeAllConnections?.();
await page.reload({ waitUntil: 'load' });
await page.waitForFunction(() => document.querySelector('main > section:not([hidden])'));
check('with the server gone the page opens', views.main.section, await shownView());
await accessKey('r');
await page.keyboard.type('230', { delay: 20 });
await page.keyboard.press('Tab');
await page.keyboard.type('10', { delay: 20 });
await page.keyboard.press('Tab');
await page.keyboard.type('0.8', { delay: 20 });
await accessKey('s');
check('with the server gone it solves', '1.8', await boxValue(Names.real));
await browser.close();

// --- A phone: taps and an on-screen keyboard --------------------------------
const phone = await serve(folder);
browser = await launch(390, 844);
page = await browser.newPage();
watch(page);
await page.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
await page.goto(phone.url, { waitUntil: 'load' });
await page.waitForFunction(() => document.querySelector('main > section:not([hidden])'));

// Nothing wider than the screen, every target at least 24 x 24, inputs for
// decimals.
async function checkNarrow(what, width) {
    await page.setViewport({ width, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
    await pause(100);
    const layout = await page.evaluate(() => {
        const section = document.querySelector('main > section:not([hidden])');
        const targets = [...section.querySelectorAll('input, button, a')].map((element) => {
            const box = element.getBoundingClientRect();
            return { id: element.dataset.control, width: box.width, height: box.height, right: box.right };
        });
        return {
            scrollWidth: document.documentElement.scrollWidth,
            targets,
            inputModes: [...section.querySelectorAll('input')].map((input) => input.inputMode),
        };
    });
    checkThat(`${what} at ${width} px: nothing scrolls sideways`, layout.scrollWidth <= width,
        `the page is ${layout.scrollWidth} px wide`);
    const small = layout.targets.filter((t) => t.width < 24 || t.height < 24 || t.right > width);
    checkThat(`${what} at ${width} px: every target 24 x 24 and on the screen`, small.length === 0,
        JSON.stringify(small));
    checkThat(`${what}: inputs ask for decimals`, layout.inputModes.every((mode) => mode === 'decimal'),
        layout.inputModes.join(','));
}
for (const width of [390, 320]) await checkNarrow('main view', width);
await page.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
await tap(`#${views.main.section}-Command3`);
await pause(200);
check('a tap opens the single-phase view', views.single.section, await shownView());
for (const width of [390, 320]) await checkNarrow('single phase', width);
await page.setViewport({ width: 390, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
await axe('single phase on a phone');

// Text as an on-screen keyboard sends it: whole words committed at once,
// and (Chromium) a composition that ends in a commit.
const section = views.single.section;
await tap(`#${section}-txtVolts`);
await insertText('230');
await tap(`#${section}-txtAmps`);
if (!firefox) {
    const cdp = await page.createCDPSession();
    await cdp.send('Input.imeSetComposition', { text: '1', selectionStart: 1, selectionEnd: 1 });
    await cdp.send('Input.imeSetComposition', { text: '10', selectionStart: 2, selectionEnd: 2 });
    await cdp.send('Input.insertText', { text: '10' });
    // A composition past the limit is cut when it ends.
    await tap(`#${section}-txtPF`);
    await cdp.send('Input.imeSetComposition', { text: '0.8000', selectionStart: 6, selectionEnd: 6 });
    await cdp.send('Input.insertText', { text: '0.8000' });
    check('a composition past the power factor box\'s limit is cut', '0.80',
        await page.$eval(`#${section}-txtPF`, (input) => input.value));
} else {
    await insertText('10');
    await tap(`#${section}-txtPF`);
    await insertText('0.8');
}
await tap(`#${section}-cmdSolve`);
await pause(200);
check('phone: real power', '1.8', await boxValue(Names.real));
check('phone: apparent power', '2.3', await boxValue(Names.apparent));
if (shots && !firefox) {
    await page.screenshot({ path: path.join(shots, 'web-phone.png'), fullPage: true });
}
await browser.close();
phone.close();

check('no script errors', '', errors.join('; '));
console.log(failures ? `${failures} FAILED` : 'all passed');
process.exit(failures ? 1 : 0);
