// The WebHelp site template in a real browser, opened from disk and over http.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launchBrowser } from './browser.mjs';
import { FLAT_ORDER, ID, PROJECT_TITLE, buildSite } from './site-fixture.mjs';
import { serveFolder } from './site-server.mjs';

const REPO = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const SHOTS = process.env.QUILLMARK_WEB_SHOTS || join(tmpdir(), 'quillmark-webhelp-shots');

let browser;
let work;
let fileIndex; // file:// address of the fixture's index.html
let server;

before(async () => {
  work = mkdtempSync(join(tmpdir(), 'quillmark-webhelp-'));
  fileIndex = pathToFileURL(buildSite(join(work, 'site'))).href;
  server = await serveFolder(join(work, 'site'));
  mkdirSync(SHOTS, { recursive: true });
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (work) rmSync(work, { recursive: true, force: true });
});

// A page on the site; every request that leaves the machine is recorded.
async function open(address, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...options });
  context.setDefaultTimeout(5000);
  const page = await context.newPage();
  page.outside = [];
  page.errors = [];
  page.on('request', (r) => {
    if (!/^(file:|data:|about:|blob:|http:\/\/127\.0\.0\.1:)/.test(r.url())) page.outside.push(r.url());
  });
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.goto(address);
  return page;
}

async function closePage(page) {
  assert.deepEqual(page.errors, [], 'script errors on the page');
  assert.deepEqual(page.outside, [], 'requests to the network');
  await page.context().close();
}

const topicFrame = (page) => page.frames().find((f) => f.parentFrame() === page.mainFrame());

// Waits until the frame shows the topic's page and returns that frame.
async function waitForTopic(page, id) {
  const deadline = Date.now() + 5000;
  for (;;) {
    const f = topicFrame(page);
    if (f && f.url().includes(id + '.html')) {
      try {
        await f.waitForSelector('.sv-page-body', { timeout: 1000 });
        return f;
      } catch {
        /* the frame moved on while we looked; look again */
      }
    }
    if (Date.now() > deadline) throw new Error(`topic ${id} not shown; frame is at ${f && f.url()}`);
    await page.waitForTimeout(25);
  }
}

// What the window says about its current topic.
async function shown(page) {
  return page.evaluate(() => ({
    hash: decodeURIComponent(location.hash),
    selected: [...document.querySelectorAll('.sv-item[aria-selected="true"]')].map((li) => li.dataset.id),
    crumbs: document.getElementById('sv-crumbs').innerText.replace(/\s+/g, ' ').trim(),
    title: document.title,
  }));
}

async function expectTopic(page, name) {
  await waitForTopic(page, ID[name]);
  const s = await shown(page);
  assert.equal(s.hash, '#t=' + ID[name]);
  assert.deepEqual(s.selected, [ID[name]]);
}

const expanded = (page, name) =>
  page.getAttribute(`.sv-item[data-id="${ID[name]}"]`, 'aria-expanded');

const item = (page, name) => page.locator(`.sv-item[data-id="${ID[name]}"] > .sv-row .sv-link`);

async function searchTitles(page, query) {
  await page.fill('#sv-q', query);
  await page.press('#sv-q', 'Space');
  await page.press('#sv-q', 'Backspace');
  await page.waitForFunction((q) => document.getElementById('sv-count').textContent !== '' && document.getElementById('sv-q').value === q, query);
  await page.waitForTimeout(120);
  return page.$$eval('.sv-hit-title', (els) => els.map((e) => e.textContent));
}

