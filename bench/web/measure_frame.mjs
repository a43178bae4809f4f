// The browser build's frame at the spawn of seed 1234567890, render distance
// 4, 800 x 600, in headless Chromium on SwiftShader: the world is made by the
// Linux velmora-world, imported through the page's controls and loaded; the
// frames are run back to back, not at the display's pace, and the frame is
// the time between presents over a few seconds of play. With --menu the main
// menu's frame is measured instead, the browser's own cost of a frame. With --profile the page's own time per frame is
// split by function from a CPU profile of its main thread.
//   node --experimental-websocket bench/web/measure_frame.mjs BUILD_FOLDER LINUX_VELMORA_WORLD [--seconds 5] [--runs 3] [--profile] [--menu]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { importSlot, sleep, tap, withPage } from '../../tests/web/page_harness.mjs';

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  return at >= 0 ? Number(args[at + 1]) : fallback;
};
const [folder, tool] = args.filter((a, i) => !a.startsWith('--') && !args[i - 1]?.match(/^--(seconds|runs)$/)).map((p) => resolve(p));
if (!tool) {
  console.error('usage: measure_frame.mjs BUILD_FOLDER LINUX_VELMORA_WORLD [--seconds 5] [--runs 3] [--profile] [--menu]');
  process.exit(2);
}
const seconds = option('--seconds', 5), runs = option('--runs', 3), profile = args.includes('--profile');
const menu = args.includes('--menu');
const gateMs = 300;  // the menus' gate after a key

const work = mkdtempSync(join(tmpdir(), 'velmora-web-frame-'));
execFileSync(tool, ['generate', '--seed', '1234567890', '--slot', '1', '--dir', work], { stdio: 'ignore' });
const medians = [];
for (let run = 0; run < runs; ++run) {
  const failure = await withPage(folder, { width: 800, height: 600, deadlineMs: 180000 }, async (page) => {
    const screen = () => page.evaluate('(window.Module && Module.velmoraScreen) || ""');
    const waitScreen = (word) => page.waitFor(`the ${word} screen`, async () => (await screen()) === word);
    const presents = () => page.evaluate('Module.velmoraPresents || 0');
    await page.send('Page.navigate', { url: page.url });
    await waitScreen('menu');
    if (!menu) {
      await sleep(gateMs);
      await tap(page.send, 'Enter');
      await waitScreen('worlds');
      await importSlot(page, [join(work, 'Mondo1.data'), join(work, 'SemeM1.data')]);
      await sleep(gateMs);
      await tap(page.send, 'Enter');
      await waitScreen('playing');
    }
    // A timer between frames is held to 4 ms at least by the browser, more
    // than the frame itself: the loop is run from the page's message queue
    // instead (emscripten's EM_TIMING_SETIMMEDIATE), as fast as frames come.
    await page.evaluate('_emscripten_set_main_loop_timing(2, 0)');
    await sleep(2000);  // settled: the view built, the first frames' shaders made
    if (profile) {
      await page.send('Profiler.enable');
      await page.send('Profiler.start');
    }
    const p0 = await presents(), t0 = Date.now();
    await sleep(seconds * 1000);
    const p1 = await presents(), t1 = Date.now();
    const frame = (t1 - t0) / (p1 - p0);
    medians.push(frame);
    console.log(`run ${run + 1}: ${p1 - p0} frames in ${t1 - t0} ms: ${frame.toFixed(2)} ms a frame`);
    if (profile) {
      const { profile: p } = await page.send('Profiler.stop');
      const self = new Map();
      const byId = new Map(p.nodes.map((n) => [n.id, n]));
      const dt = p.timeDeltas;
      for (let i = 0; i < p.samples.length; ++i) {
        const n = byId.get(p.samples[i]);
        const name = n.callFrame.functionName || `(${n.callFrame.url.split('/').pop() || 'program'})`;
        self.set(name, (self.get(name) || 0) + (dt[i] || 0) / 1000);
      }
      const top = [...self.entries()].sort((a, b) => b[1] - a[1]).slice(0, 25);
      for (const [name, ms] of top) console.log(`  ${(ms / (p1 - p0)).toFixed(3)} ms/frame  ${name}`);
    }
  });
  if (failure) {
    console.error('the frame measure failed: ' + failure);
    process.exitCode = 1;
    break;
  }
}
rmSync(work, { recursive: true, force: true });
medians.sort((a, b) => a - b);
if (medians.length) console.log(`median over ${medians.length} runs: ${medians[medians.length >> 1].toFixed(2)} ms a frame`);
