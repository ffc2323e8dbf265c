// The WebHelp site as quillmark-cli publishes it, in a real browser, opened
// from disk and over http.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launchBrowser } from './browser.mjs';
import { CLI, DEFAULT_COLOURS, FLAT_ORDER, ID, PROJECT_TITLE, buildSite } from './site-fixture.mjs';
import { serveFolder } from './site-server.mjs';
import { seriousViolations } from './accessibility.mjs';

const REPO = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const SHOTS = process.env.QUILLMARK_WEB_SHOTS || join(tmpdir(), 'quillmark-webhelp-shots');

let browser;
let work;
let siteDir; // the published site
let fileIndex; // file:// address of its index.html
let plainIndex; // the same project with the colours of a new project
let server;

before(async () => {
  work = mkdtempSync(join(tmpdir(), 'quillmark-webhelp-'));
  const index = buildSite(join(work, 'site'));
  siteDir = dirname(index);
  fileIndex = pathToFileURL(index).href;
  plainIndex = pathToFileURL(buildSite(join(work, 'plain'), { settings: DEFAULT_COLOURS })).href;
  server = await serveFolder(siteDir);
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
  if (address) await page.goto(address);
  return page;
}

async function closePage(page) {
  assert.deepEqual(page.errors, [], 'script errors on the page');
  assert.deepEqual(page.outside, [], 'requests to the network');
  await page.context().close();
}

const topicFrame = (page) => page.frames().find((f) => f.parentFrame() === page.mainFrame());

// Waits until the frame shows the topic's page, ready, and returns that frame.
async function waitForTopic(page, id) {
  const deadline = Date.now() + 5000;
  for (;;) {
    const f = topicFrame(page);
    if (f && f.url().includes(id + '.html')) {
      try {
        await f.waitForSelector('html.sv-in-site .sv-page-body', { timeout: 1000 });
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

// Waits until the window names the topic everywhere: frame, address, tree and title.
async function expectTopic(page, name, title) {
  const frame = await waitForTopic(page, ID[name]);
  await page.waitForFunction(
    (id) => new URLSearchParams(location.hash.slice(1)).get('t') === id && document.querySelector(`.sv-item[data-id="${id}"][aria-selected="true"]`),
    ID[name],
  );
  if (title) assert.equal((await shown(page)).title, title + ' – ' + PROJECT_TITLE);
  return frame;
}

const expanded = (page, name) => page.getAttribute(`.sv-item[data-id="${ID[name]}"]`, 'aria-expanded');
const item = (page, name) => page.locator(`.sv-item[data-id="${ID[name]}"] > .sv-row .sv-link`);

async function search(page, query) {
  await page.fill('#sv-q', query);
  await page.waitForFunction(
    (q) => {
      const count = document.getElementById('sv-count').textContent;
      return document.getElementById('sv-q').value === q && count !== '' && !count.startsWith('Loading');
    },
    query,
  );
  await page.waitForTimeout(60);
}

async function searchTitles(page, query) {
  await search(page, query);
  return page.$$eval('.sv-hit-title', (els) => els.map((e) => e.textContent));
}

describe('from disk (file://)', () => {
  test('the first topic opens, and the template carries the title and the contents colours', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome', 'Welcome');
    const look = await page.evaluate(() => {
      const cs = getComputedStyle(document.getElementById('sv-side'));
      return {
        brand: document.getElementById('sv-brand').textContent,
        bg: cs.backgroundColor,
        color: cs.color,
        size: cs.fontSize,
      };
    });
    assert.deepEqual(look, {
      brand: PROJECT_TITLE,
      bg: 'rgb(244, 241, 234)',
      color: 'rgb(26, 43, 60)',
      size: '12px',
    });
    await page.screenshot({ path: join(SHOTS, 'desktop-light.png') });
    await closePage(page);
  });

  test('a topic page is complete, and opened on its own it takes the reader to the site', async () => {
    const source = readFileSync(join(siteDir, 'topics', ID.install + '.html'), 'utf8');
    assert.match(source, /^<!doctype html><html lang="en" data-topic="0+B2">/);
    assert.match(source, /<title>Installing the lamp – Lamp Guide &lt;Pro&gt; &amp; Co<\/title>/);
    assert.match(source, /<main class="sv-page-body" id="sv-content"><h1 id="installing">Installing<\/h1>/);
    assert.match(source, /<h2 id="wattage-label">Wattage label<\/h2>/);

    const page = await open(pathToFileURL(join(siteDir, 'topics', ID.install + '.html')).href + '#wattage-label');
    const frame = await expectTopic(page, 'install', 'Installing the lamp');
    assert.equal(new URLSearchParams((await shown(page)).hash.slice(1)).get('s'), 'wattage-label');
    await frame.waitForFunction(() => window.scrollY > 0);
    // The site names the project once: the band repeating the title hides.
    assert.equal(await frame.isHidden('.sv-page-header'), true);
    assert.equal(await page.isVisible('#sv-brand'), true);
    await closePage(page);
  });

  test('clicking in the tree shows the topic, marks it and opens its branch', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    assert.equal(await item(page, 'modes').isVisible(), false);
    await page.click(`.sv-item[data-id="${ID.reference}"] > .sv-row .sv-twisty`);
    assert.equal(await expanded(page, 'reference'), 'true');
    await item(page, 'modes').click();
    const frame = await expectTopic(page, 'modes', 'Light Modes');
    assert.equal((await shown(page)).crumbs, 'Reference › Light Modes');
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
      // Outside the contents: known once the search data is there.
      { hash: '#t=' + ID.orphan, topic: 'orphan', open: [], none: true },
    ];
    for (const c of cases) {
      const page = await open(fileIndex + c.hash);
      await waitForTopic(page, ID[c.topic]);
      await page.waitForFunction(() => document.title.includes(' – '));
      assert.deepEqual((await shown(page)).selected, c.none ? [] : [ID[c.topic]], c.hash);
      for (const name of c.open) assert.equal(await expanded(page, name), 'true', `${c.hash}: ${name} open`);
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

  test('a help ID in the address opens its topic, by name or by number', async () => {
    const cases = [
      ['#ctx=IDH_INSTALL', 'install'],
      ['#ctx=1002', 'modes'],
      ['#ctx=IDH_MODES_BYNAME', 'modes'],
      ['#ctx=IDH_ORPHAN', 'orphan'], // outside the contents
    ];
    for (const [hash, topic] of cases) {
      const page = await open(fileIndex + hash);
      await waitForTopic(page, ID[topic]);
      // The address names the topic itself from then on.
      await page.waitForFunction((id) => new URLSearchParams(location.hash.slice(1)).get('t') === id, ID[topic]);
      await closePage(page);
    }
  });

  test('an unknown help ID says so and leaves the contents to choose from', async () => {
    // Names compare with letter case.
    for (const hash of ['#ctx=IDH_NOPE', '#ctx=4711', '#ctx=idh_install', '#ctx=']) {
      const page = await open(fileIndex + hash);
      await page.waitForSelector('#sv-message:not([hidden])');
      assert.match(await page.textContent('#sv-message'), /No topic of this help has the help ID/, hash);
      assert.equal(await item(page, 'welcome').isVisible(), true, hash);
      if (hash === '#ctx=IDH_NOPE') await page.screenshot({ path: join(SHOTS, 'unknown-help-id.png') });
      await closePage(page);
    }
  });

  test('a site missing its data files says so instead of showing an empty page', async () => {
    const cases = [
      { remove: ['toc.js', 'search-index.js'], message: /could not be loaded/ },
      { remove: ['search-index.js'], topic: 'welcome', searchOff: true },
      { remove: ['toc.js'], topic: 'welcome' },
    ];
    for (const [i, c] of cases.entries()) {
      const dir = join(work, 'missing' + i);
      cpSync(siteDir, dir, { recursive: true });
      for (const f of c.remove) rmSync(join(dir, f));
      const page = await open(pathToFileURL(join(dir, 'index.html')).href);
      if (c.message) {
        await page.waitForSelector('#sv-message:not([hidden])');
        assert.match(await page.textContent('#sv-message'), c.message);
      } else {
        await waitForTopic(page, ID[c.topic]);
      }
      if (c.searchOff || c.message) await page.waitForFunction(() => document.getElementById('sv-q').disabled);
      else assert.equal(await page.isDisabled('#sv-q'), false, c.remove.join());
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
    await expectTopic(page, 'welcome');
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
    await page.waitForFunction(() => document.title.startsWith('Orphan Notes'));
    assert.equal(await page.getAttribute('#sv-next', 'aria-disabled'), 'true');
    assert.equal(await page.getAttribute('#sv-prev', 'aria-disabled'), 'true');
    await closePage(page);
  });

  test('a link followed inside a topic moves tree, location, address and title along', async () => {
    const page = await open(fileIndex);
    const frame = await expectTopic(page, 'welcome');
    await frame.click('text=light modes');
    await expectTopic(page, 'modes', 'Light Modes');
    assert.equal((await shown(page)).crumbs, 'Reference › Light Modes');
    assert.equal(await expanded(page, 'reference'), 'true');
    // Next goes on from the topic shown, not from the one the link was in.
    await page.click('#sv-next');
    await expectTopic(page, 'cafe', 'Über Zubehör');
    await page.goBack();
    await expectTopic(page, 'modes');
    await page.goBack();
    const again = await expectTopic(page, 'welcome');
    // A link to a topic that was not published goes nowhere.
    await again.click('text=missing topic');
    await page.waitForTimeout(200);
    assert.equal((await shown(page)).hash, '#t=' + ID.welcome);
    // Links out of the help open a new tab instead of replacing the topic.
    assert.equal(await again.getAttribute('text=vendor site', 'target'), '_blank');
    await closePage(page);
  });

  test('a search result opens its topic at the section, with the words marked', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await search(page, 'WATTAGE base');
    assert.equal(await page.textContent('.sv-hit .sv-hit-section'), 'Wattage label');
    await page.click('.sv-hit');
    const frame = await expectTopic(page, 'install');
    const params = new URLSearchParams((await shown(page)).hash.slice(1));
    assert.equal(params.get('hl'), 'wattage base');
    assert.equal(params.get('s'), 'wattage-label');
    await frame.waitForSelector('mark.sv-hl');
    const marks = await frame.$$eval('mark.sv-hl', (m) => m.map((x) => x.textContent.toLowerCase()));
    assert.deepEqual([...new Set(marks)].sort(), ['base', 'wattage']);
    await frame.waitForFunction(() => window.scrollY > 0);
    await page.waitForSelector('.sv-hlchip');
    // Removing the highlighting keeps the topic.
    await page.click('.sv-hlchip');
    await page.waitForFunction(() => !location.hash.includes('hl='));
    await frame.waitForFunction(() => !document.querySelector('mark.sv-hl'));
    assert.equal(await frame.textContent('#deep'), 'Far down: the wattage label sits under the base.');
    await closePage(page);
  });

  test('search: every word first, then most words; headings over text; word forms; one typo', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    const cases = [
      ['brightness', ['Brightness Control', 'Light Modes', 'Über Zubehör']],
      ['timer', ['Installing the lamp', 'Configuration Basics']],
      ['timer sunrise', ['Installing the lamp', 'Configuration Basics'], /^1 topic, 1 more with some of the words/],
      ['timer nowhere', ['Installing the lamp', 'Configuration Basics'], /^No topic contains every word; 2 topics with some of them/],
      ['turn off', ['Brightness Control', 'Configuration Basics']],
      // A heading weighs more than the text, whatever the contents order.
      ['label', ['Installing the lamp', 'Welcome']],
      // The very word first, then its other forms.
      ['lights', ['Light Modes', 'Configuration Basics', 'Welcome', 'Brightness Control', 'Über Zubehör']],
      ['dimming', ['Advanced Options', 'Brightness Control']],
      ['brigthness', ['Brightness Control', 'Light Modes', 'Über Zubehör'], /searched for brightness/],
      ['lamq', [], /^No topic contains this word/],
      ['CAFE crème', ['Über Zubehör']],
      ['uber', ['Über Zubehör']],
      ['lodz grosse', ['Über Zubehör']],
      ['日本', ['Über Zubehör']],
      ['ORPHAN', ['Orphan Notes']],
      ['<symbols>', ['Tags & <Symbols>']],
      ['-', [], /^No topic contains/],
    ];
    for (const [query, titles, count] of cases) {
      assert.deepEqual(await searchTitles(page, query), titles, query);
      if (count) assert.match(await page.textContent('#sv-count'), count, query);
    }
    await closePage(page);
  });

  test('a result shows the text around the first hit with the words marked', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await search(page, 'Wattage');
    await page.waitForSelector('.sv-hit-snippet');
    assert.match(await page.textContent('.sv-hit-snippet'), /Far down: the wattage label sits under the base\.$/);
    assert.deepEqual(await page.$$eval('.sv-hit-snippet mark', (m) => m.map((x) => x.textContent)), ['wattage']);
    await search(page, 'cafe creme');
    await page.waitForSelector('.sv-hit-snippet mark');
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
    const frame = await expectTopic(page, 'config');
    // From disk the words are marked too.
    await frame.waitForSelector('mark.sv-hl');
    await page.waitForSelector('.sv-hlchip');
    // "/" typed inside the topic goes to the search box.
    await frame.focus('h1').catch(() => {});
    await frame.press('body', '/');
    await page.waitForFunction(() => document.activeElement.id === 'sv-q');
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
    // The outline opens under its button.
    await page.click('#sv-outline-toggle');
    await page.waitForSelector('#sv-outline', { state: 'visible' });
    await page.screenshot({ path: join(SHOTS, 'phone-outline.png') });
    await page.click('#sv-outline a >> nth=1');
    await page.waitForSelector('#sv-outline', { state: 'hidden' });
    await closePage(page);
  });

  test('"On this page" lists the headings of a topic that has several and follows the reading', async () => {
    const page = await open(fileIndex + '#t=' + ID.install);
    const frame = await expectTopic(page, 'install');
    await page.waitForSelector('#sv-outline', { state: 'visible' });
    assert.deepEqual(await page.$$eval('#sv-outline a', (a) => a.map((x) => x.textContent)), ['Mounting the base', 'Wattage label']);
    await page.click('#sv-outline >> text=Wattage label');
    await frame.waitForFunction(() => window.scrollY > 0);
    assert.equal(new URLSearchParams((await shown(page)).hash.slice(1)).get('s'), 'wattage-label');
    await page.waitForSelector('#sv-outline a[aria-current]:text("Wattage label")');
    await page.screenshot({ path: join(SHOTS, 'outline.png') });
    await item(page, 'start').click();
    await expectTopic(page, 'start');
    await page.waitForSelector('#sv-outline', { state: 'hidden' });
    await closePage(page);
  });

  test('the A–Z index lists the entries and keywords and opens their topics', async () => {
    const page = await open(fileIndex);
    await expectTopic(page, 'welcome');
    await page.click('#sv-indexlink');
    await page.waitForSelector('#sv-indexpage:not([hidden]) .sv-index-entry');
    assert.equal((await shown(page)).title, 'Index – ' + PROJECT_TITLE);
    assert.deepEqual(await page.$$eval('.sv-index-letterhead', (h) => h.map((x) => x.textContent)), ['#', 'B', 'C', 'I', 'L', 'M', 'S', 'Z']);
    const lamp = page.locator('.sv-index-entry', { hasText: 'Lamp' }).first();
    assert.deepEqual(await lamp.locator('.sv-index-topics a').allTextContents(), ['Welcome', 'Installing the lamp']);
    await page.screenshot({ path: join(SHOTS, 'index.png') });
    await page.click('.sv-index-entry >> text=Café shade');
    await expectTopic(page, 'cafe');
    await page.goBack();
    await page.waitForSelector('#sv-indexpage:not([hidden])');
    await closePage(page);
  });

  test('the contents follow the appearance unless the author chose colours', async () => {
    const rows = [
      // settings, appearance, expected contents background and text size
      [DEFAULT_COLOURS, 'light', 'rgb(255, 255, 255)', '16px'],
      [DEFAULT_COLOURS, 'dark', 'rgb(23, 27, 33)', '16px'],
      [{ tocColor: '#FFFFFF', tocSize: 12, leftBg: '#202830' }, 'light', 'rgb(32, 40, 48)', '16px'],
      [{ tocColor: '#1A2B3C', tocSize: 9, leftBg: '#F4F1EA' }, 'dark', 'rgb(244, 241, 234)', '12px'],
      // A size of 0 would hide the contents; the smallest readable size is used.
      [{ tocColor: '#000000', tocSize: 0, leftBg: '#FFFFFF' }, 'light', 'rgb(255, 255, 255)', '9.33333px'],
    ];
    for (const [i, [settings, scheme, bg, size]] of rows.entries()) {
      const index =
        settings === DEFAULT_COLOURS ? plainIndex : pathToFileURL(buildSite(join(work, 'look' + i), { settings })).href;
      const page = await open(index, { colorScheme: scheme });
      await waitForTopic(page, ID.welcome);
      const cs = await page.evaluate(() => {
        const s = getComputedStyle(document.getElementById('sv-side'));
        return { bg: s.backgroundColor, size: s.fontSize };
      });
      assert.deepEqual(cs, { bg, size }, JSON.stringify(settings) + ' ' + scheme);
      await closePage(page);
    }
  });
});

describe('appearance and printing', () => {
  const frameLook = (frame) =>
    frame.evaluate(() => {
      const s = getComputedStyle(document.body);
      return { bg: s.backgroundColor, fg: s.color };
    });
  const LIGHT = { bg: 'rgb(255, 255, 255)', fg: 'rgb(0, 0, 0)' };
  const DARK = { bg: 'rgb(20, 23, 28)', fg: 'rgb(227, 232, 238)' };

  test('topics of a project with the default colours turn dark with the site, by choice or with the system', async () => {
    const page = await open(plainIndex + '#t=' + ID.install, { colorScheme: 'dark' });
    let frame = await expectTopic(page, 'install');
    assert.deepEqual(await frameLook(frame), DARK);
    await page.screenshot({ path: join(SHOTS, 'desktop-dark.png') });
    await page.click('#sv-theme [data-theme="light"]');
    await frame.waitForFunction(() => document.documentElement.dataset.svTheme === 'light');
    assert.deepEqual(await frameLook(frame), LIGHT);
    // The choice lasts: a new page and its topics open light.
    await page.reload();
    frame = await expectTopic(page, 'install');
    assert.deepEqual(await frameLook(frame), LIGHT);
    assert.equal(await page.getAttribute('#sv-theme [data-theme="light"]', 'aria-pressed'), 'true');
    await page.click('#sv-theme [data-theme="system"]');
    await frame.waitForFunction(() => document.documentElement.dataset.svTheme === 'dark');
    assert.deepEqual(await frameLook(frame), DARK);
    await closePage(page);

    // Colours of the author's own stay in the topics; the site around them darkens.
    const own = await open(fileIndex, { colorScheme: 'dark' });
    const ownFrame = await expectTopic(own, 'welcome');
    assert.equal((await frameLook(ownFrame)).bg, 'rgb(244, 241, 234)');
    assert.equal(await own.evaluate(() => getComputedStyle(document.querySelector('.sv-topbar')).backgroundColor), 'rgb(27, 32, 39)');
    await closePage(own);
  });

  test('the print button and Ctrl+P print the topic shown, and the whole topic prints', async () => {
    const page = await open(fileIndex + '#t=' + ID.install);
    const frame = await expectTopic(page, 'install');
    await frame.evaluate(() => {
      window.printed = 0;
      window.print = () => window.printed++;
    });
    await page.click('#sv-print');
    await frame.waitForFunction(() => window.printed === 1);
    await page.keyboard.press('Control+p');
    await frame.waitForFunction(() => window.printed === 2);
    await closePage(page);

    // The page as it prints: every paragraph, on as many sheets as it needs.
    const alone = await open(null, { javaScriptEnabled: false });
    await alone.goto(pathToFileURL(join(siteDir, 'topics', ID.install + '.html')).href);
    const pdf = join(work, 'install.pdf');
    await alone.pdf({ path: pdf, format: 'A4' });
    await alone.context().close();
    const text = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' });
    assert.match(text, /Far down: the wattage label sits under the base\./);
    assert.match(text, /Lamp Guide <Pro> & Co/, 'the printed page names the project');
    const pages = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }))[1]);
    assert.ok(pages >= 2, `printed on ${pages} pages`);
  });
});

