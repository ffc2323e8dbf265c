// The WebHelp site: contents tree, topic frame, search and address handling.
// Data comes from toc.js (window.__SV_TOC) and search.js (window.__SV_SEARCH),
// which load as plain scripts so the site also works opened from disk, where
// browsers refuse fetch() of local files.
(function () {
  'use strict';

  const $ = (id) => document.getElementById(id);
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text != null) e.textContent = text;
    return e;
  };
  const PHONE = window.matchMedia('(max-width: 760px)');
  const MAX_RESULTS = 100;
  const MAX_MARKS = 400;

  // ---- Data -------------------------------------------------------------

  const tocData = window.__SV_TOC && Array.isArray(window.__SV_TOC.roots) ? window.__SV_TOC : null;
  const searchData =
    window.__SV_SEARCH && Array.isArray(window.__SV_SEARCH.topics) ? window.__SV_SEARCH : null;

  const topics = new Map(); // id -> { id, title, file, parent, order, node }
  const flat = []; // topics of the contents in reading order

  function register(id, title, file) {
    if (typeof id !== 'string' || id === '' || typeof file !== 'string') return null;
    let t = topics.get(id);
    if (!t) {
      t = { id, title: String(title || ''), file, parent: null, order: -1, entry: null };
      topics.set(id, t);
    }
    return t;
  }

  function walkToc(nodes, parent) {
    for (const n of nodes || []) {
      const t = n && register(n.id, n.title, n.file);
      if (!t || t.order >= 0) continue;
      t.parent = parent;
      t.order = flat.length;
      t.children = [];
      flat.push(t);
      if (parent) parent.children.push(t);
      walkToc(n.children, t);
    }
  }
  if (tocData) walkToc(tocData.roots, null);
  // Topics left out of the contents (under an excluded parent) are still pages
  // of the site: search finds them and addresses open them.
  if (searchData) {
    for (const s of searchData.topics) {
      const t = s && register(s.id, s.title, s.file);
      if (t) t.entry = s;
    }
  }

  // Resolved page address (without fragment) -> topic, to recognise pages in the frame.
  const byUrl = new Map();
  function fileUrl(file) {
    return file.split('/').map(encodeURIComponent).join('/');
  }
  for (const t of topics.values()) {
    byUrl.set(new URL(fileUrl(t.file), location.href).href.split('#')[0], t);
  }

  const projectTitle = (document.title || '').trim();

  // ---- Text folding: case and accents -----------------------------------

  const MARKS = /\p{M}+/gu;
  function fold(s) {
    return s.toLowerCase().normalize('NFD').replace(MARKS, '');
  }
  // Folded text plus, for every folded character, its index in the original,
  // so hits found in folded text can be cut and marked in the original.
  function foldWithMap(s) {
    let text = '';
    const map = [];
    for (let i = 0; i < s.length; ) {
      const c = s.charCodeAt(i);
      if (c < 0x80) {
        text += c >= 65 && c <= 90 ? String.fromCharCode(c + 32) : s[i];
        map.push(i);
        i++;
        continue;
      }
      const ch = String.fromCodePoint(s.codePointAt(i));
      const f = fold(ch);
      for (let k = 0; k < f.length; k++) map.push(i);
      text += f;
      i += ch.length;
    }
    map.push(s.length);
    return { text, map };
  }

  function queryWords(q) {
    const words = [];
    for (const raw of fold(q).split(/\s+/)) {
      const w = raw.replace(/^[\p{P}\p{S}]+|[\p{P}\p{S}]+$/gu, '') || raw;
      if (w && !words.includes(w)) words.push(w);
    }
    return words;
  }

  // Ranges [start, end) of every occurrence of the words in s, merged.
  function findRanges(s, words, limit) {
    const { text, map } = foldWithMap(s);
    const ranges = [];
    for (const w of words) {
      for (let at = text.indexOf(w); at >= 0 && ranges.length < limit; at = text.indexOf(w, at + w.length)) {
        ranges.push([map[at], map[at + w.length]]);
      }
    }
    ranges.sort((a, b) => a[0] - b[0]);
    const merged = [];
    for (const r of ranges) {
      const last = merged[merged.length - 1];
      if (last && r[0] <= last[1]) last[1] = Math.max(last[1], r[1]);
      else merged.push(r.slice());
    }
    return merged;
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

  // ---- Search -----------------------------------------------------------

  let folded = null; // built on the first search
  function foldedIndex() {
    if (!folded) {
      folded = [];
      for (const t of topics.values()) {
        const e = t.entry || {};
        folded.push({
          topic: t,
          title: fold(t.title),
          keywords: fold(String(e.keywords || '')),
          text: fold(String(e.text || '')),
        });
      }
    }
    return folded;
  }

  function countOf(hay, w, cap) {
    let n = 0;
    for (let at = hay.indexOf(w); at >= 0 && n < cap; at = hay.indexOf(w, at + w.length)) n++;
    return n;
  }

  // Every word must occur in the topic. A word in the title weighs more than
  // one in the keywords, which weighs more than one only in the text.
  function search(q) {
    const words = queryWords(q);
    if (!words.length) return { words, hits: [] };
    const hits = [];
    for (const f of foldedIndex()) {
      let score = 0;
      for (const w of words) {
        if (f.title.includes(w)) score += 3000;
        else if (f.keywords.includes(w)) score += 2000;
        else if (f.text.includes(w)) score += 1000;
        else {
          score = -1;
          break;
        }
        score += countOf(f.text, w, 20);
      }
      if (score < 0) continue;
      if (f.title === words.join(' ')) score += 500;
      hits.push({ topic: f.topic, score });
    }
    const rank = (t) => (t.order >= 0 ? t.order : 1e9);
    hits.sort((a, b) => b.score - a.score || rank(a.topic) - rank(b.topic));
    return { words, hits };
  }

  // About 170 characters of the text around the first hit, cut at spaces.
  // Only a window around the hit is mapped character by character: folding
  // keeps nearly every character's length, so the hit's place in the folded
  // text is close to its place in the original.
  function snippetOf(text, words) {
    const f = fold(text);
    let near = -1;
    for (const w of words) {
      const at = f.indexOf(w);
      if (at >= 0 && (near < 0 || at < near)) near = at;
    }
    const from = Math.max(0, near - 300);
    const to = Math.min(text.length, Math.max(near, 0) + 500);
    const ranges = findRanges(text.slice(from, to), words, 200).map(([a, b]) => [a + from, b + from]);
    const first = ranges.length ? ranges[0][0] : 0;
    let start = Math.max(0, first - 50);
    let end = Math.min(text.length, start + 170);
    if (start > 0) {
      const sp = text.indexOf(' ', start);
      if (sp >= 0 && sp < first) start = sp + 1;
    }
    if (end < text.length) {
      const sp = text.lastIndexOf(' ', end);
      if (sp > first) end = sp;
    }
    const lead = start > 0 ? 1 : 0;
    const marked = ranges
      .filter(([a, b]) => a >= start && b <= end)
      .map(([a, b]) => [a - start + lead, b - start + lead]);
    return { text: (lead ? '…' : '') + text.slice(start, end) + (end < text.length ? '…' : ''), ranges: marked };
  }

  // ---- Address ----------------------------------------------------------

  // "#t=<id>" names a topic, "&hl=<words>" adds words to highlight in it.
  // "#<id>" and "#topics/<id>.html" are understood too.
  function parseHash() {
    const h = location.hash.replace(/^#/, '');
    if (!h) return { id: null, hl: '' };
    const params = new URLSearchParams(h);
    if (params.has('t')) return { id: params.get('t'), hl: params.get('hl') || '' };
    let raw;
    try {
      raw = decodeURIComponent(h);
    } catch (_) {
      raw = h;
    }
    const m = /^(?:.*\/)?([^/]+)\.html$/.exec(raw);
    return { id: m ? m[1] : raw, hl: '' };
  }

  function hashFor(id, hl) {
    const p = new URLSearchParams();
    p.set('t', id);
    if (hl) p.set('hl', hl);
    return '#' + p.toString();
  }

  function go(id, hl, replace) {
    const h = hashFor(id, hl);
    if (location.hash === h) route();
    else if (replace) {
      history.replaceState(history.state, '', h);
      route();
    } else location.hash = h;
  }

  // ---- State ------------------------------------------------------------

  const state = {
    current: null, // topic shown, when known
    hl: '', // words to highlight in it
    marks: 0, // highlights actually placed in the page
    frameUrl: null, // page the frame was last sent to
    expecting: false, // a navigation of ours is under way in the frame
    lost: false, // the frame left for a page that cannot be identified
  };

  // ---- Contents tree ----------------------------------------------------

  const tree = $('sv-tree');
  const items = new Map(); // id -> li

  function buildTree() {
    const make = (t, level) => {
      const li = el('li', 'sv-item');
      li.setAttribute('role', 'treeitem');
      li.setAttribute('aria-level', String(level));
      li.setAttribute('aria-selected', 'false');
      li.tabIndex = -1;
      li.dataset.id = t.id;
      const row = el('div', 'sv-row');
      row.style.setProperty('--sv-level', String(level - 1));
      const twisty = el('span', 'sv-twisty');
      twisty.setAttribute('aria-hidden', 'true');
      if (t.children.length) twisty.innerHTML = '<svg><use href="#sv-i-chevron"/></svg>';
      const link = el('a', 'sv-link', t.title);
      link.href = hashFor(t.id);
      link.tabIndex = -1;
      row.append(twisty, link);
      li.append(row);
      if (t.children.length) {
        li.setAttribute('aria-expanded', 'false');
        const group = el('ul', 'sv-group');
        group.setAttribute('role', 'group');
        for (const c of t.children) group.append(make(c, level + 1));
        li.append(group);
      }
      items.set(t.id, li);
      return li;
    };
    for (const t of flat) if (!t.parent) tree.append(make(t, 1));
    const first = tree.querySelector('.sv-item');
    if (first) first.tabIndex = 0;
  }

  function setExpanded(li, open) {
    if (li && li.hasAttribute('aria-expanded')) li.setAttribute('aria-expanded', String(open));
  }

  function visibleItems() {
    return Array.from(tree.querySelectorAll('.sv-item')).filter((li) => li.offsetParent !== null);
  }

  function focusItem(li) {
    if (!li) return;
    for (const other of tree.querySelectorAll('.sv-item[tabindex="0"]')) other.tabIndex = -1;
    li.tabIndex = 0;
    li.focus();
  }

  function markCurrentInTree() {
    for (const li of tree.querySelectorAll('.sv-item[aria-selected="true"]')) {
      li.setAttribute('aria-selected', 'false');
      li.querySelector('.sv-link').removeAttribute('aria-current');
    }
    const t = state.lost ? null : state.current;
    const li = t && items.get(t.id);
    if (!li) return;
    li.setAttribute('aria-selected', 'true');
    li.querySelector('.sv-link').setAttribute('aria-current', 'page');
    for (let p = t; p; p = p.parent) setExpanded(items.get(p.id), true);
    if (!tree.contains(document.activeElement)) {
      for (const other of tree.querySelectorAll('.sv-item[tabindex="0"]')) other.tabIndex = -1;
      li.tabIndex = 0;
    }
    const row = li.querySelector('.sv-row');
    const nav = $('sv-toc');
    const r = row.getBoundingClientRect();
    const n = nav.getBoundingClientRect();
    if (r.top < n.top || r.bottom > n.bottom) row.scrollIntoView({ block: 'center' });
  }

  tree.addEventListener('click', (e) => {
    const li = e.target.closest('.sv-item');
    if (!li) return;
    if (e.target.closest('.sv-twisty')) {
      setExpanded(li, li.getAttribute('aria-expanded') !== 'true');
      return;
    }
    if (e.target.closest('.sv-link') && (e.ctrlKey || e.metaKey || e.shiftKey || e.button !== 0)) return;
    e.preventDefault();
    setExpanded(li, true);
    focusItem(li);
    go(li.dataset.id, '');
    closeDrawerOnPhone();
  });

  tree.addEventListener('keydown', (e) => {
    const li = e.target.closest('.sv-item');
    if (!li || e.altKey || e.ctrlKey || e.metaKey) return;
    const list = visibleItems();
    const i = list.indexOf(li);
    const expandable = li.hasAttribute('aria-expanded');
    const open = li.getAttribute('aria-expanded') === 'true';
    let handled = true;
    switch (e.key) {
      case 'ArrowDown': focusItem(list[i + 1]); break;
      case 'ArrowUp': focusItem(list[i - 1]); break;
      case 'Home': focusItem(list[0]); break;
      case 'End': focusItem(list[list.length - 1]); break;
      case 'ArrowRight':
        if (expandable && !open) setExpanded(li, true);
        else if (expandable) focusItem(li.querySelector('.sv-group > .sv-item'));
        break;
      case 'ArrowLeft':
        if (expandable && open) setExpanded(li, false);
        else focusItem(li.parentElement.closest('.sv-item'));
        break;
      case 'Enter':
      case ' ':
        setExpanded(li, true);
        go(li.dataset.id, '');
        closeDrawerOnPhone();
        break;
      default: handled = false;
    }
    if (handled) e.preventDefault();
  });

  // ---- Topic bar: location and previous / next ---------------------------

  function crumbLink(t) {
    const a = el('a', 'sv-crumb', t.title);
    a.href = hashFor(t.id);
    return a;
  }

  function renderTopicBar() {
    const crumbs = $('sv-crumbs');
    crumbs.replaceChildren();
    const t = state.lost ? null : state.current;
    if (t) {
      const chain = [];
      for (let p = t.parent; p; p = p.parent) chain.unshift(p);
      for (const p of chain) {
        crumbs.append(crumbLink(p), el('span', 'sv-sep', '›'));
      }
      const here = el('span', 'sv-crumb sv-here', t.title);
      here.setAttribute('aria-current', 'page');
      crumbs.append(here);
    }
    if (state.hl && state.marks) {
      const chip = el('button', 'sv-hlchip');
      chip.type = 'button';
      chip.title = 'Remove the highlighting';
      chip.append(el('span', null, 'Highlighted: ' + state.hl));
      chip.insertAdjacentHTML('beforeend', '<svg aria-hidden="true"><use href="#sv-i-close"/></svg>');
      chip.addEventListener('click', () => state.current && go(state.current.id, '', true));
      crumbs.append(chip);
    }
    const base = state.current && state.current.order >= 0 ? state.current.order : -1;
    setPager($('sv-prev'), base > 0 ? flat[base - 1] : null, 'Previous');
    setPager($('sv-next'), base >= 0 && base + 1 < flat.length ? flat[base + 1] : null, 'Next');
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

  // ---- Topic frame ------------------------------------------------------

  const frame = $('sv-frame');

  function showMessage(text, linkText) {
    const box = $('sv-message');
    box.replaceChildren(el('p', null, text));
    if (linkText && flat.length) {
      const a = el('a', null, linkText);
      a.href = hashFor(flat[0].id);
      const p = el('p');
      p.append(a);
      box.append(p);
    }
    box.hidden = false;
    frame.hidden = true;
  }

  function hideMessage() {
    $('sv-message').hidden = true;
    frame.hidden = false;
  }

  function sendFrameTo(url) {
    state.frameUrl = url;
    state.expecting = true;
    try {
      frame.contentWindow.location.replace(url);
    } catch (_) {
      frame.src = url;
    }
  }

  // The frame's document when the browser lets this page reach it: always
  // over http(s); from disk Chromium keeps every file a separate origin.
  function frameDoc() {
    try {
      const d = frame.contentDocument;
      return d && d.location.href !== 'about:blank' ? d : null;
    } catch (_) {
      return null;
    }
  }

  frame.addEventListener('load', () => {
    const ours = state.expecting;
    state.expecting = false;
    const doc = frameDoc();
    if (!doc) {
      // From disk the page may have followed a link to a page we cannot name.
      if (!ours && state.frameUrl) {
        state.lost = true;
        markCurrentInTree();
        renderTopicBar();
      }
      return;
    }
    const t = byUrl.get(doc.location.href.split('#')[0]);
    if (t && t !== state.current) {
      // A page reached without us (e.g. the frame's own history): follow it.
      state.frameUrl = new URL(fileUrl(t.file), location.href).href;
      state.current = t;
      state.hl = '';
      history.replaceState(history.state, '', hashFor(t.id));
      updateChrome();
    }
    state.lost = !t;
    if (!t) {
      markCurrentInTree();
      renderTopicBar();
    }
    adoptFrameDocument(doc);
  });

  // Links between topics open through the address, so the contents, the
  // history and a copied link all name the topic; outside links leave the help.
  function adoptFrameDocument(doc) {
    const base = location.href.split('#')[0];
    for (const a of doc.querySelectorAll('a[href]')) {
      const raw = a.getAttribute('href');
      if (raw === '#') continue;
      let url;
      try {
        url = new URL(raw, doc.baseURI);
      } catch (_) {
        continue;
      }
      const t = byUrl.get(url.href.split('#')[0]);
      if (t) {
        a.href = base + hashFor(t.id);
        a.target = '_top';
      } else if (/^https?:$/.test(url.protocol) && url.origin !== location.origin && !a.target) {
        a.target = '_blank';
        a.rel = 'noopener';
      }
    }
    doc.addEventListener('click', (e) => {
      const a = e.target.closest && e.target.closest('a[href]');
      if (a && a.getAttribute('href') === '#') e.preventDefault();
    });
    doc.addEventListener('keydown', globalKeys);
    applyHighlight(doc);
  }

  function applyHighlight(doc) {
    for (const m of doc.querySelectorAll('mark.sv-hl')) m.replaceWith(...m.childNodes);
    doc.body && doc.body.normalize();
    const words = queryWords(state.hl);
    if (!words.length || !doc.body) {
      state.marks = 0;
      renderTopicBar();
      return;
    }
    if (!doc.getElementById('sv-hl-style')) {
      const st = doc.createElement('style');
      st.id = 'sv-hl-style';
      st.textContent =
        'mark.sv-hl{background:#ffe066;color:#1a1a1a;border-radius:2px;box-shadow:0 0 0 1px #e6c200;padding:0 1px}';
      doc.head.append(st);
    }
    const walker = doc.createTreeWalker(doc.body, NodeFilter.SHOW_TEXT, {
      acceptNode: (n) =>
        /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|MARK)$/.test(n.parentNode.nodeName)
          ? NodeFilter.FILTER_REJECT
          : NodeFilter.FILTER_ACCEPT,
    });
    const nodes = [];
    for (let n = walker.nextNode(); n; n = walker.nextNode()) nodes.push(n);
    let count = 0;
    let first = null;
    for (const node of nodes) {
      if (count >= MAX_MARKS) break;
      const ranges = findRanges(node.data, words, MAX_MARKS - count);
      for (let k = ranges.length - 1; k >= 0; k--) {
        const [a, b] = ranges[k];
        const hit = node.splitText(a);
        hit.splitText(b - a);
        const mark = doc.createElement('mark');
        mark.className = 'sv-hl';
        hit.replaceWith(mark);
        mark.append(hit);
        first = mark;
        count++;
      }
    }
    if (first) first.scrollIntoView({ block: 'center' });
    state.marks = count;
    renderTopicBar();
  }

  // ---- Routing ----------------------------------------------------------

  function updateChrome() {
    document.title = state.current ? state.current.title + ' – ' + projectTitle : projectTitle;
    frame.title = state.current ? state.current.title : 'Topic';
    markCurrentInTree();
    renderTopicBar();
    markCurrentResult();
  }

  function route() {
    if (!topics.size) {
      showMessage(
        tocData || searchData
          ? 'This help has no topics yet.'
          : 'The contents of this help could not be loaded (toc.js is missing or damaged).',
      );
      return;
    }
    const { id, hl } = parseHash();
    if (!id) {
      // The start page names its topic too, so its address can be shared.
      const first = flat[0] || topics.values().next().value;
      history.replaceState(history.state, '', hashFor(first.id));
      route();
      return;
    }
    const t = topics.get(id);
    if (!t) {
      state.current = null;
      state.lost = false;
      state.hl = '';
      updateChrome();
      showMessage('The topic you asked for is not part of this help.', 'Go to the first topic');
      return;
    }
    hideMessage();
    const url = new URL(fileUrl(t.file), location.href).href;
    const frameElsewhere = state.lost || url !== state.frameUrl;
    state.current = t;
    state.hl = hl;
    state.marks = 0;
    state.lost = false;
    updateChrome();
    if (frameElsewhere) sendFrameTo(url);
    else {
      const doc = frameDoc();
      if (doc) applyHighlight(doc);
    }
  }

  // ---- Search box and results --------------------------------------------

  const input = $('sv-q');
  const results = $('sv-results');
  const hitList = $('sv-hits');
  let lastQuery = null;

  function runSearch() {
    const q = input.value.trim();
    $('sv-clear').hidden = input.value === '';
    if (q === lastQuery) return;
    lastQuery = q;
    if (!q) {
      results.hidden = true;
      $('sv-toc').hidden = false;
      hitList.replaceChildren();
      markCurrentInTree();
      return;
    }
    const { words, hits } = search(q);
    results.hidden = false;
    $('sv-toc').hidden = true;
    const count = $('sv-count');
    count.textContent = hits.length
      ? (hits.length === 1 ? '1 topic' : hits.length + ' topics') +
        (hits.length > MAX_RESULTS ? ', first ' + MAX_RESULTS + ' shown' : '')
      : 'No topic contains ' + (words.length > 1 ? 'all of these words.' : 'this word.');
    const hl = words.join(' ');
    const frag = document.createDocumentFragment();
    for (const h of hits.slice(0, MAX_RESULTS)) frag.append(resultItem(h.topic, words, hl));
    hitList.replaceChildren(frag);
    markCurrentResult();
  }

  function resultItem(t, words, hl) {
    const li = el('li');
    const a = el('a', 'sv-hit');
    a.href = hashFor(t.id, hl);
    a.dataset.id = t.id;
    const title = el('span', 'sv-hit-title');
    appendMarked(title, t.title, findRanges(t.title, words, 50));
    a.append(title);
    const path = [];
    for (let p = t.parent; p; p = p.parent) path.unshift(p.title);
    if (path.length) a.append(el('span', 'sv-hit-path', path.join(' › ')));
    const text = t.entry ? String(t.entry.text || '') : '';
    if (text.trim()) {
      const s = snippetOf(text.replace(/\s+/g, ' ').trim(), words);
      const p = el('span', 'sv-hit-snippet');
      appendMarked(p, s.text, s.ranges);
      a.append(p);
    }
    li.append(a);
    return li;
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

  // Folding the whole index takes a moment on large sites: do it while the
  // reader is still about to type.
  input.addEventListener('focus', () => setTimeout(foldedIndex, 0), { once: true });

  let searchTimer = 0;
  input.addEventListener('input', () => {
    clearTimeout(searchTimer);
    searchTimer = setTimeout(runSearch, 60);
  });
  input.addEventListener('keydown', (e) => {
    if (e.key === 'ArrowDown') {
      runSearch();
      const first = hitList.querySelector('.sv-hit');
      if (first) {
        e.preventDefault();
        first.focus();
      }
    } else if (e.key === 'Enter') {
      runSearch();
      const first = hitList.querySelector('.sv-hit');
      if (first) {
        e.preventDefault();
        first.click();
      }
    }
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

  const root = document.documentElement;
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
      const cur = tree.querySelector('.sv-item[tabindex="0"]');
      (results.hidden && cur ? cur : input).focus();
    }
  });
  $('sv-backdrop').addEventListener('click', () => setSideOpen(false));
  PHONE.addEventListener('change', layoutChanged);

  function setSideWidth(px) {
    const w = Math.round(Math.min(Math.max(px, 200), Math.min(600, window.innerWidth - 240)));
    root.style.setProperty('--sv-side-width', w + 'px');
    return w;
  }
  const resizer = $('sv-resizer');
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

  // ---- Keyboard ---------------------------------------------------------

  function isTyping(t) {
    return t && (t.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(t.nodeName));
  }

  function globalKeys(e) {
    if (e.ctrlKey || e.metaKey || e.altKey) return;
    if (e.key === '/' && !isTyping(e.target)) {
      e.preventDefault();
      if (!sideOpen()) setSideOpen(true);
      window.focus();
      input.focus();
      input.select();
    } else if (e.key === 'Escape') {
      if (input.value) {
        e.preventDefault();
        clearSearch();
        input.focus();
      } else if (PHONE.matches && sideOpen()) {
        setSideOpen(false);
        $('sv-menu').focus();
      }
    }
  }
  document.addEventListener('keydown', globalKeys);

  // ---- Start ------------------------------------------------------------

  // Placeholder colours left at their defaults (white contents, black text)
  // let the contents follow the system's light or dark appearance; colours an
  // author chose are kept in both.
  function detectDefaultSideColours() {
    const cs = getComputedStyle($('sv-side'));
    if (cs.backgroundColor === 'rgb(255, 255, 255)' && cs.color === 'rgb(0, 0, 0)') {
      root.classList.add('sv-auto-side');
    }
  }

  // The skip link moves focus without touching the address, which names topics.
  document.querySelector('.sv-skip').addEventListener('click', (e) => {
    e.preventDefault();
    frame.focus();
  });
  $('sv-brand').textContent = projectTitle || 'Help';
  $('sv-brand').href = flat.length ? hashFor(flat[0].id) : '#';
  if (!searchData) {
    input.disabled = true;
    input.placeholder = 'Search is not available';
  }
  const savedWidth = Number(store.get('sv-side-width'));
  if (savedWidth) setSideWidth(savedWidth);
  detectDefaultSideColours();
  buildTree();
  layoutChanged();
  window.addEventListener('hashchange', route);
  route();
  root.classList.add('sv-ready');
})();
