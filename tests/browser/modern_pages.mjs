// The Modern pages in a real browser: Debian's chromium, headless, driven through puppeteer-core.
// Usage: node modern_pages.mjs QUORELLA_CLI WORK_DIR
// Builds its FAQs with quorella-cli in a private home under WORK_DIR, generates them, and checks
// every page set in light and dark, at phone and desktop widths: no console errors (under a strict
// Content-Security-Policy), no axe-core violations, search, deep links, keyboard use, and reading
// without JavaScript. Prints the search time per keystroke over 10,000 questions as a figure.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { createRequire } from "node:module";
import puppeteer from "puppeteer-core";

const require = createRequire(import.meta.url);
const axeSource = fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8");
const [cli, work] = process.argv.slice(2);
const home = path.join(work, "home");
fs.rmSync(work, { recursive: true, force: true });
fs.mkdirSync(home, { recursive: true });
const env = { ...process.env, QUORELLA_HOME: home, XDG_CONFIG_HOME: path.join(work, "config") };
// A set of 10,000 pages prints more than the default 1 MiB of paths when the folder name is long.
const run = (...args) => execFileSync(cli, args, { env, encoding: "utf8", maxBuffer: 64 << 20 });

const failures = [];
const check = (ok, what) => {
  if (!ok) failures.push(what);
  console.log(`${ok ? "ok  " : "FAIL"} ${what}`);
};

// The questions every checked set holds: accents, Cyrillic, Japanese, equal questions, e-mail and
// web addresses, and the formats that are not Smart format.
const questions = [
  ["What does Quorella do?", 0, ["It writes FAQ pages from your questions.", "", "Mail support@example.com."]],
  ["Café au lait or crème brûlée?", 0, ["Both, with a croissant."]],
  ["Привет, как дела?", 0, ["Хорошо, спасибо! Ёлка и йогурт."]],
  ["日本語の質問は？", 0, ["はい、読めます。"]],
  ["Where are my pages written?", 1, ["Into the output directory.", "See www.example.org/help."]],
  ["Where are my pages written?", 2, ["  keeps   its spacing", "<and markup as text>"]],
  ["Can I write HTML?", 3, ["<p>Yes, <b>as is</b>.</p>"]],
];

// A FAQ document as the program stores it.
function documentText(entries) {
  let text = "";
  entries.forEach(([question, format, lines], i) => {
    text += `[Question ${i}]\r\n${question}\r\n\r\n####\r\n\r\n`;
    text += `[Answer ${i}]\r\n${format}\r\n${lines.join("\r\n")}\r\n\r\n####\r\n\r\n`;
  });
  return text;
}

function makeFaq(name, entries, values) {
  run("add", name);
  const site = path.join(work, "site-" + name);
  // Text beyond Windows-1252 is stored in UTF-8 behind the byte order mark.
  fs.writeFileSync(path.join(home, name + ".dat"), "\uFEFF" + documentText(entries));
  const all = { TotalQuestions: entries.length, Directory: site, PageStyle: 1, ...values };
  for (const [value, text] of Object.entries(all)) run("set", name, value, String(text));
  const written = run("generate", name).trim().split("\n");
  return { site, written };
}

const all = makeFaq("All", questions, { AnswersPage: 1, Title: "Quorella FAQ", StructuredData: 1 });
const one = makeFaq("One", questions, { AnswersPage: 0, Title: "Quorella FAQ" });
check(all.written.some((p) => p.endsWith("/faq.html")) && all.written.some((p) => p.endsWith("/quorella.js")),
  "generate prints the paths it writes");

const many = [];
for (let i = 0; i < 10000; i++)
  many.push([`How does question ${i} work?`, 0, [`Answer ${i}: see www.example.org/q${i} or mail help${i}@example.com.`]]);
const big = makeFaq("Big", many, { AnswersPage: 1 });
const bigList = makeFaq("BigList", many, { AnswersPage: 0 });

