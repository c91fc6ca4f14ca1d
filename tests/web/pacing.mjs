// Pacing and CPU figures of the browser build (a benchmark, not a test): run by hand,
//   node pacing.mjs [pacing|cpu]
// pacing: intervals between game updates while a game plays, with the page's animation frames
// coming at 60, 120 and 144 Hz (a timer stands in for the display; "browser" keeps headless
// Chromium's own animation frames); p50, p99 and the mean, in milliseconds.
// cpu: CPU seconds of every Chromium process (renderer, GPU with its software WebGL, browser)
// over 1,000 play frames at 50 a second, against the native build over the same frames.
import { spawnSync } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launch, serve } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const nativeExe = process.env.MORAVIN_NATIVE || join(root, "build", "moravin");
// Skip the logo, start a game, accelerate: 1,000 frames of play from frame 14.
const playScript = "5 Return\n8 Return\n12 Return\n20-1100 Z\n";
const playFrames = 1014;

function quantile(sorted, q) {
  return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
}

async function pacing(browser, url, hz) {
  const context = await browser.newContext();
  const page = await context.newPage();
  if (hz !== "browser") {
    await page.addInitScript((rate) => {
      const period = 1000 / rate, start = performance.now();
      window.requestAnimationFrame = (callback) => {
        const now = performance.now();
        const next = start + Math.ceil((now - start) / period + 1e-9) * period;
        return setTimeout(() => callback(next), next - now);
      };
    }, hz);
  }
  await page.goto(url + "moravin.html?" + new URLSearchParams({ seed: 7, frames: 700, input: playScript }));
  await page.click("#start");
  await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { timeout: 600000, polling: 500 });
  const times = await page.evaluate(() => Module.moravinFrameTimes);
  await context.close();
  const intervals = times.slice(101).map((t, i) => t - times[100 + i]).sort((a, b) => a - b);
  const mean = intervals.reduce((a, b) => a + b, 0) / intervals.length;
  return { hz, updates: intervals.length, p50: quantile(intervals, 0.5), p99: quantile(intervals, 0.99),
           mean, updatesPerSecond: 1000 / mean };
}

// CPU seconds (user and system) of this script's own Chromium: every process descended from
// this one, so that other browsers on the machine are never counted.
function chromiumCpuSeconds() {
  const stats = [];
  for (const pid of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
      stats.push({ pid: Number(pid), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch { /* gone */ }
  }
  const ours = new Set([process.pid]);
  for (let grown = true; grown;) {
    grown = false;
    for (const stat of stats) {
      if (!ours.has(stat.pid) && ours.has(stat.parent)) {
        ours.add(stat.pid);
        grown = true;
      }
    }
  }
  const ticks = stats.filter((stat) => stat.pid !== process.pid && ours.has(stat.pid))
    .reduce((sum, stat) => sum + stat.ticks, 0);
  return ticks / 100;
}

async function cpu(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(url + "moravin.html?" + new URLSearchParams({ headless: 1, seed: 7, frames: playFrames, input: playScript }));
  await page.click("#start");
  await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 14, null, { polling: 20 });
  const before = chromiumCpuSeconds(), startedAt = Date.now();
  await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { timeout: 600000, polling: 100 });
  const web = { cpu: chromiumCpuSeconds() - before, wall: (Date.now() - startedAt) / 1000 };
  await context.close();
  // The native build, headless too: SDL's offscreen driver and software renderer.
  // A folder of its own for the input script (the game reads only regular files) and the save
  // (never the user's).
  const dir = mkdtempSync(join(tmpdir(), "moravin-cpu-"));
  writeFileSync(join(dir, "input.txt"), playScript);
  const run = spawnSync("/usr/bin/time", ["-f", "%U %S %e", nativeExe, "--headless", "--save-dir", join(dir, "save"),
    "--seed", "7", "--frames", String(playFrames), "--input", join(dir, "input.txt")], { encoding: "utf8" });
  rmSync(dir, { recursive: true, force: true });
  if (run.status !== 0) throw new Error(`the native run failed (${run.status}): ${run.stderr}`);
  const [user, system, wall] = run.stderr.trim().split("\n").at(-1).split(" ").map(Number);
  return { frames: playFrames - 14, web, native: { cpu: user + system, wall } };
}

const mode = process.argv[2] || "pacing";
const server = await serve(webDir);
const browser = await launch();
try {
  if (mode === "pacing") {
    for (const hz of ["browser", 60, 120, 144]) console.log(JSON.stringify(await pacing(browser, server.url, hz)));
  } else {
    console.log(JSON.stringify(await cpu(browser, server.url)));
  }
} finally {
  await browser.close();
  await server.close();
}
