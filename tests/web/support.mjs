// What the browser test needs around the page: a static server on 127.0.0.1, Debian's
// Chromium driven by playwright-core, a reader of the game's PNG screenshots, and runs of the
// native build to compare with.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { gzipSync, inflateSync } from "node:zlib";
import { chromium } from "playwright-core";

const types = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".txt": "text/plain; charset=utf-8", ".data": "application/octet-stream",
  ".webmanifest": "application/manifest+json", ".png": "image/png", ".pack": "application/octet-stream",
};

// Serves `dir` on 127.0.0.1 at a free port, as a static host does: compressed with gzip for a
// client that accepts it (pictures apart). Nothing goes to the browser's HTTP cache: the
// in-memory cache of a private window (every test's) fails a large file now and then
// (ERR_CACHE_WRITE_FAILURE), and the service worker keeps what the page needs offline. Resolves to
// { url, close, serveFrom(dir), requests, hold(pattern) }: serveFrom switches to another folder
// (a new version deployed), requests lists the paths asked for, hold keeps back the answers to
// paths that match until the function it returns is called (a slow network).
export function serve(dir) {
  const compressed = new Map();  // path -> gzip bytes, made once
  const requests = [];
  const held = [];  // [pattern, promise]
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
    requests.push(path);
    for (const [pattern, released] of held) if (pattern.test(path)) await released;
    try {
      const file = join(dir, path);
      let body = await readFile(file);
      const headers = { "Content-Type": types[extname(path)] || "application/octet-stream",
                        "Cache-Control": "no-store" };
      if (/\bgzip\b/.test(request.headers["accept-encoding"] || "") && extname(path) !== ".png") {
        if (!compressed.has(file)) compressed.set(file, gzipSync(body, { level: 6 }));
        body = compressed.get(file);
        headers["Content-Encoding"] = "gzip";
      }
      response.writeHead(200, headers);
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    requests,
    serveFrom(other) {
      dir = other;
      compressed.clear();
    },
    hold(pattern) {
      let release;
      held.push([pattern, new Promise((resolve) => { release = resolve; })]);
      return release;
    },
    close: () => new Promise((done) => {
      server.close(done);
      server.closeAllConnections();
    }),
  })));
}

// Debian's Chromium, headless; nothing reaches out to the network. It draws as it would for a
// person on the same machine: without a GPU, Chromium composes the page on the CPU and gives
// WebGL its CPU rasteriser (SwiftShader). Forcing SwiftShader's GL on the compositor as well
// would make every frame of any page cost more CPU than the whole game. Sound plays without a
// gesture unless `gestureForSound`, as a browser keeps it by default.
function chromiumOptions({ gestureForSound = false } = {}) {
  const sound = gestureForSound ? [] : ["--autoplay-policy=no-user-gesture-required"];
  return {
    executablePath: process.env.MORAVIN_CHROMIUM || "/usr/bin/chromium",
    args: ["--headless=new", "--no-sandbox", ...sound,
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--disable-quic", "--no-first-run", "--disable-background-timer-throttling",
           "--disable-renderer-backgrounding"],
  };
}

export function launch(options = {}) {
  return chromium.launch(chromiumOptions(options));
}

// The same with a profile of its own in `dir`, as a person's browser has: only there does
// Chromium offer to install a page (never in a private window).
export function launchWithProfile(dir, contextOptions = {}) {
  return chromium.launchPersistentContext(dir, { ...chromiumOptions(), ...contextOptions });
}

// Console errors and uncaught exceptions of a page, gathered for the end of the test.
export function watchErrors(page, errors) {
  page.on("console", (message) => {
    if (message.type() === "error") errors.push(message.text());
  });
  page.on("pageerror", (error) => errors.push(String(error)));
}

// The updates a second of a game, from the times its frames ran (Module.moravinFrameTimes),
// counted from frame `from` on: { frames, seconds, perSecond }.
export function playRate(times, from) {
  const frames = times.length - 1 - from, seconds = (times.at(-1) - times[from]) / 1000;
  return { frames, seconds, perSecond: frames / seconds };
}

// Runs `body` with a page in a fresh profile of `browser` (nothing saved before it), closed
// after it whatever happens, and checks that the page logged no error.
export async function withFreshPage(browser, timeoutMs, body) {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
  try {
    const page = await context.newPage();
    page.setDefaultTimeout(timeoutMs);
    const errors = [];
    watchErrors(page, errors);
    await body(page);
    if (errors.length) throw new Error("the page logged errors: " + JSON.stringify(errors));
  } finally {
    await context.close();
  }
}

// Opens the page with URL options, starts the game with a click, and waits until it has ended.
// Resolves to the exit code.
export async function playToTheEnd(page, url, options, timeoutMs = 600000) {
  await page.goto(url + "moravin.html?" + new URLSearchParams(options));
  await page.click("#start", { timeout: timeoutMs });
  await page.waitForFunction(() => Module.moravinExitCode !== undefined, null,
                             { timeout: timeoutMs, polling: 200 });
  return page.evaluate(() => Module.moravinExitCode);
}

// A file the game wrote in the page's file system, as bytes.
export async function pageFile(page, path) {
  const bytes = await page.evaluate((p) => Array.from(Module.FS.readFile(p)), path);
  return Buffer.from(bytes);
}

// Runs the native build headless with the same options in a fresh folder; returns its files.
export function runNative(exe, args, files, wanted) {
  const dir = mkdtempSync(join(tmpdir(), "moravin-web-native-"));
  try {
    for (const [name, text] of Object.entries(files)) writeFileSync(join(dir, name), text);
    // A save folder of its own, empty like a fresh page's: never the user's save.
    const run = ["--headless", "--save-dir", join(dir, "save"), ...args];
    execFileSync(exe, run, { cwd: dir, stdio: ["ignore", "ignore", "pipe"] });
    return Object.fromEntries(wanted.map((name) => [name, readFileSync(join(dir, name))]));
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

// The pixels of an 8-bit RGB or RGBA PNG (what the game writes): { width, height, rgb }.
export function decodePng(png) {
  let at = 8, width = 0, height = 0, channels = 3;
  const data = [];
  while (at < png.length) {
    const length = png.readUInt32BE(at), type = png.toString("latin1", at + 4, at + 8);
    const body = png.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0) throw new Error("unsupported PNG");
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === "IDAT") {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels, rgb = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? line[x - channels] : 0, b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      line[x] = (line[x] + predictor) & 255;
    }
    for (let x = 0; x < width; ++x) line.copy(rgb, (y * width + x) * 3, x * channels, x * channels + 3);
    previous = line;
  }
  return { width, height, rgb };
}

// How two pictures of the same size differ: the share of pixels with any channel more than
// `tolerance` apart, and the largest difference of a channel.
export function comparePictures(a, b, tolerance = 8) {
  if (a.width !== b.width || a.height !== b.height) throw new Error("sizes differ");
  let differing = 0, largest = 0;
  for (let i = 0; i < a.rgb.length; i += 3) {
    let worst = 0;
    for (let c = 0; c < 3; ++c) worst = Math.max(worst, Math.abs(a.rgb[i + c] - b.rgb[i + c]));
    largest = Math.max(largest, worst);
    if (worst > tolerance) ++differing;
  }
  return { share: differing / (a.width * a.height), largest };
}
