// Serves a generated page set on 127.0.0.1 and runs Lighthouse on its start page with Debian's
// chromium. Usage: node run.mjs SITE_DIR START_PAGE FORM_FACTOR
// Prints one line: the four category scores (0-100) as JSON.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import lighthouse from "lighthouse";
import * as chromeLauncher from "chrome-launcher";

const [site, startPage, formFactor = "mobile"] = process.argv.slice(2);
const types = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript", ".xml": "application/xml" };
const server = http.createServer((req, res) => {
  const name = decodeURIComponent(req.url.split(/[?#]/)[0]).replace(/^\/+/, "");
  const file = path.join(site, name);
  if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
    res.writeHead(404).end();
    return;
  }
  res.writeHead(200, { "Content-Type": `${types[path.extname(file)] ?? "application/octet-stream"}; charset=utf-8` });
  res.end(fs.readFileSync(file));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const chrome = await chromeLauncher.launch({
  chromePath: process.env.CHROME_PATH || "/usr/bin/chromium",
  chromeFlags: ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"],
});
const config = formFactor === "desktop" ? (await import("lighthouse/core/config/desktop-config.js")).default : undefined;
const result = await lighthouse(`http://127.0.0.1:${server.address().port}/${startPage}`,
  { port: chrome.port, output: "json", logLevel: "error" }, config);
const scores = Object.fromEntries(Object.entries(result.lhr.categories).map(([k, v]) => [k, Math.round(v.score * 100)]));
const failed = [];
for (const [key, category] of Object.entries(result.lhr.categories))
  for (const ref of category.auditRefs) {
    const audit = result.lhr.audits[ref.id];
    if (ref.weight > 0 && audit.score !== null && audit.score < 1) {
      failed.push(`${key}/${ref.id}`);
      if (process.env.LIGHTHOUSE_DETAILS)
        console.error(ref.id, audit.displayValue ?? "", JSON.stringify(audit.details?.items ?? []).slice(0, 600));
    }
  }
console.log(JSON.stringify({ version: result.lhr.lighthouseVersion, scores, failed }));
await chrome.kill();
server.close();
