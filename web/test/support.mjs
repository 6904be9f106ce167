// What the browser test and the timing share: the server as a person starts
// it, Debian's Chromium, the page played by clicks, and the native console
// game replaying the same game.

import assert from "node:assert/strict";
import {spawn, spawnSync} from "node:child_process";
import {mkdtempSync, rmSync, writeFileSync} from "node:fs";
import {tmpdir} from "node:os";
import {dirname, join, resolve} from "node:path";
import {createInterface} from "node:readline";
import {fileURLToPath} from "node:url";
import {chromium} from "playwright-core";

export const Root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
export const SeededConsole = join(Root, "build/web/nanaren_seeded");
export const ReferenceGame = join(Root, "build/web/nanaren_reference");
export const ScreenshotDirectory = join(Root, "build-web/test");

// No sandbox as root, nothing that reaches for the network.
const Chromium = {
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
};
const PageOptions = {viewport: {width: 900, height: 600}, locale: "ja-JP"};

// Playwright gives each launch, and each context in it, a fresh profile.
export function launchBrowser() {
  return chromium.launch(Chromium);
}

// A browser with a profile on disk, as a person's is: only such a browser
// offers to install a page. closePage removes the profile.
export async function launchProfile() {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-profile-"));
  const context = await chromium.launchPersistentContext(directory, {...Chromium, ...PageOptions});
  context.profileDirectory = directory;
  return context;
}

// scripts/serve.sh on a port the system picks, once the server says which.
export function startServer() {
  const server = spawn(join(Root, "scripts/serve.sh"), ["--port", "0"], {
    detached: true, stdio: ["ignore", "pipe", "pipe"], env: {...process.env, PYTHONUNBUFFERED: "1"},
  });
  let errors = "";
  server.stderr.on("data", (text) => errors = (errors + text).slice(-4000));
  return new Promise((done, fail) => {
    server.on("exit", (code) => fail(new Error(`serve.sh exited with ${code}: ${errors}`)));
    createInterface({input: server.stdout}).on("line", (line) => {
      const port = /^Serving HTTP on \S+ port (\d+)/.exec(line)?.[1];
      const stop = () => new Promise((stopped) => {
        server.once("exit", stopped);
        process.kill(-server.pid);
      });
      if (port) done({url: `http://127.0.0.1:${port}/`, stop});
    });
  });
}

// One game on the page, played by clicks. Every click is kept as the console
// input that replays it, refused ones included: they are part of the dialogue.
export class PageGame {
  constructor(page) {
    this.page = page;
    this.input = [];
    this.humanStones = 0;     // the person's moves the engine took
    this.computerMoves = [];  // the report lines and the board after each
    this.progress = [];       // the progress steps the bar showed in each search
  }

  // Picks the exact game's playout count (or keeps the page's choice) and
  // the colour.
  async choose(colour, playouts) {
    await this.page.waitForSelector("#play-black:enabled");  // the engine and its levels are ready
    if (playouts !== undefined) {
      await this.page.selectOption("#level", "exact");
      await this.page.selectOption("#playouts", String(playouts));
    }
    const exact = await this.page.inputValue("#level") === "exact";
    this.playouts = exact ? Number(await this.page.inputValue("#playouts")) : null;
    this.input.push(colour === "black" ? "1" : "2");
    await this.watchProgress();
    await this.page.click(colour === "black" ? "#play-black" : "#play-white");
  }

  async start(colour, playouts) {
    await this.choose(colour, playouts);
    await this.settle();
  }

  // Clicks a point: true when the engine took the move (the computer has
  // answered or the game is over), false when it refused it.
  async click(x, y) {
    this.input.push(`${x} ${y}`);
    const taken = await this.answered(`.target[data-x="${x}"][data-y="${y}"]`);
    if (taken) ++this.humanStones;
    return taken;
  }

  pass() {
    this.input.push("-1 -1");
    return this.answered("#pass");
  }

  async answered(selector) {
    const before = this.computerMoves.length;
    await this.page.click(selector);
    await this.settle();
    return this.computerMoves.length > before || this.isOver();
  }

