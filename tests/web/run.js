// Browser tests of the web build in headless Chromium: the page against the desktop game.
//   node run.js --site DIR --native DIR [--perf] [--only TEXT]
// --site: the built site (build-web/site); --native: a desktop build's game folder (its
// wingtron and data), which draws the reference screenshots under SDL's offscreen driver.
// --perf measures level 22 with the expert bot and the page's load instead, and prints them.
// --only runs just the tests whose names hold TEXT.
'use strict';

const assert = require('assert');
const childProcess = require('child_process');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { PNG } = require('pngjs');
const puppeteer = require('puppeteer-core');

const options = { perf: false, only: '' };
for (let i = 2; i < process.argv.length; ++i) {
    const a = process.argv[i];
    if (a === '--perf') options.perf = true;
    else if (a === '--only') options.only = process.argv[++i];
    else if (a === '--site' || a === '--native') options[a.slice(2)] = path.resolve(process.argv[++i]);
    else throw new Error('unknown argument ' + a);
}
if (!options.site || !options.native)
    throw new Error('usage: node run.js --site DIR --native DIR [--perf] [--only TEXT]');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'wingtron-web-'));
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// ---- The site, served from 127.0.0.1 only --------------------------------------------
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png',
                '.data': 'application/octet-stream', '.txt': 'text/plain' };
