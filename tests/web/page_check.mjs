// Loads the browser build's page in headless Chromium and saves a picture of
// it once the game has drawn its first frames (the main menu); then F11 in and
// out of the browser's fullscreen.
//   node --experimental-websocket tests/web/page_check.mjs BUILD_FOLDER OUT.png
// Gives up after a deadline, saying how far the page got.
import { writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { withPage } from './page_harness.mjs';

const [folder, out] = process.argv.slice(2).map((p) => resolve(p));
if (!folder || !out) {
  console.error('usage: page_check.mjs BUILD_FOLDER OUT.png');
  process.exit(2);
}
const deadlineMs = Number(process.env.VELMORA_PAGE_DEADLINE_MS || 120000);
const framesWanted = 30;

const failure = await withPage(folder, { width: 1024, height: 768, deadlineMs }, async (page) => {
  await page.send('Page.navigate', { url: page.url });
  let state = {};
  const drawn = await page.waitFor(`${framesWanted} frames`, async () => {
    // Nothing yet while the page itself is still loading.
    state = (await page.evaluate(`(() => { try { return { presents: (window.Module && Module.velmoraPresents) || 0,
      status: document.getElementById('words')?.textContent,
      shown: getComputedStyle(document.getElementById('status')).display,
      // Asked only once the game has its context: asking first would make it.
      gl: window.Module && Module.velmoraPresents ? (() => { const c = Module.canvas.getContext('webgl2');
        return c && c.getParameter(c.VERSION); })() : null,
      size: window.Module && Module.canvas ? [Module.canvas.width, Module.canvas.height] : null };
      } catch (e) { return { presents: 0, loading: String(e) }; } })()`)) || { presents: 0 };
    if (state.shown !== 'none' && /could not|cannot|stopped|no WebGL/.test(state.status || '')) return 'failed';
    return state.presents >= framesWanted ? 'drawn' : null;
  }, 200);
  console.log('page:', JSON.stringify(state));
  if (drawn !== 'drawn') throw new Error('the page said: ' + state.status);
  const shot = await page.send('Page.captureScreenshot', { format: 'png' });
  writeFileSync(out, Buffer.from(shot.data, 'base64'));
  console.log(`saved ${out} after ${Date.now() - page.started} ms`);
  // F11 puts the canvas in the browser's fullscreen and takes it out again.
  const f11 = { key: 'F11', code: 'F11', windowsVirtualKeyCode: 122, nativeVirtualKeyCode: 122 };
  for (const wanted of [true, false]) {
    await page.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...f11 });
    await page.send('Input.dispatchKeyEvent', { type: 'keyUp', ...f11 });
    await page.waitFor(`F11 to make the fullscreen ${wanted ? 'begin' : 'end'}`, () =>
      page.evaluate(`(document.fullscreenElement === Module.canvas) === ${wanted}`));
  }
});
if (failure) console.error('page check failed: ' + failure);
// Whatever a helper of Chromium still holds open, the check is over.
process.exit(failure ? 1 : 0);