// Pages served on 127.0.0.1 with the strictest policy the pages claim to keep.
const csp = "default-src 'self'; script-src 'self'; style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'";
const server = http.createServer((req, res) => {
  const [prefix, ...rest] = decodeURIComponent(req.url.split(/[?#]/)[0]).split("/").filter(Boolean);
  const file = path.join(work, prefix ?? "", ...rest);
  if (!file.startsWith(work) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
    res.writeHead(404).end();
    return;
  }
  const type = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript", ".xml": "application/xml" }[path.extname(file)];
  res.writeHead(200, { "Content-Type": `${type}; charset=utf-8`, "Content-Security-Policy": csp });
  res.end(fs.readFileSync(file));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const base = `http://127.0.0.1:${server.address().port}`;
const url = (set, file = "faq.html") => `${base}/${path.basename(set.site)}/${file}`;

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"],
});

async function open(address, { width = 1280, dark = false, javascript = true } = {}) {
  const page = await browser.newPage();
  const errors = [];
  // The browser asks for the site's /favicon.ico by itself; the pages name no icon.
  const own = (address) => !address.endsWith("/favicon.ico");
  page.on("console", (m) => m.type() === "error" && own(m.location()?.url ?? "") && errors.push(m.text()));
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("requestfailed", (r) => own(r.url()) && errors.push("failed: " + r.url()));
  await page.setJavaScriptEnabled(javascript);
  await page.setViewport({ width, height: 900, isMobile: width < 600, hasTouch: width < 600 });
  await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: dark ? "dark" : "light" }]);
  await page.goto(address, { waitUntil: "load" });
  return { page, errors };
}

async function axe(page) {
  await page.evaluate(axeSource);
  const result = await page.evaluate(() => window.axe.run(document, { resultTypes: ["violations"] }));
  return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).slice(0, 3).join(", ")}`);
}

const expanded = (page, anchor) =>
  page.evaluate((a) => document.getElementById(a).querySelector(".qr-toggle")?.getAttribute("aria-expanded"), anchor);

// Every page set, light and dark, phone and desktop: no errors and no axe violations, with every
// answer open too (the open state has colours of its own).
for (const [name, set, file] of [["all-on-one", all, "faq.html"], ["one-per-page", one, "faq.html"],
  ["answer page", one, "ans-cafe-au-lait-or-creme-brulee.html"]]) {
  for (const dark of [false, true]) {
    for (const width of [390, 1280]) {
      const label = `${name} ${dark ? "dark" : "light"} ${width}px`;
      const { page, errors } = await open(url(set, file), { width, dark });
      await page.evaluate(() => document.getElementById("qr-expand")?.click());
      const violations = await axe(page);
      check(violations.length === 0, `${label}: axe-core finds nothing ${violations.join("; ")}`);
      const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
      check(overflow <= 0, `${label}: nothing wider than the window (${overflow}px over)`);
      check(errors.length === 0, `${label}: no console errors ${errors.join("; ")}`);
      await page.close();
    }
  }
}

// Search: case and accents folded, Cyrillic, the count, answers searched too.
{
  const { page, errors } = await open(url(all));
  const search = async (text) => {
    await page.$eval("#qr-search", (e) => { e.value = ""; });
    await page.type("#qr-search", text);
    return page.evaluate(() => ({
      shown: [...document.querySelectorAll(".qr-qa")].filter((s) => !s.hidden).map((s) => s.id),
      count: document.getElementById("qr-count").textContent,
    }));
  };
  let r = await search("CAFE");
  check(r.shown.join() === "cafe-au-lait-or-creme-brulee" && r.count === "1 of 7 questions match",
    `"CAFE" finds the café question: ${JSON.stringify(r)}`);
  r = await search("brûlée");
  check(r.shown.length === 1, `"brûlée" finds it too: ${JSON.stringify(r)}`);
  r = await search("ПРИВЕТ");
  check(r.shown.join() === "privet-kak-dela", `Cyrillic query in capitals: ${JSON.stringify(r)}`);
  r = await search("елка");
  check(r.shown.join() === "privet-kak-dela", `"елка" finds "Ёлка" in an answer: ${JSON.stringify(r)}`);
  r = await search("pages written");
  check(r.shown.join() === "where-are-my-pages-written,where-are-my-pages-written-2" && r.count === "2 of 7 questions match",
    `two words, equal questions numbered: ${JSON.stringify(r)}`);
  r = await search("nothing like this");
  const none = await page.$eval("#qr-none", (e) => !e.hidden);
  check(r.shown.length === 0 && none && r.count === "0 of 7 questions match", `no match says so: ${JSON.stringify(r)}`);
  await page.keyboard.press("Escape");
  r = await page.evaluate(() => [...document.querySelectorAll(".qr-qa")].filter((s) => !s.hidden).length);
  check(r === 7, "Escape clears the search");
  check(errors.length === 0, `search: no console errors ${errors.join("; ")}`);
  await page.close();
}

// Deep links: the anchor opens its answer; on the list of questions it leads to the answer's page.
{
  const { page } = await open(url(all) + "#privet-kak-dela");
  const state = await page.evaluate(() => {
    const s = document.getElementById("privet-kak-dela");
    const r = s.getBoundingClientRect();
    return { open: s.querySelector(".qr-toggle").getAttribute("aria-expanded"),
      shown: s.querySelector(".qr-a").offsetHeight > 0, top: r.top, others: document.querySelectorAll(".qr-toggle[aria-expanded=true]").length };
  });
  check(state.open === "true" && state.shown && state.top >= 0 && state.top < 900 && state.others === 1,
    `#privet-kak-dela opens and shows that answer alone: ${JSON.stringify(state)}`);
  await page.goto(url(all) + "#ri-ben-yuno-zhi-wenha", { waitUntil: "load" });
  check(await expanded(page, "ri-ben-yuno-zhi-wenha") === "true", "a hash change opens the Japanese question's answer");
  await page.close();
  const list = await open(url(one) + "#cafe-au-lait-or-creme-brulee");
  await list.page.waitForFunction(() => location.pathname.endsWith("ans-cafe-au-lait-or-creme-brulee.html"), { timeout: 5000 })
    .then(() => check(true, "one per page: the anchor leads to the answer's page"),
      () => check(false, "one per page: the anchor leads to the answer's page"));
  const nav = await list.page.$$eval(".qr-nav a", (links) => links.map((a) => `${a.textContent}>${a.getAttribute("href")}`));
  check(nav.join() === "Previous>ans-what-does-quorella-do.html,Questions>faq.html,Next>ans-privet-kak-dela.html",
    `answer page navigation: ${nav.join()}`);
  await list.page.close();
  const search = await open(url(one));
  await search.page.type("#qr-search", "croissant");
  const shown = await search.page.evaluate(() => [...document.querySelectorAll(".qr-item")].filter((s) => !s.hidden).map((s) => s.id));
  check(shown.join() === "cafe-au-lait-or-creme-brulee", `one per page: the search reads the answers: ${shown}`);
  await search.page.close();
}

