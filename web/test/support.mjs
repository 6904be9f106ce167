// What the browser test and the timing share: the server as a person starts
// it, Debian's Chromium, the page driven by clicks, and the native console
// game replaying the same game.

import {spawn, spawnSync} from "node:child_process";
import {mkdtempSync, rmSync, writeFileSync} from "node:fs";
import {createServer} from "node:net";
import {tmpdir} from "node:os";
import {dirname, join, resolve} from "node:path";
import {fileURLToPath} from "node:url";
import {chromium} from "playwright-core";

export const Root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
export const SeededConsole = process.env.NANAREN_SEEDED ?? join(Root, "build/web/nanaren_seeded");

// The flags this closed machine needs: no sandbox as root, and nothing that
// reaches for the network.
const ChromiumFlags = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

export function launchBrowser() {
  // Playwright gives every launch a fresh profile directory of its own.
  return chromium.launch({executablePath: "/usr/bin/chromium", args: ChromiumFlags});
}

function freePort() {
  return new Promise((done, fail) => {
    const server = createServer().listen(0, "127.0.0.1", () => {
      const {port} = server.address();
      server.close(() => done(port));
    });
    server.on("error", fail);
  });
}

// scripts/serve.sh on a free port, once it answers.
export async function startServer() {
  const port = await freePort();
  const server = spawn(join(Root, "scripts/serve.sh"), ["--port", String(port)],
                       {stdio: "ignore", detached: true});
  const url = `http://127.0.0.1:${port}/`;
  for (let attempt = 0; attempt < 600; ++attempt) {
    if (server.exitCode !== null) throw new Error(`serve.sh exited with ${server.exitCode}`);
    try {
      if ((await fetch(url)).ok) return {url, stop: () => process.kill(-server.pid)};
    } catch {
      // not listening yet
    }
    await new Promise((wait) => setTimeout(wait, 200));
  }
  process.kill(-server.pid);
  throw new Error("serve.sh did not answer");
}

const BoardCharacters = {black: "@", white: "O"};

// The console's character rows ("+ @ O"), read from the page's stones.
export async function readBoard(page) {
  const stones = await page.$$eval("#board .stone", (all) => all.map((s) => ({
    x: Number(s.dataset.x), y: Number(s.dataset.y), colour: s.classList[1],
  })));
  const rows = Array.from({length: 9}, () => Array(9).fill("+"));
  for (const {x, y, colour} of stones) rows[y - 1][x - 1] = BoardCharacters[colour];
  return rows.map((row) => row.join(" "));
}

// One game on the page, played by clicks. Every click is kept as the console
// input that replays it, refused ones included, since they are part of the
// game's dialogue.
export class PageGame {
  constructor(page) {
    this.page = page;
    this.input = [];
    this.humanMoves = 0;  // the person's stones the engine took
    this.computerMoves = [];
    this.progress = [];
  }

  // Records the steps the progress bar shows, one list per search: a search
  // starts when the status says the computer is thinking.
  async watchProgress() {
    await this.page.evaluate(() => {
      const status = document.getElementById("status");
      const bar = document.getElementById("progress");
      const watching = window.searches !== undefined;
      window.searches = [];
      if (watching) return;
      new MutationObserver((records) => {
        // An attribute record holds the value before its change: the next
        // one, or the bar itself, holds the value after it.
        const steps = records.filter((r) => r.target === bar);
        for (const record of records) {
          if (record.target === status) {
            if ([...record.addedNodes].some((n) => n.textContent === "[思考中]")) {
              window.searches.push([]);
            }
          }
          if (record.target !== bar) continue;
          const next = steps[steps.indexOf(record) + 1];
          const value = next ? next.oldValue : bar.getAttribute("value");
          if (value !== null) window.searches.at(-1).push(Number(value));
        }
      }).observe(document.getElementById("side"), {
        subtree: true, childList: true, attributeFilter: ["value"], attributeOldValue: true,
      });
    });
  }