describe('from disk (file://)', () => {
  test('the first topic opens, and the template carries the title and the contents colours', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    const look = await page.evaluate(() => {
      const cs = getComputedStyle(document.getElementById('sv-side'));
      return {
        brand: document.getElementById('sv-brand').textContent,
        bg: cs.backgroundColor,
        color: cs.color,
        size: cs.fontSize,
        symbols: document.querySelector('.sv-link[href*="C5"]').textContent,
      };
    });
    assert.deepEqual(look, {
      brand: PROJECT_TITLE,
      bg: 'rgb(244, 241, 234)',
      color: 'rgb(26, 43, 60)',
      size: '12px',
      symbols: 'Tags & <Symbols>',
    });
    assert.equal((await shown(page)).title, 'Welcome – ' + PROJECT_TITLE);
    await page.screenshot({ path: join(SHOTS, 'desktop-light.png') });
    await closePage(page);
  });

  test('clicking in the tree shows the topic, marks it and opens its branch', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    assert.equal(await item(page, 'modes').isVisible(), false);
    await page.click(`.sv-item[data-id="${ID.reference}"] > .sv-row .sv-twisty`);
    assert.equal(await expanded(page, 'reference'), 'true');
    await item(page, 'modes').click();
    await expectTopic(page, 'modes');
    assert.equal((await shown(page)).crumbs, 'Reference › Light Modes');
    const frame = await waitForTopic(page, ID.modes);
    assert.equal(await frame.textContent('h1'), 'Light modes');
    // A title with markup characters is shown as text.
    await item(page, 'symbols').click();
    await expectTopic(page, 'symbols');
    assert.equal((await shown(page)).crumbs, 'Reference › Tags & <Symbols>');
    await closePage(page);
  });

  test('an address opens the topic it names, with its branch open', async () => {
    const cases = [
      { hash: '#t=' + ID.advanced, topic: 'advanced', open: ['start', 'config'] },
      { hash: '#' + ID.cafe, topic: 'cafe', open: ['reference'] },
      { hash: `#topics/${ID.install}.html`, topic: 'install', open: ['start'] },
    ];
    for (const c of cases) {
      const page = await open(fileIndex + c.hash);
      await waitForTopic(page, ID[c.topic]);
      assert.deepEqual((await shown(page)).selected, [ID[c.topic]], c.hash);
      for (const name of c.open) assert.equal(await expanded(page, name), 'true', `${c.hash}: ${name} open`);
      assert.equal(await expanded(page, c.topic === 'cafe' ? 'start' : 'reference'), 'false', c.hash);
      await closePage(page);
    }
  });

  test('an address naming no topic says so and offers the first topic', async () => {
    const page = await open(fileIndex + '#t=NOSUCHTOPIC');
    await page.waitForSelector('#sv-message:not([hidden])');
    assert.match(await page.textContent('#sv-message'), /not part of this help/);
    await page.click('#sv-message a');
    await expectTopic(page, 'welcome');
    assert.equal(await page.isHidden('#sv-message'), true);
    await closePage(page);
  });

  test('a site missing its data files says so instead of showing an empty page', async () => {
    const cases = [
      { remove: ['toc.js', 'search.js'], message: /could not be loaded/ },
      { remove: ['search.js'], topic: 'welcome', searchOff: true },
      { remove: ['toc.js'], topic: 'welcome' },
    ];
    for (const [i, c] of cases.entries()) {
      const dir = join(work, 'missing' + i);
      const index = pathToFileURL(buildSite(dir)).href;
      for (const f of c.remove) rmSync(join(dir, f));
      const page = await open(index);
      if (c.message) {
        await page.waitForSelector('#sv-message:not([hidden])');
        assert.match(await page.textContent('#sv-message'), c.message);
      } else {
        await waitForTopic(page, ID[c.topic]);
      }
      assert.equal(await page.isDisabled('#sv-q'), !!c.searchOff || !!c.message, c.remove.join());
      await closePage(page);
    }
  });

  test('back and forward move between the topics visited', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await item(page, 'start').click();
    await expectTopic(page, 'start');
    await item(page, 'install').click();
    await expectTopic(page, 'install');
    await page.goBack();
    await expectTopic(page, 'start');
    await page.goBack();
    await waitForTopic(page, ID.welcome);
    assert.deepEqual((await shown(page)).selected, [ID.welcome]);
    await page.goForward();
    await expectTopic(page, 'start');
    await closePage(page);
  });

  test('previous and next follow the contents order', async () => {
    const page = await open(fileIndex + '#t=' + ID.welcome);
    await expectTopic(page, 'welcome');
    assert.equal(await page.getAttribute('#sv-prev', 'aria-disabled'), 'true');
    for (const name of FLAT_ORDER.slice(1)) {
      await page.click('#sv-next');
      await expectTopic(page, name);
    }
    assert.equal(await page.getAttribute('#sv-next', 'aria-disabled'), 'true');
    await page.click('#sv-prev');
    await expectTopic(page, 'cafe');
    // A topic outside the contents has no neighbours.
    await page.goto(fileIndex + '#t=' + ID.orphan);
    await waitForTopic(page, ID.orphan);
    assert.equal(await page.getAttribute('#sv-next', 'aria-disabled'), 'true');
    assert.equal(await page.getAttribute('#sv-prev', 'aria-disabled'), 'true');
    await closePage(page);
  });

  test('search ranks title over keyword over text and needs every word', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    const cases = [
      ['brightness', ['Brightness Control', 'Light Modes', 'Über Zubehör']],
      ['timer', ['Installing the lamp', 'Configuration Basics']],
      ['timer sunrise', ['Installing the lamp']],
      ['sunrise timer', ['Installing the lamp']],
      ['timer nowhere', []],
      ['-', []],
      ['CAFE crème', ['Über Zubehör']],
      ['uber', ['Über Zubehör']],
      ['zubehor', ['Über Zubehör']],
      ['ORPHAN', ['Orphan Notes']],
      ['<symbols>', ['Tags & <Symbols>']],
    ];
    for (const [query, titles] of cases) {
      assert.deepEqual(await searchTitles(page, query), titles, query);
      if (!titles.length) assert.match(await page.textContent('#sv-count'), /^No topic contains/, query);
    }
    await closePage(page);
  });

  test('a result shows the text around the first hit with the words marked', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await searchTitles(page, 'Wattage');
    const snippet = await page.textContent('.sv-hit-snippet');
    assert.match(snippet, /^….*the wattage label sits under the base\.$/);
    assert.deepEqual(await page.$$eval('.sv-hit-snippet mark', (m) => m.map((x) => x.textContent)), ['wattage']);
    await searchTitles(page, 'cafe creme');
    assert.deepEqual(await page.$$eval('.sv-hit-snippet mark', (m) => m.map((x) => x.textContent)), ['Café', 'Crème']);
    await page.screenshot({ path: join(SHOTS, 'search-results.png') });
    await closePage(page);
  });

  test('keyboard: / searches, Escape clears, arrows and Enter work the tree', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await page.keyboard.press('/');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'sv-q');
    await page.keyboard.type('timer');
    await page.waitForSelector('.sv-hit');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await waitForTopic(page, ID.config);
    // From disk the words cannot be marked in the page, so nothing claims they are.
    assert.equal(await page.locator('.sv-hlchip').count(), 0);
    await page.keyboard.press('/');
    await page.keyboard.press('Escape');
    assert.equal(await page.inputValue('#sv-q'), '');
    assert.equal(await page.isVisible('#sv-tree'), true);
    // Into the tree: the current topic holds the tab stop.
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.id), ID.config);
    await page.keyboard.press('ArrowRight'); // opens Configuration Basics
    await page.keyboard.press('ArrowRight'); // to its child
    await page.keyboard.press('Enter');
    await expectTopic(page, 'advanced');
    await page.keyboard.press('ArrowLeft'); // to the parent
    await page.keyboard.press('ArrowLeft'); // closes it
    assert.equal(await expanded(page, 'config'), 'false');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('Enter');
    await expectTopic(page, 'install');
    await closePage(page);
  });

  test('on a phone the contents sit behind the menu button', async () => {
    const page = await open(fileIndex + '#t=' + ID.start, { viewport: { width: 390, height: 760 }, hasTouch: true, isMobile: true });
    await waitForTopic(page, ID.start);
    assert.equal(await page.isVisible('#sv-tree'), false);
    await page.screenshot({ path: join(SHOTS, 'phone.png') });
    await page.click('#sv-menu');
    await page.waitForSelector('#sv-tree', { state: 'visible' });
    assert.equal(await page.getAttribute('#sv-menu', 'aria-expanded'), 'true');
    await page.waitForTimeout(250);
    await page.screenshot({ path: join(SHOTS, 'phone-contents.png') });
    await item(page, 'install').click();
    await expectTopic(page, 'install');
    await page.waitForSelector('#sv-tree', { state: 'hidden' });
    assert.equal(await page.getAttribute('#sv-menu', 'aria-expanded'), 'false');
    await closePage(page);
  });

  test('the contents follow the system appearance unless the author chose colours', async () => {
    const rows = [
      // settings, appearance, expected contents background and text size
      [{ tocColor: '#000000', tocSize: 12, leftBg: '#FFFFFF' }, 'light', 'rgb(255, 255, 255)', '16px'],
      [{ tocColor: '#000000', tocSize: 12, leftBg: '#FFFFFF' }, 'dark', 'rgb(23, 27, 33)', '16px'],
      [{ tocColor: '#FFFFFF', tocSize: 12, leftBg: '#202830' }, 'light', 'rgb(32, 40, 48)', '16px'],
      [{ tocColor: '#1A2B3C', tocSize: 9, leftBg: '#F4F1EA' }, 'dark', 'rgb(244, 241, 234)', '12px'],
      // A size of 0 would hide the contents; the smallest readable size is used.
      [{ tocColor: '#000000', tocSize: 0, leftBg: '#FFFFFF' }, 'light', 'rgb(255, 255, 255)', '9.33333px'],
      // The template as shipped, its values never filled in.
      [{ tocColor: '__SV_TOC_COLOR__', tocSize: '__SV_TOC_SIZE__', leftBg: '__SV_LEFT_BG__' }, 'light', 'rgb(255, 255, 255)', '14px'],
    ];
    for (const [i, [settings, scheme, bg, size]] of rows.entries()) {
      const dir = join(work, 'look' + i);
      const index = pathToFileURL(buildSite(dir, { settings })).href;
      const page = await open(index, { colorScheme: scheme });
      await waitForTopic(page, ID.welcome);
      const cs = await page.evaluate(() => {
        const s = getComputedStyle(document.getElementById('sv-side'));
        return { bg: s.backgroundColor, size: s.fontSize };
      });
      assert.deepEqual(cs, { bg, size }, JSON.stringify(settings) + ' ' + scheme);
      if (i === 1) await page.screenshot({ path: join(SHOTS, 'desktop-dark.png') });
      await closePage(page);
    }
  });

  test('a link followed inside a topic shows its page; the tree stops naming the old one', async () => {
    // From disk the browser hides the frame's address from the site, so the
    // page reached cannot be named; claiming the old topic would be wrong.
    const page = await open(fileIndex);
    const frame = await waitForTopic(page, ID.welcome);
    await frame.click('text=light modes');
    await waitForTopic(page, ID.modes);
    await page.waitForFunction(() => !document.querySelector('.sv-item[aria-selected="true"]'));
    assert.equal((await shown(page)).crumbs, '');
    // Choosing the old topic again brings its page back.
    await item(page, 'welcome').click();
    await expectTopic(page, 'welcome');
    await closePage(page);
  });
});

