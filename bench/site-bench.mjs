// Measures the published WebHelp site in headless Chromium, opened from
// disk: the first paint, the time until the contents tree is usable and
// until the search can answer, the latency of a search for a rare and a
// common word (from the last keystroke until the results are painted) and
// the JavaScript heap. Generated projects of several sizes are measured
// beside the 12-topic sample project (the floor) in the same run; each
// figure is the median of several rounds in which the sites take turns.
//
// usage: node bench/site-bench.mjs [--build DIR] [--rounds N] [--baseline REF] [TOPICS…]
//   --build     the build folder with bin/quillmark-cli and
//               bin/quillmark_publish_bench (default: build)
//   --rounds    rounds per site (default: 5)
//   --baseline  also measures the site template of that git revision (for
//               example main) on the same published sites, as index-<REF>.html
//   TOPICS      sizes of the generated projects (default: 200 2000 10000)
//
// Uses the browser tests' packages (tests/web/node_modules) and the system's
// Chromium; the output goes below <build>/site-bench, moved aside, never
// deleted, so a new run writes into fresh folders.
import { execFileSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, readFileSync, renameSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launchBrowser } from '../tests/web/browser.mjs';

const REPO = resolve(dirname(fileURLToPath(import.meta.url)), '..');

function parseArguments(argv) {
  const options = { build: join(REPO, 'build'), rounds: 5, baseline: null, sizes: [] };
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a === '--build') options.build = resolve(argv[++i]);
    else if (a === '--rounds') options.rounds = Number(argv[++i]);
    else if (a === '--baseline') options.baseline = argv[++i];
    else if (/^\d+$/.test(a)) options.sizes.push(Number(a));
    else throw new Error('unknown argument ' + a);
  }
  if (!options.sizes.length) options.sizes = [200, 2000, 10000];
  return options;
}

const options = parseArguments(process.argv.slice(2));
const bin = (name) => join(options.build, 'bin', name);
const work = join(options.build, 'site-bench');

// The folder of an earlier run goes aside (see the publishing bench on why
// nothing is deleted before a timed run).
if (existsSync(work)) {
  const spent = join(options.build, 'site-bench-spent');
  mkdirSync(spent, { recursive: true });
  renameSync(work, join(spent, String(Date.now())));
}
mkdirSync(work, { recursive: true });

function publish(projectFile) {
  const out = execFileSync(bin('quillmark-cli'), ['publish', projectFile, '--format', 'webhelp'], { encoding: 'utf8' });
  return out.trim().split('\n').pop();
}

// [{ name, index, rare, common }]
function prepareSites() {
  const sites = [];
  const sample = join(work, 'sample');
  mkdirSync(sample);
  cpSync(join(REPO, 'examples', 'AuroraLamp.hff'), join(sample, 'AuroraLamp.hff'));
  cpSync(join(REPO, 'examples', 'AuroraLamp'), join(sample, 'AuroraLamp'), { recursive: true });
  sites.push({ name: 'sample (12)', index: publish(join(sample, 'AuroraLamp.hff')), rare: 'sunrise', common: 'lamp' });
  for (const size of options.sizes) {
    const folder = join(work, 'generated-' + size);
    execFileSync(bin('quillmark_publish_bench'), ['--generate', String(size), folder]);
    const rare = String(Math.floor(size * 0.68)); // the number of one topic
    sites.push({ name: 'generated ' + size, index: publish(join(folder, 'Generated.hff')), rare, common: 'filler' });
  }
  return sites;
}

// Writes the template of a git revision beside the site's own as index-<ref>.html.
function addBaseline(site, ref) {
  const folder = dirname(site.index);
  const show = (file) => execFileSync('git', ['-C', REPO, 'show', `${ref}:resources/AppFiles/webhelp/${file}`], { encoding: 'utf8' });
  const tag = ref.replace(/[^A-Za-z0-9]+/g, '-');
  const title = /<title>([^<]*)<\/title>/.exec(readFileSync(site.index, 'utf8'))[1];
  writeFileSync(join(folder, `app-${tag}.js`), show('app.js'));
  writeFileSync(
    join(folder, `app-${tag}.css`),
    show('app.css').replaceAll('__SV_TOC_COLOR__', '#000000').replaceAll('__SV_TOC_SIZE__', '12').replaceAll('__SV_LEFT_BG__', '#FFFFFF'),
  );
  writeFileSync(
    join(folder, `index-${tag}.html`),
    show('app.html')
      .replace('<title>WebHelp</title>', `<title>${title}</title>`)
      .replace('href="app.css"', `href="app-${tag}.css"`)
      .replace('src="app.js"', `src="app-${tag}.js"`),
  );
  return { ...site, name: site.name + ` [${ref}]`, index: join(folder, `index-${tag}.html`) };
}

