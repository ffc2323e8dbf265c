// A small project written as files and published as a WebHelp site by the
// real quillmark-cli (QUILLMARK_CLI), so the browser tests see exactly what
// the program writes: pages, contents, search data, index and template.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

export const CLI = process.env.QUILLMARK_CLI;
export const canPublish = !!CLI && existsSync(CLI);

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

const link = (name, text) => `<a href="doc:${ID[name]}">${text}</a>`;

// name: [title, keywords, index entries, body HTML]
const TOPICS = {
  welcome: ['Welcome', [], ['Lamp'], `<h1>Welcome</h1><p>Keep the label of the box. This guide explains the lamp. Start with ${link('install', 'Installing the lamp')} or read about ${link('modes', 'light modes')}.</p><p>A <a href="doc:${hex(0xee)}">missing topic</a> and the <a href="https://example.invalid/">vendor site</a>.</p>`],
  start: ['Getting Started', [], [], '<h1>Getting Started</h1><p>Unpack the box and place the lamp near a socket.</p>'],
  install: ['Installing the lamp', ['setup', 'mounting'], ['Installation', 'Lamp'], '<h1>Installing</h1><p>Fix the base, connect the cable and switch on. The timer starts after the first sunrise.</p>' +
    '<h2>Mounting the base</h2><p>Screw the base to the desk.</p>' +
    '<p>Filler paragraph.</p>'.repeat(60) +
    '<h2>Wattage label</h2><p id="deep">Far down: the wattage label sits under the base.</p>'],
  config: ['Configuration Basics', ['settings'], [], '<h1>Configuration</h1><p>Use the app to set a timer for the evening. Turn the dial to reset the lights.</p>'],
  advanced: ['Advanced Options', [], [], '<h1>Advanced</h1><p>Expert settings for colour temperature while dimming.</p>'],
  reference: ['Reference', [], [], '<h1>Reference</h1><p>Technical details of the lamp.</p>'],
  brightness: ['Brightness Control', [], ['brightness'], '<h1>Brightness</h1><p>Slide to dim. To turn the light off, hold the button.</p>'],
  modes: ['Light Modes', ['brightness presets'], ['Modes'], '<h1>Light modes</h1><p>Reading, relaxing and night modes.</p>'],
  cafe: ['Über Zubehör', [], ['Café shade', 'Zubehör'], '<h1>Accessories</h1><p>The Café Crème shade diffuses light; its brightness drops by ten percent. Łódź Größe 日本語.</p>'],
  symbols: ['Tags & <Symbols>', [], ['2.4 GHz'], '<h1>Symbols</h1><p>Plain text about &lt;tags&gt;.</p>'],
  orphan: ['Orphan Notes', [], [], '<h1>Orphan</h1><p>Notes kept outside the contents, about the lamp.</p>'],
};

// Help IDs of topics, by short name: a program opens the site at them.
export const HELP_IDS = {
  install: [{ name: 'IDH_INSTALL', number: 1001 }],
  modes: [{ name: 'IDH_MODES', number: 1002 }, { name: 'IDH_MODES_BYNAME' }],
  orphan: [{ name: 'IDH_ORPHAN', number: 1003 }],
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

// Colours of the contents panel: TocTextColor, TocTextSize, DefaultPageBgColor.
export const SETTINGS = { tocColor: '#1A2B3C', tocSize: 9, leftBg: '#F4F1EA' };
// The colours of a new project: topics follow the dark appearance.
export const DEFAULT_COLOURS = { tocColor: '#000000', tocSize: 12, leftBg: '#FFFFFF' };

function projectFiles(folder, title, settings) {
  const children = new Map();
  const parents = new Map();
  const walk = (nodes, parent) => {
    for (const [name, kids = []] of nodes) {
      parents.set(name, parent);
      children.set(name, kids.map(([kid]) => kid));
      walk(kids, name);
    }
  };
  walk(TREE, '');
  const topics = Object.entries(TOPICS).map(([name, [topicTitle, keywords, index]]) => ({
    id: ID[name],
    title: topicTitle,
    parentId: parents.get(name) ? ID[parents.get(name)] : '',
    children: (children.get(name) || []).map((kid) => ID[kid]),
    keywords,
    index,
    ...(HELP_IDS[name] ? { helpIds: HELP_IDS[name] } : {}),
  }));
  writeFileSync(join(folder, 'meta', 'topics.json'), JSON.stringify({ rootTopicIds: TREE.map(([name]) => ID[name]), topics }));
  for (const [name, [, , , body]] of Object.entries(TOPICS)) writeFileSync(join(folder, 'topics', ID[name] + '.html'), body);
  writeFileSync(join(folder, 'project.json'), JSON.stringify({ title, styleProfile: 'default' }));
  writeFileSync(
    join(folder, 'meta', 'project_settings.json'),
    '\uFEFF' + JSON.stringify({ ProjTitle: title, TocTextColor: settings.tocColor, TocTextSize: settings.tocSize, DefaultPageBgColor: settings.leftBg }),
  );
}

// Writes the project into dir, publishes it and returns the site's index.html.
export function buildSite(dir, { settings = SETTINGS, title = PROJECT_TITLE } = {}) {
  if (!canPublish) throw new Error('QUILLMARK_CLI must name the built quillmark-cli');
  const folder = join(dir, 'Lamp');
  for (const sub of ['meta', 'topics', 'styles']) mkdirSync(join(folder, sub), { recursive: true });
  writeFileSync(join(dir, 'Lamp.hff'), '\uFEFF' + JSON.stringify({ version: '1.0', title, root: '' }));
  projectFiles(folder, title, settings);
  execFileSync(CLI, ['publish', join(dir, 'Lamp.hff'), '--format', 'webhelp'], { stdio: 'pipe' });
  return join(folder, 'build', 'webhelp', 'index.html');
}