  // Picks the playout count (or keeps the page's) and the colour.
  async choose(colour, playouts) {
    if (playouts !== undefined) await this.page.selectOption("#playouts", String(playouts));
    this.playouts = Number(await this.page.inputValue("#playouts"));
    this.input.push(colour === "black" ? "1" : "2");
    await this.watchProgress();
    await this.page.click(colour === "black" ? "#play-black" : "#play-white");
  }

  // The same, then waits for the person's first turn.
  async start(colour, playouts) {
    await this.choose(colour, playouts);
    await this.settle();
  }

  isOver() {
    return this.page.$eval("#game", (g) => g.classList.contains("over"));
  }

  // Waits until the engine waits for the person or the game is over, and
  // notes the computer's move if it made one.
  async settle() {
    await this.page.waitForSelector('#game[aria-busy="false"]', {state: "attached"});
    const searches = await this.page.evaluate(() => window.searches.splice(0));
    if (searches.length === 0) return;
    this.progress.push(...searches);
    this.computerMoves.push({report: await this.report(), board: await readBoard(this.page)});
  }

  async report() {
    const lines = [];
    for (const id of ["#computer-move", "#winning-rate", "#expected-reply"]) {
      const text = await this.page.textContent(id);
      if (text !== "") lines.push(text);
    }
    return lines;
  }

  // Clicks a point: true when the engine took the move (the computer has
  // answered or the game is over), false when it refused it.
  async click(x, y) {
    this.input.push(`${x} ${y}`);
    const taken = await this.answered(() => this.page.click(`.target[data-x="${x}"][data-y="${y}"]`));
    if (taken) ++this.humanMoves;
    return taken;
  }

  async pass() {
    this.input.push("-1 -1");
    return this.answered(() => this.page.click("#pass"));
  }

  async answered(act) {
    const movesBefore = this.computerMoves.length;
    await act();
    await this.settle();
    return this.computerMoves.length > movesBefore || this.isOver();
  }

  async emptyPoints() {
    const rows = await readBoard(this.page);
    const points = [];
    rows.forEach((row, y) => row.split(" ").forEach((c, x) => {
      if (c === "+") points.push([x + 1, y + 1]);
    }));
    return points;
  }

  moveCount() {
    return this.humanMoves + this.computerMoves.length;
  }
}

// A small fixed generator for the test person's choices.
export function chooser(seed) {
  let state = seed >>> 0;
  return (list) => {
    state = (Math.imul(state, 1103515245) + 12345) >>> 0;
    return list[(state >>> 8) % list.length];
  };
}

const Prompts = ["手番を選択して下さい[黒:1 白:2]:", "あなたの手番です:"];

// The native console game with the same clock value, playout count and input:
// its computer moves (each with its report lines, progress steps and the
// board after it) and its closing message, if it got that far.
export function nativeGame({seed, playouts, input}) {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-web-"));
  try {
    writeFileSync(join(directory, "think.txt"), `${playouts}\n`);
    const run = spawnSync(SeededConsole, [String(seed)], {
      cwd: directory, input: input.join("\n") + "\n", maxBuffer: 64 << 20,
    });
    if (run.status !== 0) throw new Error(`native game exited with ${run.status}`);
    return parseTranscript(new TextDecoder("shift_jis").decode(run.stdout));
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

function parseTranscript(text) {
  for (const prompt of Prompts) text = text.split(prompt).join("\n");
  const lines = text.split("\n");
  const computerMoves = [];
  const progress = [];
  let report = [];
  let steps = [];
  let end = null;
  for (let i = 0; i < lines.length; ++i) {
    const line = lines[i];
    const step = /^\.\.\.(\d+)%$/.exec(line);
    if (step) {
      steps.push(Number(step[1]));
    } else if (/^(コンピュータの勝率推定|プレイヤーの着手推定):/.test(line)) {
      report.push(line);
    } else if (line.startsWith("AI:")) {
      const board = lines.slice(i + 2, i + 11).map((row) => row.slice(6));
      computerMoves.push({report: [line, ...report], board});
      progress.push(steps);
      report = [];
      steps = [];
    } else if (line === "あなたの勝ちです" || line === "あなたの負けです") {
      end = line;
    }
  }
  return {computerMoves, progress, end};
}