// Runs in the page from its start: notes when the contents tree is usable
// (filled, and the site marked ready).
function watchTree() {
  const ready = () => document.documentElement.classList.contains('sv-ready') && document.querySelector('.sv-item .sv-link');
  new MutationObserver((_, observer) => {
    if (!window.__benchTreeReady && ready()) {
      window.__benchTreeReady = performance.now();
      observer.disconnect();
    }
  }).observe(document, { subtree: true, childList: true, attributes: true, attributeFilter: ['class'] });
}

// In the page: types a query a letter at a time, as a fast typist does (80
// ms apart), and resolves to the time from the last keystroke until the
// results of the whole query are in the page and painted.
function timeQuery(query) {
  return new Promise((resolvePromise) => {
    const input = document.getElementById('sv-q');
    const count = document.getElementById('sv-count');
    input.focus();
    let typed = 0;
    let last = 0;
    const done = new MutationObserver(() => {
      if (typed < query.length || input.value !== query || count.textContent === '' || count.textContent.startsWith('Loading')) return;
      done.disconnect();
      requestAnimationFrame(() => setTimeout(() => resolvePromise({ ms: performance.now() - last, count: count.textContent }), 0));
    });
    done.observe(count, { childList: true, characterData: true, subtree: true });
    const key = () => {
      typed++;
      input.value = query.slice(0, typed);
      last = performance.now();
      input.dispatchEvent(new Event('input', { bubbles: true }));
      if (typed < query.length) setTimeout(key, 80);
    };
    input.value = '';
    key();
  });
}

async function measure(browser, site) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const page = await context.newPage();
  await page.addInitScript(watchTree);
  await page.goto(pathToFileURL(site.index).href, { waitUntil: 'load', timeout: 120000 });
  await page.waitForFunction(() => window.__benchTreeReady, null, { timeout: 120000, polling: 50 });
  const paint = await page.evaluate(() => {
    const entry = performance.getEntriesByName('first-paint')[0] || performance.getEntriesByName('first-contentful-paint')[0];
    return { firstPaint: entry ? entry.startTime : NaN, tree: window.__benchTreeReady };
  });
  // The search can answer once a query gets results instead of "Loading".
  await page.evaluate(timeQuery, 'zzzqqq');
  const searchReady = await page.evaluate(() => performance.now());
  const rare = await page.evaluate(timeQuery, site.rare);
  const common = await page.evaluate(timeQuery, site.common);
  const cdp = await context.newCDPSession(page);
  await cdp.send('HeapProfiler.collectGarbage');
  const heap = await cdp.send('Runtime.getHeapUsage');
  await context.close();
  return {
    firstPaint: paint.firstPaint,
    tree: paint.tree,
    searchReady, // from navigation start, the query typed once the tree was usable
    rare: rare.ms,
    common: common.ms,
    heapMb: heap.usedSize / 1048576,
    counts: [rare.count, common.count],
  };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};
const range = (values) => `${Math.min(...values).toFixed(0)}–${Math.max(...values).toFixed(0)}`;

async function main() {
  let sites = prepareSites();
  if (options.baseline) sites = sites.flatMap((s) => [s, addBaseline(s, options.baseline)]);
  const browser = await launchBrowser();
  const results = new Map(sites.map((s) => [s.name, []]));
  // A first visit of each site warms the disk cache; it is not counted.
  for (const site of sites) await measure(browser, site);
  for (let round = 0; round < options.rounds; round++) {
    for (const site of round % 2 ? [...sites].reverse() : sites) results.get(site.name).push(await measure(browser, site));
  }
  await browser.close();

  const floor = median(results.get(sites[0].name).map((r) => r.firstPaint));
  const rows = [['site', 'first paint ms (range)', '× floor', 'tree usable ms', 'search ready ms', `rare word ms`, 'common word ms', 'JS heap MB']];
  for (const site of sites) {
    const runs = results.get(site.name);
    const col = (key) => runs.map((r) => r[key]);
    rows.push([
      site.name,
      `${median(col('firstPaint')).toFixed(0)} (${range(col('firstPaint'))})`,
      (median(col('firstPaint')) / floor).toFixed(2),
      median(col('tree')).toFixed(0),
      median(col('searchReady')).toFixed(0),
      `${median(col('rare')).toFixed(0)} "${site.rare}"`,
      `${median(col('common')).toFixed(0)} "${site.common}"`,
      median(col('heapMb')).toFixed(1),
    ]);
  }
  const widths = rows[0].map((_, c) => Math.max(...rows.map((r) => String(r[c]).length)));
  for (const row of rows) console.log(row.map((cell, c) => String(cell).padEnd(widths[c])).join('  '));
  console.log(`\n${options.rounds} rounds; medians; from file:// in headless Chromium. Search latency: typed a letter every 80 ms, from the last keystroke until the results are painted.`);
}

await main();
