// The page as a place to play, in headless Chromium: levels, take-backs,
// resuming after a reload, the end and its record, refusals, English, the
// keyboard, a phone and the dark scheme, installing and playing offline.
// Games of the exact player are held to the native console, games of the
// levels to the native engine playing the same person's moves.

import assert from "node:assert/strict";
import {mkdirSync, readFileSync} from "node:fs";
import {join} from "node:path";
import {after, before, describe, it} from "node:test";

import {parseRecord, parseRecordQuery} from "../record.js";
import {
  chooser, closePage, launchBrowser, launchProfile, listedMoves, movesOf, nativeGame, openPage, PageGame,
  playSomewhere, referenceGame, ScreenshotDirectory, settled, startServer,
} from "./support.mjs";

let server;
let browser;

before(async () => {
  server = await startServer();
  browser = await launchBrowser();
  mkdirSync(ScreenshotDirectory, {recursive: true});
});

after(async () => {
  await browser?.close();
  await server?.stop();
});

const address = (query) => `${server.url}?${query}`;

// The computer's moves of a native console game as the record writes them.
function nativeComputerMoves(seed, playouts, colour, personMoves) {
  const input = [colour === "black" ? "1" : "2", ...personMoves.map((m) => m.replace("-", " "))];
  const native = nativeGame({seed, playouts, input});
  return {
    moves: native.computerMoves.map(({report}) => /^AI:(\d), (\d)$/.exec(report[0]).slice(1).join("-")),
    end: native.end,
  };
}

async function storedGame(page) {
  return page.evaluate(() => localStorage.getItem("nanaren.game"));
}

// The winning stones ringed and the lines drawn through them, in board
// points.
async function winningMarks(page) {
  const stones = await page.$$eval("#board .winning", (all) =>
    all.map((s) => `${s.dataset.x}-${s.dataset.y}`));
  const lines = await page.$$eval("#board .win-line", (all) => all.map((l) =>
    ["x1", "y1", "x2", "y2"].map((a) => Number(l.getAttribute(a)) / 50)));
  return {stones, lines};
}

async function tabTo(page, wanted) {
  for (let presses = 0; presses < 30; ++presses) {
    await page.keyboard.press("Tab");
    if (await page.evaluate(wanted)) return;
  }
  assert.fail("the focus never got there");
}

// Positions set up by records of a level game, whose computer moves a replay
// follows without searching. White to move: Black has just taken the stone
// on 5-5 (ko), and 9-9 is surrounded by Black (suicide).
const KoAndSuicide = "5-4 6-4 4-5 5-5 5-6 7-5 8-9 6-6 9-8 1-1 6-5";
// Black to move, with 1-3 to 4-3 and 6-3 to 8-3 on the board: 5-3 makes eight.
const Overline = "1-3 1-7 2-3 3-7 3-3 5-7 4-3 7-7 6-3 9-7 7-3 2-5 8-3 4-5";
const recordLink = (you, moves) => address(`seed=1&you=${you}&level=1&moves=${moves}`);

