// The editor page in a real browser: every host message and "exec" word,
// and the messages the page posts back, recorded through a stand-in for the
// embedding browser's messaging object.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { deflateSync } from 'node:zlib';
import { launchBrowser } from './browser.mjs';

const REPO = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
const EDITOR = pathToFileURL(join(REPO, 'resources', 'AppFiles', 'editor', 'editor.html')).href;
const SHOTS = process.env.QUILLMARK_WEB_SHOTS || join(tmpdir(), 'quillmark-editor-shots');

let browser;
let project; // a project folder with a picture and an editor stylesheet

// What the program writes as the editor stylesheet: the default profile
// followed by the settings block.
const EFFECTIVE_CSS = `body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 16px; line-height: 1.5;
  color: #1f2328; margin: 0; padding: 16px 24px; }
h1 { font-size: 30px; } h2 { font-size: 23px; } h3 { font-size: 18px; }
a { color: #0b5cad; }
img { max-width: 100%; height: auto; }
\r\n/* Project settings overrides */\r\nbody {\r\n  font-family: "DejaVu Sans", Arial, sans-serif !important;\r\n  font-size: 16px !important;\r\n  color: #000000 !important;\r\n  line-height: 1.5 !important;\r\n}\r\na, a:link, a:visited {\r\n  color: #0000FF !important;\r\n  text-decoration-line: underline !important;\r\n  text-decoration-style: solid !important;\r\n}\r\ntable {\r\n  border-collapse: collapse;\r\n  max-width: 100%;\r\n}\r\ntable, td, th {\r\n  border-style: solid !important;\r\n  border-width: 1px !important;\r\n  border-color: #999999 !important;\r\n}\r\ntd, th {\r\n  padding: 6px;\r\n  vertical-align: top;\r\n}\r\ntable tr:first-child > td, table tr:first-child > th {\r\n  background: #E7EFF5 !important;\r\n  background-color: #E7EFF5 !important;\r\n}\r\n`;

// A PNG of one colour.
function png(width, height, [r, g, b]) {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  const crc = (buf) => {
    let c = 0xffffffff;
    for (const byte of buf) c = crcTable[(c ^ byte) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (type, data) => {
    const out = Buffer.alloc(12 + data.length);
    out.writeUInt32BE(data.length, 0);
    out.write(type, 4, 'ascii');
    data.copy(out, 8);
    out.writeUInt32BE(crc(out.subarray(4, 8 + data.length)), 8 + data.length);
    return out;
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header[8] = 8;
  header[9] = 2;
  const rows = Buffer.alloc((width * 3 + 1) * height);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) rows.set([r, g, b], y * (width * 3 + 1) + 1 + x * 3);
  }
  return Buffer.concat([Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header), chunk('IDAT', deflateSync(rows)), chunk('IEND', Buffer.alloc(0))]);
}

before(async () => {
  project = mkdtempSync(join(tmpdir(), 'quillmark editor #1 '));
  mkdirSync(join(project, 'assets', 'images'), { recursive: true });
  mkdirSync(join(project, 'internal', 'editor'), { recursive: true });
  writeFileSync(join(project, 'assets', 'images', 'photo.png'), png(120, 80, [46, 125, 196]));
  writeFileSync(join(project, 'assets', 'images', 'wide.png'), png(200, 50, [214, 96, 48]));
  writeFileSync(join(project, 'internal', 'editor', 'editor_effective.css'), EFFECTIVE_CSS);
  mkdirSync(SHOTS, { recursive: true });
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  if (project) rmSync(project, { recursive: true, force: true });
});

