// The page as an app, in Debian's headless Chromium: Chromium finds its manifest valid and the
// page installable; after one visit it opens and plays with the server gone; a new version
// replaces the old one whole, once the player restarts into it, and keeps the save; the time
// to the first frame on a slow phone's network is printed.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { existsSync, mkdtempSync, rmSync } from "node:fs";
import { loadavg, tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { makeSite } from "../../web/make-site.mjs";
import { launch, launchWithProfile, pageFile, runNative, serve, watchErrors } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const nativeExe = process.env.MORAVIN_NATIVE || join(root, "build", "moravin");
const wait = 600000;

let browser;
before(async () => {
  assert.ok(existsSync(join(webDir, "sw.js")), `no web build in ${webDir}: run scripts/build-web.sh`);
  browser = await launch();
});
after(async () => {
  await browser?.close();
});

// A fresh profile (no service worker, no cache, no save) with its own server on `dir`.
async function withFreshApp(dir, body) {
  const server = await serve(dir);
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
  try {
    const page = await context.newPage();
    page.setDefaultTimeout(wait);
    const errors = [];
    watchErrors(page, errors);
    await body({ page, context, server, errors });
  } finally {
    await context.close();
    await server.close();
  }
}

// Opens the page and waits until its service worker is in charge of it, with every file kept.
async function openAndKeep(page, url, options = {}) {
  await page.goto(url + "moravin.html?" + new URLSearchParams(options));
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { polling: 100 });
}

function traceLines(bytes) {
  return bytes.toString("utf8").trim().split("\n").map((line) => JSON.parse(line));
}

test("Chromium finds the manifest valid and the page installable", async () => {
  const profile = mkdtempSync(join(tmpdir(), "moravin-profile-"));
  const server = await serve(webDir);
  const context = await launchWithProfile(profile);
  try {
    const page = context.pages()[0] || await context.newPage();
    const errors = [];
    watchErrors(page, errors);
    await openAndKeep(page, server.url);
    const cdp = await context.newCDPSession(page);
    const manifest = await cdp.send("Page.getAppManifest");
    assert.deepEqual(manifest.errors, []);
    const parsed = JSON.parse(manifest.data);
    assert.equal(parsed.display, "fullscreen");
    assert.deepEqual(parsed.icons.map((icon) => icon.purpose), ["any", "any", "maskable"]);
    for (const icon of parsed.icons) {
      const response = await page.request.get(new URL(icon.src, manifest.url).href);
      assert.equal(response.status(), 200, icon.src);
    }
    const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
    assert.deepEqual(installabilityErrors, []);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
    await server.close();
    rmSync(profile, { recursive: true, force: true });
  }
});

// Into play from the title, with line shifts, then accelerated.
const playScript = "5 Return\n8 Return\n12 Return\n40 Up\n60 Down\n80-200 Z\n";
const playFrames = 220;

test("after one visit the page opens and plays with the server gone", async () => {
  await withFreshApp(webDir, async ({ page, server, errors }) => {
    await openAndKeep(page, server.url);
    const url = server.url;
    await server.close();
    // A reload with the server gone: every file, the page itself included, comes from the cache.
    const options = { headless: 1, lang: "ja", seed: 7, fps: 0, frames: playFrames, trace: 1, input: playScript };
    await page.goto(url + "moravin.html?" + new URLSearchParams(options));
    await page.click("#start");
    await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200 });
    assert.equal(await page.evaluate(() => Module.moravinExitCode), 0);
    const webTrace = await pageFile(page, "/run/trace.jsonl");
    const native = runNative(nativeExe, ["--lang", "ja", "--seed", "7", "--fps", "0", "--frames", String(playFrames),
                                         "--input", "input.txt", "--trace", "trace.jsonl"],
                             { "input.txt": playScript }, ["trace.jsonl"]);
    assert.equal(traceLines(webTrace).at(-1).scene, "Play");
    assert.ok(webTrace.equals(native["trace.jsonl"]), "the traces differ");
    assert.deepEqual(errors, []);
  });
});

