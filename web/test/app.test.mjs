// The page as a place to play, in headless Chromium: levels, take-backs,
// resuming after a reload, two people, the end and its record, links beside
// an unfinished game, the stop button, malformed links, refusals, English,
// the keyboard, installing and playing offline, a phone and the dark scheme.
// Games of the exact player are held to the native console, games of the
// levels to the native engine playing the same person's moves.

import assert from "node:assert/strict";
import {mkdirSync, readFileSync} from "node:fs";
import {join} from "node:path";
import {after, before, describe, it} from "node:test";

import {parseRecord} from "../record.js";
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
  return {moves: native.computerMoves.map(({report}) => report.move), end: native.end};
}

async function storedGames(page) {
  return page.evaluate(() => JSON.parse(localStorage.getItem("nanaren.games") ?? "[]"));
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

// A point played in a game between two people: true when the engine took it.
async function put(page, x, y) {
  const before = (await listedMoves(page)).length;
  await page.click(`.target[data-x="${x}"][data-y="${y}"]`);
  await settled(page);
  return (await listedMoves(page)).length > before;
}

// The tops of the board, the report, the buttons and the move list, which
// stay where they are whatever the report shows.
const layout = (page) => page.evaluate(() =>
  ["board", "report", "take-back", "moves"].map((id) => document.getElementById(id).getBoundingClientRect().top));

describe("the page as a game app", () => {
  it("opens on an empty board with a line about the game, offers the levels in plain words, " +
     "and plays a level game as the engine does", async () => {
    const seed = 1733700123;
    // The measured shares come from a file, not through the service worker.
    const page = await openPage(browser, address(`seed=${seed}`), {serviceWorkers: "block"});
    await page.waitForSelector("#play-black:enabled");
    assert.equal(await page.locator("#board").isVisible(), true);
    assert.equal(await page.locator("#board .stone").count(), 0);
    assert.notEqual(await page.textContent("#tagline"), "");
    const options = await page.$$eval("#level option", (all) => all.map((o) => [o.value, o.textContent]));
    assert.deepEqual(options.map(([value]) => value), ["1", "2", "3", "4", "5", "6", "7", "8", "exact", "human"]);
    // What each level does, in words: never a statistic in the list.
    const abouts = new Set();
    for (const [value, text] of options) {
      assert.doesNotMatch(text, /%/);
      await page.selectOption("#level", value);
      abouts.add(await page.textContent("#level-about"));
    }
    assert.equal(abouts.size, options.length);
    // The measured shares, when the ladder has been measured, in a line of
    // their own.
    await page.route("**/strength.json", (route) => route.fulfill({json: {
      signature: "0", levels: [{level: 2, against: "level:1", games: 200, score: 0.96, low: 0.923, high: 0.98}],
    }}));
    await page.reload();
    await page.waitForSelector("#play-black:enabled");
    assert.equal(await page.inputValue("#level"), "2", "a level a newcomer can beat, first");
    assert.equal(await page.textContent("#level-measured"), "計測: レベル1に200局で勝率96% (95%区間 92〜98%)");

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

  it("takes a move back to the same reply, the layout in place, and resumes the game after a reload",
     async () => {
    const seed = 1733700456;
    const page = await openPage(browser, address(`seed=${seed}&playouts=300`));
    const game = new PageGame(page);
    await game.start("black");
    const choose = chooser(6);
    for (let move = 0; move < 4; ++move) await playSomewhere(game, choose);
    const played = await listedMoves(page);
    const board = await game.board();
    const shown = await layout(page);

    await page.click("#take-back");
    await settled(page);
    assert.deepEqual(await listedMoves(page), played.slice(0, -2));
    assert.equal(await page.getAttribute("#report", "data-kind"), "none", "no report of a move taken back");
    assert.deepEqual(await layout(page), shown);
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
    const native = nativeComputerMoves(seed, 300, "black", movesOf(moves, "black"));
    assert.deepEqual(movesOf(moves, "white"), native.moves);
    await closePage(page);
  });

  it("plays two people to a win with a take-back, steps through it, and hands out a record, " +
     "an SGF file and a link that replay it", async () => {
    const page = await openPage(browser, address("level=human"),
                                {permissions: ["clipboard-read", "clipboard-write"]});
    await page.waitForSelector("#play-two:enabled");
    await page.click("#play-two");
    await settled(page);
    // Three passes each first, so that the move list scrolls at the end.
    for (let pass = 0; pass < 6; ++pass) {
      await page.click("#pass");
      await settled(page);
    }
    for (let x = 1; x <= 7; ++x) {
      assert.equal(await put(page, x, 5), true);
      if (x === 7) break;
      if (x === 3) {
        assert.equal(await put(page, 9, 9), true);
        await page.click("#take-back");
        await settled(page);
        assert.equal(await page.textContent("#status"), "白の番です");
      }
      assert.equal(await put(page, x, 8), true);
    }
    const moves = await listedMoves(page);
    assert.equal(moves.length, 19);
    const row5 = {stones: [1, 2, 3, 4, 5, 6, 7].map((x) => `${x}-5`), lines: [[1, 5, 7, 5]]};
    assert.deepEqual(await winningMarks(page), row5);
    // The result once, in the words of someone who watched.
    const side = await page.textContent("#side");
    assert.equal(side.split("黒の勝ち").length - 1, 1, side);
    assert.equal(await page.textContent("#status"), "黒の勝ちです");
    assert.equal(await storedGames(page).then((games) => games[0].over), true);
    // The move list shows whole rows, the last at the bottom.
    const list = await page.$eval("#moves", (l) => ({top: l.scrollTop, row: l.firstElementChild.offsetHeight}));
    assert.ok(list.top > 0 && list.top % list.row === 0, JSON.stringify(list));

    await page.keyboard.press("ArrowLeft");
    assert.deepEqual(await winningMarks(page), {stones: [], lines: []});
    assert.equal(await page.textContent("#review-at"), "18手目");
    await page.keyboard.press("Home");
    assert.equal(await page.locator("#board .stone").count(), 0);
    await page.click("#review-end");
    assert.deepEqual(await winningMarks(page), row5);

    const download = page.waitForEvent("download");
    await page.click("#record");
    const file = readFileSync(await (await download).path(), "utf8");
    const {record} = parseRecord(file, {levelCount: 7, clock: 0});
    assert.deepEqual([record.opponent, record.moves], ["human", moves.join(" ")]);
    await page.waitForFunction(() => document.getElementById("record-status").textContent !== "");
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), file);
    const link = await page.getAttribute("#record-link", "href");
    const sgfDownload = page.waitForEvent("download");
    await page.click("#record-sgf");
    const sgf = readFileSync(await (await sgfDownload).path(), "utf8");
    // Black's line of seven, the passes as empty moves, and no one named.
    assert.match(sgf, /^\(;FF\[4\]GM\[1\]SZ\[9\]CA\[UTF-8\].*RE\[B\+\]\n;B\[\]\n;W\[\]\n/);
    assert.doesNotMatch(sgf, /P[BW]\[/);
    await page.waitForFunction(() =>
      document.getElementById("record-status").textContent === "SGFファイルに保存しました");

    // A link's game is shown under its own address, to a viewer.
    const replayed = await openPage(browser, new URL(link, server.url).href);
    await settled(replayed);
    assert.deepEqual(await listedMoves(replayed), moves);
    assert.deepEqual(await winningMarks(replayed), row5);
    assert.equal(await replayed.textContent("#status"), "黒の勝ちです");
    assert.equal(await replayed.evaluate(() => location.search), link);
    // The saved file opens the same game.
    await replayed.click("#new-game");
    assert.equal(await replayed.evaluate(() => location.search), "");
    await replayed.setInputFiles("#open-record",
                                 {name: "won.txt", mimeType: "text/plain", buffer: Buffer.from(file)});
    await replayed.waitForSelector("#game.over");
    assert.deepEqual(await listedMoves(replayed), moves);
    // So does the SGF file.
    await replayed.click("#new-game");
    await replayed.setInputFiles("#open-record",
                                 {name: "won.sgf", mimeType: "application/x-go-sgf", buffer: Buffer.from(sgf)});
    await replayed.waitForSelector("#game.over");
    assert.deepEqual(await listedMoves(replayed), moves);
    assert.deepEqual(await winningMarks(replayed), row5);
    assert.equal(await replayed.textContent("#status"), "黒の勝ちです");
    await closePage(replayed);

    // Taken back after the end, the winning move leaves the board and the
    // game goes on.
    await page.click("#take-back");
    await settled(page);
    assert.deepEqual(await listedMoves(page), moves.slice(0, -1));
    assert.deepEqual(await winningMarks(page), {stones: [], lines: []});
    assert.equal(await page.textContent("#status"), "黒の番です");
    assert.equal(await storedGames(page).then((games) => games[0].over), false);
    await closePage(page);
  });

  it("keeps an unfinished game when a link is opened, and resumes it from the recent games",
     async () => {
    const page = await openPage(browser, address("seed=11&level=1"));
    const game = new PageGame(page);
    await game.start("black");
    assert.equal(await game.click(5, 5), true);
    const unfinished = await listedMoves(page);

    const link = recordLink("black", "1-1");
    await page.goto(link);
    await settled(page);
    assert.equal((await listedMoves(page))[0], "1-1");
    assert.equal(await page.evaluate(() => location.href), link);
    const recent = await page.$$eval("#recent li", (all) => all.map((li) => li.textContent));
    assert.equal(recent.length, 1);
    assert.match(recent[0], /レベル1.*2手.*対局中/);

    await page.click("#recent .recent-open");
    await settled(page);
    assert.deepEqual(await listedMoves(page), unfinished);
    assert.equal(await page.textContent("#status"), "あなたの手番です");
    assert.equal(await page.evaluate(() => location.search), "");
    await closePage(page);
  });

  it("says so when the browser cannot keep the games", async () => {
    const page = await openPage(browser, address("level=1"));
    await page.addInitScript(() => {
      Storage.prototype.setItem = () => {
        throw new DOMException("full", "QuotaExceededError");
      };
    });
    await page.reload();
    const game = new PageGame(page);
    await game.start("black");
    assert.equal(await game.click(5, 5), true);
    assert.match(await page.textContent("#notice"), /保存領域がいっぱい/);
    await closePage(page);
  });

  it("stops a long search and gives the turn back", async () => {
    const page = await openPage(browser, address("seed=5&playouts=50000"));
    const game = new PageGame(page);
    await game.start("black");
    await page.click('.target[data-x="5"][data-y="5"]');
    await page.waitForFunction(() => document.getElementById("progress").value > 0, null, {polling: 10});
    assert.equal(await page.locator("#new-game").isEnabled(), true);
    await page.click("#stop");
    await settled(page);
    assert.equal(await page.textContent("#status"), "あなたの手番です");
    assert.deepEqual(await listedMoves(page), []);
    assert.equal(await page.locator("#board .stone").count(), 0);
    // The fresh engine plays on, until the person resigns.
    assert.equal(await game.click(4, 4), true);
    assert.equal((await listedMoves(page)).length, 2);
    await page.click("#resign");
    await settled(page);
    assert.equal(await page.textContent("#status"), "あなたの負けです");
    assert.equal(await page.textContent("#result-detail"), "黒が投了しました。白の勝ち (3手)");
    await closePage(page);
  });

  it("answers a malformed link or record about the field and the text that are wrong", async () => {
    const page = await openPage(browser, server.url);
    const refused = [
      ["moves=5-5+5-5", /moves の2手目「5-5」/],
      ["moves=zz", /moves の1手目「zz」/],
      ["moves=", /moves に着手がありません/],
      ["level=2&moves=10-10", /moves の1手目「10-10」/],
      ["level=99", /level の「99」/],
      ["playouts=-5", /playouts の「-5」/],
      ["playouts=99999999", /playouts の「99999999」/],
      ["seed=x&you=black&level=1&moves=5-5", /seed の「x」/],
      // The exact player's first choice is never the last point of the board.
      ["seed=7&you=black&playouts=300&moves=1-5+9-9", /moves の2手目「9-9」はコンピュータ/],
    ];
    for (const [query, message] of refused) {
      await page.goto(address(query));
      await settled(page);
      assert.match(await page.textContent("#notice"), message, query);
      assert.equal(await page.locator("#setup").isVisible(), true, query);
      assert.deepEqual(await storedGames(page), [], query);
    }
    const playouts = await page.$$eval("#playouts option", (all) => all.map((o) => o.value));
    assert.deepEqual(playouts, ["300", "1000", "5000", "20000", "50000"]);
    await page.setInputFiles("#open-record", {
      name: "cut.txt", mimeType: "text/plain", buffer: Buffer.from("nanaren record 1\nseed: 1\n"),
    });
    await page.waitForFunction(() => /computer/.test(document.getElementById("notice").textContent));
    // White's W[ee], on Black's stone, begins at the eighth byte of the second line.
    await page.setInputFiles("#open-record", {
      name: "taken.sgf", mimeType: "application/x-go-sgf",
      buffer: Buffer.from("(;FF[4]GM[1]SZ[9]\n;B[ee];W[ee])\n"),
    });
    await page.waitForFunction(() => /SGF|2行目/.test(document.getElementById("notice").textContent));
    assert.equal(await page.textContent("#notice"), "この棋譜ファイルは開けません: " +
                 "2行目の8バイト目: W: move 2 (W[ee]): White may not play there (occupied)");
    assert.equal(await page.locator("#setup").isVisible(), true);
    // A link without a seed gets a fresh one.
    await page.goto(address("level=1&moves=5-5"));
    await settled(page);
    assert.equal((await listedMoves(page)).length, 2);
    await closePage(page);
  });

  it("names the reason a point is refused, until the next move that stands", async () => {
    const page = await openPage(browser, recordLink("white", KoAndSuicide));
    await settled(page);
    const game = new PageGame(page);
    await game.watchProgress();
    const reasons = [
      [5, 5, "コウです"], [9, 9, "自殺手です"], [5, 4, "そこには石があります"],
    ];
    for (const [x, y, reason] of reasons) {
      assert.equal(await game.click(x, y), false);
      assert.match(await page.textContent("#refusal"), new RegExp(`^${reason}`));
      assert.equal(await page.locator("#refused").count(), 1);
    }
    assert.equal(await game.click(1, 9), true);
    assert.equal(await page.textContent("#refusal"), "");
    assert.equal(await page.locator("#refused").count(), 0);
    await page.goto(recordLink("black", Overline));
    await settled(page);
    await game.watchProgress();
    assert.equal(await game.click(5, 3), false);
    assert.match(await page.textContent("#refusal"), /^長連です/);
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
    assert.equal(await page.textContent("#refusal"), "That point is taken");

    await page.click("#sound");
    assert.equal(await game.click(4, 4), true, "a move with its sound");
    await page.reload();
    await settled(page);
    assert.equal(await page.getAttribute("html", "lang"), "en");
    assert.equal(await page.getAttribute("#sound", "aria-pressed"), "true");
    assert.equal(await page.textContent("#status"), "Your move");
    await page.selectOption("#lang", "ja");
    assert.equal(await page.getAttribute("html", "lang"), "ja");
    assert.equal(await page.textContent("#status"), "あなたの手番です");
    await closePage(page);
  });

  it("plays a whole game between two people from the keyboard alone", async () => {
    const page = await openPage(browser, address("level=human"));
    await page.waitForSelector("#play-two:enabled");
    await tabTo(page, () => document.activeElement.id === "play-two");
    await page.keyboard.press("Enter");
    await settled(page);
    await tabTo(page, () => document.activeElement.classList.contains("target"));
    const focused = () => page.evaluate(() => {
      const point = document.activeElement;
      return {at: `${point.dataset.x}-${point.dataset.y}`, ring: getComputedStyle(point).stroke};
    });
    assert.equal((await focused()).at, "5-5");
    assert.notEqual((await focused()).ring, "none", "the focus is visible");
    const press = async (key, times = 1) => {
      for (let i = 0; i < times; ++i) await page.keyboard.press(key);
    };
    await press("ArrowLeft", 4);
    // Black along row 5, White along row 8.
    for (let x = 1; x <= 7; ++x) {
      assert.equal((await focused()).at, `${x}-5`);
      await press(x % 2 === 0 ? "Space" : "Enter");
      await settled(page);
      if (x === 7) break;
      await press("ArrowDown", 3);
      await press("Enter");
      await settled(page);
      await press("ArrowUp", 3);
      await press("ArrowRight");
    }
    const moves = await listedMoves(page);
    assert.deepEqual(movesOf(moves, "black"), [1, 2, 3, 4, 5, 6, 7].map((x) => `${x}-5`));
    assert.deepEqual(movesOf(moves, "white"), [1, 2, 3, 4, 5, 6].map((x) => `${x}-8`));
    assert.equal(await page.textContent("#status"), "黒の勝ちです");
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

  it("fits a 390 px phone in both languages, follows the dark scheme, and is drawn for the README",
     async () => {
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
    const fits = (page) => page.evaluate(() => document.documentElement.scrollWidth <= innerWidth);
    const desktop = await openGame({viewport: {width: 960, height: 620}});
    // With the coach's hint, ringed on the board.
    await desktop.click("#hint");
    await desktop.waitForSelector("#board .hint-ring");
    await desktop.screenshot({path: join(ScreenshotDirectory, "desktop.png")});
    await closePage(desktop);

    const onPhone = {viewport: {width: 390, height: 844}, isMobile: true, hasTouch: true};
    for (const locale of ["ja-JP", "en-GB"]) {
      const first = await openPage(browser, server.url, {...onPhone, locale});
      await first.waitForSelector("#play-black:enabled");
      assert.ok(await fits(first), `the first screen in ${locale}`);
      await closePage(first);
    }
    const phone = await openGame(onPhone);
    const centre = async (x, y) => {
      const box = await phone.locator(`.target[data-x="${x}"][data-y="${y}"]`).boundingBox();
      return [box.x + box.width / 2, box.y + box.height / 2];
    };
    const [[x1, y1], [x2], [, y2]] = [await centre(5, 5), await centre(6, 5), await centre(5, 6)];
    assert.ok(x2 - x1 >= 40 && y2 - y1 >= 40, `points ${x2 - x1} px apart`);
    const labelPixels = await phone.$eval("#board .label", (label) =>
      parseFloat(getComputedStyle(label).fontSize) * label.ownerSVGElement.getScreenCTM().a);
    assert.ok(labelPixels >= 12, `labels ${labelPixels} px`);
    assert.ok(await fits(phone));
    // The review's buttons share one line (laid out while hidden, too).
    const reviewRows = await phone.$$eval(".review-buttons button", (all) => new Set(all.map((b) => b.offsetTop)).size);
    assert.equal(reviewRows, 1);
    await phone.screenshot({path: join(ScreenshotDirectory, "phone.png")});
    await phone.selectOption("#lang", "en");
    assert.ok(await fits(phone), "the game in English");
    await closePage(phone);

    const dark = await openGame({colorScheme: "dark", locale: "en-GB"});
    const colour = (selector, property) => dark.$eval(selector, (element, name) =>
      getComputedStyle(element)[name].match(/\d+/g).slice(0, 3).map(Number), property);
    assert.ok((await colour("html", "backgroundColor")).every((c) => c < 64));
    // The black stones of the move list stand out by their rims.
    assert.ok((await colour("#moves .who.black", "borderTopColor")).every((c) => c > 150));
    await dark.screenshot({path: join(ScreenshotDirectory, "dark.png")});
    await closePage(dark);
  });
});
