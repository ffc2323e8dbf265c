// The contents tree of the site. A branch's items are made when it first
// opens, so that a site of ten thousand topics shows its contents at once.
(function () {
  'use strict';

  const SV = window.__SV;
  const el = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text != null) e.textContent = text;
    return e;
  };

  // tree: the <ul role="tree">; roots: topics { id, title, children, parent };
  // hrefFor(topic) gives a link's address; choose(topic) opens a topic.
  SV.ContentsTree = function (tree, roots, { byId, hrefFor, choose }) {
    const items = new Map(); // id -> li, for the items made so far

    function makeItem(t, level) {
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
      link.href = hrefFor(t);
      link.tabIndex = -1;
      row.append(twisty, link);
      li.append(row);
      if (t.children.length) li.setAttribute('aria-expanded', 'false');
      items.set(t.id, li);
      return li;
    }

    function makeGroup(parent, list, level) {
      const frag = document.createDocumentFragment();
      list.forEach((t, i) => {
        const li = makeItem(t, level);
        li.setAttribute('aria-setsize', String(list.length));
        li.setAttribute('aria-posinset', String(i + 1));
        frag.append(li);
      });
      parent.append(frag);
    }

    function setExpanded(li, open) {
      if (!li || !li.hasAttribute('aria-expanded')) return;
      if (open && !li.querySelector(':scope > .sv-group')) {
        const group = el('ul', 'sv-group');
        group.setAttribute('role', 'group');
        makeGroup(group, byId(li.dataset.id).children, Number(li.getAttribute('aria-level')) + 1);
        li.append(group);
      }
      li.setAttribute('aria-expanded', String(open));
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

    // Marks the topic shown (null: none), opening its branch and those above it.
    function select(t) {
      for (const li of tree.querySelectorAll('.sv-item[aria-selected="true"]')) {
        li.setAttribute('aria-selected', 'false');
        li.querySelector('.sv-link').removeAttribute('aria-current');
      }
      if (!t || !byId(t.id)) return;
      const chain = [];
      for (let p = t; p; p = p.parent) chain.unshift(p);
      for (const p of chain) setExpanded(items.get(p.id), true);
      const li = items.get(t.id);
      if (!li) return;
      li.setAttribute('aria-selected', 'true');
      li.querySelector('.sv-link').setAttribute('aria-current', 'page');
      if (!tree.contains(document.activeElement)) {
        for (const other of tree.querySelectorAll('.sv-item[tabindex="0"]')) other.tabIndex = -1;
        li.tabIndex = 0;
      }
      const row = li.querySelector('.sv-row');
      const box = tree.parentElement.getBoundingClientRect();
      const r = row.getBoundingClientRect();
      if (box.height && (r.top < box.top || r.bottom > box.bottom)) row.scrollIntoView({ block: 'center' });
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
      choose(byId(li.dataset.id));
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
          choose(byId(li.dataset.id));
          break;
        default: handled = false;
      }
      if (handled) e.preventDefault();
    });

    makeGroup(tree, roots, 1);
    const first = tree.querySelector('.sv-item');
    if (first) first.tabIndex = 0;

    return {
      select,
      // The item holding the tab stop, to give it focus.
      current: () => tree.querySelector('.sv-item[tabindex="0"]'),
    };
  };
})();
