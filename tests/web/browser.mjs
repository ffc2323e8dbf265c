// Launches the system's headless Chromium for the browser tests.
// Playwright's own browser download is not used: the tests drive the Chromium
// the machine already has, so they run offline.
import { chromium } from 'playwright-core';
import { existsSync } from 'node:fs';

const CANDIDATES = ['/usr/bin/chromium', '/usr/bin/chromium-browser', '/usr/bin/google-chrome'];

export const CHROMIUM_ARGS = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

// The browser's path: CHROMIUM_PATH when set, else the first installed candidate.
export function chromiumPath() {
  const fromEnv = process.env.CHROMIUM_PATH;
  if (fromEnv) return fromEnv;
  const found = CANDIDATES.find((p) => existsSync(p));
  if (!found) throw new Error(`No Chromium found (looked for ${CANDIDATES.join(', ')}); set CHROMIUM_PATH`);
  return found;
}

// Returns a playwright Browser; the caller closes it.
export async function launchBrowser(options = {}) {
  const { args = [], ...rest } = options;
  return chromium.launch({
    executablePath: chromiumPath(),
    headless: true,
    args: [...CHROMIUM_ARGS, ...args],
    ...rest,
  });
}
