// Shared by the site (index.html) and its topic pages, loaded first in both:
// the reader's choice of appearance, and how text is folded and split into
// words for search and highlighting.
(function () {
  'use strict';

  const SV = (window.__SV = window.__SV || {});

  // ---- Appearance -------------------------------------------------------
  // "light", "dark" or "system" (the default), remembered in localStorage;
  // the root element carries the appearance in effect as data-sv-theme.

  const THEME_KEY = 'sv-theme';
  const darkSystem = window.matchMedia('(prefers-color-scheme: dark)');
  let themeChoice = 'system';

  function storedTheme() {
    try {
      const value = localStorage.getItem(THEME_KEY);
      return value === 'light' || value === 'dark' ? value : 'system';
    } catch (_) {
      return 'system';
    }
  }

  function applyTheme(choice) {
    themeChoice = choice === 'light' || choice === 'dark' ? choice : 'system';
    const dark = themeChoice === 'dark' || (themeChoice === 'system' && darkSystem.matches);
    document.documentElement.dataset.svTheme = dark ? 'dark' : 'light';
    for (const listener of themeListeners) listener(themeChoice);
  }

  const themeListeners = [];
  SV.theme = {
    choice: () => themeChoice,
    apply: applyTheme,
    // Remembers and applies a choice.
    set(choice) {
      try {
        localStorage.setItem(THEME_KEY, choice);
      } catch (_) {
        /* storage may be off; the choice then lasts for this page */
      }
      applyTheme(choice);
    },
    onChange: (listener) => themeListeners.push(listener),
  };
  applyTheme(storedTheme());
  darkSystem.addEventListener('change', () => applyTheme(themeChoice));
  window.addEventListener('storage', (e) => {
    if (e.key === THEME_KEY) applyTheme(storedTheme());
  });

  // ---- Words ------------------------------------------------------------
  // The publisher folds and splits the topics' text the same way (the C++
  // FoldText and ForEachSearchWord); both sides must change together.

  const EXTRA = { ß: 'ss', æ: 'ae', œ: 'oe', ø: 'o', ł: 'l', đ: 'd', ð: 'd', þ: 'th', ħ: 'h', ı: 'i', ŀ: 'l', ς: 'σ' };
  const EXTRA_RE = /[ßæœøłđðþħıŀς]/g;
  const MARKS = /\p{M}+/gu;
  // Lower case, accents dropped: "Größe" -> "grosse".
  function fold(s) {
    return s.toLowerCase().normalize('NFD').replace(MARKS, '').normalize('NFC').replace(EXTRA_RE, (c) => EXTRA[c]);
  }

  // Runs of letters and digits; Chinese and Japanese characters one by one.
  const WORD = /[\p{sc=Han}\p{sc=Hiragana}\p{sc=Katakana}]|(?:(?![\p{sc=Han}\p{sc=Hiragana}\p{sc=Katakana}])[\p{L}\p{N}])+/gu;
  const MAX_WORD_BYTES = 64;
  const utf8Length = (w) => new TextEncoder().encode(w).length;

  // The folded words of a text, in order.
  function words(text) {
    const found = fold(text).match(WORD) || [];
    return found.filter((w) => w.length * 3 <= MAX_WORD_BYTES || utf8Length(w) <= MAX_WORD_BYTES);
  }

  // The words of s with their places in s itself: [{ word, start, end }].
  // Folding keeps most characters' length, but not all ("ß" -> "ss"), so
  // each character is folded on its own to map folded text back.
  function wordsWithPlaces(s) {
    let text = '';
    const map = [];
    for (let i = 0; i < s.length; ) {
      const cp = s.codePointAt(i);
      const ch = String.fromCodePoint(cp);
      const f = cp < 0x80 ? ch.toLowerCase() : fold(ch);
      for (let k = 0; k < f.length; k++) map.push(i);
      text += f;
      i += ch.length;
    }
    map.push(s.length);
    const found = [];
    for (const m of text.matchAll(WORD)) {
      found.push({ word: m[0], start: map[m.index], end: map[m.index + m[0].length] });
    }
    return found;
  }

  // Ranges [start, end) of the words of s that `matches` accepts, at most `limit`.
  function matchingRanges(s, matches, limit) {
    const ranges = [];
    for (const w of wordsWithPlaces(s)) {
      if (ranges.length >= limit) break;
      if (matches(w.word)) ranges.push([w.start, w.end]);
    }
    return ranges;
  }

  // A test for words: one of `terms` exactly, or starting with one of `prefixes`.
  function wordMatcher(terms, prefixes) {
    const exact = new Set(terms);
    return (w) => exact.has(w) || prefixes.some((p) => w.startsWith(p));
  }

  SV.fold = fold;
  SV.words = words;
  SV.matchingRanges = matchingRanges;
  SV.wordMatcher = wordMatcher;
})();