  isOver() {
    return this.page.$eval("#game", (game) => game.classList.contains("over"));
  }

  // Waits until the engine waits for the person or the game is over, and
  // notes the computer's move if it made one.
  async settle() {
    await this.page.waitForSelector('#game[aria-busy="false"]', {state: "attached"});
    const searches = await this.page.evaluate(() => window.searches.splice(0));
    if (searches.length === 0) return;
    this.progress.push(...searches);
    this.computerMoves.push({report: await shownReport(this.page), board: await this.board()});
  }

  // The console's rows of "+", "@" and "O", read from the page's stones.
  async board() {
    const rows = Array.from({length: 9}, () => Array(9).fill("+"));
    const stones = await this.page.$$eval("#board .stone", (all) =>
      all.map((s) => [Number(s.dataset.x), Number(s.dataset.y), s.classList.contains("black")]));
    for (const [x, y, black] of stones) rows[y - 1][x - 1] = black ? "@" : "O";
    return rows.map((row) => row.join(" "));
  }

  // Records the steps the progress bar shows, one list per search: a search
  // starts when the page counts one more (a new game counts from 0 again).
  watchProgress() {
    return this.page.evaluate(() => {
      const watching = window.searches !== undefined;
      window.searches = [];
      if (watching) return;
      const thinking = document.getElementById("thinking");
      const bar = document.getElementById("progress");
      new MutationObserver((records) => {
        // A record holds the value before its change; the next one of the
        // same element, or the element itself, holds the value after it.
        const after = (record, attribute) => {
          const same = records.filter((r) => r.target === record.target);
          const next = same[same.indexOf(record) + 1];
          return next ? next.oldValue : record.target.getAttribute(attribute);
        };
        for (const record of records) {
          if (record.target === thinking) {
            const count = after(record, "data-searches");
            if (count !== null && count !== "0") window.searches.push([]);
          } else if (record.target === bar) {
            const value = after(record, "value");
            if (value !== null) window.searches.at(-1).push(Number(value));
          }
        }
      }).observe(document.getElementById("side"), {
        subtree: true, attributeFilter: ["value", "data-searches"], attributeOldValue: true,
      });
    });
  }
}

// A page in a browser context of its own (its own storage and service
// worker), or in the given profile's, in Japanese unless the options say
// otherwise, with the errors its scripts throw or write to the console kept
// in page.errors. Where service workers may run, the page is returned once
// it is cross-origin isolated, after the one reload that takes on a first
// visit (app.js), so that no test sees it reload under it.
export async function openPage(browser, url, options = {}) {
  const context = browser.newContext ? await browser.newContext({...PageOptions, ...options})
                                     : browser;
  const page = await context.newPage();
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") page.errors.push(message.text());
  });
  await page.goto(url);
  if (options.serviceWorkers !== "block" && url.startsWith("http")) {
    await page.waitForFunction(() => self.crossOriginIsolated, null, {timeout: 30000});
  }
  return page;
}

export async function closePage(page) {
  assert.deepEqual(page.errors, []);
  const context = page.context();
  await context.close();
  if (context.profileDirectory) {
    rmSync(context.profileDirectory, {recursive: true, force: true, maxRetries: 10});
  }
}

// The computer's last move as the report shows it: the move, and its
// estimate while the game goes on.
export function shownReport(page) {
  return page.$eval("#report", ({dataset}) => ({
    move: dataset.move ?? null,
    winningRate: dataset.winningRate === undefined ? null : Number(dataset.winningRate),
    expectedReply: dataset.expectedReply ?? null,
  }));
}

// Waits until the engine has answered and the page waits for the person, or
// shows the end, the setup or a refused record.
export function settled(page) {
  return page.waitForSelector('#game[aria-busy="false"], #setup:not([hidden]) #play-black:enabled',
                              {state: "attached"});
}

// The game's moves as the move list shows them, passes as the record writes
// them.
export async function listedMoves(page) {
  const points = await page.$$eval("#moves .point", (all) => all.map((p) => p.textContent));
  const names = {パス: "pass", pass: "pass", 投了: "resign", resign: "resign"};
  return points.map((p) => names[p] ?? p);
}

