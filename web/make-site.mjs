// Makes the folder a web host serves, from what emcc linked:
//   node make-site.mjs --from LINK_DIR --icons ICON_DIR --version VERSION --out SITE_DIR
//                      [--resources ASSET_DIR]
// The version the page and its service worker know is VERSION with a hash of what was linked
// (1.0.0+3fa4c2e01b9d), so that every change of the game is a new version to the browser.
// The code, the module and the files of resources fetched after it (ASSET_DIR/fetched.json,
// by default LINK_DIR/assets) get names that carry their contents' hash (moravin.<hash>.js and
// .wasm, moravin-music.<hash>.bin), and the code and the module carry the version too, so that
// the page can tell a mixed pair; the page names them and its version; the service worker lists
// every file of this version.
import { createHash } from "node:crypto";
import { copyFileSync, existsSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));

// A WebAssembly custom section (id 0): its size, its name and its bytes.
export function customSection(name, payload) {
  const uleb = (value) => {
    const bytes = [];
    do {
      let byte = value & 0x7f;
      value >>>= 7;
      if (value) byte |= 0x80;
      bytes.push(byte);
    } while (value);
    return Buffer.from(bytes);
  };
  const body = Buffer.concat([uleb(Buffer.byteLength(name)), Buffer.from(name), payload]);
  return Buffer.concat([Buffer.from([0]), uleb(body.length), body]);
}

const hashOf = (bytes) => createHash("sha256").update(bytes).digest("hex").slice(0, 12);

export function makeSite({ from, icons, version: release, out, resources = join(from, "assets") }) {
  const linked = createHash("sha256");
  for (const file of ["moravin.html", "moravin.js", "moravin.wasm"]) linked.update(readFileSync(join(from, file)));
  // The resources fetched after the module (assetgen --fetch-later), named by their hash too.
  const listed = join(resources, "fetched.json");
  const fetched = (existsSync(listed) ? JSON.parse(readFileSync(listed, "utf8")) : []).map(({ file, bytes }) => {
    const content = readFileSync(join(resources, file));
    if (content.length !== bytes) throw new Error(`make-site: ${file} is not the size assetgen listed`);
    linked.update(content);
    return { name: `moravin-${file.replace(/^fetched-|\.bin$/g, "")}.${hashOf(content)}.bin`, bytes, content };
  });
  const iconNames = readdirSync(icons).filter((name) => name.endsWith(".png")).sort();
  for (const file of [join(here, "sw.js"), join(here, "manifest.webmanifest"), join(from, "font-licence.txt"),
                      ...iconNames.map((name) => join(icons, name))]) {
    linked.update(readFileSync(file));
  }
  const version = `${release}+${linked.digest("hex").slice(0, 12)}`;
  const wasm = Buffer.concat([readFileSync(join(from, "moravin.wasm")),
                              customSection("moravin-version", Buffer.from(version))]);
  // emcc's code declares Module at its top; the version is set on it as the code runs.
  const script = Buffer.from(readFileSync(join(from, "moravin.js"), "utf8") +
                             `\nModule["moravinScriptVersion"] = ${JSON.stringify(version)};\n`);
  const scriptName = `moravin.${hashOf(script)}.js`, wasmName = `moravin.${hashOf(wasm)}.wasm`;
  let page = readFileSync(join(from, "moravin.html"), "utf8");
  const scriptTag = /src="moravin\.js"/;
  if (!scriptTag.test(page)) throw new Error("make-site: the page does not load moravin.js");
  page = page.replace(scriptTag, `src="${scriptName}"`)
    .replaceAll("__MORAVIN_VERSION__", version)
    .replaceAll("__MORAVIN_WASM__", wasmName)
    .replaceAll("__MORAVIN_WASM_BYTES__", String(wasm.length))
    .replaceAll("__MORAVIN_FETCHED__", JSON.stringify(fetched.map(({ name, bytes }) => ({ name, bytes }))));

  // Files of an earlier build in the folder are not part of this one.
  mkdirSync(join(out, "icons"), { recursive: true });
  for (const name of readdirSync(out)) {
    if (/^moravin(-[a-z]+)?\.[0-9a-f]{12}\.(js|wasm|bin)$/.test(name)) rmSync(join(out, name));
  }
  for (const { name, content } of fetched) writeFileSync(join(out, name), content);
  writeFileSync(join(out, scriptName), script);
  writeFileSync(join(out, wasmName), wasm);
  writeFileSync(join(out, "moravin.html"), page);
  copyFileSync(join(from, "font-licence.txt"), join(out, "font-licence.txt"));
  copyFileSync(join(here, "manifest.webmanifest"), join(out, "manifest.webmanifest"));
  for (const name of iconNames) copyFileSync(join(icons, name), join(out, "icons", name));

  const files = ["moravin.html", scriptName, wasmName, ...fetched.map(({ name }) => name),
                 "manifest.webmanifest", "font-licence.txt", ...iconNames.map((name) => "icons/" + name)];
  const worker = readFileSync(join(here, "sw.js"), "utf8")
    .replaceAll("__MORAVIN_VERSION__", version)
    .replace("__MORAVIN_FILES__", JSON.stringify(files));
  writeFileSync(join(out, "sw.js"), worker);
  return { version, files: [...files, "sw.js"], scriptName, wasmName };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const options = {};
  for (let i = 2; i + 1 < process.argv.length; i += 2) options[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];
  for (const key of ["from", "icons", "version", "out"]) {
    if (!options[key]) throw new Error(`make-site: --${key} is missing`);
  }
  const { version, files } = makeSite(options);
  console.log(`make-site: ${files.length} files of version ${version} in ${options.out}`);
}
