// The page on a phone, in headless Chromium's mobile emulation with touch alone: the game as
// large as the screen allows, played from the logo to a dragged line and the pause control by
// taps and drags, each tap one action, the sound started by the first tap; held upright, the
// game across the top with the touch hints below it, still playable. The page's recording of
// the session replays natively to the same trace, and there the dragged line is seen moved.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { mkdirSync } from "node:fs";
import { isDeepStrictEqual } from "node:util";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { decodePng, launch, pageFile, runNative, serve, watchErrors } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const nativeExe = process.env.MORAVIN_NATIVE || join(root, "build", "moravin");
const shotDir = process.env.MORAVIN_SHOTS;  // where the screenshots go, when asked for
const wait = 600000;

let server, browser;
before(async () => {
  server = await serve(webDir);
  browser = await launch({ gestureForSound: true });
});
after(async () => {
  await browser?.close();
  await server?.close();
});

async function phone(width, height, body) {
  const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: 2,
                                             isMobile: true, hasTouch: true });
  try {
    const page = await context.newPage();
    page.setDefaultTimeout(wait);
    const errors = [];
    watchErrors(page, errors);
    await body(page, await context.newCDPSession(page));
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
}

// The game as the page runs it: its trace's last line, taps and drags in game pixels.
class Game {
  constructor(page, cdp) { this.page = page; this.cdp = cdp; }
  async open(options) {
    await this.page.goto(server.url + "moravin.html?" + new URLSearchParams(
      { seed: 7, frames: 100000, trace: 1, record: 1, ...options }));
    await this.page.tap("#start");
    this.box = await this.page.locator("#canvas").boundingBox();
  }
  async last() {
    return this.page.evaluate(() => {
      const path = "/run/trace.jsonl";
      if (!Module.FS.analyzePath(path).exists) return null;
      const lines = Module.FS.readFile(path, { encoding: "utf8" }).trimEnd().split("\n");
      return JSON.parse(lines.at(-1));
    });
  }
  async until(what, test) {
    for (let started = Date.now(); Date.now() - started < wait;) {
      const line = await this.last();
      if (line && test(line)) return line;
      await this.page.waitForTimeout(50);
    }
    throw new Error("the game never reached " + what);
  }
  async frames(n) {
    const now = (await this.last()).frame;
    return this.until(`frame ${now + n}`, (line) => line.frame >= now + n);
  }
  point(x, y) {
    return { x: this.box.x + (x * this.box.width) / 800, y: this.box.y + (y * this.box.height) / 600 };
  }
  async tap(x, y) {
    const p = this.point(x, y);
    await this.page.touchscreen.tap(p.x, p.y);
    await this.frames(3);
  }
  async drag(x, fromY, toY) {
    const touch = (type, y) => this.cdp.send("Input.dispatchTouchEvent",
      { type, touchPoints: type === "touchEnd" ? [] : [this.point(x, y)] });
    await touch("touchStart", fromY);
    for (let step = 1; step <= 10; ++step) {
      await touch("touchMove", fromY + ((toY - fromY) * step) / 10);
      await this.page.waitForTimeout(30);
    }
    await touch("touchEnd", toY);
    await this.frames(3);
  }
  async shot(name) {
    if (!shotDir) return;
    mkdirSync(shotDir, { recursive: true });
    await this.page.screenshot({ path: join(shotDir, name + ".png") });
  }
}

// Which of the six cells of the selected line hold a stone: warm sandstone on a blue sky.
function stonesOfTheSelectedLine(picture, state) {
  const left = 85 * state.cursor - Math.trunc(state.scroll), stones = [];
  for (let cell = 0; cell < 6; ++cell) {
    let warm = 0;
    for (let y = 90 + 85 * cell + 6; y < 90 + 85 * cell + 70; ++y)
      for (let x = left + 12; x < left + 73; ++x) {
        const at = (y * 800 + x) * 3;
        warm += picture.rgb[at] - picture.rgb[at + 2] > 40 ? 1 : 0;
      }
    stones.push(warm > (64 * 61) / 2);
  }
  return stones;
}

