// Loads the browser build's page in headless Chromium and saves a picture of
// it once the game has drawn its first frames (the main menu).
//   node --experimental-websocket tests/web/page_check.mjs BUILD_FOLDER OUT.png
// Serves BUILD_FOLDER itself on a free local port, drives Chromium through
// its DevTools protocol with node's own WebSocket (nothing to install), and
// gives up after a deadline, saying how far the page got.
import { spawn } from 'node:child_process';
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync, writeFileSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';

const [folder, out] = process.argv.slice(2).map((p) => resolve(p));
if (!folder || !out) {
  console.error('usage: page_check.mjs BUILD_FOLDER OUT.png');
  process.exit(2);
}
const deadlineMs = Number(process.env.VELMORA_PAGE_DEADLINE_MS || 120000);
const framesWanted = 30;
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

function serve() {
  const server = createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = join(folder, name === '/' ? 'index.html' : name);
    if (!file.startsWith(folder) || !existsSync(file)) {
      res.writeHead(404);
      return res.end();
    }
    const body = readFileSync(file);
    res.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream',
                         'Content-Length': body.length });
    res.end(body);
  });
  return new Promise((ok) => server.listen(0, '127.0.0.1', () => ok(server)));
}

function startChromium(profile) {
  const args = ['--headless=new', '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`,
    '--window-size=1024,768', '--remote-debugging-port=0', 'about:blank'];
  // A process group of its own, so that its helpers end with it.
  const chromium = spawn('chromium', args, { stdio: ['ignore', 'ignore', 'pipe'], detached: true });
  // Chromium names its DevTools address on its error output.
  const address = new Promise((ok, fail) => {
    let text = '';
    chromium.stderr.on('data', (chunk) => {
      text += chunk;
      const m = text.match(/DevTools listening on (ws:\/\/\S+)/);
      if (m) ok(m[1]);
    });
    chromium.on('exit', (code) => fail(new Error(`chromium ended (${code}): ${text.slice(-2000)}`)));
  });
  return { chromium, address };
}

function devtools(url) {
  const socket = new WebSocket(url);
  let next = 1;
  const waiting = new Map();
  const listeners = [];
  socket.onmessage = (event) => {
    const m = JSON.parse(event.data);
    if (m.id && waiting.has(m.id)) {
      const { ok, fail } = waiting.get(m.id);
      waiting.delete(m.id);
      m.error ? fail(new Error(JSON.stringify(m.error))) : ok(m.result);
    } else {
      for (const l of listeners) l(m);
    }
  };
  const opened = new Promise((ok, fail) => { socket.onopen = ok; socket.onerror = fail; });
  // A browser that goes away answers nothing more: whatever waits fails.
  socket.onclose = () => {
    for (const { fail } of waiting.values()) fail(new Error('the browser closed its DevTools connection'));
    waiting.clear();
  };
  return {
    opened,
    socket,
    on: (l) => listeners.push(l),
    send: (method, params = {}, sessionId) => new Promise((ok, fail) => {
      const id = next++;
      waiting.set(id, { ok, fail });
      socket.send(JSON.stringify({ id, method, params, sessionId }));
    }),
  };
}

const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

async function main() {
  const server = await serve();
  const profile = mkdtempSync(join(tmpdir(), 'velmora-chromium-'));
  const { chromium, address } = startChromium(profile);
  const started = Date.now();
  const left = () => deadlineMs - (Date.now() - started);
  let failure = null;
  try {
    const dt = devtools(await address);
    await dt.opened;
    const { targetId } = await dt.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await dt.send('Target.attachToTarget', { targetId, flatten: true });
    const send = (method, params) => dt.send(method, params, sessionId);
    const log = [];
    dt.on((m) => {
      if (m.method === 'Runtime.consoleAPICalled')
        log.push(m.params.type + ': ' + m.params.args.map((a) => a.value ?? a.description).join(' '));
      if (m.method === 'Runtime.exceptionThrown')
        log.push('exception: ' + JSON.stringify(m.params.exceptionDetails.exception?.description ?? m.params.exceptionDetails.text));
    });
    await send('Runtime.enable');
    await send('Page.enable');
    await send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false });
    await send('Page.navigate', { url: `http://127.0.0.1:${server.address().port}/` });
    const evaluate = async (expression) =>
      (await send('Runtime.evaluate', { expression, returnByValue: true })).result.value;
    // Polled, not slept on: done as soon as the frames come, failed at the deadline.
    let state = {};
    while (left() > 0) {
      // Nothing yet while the page itself is still loading.
      state = (await evaluate(`(() => { try { return { presents: (window.Module && Module.velmoraPresents) || 0,
        status: document.getElementById('words')?.textContent,
        shown: getComputedStyle(document.getElementById('status')).display,
        // Asked only once the game has its context: asking first would make it.
        gl: window.Module && Module.velmoraPresents ? (() => { const c = Module.canvas.getContext('webgl2');
          return c && c.getParameter(c.VERSION); })() : null,
        size: window.Module && Module.canvas ? [Module.canvas.width, Module.canvas.height] : null };
        } catch (e) { return { presents: 0, loading: String(e) }; } })()`)) || { presents: 0 };
      if (state.presents >= framesWanted) break;
      if (state.shown !== 'none' && /could not|cannot|stopped|no WebGL/.test(state.status || '')) break;
      if (log.some((line) => line.startsWith('exception:'))) break;
      await sleep(200);
    }
    console.log('page:', JSON.stringify(state));
    for (const line of log) console.log('  console', line);
    if (state.presents < framesWanted) {
      failure = `the page did not draw ${framesWanted} frames within ${deadlineMs} ms`;
    } else {
      const shot = await send('Page.captureScreenshot', { format: 'png' });
      writeFileSync(out, Buffer.from(shot.data, 'base64'));
      console.log(`saved ${out} after ${Date.now() - started} ms`);
    }
  } catch (e) {
    failure = e.message;
  } finally {
    // Its profile goes once it has ended (it writes there until then).
    const ended = new Promise((ok) => chromium.exitCode !== null ? ok() : chromium.on('exit', ok));
    try { process.kill(-chromium.pid, 'SIGTERM'); } catch (e) { /* already gone */ }
    await ended;
    chromium.stderr.destroy();
    server.closeAllConnections();
    server.close();
    rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
  }
  if (failure) console.error('page check failed: ' + failure);
  // Whatever a helper of Chromium still holds open, the check is over.
  process.exit(failure ? 1 : 0);
}
main();
