// Builds a small published WebHelp site in a folder, in the same file formats
// the publisher writes (toc.js, search.js, topics/<id>.html, style.css and the
// template files with their values filled in), so the site template can be
// tested without the C++ export.
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const TEMPLATE_DIR = join(
  dirname(fileURLToPath(import.meta.url)),
  '..', '..', 'resources', 'AppFiles', 'webhelp',
);

// Compact JSON, pure ASCII: "/" as "\/", everything outside printable ASCII as
// \uXXXX with upper-case digits.
export function publisherJson(value) {
  return JSON.stringify(value)
    .replace(/\//g, '\\/')
    .replace(/[\u007f-\uffff]/g, (c) => '\\u' + c.charCodeAt(0).toString(16).toUpperCase().padStart(4, '0'));
}

const escapeHtml = (s) =>
  s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');

function topicPage(body, header, headerBg, pageBg) {
  return (
    '<!doctype html><html><head><meta charset="utf-8"><meta name="viewport" content="width=device-width, initial-scale=1">' +
    '<link rel="stylesheet" href="../style.css"><style>' +
    `body{margin:0;font-family:Segoe UI,Arial;background:${pageBg};}` +
    '.sv-page-body p{margin:0;}' +
    '.sv-page-body h1,.sv-page-body h2,.sv-page-body h3,.sv-page-body h4,.sv-page-body h5,.sv-page-body h6{margin:0;}' +
    '.sv-page-body ul,.sv-page-body ol{margin:0;padding-left:1.5em;}' +
    '.sv-page-body li{margin:0;}' +
    'table{border-collapse:collapse;max-width:100%;}' +
    'td,th{border:1px solid #999;padding:4px;vertical-align:top;}' +
    '</style></head><body>' +
    `<div class="sv-page-header" style="background:${headerBg};padding:12px 16px;">${header}</div>` +
    `<div class="sv-page-body" style="padding:16px;">${body}</div>` +
    '</body></html>'
  );
}

const STYLE_CSS =
  'body{font-family:Segoe UI,Arial;line-height:1.5;margin:0;}\r\n/* Project settings overrides */\r\n' +
  'body {\r\n  font-family: "Segoe UI", Arial, sans-serif !important;\r\n  font-size: 16px !important;\r\n' +
  '  color: #000000 !important;\r\n  line-height: 1.5 !important;\r\n}\r\n' +
  'a, a:link, a:visited {\r\n  color: #0000FF !important;\r\n}\r\n';

const hex = (n) => n.toString(16).toUpperCase().padStart(32, '0');

// Topic identifiers by short name.
export const ID = {
  welcome: hex(0xa1),
  start: hex(0xb1),
  install: hex(0xb2),
  config: hex(0xb3),
  advanced: hex(0xb4),
  reference: hex(0xc1),
  brightness: hex(0xc2),
  modes: hex(0xc3),
  cafe: hex(0xc4),
  symbols: hex(0xc5),
  orphan: hex(0xd1),
};

const link = (id, text) => `<a href="${id}.html">${text}</a>`;

// name: [title, keywords, body HTML]
const TOPICS = {
  welcome: ['Welcome', '', `<h1>Welcome</h1><p>This guide explains the lamp. Start with ${link(ID.install, 'Installing the lamp')} or read about ${link(ID.modes, 'light modes')}.</p><p>A <a href="#">missing topic</a> and the <a href="https://example.invalid/">vendor site</a>.</p>`],
  start: ['Getting Started', '', '<h1>Getting Started</h1><p>Unpack the box and place the lamp near a socket.</p>'],
  install: ['Installing the lamp', 'setup mounting', '<h1>Installing</h1><p>Fix the base, connect the cable and switch on. The timer starts after the first sunrise.</p>' + '<p>Filler paragraph.</p>'.repeat(60) + '<p id="deep">Far down: the wattage label sits under the base.</p>'],
  config: ['Configuration Basics', 'settings', '<h1>Configuration</h1><p>Use the app to set a timer for the evening.</p>'],
  advanced: ['Advanced Options', '', '<h1>Advanced</h1><p>Expert settings for colour temperature.</p>'],
  reference: ['Reference', '', '<h1>Reference</h1><p>Technical details of the lamp.</p>'],
  brightness: ['Brightness Control', '', '<h1>Brightness</h1><p>Slide to dim.</p>'],
  modes: ['Light Modes', 'brightness presets', '<h1>Light modes</h1><p>Reading, relaxing and night modes.</p>'],
  cafe: ['Über Zubehör', '', '<h1>Accessories</h1><p>The Café Crème shade diffuses light; its brightness drops by ten percent.</p>'],
  symbols: ['Tags & <Symbols>', '', '<h1>Symbols</h1><p>Plain text about &lt;tags&gt;.</p>'],
  orphan: ['Orphan Notes', '', '<h1>Orphan</h1><p>Notes kept outside the contents, about the lamp.</p>'],
};

// Contents order: Welcome, Getting Started > (Installing, Configuration > Advanced),
// Reference > (Brightness, Light Modes, Über Zubehör, Tags), Orphan outside the tree.
const TREE = [
  ['welcome'],
  ['start', [['install'], ['config', [['advanced']]]]],
  ['reference', [['brightness'], ['modes'], ['cafe'], ['symbols']]],
];

export const FLAT_ORDER = ['welcome', 'start', 'install', 'config', 'advanced', 'reference', 'brightness', 'modes', 'cafe', 'symbols'];

export const PROJECT_TITLE = 'Lamp Guide <Pro> & Co';

export const SETTINGS = { tocColor: '#1A2B3C', tocSize: 9, leftBg: '#F4F1EA' };

function tocNode([name, children = []]) {
  const id = ID[name];
  return { id, title: TOPICS[name][0], file: `topics/${id}.html`, children: children.map(tocNode) };
}

const plainText = (html) =>
  html.replace(/<[^>]*>/g, ' ').replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&amp;/g, '&').replace(/\s+/g, ' ').trim();