// The native game of a player the page names, with the same clock value and
// the person's moves: its whole record as a list of moves.
export function referenceGame({seed, player, human, personMoves}) {
  const run = spawnSync(ReferenceGame, [String(seed), player, human],
                        {input: personMoves.join(" ") + "\n"});
  if (run.status !== 0) throw new Error(`reference game exited with ${run.status}: ${run.stderr}`);
  return run.stdout.toString().trim().split(" ").filter(Boolean);
}

// The moves of one side in a record's list, Black's from the first.
export const movesOf = (moves, colour) =>
  moves.filter((_, i) => (i % 2 === 0) === (colour === "black"));

// The person's move: a point next to the last stone if one is free, else
// anywhere, picked by the choice and tried again elsewhere while the engine
// refuses it.
export async function playSomewhere(game, choose) {
  const last = await game.page.$$eval("#board .last-move", (marks) =>
    marks.map((m) => [Number(m.dataset.x), Number(m.dataset.y)]));
  let points = (await game.board()).flatMap((row, y) =>
    row.split(" ").flatMap((cell, x) => cell === "+" ? [[x + 1, y + 1]] : []));
  const near = points.filter(([x, y]) =>
    last.some(([lx, ly]) => Math.abs(x - lx) <= 1 && Math.abs(y - ly) <= 1));
  if (near.length > 0) points = near;
  while (points.length > 0) {
    const point = choose(points);
    if (await game.click(...point)) return;
    points = points.filter((p) => p !== point);
  }
  assert.fail("no point the engine takes");
}

// A small fixed generator for the test person's choices.
export function chooser(seed) {
  let state = seed >>> 0;
  return (list) => {
    state = (Math.imul(state, 1103515245) + 12345) >>> 0;
    return list[(state >>> 8) % list.length];
  };
}

// The native console game with the same clock value, playout count and input:
// its computer moves with their reports as the page's report holds them, their
// progress steps and its closing message, if any. The estimate of a move that
// wins is not shown on the page, which shows the result instead.
export function nativeGame({seed, playouts, input}) {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-web-"));
  try {
    writeFileSync(join(directory, "think.txt"), `${playouts}\n`);
    const run = spawnSync(SeededConsole, [String(seed)],
                          {cwd: directory, input: input.join("\n") + "\n"});
    if (run.status !== 0) throw new Error(`native game exited with ${run.status}`);
    return parseTranscript(new TextDecoder("shift_jis").decode(run.stdout));
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

function parseTranscript(text) {
  // The prompts end without a line break.
  const lines = text.replace(/手番を選択して下さい\[黒:1 白:2\]:|あなたの手番です:/g, "\n").split("\n");
  const game = {computerMoves: [], progress: [], end: null};
  let report = {winningRate: null, expectedReply: null};
  let steps = [];
  lines.forEach((line, i) => {
    const step = /^\.\.\.(\d+)%$/.exec(line);
    const rate = /^コンピュータの勝率推定:(-?\d+)%$/.exec(line);
    const reply = /^プレイヤーの着手推定:\((\d), (\d)\)$/.exec(line);
    const move = /^AI:(-?\d), (-?\d)$/.exec(line);
    if (step) {
      steps.push(Number(step[1]));
    } else if (rate) {
      report.winningRate = Number(rate[1]);
    } else if (reply) {
      report.expectedReply = `${reply[1]}-${reply[2]}`;
    } else if (move) {
      // The header, then nine rows of "[ y]  + @ O ...".
      const board = lines.slice(i + 2, i + 11).map((row) => row.slice(6));
      const played = move[1] === "-1" ? "pass" : `${move[1]}-${move[2]}`;
      game.computerMoves.push({report: {move: played, ...report}, board});
      game.progress.push(steps);
      report = {winningRate: null, expectedReply: null};
      steps = [];
    } else if (/^あなたの(勝ち|負け)です$/.test(line)) {
      game.end = line;
    }
  });
  if (game.end === "あなたの負けです") {
    Object.assign(game.computerMoves.at(-1).report, {winningRate: null, expectedReply: null});
  }
  return game;
}