// Keyboard only: Tab to the first question, Enter opens, Space closes, arrows move, "/" searches.
{
  const { page } = await open(url(all));
  let tabs = 0;
  while (tabs++ < 12 && !(await page.evaluate(() => document.activeElement.classList.contains("qr-toggle"))))
    await page.keyboard.press("Tab");
  const first = await page.evaluate(() => document.activeElement.closest(".qr-qa")?.id);
  check(first === "what-does-quorella-do", `Tab reaches the first question (${first})`);
  await page.keyboard.press("Enter");
  check(await expanded(page, first) === "true", "Enter opens it");
  const visible = await page.evaluate((a) => document.getElementById(a).querySelector(".qr-a").offsetHeight > 0, first);
  check(visible, "its answer shows");
  await page.keyboard.press("Space");
  check(await expanded(page, first) === "false", "Space closes it");
  await page.keyboard.press("ArrowDown");
  const second = await page.evaluate(() => document.activeElement.closest(".qr-qa")?.id);
  check(second === "cafe-au-lait-or-creme-brulee", `ArrowDown moves to the next question (${second})`);
  const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
  check(outline !== "none", `the focused question shows its focus (${outline})`);
  await page.keyboard.press("End");
  check(await page.evaluate(() => document.activeElement.closest(".qr-qa")?.id) === "can-i-write-html", "End goes to the last");
  await page.keyboard.press("/");
  check(await page.evaluate(() => document.activeElement.id) === "qr-search", '"/" focuses the search box');
  await page.keyboard.press("Tab");
  await page.keyboard.press("Enter");  // Expand all
  check(await page.evaluate(() => document.querySelectorAll(".qr-toggle[aria-expanded=true]").length) === 7, "Expand all by keyboard");
  await page.close();
}

// Without JavaScript every answer is readable and nothing that needs it shows.
for (const [name, set] of [["all-on-one", all], ["one-per-page", one]]) {
  const { page } = await open(url(set), { javascript: false });
  const state = await page.evaluate(() => ({
    answers: [...document.querySelectorAll(".qr-a")].filter((a) => a.offsetHeight > 0).length,
    items: document.querySelectorAll(".qr-qa,.qr-item").length,
    tools: document.getElementById("qr-tools").offsetHeight,
  }));
  const expected = name === "all-on-one" ? 7 : 0;
  check(state.answers === expected && state.items === 7 && state.tools === 0,
    `${name} without JavaScript: every answer readable, no tools (${JSON.stringify(state)})`);
  await page.close();
}

