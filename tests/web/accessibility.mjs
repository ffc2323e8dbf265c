// Runs axe-core (from tests/web/node_modules) in a page or frame and returns
// the violations a reader would meet: those of serious or critical impact.
import { createRequire } from 'node:module';

const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

// [{ id, impact, nodes: ["selector: what is wrong"…] }] for `frame` (a playwright Frame);
// frames inside it are checked on their own.
export async function seriousViolations(frame) {
  if (!(await frame.evaluate(() => !!window.axe))) await frame.addScriptTag({ path: AXE });
  const violations = await frame.evaluate(async () => {
    const result = await window.axe.run(document, { iframes: false, resultTypes: ['violations'] });
    return result.violations.map((v) => ({ id: v.id, impact: v.impact, nodes: v.nodes.map((n) => n.target.join(' ') + ': ' + n.failureSummary) }));
  });
  return violations.filter((v) => v.impact === 'serious' || v.impact === 'critical');
}
