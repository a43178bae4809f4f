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
    retries: 0,    // of the copy under way
    start: function () {
      if (persist.running || persist.covered >= persist.asked) return;
      const upTo = persist.asked;
      persist.running = true;
      persist.covered = upTo;
      FS.syncfs(false, function (error) {
        persist.running = false;
        // The copy lists the files, then reads them a turn of the page's loop
        // later: one renamed or removed in between (a save's temporary file
        // put in place) fails it. Copied again, from a fresh list.
        if (error && persist.retries < 3) {
          ++persist.retries;
          persist.covered = upTo - 1;
          persist.start();
          return;
        }
        persist.retries = 0;
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

  // The slots' locks between tabs of the game (web/system/file_locks.cpp):
  // an entry per lock file naming the tab that holds it and when it last
  // said so. A tab says so each second; an entry left three seconds (a tab
  // closed or crashed without letting go) is anyone's. A hidden tab's timers
  // may slow to once a minute, but such a tab draws no frames and writes
  // nothing until it is shown again.
  const tabLocks = {
    tab: Date.now().toString(36) + '-' + Math.random().toString(36).slice(2),
    held: new Set(),
    staleAfterMs: 3000,
    timer: 0,
    key: function (path) { return 'velmora-lock:' + path; },
    read: function (path) {
      try {
        const [tab, time] = String(localStorage.getItem(tabLocks.key(path)) || '').split(' ');
        return tab ? { tab: tab, time: Number(time) || 0 } : null;
      } catch (error) { return null; }
    },
    write: function (path) {
      localStorage.setItem(tabLocks.key(path), tabLocks.tab + ' ' + Date.now());
    },
    take: function (path) {
      const entry = tabLocks.read(path);
      if (entry && entry.tab !== tabLocks.tab && Date.now() - entry.time < tabLocks.staleAfterMs)
        return false;
      try { tabLocks.write(path); } catch (error) { return true; }  // no storage: no other tab either
      tabLocks.held.add(path);
      if (!tabLocks.timer) tabLocks.timer = setInterval(tabLocks.refresh, 1000);
      return true;
    },
    release: function (path) {
      if (!tabLocks.held.delete(path)) return;
      const entry = tabLocks.read(path);
      try { if (entry && entry.tab === tabLocks.tab) localStorage.removeItem(tabLocks.key(path)); } catch (error) {}
    },
    // Still this tab's: not once another tab has taken it, even if that tab
    // has let go since (it may have written the slot meanwhile).
    holds: function (path) {
      tabLocks.refresh();
      return tabLocks.held.has(path);
    },
    refresh: function () {
      for (const path of Array.from(tabLocks.held)) {
        const entry = tabLocks.read(path);
        if (entry && entry.tab !== tabLocks.tab) {
          tabLocks.held.delete(path);
          console.warn('velmora: another tab has taken the lock', path);
          continue;
        }
        try { tabLocks.write(path); } catch (error) {}
      }
    },
  };
  Module.velmoraTabLocks = tabLocks;
  // A page closed or reloaded lets go at once; one kept for the Back button
  // takes its locks again when it is shown, unless another tab has them.
  let putAside = [];
  window.addEventListener('pagehide', function () {
    putAside = Array.from(tabLocks.held);
    for (const path of putAside) tabLocks.release(path);
  });
  window.addEventListener('pageshow', function () {
    for (const path of putAside.splice(0))
      if (!tabLocks.take(path)) console.warn('velmora: another tab has taken the lock', path);
  });

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
