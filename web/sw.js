// Keeps the page's files for when the server cannot be reached. Every request
// goes to the network first and what comes back is kept; without a network
// the kept copy answers. Installing keeps every file at once, so that after
// one visit the page loads and plays offline.
//
// Every answer it gives carries the two headers that make the page
// cross-origin isolated, whatever the server sends: the isolated page has
// SharedArrayBuffer, and so the engine's threaded build (worker.js). The page
// loads nothing from elsewhere, which the second header would refuse.

const CacheName = "nanaren";
const Files = [
  "./", "style.css", "app.js", "state.js", "view.js", "board.js", "engine.js", "record.js",
  "storage.js", "sound.js", "texts.js", "worker.js", "nanaren.js", "nanaren.wasm",
  "nanaren-threads.js", "nanaren-threads.wasm", "nanaren-threads.worker.js", "strength.json",
  "manifest.webmanifest", "icon.svg", "icon-192.png", "icon-512.png",
];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CacheName)
                      .then((cache) => cache.addAll(Files))
                      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => event.waitUntil(self.clients.claim()));

// Every address of the page, whatever its query, is kept as the page itself.
const keyOf = (request) => (request.mode === "navigate" ? new URL("./", location).href : request);

const Isolating = {
  "Cross-Origin-Opener-Policy": "same-origin",
  "Cross-Origin-Embedder-Policy": "require-corp",
};

// A response with the isolating headers. Redirects and errors, which carry
// no body of the page's, pass as they are.
function isolated(response) {
  if (response.type === "opaqueredirect" || response.type === "error") return response;
  const headers = new Headers(response.headers);
  for (const [name, value] of Object.entries(Isolating)) headers.set(name, value);
  const {status, statusText} = response;
  return new Response(response.body, {status, statusText, headers});
}

async function fromNetwork(request) {
  const response = await fetch(request);
  if (response.ok) {
    const cache = await caches.open(CacheName);
    await cache.put(keyOf(request), response.clone());
  }
  return response;
}

async function fromCache(request) {
  return (await caches.match(keyOf(request))) ?? Response.error();
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  event.respondWith(fromNetwork(request).catch(() => fromCache(request)).then(isolated));
});