describe("the page as a game app", () => {
  it("lists the engine's levels, level 4 first, and plays a level game as the engine does",
     async () => {
    const seed = 1733700123;
    const page = await openPage(browser, address(`seed=${seed}`));
    await page.waitForSelector("#play-black:enabled");
    const options = await page.$$eval("#level option", (all) => all.map((o) => o.textContent));
    assert.equal(options.length, 7 + 1);  // LevelCount levels, then the exact game
    options.slice(0, 7).forEach((text, i) => assert.match(text, new RegExp(`^レベル${i + 1} \\([^)]+\\)`)));
    assert.equal(await page.inputValue("#level"), "4");

    await page.selectOption("#level", "1");
    const game = new PageGame(page);
    await game.start("white");
    const choose = chooser(5);
    for (let move = 0; move < 10 && !(await game.isOver()); ++move) await playSomewhere(game, choose);
    const moves = await listedMoves(page);
    assert.ok(moves.length >= 20);
    assert.deepEqual(moves, referenceGame({
      seed, player: "level:1", human: "white", personMoves: movesOf(moves, "white"),
    }));
    assert.match(await page.textContent("#colours"), /レベル1/);
    await closePage(page);
  });

  it("takes a move back to the same reply, and resumes the game after a reload", async () => {
    const seed = 1733700456;
    const page = await openPage(browser, address(`seed=${seed}&playouts=100`));
    const game = new PageGame(page);
    await game.start("black");
    const choose = chooser(6);
    for (let move = 0; move < 4; ++move) await playSomewhere(game, choose);
    const played = await listedMoves(page);
    const board = await game.board();

    await page.click("#take-back");
    await settled(page);
    assert.deepEqual(await listedMoves(page), played.slice(0, -2));
    assert.equal(await page.locator("#report").isVisible(), false);
    const [x, y] = played.at(-2).split("-").map(Number);
    assert.equal(await game.click(x, y), true);
    assert.deepEqual(await listedMoves(page), played);
    assert.deepEqual(await game.board(), board);

    // The reload replays the kept record through the engine, which searches
    // the computer's moves again; the game then goes on as a straight one.
    await page.reload();
    await game.watchProgress();
    await settled(page);
    assert.deepEqual(await listedMoves(page), played);
    assert.deepEqual(await game.board(), board);
    await playSomewhere(game, choose);
    const moves = await listedMoves(page);
    const native = nativeComputerMoves(seed, 100, "black", movesOf(moves, "black"));
    assert.deepEqual(movesOf(moves, "white"), native.moves);
    await closePage(page);
  });

  it("marks the winning line, steps through the game, and hands out a record that replays it",
     async () => {
    // A computer that does not search plays the first point it may and
    // leaves row 5 open.
    const seed = 7;
    const page = await openPage(browser, address(`seed=${seed}&playouts=-1`),
                                {permissions: ["clipboard-read", "clipboard-write"]});
    const game = new PageGame(page);
    await game.start("black");
    for (let x = 1; x <= 7; ++x) assert.equal(await game.click(x, 5), true);
    const moves = await listedMoves(page);
    const native = nativeComputerMoves(seed, -1, "black", movesOf(moves, "black"));
    assert.deepEqual(movesOf(moves, "white"), native.moves);
    assert.equal(native.end, "あなたの勝ちです");
    assert.equal(await page.textContent("#status"), native.end);
    const row5 = {stones: [1, 2, 3, 4, 5, 6, 7].map((x) => `${x}-5`), lines: [[1, 5, 7, 5]]};
    assert.deepEqual(await winningMarks(page), row5);
    assert.equal(await page.textContent("#result-text"), native.end);
    assert.equal(await page.textContent("#result-detail"), "黒の勝ち (13手)");
    assert.equal(await page.locator("#rematch").isVisible(), true);
    assert.equal(await page.locator("#report").isVisible(), false, "no stale report");
    assert.equal(await storedGame(page), null, "a finished game is not resumed");

    // Back one move with the key, to the start, and to the end again.
    await page.keyboard.press("ArrowLeft");
    assert.equal((await game.board()).join("").replace(/[ +]/g, "").length, 12);
    assert.deepEqual(await winningMarks(page), {stones: [], lines: []});
    assert.equal(await page.textContent("#review-at"), "12手目");
    await page.keyboard.press("Home");
    assert.equal((await game.board()).join("").replace(/[ +]/g, "").length, 0);
    await page.click("#review-end");
    assert.deepEqual(await winningMarks(page), row5);

    const download = page.waitForEvent("download");
    await page.click("#record");
    const file = readFileSync(await (await download).path(), "utf8");
    const expected = {seed, human: 1, computer: "exact:-1", moves: moves.join(" ")};
    assert.deepEqual(parseRecord(file), {record: expected});
    await page.waitForFunction(() => document.getElementById("record-status").textContent !== "");
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), file);
    const link = await page.getAttribute("#record-link", "href");
    assert.deepEqual(parseRecordQuery(link), {record: expected});

    const replayed = await openPage(browser, new URL(link, server.url).href);
    await settled(replayed);
    const again = new PageGame(replayed);
    assert.deepEqual(await again.board(), await game.board());
    assert.deepEqual(await listedMoves(replayed), moves);
    assert.deepEqual(await winningMarks(replayed), row5);
    assert.equal(await replayed.textContent("#result-text"), native.end);
    assert.equal(await replayed.evaluate(() => location.search), "");
    // The saved file opens the same game.
    await replayed.click("#new-game");
    await replayed.setInputFiles("#open-record",
                                 {name: "won.txt", mimeType: "text/plain", buffer: Buffer.from(file)});
    await replayed.waitForSelector("#result:not([hidden])");
    assert.deepEqual(await listedMoves(replayed), moves);
    await closePage(replayed);

    // Taken back after the end, the winning move leaves the board and the
    // game goes on, kept for a reload again.
    await page.click("#take-back");
    await settled(page);
    assert.deepEqual(await listedMoves(page), moves.slice(0, -1));
    assert.deepEqual(await winningMarks(page), {stones: [], lines: []});
    assert.equal(await page.locator("#result").isVisible(), false);
    assert.equal(await page.textContent("#status"), "あなたの手番です");
    assert.notEqual(await storedGame(page), null);
    await closePage(page);
  });

  it("refuses a malformed link or record with a message and a fresh game", async () => {
    const page = await openPage(browser, server.url);
    const refused = [
      ["seed=x&you=black&level=1&moves=5-5", /seed/],
      ["seed=1&you=black&moves=5-5", /computer/],
      ["seed=1&you=black&level=99&moves=5-5", /computer/],
      ["seed=1&you=black&level=1&moves=5-5+5-5", /move 2 \(5-5\)/],
      ["seed=1&you=black&level=1&moves=5-5+4-x", /move 2 \(4-x\)/],
      // The exact player's first choice is the first point it may play,
      // never the last of the board.
      ["seed=7&you=black&playouts=-1&moves=1-5+9-9", /move 2 \(9-9\): the computer plays/],
    ];
    for (const [query, message] of refused) {
      await page.goto(address(query));
      await settled(page);
      assert.match(await page.textContent("#notice"), message, query);
      assert.equal(await page.locator("#setup").isVisible(), true, query);
      assert.equal(await page.locator("#game").isVisible(), false, query);
      assert.equal(await page.evaluate(() => location.search), "", query);
      assert.equal(await storedGame(page), null, query);
    }
    await page.setInputFiles("#open-record", {
      name: "cut.txt", mimeType: "text/plain", buffer: Buffer.from("nanaren record 1\nseed: 1\n"),
    });
    await page.waitForFunction(() => /you/.test(document.getElementById("notice").textContent));
    assert.equal(await page.locator("#setup").isVisible(), true);
    await closePage(page);
  });

  it("names the reason a point is refused", async () => {
    const page = await openPage(browser, recordLink("white", KoAndSuicide));
    await settled(page);
    const game = new PageGame(page);
    await game.watchProgress();
    const reasons = [
      [5, 5, "コウです"], [9, 9, "自殺手です"], [5, 4, "そこには石があります"],
    ];
    for (const [x, y, reason] of reasons) {
      assert.equal(await game.click(x, y), false);
      assert.match(await page.textContent("#hint"), new RegExp(`^${reason}`));
    }
    await page.goto(recordLink("black", Overline));
    await settled(page);
    await game.watchProgress();
    assert.equal(await game.click(5, 3), false);
    assert.match(await page.textContent("#hint"), /^長連です/);
    await closePage(page);
  });

  it("speaks English when asked, everywhere, and remembers it", async () => {
    const page = await openPage(browser, address("seed=3&level=1"));
    const game = new PageGame(page);
    await game.start("black");
    await game.click(5, 5);
    await page.selectOption("#lang", "en");
    assert.equal(await page.getAttribute("html", "lang"), "en");
    assert.equal(await page.textContent("#status"), "Your move");
    const japanese = () => page.evaluate(() => {
      const isJapanese = (text) => /[\u3040-\u30ff\u3400-\u9fff]/.test(text);
      const found = [];
      const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
      for (let node; (node = walker.nextNode());) {
        if (!node.parentElement.closest("#lang") && isJapanese(node.data)) found.push(node.data);
      }
      for (const element of document.querySelectorAll("[aria-label], [title]")) {
        const label = element.getAttribute("aria-label") ?? element.title;
        if (isJapanese(label)) found.push(label);
      }
      return isJapanese(document.title) ? [...found, document.title] : found;
    });
    assert.deepEqual(await japanese(), []);
    assert.equal(await game.click(5, 5), false);
    assert.equal(await page.textContent("#hint"), "That point is taken");

    await page.reload();
    await settled(page);
    assert.equal(await page.getAttribute("html", "lang"), "en");
    assert.equal(await page.textContent("#status"), "Your move");
    await page.selectOption("#lang", "ja");
    assert.equal(await page.getAttribute("html", "lang"), "ja");
    assert.equal(await page.textContent("#status"), "あなたの手番です");
    await closePage(page);
  });

  it("plays a whole game from the keyboard alone", async () => {
    const seed = 7;
    const page = await openPage(browser, address(`seed=${seed}&playouts=-1`));
    await page.waitForSelector("#play-black:enabled");
    await tabTo(page, () => document.activeElement.id === "play-black");
    await page.keyboard.press("Enter");
    await settled(page);
    await tabTo(page, () => document.activeElement.classList.contains("target"));
    const focused = () => page.evaluate(() => {
      const point = document.activeElement;
      return {at: `${point.dataset.x}-${point.dataset.y}`, ring: getComputedStyle(point).stroke};
    });
    assert.equal((await focused()).at, "5-5");
    assert.notEqual((await focused()).ring, "none", "the focus is visible");
    for (let step = 0; step < 4; ++step) await page.keyboard.press("ArrowLeft");
    for (let x = 1; x <= 7; ++x) {
      assert.equal((await focused()).at, `${x}-5`);
      await page.keyboard.press(x % 2 === 0 ? "Space" : "Enter");
      await settled(page);
      await page.keyboard.press("ArrowRight");
    }
    const moves = await listedMoves(page);
    assert.deepEqual(movesOf(moves, "black"), [1, 2, 3, 4, 5, 6, 7].map((x) => `${x}-5`));
    const native = nativeComputerMoves(seed, -1, "black", movesOf(moves, "black"));
    assert.deepEqual(movesOf(moves, "white"), native.moves);
    assert.equal(await page.textContent("#status"), "あなたの勝ちです");
    await closePage(page);
  });

  it("can be installed, and loads and plays offline after one visit", async () => {
    const own = await startServer();
    let page;
    let devtools;
    try {
      page = await openPage(await launchProfile(), own.url);
      await page.waitForSelector("#play-black:enabled");
      await page.evaluate(() => navigator.serviceWorker.ready);
      devtools = await page.context().newCDPSession(page);
      const {installabilityErrors} = await devtools.send("Page.getInstallabilityErrors");
      assert.deepEqual(installabilityErrors, []);
    } finally {
      await own.stop();
    }
    // Only the service worker's copies may answer: not the HTTP cache.
    await devtools.send("Network.clearBrowserCache");
    await page.reload();
    await page.selectOption("#level", "1");
    const game = new PageGame(page);
    await game.start("black");
    assert.equal(await game.click(5, 5), true);
    assert.equal((await listedMoves(page)).length, 2);
    await closePage(page);
  });

  it("fits a 390 px phone, follows the dark scheme, and is drawn for the README", async () => {
    // A game in the middle, with the report of a computer move.
    const link = recordLink("black", "5-5 4-4 6-4 4-6 4-5 6-6 3-6 5-3 7-3 2-7 6-5 3-5");
    const openGame = async (options) => {
      const page = await openPage(browser, link, options);
      await settled(page);
      const game = new PageGame(page);
      await game.watchProgress();
      assert.equal(await game.click(7, 5), true);
      return page;
    };
    const desktop = await openGame({viewport: {width: 960, height: 620}});
    await desktop.screenshot({path: join(ScreenshotDirectory, "desktop.png")});
    await closePage(desktop);

    const phone = await openGame({viewport: {width: 390, height: 844}, isMobile: true, hasTouch: true});
    const centre = async (x, y) => {
      const box = await phone.locator(`.target[data-x="${x}"][data-y="${y}"]`).boundingBox();
      return [box.x + box.width / 2, box.y + box.height / 2];
    };
    const [[x1, y1], [x2], [, y2]] = [await centre(5, 5), await centre(6, 5), await centre(5, 6)];
    assert.ok(x2 - x1 >= 40 && y2 - y1 >= 40, `points ${x2 - x1} px apart`);
    const labelPixels = await phone.$eval("#board .label", (label) =>
      parseFloat(getComputedStyle(label).fontSize) * label.ownerSVGElement.getScreenCTM().a);
    assert.ok(labelPixels >= 12, `labels ${labelPixels} px`);
    assert.ok(await phone.evaluate(() => document.documentElement.scrollWidth <= 390));
    await phone.screenshot({path: join(ScreenshotDirectory, "phone.png")});
    await closePage(phone);

    const dark = await openPage(browser, link, {colorScheme: "dark"});
    await settled(dark);
    const background = await dark.evaluate(() =>
      getComputedStyle(document.documentElement).backgroundColor);
    const channels = background.match(/\d+/g).map(Number);
    assert.ok(channels.slice(0, 3).every((c) => c < 64), background);
    await dark.screenshot({path: join(ScreenshotDirectory, "dark.png")});
    await closePage(dark);
  });
});
