// Runs inside the game's module before start-up: the saves folder is IndexedDB's, loaded
// before the game starts; the page (site/page.js) asks for writes back through syncSaves.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
    FS.mkdir('/profiles');
    FS.mount(IDBFS, {}, '/profiles');
    addRunDependency('wingtron-saves');
    FS.syncfs(true, function (err) {
        if (err)
            Module.wt.savesUnavailable(err);
        removeRunDependency('wingtron-saves');
    });
});
Module.wt.syncSaves = function (done) { FS.syncfs(false, done); };
// FS is defined further down the module: reached when called, not now.
Module.wt.readFile = function (path) { return FS.readFile(path); };
Module.wt.writeFile = function (path, data) { FS.writeFile(path, data); };
// The Web Audio contexts behind the game's OpenAL, for the page to start and pause.
Module.wt.audioContexts = function () {
    if (typeof AL === 'undefined' || !AL.contexts)
        return [];
    return Object.values(AL.contexts).filter(function (c) { return c && c.audioCtx; })
        .map(function (c) { return c.audioCtx; });
};
// For the page's tests: the files of a folder ([] when it cannot be read).
Module.wt.listFiles = function (path) {
    try {
        return FS.readdir(path).filter(function (n) { return n !== '.' && n !== '..'; });
    } catch (e) {
        return [];
    }
};