// From file://, offline: the same page works.
{
  const { page, errors } = await open("file://" + path.join(all.site, "faq.html") + "#cafe-au-lait-or-creme-brulee");
  check(await expanded(page, "cafe-au-lait-or-creme-brulee") === "true" && errors.length === 0,
    `from file:// the page opens its anchor without errors ${errors.join("; ")}`);
  await page.close();
}

// Printing shows every answer open.
{
  const { page } = await open(url(all));
  await page.emulateMediaType("print");
  const shown = await page.evaluate(() => [...document.querySelectorAll(".qr-a")].filter((a) => a.offsetHeight > 0).length);
  check(shown === 7, `print shows every answer (${shown} of 7)`);
  await page.close();
}

// The figures: search time per keystroke over 10,000 questions, typing "question 9999 work" and
// "QUESTION 42" and deleting each letter by letter, on both layouts. Each keystroke is timed to the
// style and layout it causes, and again with the frame that paints it.
for (const [name, set] of [["all on one page", big], ["one per page", bigList]]) {
  const { page, errors } = await open(url(set));
  const { prepare, times, painted, guessed, real } = await page.evaluate(async () => {
    const search = document.getElementById("qr-search");
    const times = [], painted = [];
    const begin = performance.now();
    search.focus();  // folds the text of every question and answer once
    const prepare = performance.now() - begin;
    const frame = () => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
    const steps = [];
    for (const text of ["question 9999 work", "QUESTION 42"]) {
      for (let i = 1; i <= text.length; i++) steps.push(text.slice(0, i));
      for (let i = text.length - 1; i >= 0; i--) steps.push(text.slice(0, i));
    }
    await frame();
    for (const text of steps) {
      const start = performance.now();
      search.value = text;
      search.dispatchEvent(new Event("input"));
      void document.body.offsetHeight;  // the style and layout the change causes
      const laid = performance.now();
      let frameStart = 0;
      await new Promise((r) => requestAnimationFrame(() => { frameStart = performance.now(); setTimeout(r, 0); }));
      times.push(laid - start);
      painted.push(laid - start + performance.now() - frameStart);
      await frame();
    }
    search.value = "QUESTION 42";
    search.dispatchEvent(new Event("input"));
    for (let i = 0; i < 3; i++) await frame();  // the blocks that leave the window settle
    // The height the page claims while most of it is not laid out, against the laid-out one.
    const guessed = document.documentElement.scrollHeight;
    const blocks = [...document.querySelectorAll(".qr-block")];
    blocks.forEach((b) => { b.style.contentVisibility = "visible"; });
    const real = document.documentElement.scrollHeight;
    blocks.forEach((b) => { b.style.contentVisibility = ""; });
    return { prepare, times, painted, guessed, real };
  });
  const count = await page.$eval("#qr-count", (e) => e.textContent);
  const expected = many.filter((_, i) => String(i).includes("42")).length;
  check(count === `${expected} of 10000 questions match` && errors.length === 0, `10,000 questions, ${name}: "QUESTION 42" counts ${count}`);
  // Blocks sized by their former contents would be many times too high.
  check(guessed < real * 2 && real < guessed * 2, `10,000 questions, ${name}: the page is as high as its matches (${guessed} px, laid out ${real} px)`);
  const figure = (list) => {
    const sorted = [...list].sort((a, b) => a - b);
    return `median ${sorted[sorted.length >> 1].toFixed(1)} ms, worst ${sorted[sorted.length - 1].toFixed(1)} ms, ${list.filter((t) => t > 50).length} above 50 ms`;
  };
  console.log(`FIGURE search per keystroke over 10,000 questions, ${name} (${times.length} keystrokes): ${figure(times)}; with the painted frame: ${figure(painted)}; the search text prepared once when the box takes focus: ${prepare.toFixed(0)} ms; each: ${painted.map((t) => t.toFixed(0)).join(" ")}`);
  await page.close();
}

await browser.close();
server.close();
if (failures.length) {
  console.log(`${failures.length} check(s) failed`);
  process.exit(1);
}
console.log("all checks passed");
