// Runs a Qt Test suite built for the browser in headless Chromium: its page
// (the program's page, starting the suite) served from its build folder.
// Prints what the suite prints and exits with its verdict.
//
//   node tests/web/qt-test.mjs SUITE-BUILD-FOLDER

import { launchChromium, serve } from './serve.mjs';

const [folder] = process.argv.slice(2);
const server = await serve(folder);
const browser = await launchChromium();
let status = 1;
try {
    const page = await browser.newPage();
    const done = new Promise((resolve) => {
        page.on('console', (message) => {
            const text = message.text();
            if (text.startsWith('[.WebGL')) return; // SwiftShader's notes
            console.log(text);
            const totals = /^Totals: (\d+) passed, (\d+) failed, (\d+) skipped/.exec(text);
            if (totals) resolve(Number(totals[2]) === 0 && Number(totals[1]) > 0 ? 0 : 1);
        });
        page.on('pageerror', (error) => {
            console.log(`page error: ${error.message}`);
            resolve(1);
        });
    });
    await page.goto(server.url);
    status = await Promise.race([done, new Promise((resolve) => setTimeout(() => {
        console.log('FAILED: the suite did not finish within 5 minutes');
        resolve(1);
    }, 300000))]);
} finally {
    await browser.close();
    server.close();
}
process.exit(status);
