// The page around the game: canvas sizing, loading, the Start button, input from the
// page's events, saves to IndexedDB, notices and errors. The game's module reaches this
// through Module.wt (see web_backend.cpp and pre.js).
'use strict';

(function () {
    const W = 1024, H = 768;
    const stage = document.getElementById('stage');
    const canvas = document.getElementById('canvas');
    const overlay = document.getElementById('overlay');
    const message = document.getElementById('message');
    const progress = document.getElementById('progress');
    const progressFill = document.getElementById('progress-fill');
    const startButton = document.getElementById('start');
    const fullscreenButton = document.getElementById('fullscreen');
    const notices = document.getElementById('notices');

    // What the page and its tests can read back.
    const state = window.wingtron = {
        loadStart: performance.now(), readyAt: null, startedAt: null, exitCode: null, error: null,
        frames: 0, framesShown: 0, frameTimes: [], frameWork: [], syncs: 0, syncFailures: 0, lastSyncAt: null, changes: 0,
        keysPosted: 0, lastPointer: null,
        soundState: 'off', persisted: null,
    };

    // ---- URL parameters: the runner's options ----------------------------------------
    const params = new URLSearchParams(location.search);
    const args = ['--data', '/data', '--profiles', '/profiles'];
    const numeric = { level: '--level', difficulty: '--difficulty', seed: '--seed', frames: '--frames' };
    for (const [name, flag] of Object.entries(numeric)) {
        if (params.has(name)) {
            const value = params.get(name);
            if (!/^-?\d+$/.test(value)) {
                fail('The address asks for ' + name + '=' + value + ', which is not a number.');
                return;
            }
            args.push(flag, value);
        }
    }
    if (params.has('autoplay')) {
        const skill = params.get('autoplay');
        if (skill !== 'casual' && skill !== 'expert') {
            fail('autoplay must be casual or expert, not "' + skill + '".');
            return;
        }
        args.push('--autoplay', skill);
    }
    if (params.has('screenshot'))
        args.push('--screenshot', params.get('screenshot') + ':/tmp/screenshot.png');
    const inputUrl = params.get('input');
    if (inputUrl !== null)
        args.push('--input', '/tmp/input.txt');
    // A bot or a script plays: no one is there to press Start, and leaving the page is no
    // reason to pause.
    const unattended = params.has('autoplay') || inputUrl !== null;

    // ---- Messages --------------------------------------------------------------------
    function showMessage(text, isError) {
        overlay.hidden = false;
        message.textContent = text;
        message.className = isError ? 'error' : '';
    }

    function fail(text) {
        if (state.error)
            return;
        state.error = text;
        console.error('wingtron: ' + text);
        progress.hidden = true;
        startButton.hidden = true;
        showMessage(text + '\n\nReload the page to try again.', true);
    }

    const shownNotices = new Map();
    function notice(key, text, seconds) {
        let el = shownNotices.get(key);
        if (!text) {
            if (el) { el.remove(); shownNotices.delete(key); }
            return;
        }
        if (!el) {
            el = document.createElement('div');
            el.className = 'notice';
            notices.appendChild(el);
            shownNotices.set(key, el);
        }
        el.textContent = text;
        clearTimeout(el.timer);
        if (seconds)
            el.timer = setTimeout(() => notice(key, null), seconds * 1000);
    }

    window.addEventListener('error', (e) => fail('The game stopped: ' + (e.message || e)));
    window.addEventListener('unhandledrejection', (e) => fail('The game stopped: ' + (e.reason && e.reason.message || e.reason)));

    // ---- Canvas size: 4:3 letterboxed, backing store at the device's pixel ratio -----
    function layout() {
        const sw = stage.clientWidth, sh = stage.clientHeight;
        const cssW = Math.max(1, Math.floor(Math.min(sw, sh * W / H)));
        const cssH = Math.max(1, Math.floor(cssW * H / W));
        canvas.style.width = cssW + 'px';
        canvas.style.height = cssH + 'px';
        canvas.style.left = Math.floor((sw - cssW) / 2) + 'px';
        canvas.style.top = Math.floor((sh - cssH) / 2) + 'px';
        const ratio = window.devicePixelRatio || 1;
        const backW = Math.max(1, Math.round(cssW * ratio));
        const backH = Math.max(1, Math.round(backW * H / W));
        if (canvas.width !== backW || canvas.height !== backH) {
            canvas.width = backW;
            canvas.height = backH;
        }
    }
    window.addEventListener('resize', layout);
    document.addEventListener('fullscreenchange', layout);
    layout();

    // ---- Input: queued for the game, which takes it once a frame ----------------------
    // What went in last is kept for the page's tests: the pointer's place in the game and
    // how many key events the game was given.
    const events = [];
    const queue = (e) => {
        if (e[0] === 1)
            state.keysPosted++;
        else if (e[0] === 3)
            state.lastPointer = [e[1], e[2]];
        events.push(e);
    };
    const kKey = 1, kChar = 2, kMove = 3, kButton = 4, kWheel = 5, kPause = 6;
    const named = {
        Enter: 13, Escape: 27, Backspace: 8, Tab: 9, ' ': 32, '-': 189, '=': 187, ',': 188, '.': 190, '/': 191,
        ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Delete: 46, Insert: 45, Home: 36, End: 35,
        PageUp: 33, PageDown: 34,
    };
    const sided = { ShiftLeft: 160, ShiftRight: 161, ControlLeft: 162, ControlRight: 163, AltLeft: 164, AltRight: 165 };

    // The game's key code: the number row by its physical place (the weapon slots sit on
    // the same keys whatever the layout), the keypad's digits, every other key by what
    // the layout makes of it. -1 for keys the game does not know.
    function keyCode(e) {
        const digitRow = /^Digit(\d)$/.exec(e.code);
        if (digitRow)
            return 48 + Number(digitRow[1]);
        if (e.code in sided)
            return sided[e.code];
        const pad = /^Numpad(\d)$/.exec(e.code);
        if (pad)
            return /^\d$/.test(e.key) ? 96 + Number(pad[1]) : -1;
        if (/^\d$/.test(e.key))
            return -1;
        if (/^[a-zA-Z]$/.test(e.key))
            return e.key.toUpperCase().charCodeAt(0);
        const f = /^F(\d{1,2})$/.exec(e.key);
        if (f && Number(f[1]) >= 1 && Number(f[1]) <= 12)
            return 111 + Number(f[1]);
        return e.key in named ? named[e.key] : -1;
    }

    const held = new Set();
    function releaseHeld() {
        for (const code of held)
            queue([kKey, code, 0, 0]);
        held.clear();
    }

    canvas.addEventListener('keydown', (e) => {
        if (e.key === 'Enter' && e.altKey) {
            e.preventDefault();
            if (!e.repeat)
                toggleFullscreen();
            return;
        }
        const code = keyCode(e);
        const browserKey = (code >= 112 && code <= 123) || e.ctrlKey || e.metaKey;
        if (!browserKey)
            e.preventDefault();  // Backspace, Tab, Space and the arrows stay in the game
        if (code >= 0 && !e.repeat && !held.has(code)) {
            held.add(code);
            queue([kKey, code, 1, 0]);
        }
        if (e.key === 'Backspace' || e.key === 'Enter')
            queue([kChar, e.key === 'Backspace' ? 8 : 13, 0, 0]);
        else if (e.key.length === 1 && !e.ctrlKey && !e.metaKey) {
            const c = e.key.codePointAt(0);
            if (c >= 32 && c < 256)
                queue([kChar, c, 0, 0]);
        }
    });
    canvas.addEventListener('keyup', (e) => {
        const code = keyCode(e);
        if (code >= 0 && held.delete(code))
            queue([kKey, code, 0, 0]);
    });
    canvas.addEventListener('blur', releaseHeld);

    // Pointer positions in the game's 1024 x 768, whatever the canvas's size on screen.
    function gamePoint(e) {
        const r = canvas.getBoundingClientRect();
        return [Math.floor((e.clientX - r.left) * W / r.width), Math.floor((e.clientY - r.top) * H / r.height)];
    }
    // Buttons follow the pointer's button mask (left 1, right 2, middle 3), so a second
    // button pressed while one is held counts too; the canvas keeps the pointer while a
    // button is down, also outside it. Pointer events carry fractions of a CSS pixel, so
    // a scaled canvas still maps onto each of the game's pixels.
    const maskButtons = [[1, 1], [2, 2], [4, 3]];
    const buttonsDown = new Set();
    function pointer(e, buttons) {
        const [x, y] = gamePoint(e);
        queue([kMove, x, y, 0]);
        for (const [bit, b] of maskButtons) {
            const down = (buttons & bit) !== 0;
            if (down !== buttonsDown.has(b)) {
                if (down)
                    buttonsDown.add(b);
                else
                    buttonsDown.delete(b);
                queue([kButton, b, down ? 1 : 0, 0]);
            }
        }
    }
    canvas.addEventListener('pointerdown', (e) => {
        canvas.focus();
        if (window.parent !== window)
            window.focus();  // inside a portal's iframe the frame itself must take the keys
        e.preventDefault();
        canvas.setPointerCapture(e.pointerId);
        pointer(e, e.buttons);
    });
    canvas.addEventListener('pointermove', (e) => pointer(e, e.buttons));
    canvas.addEventListener('pointerup', (e) => pointer(e, e.buttons));
    canvas.addEventListener('pointercancel', (e) => pointer(e, 0));
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    canvas.addEventListener('wheel', (e) => {
        e.preventDefault();
        if (e.deltaY)
            queue([kWheel, e.deltaY < 0 ? 1 : -1, 0, 0]);
    }, { passive: false });

    // Leaving the page pauses a level, as Escape would.
    function leftPage() {
        releaseHeld();
        if (!unattended && state.startedAt !== null)
            queue([kPause, 0, 0, 0]);
    }
    document.addEventListener('visibilitychange', () => {
        if (document.hidden)
            leftPage();
        setSoundSuspended(document.hidden);
    });
    window.addEventListener('blur', leftPage);

    // ---- Full screen, asked for inside the player's gesture ---------------------------
    function toggleFullscreen() {
        setFullscreen(!document.fullscreenElement);
    }
    function setFullscreen(on) {
        if (on && !document.fullscreenElement && stage.requestFullscreen)
            stage.requestFullscreen().catch(() => notice('fullscreen', 'The browser refused full screen.', 4));
        else if (!on && document.fullscreenElement)
            document.exitFullscreen().catch(() => {});
    }
    fullscreenButton.addEventListener('click', () => {
        toggleFullscreen();
        canvas.focus();
    });

    // ---- Saves: every change reaches IndexedDB within a second, one sync at a time ----
    let syncTimer = null, syncing = false, syncAgain = false;
    function requestSync() {
        state.changes++;
        if (syncTimer === null)
            syncTimer = setTimeout(runSync, 200);
    }
    function runSync() {
        syncTimer = null;
        if (syncing) {
            syncAgain = true;
            return;
        }
        syncing = true;
        Module.wt.syncSaves((err) => {
            syncing = false;
            state.syncs++;
            state.lastSyncAt = performance.now();
            if (err) {
                state.syncFailures++;
                console.error('wingtron: saving to the browser failed: ' + err);
                notice('save', 'Your progress could not be saved in this browser (' + (err.message || err) +
                       '). It is kept until you close the page.');
            } else {
                notice('save', null);
            }
            if (syncAgain) {
                syncAgain = false;
                runSync();
            }
        });
    }

    function askPersistence() {
        if (!navigator.storage || !navigator.storage.persist) {
            state.persisted = false;
            notice('persist', 'This browser may clear your saved progress when it runs short of space.', 10);
            return;
        }
        navigator.storage.persist().then((granted) => {
            state.persisted = granted;
            if (!granted)
                notice('persist', 'The browser did not promise to keep your saved progress: it may clear it ' +
                       'when space runs short.', 10);
        });
    }

    // ---- Sound: Web Audio may only start inside a gesture -------------------------------
    function audioContexts() {
        return Module.wt.audioContexts ? Module.wt.audioContexts() : [];
    }
    function resumeSound() {
        for (const ctx of audioContexts())
            if (ctx.state !== 'running')
                ctx.resume().catch(() => {});
    }
    function setSoundSuspended(suspended) {
        for (const ctx of audioContexts())
            (suspended ? ctx.suspend() : ctx.resume()).catch(() => {});
    }
    function checkSound() {
        const contexts = audioContexts();
        const running = contexts.length > 0 && contexts.every((c) => c.state === 'running');
        state.soundState = running ? 'on' : 'off';
        if (!running && !unattended)
            notice('sound', 'Sound could not start in this browser: the game plays silent.', 10);
    }

    // ---- The game's side -----------------------------------------------------------
    let frameResolve = null;
    window.Module = {
        canvas: canvas,
        arguments: args,
        print: (line) => console.log(line),
        printErr: (line) => console.warn(line),
        setStatus: (text) => {
            const m = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text || '');
            if (m)
                progressFill.style.width = (100 * Number(m[1]) / Math.max(1, Number(m[2]))) + '%';
        },
        onAbort: (what) => fail('The game stopped: ' + what),
        onRuntimeInitialized: () => {
            progressFill.style.width = '100%';
            if (unattended) {
                start();
            } else {
                progress.hidden = true;
                message.textContent = 'Wingtron';
                startButton.hidden = false;
                startButton.focus();
            }
        },
        wt: {
            events: events,
            nextAnimationFrame: () => new Promise((resolve) => requestAnimationFrame(resolve)),
            frameShown: (work, calls, reuses, shown) => {
                state.frames++;
                if (shown)
                    state.framesShown++;
                state.drawCalls = calls;
                state.backdropReuses = reuses;
                const now = performance.now();
                if (state.frameTimes.length >= 20000) {
                    state.frameTimes.splice(0, 10000);
                    state.frameWork.splice(0, 10000);
                }
                state.frameTimes.push(now);
                state.frameWork.push(work);
            },
            setCursor: (visible) => { canvas.style.cursor = visible ? 'default' : 'none'; },
            setFullscreen: setFullscreen,
            isFullscreen: () => !!document.fullscreenElement,
            setTitle: (title) => { document.title = title; },
            showError: (title, text) => fail(text),
            graphicsLost: (lost) => {
                if (lost) {
                    notice('graphics', 'The browser took the game\'s graphics away; getting them back...');
                    clearTimeout(state.lostTimer);
                    state.lostTimer = setTimeout(() => fail('The browser did not give the game\'s graphics back.'),
                                                 5000);
                } else {
                    clearTimeout(state.lostTimer);
                    notice('graphics', null);
                }
            },
            filesChanged: requestSync,
            savesUnavailable: (err) => {
                console.error('wingtron: the saved games could not be read: ' + err);
                notice('save', 'Saved games could not be read in this browser; progress will not last.');
            },
            gameReady: () => {
                state.readyAt = performance.now();
                console.info('wingtron: first screen after ' + Math.round(state.readyAt - state.loadStart) + ' ms');
            },
            gameEnded: (code, error) => {
                state.exitCode = code;
                if (error)
                    fail(error);
                else
                    showMessage('The game has ended. Reload the page to play again.', false);
                requestSync();
            },
            screenshot: () => {
                try {
                    return Module.wt.readFile('/tmp/screenshot.png');
                } catch (e) {
                    return null;
                }
            },
        },
    };

    async function start() {
        if (state.startedAt !== null || state.error)
            return;
        state.startedAt = performance.now();
        overlay.hidden = true;
        startButton.hidden = true;
        canvas.focus();
        if (inputUrl !== null) {
            try {
                const reply = await fetch(new URL(inputUrl, location.href));
                if (!reply.ok)
                    throw new Error(reply.status + ' ' + reply.statusText);
                Module.wt.writeFile('/tmp/input.txt', new Uint8Array(await reply.arrayBuffer()));
            } catch (e) {
                fail('The input script ' + inputUrl + ' could not be loaded: ' + e.message);
                return;
            }
        }
        askPersistence();
        Module.callMain(args);
        resumeSound();
        setTimeout(checkSound, 1500);
    }

    startButton.addEventListener('click', () => {
        resumeSound();
        start();
    });

    // ---- Loading ---------------------------------------------------------------------
    const probe = document.createElement('canvas').getContext('webgl');
    if (!probe) {
        fail('This browser cannot show WebGL graphics, which Wingtron needs. Try another browser, or turn on ' +
             'hardware acceleration in its settings.');
        return;
    }
    const script = document.createElement('script');
    script.src = 'wingtron.js';
    script.onerror = () => fail('The game could not be loaded from the server (wingtron.js).');
    document.body.appendChild(script);
})();
