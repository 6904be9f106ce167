// The engine's threads in headless Chromium: the page becomes cross-origin
// isolated through its service worker, with one reload that keeps the game,
// and then runs the threaded build; without the service worker it runs the
// single-thread build. A level with two lanes plays the same moves on both
// builds as the native engine.

import assert from "node:assert/strict";
import {after, before, describe, it} from "node:test";

import {
  chooser, closePage, launchBrowser, listedMoves, movesOf, openPage, PageGame, playSomewhere,
  referenceGame, settled, startServer,
} from "./support.mjs";

let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  await server?.stop();
});

// The engine worker's build and the threads its lanes run on, once it is
// ready.
async function engineOf(page) {
  await settled(page);
  const worker = page.workers().find((w) => w.url().endsWith("/worker.js"));
  return worker.evaluate(() => ({glue: Glue, threads}));
}

// A page whose top-level loads are counted in page.loads, opened at url;
// init, if given, runs in every document before the page's scripts.
async function countingLoads(url, {init, ...options} = {}) {
  const page = await openPage(browser, "about:blank", options);
  if (init) await page.context().addInitScript(init);
  page.loads = [];
  page.on("framenavigated", (frame) => {
    if (frame === page.mainFrame()) page.loads.push(frame.url());
  });
  await page.goto(url);
  return page;
}

// Holds the page's registration of its service worker until
// registerServiceWorker() is called: a first visit whose service worker comes
// late, once a game is under way.
function holdRegistration() {
  const container = navigator.serviceWorker;
  const register = container.register.bind(container);
  const released = new Promise((release) => window.registerServiceWorker = release);
  container.register = (...args) => released.then(() => register(...args));
}

const isolated = (page) => page.evaluate(() => self.crossOriginIsolated);

describe("the engine's threads", () => {
  it("come with the service worker's isolation after one reload, which keeps the game on the board",
     async () => {
    const page = await countingLoads(server.url, {init: holdRegistration});
    assert.equal(await isolated(page), false);
    assert.deepEqual(await engineOf(page), {glue: "nanaren.js", threads: 1});
    await page.selectOption("#level", "1");
    const game = new PageGame(page);
    await game.start("black");
    await playSomewhere(game, chooser(3));
    const moves = await listedMoves(page);

    page.loads = [];
    await page.evaluate(() => window.registerServiceWorker());
    await page.waitForFunction(() => self.crossOriginIsolated, null, {timeout: 30000});
    assert.equal(page.loads.length, 1, "one reload");
    const cores = await page.evaluate(() => navigator.hardwareConcurrency);
    const engine = await engineOf(page);
    assert.equal(engine.glue, "nanaren-threads.js");
    assert.equal(engine.threads > 1, cores > 1);
    assert.deepEqual(await listedMoves(page), moves);
    await closePage(page);
  });

  it("play a level of two lanes as the single-thread build and the native engine do", async () => {
    const seed = 1733700777;
    const link = `${server.url}?seed=${seed}&level=7`;
    const threaded = await openPage(browser, link);  // isolated
    assert.equal((await engineOf(threaded)).glue, "nanaren-threads.js");
    const game = new PageGame(threaded);
    await game.start("white");
    const choose = chooser(11);
    for (let move = 0; move < 2 && !(await game.isOver()); ++move) await playSomewhere(game, choose);
    const moves = await listedMoves(threaded);
    await closePage(threaded);
    const personMoves = movesOf(moves, "white");

    const single = await openPage(browser, link, {serviceWorkers: "block"});
    assert.equal(await isolated(single), false);
    assert.deepEqual(await engineOf(single), {glue: "nanaren.js", threads: 1});
    const again = new PageGame(single);
    await again.start("white");
    for (const move of personMoves) {
      assert.equal(await again.click(...move.split("-").map(Number)), true, move);
    }
    assert.deepEqual(await listedMoves(single), moves);
    await closePage(single);

    assert.deepEqual(moves, referenceGame({seed, player: "level:7", human: "white", personMoves}));
  });
});
