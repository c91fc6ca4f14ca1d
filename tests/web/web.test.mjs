// The browser build in Debian's headless Chromium, served on 127.0.0.1: a scripted game gives
// the native build's trace and (nearly) its pictures in both renderers, the page keeps up with
// the game's rate, the save survives a reload (also one in the middle of a game) and a damaged
// one is replaced, a page in the background pauses the game without a burst afterwards, the
// browser's own exit from full screen turns the setting off, and no page logs an error.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { existsSync, readFileSync } from "node:fs";
import { availableParallelism, loadavg } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { comparePictures, decodePng, launch, pageFile, playRate, playToTheEnd, runNative, serve,
         withFreshPage as withFreshPageOf } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const nativeExe = process.env.MORAVIN_NATIVE || join(root, "build", "moravin");

// The start of the end-to-end walk (tests/walk.txt): logo, how to play, information, options
// stored with the music at 80 % and effects at 90 % and full screen, options again left with
// cancel, a game with line shifts, the pause menu and back, then accelerated play.
const script = readFileSync(join(root, "tests", "walk.txt"), "utf8");
const frames = 560;
const shots = [30, 555];
// Software WebGL on a busy machine can be slow: every wait is generous.
const wait = 600000;

let server, browser;
before(async () => {
  assert.ok(existsSync(join(webDir, "moravin.html")), `no web build in ${webDir}: run scripts/build-web.sh`);
  assert.ok(existsSync(nativeExe), `no native build at ${nativeExe}`);
  server = await serve(webDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// A page in a fresh browser profile, closed after `body`, that must log no error.
const withFreshPage = (body) => withFreshPageOf(browser, wait, body);

function traceLines(bytes) {
  return bytes.toString("utf8").trim().split("\n").map((line) => JSON.parse(line));
}

// Where the game keeps its save in the page's file system.
async function saveFilePath(page) {
  return page.evaluate(() => {
    const find = (dir) => {
      for (const name of Module.FS.readdir(dir)) {
        if (name === "." || name === "..") continue;
        const path = dir + "/" + name;
        if (name === "SaveData.dat") return path;
        if (Module.FS.isDir(Module.FS.stat(path).mode)) {
          const found = find(path);
          if (found) return found;
        }
      }
      return null;
    };
    return find("/save");
  });
}

// The scripted game in the page, with the trace and screenshots of the native build beside it.
async function playScriptedGame(page, renderer) {
  // One language on both sides: the page would follow the browser's, the native run the locale.
  const options = { headless: 1, lang: "ja", seed: 7, fps: 0, frames, trace: 1, screenshot: shots.join(","),
                    input: script, ...(renderer ? { renderer } : {}) };
  assert.equal(await playToTheEnd(page, server.url, options), 0);
  const webTrace = await pageFile(page, "/run/trace.jsonl");

  const native = runNative(nativeExe,
    ["--lang", "ja", "--seed", "7", "--fps", "0", "--frames", String(frames), "--input", "input.txt", "--trace", "trace.jsonl",
     ...shots.flatMap((f) => ["--screenshot", `${f}:shot-${f}.png`])],
    { "input.txt": script }, ["trace.jsonl", ...shots.map((f) => `shot-${f}.png`)]);
  assert.equal(traceLines(webTrace).length, frames);
  assert.ok(webTrace.equals(native["trace.jsonl"]), "the traces differ");

  // WebGL blends and filters a little differently from SDL's software renderer.
  for (const frame of shots) {
    const web = decodePng(await pageFile(page, `/run/shot-${frame}.png`));
    const difference = comparePictures(web, decodePng(native[`shot-${frame}.png`]));
    assert.ok(difference.share < 0.01, `frame ${frame}: ${(difference.share * 100).toFixed(2)} % of the pixels differ`);
  }
  return webTrace;
}

test("a scripted game gives the native trace and pictures, and the save survives a reload", async () => {
  await withFreshPage(async (page) => {
    // Without a GPU the page draws with the software renderer by itself.
    const webTrace = await playScriptedGame(page);

    // The settings stored in the options, and the best score stored at the end, come back.
    const last = traceLines(webTrace).at(-1);
    assert.equal(last.bgmVolume, -2000);
    assert.equal(await playToTheEnd(page, server.url, { headless: 1, seed: 7, frames: 2, trace: 1 }), 0);
    const first = traceLines(await pageFile(page, "/run/trace.jsonl"))[0];
    for (const key of ["bgmVolume", "seVolume", "highScore", "fullScreen"]) assert.equal(first[key], last[key], key);
  });
});

test("WebGL draws the same game", async () => {
  await withFreshPage(async (page) => { await playScriptedGame(page, "opengles2"); });
});

// Whether the page keeps up with the game's 50 updates a second over a game played as a person
// plays it (at 50 a second, the page as a player opens it). Printed always; judged only where
// the machine has a core to spare, where only a real slowdown of the page falls under 35.
test("the page holds its update rate over a scripted game", async () => {
  await withFreshPage(async (page) => {
    const load = loadavg()[0];
    const options = { seed: 7, frames: 600, input: "5 Return\n8 Return\n12 Return\n20-600 Z\n" };
    assert.equal(await playToTheEnd(page, server.url, options), 0);
    const rate = playRate(await page.evaluate(() => Module.moravinFrameTimes), 14);
    const judged = load < availableParallelism();
    console.log(`web: ${rate.perSecond.toFixed(1)} updates a second over ${rate.frames} play frames ` +
                `(load average ${load.toFixed(2)}${judged ? "" : ", too busy to judge"})`);
    if (judged) assert.ok(rate.perSecond >= 35, `${rate.perSecond.toFixed(1)} updates a second`);
  });
});

test("settings stored by the options are in IndexedDB at once: a reload while the game runs keeps them", async () => {
  await withFreshPage(async (page) => {
    // The script's first part: the options stored with the music at 80 % at frame 74. The game
    // then runs on and never reaches its end, whose store would hide a missing one.
    const options = script.split("\n").filter((line) => Number(line.split(" ")[0]) <= 74).join("\n");
    await page.goto(server.url + "moravin.html?" + new URLSearchParams({ headless: 1, seed: 7, frames: 100000, input: options }));
    await page.click("#start");
    await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 150, null, { polling: 50, timeout: wait });
    // Loading the page again while the game runs is the reload: the running page is dropped.
    assert.equal(await playToTheEnd(page, server.url, { headless: 1, seed: 7, frames: 2, trace: 1 }), 0);
    const first = traceLines(await pageFile(page, "/run/trace.jsonl"))[0];
    assert.equal(first.bgmVolume, -2000);
  });
});

test("a damaged save is replaced by the defaults, as on the desktop", async () => {
  await withFreshPage(async (page) => {
    assert.equal(await playToTheEnd(page, server.url, { headless: 1, seed: 7, frames: 2 }), 0);
    const path = await saveFilePath(page);
    assert.ok(path, "no save was written");
    // One byte of the stored record changed: its check value no longer matches.
    await page.evaluate(async (p) => {
      const bytes = Module.FS.readFile(p);
      bytes[8] = 0x30;
      Module.FS.writeFile(p, bytes);
      await Module.moravinFlushSave();
    }, path);
    assert.equal(await playToTheEnd(page, server.url, { headless: 1, seed: 7, frames: 2, trace: 1 }), 0);
    const first = traceLines(await pageFile(page, "/run/trace.jsonl"))[0];
    assert.equal(first.bgmVolume, 0);
    const stored = await pageFile(page, path);
    assert.equal(stored.length, 44);
    assert.equal(stored[8], 0);  // the default record was written in its place
  });
});

test("a page in the background pauses the game, with no burst of frames on its return", async () => {
  await withFreshPage(async (page) => {
    const options = { headless: 1, seed: 7, frames: 260, trace: 1, input: "5 Return\n8 Return\n12 Return\n" };
    await page.goto(server.url + "moravin.html?" + new URLSearchParams(options));
    await page.click("#start");
    await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 100, null, { polling: 50, timeout: wait });
    const setVisibility = (state) => page.evaluate((s) => {
      Object.defineProperty(document, "visibilityState", { value: s, configurable: true });
      Object.defineProperty(document, "hidden", { value: s === "hidden", configurable: true });
      document.dispatchEvent(new Event("visibilitychange"));
    }, state);
    await setVisibility("hidden");
    const hiddenAt = await page.evaluate(() => Module.moravinFrameTimes.length);
    await page.waitForTimeout(1000);
    const whileHidden = await page.evaluate(() => Module.moravinFrameTimes.length);
    await setVisibility("visible");
    const visibleAt = await page.evaluate(() => performance.now());
    await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200, timeout: wait });
    assert.ok(whileHidden - hiddenAt <= 1, `${whileHidden - hiddenAt} frames ran while hidden`);

    const trace = traceLines(await pageFile(page, "/run/trace.jsonl"));
    const back = trace[whileHidden];  // the first frame after the return
    assert.equal(back.scene, "Title");
    assert.deepEqual(back.suspended, ["Play"]);
    assert.equal(back.inGameMenu, 1);
    // No more frames in the first half second back than 50 a second allow (and one more for
    // the first frame's place in its interval).
    const times = await page.evaluate(() => Module.moravinFrameTimes);
    const soon = times.filter((t) => t >= visibleAt && t < visibleAt + 500).length;
    assert.ok(soon <= 26, `${soon} frames in the first 500 ms back`);
  });
});

