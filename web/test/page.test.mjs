// Plays whole games on the page in headless Chromium by clicking, and checks
// every computer move, report, progress step and board against the native
// console game replaying the same clock value, playout count and input.

import assert from "node:assert/strict";
import {mkdirSync} from "node:fs";
import {join} from "node:path";
import {after, before, describe, it} from "node:test";

import {
  chooser, closePage, launchBrowser, nativeGame, openPage as openBrowserPage, PageGame,
  playSomewhere, ScreenshotDirectory, startServer,
} from "./support.mjs";

let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  server?.stop();
});

const openPage = (query) => openBrowserPage(browser, `${server.url}?${query}`);

// Ten computer moves or more make twenty moves or more in all.
function assertSameAsNative(game, seed, {computerMoves = 10} = {}) {
  assert.ok(game.computerMoves.length >= computerMoves);
  const native = nativeGame({seed, playouts: game.playouts, input: game.input});
  assert.deepEqual(game.computerMoves, native.computerMoves);
  assert.deepEqual(game.progress, native.progress);
  return native;
}

async function assertRefusedOccupiedPoint(game) {
  const board = await game.board();
  const last = await game.page.$eval("#board .last-move", (m) => [m.dataset.x, m.dataset.y]);
  assert.equal(await game.click(Number(last[0]), Number(last[1])), false);
  assert.equal(await game.page.textContent("#hint"), "そこには石があります");
  assert.equal(await game.page.locator("#refused").count(), 1);
  assert.deepEqual(await game.board(), board);
  await game.page.waitForSelector("#refused", {state: "detached"});
}

describe("the page plays the native game", () => {
  it("as Black to the end, then White in a new game in the same page", async () => {
    const seed = 1733700000;
    const page = await openPage(`seed=${seed}&playouts=30`);
    const first = new PageGame(page);
    await first.start("black", 300);
    const choose = chooser(1);
    while (!(await first.isOver())) {
      assert.ok(first.input.length < 200, "the game should end");
      await playSomewhere(first, choose);
      if (first.computerMoves.length === 3) await assertRefusedOccupiedPoint(first);
    }
    const native = assertSameAsNative(first, seed);
    assert.equal(native.end, "あなたの負けです");
    assert.equal(await page.textContent("#status"), native.end);
    assert.equal(await page.locator("#pass").isDisabled(), true);
    // The winning move's report stays, but no reply is expected any more.
    assert.equal(await page.locator("#computer-move").isVisible(), true);
    assert.equal(await page.locator("#expected-reply").isVisible(), false);
    assert.equal(await page.locator("#board .expected-reply").count(), 0);

    // The second game in the same wasm module starts from the generator's
    // start state, as a second run of the console game does.
    await page.click("#new-game");
    const second = new PageGame(page);
    await second.start("white", 30);
    const secondChoice = chooser(2);
    for (let move = 0; move < 12; ++move) {
      if (move === 5) await second.pass();
      await playSomewhere(second, secondChoice);
    }
    assertSameAsNative(second, seed);
    const stones = second.computerMoves.at(-1).board.join("").replace(/[ +]/g, "").length;
    assert.ok(stones < second.humanStones + second.computerMoves.length,
              "a capture took stones off the board");
    await closePage(page);
  });

  it("passes as the console does, and shows the report on the board", async () => {
    // Beyond 32 bits, where the wasm build's time_t ends: the seeding reads
    // the low bits only, as natively.
    const seed = 2 ** 32 + 42;
    const page = await openPage(`seed=${seed}&playouts=100`);
    const game = new PageGame(page);
    await game.start("black");
    assert.equal(game.playouts, 100);
    const choose = chooser(3);
    for (let move = 0; move < 11; ++move) {
      await playSomewhere(game, choose);
      if (move === 6) assert.equal(await game.pass(), true);
    }
    assertSameAsNative(game, seed);

    const played = await page.textContent("#computer-move");
    const last = await page.$eval("#board .last-move", (m) => [m.dataset.x, m.dataset.y]);
    assert.equal(played, `AI:${last[0]}, ${last[1]}`);

    const reply = await page.textContent("#expected-reply");
    const marked = await page.$eval("#board .expected-reply", (m) => [m.dataset.x, m.dataset.y]);
    assert.equal(reply, `プレイヤーの着手推定:(${marked[0]}, ${marked[1]})`);
    assert.equal(await page.getAttribute("html", "lang"), "ja");
    mkdirSync(ScreenshotDirectory, {recursive: true});
    await page.screenshot({path: join(ScreenshotDirectory, "game-in-progress.png")});
    await closePage(page);
  });

  it("thinks the console's 20000 playouts by default while the page stays responsive",
     async () => {
    const seed = 1733700000;
    const page = await openPage(`seed=${seed}`);
    await page.selectOption("#level", "exact");
    const game = new PageGame(page);
    await game.choose("white");
    assert.equal(game.playouts, 20000);
    // Only a page whose own thread is free sees the search half done, and
    // answers a click then.
    await page.waitForFunction(() => {
      const bar = document.getElementById("progress");
      return document.getElementById("status").textContent === "[思考中]" &&
          bar.value > 0 && bar.value < 100;
    }, null, {polling: 10});
    await page.click('.target[data-x="5"][data-y="5"]');
    assert.equal(await page.textContent("#hint"), "コンピュータが考えています。お待ち下さい");
    await game.settle();
    assertSameAsNative(game, seed, {computerMoves: 1});
    await closePage(page);
  });
});
