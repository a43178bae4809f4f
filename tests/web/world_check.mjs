// A world's way through the browser build's page in headless Chromium: the
// main menu (and F11 in and out of fullscreen), a new world in slot 1 made
// through the keyboard, play, a save
// from the pause menu, the page reloaded and the world loaded again; the
// slot's files must come back from the browser's storage byte for byte.
//   node --experimental-websocket tests/web/world_check.mjs BUILD_FOLDER OUT_FOLDER [MENU.png]
// With MENU.png (the Linux build's main menu at 1920 x 1080) the page's menu
// is compared with it. The pictures taken are left in OUT_FOLDER.
import { closeSync, ftruncateSync, mkdirSync, mkdtempSync, openSync, readFileSync, rmSync, writeFileSync,
  writeSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { comparePictures, importSlot, readPng, sleep, tap, withPage } from './page_harness.mjs';

const [folder, out, linuxMenu] = process.argv.slice(2).map((p) => resolve(p));
if (!folder || !out) {
  console.error('usage: world_check.mjs BUILD_FOLDER OUT_FOLDER [MENU.png]');
  process.exit(2);
}
mkdirSync(out, { recursive: true });
const deadlineMs = Number(process.env.VELMORA_PAGE_DEADLINE_MS || 300000);
const width = 1920, height = 1080;
// The game takes no key for 250 ms after it acted on one (the menus' gate):
// a rhythm of the input it demands, kept after a screen was seen to change.
const gateMs = 300;
// How long a key may take to show before it is taken for lost in a gate.
const retryMs = 1500;

// The page's import into slot 2: a world file cut short is refused and
// nothing is written; a whole one (its length fits its chest count) goes in.
async function importChecks(page) {
  const files = mkdtempSync(join(tmpdir(), 'velmora-import-'));
  try {
    const pair = (name, length) => {
      mkdirSync(join(files, name));
      const world = openSync(join(files, name, 'Mondo4.data'), 'w');
      writeSync(world, Buffer.from([1 + 2]), 0, 1, 400000081);  // two chests
      ftruncateSync(world, length);
      closeSync(world);
      writeFileSync(join(files, name, 'SemeM4.data'), '0000000042');
      return [join(files, name, 'Mondo4.data'), join(files, name, 'SemeM4.data')];
    };
    const importing = (paths) => importSlot(page, paths, 2);
    const size = () => page.evaluate("(() => { try { return Module.FS.stat('/velmora/Mondo2.data').size; } catch (e) { return 0; } })()");
    const cut = await importing(pair('cut', 400000084 + 54));
    if (!/^Not imported/.test(cut) || (await size()) !== 0) throw new Error('a world file cut short was taken: ' + cut);
    const whole = await importing(pair('whole', 400000084 + 2 * 54));
    const seed = await page.evaluate("Module.FS.readFile('/velmora/SemeM2.data', { encoding: 'utf8' })");
    if (!/imported into World2/.test(whole) || (await size()) !== 400000084 + 2 * 54 || seed !== '0000000042')
      throw new Error('a whole world was not imported: ' + whole);
    console.log('import: refused a cut world file, took a whole one');
  } finally {
    rmSync(files, { recursive: true, force: true });
  }
}

const failure = await withPage(folder, { width, height, deadlineMs }, async (page) => {
  const screen = () => page.evaluate('(window.Module && Module.velmoraScreen) || ""');
  const presents = () => page.evaluate('(window.Module && Module.velmoraPresents) || 0');
  const waitScreen = (word) => page.waitFor(`the ${word} screen`, async () => (await screen()) === word);
  const picture = async (name) => {
    const shot = Buffer.from((await page.send('Page.captureScreenshot', { format: 'png' })).data, 'base64');
    writeFileSync(join(out, name), shot);
    return readPng(shot);
  };
  // A key that should change the screen: tapped again while nothing changed.
  const pressUntil = async (key, word) => {
    const from = await screen();
    for (;;) {
      await tap(page.send, key);
      const tapped = Date.now();
      let now = from;
      while (now === from && Date.now() - tapped < retryMs) {
        await sleep(50);
        now = await screen();
      }
      if (now !== from) break;
      if (page.left() <= 0 || page.threw()) throw new Error(`${key} did not leave the ${from} screen`);
    }
    await waitScreen(word);
    await sleep(gateMs);
  };
  const persisted = () => page.waitFor('the files stored in the browser', () => page.evaluate(
    '(() => { const p = Module.velmoraPersist; return !Module.velmoraFilesChanged && !p.running && p.covered >= p.asked && p.failed < p.asked; })()'));
  const slotHashes = () => page.evaluate(`(async () => {
    const hex = async (name) => {
      const bytes = Module.FS.readFile('/velmora/' + name);
      const sum = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
      return bytes.length + ':' + Array.from(sum, (b) => b.toString(16).padStart(2, '0')).join('');
    };
    return [await hex('Mondo1.data'), await hex('SemeM1.data')];
  })()`, true);

  const opened = Date.now();
  await page.send('Page.navigate', { url: page.url });
  await waitScreen('menu');
  console.log(`main menu ${Date.now() - opened} ms after the page was opened`);
  // A few frames more, so that the picture is of a settled menu.
  const firstMenuFrame = await presents();
  await page.waitFor('menu frames', async () => (await presents()) >= firstMenuFrame + 10);
  const menu = await picture('web-main-menu.png');
  if (linuxMenu) {
    // The frame counter in the corner counts each side's own speed. Elsewhere
    // the browser's rasteriser (SwiftShader) and Linux's (Mesa's llvmpipe)
    // agree but for the last bit of a few blended texels of the paper: at
    // most 1 in a channel, in at most 100 pixels.
    const fpsBox = [1515, 975, 1660, 1002];
    const { differing, largest } = comparePictures(menu, readPng(readFileSync(linuxMenu)), [fpsBox]);
    console.log(`main menu against Linux's: ${differing} pixels differ, by ${largest} at most`);
    if (largest > 1 || differing > 100)
      throw new Error(`the main menu differs from Linux's in ${differing} pixels, by up to ${largest}`);
  }
  // F11 puts the canvas in the browser's fullscreen and takes it out again.
  const f11 = { key: 'F11', code: 'F11', windowsVirtualKeyCode: 122, nativeVirtualKeyCode: 122 };
  for (const wanted of [true, false]) {
    await page.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...f11 });
    await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...f11 });
    await page.waitFor(`F11 to make the fullscreen ${wanted ? 'begin' : 'end'}`, () =>
      page.evaluate(`(document.fullscreenElement === Module.canvas) === ${wanted}`));
  }

  const made = Date.now();
  await pressUntil('Enter', 'worlds');
  // The page's own slot controls show below the world selection (the README's picture).
  if (!(await page.evaluate("getComputedStyle(document.getElementById('slots')).display !== 'none'")))
    throw new Error('no slot controls on the world selection');
  await picture('web-world-selection.png');
  await tap(page.send, 'Enter');
  await waitScreen('busy');
  const working = Date.now();
  await waitScreen('playing');
  console.log(`new world made and in play after ${Date.now() - working} ms of work (${Date.now() - made} ms from the menu)`);
  await sleep(gateMs);
  const firstPlayFrame = await presents();
  await page.waitFor('play frames', async () => (await presents()) >= firstPlayFrame + 10);
  await picture('web-first-play.png');

  const saving = Date.now();
  await pressUntil('Escape', 'paused');
  await tap(page.send, 'ArrowDown');
  await sleep(gateMs);
  const asked = await page.evaluate('Module.velmoraPersist.asked');
  await tap(page.send, 'Enter');  // Save
  await page.waitFor('the save', async () => (await page.evaluate('Module.velmoraPersist.asked')) > asked &&
                                             (await screen()) === 'paused');
  await persisted();
  const before = await slotHashes();
  console.log(`saved and stored in ${Date.now() - saving} ms:`, before.join(' '));

  // Another tab takes the slot over while this one cannot say it is alive (a
  // hidden tab's timers slow down): a save from here is refused and the slot
  // left as the other tab may have written it.
  const lockKey = await page.evaluate("Object.keys(localStorage).find((k) => k.startsWith('velmora-lock:') && k.includes('Mondo1'))");
  if (!lockKey) throw new Error('no tab lock on the slot being played');
  await page.evaluate(`localStorage.setItem(${JSON.stringify(lockKey)}, 'another-tab ' + Date.now())`);
  const stamp = () => page.evaluate("Module.FS.stat('/velmora/Mondo1.data').mtime.getTime()");
  const savedAt = await stamp();
  await sleep(gateMs);
  await tap(page.send, 'Enter');  // Save again
  await page.waitFor('the refusal', async () => /in use by another program/.test(await page.evaluate('Module.velmoraNotice')));
  if ((await stamp()) !== savedAt || (await screen()) !== 'paused' || page.said(/could not be stored/))
    throw new Error('a save went through the slot another tab had taken');
  await page.evaluate(`localStorage.removeItem(${JSON.stringify(lockKey)})`);
  console.log('a save after another tab took the slot: refused');

  const reloaded = Date.now();
  await page.send('Page.reload', {});
  await waitScreen('menu');
  const after = await slotHashes();
  console.log(`after the reload (${Date.now() - reloaded} ms):`, after.join(' '));
  if (after.join() !== before.join()) throw new Error('the slot came back from the browser\'s storage changed');
  await pressUntil('Enter', 'worlds');
  await importChecks(page);
  await pressUntil('Enter', 'playing');
  console.log(`the world loaded again after ${Date.now() - reloaded} ms`);
  await picture('web-loaded-play.png');
  if (page.said(/could not be stored/)) throw new Error('a copy of the files to the browser\'s storage failed');
});
if (failure) console.error('world check failed: ' + failure);
process.exit(failure ? 1 : 0);