describe('accessibility (axe-core)', () => {
  const views = [
    ['light', { colorScheme: 'light' }],
    ['dark', { colorScheme: 'dark' }],
    ['phone', { viewport: { width: 390, height: 760 }, hasTouch: true, isMobile: true }],
  ];
  for (const [name, options] of views) {
    test(`the site and a topic page have no serious violation (${name})`, async () => {
      const page = await open(plainIndex + '#t=' + ID.install, options);
      const frame = await expectTopic(page, 'install');
      if (name === 'phone') await page.click('#sv-menu');
      await search(page, 'lamp');
      assert.deepEqual(await seriousViolations(page.mainFrame()), [], 'site');
      assert.deepEqual(await seriousViolations(frame), [], 'topic page');
      await page.goto(plainIndex + '#index');
      await page.waitForSelector('#sv-indexpage:not([hidden]) .sv-index-entry');
      assert.deepEqual(await seriousViolations(page.mainFrame()), [], 'index page');
      await closePage(page);
    });
  }
});

describe('over http', () => {
  test('a link inside a topic moves the contents and the address along', async () => {
    const page = await open(server.url + 'index.html');
    const frame = await expectTopic(page, 'welcome');
    await frame.click('text=light modes');
    await expectTopic(page, 'modes', 'Light Modes');
    assert.equal(await expanded(page, 'reference'), 'true');
    await page.goBack();
    await expectTopic(page, 'welcome');
    await closePage(page);
  });

  test('a help ID in the address opens its topic', async () => {
    for (const [hash, topic] of [['#ctx=IDH_INSTALL', 'install'], ['#ctx=1002', 'modes']]) {
      const page = await open(server.url + 'index.html' + hash);
      await expectTopic(page, topic);
      await closePage(page);
    }
  });

  test('a search result opens its topic with the words marked', async () => {
    const page = await open(server.url);
    await expectTopic(page, 'welcome');
    await search(page, 'sunrise');
    await page.click('.sv-hit');
    const frame = await expectTopic(page, 'install');
    await frame.waitForSelector('mark.sv-hl');
    assert.deepEqual(await frame.$$eval('mark.sv-hl', (m) => m.map((x) => x.textContent)), ['sunrise']);
    await closePage(page);
  });
});

