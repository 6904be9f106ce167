// Plays whole games on the page in headless Chromium by clicking, and checks
// every computer move, report, progress step and board against the native
// console game replaying the same clock value, playout count and input.

import assert from "node:assert/strict";
import {mkdirSync} from "node:fs";
import {join} from "node:path";
import {after, before, describe, it} from "node:test";

import {
  chooser, closePage, launchBrowser, nativeGame, openPage as openBrowserPage, PageGame,
  playSomewhere, ScreenshotDirectory, shownReport, startServer,
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

// Ten computer moves or more make twenty moves or more in all. The page's
// report holds the move and its estimate as the console prints them.
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
  assert.equal(await game.page.textContent("#refusal"), "そこには石があります");
  assert.equal(await game.page.locator("#refused").count(), 1);
  assert.deepEqual(await game.board(), board);
}

describe("the page plays the native game", () => {
  it("as Black to the end, then White in a new game in the same page", async () => {
    const seed = 1733700000;
    const page = await openPage(`seed=${seed}`);
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
    assert.equal(await page.locator("#pass").isVisible(), false);
    assert.equal(await page.locator("#resign").isDisabled(), true);
    // The winning move stays in the report, with the result instead of an
    // estimate that no longer means anything.
    assert.match(await page.textContent("#computer-move"), /^白は\d-\dに打ちました$/);
    assert.equal(await page.textContent("#estimate"), "");
    assert.match(await page.textContent("#result-detail"), /^白の勝ち \(\d+手\)$/);
    assert.equal(await page.locator("#board .expected-reply").count(), 0);

    // The second game in the same wasm module starts from the generator's
    // start state, as a second run of the console game does.
    await page.click("#new-game");
    const second = new PageGame(page);
    await second.start("white", 300);
    // A game of the person's choices in which Black captures a stone.
    const secondChoice = chooser(4);
    for (let move = 0; move < 12 && !(await second.isOver()); ++move) {
      if (move === 5) await second.pass();
      await playSomewhere(second, secondChoice);
    }
    assertSameAsNative(second, seed);
    const stones = second.computerMoves.at(-1).board.join("").replace(/[ +]/g, "").length;
    const taken = second.humanStones + second.computerMoves.length - stones;
    assert.ok(taken > 0, "a capture took stones off the board");
    const counted = await page.$$eval("#captures-black, #captures-white",
                                      (all) => all.map((c) => Number(/\d+/.exec(c.textContent)[0])));
    assert.equal(counted[0] + counted[1], taken, "the captures counted beside the board");
    await closePage(page);
  });

  it("passes as the console does, and shows the report on the board", async () => {
    // Beyond 32 bits, where the wasm build's time_t ends: the seeding reads
    // the low bits only, as natively.
    const seed = 2 ** 32 + 42;
    const page = await openPage(`seed=${seed}&playouts=1000`);
    const game = new PageGame(page);
    await game.start("black");
    assert.equal(game.playouts, 1000);
    const choose = chooser(3);
    for (let move = 0; move < 11; ++move) {
      await playSomewhere(game, choose);
      if (move === 6) assert.equal(await game.pass(), true);
    }
    assertSameAsNative(game, seed);

    const report = await shownReport(page);
    const last = await page.$eval("#board .last-move", (m) => `${m.dataset.x}-${m.dataset.y}`);
    assert.equal(report.move, last);
    assert.equal(await page.textContent("#computer-move"), `白は${last}に打ちました`);

    // The reply the computer expects is ringed only on request.
    assert.equal(await page.locator("#board .expected-reply").count(), 0);
    assert.equal(await page.textContent("#expected-reply"), "");
    await page.check("#show-reply");
    const marked = await page.$eval("#board .expected-reply", (m) => `${m.dataset.x}-${m.dataset.y}`);
    assert.equal(report.expectedReply, marked);
    assert.match(await page.textContent("#expected-reply"), new RegExp(`^予想されるあなたの次の手: ${marked} `));
    assert.match(await page.textContent("#estimate"),
                 new RegExp(`あなたの勝率 ${100 - report.winningRate}%\\)$`));
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
      return document.getElementById("status").textContent === "コンピュータが考えています" &&
          bar.value > 0 && bar.value < 100;
    }, null, {polling: 10});
    await page.click('.target[data-x="5"][data-y="5"]');
    assert.equal(await page.textContent("#refusal"), "コンピュータが考えています。お待ち下さい");
    await game.settle();
    assertSameAsNative(game, seed, {computerMoves: 1});
    await closePage(page);
  });
});
