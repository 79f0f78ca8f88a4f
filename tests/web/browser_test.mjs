// Plays the web build in Debian's chromium, headless: the road of the window
// test (menu, level screen, loading, play, pause, back, exit), a skill given
// to an egg with a click, a click in full screen landing on its button, and
// sound through Web Audio.
// Usage: node browser_test.mjs SITE_DIR NATIVE_MAPS_DIR
import { chromium } from 'playwright-core';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const [siteDir, mapsDir] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };

// Level 1 needs no skill; the copy served here allows two digs, so that a
// click on an egg has something to give.
function patchedData() {
  const data = fs.readFileSync(path.join(siteDir, 'game.data'));
  const level = fs.readFileSync(path.join(mapsDir, 'map1.dat'), 'latin1');
  const at = data.indexOf(level, 0, 'latin1');
  if (at < 0 || data.indexOf(level, at + 1, 'latin1') >= 0) throw new Error('map1.dat not found once in game.data');
  const withDigs = level.split(',').map((n, i) => (i === 4 ? '2' : n)).join(',');
  if (withDigs.length !== level.length) throw new Error('map1.dat: unexpected numbers');
  data.write(withDigs, at, 'latin1');
  return data;
}

function serve() {
  const data = patchedData();
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/$/, '/index.html');
    const file = path.join(siteDir, path.normalize(name));
    if (!file.startsWith(siteDir) || !fs.existsSync(file)) { response.writeHead(404).end(); return; }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(name === '/game.data' ? data : fs.readFileSync(file));
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
  return ok;
}

