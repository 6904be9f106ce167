// The coach on the page, in headless Chromium: a hint, the teaching mode's
// warning and its take-back, the analysis of a record and its SGF held to the
// native console's review of it, and a game played on from a reviewed
// position.

import assert from "node:assert/strict";
import {spawnSync} from "node:child_process";
import {mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync} from "node:fs";
import {tmpdir} from "node:os";
import {join} from "node:path";
import {after, before, describe, it} from "node:test";

import {
  closePage, launchBrowser, listedMoves, openPage, Root, ScreenshotDirectory, settled, startServer,
} from "./support.mjs";

const Console = join(Root, "build/nanaren");

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

// Black builds row 5 while White plays on row 9; Black's 7-5 (move 11)
// makes a six whose one winning point is 8-5 (White's 1-5 holds the other
// end). White's 9-8 lets it stand, and Black's 9-1 lets the win go.
const AllowedWin = "2-5 1-5 3-5 2-9 4-5 4-9 5-5 6-9 6-5 8-9 7-5 9-8 9-1";
const firstMoves = (count) => AllowedWin.split(" ").slice(0, count).join("+");
const address = (query) => `${server.url}?${query}`;
const point = (x, y) => `.target[data-x="${x}"][data-y="${y}"]`;
const marks = (page, selector) =>
  page.$$eval(selector, (all) => all.map((m) => `${m.dataset.x}-${m.dataset.y}`));