test("a phone held sideways plays by touch: taps to the game, a line dragged, the pause control", async () => {
  await phone(844, 390, async (page, cdp) => {
    const game = new Game(page, cdp);
    await game.open({ lang: "ja" });
    assert.equal(Math.round(game.box.height), 390, "the game as tall as the screen");
    assert.equal(Math.round(game.box.width), 520);
    await game.until("the logo", (line) => line.frame >= 5);
    assert.equal(await page.evaluate(() => Module.SDL2.audioContext.state), "running",
                 "the tap that started the game started the sound");
    await game.tap(400, 300);
    await game.tap(400, 300);
    await game.until("the title", (line) => line.scene === "Title");
    await game.shot("phone-landscape-title");
    await game.tap(590, 277);
    const playing = await game.until("a game", (line) => line.scene === "Play" && line.state.phaseFrame > 150);

    // Line 6, dragged two cells down; the record says when.
    const x = 85 * 6 + 42 - Math.trunc(playing.state.scroll) - 5;
    await game.tap(x, 300);
    assert.equal((await game.last()).state.cursor, 6, "the tapped line is selected");
    await game.drag(x, 200, 370);
    await game.frames(30);
    await game.shot("phone-landscape-play");
    await game.tap(550, 40);
    await game.until("the pause menu", (line) => line.scene === "Title" && line.suspended[0] === "Play");
    await game.shot("phone-landscape-pause");
    await game.tap(590, 421);
    const resumed = await game.until("the game again", (line) => line.scene === "Play");

    // Each tap is one gesture of the recording: none was doubled by made-up mouse events. A
    // gesture is a tap, or a run of presses and drags in consecutive frames; it is a drag when
    // its point moved (the recorder writes a finger that moves unevenly as several Presses).
    const record = (await pageFile(page, "/run/record.txt")).toString("utf8");
    const gestures = [];
    for (const line of record.split("\n").filter((entry) => /^\d/.test(entry))) {
      const [frames, action, ...points] = line.split(" ");
      const [first, last = first] = frames.split("-").map(Number);
      const previous = gestures.at(-1);
      if (action !== "Tap" && previous && !previous.tap && previous.last + 1 === first) {
        previous.last = last;
        previous.drag ||= points.some((point) => point !== previous.point);
      } else {
        gestures.push({ first, last, tap: action === "Tap", drag: action === "Drag", point: points[0] });
      }
    }
    assert.equal(gestures.length, 7, record);
    const drags = gestures.filter((gesture) => gesture.drag);
    assert.equal(drags.length, 1, record);

    // The recording replays natively to the page's trace, and shows the line moved.
    const frames = resumed.frame;
    const before = drags[0].first - 1, later = drags[0].last + 30;
    const webTrace = (await pageFile(page, "/run/trace.jsonl")).toString("utf8").split("\n").slice(0, frames);
    const native = runNative(nativeExe, ["--lang", "ja", "--seed", "7", "--frames", String(frames), "--fps", "0",
                                         "--input", "record.txt", "--trace", "trace.jsonl",
                                         "--screenshot", `${before}:before.png`, "--screenshot", `${later}:after.png`],
                             { "record.txt": record }, ["trace.jsonl", "before.png", "after.png"]);
    // The page plays its sound in real time, the native replay by the frame: which sounds are
    // still playing differs, everything the game does must not.
    const withoutSounds = (lines) => lines.map((line) => { const { sounds, ...rest } = JSON.parse(line); return rest; });
    const nativeTrace = withoutSounds(native["trace.jsonl"].toString("utf8").split("\n").slice(0, frames));
    const pageTrace = withoutSounds(webTrace);
    const differs = nativeTrace.findIndex((line, i) => !isDeepStrictEqual(line, pageTrace[i]));
    assert.deepEqual(nativeTrace[differs], pageTrace[differs], `frame ${differs + 1} of ${frames} differs`);
    const state = (frame) => JSON.parse(webTrace[frame - 1]).state;
    const was = stonesOfTheSelectedLine(decodePng(native["before.png"]), state(before));
    const is = stonesOfTheSelectedLine(decodePng(native["after.png"]), state(later));
    assert.ok(was.includes(true) && was.includes(false), "a line that looks different turned");
    assert.deepEqual(is, was.map((_, cell) => was[(cell + 4) % 6]), "two cells down");
  });
});

test("a phone held upright shows the game across the top with the touch hints below, playable", async () => {
  await phone(390, 844, async (page, cdp) => {
    const game = new Game(page, cdp);
    await game.open({ lang: "en" });
    assert.equal(Math.round(game.box.width), 390, "the game as wide as the screen");
    const help = await page.locator("#help").boundingBox();
    assert.ok(help && help.y >= game.box.y + game.box.height - 1, "the hints below the game");
    assert.ok(await page.locator("#touch-help").isVisible());
    assert.ok(!(await page.locator("#key-help").isVisible()), "no table of keys on a phone");
    assert.ok(await page.locator("#upright").isVisible());
    await game.until("the logo", (line) => line.frame >= 5);
    await game.tap(400, 300);
    await game.tap(400, 300);
    await game.until("the title", (line) => line.scene === "Title");
    await game.shot("phone-portrait-title");
    await game.tap(590, 277);
    await game.until("a game", (line) => line.scene === "Play" && line.state.phaseFrame > 60);
    await game.shot("phone-portrait-play");
  });
});
