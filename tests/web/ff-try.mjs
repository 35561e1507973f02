import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';
const server = await serve(process.argv[2]);
const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/tmp/ff/root/usr/lib/firefox-esr/firefox-esr',
    headless: process.env.HEADFUL ? false : true, defaultViewport: { width: 1280, height: 900 }, args: ['--width=1280', '--height=900'], extraPrefsFirefox: { 'webgl.force-enabled': true, 'webgl.disable-fail-if-major-performance-caveat': true, 'layers.acceleration.force-enabled': true } });
const page = await browser.newPage();
console.log(await browser.version());
page.on('console', (m) => console.log('console:', m.text()));
page.on('pageerror', (e) => console.log('pageerror:', e.message));
const pause = (ms) => new Promise((r) => setTimeout(r, ms));
async function keys(...combos) {
    for (const combo of combos) {
        const parts = combo.split('+');
        for (const key of parts.slice(0, -1)) await page.keyboard.down(key);
        await page.keyboard.press(parts.at(-1));
        for (const key of parts.slice(0, -1).reverse()) await page.keyboard.up(key);
        await pause(150);
    }
}
await page.goto(server.url);
await page.waitForFunction(() => document.getElementById('notice').hidden, { timeout: 120000 });
await pause(2000);
await page.screenshot({ path: '/tmp/ff/shots/0-main.png' });
let n = 1;
for (const step of (process.argv[3] || '').split(' ').filter(Boolean)) {
    if (step.startsWith('type:')) await page.keyboard.type(step.slice(5), { delay: 40 });
    else await keys(step);
    await pause(800);
    await page.screenshot({ path: `/tmp/ff/shots/${n++}-${step.replace(/[^A-Za-z0-9.]/g, '_')}.png` });
}
await browser.close(); server.close();