describe('over http', () => {
  test('a link inside a topic moves the contents and the address along', async () => {
    const page = await open(server.url + 'index.html');
    const frame = await waitForTopic(page, ID.welcome);
    await frame.click('text=light modes');
    await expectTopic(page, 'modes');
    assert.equal(await expanded(page, 'reference'), 'true');
    await page.goBack();
    await expectTopic(page, 'welcome');
    // A link to a topic that was not published goes nowhere.
    const again = await waitForTopic(page, ID.welcome);
    await again.click('text=missing topic');
    await page.waitForTimeout(200);
    assert.equal((await shown(page)).hash, '#t=' + ID.welcome);
    assert.equal(topicFrame(page).url(), server.url + `topics/${ID.welcome}.html`);
    // Links out of the help open a new tab instead of replacing the topic.
    assert.equal(await again.getAttribute('text=vendor site', 'target'), '_blank');
    await closePage(page);
  });

  test('a search result opens its topic with the words marked and in view', async () => {
    const page = await open(server.url);
    await waitForTopic(page, ID.welcome);
    await searchTitles(page, 'WATTAGE base');
    await page.click('.sv-hit');
    const frame = await waitForTopic(page, ID.install);
    await frame.waitForSelector('mark.sv-hl');
    const marks = await frame.$$eval('mark.sv-hl', (m) => m.map((x) => x.textContent));
    assert.deepEqual(marks, ['base', 'wattage', 'base']);
    assert.ok((await frame.evaluate(() => window.scrollY)) > 0, 'scrolled to the first hit');
    assert.equal(new URLSearchParams((await shown(page)).hash.slice(1)).get('hl'), 'wattage base');
    // Removing the highlighting keeps the topic.
    await page.click('.sv-hlchip');
    await page.waitForFunction(() => !location.hash.includes('hl='));
    assert.equal(await frame.$$eval('mark.sv-hl', (m) => m.length), 0);
    assert.equal(await frame.textContent('#deep'), 'Far down: the wattage label sits under the base.');
    await closePage(page);
  });
});