test('the sample project published by quillmark-cli opens from disk', async () => {
  const dir = join(work, 'aurora');
  mkdirSync(dir);
  cpSync(join(REPO, 'examples', 'AuroraLamp.hff'), join(dir, 'AuroraLamp.hff'));
  cpSync(join(REPO, 'examples', 'AuroraLamp'), join(dir, 'AuroraLamp'), { recursive: true });
  execFileSync(CLI, ['publish', join(dir, 'AuroraLamp.hff'), '--format', 'webhelp'], { stdio: 'pipe' });
  const index = join(dir, 'AuroraLamp', 'build', 'webhelp', 'index.html');
  for (const [scheme, shot] of [['light', 'aurora.png'], ['dark', 'aurora-dark.png']]) {
    const page = await open(pathToFileURL(index).href, { colorScheme: scheme });
    await page.waitForSelector('.sv-item[aria-selected="true"]');
    assert.equal(await page.textContent('#sv-brand'), 'Aurora Smart Lamp — User Guide');
    await search(page, 'routine');
    assert.ok((await page.locator('.sv-hit').count()) > 0);
    await page.click('.sv-hit');
    await page.waitForFunction(() => document.querySelector('.sv-item[aria-selected="true"]'));
    await topicFrame(page).waitForSelector('mark.sv-hl');
    await page.screenshot({ path: join(SHOTS, shot) });
    await closePage(page);
  }
});
