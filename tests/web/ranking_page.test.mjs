// The ranking page of moravin-server (the native build's), in headless Chromium: its three
// tables filled from the server, and every "watch" link opening the web build with ?replay= and
// the run's replay. The server's SQLite file is filled beforehand by server_load.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawn, execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { launch, watchErrors } from "./support.mjs";

const build = new URL("../../build/", import.meta.url).pathname;
const server = join(build, "src/server/moravin-server");
const load = join(build, "tests/server/server_load");

// Starts the server on a free port of 127.0.0.1; resolves to { url, stop }.
function startServer(config) {
  const child = spawn(server, ["--config", config], { stdio: ["ignore", "pipe", "inherit"] });
  return new Promise((resolve, reject) => {
    child.stdout.on("data", (data) => {
      const port = /listening on http:\/\/127\.0\.0\.1:(\d+)/.exec(String(data));
      if (port) resolve({ url: `http://127.0.0.1:${port[1]}/`, stop: () => child.kill("SIGTERM") });
    });
    child.on("exit", (code) => reject(new Error(`moravin-server exited with ${code}`)));
  });
}

test("the ranking page shows the tables with watch links", async () => {
  const dir = mkdtempSync(join(tmpdir(), "moravin-ranking-page-"));
  const database = join(dir, "ranking.db");
  execFileSync(load, [server, "fill", database, "40"]);
  writeFileSync(join(dir, "server.conf"), `listen = 127.0.0.1:0\ndatabase = ${database}\n` +
                "web_build_url = https://moravin.example/play/\n");
  const { url, stop } = await startServer(join(dir, "server.conf"));
  const browser = await launch();
  const errors = [];
  try {
    for (const language of ["ja-JP", "en-US"]) {
      const page = await browser.newPage({ locale: language, viewport: { width: 800, height: 900 } });
      watchErrors(page, errors);
      await page.goto(url);
      await page.waitForSelector("#rows tr");
      const rows = await page.$$eval("#rows tr", (trs) => trs.map((tr) => tr.innerText));
      assert.ok(rows.length > 10, `${rows.length} rows`);
      const places = await page.$$eval("#rows td.place", (tds) => tds.map((td) => Number(td.textContent)));
      assert.deepEqual(places, [...places].sort((a, b) => a - b));
      const link = await page.$eval("#rows a.watch", (a) => a.href);
      const replay = new URL(link).searchParams.get("replay");
      assert.ok(link.startsWith("https://moravin.example/play/?replay="), link);
      assert.match(replay, /^http:\/\/127\.0\.0\.1:\d+\/api\/v1\/runs\/\d+\/replay$/);
      assert.equal((await fetch(replay)).status, 200);
      await page.screenshot({ path: join(process.env.MORAVIN_SHOTS || dir, `ranking_${language}.png`) });
      await page.click("nav button[data-period=day]");
      await page.waitForFunction(() => document.querySelector("nav button[aria-pressed=true]").dataset.period === "day");
      await page.close();
    }
    assert.deepEqual(errors, []);
  } finally {
    await browser.close();
    stop();
    rmSync(dir, { recursive: true, force: true });
  }
});