// The script the program runs for one message: compact ASCII JSON, quoted
// as a script string (backslashes, quotes, CR and LF escaped again).
function hostScript(message) {
  const json = JSON.stringify(message)
    .replace(/\//g, '\\/')
    .replace(/[\u007f-\uffff]/g, (c) => '\\u' + c.charCodeAt(0).toString(16).toUpperCase().padStart(4, '0'));
  const literal = '"' + json.replace(/\\/g, '\\\\').replace(/"/g, '\\"').replace(/\r/g, '\\r').replace(/\n/g, '\\n') + '"';
  return `window.__sv_recv && window.__sv_recv(${literal});`;
}

// Opens the editor page with a recorder in place of the host's messaging
// object (installed late when `lateHost` is set) and waits for "ready".
async function openEditor({ lateHost = false, viewport = { width: 1000, height: 700 } } = {}) {
  const context = await browser.newContext({ viewport });
  // The program lets the page use the clipboard (the browser control's
  // settings); here the browser is told the same.
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  context.setDefaultTimeout(5000);
  await context.addInitScript((late) => {
    window.__posted = [];
    const install = () => {
      window.chrome = window.chrome || {};
      window.chrome.webview = {
        postMessage: (m) => window.__posted.push(typeof m === 'string' ? { notAnObject: m } : JSON.parse(JSON.stringify(m))),
      };
    };
    if (late) window.__installHost = install;
    else install();
  }, lateHost);
  const page = await context.newPage();
  page.errors = [];
  page.outside = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  page.on('request', (r) => {
    if (!/^(file:|data:|about:)/.test(r.url())) page.outside.push(r.url());
  });
  await page.goto(EDITOR);
  if (!lateHost) await waitForMessage(page, (m) => m.type === 'ready');
  return page;
}

async function closeEditor(page) {
  assert.deepEqual(page.errors, [], 'script errors on the page');
  assert.deepEqual(page.outside, [], 'requests to the network');
  await page.context().close();
}

const send = (page, message) => page.evaluate(hostScript(message));
const exec = (page, cmd, arg, origin = 'user') =>
  send(page, arg === undefined ? { type: 'exec', cmd, origin } : { type: 'exec', cmd, origin, arg });
const posted = (page) => page.evaluate(() => window.__posted);
const clearPosted = (page) => page.evaluate(() => { window.__posted.length = 0; });
const bodyHtml = (page) => page.evaluate(() => document.getElementById('sv-body').innerHTML);
const headerHtml = (page) => page.evaluate(() => document.getElementById('sv-header').innerHTML);

async function waitForMessage(page, predicate, timeout = 3000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const found = (await posted(page)).filter(predicate);
    if (found.length) return found[found.length - 1];
    if (Date.now() > deadline) throw new Error('no such message; posted: ' + JSON.stringify(await posted(page)));
    await page.waitForTimeout(20);
  }
}

async function lastCursorStyle(page) {
  const styles = (await posted(page)).filter((m) => m.type === 'cursorStyle');
  return styles[styles.length - 1];
}

// Selects characters [start, end) of the text inside the element that
// `selector` finds (the caret when `end` is left out), in the page's own way.
async function select(page, selector, start, end = start) {
  const reports = async () => (await posted(page)).filter((m) => m.type === 'cursorStyle').length;
  // Counted in the same script that moves the selection: a delayed report
  // that fires before it describes the old caret and must not count.
  const before = await page.evaluate(({ selector, start, end }) => {
    const root = document.querySelector(selector);
    const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
    const texts = [];
    for (let n = walker.nextNode(); n; n = walker.nextNode()) texts.push(n);
    // On the border of two text nodes a caret and the end of a range lie in
    // the first, the start of a range in the second.
    const locate = (offset, isEnd) => {
      for (const [i, t] of texts.entries()) {
        if (offset < t.length || (offset === t.length && (isEnd || i === texts.length - 1))) return [t, offset];
        offset -= t.length;
      }
      return [root, root.childNodes.length];
    };
    const range = document.createRange();
    range.setStart(...locate(start, end === start));
    range.setEnd(...locate(end, true));
    root.closest('[contenteditable]').focus();
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    return window.__posted.filter((m) => m.type === 'cursorStyle').length;
  }, { selector, start, end });
  // The page reports the caret style of the new selection (unless it did
  // not move at all).
  for (let waited = 0; waited < 1000 && (await reports()) === before; waited += 20) await page.waitForTimeout(20);
}

describe('messages between page and host', () => {
  test('the page posts ready once, as an object, and queues messages until the host object exists', async () => {
    const page = await openEditor({ lateHost: true });
    await page.waitForTimeout(100);
    assert.deepEqual(await posted(page), []);
    await page.evaluate(() => window.__installHost());
    const ready = await waitForMessage(page, (m) => m.type === 'ready');
    assert.deepEqual(ready, { type: 'ready' });
    await page.waitForTimeout(100);
    assert.equal((await posted(page)).filter((m) => m.type === 'ready').length, 1);
    assert.ok((await posted(page)).every((m) => !('notAnObject' in m)));
    await closeEditor(page);
  });

  test('setHtml replaces the body, reports a program change, and getHtml answers with the body', async () => {
    const page = await openEditor();
    const html = '<p>Caf\u00e9 "quoted" \\ back\u2028slash</p>\n<p>Second line</p>';
    await send(page, { type: 'setHtml', html });
    assert.equal(await bodyHtml(page), html);
    const changed = await waitForMessage(page, (m) => m.type === 'htmlChanged');
    assert.deepEqual(changed, { type: 'htmlChanged', html, user: false });
    await send(page, { type: 'getHtml' });
    assert.deepEqual(await waitForMessage(page, (m) => m.type === 'htmlResponse'), { type: 'htmlResponse', html });
    // Malformed or foreign messages change nothing.
    await page.evaluate(() => {
      for (const text of ['not json', '"setHtml"', '[1]', 'null', '{"type":"nonsense"}', '{"type":"exec","cmd":"explode"}']) window.__sv_recv(text);
    });
    assert.equal(await bodyHtml(page), html);
    await closeEditor(page);
  });

  test('an empty page is answered empty, also after it had the focus, until the author writes', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '' });
    await page.evaluate(() => { document.getElementById('sv-body').focus(); });
    await exec(page, 'selectAll');
    await exec(page, 'copy');
    await clearPosted(page);
    await send(page, { type: 'getHtml' });
    assert.deepEqual(await waitForMessage(page, (m) => m.type === 'htmlResponse'), { type: 'htmlResponse', html: '' });
    // The first typed text goes into a paragraph.
    await page.keyboard.type('Hi');
    assert.equal(await bodyHtml(page), '<p>Hi</p>');
    await closeEditor(page);
  });

  test('typing reports user changes; program commands report program changes', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '<p>Hello</p>' });
    await select(page, '#sv-body p', 5);
    await clearPosted(page);
    await page.keyboard.type(' you');
    let changes = (await posted(page)).filter((m) => m.type === 'htmlChanged');
    assert.ok(changes.length >= 1);
    assert.ok(changes.every((m) => m.user === true));
    assert.equal(changes[changes.length - 1].html, '<p>Hello you</p>');

    await select(page, '#sv-body p', 0, 5);
    await clearPosted(page);
    await exec(page, 'bold', undefined, 'program');
    await exec(page, 'italic', undefined, 'user');
    changes = (await posted(page)).filter((m) => m.type === 'htmlChanged');
    assert.deepEqual(changes.map((m) => m.user), [false, true]);
    assert.equal(changes[1].html, '<p><b><i>Hello</i></b> you</p>');
    await closeEditor(page);
  });

  test('a script error in content does not run, and links are not followed', async () => {
    const page = await openEditor();
    await send(page, {
      type: 'setHtml',
      html: '<p><img src="missing.png" onerror="window.__ran = 1"><a href="https://example.invalid/x">away</a> ' +
        '<a href="doc:0123456789ABCDEF0123456789ABCDEF">topic</a> ' +
        '<a id="sec" href="doc:0123456789ABCDEF0123456789ABCDEF#pairing-setup">section</a></p>',
    });
    await page.waitForTimeout(150);
    assert.equal(await page.evaluate(() => window.__ran), undefined);
    const url = page.url();
    await page.click('#sv-body a[href^="https"]', { modifiers: ['Control'] });
    await page.click('#sv-body a[href^="doc:"]');
    await page.waitForTimeout(150);
    assert.equal(page.url(), url);
    assert.equal(page.context().pages().length, 1);
    // The hover tip names the target; a topic link says so.
    await page.hover('#sv-body a[href^="doc:"]');
    assert.match(await page.textContent('#sv-link-tip'), /^Topic linkdoc:0123/);
    // A topic link to a heading names the heading's anchor apart.
    await page.hover('#sec');
    assert.equal(await page.textContent('#sv-link-tip'),
      'Topic linkdoc:0123456789ABCDEF0123456789ABCDEFSectionpairing-setup');
    page.errors = page.errors.filter((e) => !/missing\.png/.test(e));
    await closeEditor(page);
  });
});

