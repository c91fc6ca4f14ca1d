// Pacing and CPU figures of the browser build (a benchmark, not a test): run by hand,
//   node pacing.mjs [cpu|pacing|all]
// cpu: CPU seconds of every Chromium process (renderer, GPU process, browser) over 1,000 play
// frames at 50 a second, the wall time and the updates a second, for the page as a player opens
// it (the renderer the page picks, then each renderer forced) and with `headless=1`, against the
// native build over the same frames and a page that only puts new pixels on a canvas of the same
// size (what Chromium costs by itself), measured in the same run.
// pacing: intervals between game updates while a game plays, with the page's animation frames
// coming at 60, 120 and 144 Hz (a timer stands in for the display; "browser" keeps headless
// Chromium's own animation frames); p50, p99 and the mean, in milliseconds.
// Both print the machine's load average, which the figures depend on.
import { spawnSync } from "node:child_process";
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { loadavg, tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launch, playRate, serve } from "./support.mjs";

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
  return { hz, p50: quantile(intervals, 0.5), p99: quantile(intervals, 0.99), mean, rate: 1000 / mean };
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

// One scripted game in the page, its play frames measured; `options` are more URL options.
async function pageCpu(browser, url, options) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const renderer = new Promise((resolve) => page.on("console", (message) => {
    if (message.text().includes("software renderer")) resolve("software (the page's choice)");
  }));
  await page.goto(url + "moravin.html?" + new URLSearchParams({ seed: 7, frames: playFrames, input: playScript, ...options }));
  await page.click("#start");
  await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 14, null, { polling: 20 });
  const before = chromiumCpuSeconds();
  await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { timeout: 600000, polling: 100 });
  const cpu = chromiumCpuSeconds() - before;
  const rate = playRate(await page.evaluate(() => Module.moravinFrameTimes), 14);
  const chosen = await Promise.race([renderer, new Promise((resolve) => setTimeout(resolve, 0, null))]);
  await context.close();
  return { cpu, wall: rate.seconds, rate: rate.perSecond, renderer: options.renderer || chosen || "WebGL (the page's choice)" };
}

// What Chromium costs by itself for such a page: a canvas of the picture's size given 800 x 600
// new pixels 50 times a second, on the page's animation frames, and nothing else.
async function canvasOnlyCpu(browser) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.setContent('<canvas width="800" height="600" style="width: 100%"></canvas>');
  const before = chromiumCpuSeconds();
  const seconds = await page.evaluate((updates) => new Promise((resolve) => {
    const canvas = document.querySelector("canvas").getContext("2d");
    const picture = canvas.createImageData(800, 600), pixels = new Uint32Array(picture.data.buffer);
    let done = 0, due = performance.now();
    const start = due;
    const frame = (now) => {
      if (now >= due) {
        pixels.fill(0xff000000 | Math.imul(done, 2654435761) >>> 8);
        canvas.putImageData(picture, 0, 0);
        due += 20;
        if (++done === updates) return resolve((now - start) / 1000);
      }
      requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  }), playFrames - 14);
  const cpu = chromiumCpuSeconds() - before;
  await context.close();
  return { cpu, wall: seconds, rate: (playFrames - 14) / seconds, renderer: "none: 2D canvas only" };
}

// The native build, headless too: SDL's offscreen driver and software renderer. A folder of its
// own for the input script (the game reads only regular files) and the save (never the user's).
function nativeCpu() {
  const dir = mkdtempSync(join(tmpdir(), "moravin-cpu-"));
  writeFileSync(join(dir, "input.txt"), playScript);
  const run = spawnSync("/usr/bin/time", ["-f", "%U %S %e", nativeExe, "--headless", "--save-dir", join(dir, "save"),
    "--seed", "7", "--frames", String(playFrames), "--input", join(dir, "input.txt")], { encoding: "utf8" });
  rmSync(dir, { recursive: true, force: true });
  if (run.status !== 0) throw new Error(`the native run failed (${run.status}): ${run.stderr}`);
  const [user, system, wall] = run.stderr.trim().split("\n").at(-1).split(" ").map(Number);
  // The whole run, logo and title included, at 50 frames a second.
  return { cpu: user + system, wall, rate: playFrames / wall, renderer: "software (SDL, offscreen)" };
}

const load = () => loadavg().map((value) => value.toFixed(2)).join(" ");
const row = (cells) => "| " + cells.join(" | ") + " |";

async function cpuTable(browser, url) {
  const runs = [
    ["the page as a player opens it", {}],
    ["the page, WebGL forced", { renderer: "opengles2" }],
    ["the page, software renderer forced", { renderer: "software" }],
    ["the page with headless=1", { headless: 1 }],
  ];
  const results = [];
  for (const [name, options] of runs) results.push([name, await pageCpu(browser, url, options)]);
  results.push(["Chromium alone, a canvas of new pixels 50 times a second", await canvasOnlyCpu(browser)]);
  const native = nativeCpu();
  results.push(["native game", native]);
  console.log(`\n${playFrames - 14} play frames at 50 a second; load average before the native run: ${load()}`);
  console.log(row(["run", "renderer", "CPU s", "wall s", "updates/s", "CPU / native"]));
  console.log(row(["---", "---", "---:", "---:", "---:", "---:"]));
  for (const [name, r] of results) {
    console.log(row([name, r.renderer, r.cpu.toFixed(2), r.wall.toFixed(1), r.rate.toFixed(1), (r.cpu / native.cpu).toFixed(1)]));
  }
}

async function pacingTable(browser, url) {
  console.log(`\nupdates while a game plays, the page as a player opens it; load average ${load()}`);
  console.log(row(["display", "p50 ms", "p99 ms", "mean ms", "updates/s"]));
  console.log(row(["---", "---:", "---:", "---:", "---:"]));
  for (const hz of ["browser", 60, 120, 144]) {
    const r = await pacing(browser, url, hz);
    console.log(row([hz === "browser" ? "Chromium's own" : `${hz} Hz`, r.p50.toFixed(1), r.p99.toFixed(1), r.mean.toFixed(2), r.rate.toFixed(1)]));
  }
}

const mode = process.argv[2] || "all";
const server = await serve(webDir);
const browser = await launch();
try {
  console.log(`load average at the start: ${load()}`);
  if (mode !== "pacing") await cpuTable(browser, server.url);
  if (mode !== "cpu") await pacingTable(browser, server.url);
} finally {
  await browser.close();
  await server.close();
}
