// Keeps every file of the site, so that after one visit the game starts and
// plays with no server at all. The cache is named for the files' contents
// (the build writes the name and the list): a new build fills a cache of its
// own, which takes over once no page of the old one is open, so a page never
// mixes the files of two builds.
const cacheName = 'morvane-@MORVANE_SITE_VERSION@';
const files = [
  './',
@MORVANE_SITE_FILES@];

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, which may still hold the last build.
  const fresh = files.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)));
  // Where the browser can, it answers the site's requests from the cache by
  // itself, with no start of this worker and no call of its handler below.
  if (event.addRoutes) {
    const site = files.map((file) => ({ urlPattern: new URLPattern(file, self.location.href) }));
    event.waitUntil(event.addRoutes({ condition: { or: site }, source: { cacheName } }));
  }
});

self.addEventListener('activate', (event) => {
  const old = (name) => name.startsWith('morvane-') && name !== cacheName;
  event.waitUntil(caches.keys().then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name)))));
});

// Opened once for all the page's requests, not once for each.
const kept = caches.open(cacheName);

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET')
    return;
  event.respondWith(kept.then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((file) => file || fetch(event.request)));
});
