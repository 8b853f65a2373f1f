// Opens the wash log's frame page in headless Chromium and checks that every
// link of the left frame brings its section's heading to the top of the frame
// named mainFrame, that names read as written (non-ASCII and markup alike),
// and that nothing in the log runs as script. Saves a screenshot.
//
//   node log_frames.cjs LOG_FOLDER SCREENSHOT.png

'use strict';

const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const [folder, screenshot] = process.argv.slice(2);
if (!folder || !screenshot) {
  console.error('usage: node log_frames.cjs LOG_FOLDER SCREENSHOT.png');
  process.exit(2);
}

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

async function main() {
  const userData = require('fs').mkdtempSync(path.join(require('os').tmpdir(), 'quill-chromium-'));
  // A fresh, empty profile for every run.
  const browser = await chromium.launchPersistentContext(userData, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1280, height: 600 },
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
    ],
  });
  try {
    const page = await browser.newPage();
    const dialogs = [];
    page.on('dialog', (d) => { dialogs.push(d.message()); d.dismiss(); });
    await page.goto(pathToFileURL(path.join(folder, 'log.htm')).href);
    await page.waitForLoadState('load');

    const left = page.frame({ name: 'leftFrame' });
    const main = page.frame({ name: 'mainFrame' });
    check(left !== null && main !== null, 'the page has a left frame and a frame named mainFrame');
    if (!left || !main) return;

    const links = await left.$$eval('a', (as) => as.map((a) => ({
      href: a.getAttribute('href'), target: a.getAttribute('target'), text: a.textContent })));
    check(links.length === 3, `three sections are listed (found ${links.length})`);
    // The heading's anchor is left open, so the parser may carry it on into
    // the table; what matters is one name per section, in link order.
    const anchors = await main.$$eval('a[name]', (as) => [...new Set(as.map((a) => a.getAttribute('name')))]);
    check(JSON.stringify(anchors) === JSON.stringify(links.map((l) => l.href.replace(/^right\.htm#/, ''))),
      'every listed section has its heading anchor, in the same order');

    // From the last section back to the first, so each click has to move.
    for (let i = links.length - 1; i >= 0; --i) {
      const link = links[i];
      const stamp = link.href.replace(/^right\.htm#/, '');
      check(link.target === 'mainFrame', `link ${i + 1} targets mainFrame`);
      await left.click(`a >> nth=${i}`);
      await main.waitForURL((u) => u.hash === `#${stamp}`, { timeout: 10000 });
      // At the top of the frame, or as near it as the end of the page allows.
      const shown = await main.waitForFunction((s) => {
        const a = document.getElementsByName(s)[0];
        if (!a) return false;
        const top = a.getBoundingClientRect().top;
        const atEnd = Math.ceil(window.scrollY + window.innerHeight) >= document.documentElement.scrollHeight;
        return Math.abs(top) <= 2 || (atEnd && top > 0 && top < window.innerHeight);
      }, stamp, { timeout: 10000 }).then(() => true, () => false);
      check(shown, `link ${i + 1} ("${link.text.trim()}") brings its heading to the top of mainFrame`);
      const heading = await main.evaluate((s) => {
        const a = document.getElementsByName(s)[0];
        const p = a && a.closest('p');
        return p ? p.textContent.trim() : '';
      }, stamp);
      check(heading === link.text.trim(), `heading ${i + 1} reads "${heading}" as its link does`);
    }
    const scrolledOnLast = await (async () => {
      await left.click(`a >> nth=${links.length - 1}`);
      await main.waitForTimeout(200);
      return main.evaluate(() => window.scrollY);
    })();
    check(scrolledOnLast > 0, `the last section lies below the first screen (scrolled ${scrolledOnLast}px)`);

    const cells = await main.$$eval('td', (tds) => tds.map((td) => td.textContent.trim()));
    check(cells.some((c) => c.endsWith('\\Überprüfung 日本.tmp')), 'a name in two scripts reads as written');
    check(cells.some((c) => c.endsWith('\\fish & chips.tmp')), 'an ampersand reads as written');
    check(cells.some((c) => c.endsWith("\\<script>document.title='x'</script>")),
      'a name holding markup reads as text');
    const scripts = await main.$$eval('script', (s) => s.length);
    check(scripts === 0 && dialogs.length === 0, 'nothing in the log runs as script');
    check((await main.title()) !== 'x', 'the page title is untouched');
    check(cells.includes('File Locked') && cells.includes('Fail'), 'the failed secure row shows');

    await left.click(`a >> nth=${links.length - 2}`);
    await main.waitForTimeout(200);
    await page.screenshot({ path: screenshot });
    console.log(`screenshot: ${screenshot}`);
  } finally {
    await browser.close();
    require('fs').rmSync(userData, { recursive: true, force: true });
  }
}

main().then(() => {
  if (failures.length) {
    console.error(`${failures.length} check(s) failed`);
    process.exit(1);
  }
}, (e) => {
  console.error(e);
  process.exit(1);
});
