// Replays in the browser build: the committed replays verify under node with the page's own
// WebAssembly code to the same bytes as the native build, and a replay named by ?replay=URL is
// watched on the page frame for frame as the native build shows it.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, existsSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launch, pageFile, playToTheEnd, runNative, serve, withFreshPage } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const nativeExe = process.env.MORAVIN_NATIVE || join(root, "build", "moravin");
const verifier = join(webDir, "wasm", "moravin-verify.js");
const corpus = join(root, "tests", "replays");
const wait = 600000;

let server, browser;
before(async () => {
  assert.ok(existsSync(verifier), `no web build in ${webDir}`);
  copyFileSync(join(corpus, "paused.replay"), join(webDir, "test-paused.replay"));
  server = await serve(webDir);
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
  rmSync(join(webDir, "test-paused.replay"), { force: true });
});

test("the committed replays verify in WebAssembly to the native build's bytes", () => {
  const names = readdirSync(corpus).filter((name) => name.endsWith(".replay")).sort();
  const out = execFileSync(process.execPath, [verifier, ...names],
                           { cwd: corpus });
  assert.equal(out.toString(), readFileSync(join(corpus, "verified.jsonl"), "utf8"));
});

test("?replay=URL shows the replay as the native build does", async () => {
  await withFreshPage(browser, wait, async (page) => {
    const frames = 450;  // through the pause menu and back
    const options = { headless: 1, lang: "ja", fps: 0, frames, trace: 1, replay: "test-paused.replay" };
    assert.equal(await playToTheEnd(page, server.url, options, wait), 0);
    const web = await pageFile(page, "/run/trace.jsonl");
    const native = runNative(nativeExe,
      ["--lang", "ja", "--fps", "0", "--frames", String(frames), "--replay", "paused.replay", "--trace", "trace.jsonl"],
      { "paused.replay": readFileSync(join(corpus, "paused.replay")) }, ["trace.jsonl"]);
    assert.ok(web.equals(native["trace.jsonl"]), "the traces differ");
    assert.match(web.toString(), /"scene":"Title","suspended":\["Play"\]/);
  });
});
