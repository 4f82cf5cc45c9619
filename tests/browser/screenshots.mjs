// Screenshots of the Modern pages for the README, taken in Debian's chromium: the sample FAQ on a
// desktop, on a phone, and in dark mode. Usage: node screenshots.mjs QUORELLA_CLI SAMPLE OUT_DIR
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const [cli, sample, out] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), "quorella-shots-"));
const env = { ...process.env, QUORELLA_HOME: path.join(work, "home") + "/", XDG_CONFIG_HOME: path.join(work, "config") };
fs.mkdirSync(env.QUORELLA_HOME);
const run = (...args) => execFileSync(cli, args, { env, encoding: "utf8" });
run("import", sample, "Sample");
for (const [value, text] of [["Title", "Quorella FAQ"], ["PageStyle", "1"], ["Directory", path.join(work, "site")]])
  run("set", "Sample", value, text);
run("generate", "Sample");
const start = "file://" + path.join(work, "site", "faq.html");

const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--hide-scrollbars"] });
async function shot(name, { width, height, dark = false, hash = "", type = "" }) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, deviceScaleFactor: 1, isMobile: width < 600 });
  await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: dark ? "dark" : "light" }]);
  await page.goto(start + hash, { waitUntil: "load" });
  if (type) await page.type("#qr-search", type);
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.screenshot({ path: path.join(out, name) });
  await page.close();
}
fs.mkdirSync(out, { recursive: true });
await shot("modern-desktop.png", { width: 1280, height: 860, hash: "#what-does-quorella-do" });
await shot("modern-phone.png", { width: 390, height: 844, type: "link" });
await shot("modern-dark.png", { width: 1280, height: 860, dark: true, hash: "#what-is-the-difference-between-the-text-formats" });
await browser.close();
fs.rmSync(work, { recursive: true, force: true });