// Writes the site into dir and returns the path of its index.html.
export function buildSite(dir, { settings = SETTINGS, title = PROJECT_TITLE } = {}) {
  mkdirSync(join(dir, 'topics'), { recursive: true });
  const header = `<div style="font-size:14px;"><b>${title}</b></div>`;
  for (const [name, [, , body]] of Object.entries(TOPICS)) {
    writeFileSync(join(dir, 'topics', `${ID[name]}.html`), topicPage(body, header, '#fafafa', '#FFFFFF'));
  }
  writeFileSync(join(dir, 'style.css'), STYLE_CSS);

  const toc = { roots: TREE.map(tocNode) };
  const search = {
    topics: Object.entries(TOPICS).map(([name, [topicTitle, keywords, body]]) => ({
      id: ID[name], title: topicTitle, file: `topics/${ID[name]}.html`, text: plainText(body), keywords,
    })),
  };
  writeFileSync(join(dir, 'toc.json'), publisherJson(toc));
  writeFileSync(join(dir, 'toc.js'), 'window.__SV_TOC = ' + publisherJson(toc) + ';');
  writeFileSync(join(dir, 'search.json'), publisherJson(search));
  writeFileSync(join(dir, 'search.js'), 'window.__SV_SEARCH = ' + publisherJson(search) + ';');

  const index = join(dir, 'index.html');
  copyFileSync(join(TEMPLATE_DIR, 'app.html'), index);
  copyFileSync(join(TEMPLATE_DIR, 'app.js'), join(dir, 'app.js'));
  const css = readFileSync(join(TEMPLATE_DIR, 'app.css'), 'utf8')
    .split('__SV_TOC_COLOR__').join(settings.tocColor)
    .split('__SV_TOC_SIZE__').join(String(settings.tocSize))
    .split('__SV_LEFT_BG__').join(settings.leftBg);
  writeFileSync(join(dir, 'app.css'), css);
  writeFileSync(index, readFileSync(index, 'utf8').replace('<title>WebHelp</title>', `<title>${escapeHtml(title)}</title>`));
  return index;
}
