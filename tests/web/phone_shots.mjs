// Screenshots of every screen the page shows on a phone, sideways and upright, in both
// languages, while the pointer is in use (a tool for reviews, not a test): run by hand,
//   node phone_shots.mjs OUTDIR
// A scripted walk by pointer (taps, drags, the mouse over an item) goes through the logo, the
// title, the how-to-play page and its three texts, the information, the options, a game with a
// line being dragged, the pause menu and the game over; each screen is photographed when the
// trace shows it.
import { mkdirSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { launch, serve } from "./support.mjs";

const root = join(dirname(fileURLToPath(import.meta.url)), "..", "..");
const webDir = process.env.MORAVIN_WEB_DIR || join(root, "build-web");
const out = process.argv[2] || "phone-shots";

let walk = `5 Tap 400,300
8 Tap 400,300
20 Move 590,300
40 Tap 590,325
70 Tap 590,277
80-100 Drag 400,400 400,250
120 Tap 400,550
130 Tap 590,325
160 Tap 400,550
170 Tap 590,373
200 Tap 400,550
210 Tap 590,421
220 Tap 590,422
250 Tap 400,550
260 Tap 590,373
270 Tap 100,230
300 Tap 400,460
310 Tap 590,277
380 Tap 530,300
400-440 Drag 530,180 530,400
470 Tap 550,40
500 Tap 590,421
`;
for (let frame = 520; frame < 5000; frame += 60) walk += `${frame}-${frame + 57} Press 360,40\n`;

const shots = [
  ["logo", (l) => l.frame >= 3],
  ["title", (l) => l.frame >= 30],
  ["howto", (l) => l.frame >= 60],
  ["rules", (l) => l.frame >= 110],
  ["controls", (l) => l.frame >= 150],
  ["story", (l) => l.frame >= 190],
  ["info", (l) => l.frame >= 240],
  ["options", (l) => l.frame >= 290],
  ["play-dragging", (l) => l.frame >= 420],
  ["pause", (l) => l.frame >= 490],
  ["play-faster", (l) => l.frame >= 540],
  ["gameover", (l) => l.scene === "GameOver" && l.state.phase === 1],
];

async function last(page) {
  return page.evaluate(() => {
    const path = "/run/trace.jsonl";
    if (!Module.FS.analyzePath(path).exists) return null;
    return JSON.parse(Module.FS.readFile(path, { encoding: "utf8" }).trimEnd().split("\n").at(-1));
  });
}

const server = await serve(webDir);
const browser = await launch();
try {
  for (const lang of ["ja", "en"]) {
    for (const [orientation, width, height] of [["landscape", 844, 390], ["portrait", 390, 844]]) {
      const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: 2,
                                                 isMobile: true, hasTouch: true });
      const page = await context.newPage();
      await page.goto(server.url + "moravin.html?" + new URLSearchParams(
        { seed: 7, lang, frames: 100000, trace: 1, input: walk }));
      await page.tap("#start");
      const dir = join(out, `${lang}-${orientation}`);
      mkdirSync(dir, { recursive: true });
      for (const [name, ready] of shots) {
        for (;;) {
          const line = await last(page);
          if (line && ready(line)) break;
          await page.waitForTimeout(20);
        }
        await page.screenshot({ path: join(dir, name + ".png") });
      }
      await context.close();
      console.log("phone_shots:", dir);
    }
  }
} finally {
  await browser.close();
  await server.close();
}
