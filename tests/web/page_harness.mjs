// What the checks of the browser build's page share: the build folder served
// on a free local port, headless Chromium driven through its DevTools protocol
// with node's own WebSocket (nothing to install), waits on what the page shows
// with deadlines, and the pictures it takes read back.
import { spawn } from 'node:child_process';
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join } from 'node:path';
import { inflateSync } from 'node:zlib';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

export function serve(folder) {
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

function startChromium(profile, width, height) {
  const args = ['--headless=new', '--no-sandbox', '--disable-gpu', '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--autoplay-policy=no-user-gesture-required', `--user-data-dir=${profile}`,
    `--window-size=${width},${height}`, '--remote-debugging-port=0', 'about:blank'];
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
    on: (l) => listeners.push(l),
    send: (method, params = {}, sessionId) => new Promise((ok, fail) => {
      const id = next++;
      waiting.set(id, { ok, fail });
      socket.send(JSON.stringify({ id, method, params, sessionId }));
    }),
  };
}

export const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));

// Runs `body(page)` on the build folder's page in a fresh browser of the given
// size, everything ended afterwards; the failure's words, or null.
export async function withPage(folder, { width, height, deadlineMs }, body) {
  const server = await serve(folder);
  const profile = mkdtempSync(join(tmpdir(), 'velmora-chromium-'));
  const { chromium, address } = startChromium(profile, width, height);
  const started = Date.now();
  const left = () => deadlineMs - (Date.now() - started);
  const log = [];
  let failure = null;
  let evaluate = null;
  try {
    const dt = devtools(await address);
    await dt.opened;
    const { targetId } = await dt.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await dt.send('Target.attachToTarget', { targetId, flatten: true });
    const send = (method, params) => dt.send(method, params, sessionId);
    dt.on((m) => {
      if (m.method === 'Runtime.consoleAPICalled')
        log.push(m.params.type + ': ' + m.params.args.map((a) => a.value ?? a.description).join(' '));
      if (m.method === 'Runtime.exceptionThrown')
        log.push('exception: ' + JSON.stringify(m.params.exceptionDetails.exception?.description ?? m.params.exceptionDetails.text));
    });
    await send('Runtime.enable');
    await send('Page.enable');
    await send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });
    const url = `http://127.0.0.1:${server.address().port}/`;
    evaluate = async (expression, awaitPromise = false) => {
      const r = await send('Runtime.evaluate', { expression, returnByValue: true, awaitPromise });
      if (r.exceptionDetails) throw new Error('in the page: ' + (r.exceptionDetails.exception?.description ?? r.exceptionDetails.text));
      return r.result.value;
    };
    // Polled, not slept on: done as soon as it holds, failed at the deadline
    // or once the page has thrown.
    const waitFor = async (what, test, pollMs = 100) => {
      while (left() > 0) {
        let got = null;
        try {
          got = await test();
        } catch (e) {
          // A page being replaced (a reload) answers nothing yet.
          if (!/navigated or closed|Cannot find context|context was destroyed/.test(e.message)) throw e;
        }
        if (got) return got;
        if (log.some((line) => line.startsWith('exception:'))) throw new Error(`the page threw while waiting for ${what}`);
        await sleep(pollMs);
      }
      throw new Error(`no ${what} within ${deadlineMs} ms`);
    };
    const threw = () => log.some((line) => line.startsWith('exception:'));
    const said = (pattern) => log.some((line) => pattern.test(line));
    await body({ send, evaluate, waitFor, threw, said, url, left, started });
  } catch (e) {
    failure = e.message;
    // What the page itself says (a program that did not load, no WebGL 2...).
    const said = evaluate && await Promise.race([sleep(2000), evaluate(
      "(() => { const s = document.getElementById('status'); return s && getComputedStyle(s).display !== 'none' ? document.getElementById('words').textContent : ''; })()")]).catch(() => '');
    if (said) failure += ` (the page said: ${said})`;
  } finally {
    for (const line of log) console.log('  console', line);
    // Its profile goes once it has ended (it writes there until then).
    const ended = new Promise((ok) => chromium.exitCode !== null ? ok() : chromium.on('exit', ok));
    try { process.kill(-chromium.pid, 'SIGTERM'); } catch (e) { /* already gone */ }
    await ended;
    chromium.stderr.destroy();
    server.closeAllConnections();
    server.close();
    rmSync(profile, { recursive: true, force: true, maxRetries: 5 });
  }
  return failure;
}

// A slot's pair of files given to the world selection's import control, into
// `slot` (the slot chosen there when not given); the page's answer.
export async function importSlot(page, files, slot) {
  const { root } = await page.send('DOM.getDocument', {});
  const { nodeId } = await page.send('DOM.querySelector', { nodeId: root.nodeId, selector: '#import-files' });
  const choose = slot ? `document.getElementById('slot').value = '${slot}'; ` : '';
  await page.evaluate(`${choose}document.getElementById('slots-said').textContent = ''`);
  await page.send('DOM.setFileInputFiles', { files, nodeId });
  return page.waitFor('the import\'s answer', () => page.evaluate("document.getElementById('slots-said').textContent"));
}

// A key tapped on the page: its press and release, as a player's would come.
export async function tap(send, key) {
  const codes = { Enter: 13, Escape: 27, ArrowDown: 40, ArrowUp: 38 };
  const event = { key, code: key, windowsVirtualKeyCode: codes[key], nativeVirtualKeyCode: codes[key] };
  await send('Input.dispatchKeyEvent', { type: 'rawKeyDown', ...event });
  await send('Input.dispatchKeyEvent', { type: 'keyUp', ...event });
}

// The pixels of an 8-bit RGB or RGBA PNG without interlacing (what Chromium
// and the game write): { width, height, rgb }.
export function readPng(bytes) {
  let at = 8;
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const colour = body[9];
      if (body[8] !== 8 || body[12] !== 0 || (colour !== 2 && colour !== 6)) throw new Error('an unexpected PNG');
      channels = colour === 2 ? 3 : 4;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rows = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? rows[y * stride + x - channels] : 0;
      const b = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const c = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
      let v = line[x];
      if (filter === 1) v += a;
      else if (filter === 2) v += b;
      else if (filter === 3) v += (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        v += pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      rows[y * stride + x] = v & 255;
    }
  }
  const rgb = Buffer.alloc(width * height * 3);
  for (let i = 0; i < width * height; ++i) rows.copy(rgb, i * 3, i * channels, i * channels + 3);
  return { width, height, rgb };
}

// How two pictures of one size differ outside the boxes left out
// ([x0, y0, x1, y1), each): the pixels that differ and the largest difference
// of a channel.
export function comparePictures(a, b, leftOut = []) {
  if (a.width !== b.width || a.height !== b.height)
    throw new Error(`pictures of ${a.width}x${a.height} and ${b.width}x${b.height}`);
  let differing = 0, largest = 0;
  for (let y = 0; y < a.height; ++y) {
    for (let x = 0; x < a.width; ++x) {
      if (leftOut.some(([x0, y0, x1, y1]) => x >= x0 && x < x1 && y >= y0 && y < y1)) continue;
      const i = (y * a.width + x) * 3;
      let d = 0;
      for (let k = 0; k < 3; ++k) d = Math.max(d, Math.abs(a.rgb[i + k] - b.rgb[i + k]));
      if (d > 0) ++differing;
      largest = Math.max(largest, d);
    }
  }
  return { differing, largest };
}
