// Runs before the game's main. The player's files folder is /velmora (the
// working folder, which the game takes for its own), kept in the browser's
// IndexedDB and read back from it before main starts. Writes there mark the
// files changed; the frames then ask for a copy back (web/sdl_web.cpp), and a
// writer that must know its files last asks itself (web/files_web.cpp).
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  const folder = '/velmora';
  FS.mkdir(folder);
  FS.mount(IDBFS, {}, folder);
  FS.chdir(folder);

  const persist = {
    asked: 0,      // requests made, numbered from 1
    covered: 0,    // the last request a copy has begun for
    succeeded: 0,  // the last request a successful copy covered
    failed: 0,     // the last request a failed copy covered
    running: false,
    start: function () {
      if (persist.running || persist.covered >= persist.asked) return;
      const upTo = persist.asked;
      persist.running = true;
      persist.covered = upTo;
      FS.syncfs(false, function (error) {
        persist.running = false;
        if (error) {
          persist.failed = Math.max(persist.failed, upTo);
          console.warn('velmora: the files could not be stored in the browser:', error);
        } else {
          persist.succeeded = Math.max(persist.succeeded, upTo);
        }
        persist.start();
      });
    },
  };
  Module.velmoraPersist = persist;

  // The file system's calls that change something, watched for changes in
  // the folder (the C library's calls reach them through FS by name).
  const mine = function (path) {
    const full = PATH_FS.resolve(String(path));
    return full === folder || full.startsWith(folder + '/');
  };
  const watch = function (name, pathOf) {
    const call = FS[name];
    FS[name] = function () {
      if (mine(pathOf.apply(null, arguments))) Module.velmoraFilesChanged = true;
      return call.apply(FS, arguments);
    };
  };
  const first = function (path) { return path; };
  for (const name of ['mkdir', 'rmdir', 'unlink', 'rename', 'truncate']) watch(name, first);
  watch('write', function (stream) { return stream.path || ''; });

  // A browser lets a page make sound only after the player has acted on it.
  const acted = function () { Module.velmoraActed = true; };
  for (const type of ['mousedown', 'keydown', 'touchend'])
    window.addEventListener(type, acted, { capture: true, once: true });

  addRunDependency('velmora-files');
  FS.syncfs(true, function (error) {
    if (error) console.warn('velmora: the stored files could not be read:', error);
    removeRunDependency('velmora-files');
  });
});