describe('exec words', () => {
  let page;
  before(async () => {
    page = await openEditor();
  });
  after(async () => closeEditor(page));

  async function run(html, selector, start, end, cmd, arg) {
    await send(page, { type: 'setHtml', html });
    await select(page, selector, start, end);
    await exec(page, cmd, arg);
    return bodyHtml(page);
  }

  test('character styles, lists and headings', async () => {
    const cases = [
      ['<p>one two</p>', 'p', 0, 3, 'bold', undefined, '<p><b>one</b> two</p>'],
      ['<p>one two</p>', 'p', 4, 7, 'italic', undefined, '<p>one <i>two</i></p>'],
      ['<p>one two</p>', 'p', 0, 7, 'underline', undefined, '<p><u>one two</u></p>'],
      ['<p><b>one</b> two</p>', 'p', 0, 3, 'bold', undefined, '<p>one two</p>'],
      ['<p>one</p><p>two</p>', 'p', 1, 1, 'ul', undefined, '<ul><li>one</li></ul><p>two</p>'],
      ['<p>one</p>', 'p', 1, 1, 'ol', undefined, '<ol><li>one</li></ol>'],
      ['<ul><li>one</li></ul>', 'li', 1, 1, 'ul', undefined, '<p>one</p>'],
      ['<p style="font-size:14px;color:red">one</p>', 'p', 1, 1, 'h1', undefined, '<h1 style="color: red;">one</h1>'],
      ['<p>one</p>', 'p', 1, 1, 'h2', undefined, '<h2>one</h2>'],
      ['<p>one</p>', 'p', 1, 1, 'h3', undefined, '<h3>one</h3>'],
      ['<h2>one</h2>', 'h2', 1, 1, 'p', undefined, '<p>one</p>'],
    ];
    for (const [html, selector, start, end, cmd, arg, expected] of cases) {
      assert.equal(await run(html, '#sv-body ' + selector, start, end, cmd, arg), expected, `${cmd} on ${html}`);
    }
  });

  test('alignment and line height apply to the blocks of the selection', async () => {
    const cases = [
      ['<p>a</p><p>b</p>', 0, 2, 'align', 'center', '<p style="text-align: center;">a</p><p style="text-align: center;">b</p>'],
      ['<p>a</p><p>b</p>', 1, 1, 'align', 'right', '<p style="text-align: right;">a</p><p>b</p>'],
      ['<p>a</p>', 0, 0, 'align', 'justify', '<p style="text-align: justify;">a</p>'],
      ['<p style="text-align: center;">a</p>', 0, 0, 'align', 'left', '<p>a</p>'],
      ['<p>a</p>', 0, 0, 'align', 'sideways', '<p>a</p>'],
      ['<p>a</p><p>b</p>', 0, 2, 'lineHeight', '1.15', '<p style="line-height: 1.15;">a</p><p style="line-height: 1.15;">b</p>'],
      ['<p>a</p>', 0, 0, 'lineHeight', '2', '<p style="line-height: 2;">a</p>'],
      ['<p>a</p>', 0, 0, 'lineHeight', 'tall', '<p>a</p>'],
      ['<p>a</p>', 0, 0, 'lineHeight', '-1', '<p>a</p>'],
    ];
    for (const [html, start, end, cmd, arg, expected] of cases) {
      assert.equal(await run(html, '#sv-body', start, end, cmd, arg), expected, `${cmd} ${arg} on ${html}`);
    }
  });

  test('font, size and colours style the selected text, or the whole block at a caret', async () => {
    const cases = [
      ['<p>one two</p>', 0, 3, 'fontName', 'Liberation Serif', '<p><span style="font-family: &quot;Liberation Serif&quot;;">one</span> two</p>'],
      ['<p>one two</p>', 4, 7, 'fontSizePx', '24', '<p>one <span style="font-size: 24px;">two</span></p>'],
      ['<p>one two</p>', 0, 7, 'foreColor', '#FF0000', '<p><span style="color: rgb(255, 0, 0);">one two</span></p>'],
      ['<p>one two</p>', 0, 3, 'backColor', '#FFFF00', '<p><span style="background-color: rgb(255, 255, 0);">one</span> two</p>'],
      ['<p><span style="background-color: yellow;">one</span> two</p>', 0, 3, 'backColor', undefined, '<p>one two</p>'],
      ['<p><span style="background-color: yellow;">one two</span></p>', 0, 3, 'backColor', undefined,
        '<p><span style="background-color: yellow;"><span style="background-color: transparent;">one</span> two</span></p>'],
      // A new size for text that already has one replaces it, at every depth.
      ['<p><span style="font-size: 30px;"><b><span style="font-size: 9px;">one</span></b></span> two</p>', 0, 3, 'fontSizePx', '12',
        '<p><b><span style="font-size: 12px;">one</span></b> two</p>'],
      ['<p><span style="font-size: 30px;">one</span> two</p>', 0, 7, 'fontSizePx', '12', '<p><span style="font-size: 12px;">one two</span></p>'],
      // At a caret: the block at the caret.
      ['<h2 style="font-size:14px">Title <span style="font-size:9px">x</span></h2>', 2, 2, 'fontSizePx', '26', '<h2 style="font-size: 26px;">Title x</h2>'],
      ['<p>one</p><p>two</p>', 1, 1, 'foreColor', '#0000FF', '<p style="color: rgb(0, 0, 255);">one</p><p>two</p>'],
      ['<p style="background-color: yellow">one</p>', 1, 1, 'backColor', undefined, '<p>one</p>'],
      // Values that are not what the word takes change nothing.
      ['<p>one</p>', 0, 3, 'fontSizePx', 'big', '<p>one</p>'],
      ['<p>one</p>', 0, 3, 'foreColor', 'not-a-colour', '<p>one</p>'],
      ['<p>one</p>', 0, 3, 'fontName', undefined, '<p>one</p>'],
    ];
    for (const [html, start, end, cmd, arg, expected] of cases) {
      assert.equal(await run(html, '#sv-body', start, end, cmd, arg), expected, `${cmd} ${arg} on ${html}`);
    }
  });

  test('caret formats sent by the program while applying settings leave the content alone', async () => {
    const html = '<h1>Title</h1><p>Body</p>';
    await send(page, { type: 'setHtml', html });
    await select(page, '#sv-body h1', 0, 5);
    await clearPosted(page);
    for (const [cmd, arg] of [['fontName', 'Arial'], ['fontSizePx', '16'], ['foreColor', '#000000'], ['backColor', undefined], ['lineHeight', '1.5']]) {
      await exec(page, cmd, arg, 'program');
    }
    assert.equal(await bodyHtml(page), html);
    assert.deepEqual((await posted(page)).filter((m) => m.type === 'htmlChanged'), []);
  });

  test('links and topic links', async () => {
    assert.equal(await run('<p>see here</p>', '#sv-body', 4, 8, 'link', 'https://example.com/a?b=1&c=2'),
      '<p>see <a href="https://example.com/a?b=1&amp;c=2">here</a></p>');
    assert.equal(await run('<p>see it</p>', '#sv-body', 4, 4, 'link', 'https://example.com/'),
      '<p>see&nbsp;<a href="https://example.com/">https://example.com/</a>it</p>');
    // Inside a link: a new address changes it, an empty one removes the link.
    assert.equal(await run('<p><a href="https://old/">old</a></p>', '#sv-body', 1, 1, 'link', 'https://new/'),
      '<p><a href="https://new/">old</a></p>');
    assert.equal(await run('<p>a <a href="https://old/">old</a></p>', '#sv-body', 3, 3, 'link', undefined), '<p>a old</p>');
    // The topic link's argument is JSON inside the argument string.
    const id = '0123456789ABCDEF0123456789ABCDEF';
    assert.equal(await run('<p>Read it</p>', '#sv-body', 5, 5, 'topicLink', JSON.stringify({ href: 'doc:' + id, text: '\u00dcber <uns> & "so"' })),
      `<p>Read&nbsp;<a href="doc:${id}">\u00dcber &lt;uns&gt; &amp; "so"</a>it</p>`);
    assert.equal(await run('<p>Read this</p>', '#sv-body', 5, 9, 'topicLink', JSON.stringify({ href: 'doc:' + id, text: 'T' })),
      `<p>Read <a href="doc:${id}">this</a></p>`);
    assert.equal(await run('<p>x</p>', '#sv-body', 1, 1, 'topicLink', '{not json'), '<p>x</p>');
    // A topic link looks like a link.
    await send(page, { type: 'setHtml', html: `<p><a href="doc:${id}">t</a></p>` });
    const look = await page.evaluate(() => {
      const s = getComputedStyle(document.querySelector('#sv-body a'));
      return [s.textDecorationLine, s.color];
    });
    assert.equal(look[0], 'underline');
    assert.notEqual(look[1], 'rgb(0, 0, 0)');
  });

  test('insertHTML, select all, delete and the clipboard', async () => {
    assert.equal(await run('<p>ab</p>', '#sv-body', 1, 1, 'insertHTML', '{{var:Product}}'), '<p>a{{var:Product}}b</p>');
    assert.equal(await run('<p>ab</p>', '#sv-body', 2, 2, 'insertHTML', '<b>bold</b> text'), '<p>ab<b>bold</b> text</p>');
    assert.equal(await run('<p>abc</p>', '#sv-body', 1, 1, 'delete'), '<p>ac</p>');
    assert.equal(await run('<p>abc</p>', '#sv-body', 0, 2, 'delete'), '<p>c</p>');

    await send(page, { type: 'setHtml', html: '<p>first</p><p>second</p>' });
    await send(page, { type: 'exec', cmd: 'setHeaderHtml', origin: 'program', arg: '<b>Head</b>' });
    await select(page, '#sv-body', 1, 1);
    await exec(page, 'selectAll');
    assert.match(await page.evaluate(() => getSelection().toString()), /^first\n+second$/);

    await select(page, '#sv-body', 0, 5);
    await exec(page, 'cut');
    assert.equal(await bodyHtml(page), '<p><br></p><p>second</p>');
    await select(page, '#sv-body', 6, 6);
    await exec(page, 'paste');
    await page.waitForTimeout(150);
    assert.equal(await page.evaluate(() => document.getElementById('sv-body').textContent), 'secondfirst');
    await select(page, '#sv-body', 0, 6);
    await exec(page, 'copy');
    await select(page, '#sv-body', 0, 0);
    await exec(page, 'paste');
    await page.waitForTimeout(150);
    assert.equal(await page.evaluate(() => document.getElementById('sv-body').textContent), 'secondsecondfirst');
  });

  test('an imported page keeps its style sheets at the start of the body, each once', async () => {
    const sheets = '<link rel="stylesheet" href="assets/css/site.css"><style>#sv-body p { color: rgb(1, 2, 3); }</style>';
    assert.equal(await run('<p>ab</p>', '#sv-body', 2, 2, 'insertHTML', sheets + 'new'), sheets + '<p>abnew</p>');
    assert.equal(await page.evaluate(() => getComputedStyle(document.querySelector('#sv-body p')).color), 'rgb(1, 2, 3)');
    await select(page, '#sv-body p', 0, 0);
    await exec(page, 'insertHTML', sheets + '<b>again</b>');
    assert.equal(await bodyHtml(page), sheets + '<p><b>again</b>abnew</p>');
  });

  test('undo and redo step through the author\'s changes, not the program\'s loading', async () => {
    await send(page, { type: 'setHtml', html: '<p>start</p>' });
    await select(page, '#sv-body', 5, 5);
    await page.keyboard.type(' typed');
    await select(page, '#sv-body', 0, 5);
    await exec(page, 'bold');
    assert.equal(await bodyHtml(page), '<p><b>start</b> typed</p>');
    await clearPosted(page);
    const selection = () => page.evaluate(() => [getSelection().toString(), getSelection().anchorOffset]);
    await exec(page, 'undo');
    assert.equal(await bodyHtml(page), '<p>start typed</p>');
    assert.equal((await selection())[0], 'start'); // what the undone command worked on
    await page.keyboard.press('Control+z');
    assert.equal(await bodyHtml(page), '<p>start</p>');
    assert.deepEqual(await selection(), ['', 5]); // where the typing began
    // Nothing before the loaded page: undo stops there.
    await exec(page, 'undo');
    assert.equal(await bodyHtml(page), '<p>start</p>');
    await exec(page, 'redo');
    assert.equal(await bodyHtml(page), '<p>start typed</p>');
    await page.keyboard.press('Control+y');
    assert.equal(await bodyHtml(page), '<p><b>start</b> typed</p>');
    const changes = (await posted(page)).filter((m) => m.type === 'htmlChanged');
    assert.deepEqual(changes.map((m) => [m.html, m.user]), [
      ['<p>start typed</p>', true], ['<p>start</p>', true], ['<p>start typed</p>', true], ['<p><b>start</b> typed</p>', true],
    ]);
    // Typing after an undo continues from there.
    await exec(page, 'undo');
    await select(page, '#sv-body', 0, 0);
    await page.keyboard.type('>');
    assert.equal(await bodyHtml(page), '<p>&gt;start typed</p>');
    await exec(page, 'redo');
    assert.equal(await bodyHtml(page), '<p>&gt;start typed</p>');
  });
});

