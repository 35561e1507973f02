// What the browser tests share: a static web server on 127.0.0.1 for a
// folder, as any web server hosts the browser edition (the wasm type, gzip
// when asked), and Debian's Chromium, headless, started by puppeteer-core.

import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.css': 'text/css',
    '.js': 'text/javascript',
    '.webmanifest': 'application/manifest+json',
    '.woff2': 'font/woff2',
    '.jpg': 'image/jpeg',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
    '.txt': 'text/plain; charset=utf-8',
};

// Serves `root` on a free port. `sent` counts the bytes of every response
// body as sent (compressed where the browser asked for gzip).
export async function serve(folder) {
    const root = path.resolve(folder);
    const sent = { bytes: 0, files: {} };
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
        const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
        if (!file.startsWith(root)) {
            response.writeHead(403).end();
            return;
        }
        fs.readFile(file, (error, data) => {
            if (error) {
                response.writeHead(404).end();
                return;
            }
            const headers = { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
                              'Cache-Control': 'no-store' };
            let body = data;
            if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
                body = zlib.gzipSync(data, { level: 9 });
                headers['Content-Encoding'] = 'gzip';
            }
            sent.bytes += body.length;
            sent.files[name] = body.length;
            response.writeHead(200, headers).end(body);
        });
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return { url: `http://127.0.0.1:${server.address().port}/`, sent, close: () => server.close() };
}

// Headless Chromium from Debian: WebGL on SwiftShader (no GPU here), none
// of its background connections (the machine's network is closed), and a
// fresh profile each time.
export async function launchChromium(width = 1280, height = 900) {
    return puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--enable-unsafe-swiftshader', '--disable-background-networking',
               '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
               '--disable-default-apps', '--mute-audio', `--window-size=${width},${height}`],
        defaultViewport: { width, height },
    });
}

// Debian's Firefox ESR, through WebDriver BiDi, on the X display in
// DISPLAY: headless Firefox here offers a page no WebGL; on a display it
// draws through Mesa. The page may read the clipboard without asking, as
// Chromium's granted permission allows.
export async function launchFirefox(width = 1280, height = 900) {
    return puppeteer.launch({
        browser: 'firefox',
        executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
        headless: false,
        args: [`--width=${width}`, `--height=${height}`],
        defaultViewport: { width, height },
        extraPrefsFirefox: { 'dom.events.testing.asyncClipboard': true },
    });
}