function serve(root) {
    const server = http.createServer((req, res) => {
        const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        const file = path.join(root, name === '/' ? 'index.html' : name);
        if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            res.writeHead(404);
            res.end();
            return;
        }
        res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
        fs.createReadStream(file).pipe(res);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// ---- Pictures -------------------------------------------------------------------------
// Share of pixels whose channels all lie within 2 levels of the other picture's.
function closeShare(a, b) {
    assert.strictEqual(a.width, b.width);
    assert.strictEqual(a.height, b.height);
    let close = 0;
    const n = a.width * a.height;
    for (let i = 0; i < n * 4; i += 4) {
        if (Math.abs(a.data[i] - b.data[i]) <= 2 && Math.abs(a.data[i + 1] - b.data[i + 1]) <= 2 &&
            Math.abs(a.data[i + 2] - b.data[i + 2]) <= 2)
            close++;
    }
    return close / n;
}

// The desktop game's screenshot of a frame, under SDL's offscreen driver.
function nativeShot(frame, args, name) {
    const file = path.join(work, name + '-native.png');
    const profiles = fs.mkdtempSync(path.join(work, 'profiles-'));
    const run = childProcess.spawnSync(path.join(options.native, 'wingtron'),
        ['--data', options.native, '--profiles', profiles, ...args, '--frames', String(frame + 1),
         '--screenshot', frame + ':' + file],
        { env: { ...process.env, SDL_VIDEODRIVER: 'offscreen', SDL_AUDIODRIVER: 'dummy' }, timeout: 300000 });
    assert.ok(fs.existsSync(file), 'the desktop game wrote no screenshot: ' + run.stderr);
    return PNG.sync.read(fs.readFileSync(file));
}

// ---- The browser ----------------------------------------------------------------------
let browser, site, base;

async function open(query, { viewport = { width: 1024, height: 768, deviceScaleFactor: 1 }, context = browser } = {}) {
    const page = await context.newPage();
    await page.setViewport(viewport);
    page.log = [];
    page.errors = [];
    page.on('console', (m) => {
        page.log.push(m.text());
        if (m.type() === 'error')
            page.errors.push(m.text());
    });
    page.on('pageerror', (e) => page.errors.push(e.message));
    await page.goto(base + '/index.html' + query);
    return page;
}

async function clickStart(page) {
    await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
    await page.click('#start');
}

const wt = (page, f, arg) => page.evaluate(f, arg);

async function waitFor(page, f, arg, timeout = 180000) {
    await page.waitForFunction(f, { timeout, polling: 250 }, arg);
}

async function pageShot(page) {
    await waitFor(page, () => window.Module.wt.screenshot() !== null);
    const bytes = await wt(page, () => Array.from(window.Module.wt.screenshot()));
    return PNG.sync.read(Buffer.from(bytes));
}

function check(name, page) {
    assert.deepStrictEqual(page.errors, [], name + ': the page reported errors');
}

const tests = [];
const test = (name, f) => tests.push({ name, f });

// ---- The tests --------------------------------------------------------------------------
test('a first start reaches the name entry as on the desktop; the pointer maps exactly', async () => {
    const page = await open('?seed=1&screenshot=700');
    await clickStart(page);
    const shot = await pageShot(page);
    const share = closeShare(shot, nativeShot(700, ['--seed', '1'], 'first-start'));
    console.log(`  name entry: ${(share * 100).toFixed(2)} % of pixels within 2 levels`);
    assert.ok(share >= 0.99, 'the name entry differs from the desktop');

    // A click on a known spot of the game lands on it, at ratio 1 and after a resize.
    const at = async (gx, gy) => {
        const r = await wt(page, () => { const b = document.getElementById('canvas').getBoundingClientRect();
                                         return [b.left, b.top, b.width, b.height]; });
        await page.mouse.move(r[0] + (gx + 0.5) * r[2] / 1024, r[1] + (gy + 0.5) * r[3] / 768);
        await page.mouse.down();
        await page.mouse.up();
        return wt(page, () => window.wingtron.lastPointer);
    };
    assert.deepStrictEqual(await at(100, 200), [100, 200]);
    await page.setViewport({ width: 700, height: 900, deviceScaleFactor: 1 });
    await sleep(300);
    assert.deepStrictEqual(await at(1000, 700), [1000, 700]);
    // Keys typed into a text field of the page stay there.
    const before = await wt(page, () => window.wingtron.keysPosted);
    await wt(page, () => { const f = document.createElement('input'); f.id = 'field';
                           document.body.appendChild(f); f.focus(); });
    await page.keyboard.type('abc 123');
    await sleep(200);
    assert.strictEqual(await wt(page, () => window.wingtron.keysPosted), before, 'keys reached the game');
    assert.strictEqual(await wt(page, () => document.getElementById('field').value), 'abc 123');
    check('first start', page);
    await page.close();
});

test('the pointer maps exactly at device pixel ratio 2', async () => {
    const page = await open('?seed=1', { viewport: { width: 1200, height: 800, deviceScaleFactor: 2 } });
    await clickStart(page);
    const size = await wt(page, () => [canvas.width, canvas.height, canvas.getBoundingClientRect().width]);
    assert.strictEqual(size[0], Math.round(size[2] * 2), 'the canvas is not drawn at the device pixel ratio');
    const r = await wt(page, () => { const b = canvas.getBoundingClientRect();
                                     return [b.left, b.top, b.width, b.height]; });
    await page.mouse.move(r[0] + 512.5 * r[2] / 1024, r[1] + 300.5 * r[3] / 768);
    await sleep(100);
    assert.deepStrictEqual(await wt(page, () => window.wingtron.lastPointer), [512, 300]);
    check('ratio 2', page);
    await page.close();
});

// The name entry of a first start, at a person's pace (the field takes a key a frame).
async function typeName(page, name) {
    await waitFor(page, () => window.wingtron.frames >= 720);  // the name entry is up (frame 700)
    for (let i = 0; i < 12; ++i) {
        await page.keyboard.press('Backspace');
        await sleep(80);
    }
    await page.keyboard.type(name, { delay: 120 });
    await sleep(200);
}
const confirmName = (page) => page.mouse.click(345, 481);  // OK (the canvas fills the 1024 x 768 page)
const findName = (page, name) => wt(page, (n) => {
    for (const file of window.Module.wt.listFiles('/profiles')) {
        if (new TextDecoder('latin1').decode(window.Module.wt.readFile('/profiles/' + file)).includes(n))
            return file;
    }
    return null;
}, name);

test('a name typed on a first start survives a reload', async () => {
    const context = await browser.createBrowserContext();
    let page = await open('?seed=2', { context });
    await clickStart(page);
    await typeName(page, 'webtest');
    await confirmName(page);
    await waitFor(page, () => window.Module.wt.listFiles('/profiles').length > 1);
    await sleep(1500);  // every save is synced within a second
    assert.ok(await findName(page, 'webtest'), 'no profile holds the typed name');
    check('typing a name', page);
    await page.close();

    page = await open('?seed=3', { context });
    await page.waitForSelector('#start:not([hidden])', { timeout: 60000 });
    assert.ok(await findName(page, 'webtest'), 'the profile did not survive the reload');
    await clickStart(page);
    await waitFor(page, () => window.wingtron.readyAt !== null);
    await sleep(1000);
    check('after the reload', page);
    await page.close();
    await context.close();
});

test('a save interrupted by closing the tab leaves what was saved before loadable', async () => {
    const context = await browser.createBrowserContext();
    let page = await open('?seed=2', { context });
    await clickStart(page);
    await typeName(page, 'gone');
    const before = await wt(page, () => window.wingtron.changes);
    await confirmName(page);
    await page.waitForFunction((n) => window.wingtron.changes > n, { polling: 10, timeout: 60000 }, before);
    await page.close();  // before the profile can reach IndexedDB

    page = await open('?seed=3', { context });
    await clickStart(page);
    await waitFor(page, () => window.wingtron.frames >= 720);
    const file = await findName(page, 'gone');
    if (file)  // the sync may have won the race; then the whole profile is there
        assert.ok((await wt(page, (f) => window.Module.wt.readFile('/profiles/' + f).length, file)) > 4);
    check('after an interrupted save', page);
    assert.strictEqual(await wt(page, () => window.wingtron.error), null);
    await page.close();
    await context.close();
});

test('a level 22 frame matches the desktop one', async () => {
    const page = await open('?level=22&seed=3&frames=901&screenshot=900');
    await clickStart(page);
    const shot = await pageShot(page);
    const share = closeShare(shot, nativeShot(900, ['--level', '22', '--seed', '3'], 'level-22'));
    console.log(`  level 22: ${(share * 100).toFixed(2)} % of pixels within 2 levels`);
    assert.ok(share >= 0.99, 'the level frame differs from the desktop');
    await waitFor(page, () => window.wingtron.exitCode !== null);
    assert.strictEqual(await wt(page, () => window.wingtron.exitCode), 0);
    check('level 22', page);
    await page.close();
});

test('the expert bot wins level 2 in the page as on the desktop', async () => {
    const page = await open('?level=2&autoplay=expert&seed=5');
    await waitFor(page, () => window.wingtron.exitCode !== null, undefined, 900000);
    const line = page.log.find((l) => l.startsWith('{') && l.includes('"outcome"'));
    assert.ok(line, 'the bot printed no result line');
    const web = JSON.parse(line);
    const run = childProcess.spawnSync(path.join(options.native, 'wingtron'),
        ['--headless', '--data', options.native, '--profiles', fs.mkdtempSync(path.join(work, 'profiles-')),
         '--level', '2', '--autoplay', 'expert', '--seed', '5'], { timeout: 300000 });
    const native = JSON.parse(run.stdout.toString().trim().split('\n').pop());
    console.log(`  page: ${web.outcome}, total ${web.total} in ${web.frames} frames; ` +
                `desktop: ${native.outcome}, total ${native.total} in ${native.frames} frames`);
    assert.strictEqual(web.outcome, 'won');
    assert.strictEqual(web.outcome, native.outcome);
    check('bot', page);
    await page.close();
});

// The sound driver's probe (web.sh puts it beside the site): a tone stopped, cued again and
// freed mid-wave must fade out. Cut off, it jumps to silence: a click. Nor may the freed
// voices stay plugged into the mix.
test('a sound stopped mid-wave fades out instead of clicking', async () => {
    const probe = await serve(path.join(options.site, '..', 'fade-probe'));
    const page = await browser.newPage();
    await page.goto('http://127.0.0.1:' + probe.address().port + '/fade_probe.html');
    await page.click('#play');
    await waitFor(page, () => window.probe.done, undefined, 60000);
    const r = await wt(page, () => ({ stops: window.probe.stops, samples: Array.from(window.probe.samples),
                                      plugged: window.probe.plugged }));
    await page.close();
    probe.close();
    const s = r.samples;
    const largest = (f, from, to) => {
        let m = 0;
        for (let i = Math.max(1, from); i < Math.min(to, s.length); ++i)
            m = Math.max(m, f(i));
        return m;
    };
    const step = (from, to) => largest((i) => Math.abs(s[i] - s[i - 1]), from, to);
    const peak = (from, to) => largest((i) => Math.abs(s[i]), from, to);
    assert.strictEqual(r.stops.length, 3);
    const steps = r.stops.map((at) => {
        // The tap hears the mix a buffer or two after the call: the stop lies within 9000 samples.
        const steady = step(at - 9000, at - 3000);
        assert.ok(peak(at - 3000, at) > 0.1, 'the tone did not sound');
        assert.ok(peak(at + 9000, at + 12000) < 1e-3, 'the tone went on after the stop');
        return step(at - 3000, at + 9000) / steady;
    });
    console.log(`  largest step around each stop: ${steps.map((x) => x.toFixed(2)).join(', ')} times the tone's own`);
    for (const x of steps)
        assert.ok(x < 1.5, 'a stop clicked');
    assert.strictEqual(r.plugged[1], r.plugged[0], 'freed voices left audio nodes plugged into the mix');
});

async function measure() {
    const sizes = fs.readdirSync(options.site).reduce((s, f) => s + fs.statSync(path.join(options.site, f)).size, 0);
    const page = await open('?level=22&seed=3&autoplay=expert');
    await waitFor(page, () => window.wingtron.frames >= 900, undefined, 600000);
    const first = await wt(page, () => [window.wingtron.frameTimes.length, window.wingtron.framesShown]);
    await sleep(20000);
    const r = await wt(page, (from) => {
        const w = window.wingtron, t = w.frameTimes.slice(from[0]), work = w.frameWork.slice(from[0]).sort((a, b) => a - b);
        const seconds = (t[t.length - 1] - t[0]) / 1000;
        return { fps: (t.length - 1) / seconds, shown: (w.framesShown - from[1]) / seconds,
                 median: work[work.length >> 1] };
    }, first);
    await page.close();
    // The first menu (the name entry of a first start) follows the studio logo, which lasts
    // seven seconds unless a click ends it, and the loading bar.
    const firstMenu = async (skipLogo) => {
        const menu = await open('?seed=9');
        await clickStart(menu);
        if (skipLogo) {
            await waitFor(menu, () => window.wingtron.frames >= 2, undefined, 60000);
            await menu.mouse.click(512, 384);
        }
        await waitFor(menu, () => window.wingtron.readyAt !== null);
        const w = await wt(menu, () => ({ ...window.wingtron }));
        await menu.close();
        return [w.readyAt - w.loadStart, w.startedAt - w.loadStart, w.frameTimes[0] - w.loadStart];
    };
    const ready = await firstMenu(false);
    const skipped = await firstMenu(true);
    console.log(`  level 22, expert bot: ${r.fps.toFixed(1)} frames a second over 20 s ` +
                `(${r.shown.toFixed(1)} shown), ` +
                `median CPU ${r.median.toFixed(2)} ms a frame`);
    console.log(`  page load to Start ${Math.round(ready[1])} ms, to the logo ${Math.round(ready[2])} ms, ` +
                `to the first menu ${Math.round(ready[0])} ms (${Math.round(skipped[0])} ms with the logo ` +
                `clicked away); site ${(sizes / 1e6).toFixed(1)} MB`);
}

(async () => {
    site = await serve(options.site);
    base = 'http://127.0.0.1:' + site.address().port;
    browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        protocolTimeout: 1200000,
        userDataDir: fs.mkdtempSync(path.join(work, 'chromium-')),
        args: ['--no-sandbox', '--headless=new', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               '--no-first-run'],
    });
    let failed = 0;
    try {
        for (const t of options.perf ? [] : tests.filter((x) => x.name.includes(options.only))) {
            const started = Date.now();
            try {
                await t.f();
                console.log(`ok    ${t.name} (${((Date.now() - started) / 1000).toFixed(0)} s)`);
            } catch (e) {
                failed++;
                console.log(`FAIL  ${t.name}: ${e.stack || e}`);
            }
        }
        if (options.perf)
            await measure();
    } finally {
        await browser.close();
        site.close();
        fs.rmSync(work, { recursive: true, force: true });
    }
    process.exitCode = failed ? 1 : 0;
})();