describe('tables and images', () => {
  let page;
  before(async () => {
    page = await openEditor();
    await page.evaluate(`svSetBaseHref(${JSON.stringify(pathToFileURL(project).href + '/')});`);
  });
  after(async () => closeEditor(page));

  const grid = () => page.evaluate(() => Array.from(document.querySelectorAll('#sv-body table tr'),
    (tr) => Array.from(tr.cells, (c) => c.textContent || '.').join('')));

  test('a table is inserted at the caret with the caret in its first cell', async () => {
    await send(page, { type: 'setHtml', html: '<p>before</p>' });
    await select(page, '#sv-body', 6, 6);
    await exec(page, 'table', '2,3');
    const row = '<tr>' + '<td><br></td>'.repeat(3) + '</tr>';
    // At the end of the page a paragraph follows, to go on writing below.
    assert.equal(await bodyHtml(page), `<p>before</p><table style="width:100%"><tbody>${row}${row}</tbody></table><p><br></p>`);
    await page.keyboard.type('A');
    await page.keyboard.press('Tab');
    await page.keyboard.type('B');
    assert.deepEqual(await grid(), ['AB.', '...']);
    // Tab in the last cell adds a row.
    await select(page, '#sv-body tr:last-child td:last-child', 0, 0);
    await page.keyboard.press('Tab');
    await page.keyboard.type('n');
    assert.deepEqual(await grid(), ['AB.', '...', 'n..']);
    // Inside a paragraph the table splits it, with no empty paragraph added.
    await send(page, { type: 'setHtml', html: '<p>one two</p>' });
    await select(page, '#sv-body', 4, 4);
    await exec(page, 'table', '1,1');
    assert.match(await bodyHtml(page), /^<p>one(&nbsp;| )?<\/p><table style="width:100%"><tbody><tr><td><br><\/td><\/tr><\/tbody><\/table><p>two<\/p>$/);
    for (const bad of ['0,4', '3x4', '', '2,-1', '1.5,2']) {
      await send(page, { type: 'setHtml', html: '<p>x</p>' });
      await select(page, '#sv-body', 1, 1);
      await exec(page, 'table', bad);
      assert.equal(await bodyHtml(page), '<p>x</p>', bad);
    }
    // A request far too large for a page is capped instead of freezing it.
    await exec(page, 'table', '100000,100000');
    assert.deepEqual(await page.evaluate(() => {
      const t = document.querySelector('#sv-body table');
      return [t.rows.length, t.rows[0].cells.length];
    }), [500, 50]);
  });

  test('rows and columns are added after and removed at the caret', async () => {
    const start = '<table><tbody><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></tbody></table>';
    const cases = [
      ['insertTableRowAfter', 'a', ['ab', '..', 'cd']],
      ['insertTableRowAfter', 'd', ['ab', 'cd', '..']],
      ['removeTableRow', 'a', ['cd']],
      ['insertTableColumnAfter', 'a', ['a.b', 'c.d']],
      ['insertTableColumnAfter', 'd', ['ab.', 'cd.']],
      ['removeTableColumn', 'b', ['a', 'c']],
    ];
    for (const [cmd, at, expected] of cases) {
      await send(page, { type: 'setHtml', html: start });
      const index = 'abcd'.indexOf(at);
      await select(page, `#sv-body tr:nth-child(${(index >> 1) + 1}) td:nth-child(${(index % 2) + 1})`, 0);
      await exec(page, cmd);
      assert.deepEqual(await grid(), expected, `${cmd} at ${at}`);
    }
    // Removing the last row or column removes the table; outside a table
    // nothing happens.
    for (const cmd of ['removeTableRow', 'removeTableColumn']) {
      await send(page, { type: 'setHtml', html: '<p>x</p><table><tbody><tr><td>a</td></tr></tbody></table>' });
      await select(page, '#sv-body', 1, 1);
      await exec(page, cmd);
      assert.equal(await bodyHtml(page), '<p>x</p><table><tbody><tr><td>a</td></tr></tbody></table>');
      await select(page, '#sv-body td', 0, 0);
      await exec(page, cmd);
      assert.equal(await bodyHtml(page), '<p>x</p>');
    }
    // Column spans: a column added after a spanning cell lands after it.
    await send(page, { type: 'setHtml', html: '<table><tbody><tr><td colspan="2">ab</td></tr><tr><td>c</td><td>d</td></tr></tbody></table>' });
    await select(page, '#sv-body', 0, 0);
    await exec(page, 'insertTableColumnAfter');
    assert.deepEqual(await grid(), ['ab.', 'cd.']);
  });

  test('pictures resolve against the project folder, are selected, resized, replaced and removed', async () => {
    await send(page, { type: 'setHtml', html: '<p>Picture: end</p>' });
    await select(page, '#sv-body', 9, 9);
    await exec(page, 'image', 'assets/images/photo.png');
    assert.equal(await bodyHtml(page), '<p>Picture:&nbsp;<img src="assets/images/photo.png" alt="">end</p>');
    await page.waitForFunction(() => document.querySelector('#sv-body img').naturalWidth === 120);
    assert.equal(await page.isVisible('#sv-image-frame'), true);

    // Dragging the lower right handle makes it wider, keeping its shape.
    const handle = await page.locator('.sv-handle[data-corner="se"]').boundingBox();
    await page.mouse.move(handle.x + 4, handle.y + 4);
    await page.mouse.down();
    await page.mouse.move(handle.x + 64, handle.y + 30, { steps: 4 });
    await page.mouse.up();
    assert.equal(await bodyHtml(page), '<p>Picture:&nbsp;<img src="assets/images/photo.png" alt="" style="width: 180px; height: auto;">end</p>');
    assert.deepEqual(await page.evaluate(() => {
      const r = document.querySelector('#sv-body img').getBoundingClientRect();
      return [Math.round(r.width), Math.round(r.height)];
    }), [180, 120]);
    const changes = (await posted(page)).filter((m) => m.type === 'htmlChanged');
    assert.equal(changes[changes.length - 1].user, true);

    // Selected by a click, then replaced (its width kept) and removed.
    await select(page, '#sv-body', 0, 0);
    await page.click('#sv-body img');
    await exec(page, 'replaceSelectedImage', 'assets/images/wide.png');
    assert.equal(await bodyHtml(page), '<p>Picture:&nbsp;<img src="assets/images/wide.png" alt="" style="width: 180px;">end</p>');
    await page.waitForFunction(() => document.querySelector('#sv-body img').naturalWidth === 200);
    await exec(page, 'removeSelectedImage');
    assert.equal(await bodyHtml(page), '<p>Picture:&nbsp;end</p>');
    // Without a selected picture both do nothing.
    await send(page, { type: 'setHtml', html: '<p>a<img src="assets/images/photo.png">b</p>' });
    await select(page, '#sv-body', 0, 0);
    await exec(page, 'replaceSelectedImage', 'assets/images/wide.png');
    await exec(page, 'removeSelectedImage');
    assert.equal(await bodyHtml(page), '<p>a<img src="assets/images/photo.png">b</p>');
  });

  test('a new base address reloads pictures already shown', async () => {
    const other = mkdtempSync(join(tmpdir(), 'quillmark-other-'));
    try {
      mkdirSync(join(other, 'assets', 'images'), { recursive: true });
      writeFileSync(join(other, 'assets', 'images', 'photo.png'), png(33, 11, [0, 0, 0]));
      await send(page, { type: 'setHtml', html: '<p><img src="assets/images/photo.png"></p>' });
      await page.waitForFunction(() => document.querySelector('#sv-body img').naturalWidth === 120);
      await page.evaluate(`svSetBaseHref(${JSON.stringify(pathToFileURL(other).href + '/')});`);
      await page.waitForFunction(() => document.querySelector('#sv-body img').naturalWidth === 33);
    } finally {
      await page.evaluate(`svSetBaseHref(${JSON.stringify(pathToFileURL(project).href + '/')});`);
      rmSync(other, { recursive: true, force: true });
    }
  });
});

