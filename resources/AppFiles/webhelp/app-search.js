// The site's search over the compact index the publisher writes
// (search-index.js, window.__SV_INDEX): every word of the topics with the
// sections it occurs in and how (see WebHelpSearchData.h). Topics with every
// word come first, then those with most of the words; titles and headings
// weigh more than body text; English word forms meet ("lights" finds
// "light"); a word that matches nothing forgives one typo.
(function () {
  'use strict';

  const SV = window.__SV;

  // ---- English word forms -------------------------------------------------
  // The first steps of the Porter2 stemmer: plurals, -ed and -ing, a final -y.

  const VOWEL = /[aeiouy]/;
  const DOUBLE = /(bb|dd|ff|gg|mm|nn|pp|rr|tt)$/;

  // Where the region after the first non-vowel following a vowel starts.
  function regionOne(w) {
    const special = /^(gener|commun|arsen)/.exec(w);
    if (special) return special[0].length;
    const m = /[aeiouy][^aeiouy]/.exec(w);
    return m ? m.index + 2 : w.length;
  }

  function endsInShortSyllable(w) {
    return /(^[aeiouy][^aeiouy]$)|([^aeiouy][aeiouy][^aeiouywxY]$)/.test(w);
  }

  function stem(word) {
    if (word.length < 3 || !/^[a-z]+$/.test(word)) return word;
    // A "y" that is a consonant (first letter, or after a vowel) is "Y".
    let w = word.replace(/^y/, 'Y').replace(/([aeiouy])y/g, '$1Y');
    // Step 1a.
    if (w.endsWith('sses')) w = w.slice(0, -2);
    else if (/(ied|ies)$/.test(w)) w = w.slice(0, w.length > 4 ? -2 : -1);
    else if (/(us|ss)$/.test(w)) {
      /* unchanged */
    } else if (w.endsWith('s') && VOWEL.test(w.slice(0, -2))) w = w.slice(0, -1);
    // Step 1b.
    const r1 = regionOne(w);
    const eed = /(eedly|eed)$/.exec(w);
    if (eed) {
      if (eed.index >= r1) w = w.slice(0, eed.index) + 'ee';
    } else {
      const ed = /(ingly|edly|ing|ed)$/.exec(w);
      if (ed && VOWEL.test(w.slice(0, ed.index))) {
        w = w.slice(0, ed.index);
        if (/(at|bl|iz)$/.test(w)) w += 'e';
        else if (DOUBLE.test(w)) w = w.slice(0, -1);
        else if (regionOne(w) >= w.length && endsInShortSyllable(w)) w += 'e';
      }
    }
    // Step 1c.
    if (/[^aeiouy][yY]$/.test(w) && w.length > 2) w = w.slice(0, -1) + 'i';
    return w.toLowerCase();
  }

  // ---- Words that say little ---------------------------------------------
  // A topic that shares only these with a question is no partial match.

  const STOP = new Set(
    ('a an and are as at be but by can do does for from how i if in into is it its me my no not of on or so that the ' +
      'their then there these this to was we what when where which who why will with you your').split(' '),
  );

  // ---- The index -----------------------------------------------------------

  const DIGITS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
  const DIGIT = new Int8Array(128).fill(-1);
  for (let i = 0; i < DIGITS.length; i++) DIGIT[DIGITS.charCodeAt(i)] = i;

  const MAX_PREFIX_TERMS = 60;
  // How much a count of 1 … 15 in a section's text weighs.
  const LOG_COUNT = Float64Array.from({ length: 16 }, (_, c) => (c ? 1 + Math.log2(c) : 0));
  const MAX_WORDS = 20;
  const MAX_TYPO_LENGTH = 5; // words of at least this many letters forgive a typo

  // True when a and b differ by one letter added, dropped, changed or two
  // neighbours swapped.
  function oneEditApart(a, b) {
    if (a === b || Math.abs(a.length - b.length) > 1) return false;
    let i = 0;
    while (i < a.length && i < b.length && a[i] === b[i]) i++;
    if (a.length === b.length) {
      if (a.slice(i + 1) === b.slice(i + 1)) return true;
      return a[i] === b[i + 1] && a[i + 1] === b[i] && a.slice(i + 2) === b.slice(i + 2);
    }
    return a.length > b.length ? a.slice(i + 1) === b.slice(i) : a.slice(i) === b.slice(i + 1);
  }

  class SearchIndex {
    constructor(data) {
      this.topics = data.topics.map(([id, title]) => ({ id: String(id), title: String(title) }));
      this.chunk = data.chunk;
      const sections = data.sections;
      this.sectionTopic = new Int32Array(sections.length);
      this.sectionLevel = new Int8Array(sections.length);
      this.sectionAnchor = new Array(sections.length);
      this.sectionHeading = new Array(sections.length);
      this.firstSection = new Int32Array(this.topics.length + 1);
      for (let s = sections.length - 1; s >= 0; s--) {
        const [t, anchor, heading, level] = sections[s];
        this.sectionTopic[s] = t;
        this.sectionAnchor[s] = String(anchor);
        this.sectionHeading[s] = String(heading);
        this.sectionLevel[s] = level;
        this.firstSection[t] = s;
      }
      this.firstSection[this.topics.length] = sections.length;
      this.terms = data.terms;
      this.postings = data.postings;
      this.decoded = new Map();
      this.stems = null;
    }

    // Terms by stem, made on the first search.
    stemGroups() {
      if (!this.stems) {
        this.stems = new Map();
        this.terms.forEach((term, i) => {
          const key = stem(term);
          const group = this.stems.get(key);
          if (group) group.push(i);
          else this.stems.set(key, [i]);
        });
      }
      return this.stems;
    }

    // The sorted terms starting with `prefix`: [from, to).
    prefixRange(prefix) {
      const lowerBound = (key) => {
        let lo = 0;
        let hi = this.terms.length;
        while (lo < hi) {
          const mid = (lo + hi) >> 1;
          if (this.terms[mid] < key) lo = mid + 1;
          else hi = mid;
        }
        return lo;
      };
      return [lowerBound(prefix), lowerBound(prefix + '\uffff')];
    }

    // Section and weight pairs of term t, flat.
    occurrences(t) {
      let list = this.decoded.get(t);
      if (list) return list;
      const code = this.postings[t];
      const out = [];
      let section = 0;
      for (let i = 0; i < code.length; ) {
        let value = 0;
        let shift = 0;
        for (;;) {
          const d = DIGIT[code.charCodeAt(i++)];
          value += (d & 31) * 2 ** shift;
          if (d < 32) break;
          shift += 5;
        }
        section += value;
        out.push(section, DIGIT[code.charCodeAt(i++)]);
      }
      list = Int32Array.from(out);
      if (this.decoded.size > 4000) this.decoded.clear();
      this.decoded.set(t, list);
      return list;
    }

    // The terms a word of the question stands for, with how well each fits.
    candidates(word, isLast) {
      const found = new Map();
      const group = this.stemGroups().get(stem(word));
      if (group) for (const t of group) found.set(t, this.terms[t] === word ? 1 : 0.9);
      if (word.length >= 2 || isLast) {
        const [from, to] = this.prefixRange(word);
        for (let t = from; t < to && t < from + MAX_PREFIX_TERMS; t++) if (!found.has(t)) found.set(t, 0.6);
      }
      let corrected = false;
      if (!found.size && [...word].length >= MAX_TYPO_LENGTH) {
        this.terms.forEach((term, t) => {
          if (oneEditApart(word, term)) found.set(t, 0.5);
        });
        corrected = found.size > 0;
      }
      return { found, corrected };
    }

    // The topics for a question, unsorted: hits { topic, all (every word
    // that says something), count (of such words), score }, and
    // sectionsOf(hit) for the few hits shown: { section (the one to point
    // at, -1 for the top), text (the one whose text matched most) }.
    search(question) {
      const words = [...new Set(SV.words(question))].slice(0, MAX_WORDS);
      const result = { words, hits: [], terms: [], corrections: [], sectionsOf: null };
      if (!words.length) return result;
      const n = this.topics.length;
      const matched = new Int32Array(n); // bit per word
      const score = new Float64Array(n);
      const sectionScore = new Float64Array(this.sectionTopic.length);
      const onlyStop = words.every((w) => STOP.has(w));
      let content = 0; // bits of the words that are no stop words
      words.forEach((word, i) => {
        if (onlyStop || !STOP.has(word)) content |= 1 << i;
        const { found, corrected } = this.candidates(word, i === words.length - 1);
        if (corrected) result.corrections.push([word, [...found.keys()].map((t) => this.terms[t])]);
        const best = new Float64Array(n);
        for (const [t, fit] of found) {
          if (result.terms.length < 300) result.terms.push(this.terms[t]);
          const list = this.occurrences(t);
          for (let k = 0; k < list.length; k += 2) {
            const section = list[k];
            const weight = list[k + 1];
            const count = weight & 15;
            const inText = (weight & 16 ? 4 : 0) + (count ? LOG_COUNT[count] : 0);
            const value = fit * ((weight & 32 ? 10 : 0) + inText);
            const topic = this.sectionTopic[section];
            if (value > best[topic]) best[topic] = value;
            sectionScore[section] += fit * inText;
          }
        }
        const bit = 1 << i;
        for (let topic = 0; topic < n; topic++) {
          if (best[topic] > 0) {
            matched[topic] |= bit;
            score[topic] += best[topic];
          }
        }
      });
      for (let topic = 0; topic < n; topic++) {
        const bits = matched[topic] & content;
        if (!bits) continue;
        let count = 0;
        for (let rest = bits; rest; rest &= rest - 1) count++;
        result.hits.push({ topic, all: bits === content, count, score: score[topic] });
      }
      result.sectionsOf = (hit) => {
        const best = this.bestSection(hit.topic, sectionScore);
        const pointed = best > this.firstSection[hit.topic] && this.sectionLevel[best] > 1;
        return { section: pointed ? best : -1, text: best };
      };
      return result;
    }

    // The section of a topic whose heading and text matched most (the first
    // one when only the title or keywords did).
    bestSection(topic, sectionScore) {
      let best = this.firstSection[topic];
      let bestScore = 0;
      for (let s = this.firstSection[topic]; s < this.firstSection[topic + 1]; s++) {
        if (sectionScore[s] > bestScore) {
          best = s;
          bestScore = sectionScore[s];
        }
      }
      return best;
    }
  }

  SV.stem = stem;
  SV.oneEditApart = oneEditApart;
  SV.SearchIndex = SearchIndex;
})();
