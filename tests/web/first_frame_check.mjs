// The first frame of play in the browser against the Linux build's reference
// drawer: a world the Linux velmora-world made is imported into slot 1 through
// the page's controls and loaded with F4 held (the game's screenshot of its
// first frame), then drawn by velmora_world_frames shot under a virtual X
// server; the parts of the frame the display leaves alone must match, the
// outline of the block aimed at included. In
// play a click locks the pointer, and Esc lets it go and pauses.
//   node --experimental-websocket first_frame_check.mjs BUILD_FOLDER LINUX_TOOL LINUX_FRAMES OUT_FOLDER
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { comparePictures, importSlot, sleep, tap, withPage } from './page_harness.mjs';

const [folder, tool, frames, out] = process.argv.slice(2).map((p) => resolve(p));
if (!out) {
  console.error('usage: first_frame_check.mjs BUILD_FOLDER LINUX_TOOL LINUX_FRAMES OUT_FOLDER');
  process.exit(2);
}
mkdirSync(out, { recursive: true });
const gateMs = 300;  // the menus' gate after a key, as in world_check.mjs
// Parts of the frame the heads-up display leaves alone (as the desktop's
// end-to-end test of the first frame has them).
const worldOnly = [[0, 90, 800, 270], [0, 290, 390, 450], [410, 290, 800, 450], [0, 530, 180, 600]];

// A 24-bit BMP's pixels, top row first: { width, height, rgb }.
function readBmp(bytes) {
  const offset = bytes.readUInt32LE(10), width = bytes.readInt32LE(18), stored = bytes.readInt32LE(22);
  if (bytes.readUInt16LE(28) !== 24) throw new Error('not a 24-bit BMP');
  const height = Math.abs(stored), stride = (width * 3 + 3) & ~3;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; ++y) {
    const row = offset + (stored > 0 ? height - 1 - y : y) * stride;
    for (let x = 0; x < width; ++x) {
      rgb[(y * width + x) * 3] = bytes[row + x * 3 + 2];
      rgb[(y * width + x) * 3 + 1] = bytes[row + x * 3 + 1];
      rgb[(y * width + x) * 3 + 2] = bytes[row + x * 3];
    }
  }
  return { width, height, rgb };
}

const work = mkdtempSync(join(tmpdir(), 'velmora-first-frame-'));
const failure = await withPage(folder, { width: 800, height: 600, deadlineMs: 180000 }, async (page) => {
  execFileSync(tool, ['generate', '--seed', '1234567890', '--slot', '1', '--dir', work], { stdio: 'ignore' });
  // A stone four blocks ahead of the eye, in reach: the first frame marks it
  // with the target's wireframe outline, which WebGL draws its own way.
  execFileSync(tool, ['set', '--slot', '1', '--dir', work, '500', '105', '504', '7'], { stdio: 'ignore' });
  const screen = () => page.evaluate('(window.Module && Module.velmoraScreen) || ""');
  const waitScreen = (word) => page.waitFor(`the ${word} screen`, async () => (await screen()) === word);
  await page.send('Page.navigate', { url: page.url });
  await waitScreen('menu');
  await sleep(gateMs);
  await tap(page.send, 'Enter');
  await waitScreen('worlds');
  const said = await importSlot(page, [join(work, 'Mondo1.data'), join(work, 'SemeM1.data')]);
  if (!/imported/.test(said) || /Not/.test(said)) throw new Error('the import: ' + said);
  await sleep(gateMs);
  const f4 = { key: 'F4', code: 'F4', windowsVirtualKeyCode: 115, nativeVirtualKeyCode: 115 };
  await page.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...f4 });
  await tap(page.send, 'Enter');
  const shot = await page.waitFor('the first frame\'s screenshot', () => page.evaluate(`(() => {
    try {
      const bytes = Module.FS.readFile('/velmora/Screenshots/Screenshot0.bmp');
      if (bytes.length < 54 || bytes.length < new DataView(bytes.buffer).getUint32(2, true)) return null;
      let text = '';
      for (let i = 0; i < bytes.length; i += 32768) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 32768));
      return btoa(text);
    } catch (e) { return null; }
  })()`));
  await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...f4 });
  // A click in play gives the game the pointer; Esc gives it back to the
  // browser, which keeps the key, and the game pauses all the same.
  const locked = () => page.evaluate("document.pointerLockElement === document.querySelector('canvas')");
  await sleep(gateMs);
  for (const type of ['mousePressed', 'mouseReleased'])
    await page.send('Input.dispatchMouseEvent', { type, x: 400, y: 300, button: 'left', clickCount: 1 });
  await page.waitFor('the pointer locked by a click', locked);
  await tap(page.send, 'Escape');
  await waitScreen('paused');
  if (await locked()) throw new Error('the pointer stayed locked in the pause menu');
  const browser = Buffer.from(shot, 'base64');
  writeFileSync(join(out, 'web-first-frame.bmp'), browser);
  const reference = join(out, 'linux-reference.bmp');
  execFileSync('xvfb-run', ['-a', '-s', '-screen 0 1024x768x24', frames, 'shot', join(work, 'Mondo1.data'),
    join(work, 'SemeM1.data'), reference], { stdio: 'ignore', env: { ...process.env, VELMORA_NO_VSYNC: '1' } });
  const a = readBmp(browser), b = readBmp(readFileSync(reference));
  let differing = 0, largest = 0;
  for (const [x0, y0, x1, y1] of worldOnly) {
    const cut = (p) => {
      const rgb = Buffer.alloc((x1 - x0) * (y1 - y0) * 3);
      for (let y = y0; y < y1; ++y) p.rgb.copy(rgb, (y - y0) * (x1 - x0) * 3, (y * p.width + x0) * 3, (y * p.width + x1) * 3);
      return { width: x1 - x0, height: y1 - y0, rgb };
    };
    const d = comparePictures(cut(a), cut(b));
    differing += d.differing;
    largest = Math.max(largest, d.largest);
  }
  const compared = worldOnly.reduce((n, [x0, y0, x1, y1]) => n + (x1 - x0) * (y1 - y0), 0);
  console.log(`first frame against the reference drawer: ${differing} of ${compared} pixels differ, by ${largest} at most`);
  // On one rasteriser the two agree pixel for pixel (the desktop's end-to-end
  // test). SwiftShader and Mesa's llvmpipe interpolate texture coordinates
  // with different rounding, so a pixel on a texel's edge may take its
  // neighbour texel (about 0.75% of them, scattered over the leaves); a wrong
  // eye, time of day or block would change far more.
  if (differing > compared / 100)
    throw new Error(`the first frame differs from the reference drawer's in ${differing} pixels`);
});
rmSync(work, { recursive: true, force: true });
if (failure) console.error('first frame check failed: ' + failure);
process.exit(failure ? 1 : 0);