describe('header, page settings and caret reports', () => {
  test('each header push is answered exactly once; getHeader and typing in the header report it', async () => {
    const page = await openEditor();
    await clearPosted(page);
    await exec(page, 'setHeaderHtml', '<div><b>My topic</b></div>', 'program');
    await exec(page, 'setHeaderBg', '#E7EFF5', 'program');
    await page.waitForTimeout(400);
    let headers = (await posted(page)).filter((m) => m.type === 'headerChanged');
    assert.deepEqual(headers, [{ type: 'headerChanged', headerHtml: '<div><b>My topic</b></div>', headerBg: '#E7EFF5' }]);
    assert.equal(await page.evaluate(() => getComputedStyle(document.getElementById('sv-header-band')).backgroundColor), 'rgb(231, 239, 245)');
    // A header sent alone is answered as well, and so is a background alone.
    await clearPosted(page);
    await exec(page, 'setHeaderHtml', undefined, 'program');
    await page.waitForTimeout(400);
    await exec(page, 'setHeaderBg', '#FAFAFA', 'program');
    headers = (await posted(page)).filter((m) => m.type === 'headerChanged');
    assert.deepEqual(headers.map((m) => [m.headerHtml, m.headerBg]), [['', '#E7EFF5'], ['', '#FAFAFA']]);

    await exec(page, 'setHeaderHtml', '<b>Head</b>', 'program');
    await exec(page, 'setHeaderBg', '#FAFAFA', 'program');
    await clearPosted(page);
    await send(page, { type: 'getHeader' });
    assert.deepEqual(await waitForMessage(page, (m) => m.type === 'headerChanged'),
      { type: 'headerChanged', headerHtml: '<b>Head</b>', headerBg: '#FAFAFA' });
    await select(page, '#sv-header b', 4, 4);
    await clearPosted(page);
    await page.keyboard.type('er');
    const typed = (await posted(page)).filter((m) => m.type === 'headerChanged');
    assert.deepEqual(typed[typed.length - 1], { type: 'headerChanged', headerHtml: '<b>Header</b>', headerBg: '#FAFAFA' });
    assert.deepEqual((await posted(page)).filter((m) => m.type === 'htmlChanged'), []);
    // The header keeps its own undo history.
    await page.keyboard.press('Control+z');
    assert.equal(await headerHtml(page), '<b>Head</b>');
    await page.keyboard.press('Control+y');
    assert.equal(await headerHtml(page), '<b>Header</b>');
    // Header formatting works on the header and reports it there.
    await select(page, '#sv-header b', 0, 4);
    await clearPosted(page);
    await exec(page, 'underline');
    assert.equal(await headerHtml(page), '<b><u>Head</u>er</b>');
    assert.equal((await posted(page)).filter((m) => m.type === 'headerChanged').length, 1);
    await closeEditor(page);
  });

  test('the caret moving between header and body is reported', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '<p>body</p>' });
    await exec(page, 'setHeaderHtml', 'head', 'program');
    await exec(page, 'setHeaderBg', '#FAFAFA', 'program');
    await clearPosted(page);
    await page.click('#sv-header');
    await page.waitForTimeout(80);
    await page.click('#sv-body p');
    await page.waitForTimeout(80);
    await page.click('#sv-body p');
    await page.waitForTimeout(80);
    const areas = (await posted(page)).filter((m) => m.type === 'areaChanged').map((m) => m.area);
    assert.deepEqual(areas, ['header', 'body']);
    assert.equal((await lastCursorStyle(page)).area, 'body');
    await closeEditor(page);
  });

  test('cursorStyle reports the twelve members from the computed style at the caret', async () => {
    const page = await openEditor();
    await exec(page, 'setCssFile', join(project, 'internal', 'editor', 'editor_effective.css'), 'program');
    await page.waitForFunction(() => getComputedStyle(document.body).fontSize === '16px' &&
      getComputedStyle(document.body).color === 'rgb(0, 0, 0)');
    await send(page, {
      type: 'setHtml',
      html: '<h2 style="text-align:center">Head <u>line</u></h2>' +
        '<ol><li style="line-height:1.15"><span style="font-family:\'Liberation Serif\', serif;font-size:20px;color:#336699;background-color:#ffff00"><b><i>styled</i></b></span></li></ol>' +
        '<p style="text-align:justify"><a href="doc:X">link</a></p>',
    });
    await select(page, '#sv-body h2 u', 2, 2);
    let s = await lastCursorStyle(page);
    assert.deepEqual(s, {
      type: 'cursorStyle', area: 'body', fontName: 'DejaVu Sans', fontSizePx: 23, textColor: '#000000',
      backColor: 'transparent', align: 'center', bold: true, italic: false, underline: true,
      listType: '', blockTag: 'h2', lineHeight: '34.5px',
    });
    await select(page, '#sv-body li i', 3, 3);
    s = await lastCursorStyle(page);
    assert.deepEqual(s, {
      type: 'cursorStyle', area: 'body', fontName: 'Liberation Serif', fontSizePx: 20, textColor: '#336699',
      backColor: '#FFFF00', align: 'left', bold: true, italic: true, underline: false,
      listType: 'ol', blockTag: 'li', lineHeight: '23px',
    });
    // A link's underline is the link's, not the underline format.
    await select(page, '#sv-body a', 2, 2);
    s = await lastCursorStyle(page);
    assert.deepEqual([s.underline, s.align, s.textColor, s.blockTag], [false, 'justify', '#0000FF', 'p']);
    await closeEditor(page);
  });

  test('a dark view inverts the page for the eye only', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '<p style="color: #000000">Dark</p>' });
    await exec(page, 'setDarkView', '1', 'program');
    await page.screenshot({ path: join(SHOTS, 'editor-dark.png') });
    const pixel = await page.evaluate(() => getComputedStyle(document.documentElement).filter);
    assert.match(pixel, /invert\(1\)/);
    assert.equal(await bodyHtml(page), '<p style="color: #000000">Dark</p>');
    await exec(page, 'setDarkView', '', 'program');
    assert.equal(await page.evaluate(() => document.documentElement.className), '');
    await closeEditor(page);
  });

  test('stylesheet, page background, table borders and defaults', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '<p>text</p><table><tbody><tr><td>a</td></tr><tr><td>b</td></tr></tbody></table>' });
    const css = join(project, 'internal', 'editor', 'editor_effective.css');
    await exec(page, 'setCssFile', css, 'program');
    await page.waitForFunction(() => getComputedStyle(document.querySelector('#sv-body td')).backgroundColor === 'rgb(231, 239, 245)');
    // The same path again reads the file again (its content may have changed).
    writeFileSync(css, EFFECTIVE_CSS.replace(/#E7EFF5/g, '#FFEEDD'));
    try {
      await exec(page, 'setCssFile', css, 'program');
      await page.waitForFunction(() => getComputedStyle(document.querySelector('#sv-body td')).backgroundColor === 'rgb(255, 238, 221)');
    } finally {
      writeFileSync(css, EFFECTIVE_CSS);
    }

    const cell = () => page.evaluate(() => {
      const s = getComputedStyle(document.querySelector('#sv-body tr:last-child td'));
      return [s.borderTopStyle, s.borderTopWidth, s.borderTopColor, s.outlineStyle];
    });
    assert.deepEqual(await cell(), ['solid', '1px', 'rgb(153, 153, 153)', 'none']);
    await exec(page, 'setTableBorderStyle', 'dashed', 'program');
    await exec(page, 'setTableBorderWidth', '3', 'program');
    await exec(page, 'setTableBorderColor', '#FF0000', 'program');
    assert.deepEqual(await cell(), ['dashed', '3px', 'rgb(255, 0, 0)', 'none']);
    // Borderless tables still show their cells while editing.
    await exec(page, 'setTableBorderStyle', 'none', 'program');
    assert.deepEqual(await cell(), ['none', '0px', 'rgb(255, 0, 0)', 'dashed']);
    await exec(page, 'setTableBorderStyle', 'solid; color: red', 'program');
    assert.equal((await cell())[0], 'solid');

    await exec(page, 'setPageBg', '#F0F0F0', 'program');
    assert.equal(await page.evaluate(() => getComputedStyle(document.body).backgroundColor), 'rgb(240, 240, 240)');
    await exec(page, 'setPageBg', undefined, 'program');
    assert.equal(await page.evaluate(() => getComputedStyle(document.body).backgroundColor), 'rgb(255, 255, 255)');

    await exec(page, 'setDefaultFontName', 'Liberation Serif', 'program');
    await exec(page, 'setDefaultFontSizePx', '19', 'program');
    await exec(page, 'setDefaultTextColor', '#123456', 'program');
    await exec(page, 'setDefaultLineHeight', '2', 'program');
    assert.deepEqual(await page.evaluate(() => {
      const s = getComputedStyle(document.querySelector('#sv-body p'));
      return [s.fontFamily, s.fontSize, s.color, s.lineHeight];
    }), ['"Liberation Serif"', '19px', 'rgb(18, 52, 86)', '38px']);
    assert.equal(await bodyHtml(page), '<p>text</p><table><tbody><tr><td>a</td></tr><tr><td>b</td></tr></tbody></table>');
    await closeEditor(page);
  });
});