const server = await serve();
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
try {
  const page = await browser.newPage({ viewport: { width: 1000, height: 700 } });
  page.on('pageerror', (error) => console.log('page error:', error.message));

  // Pixel (x, y) of the 640x480 picture as 0xRRGGBB.
  const pixel = (x, y) => page.evaluate(([px, py]) => {
    const d = document.getElementById('screen').getContext('2d').getImageData(px, py, 1, 1).data;
    return (d[0] << 16) | (d[1] << 8) | d[2];
  }, [x, y]);
  const region = (x, y, w, h) => page.evaluate(([px, py, pw, ph]) =>
    Array.from(document.getElementById('screen').getContext('2d').getImageData(px, py, pw, ph).data).join(),
  [x, y, w, h]);
  const within = async (ms, done) => {
    const end = Date.now() + ms;
    for (;;) {
      if (await done()) return true;
      if (Date.now() > end) return false;
      await page.waitForTimeout(50);
    }
  };
  const shows = (x, y, colour, ms = 5000) => within(ms, async () => (await pixel(x, y)) === colour);
  // The page point over picture pixel (x, y), at whatever size the canvas is shown.
  const pagePoint = (x, y) => page.evaluate(([px, py]) => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return { x: r.left + (px + 0.5) * r.width / 640, y: r.top + (py + 0.5) * r.height / 480 };
  }, [x, y]);
  const click = async (x, y) => {
    const at = await pagePoint(x, y);
    await page.mouse.move(at.x, at.y);
    await page.waitForTimeout(60);
    await page.mouse.down();
    await page.mouse.up();
  };
  const key = (name) => page.keyboard.press(name);

  const started = Date.now();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  const menu = await shows(265, 155, 0x808080, 15000);
  check(menu, `main menu drawn, ${Date.now() - started} ms after loading began`);
  if (!menu) throw new Error('no main menu');

  const shownWidth = () => page.evaluate(() => document.getElementById('screen').getBoundingClientRect().width);
  const smallWidth = await shownWidth();
  await key('Alt+Enter');
  const full = await within(3000, async () => (await page.evaluate(() => !!document.fullscreenElement)) &&
                                              (await shownWidth()) !== smallWidth);
  check(full, `Alt+Enter: full screen, canvas ${smallWidth} px wide before, ${await shownWidth()} after`);
  await click(300, 165);
  check(await shows(255, 255, 0x808080), 'full screen: a click on "Play Game" opens the level screen');
  await key('Alt+Enter');
  check(await within(3000, async () => !(await page.evaluate(() => !!document.fullscreenElement))),
        'Alt+Enter again: back from full screen');

  // Sound starts with the first key or click: every sound is a buffer, and a button's click plays one.
  const audio = () => page.evaluate(() => {
    const a = window.Module && Module.audio;
    return a && a.context ? `${a.context.state}, ${Object.keys(a.buffers).length} sounds` : 'no audio';
  });
  check((await audio()) === 'running, 13 sounds', `after the first key and click: audio ${await audio()}`);
  await page.evaluate(() => {
    window.soundsPlayed = 0;
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) { window.soundsPlayed += 1; return start.apply(this, args); };
  });
  await click(300, 265);
  check(await shows(600, 470, 0x000000), 'Play level: loading screen');
  check(await within(2000, async () => (await page.evaluate(() => window.soundsPlayed)) > 0),
        'the button click is heard through Web Audio');
  await key('Space');
  check(await shows(2, 402, 0x806040), 'a key: play screen with its panel');

  // Arrows and space are the game's while it has the focus: the page must not scroll on them.
  await page.evaluate(() => {
    window.keptFromPage = [];
    window.addEventListener('keydown', (event) => window.keptFromPage.push(event.defaultPrevented));
  });
  for (const name of ['ArrowDown', 'ArrowLeft', 'Space', 'PageDown']) await key(name);
  check((await page.evaluate(() => window.keptFromPage.join())) === 'true,true,true,true',
        'arrows, space and Page Down do not reach the page');
  await key('Digit4');
  check(await shows(76 + 150, 421, 0x005000), 'key 4: Dig framed');
  const usesBefore = await region(236, 463, 30, 14);
  // An egg: the pixels of its dark rim in the view; click the middle of the first one.
  const findEgg = () => page.evaluate(() => {
    const d = document.getElementById('screen').getContext('2d').getImageData(0, 0, 640, 400).data;
    for (let i = 0; i < d.length; i += 4)
      if (d[i] === 0x2a && d[i + 1] === 0x1c && d[i + 2] === 0x12) {
        const x = (i / 4) % 640, y = Math.floor(i / 4 / 640);
        return { x: Math.min(639, x + 2), y: Math.min(399, y + 8) };
      }
    return null;
  });
  const given = await within(25000, async () => {
    const egg = await findEgg();
    if (egg) await click(egg.x, egg.y);
    return (await region(236, 463, 30, 14)) !== usesBefore;
  });
  check(given, 'a click on an egg gives it Dig (the uses left change)');

  await key('Escape');
  check(await shows(255, 155, 0x7f7f7f), 'Escape: pause screen');
  check(await shows(2, 402, 0x3333bb), 'pause screen: no panel');
  await click(300, 215);
  check(await shows(265, 155, 0x808080), 'Return to menu: main menu');
  await click(300, 315);
  check(await shows(165, 155, 0x7f7f7f), 'Exit Game: the confirmation');
  await click(230, 215);
  check(await within(3000, async () => (await page.textContent('body')).includes('The game has ended')),
        'Yes: the page says the game has ended');

  // Without its data the page says so instead of showing a blank canvas.
  const broken = await browser.newPage();
  await broken.route('**/game.data', (route) => route.fulfill({ status: 404, body: '' }));
  await broken.goto(`http://127.0.0.1:${server.address().port}/`);
  const said = await broken.waitForFunction(() => document.body.textContent.includes('could not start'),
                                            null, { timeout: 10000 }).then(() => true, () => false);
  check(said, 'a missing data file: the page says the game could not start');
} catch (error) {
  check(false, String(error));
} finally {
  await browser.close();
  server.close();
}
process.exit(failures === 0 ? 0 : 1);