// The classes the native console's review gives a record's moves, by their
// English words, at the default review level; each side's accuracy; and the
// reviewed game as SGF.
function nativeReview(moves) {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-review-"));
  try {
    const file = join(directory, "game.txt");
    const sgf = join(directory, "game.sgf");
    writeFileSync(file, `nanaren record 1\nseed: 1\ncomputer: none\nmoves: ${moves}\n`);
    const run = spawnSync(Console, ["--review", file, "--lang", "en", "--sgf", sgf]);
    if (run.status !== 0) throw new Error(`the review exited with ${run.status}: ${run.stderr}`);
    const names = {
      "inaccuracy": "inaccuracy", "mistake": "mistake", "blunder": "blunder",
      "missed a win in one": "missed-win", "missed a forced win": "missed-forced-win",
      "allowed a win in one": "allowed-win", "allowed a forced win": "allowed-forced-win",
    };
    const lines = run.stdout.toString().split("\n");
    const classes = lines.filter((line) => /^ *\d+ {2}(Black|White) /.test(line)).map((line) => {
      const words = /\d+% {2}\S+ +\d+% {2}([a-z ]+)/.exec(line)?.[1];
      return words ? names[words.trim()] : "";
    });
    const accuracy = lines.flatMap((line) => /^(?:Black|White): accuracy (\d+)%/.exec(line)?.[1] ?? []);
    return {classes, accuracy, sgf: readFileSync(sgf, "utf8")};
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

describe("the coach", () => {
  it("warns before a lost move and takes it back, gives a hint that the record counts, " +
     "and remembers the teaching mode", async () => {
    const page = await openPage(browser, address(`seed=3&you=white&level=1&moves=${firstMoves(11)}`),
                                {locale: "en-GB"});
    await settled(page);
    assert.equal(await page.isChecked("#warn"), false, "off until asked for");
    await page.check("#warn");

    await page.click(point(9, 8));
    await page.waitForSelector('#coach[data-warning="allowed-win"]');
    assert.match(await page.textContent("#coach-text"), /after 9-8, the computer wins at 8-5/);
    assert.deepEqual(await marks(page, "#board .line-stone.threat"), ["8-5"]);
    assert.deepEqual(await marks(page, "#board .tried"), ["9-8"]);
    assert.equal((await listedMoves(page)).length, 11, "the move is not played");
    await page.click("#withdraw-move");
    assert.equal(await page.locator("#board .line-stone, #board .tried").count(), 0);
    assert.equal(await page.textContent("#status"), "Your move");

    await page.click("#hint");
    await page.waitForSelector("#board .hint-ring");
    assert.deepEqual(await marks(page, "#board .hint-ring"), ["8-5"]);
    assert.equal(await page.textContent("#coach-text"),
                 "Hint: 8-5 — blocks the computer's seven at 8-5");
    assert.equal(await page.isDisabled("#hint"), true, "one hint a position");
    assert.match(await page.getAttribute("#record-link", "href"), /&hints=1$/);

    // The block stands without a warning, and the computer answers it.
    await page.click(point(8, 5));
    await settled(page);
    assert.equal((await listedMoves(page)).length, 13);
    assert.equal(await page.locator("#coach[data-warning]").count(), 0);
    const [stored] = await page.evaluate(() => JSON.parse(localStorage.getItem("nanaren.games")));
    assert.equal(stored.hints, 1);
    await page.reload();
    await settled(page);
    assert.equal(await page.isChecked("#warn"), true);
    await closePage(page);
  });

  it("analyses a record as the native review does and saves it as its SGF, draws the graph " +
     "and the better line, stops and starts again, and plays on from a reviewed position",
     async () => {
    const native = nativeReview(AllowedWin);
    const page = await openPage(browser, address(`level=human&moves=${AllowedWin.replaceAll(" ", "+")}`),
                                {locale: "en-GB", viewport: {width: 960, height: 1080}});
    await settled(page);
    // Stopped at its first step, the analysis can start again at once.
    await page.click("#analyse");
    await page.waitForFunction(() => document.getElementById("analysis-progress").value > 0);
    await page.click("#stop-analysis");
    assert.equal(await page.isHidden("#analysing"), true);
    await page.click("#analyse");
    await page.waitForSelector("#graph:not([hidden])");
    assert.equal(await page.locator("#graph .graph-point").count(), 13, "one point a move");
    assert.equal(await page.locator("#graph .graph-half").count(), 1);
    const classes = await page.$$eval("#moves li", (all) => all.map((li) => li.dataset.class ?? ""));
    assert.deepEqual(classes, native.classes);
    assert.equal(classes[11], "allowed-win");
    assert.equal(classes[12], "missed-win");
    assert.equal(await page.textContent('#moves li[data-count="12"] .visually-hidden'),
                 " allowed a win in one");
    const accuracy = await page.$$eval(".side-summary p span[aria-hidden]",
                                       (all) => all.map((s) => s.textContent.replace("%", "")));
    assert.deepEqual(accuracy, native.accuracy);
    // Saved as SGF, the game carries the review as the console writes it:
    // Black's chances and each move's class. Only the date is the page's.
    const download = page.waitForEvent("download");
    await page.click("#record-sgf");
    const sgf = readFileSync(await (await download).path(), "utf8");
    assert.match(sgf, /DT\[\d{4}-\d\d-\d\d\]/);
    assert.equal(sgf.replace(/DT\[[^\]]*\]/, ""), native.sgf);
    assert.match(native.sgf, /;B\[ia\]SBKV\[[\d.]+\]C\[missed a win in one: 8-5\]\n\)/);

    // A click on the graph goes to the move under it: the last one, whose
    // better move is 8-5.
    const box = await page.locator("#graph").boundingBox();
    await page.mouse.click(box.x + box.width - 2, box.y + box.height / 2);
    assert.equal(await page.getAttribute("#moves li[aria-current]", "data-count"), "13");
    assert.deepEqual(await marks(page, "#board .best-move"), ["8-5"]);
    assert.match(await page.textContent("#reviewed-move"), /^Move 13, Black 9-1: missed a win in one/);
    await page.click("#show-line");
    const line = await page.$$eval("#board .line-stone", (all) => all.map((s) => s.dataset.number));
    assert.equal(line[0], "1");
    assert.deepEqual(await marks(page, '#board .line-stone[data-number="1"]'), ["8-5"]);
    mkdirSync(ScreenshotDirectory, {recursive: true});
    await page.screenshot({path: join(ScreenshotDirectory, "review.png")});

    // From the position after Black's six, White to move, against level 1.
    await page.click('#moves li[data-count="11"]');
    await page.selectOption("#from-here-level", "1");
    await page.click("#play-from-here");
    await settled(page);
    assert.equal(await page.textContent("#status"), "Your move");
    assert.match(await page.textContent("#colours"), /You: White/);
    await page.click(point(8, 5));
    await settled(page);
    const played = await listedMoves(page);
    assert.equal(played.length, 13);
    assert.deepEqual(played.slice(0, 12), [...AllowedWin.split(" ").slice(0, 11), "8-5"]);
    assert.match(await page.getAttribute("#record-link", "href"), /&setup=11$/);
    // A reload replays the moves given and then the game played on.
    await page.reload();
    await settled(page);
    assert.deepEqual(await listedMoves(page), played);
    await closePage(page);
  });
});