describe('find in the topic', () => {
  const findArg = (text, direction, options = {}) =>
    JSON.stringify({ text, matchCase: false, wholeWord: false, direction, occurrence: -1, ...options });
  const lastFind = async (page) => {
    const found = (await posted(page)).filter((m) => m.type === 'findResult');
    return found[found.length - 1];
  };
  const activeMarkText = (page) => page.evaluate(() => {
    const mark = document.querySelector('.sv-find-active').getBoundingClientRect();
    const range = document.caretRangeFromPoint(mark.left + mark.width / 2, mark.top + mark.height / 2);
    return range.startContainer.data;
  });

  test('counts, steps through and marks matches in header and body without touching the document', async () => {
    const page = await openEditor();
    await exec(page, 'setHeaderHtml', '<b>Lamp guide</b>', 'program');
    const html = '<p>The <b>Au</b>rora lamp\n   glows.</p><p>lamps, LAMP&nbsp;post</p><p>unrelated</p>';
    await send(page, { type: 'setHtml', html });
    const before = await bodyHtml(page);
    await clearPosted(page);
    await exec(page, 'find', findArg('lamp', 'here'), 'program');
    // The first match from the caret (at the start of the body) is shown.
    assert.deepEqual(await lastFind(page), { type: 'findResult', count: 4, active: 2 });
    assert.equal(await page.locator('.sv-find-active').count(), 1);
    assert.equal(await page.locator('.sv-find-mark').count(), 4);
    await exec(page, 'find', findArg('lamp', 'previous'), 'program');
    assert.equal((await lastFind(page)).active, 1);
    await exec(page, 'find', findArg('lamp', 'previous'), 'program');
    assert.equal((await lastFind(page)).active, 4);
    await exec(page, 'find', findArg('lamp', 'next'), 'program');
    assert.equal((await lastFind(page)).active, 1);
    // Whole words, case, a match through inline tags and collapsed space.
    await exec(page, 'find', findArg('lamp', 'here', { wholeWord: true, matchCase: true }), 'program');
    assert.equal((await lastFind(page)).count, 1);
    await exec(page, 'find', findArg('aurora lamp glows', 'here'), 'program');
    assert.equal((await lastFind(page)).count, 1);
    await exec(page, 'find', findArg('lamp post', 'here'), 'program');
    assert.equal((await lastFind(page)).count, 1);
    await exec(page, 'find', findArg('a.b(', 'here'), 'program');
    assert.deepEqual(await lastFind(page), { type: 'findResult', count: 0, active: 0 });
    // Closing selects the match shown and removes the marks.
    await exec(page, 'find', findArg('lamp', 'here'), 'program');
    assert.match(await activeMarkText(page), /^rora lamp/);
    await exec(page, 'findClose', undefined, 'program');
    assert.deepEqual(await page.evaluate(() => [getSelection().toString(), getSelection().anchorNode.data]),
      ['lamp', 'rora lamp\n   glows.']);
    assert.equal(await page.locator('.sv-find-mark').count(), 0);
    // A chosen occurrence of the exact text is shown selected, unmarked.
    await exec(page, 'find', findArg('lamp', 'occurrence', { matchCase: true, occurrence: 1 }), 'program');
    assert.deepEqual(await lastFind(page), { type: 'findResult', count: 2, active: 2 });
    assert.deepEqual(await page.evaluate(() => [getSelection().toString(), getSelection().anchorNode.data]),
      ['lamp', 'lamps, LAMP\u00a0post']);
    assert.equal(await page.locator('.sv-find-mark').count(), 0);
    assert.equal(await bodyHtml(page), before);
    assert.ok((await posted(page)).every((m) => m.type !== 'htmlChanged'));
    await closeEditor(page);
  });

  test('the count follows edits and a new page', async () => {
    const page = await openEditor();
    await send(page, { type: 'setHtml', html: '<p>one lamp</p>' });
    await exec(page, 'find', findArg('lamp', 'here'), 'program');
    await clearPosted(page);
    await send(page, { type: 'setHtml', html: '<p>lamp</p><p>lamp</p><p>lamp</p>' });
    await waitForMessage(page, (m) => m.type === 'findResult' && m.count === 3);
    await page.screenshot({ path: join(SHOTS, 'editor-find.png') });
    await exec(page, 'findClear', undefined, 'program');
    assert.equal(await page.locator('.sv-find-mark').count(), 0);
    await closeEditor(page);
  });
});