test("Alt+Enter goes full screen and the browser's own exit turns the setting off", async () => {
  await withFreshPage(async (page) => {
    await page.goto(server.url + "moravin.html?" + new URLSearchParams({ seed: 7, frames: 250, trace: 1 }));
    await page.click("#start");
    await page.waitForFunction(() => (Module.moravinFrameTimes || []).length >= 20, null, { polling: 50, timeout: wait });
    // A player holds the keys for a few frames. The browser grants full screen only within a
    // key handler, so the request the game makes in its frame waits for the keys' release: a
    // release before that frame would leave it waiting for the next key.
    await page.keyboard.down("Alt");
    await page.keyboard.down("Enter");
    const pressedAt = await page.evaluate(() => Module.moravinFrameTimes.length);
    await page.waitForFunction((n) => Module.moravinFrameTimes.length >= n + 2, pressedAt, { polling: 20, timeout: wait });
    await page.keyboard.up("Enter");
    await page.keyboard.up("Alt");
    await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
    const enteredAt = await page.evaluate(() => Module.moravinFrameTimes.length);
    await page.evaluate(() => document.exitFullscreen());
    await page.waitForFunction(() => Module.moravinExitCode !== undefined, null, { polling: 200, timeout: wait });
    const trace = traceLines(await pageFile(page, "/run/trace.jsonl"));
    assert.equal(trace[enteredAt - 1].fullScreen, 1);
    assert.equal(trace.at(-1).fullScreen, 0);
    assert.equal(await page.isVisible("#ended"), true);  // the page says that the game has ended
  });
});