// Publishing the sample project with the real command-line tool.
const cli = process.env.QUILLMARK_CLI;
const canPublish =
  cli && existsSync(cli) && /\bpublish\b/.test(spawnSync(cli, ['--help'], { encoding: 'utf8' }).stdout + spawnSync(cli, ['--help'], { encoding: 'utf8' }).stderr);

test('the sample project published by quillmark-cli opens from disk', { skip: !canPublish && 'QUILLMARK_CLI does not offer publish' }, async () => {
  const dir = join(work, 'aurora');
  mkdirSync(dir);
  cpSync(join(REPO, 'examples', 'AuroraLamp.hff'), join(dir, 'AuroraLamp.hff'));
  cpSync(join(REPO, 'examples', 'AuroraLamp'), join(dir, 'AuroraLamp'), { recursive: true });
  execFileSync(cli, ['publish', join(dir, 'AuroraLamp.hff'), '--format', 'webhelp'], { stdio: 'pipe' });
  const index = join(dir, 'AuroraLamp', 'build', 'webhelp', 'index.html');
  const page = await open(pathToFileURL(index).href);
  await page.waitForSelector('.sv-item[aria-selected="true"]');
  assert.equal(await page.textContent('#sv-brand'), 'Aurora Smart Lamp — User Guide');
  assert.equal(await page.locator('.sv-item').count(), 12);
  await searchTitles(page, 'routine');
  assert.ok((await page.locator('.sv-hit').count()) > 0);
  await page.click('.sv-hit');
  await page.waitForFunction(() => document.querySelector('.sv-item[aria-selected="true"]'));
  await page.screenshot({ path: join(SHOTS, 'aurora.png') });
  await closePage(page);
});