test('screenshot of a page with content', async () => {
  const page = await openEditor({ viewport: { width: 900, height: 640 } });
  await page.evaluate(`svSetBaseHref(${JSON.stringify(pathToFileURL(project).href + '/')});`);
  await exec(page, 'setCssFile', join(project, 'internal', 'editor', 'editor_effective.css'), 'program');
  await exec(page, 'setHeaderHtml', '<div style="font-size:16px;"><b>Installing the Aurora Lamp</b></div>', 'program');
  await exec(page, 'setHeaderBg', '#E7EFF5', 'program');
  await send(page, {
    type: 'setHtml',
    html: '<h1>Getting started</h1><p>Unpack the lamp and read the <a href="doc:0123456789ABCDEF0123456789ABCDEF">safety notes</a> first.</p>' +
      '<ul><li>Place it on a flat surface</li><li>Connect the power cable</li></ul>' +
      '<table style="width:100%"><tbody><tr><td>Mode</td><td>Colour</td></tr><tr><td>Calm</td><td>Blue</td></tr></tbody></table>' +
      '<p><img src="assets/images/photo.png" alt=""></p><p>Select this sentence to see the selection.</p>',
  });
  await page.waitForFunction(() => document.querySelector('#sv-body img').naturalWidth === 120);
  await page.click('#sv-body img');
  await page.screenshot({ path: join(SHOTS, 'editor-image-selected.png') });
  await select(page, '#sv-body p:last-child', 0, 24);
  await page.hover('#sv-body a');
  await page.screenshot({ path: join(SHOTS, 'editor-content.png') });
  await closeEditor(page);
});
