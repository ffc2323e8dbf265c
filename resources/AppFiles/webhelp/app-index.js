// The site's A–Z index: the topics' index entries and keywords from
// index-terms.js (window.__SV_TERMS, written by the publisher), grouped by
// first letter, each entry linking to its topics.
(function () {
  'use strict';

  const SV = window.__SV;
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text != null) e.textContent = text;
    return e;
  };

  // The entries [term, group, [[id, title]…]] when the file is there and sound.
  function entries() {
    const data = window.__SV_TERMS;
    if (!data || !Array.isArray(data.entries)) return [];
    return data.entries.filter(
      (e) => Array.isArray(e) && typeof e[0] === 'string' && typeof e[1] === 'string' && Array.isArray(e[2]) && e[2].length,
    );
  }

  // Fills `page` with the index; hrefFor(id) gives a topic's address.
  SV.renderIndexPage = function (page, hrefFor) {
    const list = entries();
    page.replaceChildren();
    const heading = el('h1', 'sv-index-title', 'Index');
    heading.id = 'sv-index-title';
    heading.tabIndex = -1;
    page.append(heading);
    if (!list.length) {
      page.append(el('p', 'sv-index-empty', 'This help has no index entries.'));
      return;
    }
    const groups = new Map();
    for (const entry of list) {
      const key = entry[1] === '#' ? '#' : entry[1].toLocaleUpperCase();
      if (!groups.has(key)) groups.set(key, []);
      groups.get(key).push(entry);
    }
    const letters = el('nav', 'sv-index-letters');
    letters.setAttribute('aria-label', 'Letters');
    const body = el('div', 'sv-index-groups');
    let n = 0;
    for (const [key, group] of groups) {
      const id = 'sv-index-' + n++;
      const jump = el('a', 'sv-index-letter', key);
      jump.href = '#' + id;
      jump.setAttribute('aria-label', key === '#' ? 'Numbers and symbols' : key);
      jump.addEventListener('click', (e) => {
        e.preventDefault();
        const target = document.getElementById(id);
        target.scrollIntoView({ block: 'start' });
        target.focus({ preventScroll: true });
      });
      letters.append(jump);
      const section = el('section', 'sv-index-group');
      const title = el('h2', 'sv-index-letterhead', key);
      title.id = id;
      title.tabIndex = -1;
      section.setAttribute('aria-labelledby', id);
      const ul = el('ul', 'sv-index-entries');
      for (const [term, , topics] of group) ul.append(entryItem(term, topics, hrefFor));
      section.append(title, ul);
      body.append(section);
    }
    page.append(letters, body);
  };

  function entryItem(term, topics, hrefFor) {
    const li = el('li', 'sv-index-entry');
    if (topics.length === 1) {
      const a = el('a', 'sv-index-term', term);
      a.href = hrefFor(String(topics[0][0]));
      li.append(a);
      return li;
    }
    li.append(el('span', 'sv-index-term', term));
    const sub = el('ul', 'sv-index-topics');
    for (const [id, title] of topics) {
      const item = el('li');
      const a = el('a', null, String(title));
      a.href = hrefFor(String(id));
      item.append(a);
      sub.append(item);
    }
    li.append(sub);
    return li;
  }

  SV.hasIndexEntries = () => entries().length > 0;
})();
