// Runs in every topic page of the site. Inside the site's frame the page
// tells the site which topic it is and what headings it has, sends the
// site the links to other topics, and takes its orders (highlight words,
// scroll to a section, appearance, print) as messages: browsers keep pages
// opened from disk apart, so messages are the one way that works there as
// well as over http. Opened on its own, the page takes the reader to the
// site showing it.
(function () {
  'use strict';

  const SV = window.__SV;
  const root = document.documentElement;
  const topicId = root.dataset.topic || '';
  const framed = window.parent !== window;
  const MAX_MARKS = 400;

  if (!framed) {
    if (topicId) {
      const section = location.hash ? '&s=' + encodeURIComponent(location.hash.slice(1)) : '';
      location.replace(new URL('../index.html', location.href).href + '#t=' + encodeURIComponent(topicId) + section);
    }
    return;
  }
  root.classList.add('sv-in-site');

  // Nothing in the messages is private; pages opened from disk have no
  // origin to name.
  function tell(message) {
    window.parent.postMessage(message, '*');
  }

  // ---- Headings -----------------------------------------------------------

  function headings() {
    const list = [];
    for (const h of document.querySelectorAll('.sv-page-body :is(h1, h2, h3, h4, h5, h6)[id]')) {
      const text = h.textContent.replace(/\s+/g, ' ').trim();
      if (text) list.push({ id: h.id, text, level: Number(h.tagName[1]) });
    }
    return list;
  }

  // The heading the reader is at: the last one near the top of the view,
  // or, scrolled to the end, the last one in view.
  function watchSections(list) {
    if (!list.length) return;
    const elements = list.map((h) => document.getElementById(h.id));
    let current = null;
    const update = () => {
      const atEnd = window.scrollY > 0 && window.scrollY + window.innerHeight >= document.documentElement.scrollHeight - 2;
      const line = atEnd ? window.innerHeight : Math.min(120, window.innerHeight / 4);
      let at = elements[0];
      for (const e of elements) if (e.getBoundingClientRect().top <= line) at = e;
      if (at !== current) {
        current = at;
        tell({ sv: 'section', id: at.id });
      }
    };
    let pending = false;
    window.addEventListener('scroll', () => {
      if (pending) return;
      pending = true;
      requestAnimationFrame(() => {
        pending = false;
        update();
      });
    }, { passive: true });
    update();
  }

  // ---- Links --------------------------------------------------------------

  // The topic a link leads to: a page beside this one ("<id>.html").
  function linkedTopic(url) {
    const here = new URL('.', location.href).href;
    if (!url.href.startsWith(here)) return null;
    const m = /^([^/?#]+)\.html$/.exec(url.href.slice(here.length).split('#')[0]);
    return m ? decodeURIComponent(m[1]) : null;
  }

  document.addEventListener('click', (e) => {
    const a = e.target.closest && e.target.closest('a[href]');
    if (!a || e.defaultPrevented) return;
    const raw = a.getAttribute('href');
    if (raw === '#') {
      e.preventDefault();
      return;
    }
    let url;
    try {
      url = new URL(raw, document.baseURI);
    } catch (_) {
      return;
    }
    const id = linkedTopic(url);
    if (id && id !== topicId && !e.ctrlKey && !e.metaKey && !e.shiftKey && e.button === 0) {
      e.preventDefault();
      tell({ sv: 'go', id, section: decodeURIComponent(url.hash.slice(1)) });
    }
  });

  // Outside links leave the help in a tab of their own.
  function openOutsideLinksApart() {
    for (const a of document.querySelectorAll('a[href]')) {
      let url;
      try {
        url = new URL(a.getAttribute('href'), document.baseURI);
      } catch (_) {
        continue;
      }
      if (/^https?:$/.test(url.protocol) && url.origin !== location.origin && !a.target) {
        a.target = '_blank';
        a.rel = 'noopener';
      }
    }
  }

  // ---- Keys ---------------------------------------------------------------

  document.addEventListener('keydown', (e) => {
    const typing = e.target && (e.target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(e.target.nodeName));
    if ((e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'p') {
      // The topic, not the site around it.
      e.preventDefault();
      window.print();
    } else if (!e.ctrlKey && !e.metaKey && !e.altKey && ((e.key === '/' && !typing) || e.key === 'Escape')) {
      e.preventDefault();
      tell({ sv: 'key', key: e.key });
    }
  });

  // ---- Highlighting ---------------------------------------------------------

  const HL_STYLE =
    'mark.sv-hl{background:#ffe066;color:#1a1a1a;border-radius:2px;box-shadow:0 0 0 1px #e6c200;padding:0 1px}' +
    ':root[data-sv-theme="dark"] mark.sv-hl{background:#7a6300;color:#fff4c2;box-shadow:none}' +
    '@media print{mark.sv-hl{background:none;color:inherit;box-shadow:none}}';

  function clearHighlight() {
    for (const m of document.querySelectorAll('mark.sv-hl')) m.replaceWith(...m.childNodes);
    document.body.normalize();
  }

  // Marks the words that `terms` name exactly or that start with one of
  // `prefixes`; returns how many were marked.
  function highlight(terms, prefixes) {
    clearHighlight();
    if (!terms.length && !prefixes.length) return 0;
    if (!document.getElementById('sv-hl-style')) {
      const style = document.createElement('style');
      style.id = 'sv-hl-style';
      style.textContent = HL_STYLE;
      document.head.append(style);
    }
    const matches = SV.wordMatcher(terms, prefixes);
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, {
      acceptNode: (n) =>
        /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|MARK)$/.test(n.parentNode.nodeName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT,
    });
    const nodes = [];
    for (let n = walker.nextNode(); n; n = walker.nextNode()) nodes.push(n);
    let count = 0;
    for (const node of nodes) {
      if (count >= MAX_MARKS) break;
      const ranges = SV.matchingRanges(node.data, matches, MAX_MARKS - count);
      for (let k = ranges.length - 1; k >= 0; k--) {
        const [a, b] = ranges[k];
        const hit = node.splitText(a);
        hit.splitText(b - a);
        const mark = document.createElement('mark');
        mark.className = 'sv-hl';
        hit.replaceWith(mark);
        mark.append(hit);
      }
      count += ranges.length;
    }
    return count;
  }

  // ---- Orders from the site ---------------------------------------------------

  function scrollToSection(id) {
    const target = id && document.getElementById(id);
    if (target) target.scrollIntoView({ block: 'start' });
    return !!target;
  }

  const strings = (list) => (Array.isArray(list) ? list.filter((x) => typeof x === 'string') : []);

  window.addEventListener('message', (e) => {
    const m = e.data;
    if (e.source !== window.parent || !m || typeof m.sv !== 'string') return;
    if (m.sv === 'show') {
      if (typeof m.theme === 'string') SV.theme.apply(m.theme);
      const count = highlight(strings(m.terms), strings(m.prefixes));
      tell({ sv: 'marks', count });
      const first = document.querySelector('mark.sv-hl');
      if (!scrollToSection(m.section) && first) first.scrollIntoView({ block: 'center' });
    } else if (m.sv === 'scroll') {
      scrollToSection(m.id);
    } else if (m.sv === 'theme' && typeof m.theme === 'string') {
      SV.theme.apply(m.theme);
    } else if (m.sv === 'print') {
      window.print();
    }
  });

  function ready() {
    openOutsideLinksApart();
    const list = headings();
    tell({ sv: 'topic', id: topicId, headings: list });
    watchSections(list);
  }
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', ready);
  else ready();
})();
