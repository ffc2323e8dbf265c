// The WebHelp site: addresses, the topic frame and its messages, the topic
// bar, the outline, search results, the A–Z index page and the layout.
// The contents come from toc.js (window.__SV_TOC), loaded with the page; the
// search data (search-index.js, search-text/<n>.js) and the index
// (index-terms.js) load after the first paint. All are plain scripts, so the
// site also works opened from disk, where browsers refuse fetch() of local
// files; for the same reason the topic pages and the site talk by messages
// (topic.js).
(function () {
  'use strict';

  const SV = window.__SV;
  const root = document.documentElement;
  const $ = (id) => document.getElementById(id);
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text != null) e.textContent = text;
    return e;
  };
  const PHONE = window.matchMedia('(max-width: 760px)');
  const WIDE = window.matchMedia('(min-width: 1200px)');
  const RESULTS_PAGE = 20; // results shown at once; more as the list scrolls
  const SNIPPET_LENGTH = 170;

  // ---- Data -------------------------------------------------------------

  const tocData = window.__SV_TOC && Array.isArray(window.__SV_TOC.roots) ? window.__SV_TOC : null;
  const topics = new Map(); // id -> { id, title, file, parent, order, children }
  const flat = []; // topics of the contents in reading order

  function register(id, title) {
    if (typeof id !== 'string' || id === '') return null;
    let t = topics.get(id);
    if (!t) {
      t = { id, title: String(title || ''), file: 'topics/' + id + '.html', parent: null, order: -1, children: [] };
      topics.set(id, t);
    }
    return t;
  }

  function walkToc(nodes, parent) {
    for (const n of Array.isArray(nodes) ? nodes : []) {
      const t = n && register(n.id, n.title);
      if (!t || t.order >= 0) continue;
      if (typeof n.file === 'string') t.file = n.file;
      t.parent = parent;
      t.order = flat.length;
      flat.push(t);
      if (parent) parent.children.push(t);
      walkToc(n.children, t);
    }
  }
  if (tocData) walkToc(tocData.roots, null);

  const projectTitle = (document.title || '').trim();
  const fileUrl = (t) => new URL(t.file.split('/').map(encodeURIComponent).join('/'), location.href).href;
  const rank = (t) => (t.order >= 0 ? t.order : 1e9);

  // Loads a data script; resolves to whether it loaded.
  function loadScript(src) {
    return new Promise((resolve) => {
      const s = document.createElement('script');
      s.src = src;
      s.onload = () => resolve(true);
      s.onerror = () => resolve(false);
      document.head.append(s);
    });
  }

  // ---- Search data --------------------------------------------------------

  let searchIndex = null;
  let searchLoaded = null; // promise, once loading started
  let searchSettled = false; // loading ended, with or without an index

  function loadSearch() {
    if (!searchLoaded) {
      searchLoaded = loadScript('search-index.js').then(() => {
        const data = window.__SV_INDEX;
        if (data && data.version === 1 && Array.isArray(data.topics)) {
          try {
            searchIndex = new SV.SearchIndex(data);
          } catch (_) {
            searchIndex = null;
          }
          // Topics outside the contents are pages of the site all the same.
          if (searchIndex) for (const t of searchIndex.topics) register(t.id, t.title);
        }
        window.__SV_INDEX = undefined;
        searchSettled = true;
        searchReady();
      });
    }
    return searchLoaded;
  }

  // Section texts for snippets, by text file.
  const texts = new Map(); // file number -> array of topics' section texts, or a promise
  window.__SV_TEXT = (k, data) => {
    if (Number.isInteger(k) && Array.isArray(data)) texts.set(k, data);
  };
  function sectionText(topicIndex, sectionIndex) {
    const k = Math.floor(topicIndex / searchIndex.chunk);
    const chunk = texts.get(k);
    if (!Array.isArray(chunk)) return null;
    const sections = chunk[topicIndex - k * searchIndex.chunk];
    return Array.isArray(sections) ? String(sections[sectionIndex] || '') : '';
  }
  function loadText(topicIndex) {
    const k = Math.floor(topicIndex / searchIndex.chunk);
    if (!texts.has(k)) texts.set(k, loadScript('search-text/' + k + '.js'));
    const entry = texts.get(k);
    return Array.isArray(entry) ? Promise.resolve() : entry;
  }

  // ---- Address ----------------------------------------------------------

  // "#t=<id>" names a topic, "&s=<id>" a section of it, "&hl=<words>" words
  // to highlight; "#index" is the A–Z index; "#ctx=<help ID>" a topic by
  // one of its help IDs, a name or a number. "#<id>" and
  // "#topics/<id>.html" are understood too.
  function parseHash() {
    const h = location.hash.replace(/^#/, '');
    if (!h) return { id: null };
    if (h === 'index') return { index: true };
    const params = new URLSearchParams(h);
    if (params.has('ctx')) return { ctx: params.get('ctx').trim() };
    if (params.has('t')) return { id: params.get('t'), section: params.get('s') || '', hl: params.get('hl') || '' };
    let raw;
    try {
      raw = decodeURIComponent(h);
    } catch (_) {
      raw = h;
    }
    const m = /^(?:.*\/)?([^/]+)\.html$/.exec(raw);
    return { id: m ? m[1] : raw, section: '', hl: '' };
  }

  function hashFor(id, hl, section) {
    const p = new URLSearchParams();
    p.set('t', id);
    if (section) p.set('s', section);
    if (hl) p.set('hl', hl);
    return '#' + p.toString();
  }

  function navigate(hash, replace) {
    if (location.hash === hash) route();
    else if (replace) {
      history.replaceState(history.state, '', hash);
      route();
    } else location.hash = hash;
  }

  const go = (id, hl, section, replace) => navigate(hashFor(id, hl, section), replace);

  // ---- State ------------------------------------------------------------

  const state = {
    view: 'topic', // 'topic', 'index' or 'message'
    current: null, // topic shown, when known
    hl: '', // words to highlight in it
    section: '', // section to show
    marks: 0, // highlights placed in the page
    frameUrl: null, // page the frame was last sent to
    frameTopic: null, // topic the page in the frame says it is
    reported: false, // the page in the frame has said which topic it is
    lost: false, // the frame shows a page that is no topic of this help
    headings: [], // of the topic in the frame
  };

  // ---- Contents tree ----------------------------------------------------

  const tree = SV.ContentsTree($('sv-tree'), flat.filter((t) => !t.parent), {
    byId: (id) => topics.get(id),
    hrefFor: (t) => hashFor(t.id),
    choose: (t) => {
      go(t.id, '');
      closeDrawerOnPhone();
    },
  });

  // ---- Topic bar: location, outline, print, previous / next ----------------

  function crumbLink(t) {
    const a = el('a', 'sv-crumb', t.title);
    a.href = hashFor(t.id);
    return a;
  }

  function renderTopicBar() {
    const crumbs = $('sv-crumbs');
    crumbs.replaceChildren();
    const t = state.view === 'topic' && !state.lost ? state.current : null;
    if (t) {
      const chain = [];
      for (let p = t.parent; p; p = p.parent) chain.unshift(p);
      for (const p of chain) crumbs.append(crumbLink(p), el('span', 'sv-sep', '›'));
      const here = el('span', 'sv-crumb sv-here', t.title);
      here.setAttribute('aria-current', 'page');
      crumbs.append(here);
    } else if (state.view === 'index') {
      const here = el('span', 'sv-crumb sv-here', 'Index');
      here.setAttribute('aria-current', 'page');
      crumbs.append(here);
    }
    if (t && state.hl && state.marks) {
      const chip = el('button', 'sv-hlchip');
      chip.type = 'button';
      chip.title = 'Remove the highlighting';
      chip.append(el('span', null, 'Highlighted: ' + state.hl));
      chip.insertAdjacentHTML('beforeend', '<svg aria-hidden="true"><use href="#sv-i-close"/></svg>');
      chip.addEventListener('click', () => state.current && go(state.current.id, '', '', true));
      crumbs.append(chip);
    }
    const base = t && t.order >= 0 ? t.order : -1;
    setPager($('sv-prev'), base > 0 ? flat[base - 1] : null, 'Previous');
    setPager($('sv-next'), base >= 0 && base + 1 < flat.length ? flat[base + 1] : null, 'Next');
    $('sv-print').disabled = !t;
  }

  function setPager(a, t, label) {
    if (t) {
      a.href = hashFor(t.id);
      a.title = label + ': ' + t.title;
      a.removeAttribute('aria-disabled');
    } else {
      a.removeAttribute('href');
      a.removeAttribute('title');
      a.setAttribute('aria-disabled', 'true');
    }
  }

  // "On this page": the headings below the topic's title, when there are several.
  function renderOutline() {
    const list = state.view === 'topic' && !state.lost ? state.headings.filter((h) => h.level >= 2 && h.level <= 4) : [];
    const outline = $('sv-outline');
    const items = $('sv-outline-list');
    items.replaceChildren();
    const show = list.length >= 2;
    outline.hidden = !show;
    $('sv-outline-toggle').hidden = !show;
    root.classList.toggle('sv-has-outline', show);
    if (!show) {
      setOutlineOpen(false);
      return;
    }
    const top = Math.min(...list.map((h) => h.level));
    for (const h of list) {
      const li = el('li', 'sv-outline-item');
      li.style.setProperty('--sv-depth', String(h.level - top));
      const a = el('a', null, h.text);
      a.href = hashFor(state.current.id, state.hl, h.id);
      a.dataset.section = h.id;
      li.append(a);
      items.append(li);
    }
    markOutline(state.section);
  }

  function markOutline(id) {
    for (const a of $('sv-outline-list').querySelectorAll('a')) {
      if (a.dataset.section === id) a.setAttribute('aria-current', 'location');
      else a.removeAttribute('aria-current');
    }
  }

  function setOutlineOpen(open) {
    root.classList.toggle('sv-outline-open', open);
    $('sv-outline-toggle').setAttribute('aria-expanded', String(open));
  }

  $('sv-outline-list').addEventListener('click', (e) => {
    const a = e.target.closest('a[data-section]');
    if (!a || e.ctrlKey || e.metaKey || e.shiftKey) return;
    e.preventDefault();
    state.section = a.dataset.section;
    history.replaceState(history.state, '', hashFor(state.current.id, state.hl, state.section));
    toFrame({ sv: 'scroll', id: state.section });
    markOutline(state.section);
    if (!WIDE.matches) setOutlineOpen(false);
  });
  $('sv-outline-toggle').addEventListener('click', () => setOutlineOpen(!root.classList.contains('sv-outline-open')));

  // ---- Topic frame ------------------------------------------------------

  const frame = $('sv-frame');
  const stage = { frame, message: $('sv-message'), index: $('sv-indexpage') };

  function showOnStage(which) {
    for (const [name, e] of Object.entries(stage)) e.hidden = name !== which;
  }

  function showMessage(text, linkText) {
    const box = stage.message;
    box.replaceChildren(el('p', null, text));
    if (linkText && flat.length) {
      const a = el('a', null, linkText);
      a.href = hashFor(flat[0].id);
      const p = el('p');
      p.append(a);
      box.append(p);
    }
    showOnStage('message');
  }

  function toFrame(message) {
    if (frame.contentWindow) frame.contentWindow.postMessage(message, '*');
  }

  function sendFrameTo(url) {
    state.frameUrl = url;
    state.frameTopic = null;
    state.reported = false;
    state.headings = [];
    renderOutline();
    try {
      frame.contentWindow.location.replace(url);
    } catch (_) {
      frame.src = url;
    }
  }

  // What the page in the frame should show: appearance, highlighted words
  // (the index's terms that matched once the index is there, the words
  // themselves as prefixes before), the section.
  function showInFrame() {
    const message = { sv: 'show', theme: SV.theme.choice(), terms: [], prefixes: [], section: state.section };
    if (state.hl) {
      const found = searchIndex ? searchIndex.search(state.hl) : null;
      if (found && found.terms.length) message.terms = found.terms;
      else message.prefixes = SV.words(state.hl);
    }
    toFrame(message);
  }

  const messages = {
    // The page in the frame says which topic it is.
    topic(m) {
      const t = topics.get(String(m.id));
      state.reported = true;
      state.lost = !t;
      state.frameTopic = t || null;
      state.headings = Array.isArray(m.headings)
        ? m.headings.filter((h) => h && typeof h.id === 'string' && typeof h.text === 'string').map((h) => ({ id: h.id, text: h.text, level: Number(h.level) || 2 }))
        : [];
      if (t && t !== state.current) {
        // A page reached without the site (the frame's own history): follow it.
        state.current = t;
        state.hl = '';
        state.section = '';
        state.frameUrl = fileUrl(t);
        history.replaceState(history.state, '', hashFor(t.id));
      }
      updateChrome();
      if (t) showInFrame();
    },
    go(m) {
      const t = topics.get(String(m.id));
      if (t) go(t.id, '', typeof m.section === 'string' ? m.section : '');
    },
    key(m) {
      if (m.key === '/' || m.key === 'Escape') handleKey(m.key, null);
    },
    marks(m) {
      state.marks = Number(m.count) || 0;
      renderTopicBar();
    },
    section(m) {
      if (typeof m.id === 'string') markOutline(m.id);
    },
  };

  window.addEventListener('message', (e) => {
    const m = e.data;
    if (e.source !== frame.contentWindow || !m || typeof m.sv !== 'string' || !Object.hasOwn(messages, m.sv)) return;
    messages[m.sv](m);
  });

  frame.addEventListener('load', () => {
    // A page that did not say which topic it is (one outside the help)
    // leaves the contents and the location naming nothing.
    if (!state.reported && state.frameUrl) {
      state.lost = true;
      state.headings = [];
      updateChrome();
    }
    state.reported = false;
  });

  // ---- Routing ----------------------------------------------------------

  function updateChrome() {
    const t = state.view === 'topic' && !state.lost ? state.current : null;
    const name = t ? t.title : state.view === 'index' ? 'Index' : '';
    document.title = name ? name + ' – ' + projectTitle : projectTitle;
    frame.title = t ? t.title : 'Topic';
    tree.select(t);
    renderTopicBar();
    renderOutline();
    markCurrentResult();
  }

  function route() {
    const where = parseHash();
    if (where.ctx != null) {
      openHelpId(where.ctx);
      return;
    }
    if (where.index) {
      state.view = 'index';
      state.current = null;
      SV.renderIndexPage(stage.index, (id) => hashFor(id));
      showOnStage('index');
      updateChrome();
      $('sv-index-title').focus({ preventScroll: true });
      return;
    }
    // Topics outside the contents become known with the search data.
    if (!topics.size || (where.id && !topics.has(where.id))) {
      if (!searchSettled) {
        loadSearch().then(route);
        return;
      }
      if (!topics.size) {
        showMessage(tocData ? 'This help has no topics yet.' : 'The contents of this help could not be loaded (toc.js is missing or damaged).');
        return;
      }
    }
    if (!where.id) {
      // The start page names its topic too, so its address can be shared.
      const first = flat[0] || topics.values().next().value;
      if (first) go(first.id, '', '', true);
      return;
    }
    const t = topics.get(where.id);
    if (!t) {
      notFound();
      return;
    }
    state.view = 'topic';
    showOnStage('frame');
    const url = fileUrl(t);
    const frameElsewhere = state.lost || url !== state.frameUrl || state.frameTopic !== t;
    state.current = t;
    state.hl = where.hl;
    state.section = where.section;
    state.marks = 0;
    state.lost = false;
    if (frameElsewhere) sendFrameTo(url);
    updateChrome();
    if (!frameElsewhere) showInFrame();
  }

  function notFound(text) {
    state.view = 'message';
    state.current = null;
    state.lost = false;
    updateChrome();
    showMessage(text || 'The topic you asked for is not part of this help.', 'Go to the first topic');
  }

  // ---- Help IDs -------------------------------------------------------------

  // A program opens the help at a topic by one of its help IDs; context.js,
  // written when the help has any, maps them to topics. The address then
  // names the topic itself, so that Back does not return to the ID.
  let helpIdsLoaded = null;
  function openHelpId(ctx) {
    if (!helpIdsLoaded) helpIdsLoaded = loadScript('context.js');
    helpIdsLoaded.then(() => {
      if (parseHash().ctx !== ctx) return; // the reader has gone elsewhere meanwhile
      const ids = Array.isArray(window.__SV_CONTEXT) ? window.__SV_CONTEXT : [];
      const byNumber = /^[0-9]+$/.test(ctx);
      const found = ids.find((e) => e && (byNumber ? e.number === Number(ctx) : e.name === ctx));
      if (found && typeof found.topic === 'string') go(found.topic, '', '', true);
      else notFound('No topic of this help has the help ID “' + ctx + '”.');
    });
  }

  // ---- Search box and results --------------------------------------------

  const input = $('sv-q');
  const results = $('sv-results');
  const hitList = $('sv-hits');
  let lastQuery = null;

  function searchReady() {
    if (!searchIndex) {
      input.disabled = true;
      input.placeholder = 'Search is not available';
      return;
    }
    if (input.value.trim()) {
      lastQuery = null;
      runSearch();
    }
  }

  function describe(found, full, partial) {
    if (!full && !partial) return 'No topic contains ' + (found.words.length > 1 ? 'these words.' : 'this word.');
    const topicsText = (n) => (n === 1 ? '1 topic' : n + ' topics');
    let text = full ? topicsText(full) : 'No topic contains every word';
    if (partial) text += full ? ', ' + partial + ' more with some of the words' : '; ' + topicsText(partial) + ' with some of them';
    if (found.corrections.length) text += ' (searched for ' + found.corrections.map(([, terms]) => terms.slice(0, 3).join(' / ')).join(', ') + ')';
    return text + '.';
  }

  function runSearch() {
    const q = input.value.trim();
    $('sv-clear').hidden = input.value === '';
    if (q === lastQuery) return;
    if (!q) {
      lastQuery = q;
      results.hidden = true;
      $('sv-toc').hidden = false;
      hitList.replaceChildren();
      tree.select(state.view === 'topic' && !state.lost ? state.current : null);
      return;
    }
    results.hidden = false;
    $('sv-toc').hidden = true;
    if (!searchIndex) {
      $('sv-count').textContent = 'Loading the search…';
      loadSearch();
      return;
    }
    lastQuery = q;
    const found = searchIndex.search(q);
    for (const h of found.hits) h.order = rank(topics.get(searchIndex.topics[h.topic].id));
    found.hits.sort((a, b) => b.all - a.all || b.count - a.count || b.score - a.score || a.order - b.order);
    const full = found.hits.filter((h) => h.all).length;
    $('sv-count').textContent = describe(found, full, found.hits.length - full);
    listed = { found, full, matches: SV.wordMatcher(found.terms, []), finder: termFinder(found.terms), next: 0 };
    hitList.replaceChildren();
    results.scrollTop = 0;
    showMoreResults();
  }

  // The results of the last search, shown a page at a time.
  let listed = null;
  const moreResults = new IntersectionObserver((entries) => {
    if (entries.some((e) => e.isIntersecting)) showMoreResults();
  }, { root: results, rootMargin: '200px' });

  function showMoreResults() {
    const { found, full } = listed;
    const more = hitList.querySelector('.sv-hits-more');
    if (more) {
      moreResults.unobserve(more);
      more.remove();
    }
    const frag = document.createDocumentFragment();
    const end = Math.min(found.hits.length, listed.next + RESULTS_PAGE);
    for (let i = listed.next; i < end; i++) {
      if (i === full && i > 0) frag.append(el('li', 'sv-hits-divider', 'With some of the words'));
      frag.append(resultItem(found.hits[i], found));
    }
    listed.next = end;
    if (end < found.hits.length) {
      const li = el('li', 'sv-hits-more');
      const button = el('button', 'sv-pagebtn', 'Show more results');
      button.type = 'button';
      button.addEventListener('click', () => {
        const first = end;
        showMoreResults();
        const link = hitList.querySelectorAll('.sv-hit')[first];
        if (link) link.focus();
      });
      li.append(button);
      frag.append(li);
      moreResults.observe(li);
    }
    hitList.append(frag);
    markCurrentResult();
  }

  function resultItem(hit, found) {
    const { matches } = listed;
    const entry = searchIndex.topics[hit.topic];
    const t = topics.get(entry.id);
    const place = found.sectionsOf(hit);
    const section = place.section >= 0 ? searchIndex.sectionAnchor[place.section] : '';
    const li = el('li');
    const a = el('a', 'sv-hit');
    a.href = hashFor(t.id, found.words.join(' '), section);
    a.dataset.id = t.id;
    const title = el('span', 'sv-hit-title');
    appendMarked(title, t.title, SV.matchingRanges(t.title, matches, 50));
    a.append(title);
    if (section) {
      const heading = searchIndex.sectionHeading[place.section];
      const sub = el('span', 'sv-hit-section');
      appendMarked(sub, heading, SV.matchingRanges(heading, matches, 50));
      a.append(sub);
    }
    const path = [];
    for (let p = t.parent; p; p = p.parent) path.unshift(p.title);
    if (path.length) a.append(el('span', 'sv-hit-path', path.join(' › ')));
    const snippet = el('span', 'sv-hit-snippet');
    a.append(snippet);
    const first = searchIndex.firstSection[hit.topic];
    const count = searchIndex.firstSection[hit.topic + 1] - first;
    // The matching section's text, or the first text after it (a match in
    // the title of a topic that opens with its heading).
    const fill = (finder) => {
      for (let s = place.text - first; s < count; s++) {
        const text = sectionText(hit.topic, s);
        if (text) return appendSnippet(snippet, text, matches, finder);
      }
      snippet.remove();
    };
    if (sectionText(hit.topic, place.text - first) != null) fill(listed.finder);
    else {
      const finder = listed.finder;
      loadText(hit.topic).then(() => fill(finder));
    }
    li.append(a);
    return li;
  }

  // A pattern for the first of the terms as a word of folded text.
  function termFinder(terms) {
    if (!terms.length) return null;
    const escaped = terms.slice(0, 100).map((t) => t.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'));
    return new RegExp('(?<![\\p{L}\\p{N}])(?:' + escaped.join('|') + ')(?![\\p{L}\\p{N}])', 'u');
  }

  // About SNIPPET_LENGTH characters around the first match, cut at spaces.
  // The match is looked for in the folded text, which keeps nearly every
  // character's place, and only a window around it is mapped character by
  // character to mark the words.
  function appendSnippet(parent, raw, matches, finder) {
    const text = raw.replace(/\s+/g, ' ').trim();
    const near = finder ? SV.fold(text).search(finder) : -1;
    const from = Math.max(0, near - 300);
    const to = Math.min(text.length, Math.max(near, 0) + 500);
    const ranges = SV.matchingRanges(text.slice(from, to), matches, 1).map(([x, y]) => [x + from, y + from]);
    const first = ranges.length ? ranges[0][0] : 0;
    let start = Math.max(0, first - 50);
    if (start > 0) {
      const sp = text.indexOf(' ', start);
      if (sp >= 0 && sp < first) start = sp + 1;
    }
    let end = Math.min(text.length, start + SNIPPET_LENGTH);
    if (end < text.length) {
      const sp = text.lastIndexOf(' ', end);
      if (sp > first) end = sp;
    }
    const piece = text.slice(start, end);
    if (start > 0) parent.append('…');
    appendMarked(parent, piece, SV.matchingRanges(piece, matches, 50));
    if (end < text.length) parent.append('…');
  }

  // Appends s to parent with the ranges wrapped in <mark>.
  function appendMarked(parent, s, ranges) {
    let pos = 0;
    for (const [a, b] of ranges) {
      if (a > pos) parent.append(s.slice(pos, a));
      parent.append(el('mark', null, s.slice(a, b)));
      pos = b;
    }
    if (pos < s.length) parent.append(s.slice(pos));
  }

  function markCurrentResult() {
    for (const a of hitList.querySelectorAll('.sv-hit')) {
      if (state.current && a.dataset.id === state.current.id) a.setAttribute('aria-current', 'page');
      else a.removeAttribute('aria-current');
    }
  }

  function clearSearch() {
    input.value = '';
    runSearch();
  }

  // A search runs once per frame at most, on what was typed last.
  let searchFrame = 0;
  input.addEventListener('focus', () => loadSearch(), { once: true });
  input.addEventListener('input', () => {
    cancelAnimationFrame(searchFrame);
    searchFrame = requestAnimationFrame(runSearch);
  });
  input.addEventListener('keydown', (e) => {
    if (e.key !== 'ArrowDown' && e.key !== 'Enter') return;
    runSearch();
    const first = hitList.querySelector('.sv-hit');
    if (!first) return;
    e.preventDefault();
    if (e.key === 'ArrowDown') first.focus();
    else first.click();
  });
  $('sv-clear').addEventListener('click', () => {
    clearSearch();
    input.focus();
  });
  hitList.addEventListener('keydown', (e) => {
    const links = Array.from(hitList.querySelectorAll('.sv-hit'));
    const i = links.indexOf(document.activeElement);
    if (i < 0) return;
    if (e.key === 'ArrowDown' && links[i + 1]) links[i + 1].focus();
    else if (e.key === 'ArrowUp') (links[i - 1] || input).focus();
    else return;
    e.preventDefault();
  });
  hitList.addEventListener('click', (e) => {
    if (e.target.closest('.sv-hit') && !e.ctrlKey && !e.metaKey && !e.shiftKey) closeDrawerOnPhone();
  });

  // ---- Layout: side panel, drawer on phones, resizing --------------------

  const store = {
    get(k) {
      try {
        return localStorage.getItem(k);
      } catch (_) {
        return null;
      }
    },
    set(k, v) {
      try {
        localStorage.setItem(k, v);
      } catch (_) {
        /* storage may be off; the layout simply is not remembered */
      }
    },
  };

  function sideOpen() {
    return PHONE.matches ? root.classList.contains('sv-drawer-open') : !root.classList.contains('sv-side-hidden');
  }

  function setSideOpen(open) {
    if (PHONE.matches) {
      root.classList.toggle('sv-drawer-open', open);
      $('sv-backdrop').hidden = !open;
    } else {
      root.classList.toggle('sv-side-hidden', !open);
      store.set('sv-side-hidden', open ? '0' : '1');
    }
    $('sv-menu').setAttribute('aria-expanded', String(open));
    $('sv-side').inert = !open;
  }

  function closeDrawerOnPhone() {
    if (PHONE.matches && sideOpen()) setSideOpen(false);
  }

  function layoutChanged() {
    root.classList.remove('sv-drawer-open');
    $('sv-backdrop').hidden = true;
    setSideOpen(PHONE.matches ? false : store.get('sv-side-hidden') !== '1');
  }

  $('sv-menu').addEventListener('click', () => {
    const open = !sideOpen();
    setSideOpen(open);
    if (open && PHONE.matches) {
      const cur = tree.current();
      (results.hidden && cur ? cur : input).focus();
    }
  });
  $('sv-backdrop').addEventListener('click', () => setSideOpen(false));
  PHONE.addEventListener('change', layoutChanged);
  WIDE.addEventListener('change', () => setOutlineOpen(false));


  const resizer = $('sv-resizer');
  function setSideWidth(px) {
    const w = Math.round(Math.min(Math.max(px, 200), Math.min(600, window.innerWidth - 240)));
    root.style.setProperty('--sv-side-width', w + 'px');
    resizer.setAttribute('aria-valuenow', String(w));
    return w;
  }
  resizer.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    resizer.setPointerCapture(e.pointerId);
    root.classList.add('sv-resizing');
    const move = (ev) => setSideWidth(ev.clientX);
    const up = () => {
      resizer.removeEventListener('pointermove', move);
      resizer.removeEventListener('pointerup', up);
      root.classList.remove('sv-resizing');
      store.set('sv-side-width', String($('sv-side').getBoundingClientRect().width));
    };
    resizer.addEventListener('pointermove', move);
    resizer.addEventListener('pointerup', up);
  });
  resizer.addEventListener('keydown', (e) => {
    const step = e.key === 'ArrowLeft' ? -24 : e.key === 'ArrowRight' ? 24 : 0;
    if (!step) return;
    e.preventDefault();
    store.set('sv-side-width', String(setSideWidth($('sv-side').getBoundingClientRect().width + step)));
  });

  // ---- Appearance and printing -------------------------------------------

  const themeButtons = Array.from(document.querySelectorAll('#sv-theme button[data-theme]'));
  function showThemeChoice(choice) {
    for (const b of themeButtons) b.setAttribute('aria-pressed', String(b.dataset.theme === choice));
  }
  for (const b of themeButtons) {
    b.addEventListener('click', () => {
      SV.theme.set(b.dataset.theme);
      toFrame({ sv: 'theme', theme: b.dataset.theme });
    });
  }
  SV.theme.onChange(showThemeChoice);
  showThemeChoice(SV.theme.choice());

  function printTopic() {
    if (state.view === 'topic' && state.current) toFrame({ sv: 'print' });
  }
  $('sv-print').addEventListener('click', printTopic);

  // ---- Keyboard ---------------------------------------------------------

  function isTyping(t) {
    return t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.nodeName));
  }

  // "/" searches, Escape clears the search or closes the drawer, Ctrl+P
  // prints the topic rather than the site.
  function handleKey(key, e) {
    if (key === '/') {
      if (!sideOpen()) setSideOpen(true);
      window.focus();
      input.focus();
      input.select();
    } else if (key === 'Escape') {
      if (input.value) {
        clearSearch();
        input.focus();
      } else if (root.classList.contains('sv-outline-open')) {
        setOutlineOpen(false);
        $('sv-outline-toggle').focus();
      } else if (PHONE.matches && sideOpen()) {
        setSideOpen(false);
        $('sv-menu').focus();
      } else return false;
    } else return false;
    if (e) e.preventDefault();
    return true;
  }

  document.addEventListener('keydown', (e) => {
    if ((e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'p' && state.view === 'topic') {
      e.preventDefault();
      printTopic();
      return;
    }
    if (e.ctrlKey || e.metaKey || e.altKey) return;
    if ((e.key === '/' && !isTyping(e.target)) || e.key === 'Escape') handleKey(e.key, e);
  });

  // ---- Start ------------------------------------------------------------

  // Placeholder colours left at their defaults (white contents, black text)
  // let the contents follow the site's appearance; colours an author chose
  // are kept in both.
  function detectDefaultSideColours() {
    const cs = getComputedStyle($('sv-side'));
    if (cs.backgroundColor === 'rgb(255, 255, 255)' && cs.color === 'rgb(0, 0, 0)') root.classList.add('sv-auto-side');
  }

  // The skip link moves focus without touching the address, which names topics.
  document.querySelector('.sv-skip').addEventListener('click', (e) => {
    e.preventDefault();
    frame.focus();
  });
  $('sv-brand').textContent = projectTitle || 'Help';
  $('sv-brand').href = flat.length ? hashFor(flat[0].id) : '#';
  const savedWidth = Number(store.get('sv-side-width'));
  if (savedWidth) setSideWidth(savedWidth);
  else resizer.setAttribute('aria-valuenow', String(Math.round($('sv-side').getBoundingClientRect().width) || 300));
  detectDefaultSideColours();
  layoutChanged();
  window.addEventListener('hashchange', route);
  route();
  root.classList.add('sv-ready');

  // The search data and the index load once the page has painted.
  requestAnimationFrame(() =>
    setTimeout(() => {
      loadSearch();
      loadScript('index-terms.js').then(() => {
        $('sv-indexlink').hidden = !SV.hasIndexEntries();
      });
    }, 0),
  );
})();