// The module carries the logo alone: the other scenes' pictures and the music come after it.
// With both held back, the title's start waits behind the loading bar, no frame running; with
// the pictures in and the music not, the game plays on. The game is the same all along.
test("a scene waits behind the loading bar for its pictures, music may come later, and the game is the same", async () => {
  await withFreshApp(webDir, async ({ page, server, errors }) => {
    const releasePictures = server.hold(/moravin-scenes\./);
    const releaseMusic = server.hold(/moravin-music\./);
    const options = { headless: 1, lang: "ja", seed: 7, fps: 0, frames: playFrames, trace: 1, input: playScript };
    await page.goto(server.url + "moravin.html?" + new URLSearchParams(options));
    await page.click("#start");
    const framesRun = () => page.evaluate(() => (Module.moravinFrameTimes || []).length);
    await page.waitForFunction(() => Module.moravinFrameTimes && !document.getElementById("loading").hidden, null, { polling: 50 });
    const waitedAt = await framesRun();
    await page.waitForTimeout(400);
    assert.equal(await framesRun(), waitedAt, "frames ran while the title's pictures were missing");
    assert.match(await page.textContent("#status"), /Loading… 0\.0 \/ \d+\.\d MB/);
    assert.ok(await page.isHidden("#start"), "the start button is back");
    if (process.env.MORAVIN_SHOTS) await page.screenshot({ path: join(process.env.MORAVIN_SHOTS, "waiting-for-pictures.png") });
    releasePictures();
    await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200 });
    assert.ok(await page.evaluate(() => document.getElementById("loading").hidden));
    releaseMusic();
    const webTrace = await pageFile(page, "/run/trace.jsonl");
    const native = runNative(nativeExe, ["--lang", "ja", "--seed", "7", "--fps", "0", "--frames", String(playFrames),
                                         "--input", "input.txt", "--trace", "trace.jsonl"],
                             { "input.txt": playScript }, ["trace.jsonl"]);
    assert.ok(traceLines(webTrace).some((line) => line.sounds.includes(208)), "the game's music never played");
    assert.ok(webTrace.equals(native["trace.jsonl"]), "the traces differ");
    assert.deepEqual(errors, []);
  });
});

test("a new version replaces the old one whole at the player's restart after the game, and the save stays", async () => {
  const second = mkdtempSync(join(tmpdir(), "moravin-site-"));
  try {
    const newer = makeSite({ from: join(webDir, "wasm"), icons: join(webDir, "icons"), version: "9.9.9", out: second });
    await withFreshApp(webDir, async ({ page, server, errors }) => {
      // The first version, and a save with the music at 80 % (the options stored at frame 74).
      const options = "5 Return\n8 Return\n12 Down\n14 Return\n16 Return\n20 Down\n22 Down\n24 Up\n26 Escape\n" +
                      "29 Down\n31 Return\n34 Escape\n37 Escape\n39 Down\n41 Down\n43 Down\n45 Return\n50 Escape\n" +
                      "53 Down\n55 Down\n57 Return\n60 Left\n62 Left\n64 Down\n66 Left\n68 Down\n72 Down\n74 Return\n";
      await openAndKeep(page, server.url, { headless: 1, seed: 7, fps: 0, frames: 90, input: options });
      const older = await page.evaluate(() => Module.moravinVersions);
      assert.equal(older.code, older.page);
      await page.click("#start");
      await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200 });

      // The host now serves the new version. The next visit still runs the old one whole, while
      // the new one is fetched, and says that a new version is ready. The player is in a game by
      // then, paused: the restart waits for its end.
      server.serveFrom(second);
      server.requests.length = 0;
      await page.goto(server.url + "moravin.html?" + new URLSearchParams({ seed: 7, frames: 100000 }));
      await page.click("#start");
      while (!await page.evaluate(() => Module.moravinInGame)) {
        await page.keyboard.press("Enter");  // through the logo, then the title's start item
        await page.waitForTimeout(200);
      }
      await page.keyboard.press("Escape");
      await page.waitForSelector("#update:not([hidden])");
      assert.deepEqual(await page.evaluate(() => Module.moravinVersions), older);
      const fetched = [...server.requests];
      assert.ok(fetched.includes("/" + newer.wasmName) && fetched.includes("/" + newer.scriptName), fetched.join(" "));
      await page.click("#update-restart");
      await page.waitForTimeout(500);
      assert.match(await page.textContent("#update-text"), /Restarting after this game/);
      assert.deepEqual(await page.evaluate(() => [Module.moravinVersions, Module.moravinInGame]), [older, true]);

      // Back in the game (Esc leaves the pause menu), Z held: the heroine is soon pushed out, and
      // at the game's end the restart brings the new version in, every file of it.
      await page.keyboard.press("Escape");
      await page.waitForTimeout(500);
      await page.keyboard.down("z");
      await page.waitForNavigation({ timeout: 60000 });
      await page.keyboard.up("z");
      await page.goto(server.url + "moravin.html?" + new URLSearchParams({ headless: 1, seed: 7, frames: 2, trace: 1 }));
      await page.waitForFunction(() => Module.moravinVersions !== undefined, null, { polling: 100 });
      const now = await page.evaluate(() => Module.moravinVersions);
      assert.deepEqual(now, { page: newer.version, code: newer.version, module: newer.version });
      assert.deepEqual(await page.evaluate(() => caches.keys()), ["moravin-" + newer.version]);
      await page.click("#start");
      await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200 });
      const first = traceLines(await pageFile(page, "/run/trace.jsonl"))[0];
      assert.equal(first.bgmVolume, -2000);
      assert.deepEqual(errors, []);
    });
  } finally {
    rmSync(second, { recursive: true, force: true });
  }
});

