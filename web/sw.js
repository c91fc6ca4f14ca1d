// The page's service worker: keeps every file of one version of the game in a cache of that
// version, so that the page opens and plays without a network, and a new version replaces the
// old one whole. The build (web/make-site.mjs) fills in the version and the file list.
"use strict";
const version = "__MORAVIN_VERSION__";
// The page first (its address without options), then the files it loads; the names of the
// code and the data carry their contents' hash, so two versions never share a name.
const files = __MORAVIN_FILES__;
const cacheName = "moravin-" + version;
const page = "moravin.html";

// A new version fetches all its files before it counts as installed: a failed download leaves
// the old version in charge, never half of the new one. `reload` bypasses the HTTP cache, whose
// copy of an unversioned file (the page) may be the old one.
self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) =>
    cache.addAll(files.map((file) => new Request(file, { cache: "no-cache" })))));
});

// Once in charge, the caches of older versions go. Only caches of ours: the save is in
// IndexedDB, which this never touches.
self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(names
    .filter((name) => name.startsWith("moravin-") && name !== cacheName)
    .map((name) => caches.delete(name)))).then(() => self.clients.claim()));
});

// The page asks the waiting version to take over when the player agrees to restart.
self.addEventListener("message", (event) => {
  if (event.data === "moravin-activate") self.skipWaiting();
  if (event.data === "moravin-version") event.source.postMessage({ moravinVersion: version });
});

// Files of this version come from its cache; the page is found without its options
// (?seed=... for automation) and under the folder's own address. Anything else goes to the
// network as usual.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const url = new URL(request.url);
  if (!url.href.startsWith(self.registration.scope)) return;
  let name = url.pathname.slice(new URL(self.registration.scope).pathname.length);
  if (name === "" && request.mode === "navigate") name = page;
  if (!files.includes(name)) return;
  event.respondWith(caches.open(cacheName).then((cache) => cache.match(name)).then(
    (cached) => cached || fetch(request)));
});
