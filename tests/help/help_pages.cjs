// Opens every topic of the help, as compiled into help.chm, in headless
// Chromium and checks that each one loads without a console error or a
// failed request, that every link and picture points at a file of the help
// (and, for a link with a fragment, at an element of that page), and that
// every picture loads.
//
//   node help_pages.cjs HTML_FOLDER

'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL, fileURLToPath } = require('url');
const { chromium } = require('playwright-core');

const [folderArg] = process.argv.slice(2);
if (!folderArg) {
  console.error('usage: node help_pages.cjs HTML_FOLDER');
  process.exit(2);
}
const folder = path.resolve(folderArg);

const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

// The file of the help a URL points at, or null when it points elsewhere.
function helpFile(url) {
  const u = new URL(url);
  if (u.protocol !== 'file:') return null;
  const file = fileURLToPath(u);
  const rel = path.relative(folder, file);
  if (rel.startsWith('..') || path.isAbsolute(rel)) return null;
  return file;
}

async function main() {
  const topics = fs.readdirSync(folder).filter((f) => f.endsWith('.htm')).sort();
  check(topics.length >= 15, `the help has ${topics.length} topics`);
  const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'quill-chromium-'));
  const browser = await chromium.launchPersistentContext(userData, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1024, height: 768 },
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
    ],
  });
  try {
    const page = await browser.newPage();
    const targets = new Map();  // page file -> ids, for fragment links
    for (const topic of topics) {
      const errors = [];
      const failed = [];
      const onConsole = (m) => { if (m.type() === 'error') errors.push(m.text()); };
      const onPageError = (e) => errors.push(String(e));
      const onFailed = (r) => failed.push(r.url());
      page.on('console', onConsole);
      page.on('pageerror', onPageError);
      page.on('requestfailed', onFailed);
      const response = await page.goto(pathToFileURL(path.join(folder, topic)).href);
      await page.waitForLoadState('load');
      page.off('console', onConsole);
      page.off('pageerror', onPageError);
      page.off('requestfailed', onFailed);

      check(response !== null && response.ok(), `${topic} opens`);
      check(errors.length === 0, `${topic}: no console error${errors.length ? ` (${errors.join('; ')})` : ''}`);
      check(failed.length === 0, `${topic}: every request succeeds${failed.length ? ` (${failed.join(', ')})` : ''}`);

      const title = await page.title();
      const heading = await page.$eval('h1', (h) => h.textContent.trim()).catch(() => '');
      check(title !== '' && heading !== '', `${topic} has a title and a heading ("${heading}")`);
      const styled = await page.evaluate(() => document.styleSheets.length > 0
        && getComputedStyle(document.querySelector('h1')).borderBottomStyle === 'solid');
      check(styled, `${topic} is styled by help.css`);

      const links = await page.$$eval('a[href]', (as) => as.map((a) => ({ href: a.href, raw: a.getAttribute('href') })));
      for (const link of links) {
        const file = helpFile(link.href);
        const exists = file !== null && fs.existsSync(file) && fs.statSync(file).isFile();
        check(exists, `${topic}: link "${link.raw}" leads to a file of the help`);
        const hash = new URL(link.href).hash;
        if (exists && hash) {
          if (!targets.has(file)) targets.set(file, new Set());
          targets.get(file).add({ topic, raw: link.raw, id: decodeURIComponent(hash.slice(1)) });
        }
      }
      const images = await page.$$eval('img', (is) => is.map((i) => ({
        src: i.src, raw: i.getAttribute('src'), loaded: i.complete && i.naturalWidth > 0, alt: i.getAttribute('alt') })));
      for (const img of images) {
        const file = helpFile(img.src);
        check(file !== null && fs.existsSync(file), `${topic}: picture "${img.raw}" is a file of the help`);
        check(img.loaded, `${topic}: picture "${img.raw}" loads`);
        check(!!img.alt, `${topic}: picture "${img.raw}" has an alternative text`);
      }
    }
    // Links into a part of a page land on an element of that page.
    for (const [file, wanted] of targets) {
      await page.goto(pathToFileURL(file).href);
      for (const w of wanted) {
        const found = await page.evaluate((id) => document.getElementById(id) !== null
          || document.getElementsByName(id).length > 0, w.id);
        check(found, `${w.topic}: link "${w.raw}" finds its place in ${path.basename(file)}`);
      }
    }
  } finally {
    await browser.close();
    fs.rmSync(userData, { recursive: true, force: true });
  }
}

main().then(() => {
  if (failures.length) {
    console.error(`${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log('all checks passed');
}, (e) => {
  console.error(e);
  process.exit(1);
});