// A phone on a mobile network: 9 Mbit/s down, 1.5 Mbit/s up, 170 ms there and back, a CPU four
// times slower. The player taps the start button as soon as it shows; the time from navigation
// to the game's first frame is printed (the machines are too noisy to judge it closely) and only
// a page ten times slower than intended fails. MORAVIN_BASELINE_WEB_DIR names another build (an
// older one) to measure in the same run, for a figure before and after.
async function firstFrameOnAPhone(dir) {
  let figures;
  await withFreshApp(dir, async ({ page, context, server, errors }) => {
    const cdp = await context.newCDPSession(page);
    await cdp.send("Network.enable");
    await cdp.send("Network.emulateNetworkConditions",
                   { offline: false, latency: 170, downloadThroughput: 9e6 / 8, uploadThroughput: 1.5e6 / 8 });
    await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
    await page.goto(server.url + "moravin.html");
    // Tapped at once: no wait for the button to stand still, which on a slow page takes long.
    await page.waitForFunction(() => !document.getElementById("start").hidden, null, { polling: 20 });
    await page.click("#start", { force: true });
    await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 1, null, { polling: 20 });
    figures = await page.evaluate(() => {
      const at = Module.moravinFrameTimes[0];  // since navigation began
      const entries = [...performance.getEntriesByType("navigation"), ...performance.getEntriesByType("resource")];
      return { firstFrame: at, bytes: entries.filter((e) => e.responseEnd <= at).reduce((sum, e) => sum + e.transferSize, 0) };
    });
    assert.deepEqual(errors, []);
  });
  return figures;
}

test("the first frame comes soon on a phone's network", async () => {
  const builds = [["this build", webDir]];
  if (process.env.MORAVIN_BASELINE_WEB_DIR) builds.unshift(["baseline", process.env.MORAVIN_BASELINE_WEB_DIR]);
  for (const [name, dir] of builds) {
    const { firstFrame, bytes } = await firstFrameOnAPhone(dir);
    console.log(`web: ${name}: first frame ${(firstFrame / 1000).toFixed(1)} s after navigation, ` +
                `${(bytes / 1e6).toFixed(2)} MB downloaded before it (load average ${loadavg()[0].toFixed(2)})`);
    assert.ok(firstFrame < 40000, `first frame after ${firstFrame} ms`);
  }
});
