// Times the computer's moves natively and in Chromium, the two taken in turn
// within one run, since the machine's speed drifts from minute to minute:
// the exact game's 20000-playout first move (the computer opens) and a later
// one (its answer to the person's 5-5), and in Chromium the top level's
// first and later move. Natively a move is timed from the console's own
// output: the first from the start of the process to its "AI:" line, the
// later from the person's answer to the next "AI:" line. In Chromium it is
// the worker's time from the request to the move, once the page is ready.
//
// Beside the time on the clock it gives the processor time the thread that
// searches ran (Linux's scheduler statistics), which other work on the
// machine disturbs much less: on a busy machine, compare those.

import {spawn} from "node:child_process";
import {mkdtempSync, readdirSync, readFileSync, rmSync} from "node:fs";
import {tmpdir} from "node:os";
import {join} from "node:path";
import {gzipSync} from "node:zlib";

import {launchBrowser, openPage, Root, SeededConsole, settled, startServer} from "./support.mjs";

const Seed = 1733700000;
const Runs = Number(process.env.NANAREN_TIMING_RUNS ?? 7);
const Answer = [5, 5];
const TopLevel = 7;

// The processor time a thread (or a process's main thread) has run, in
// seconds, from its scheduler statistics file.
const cpuSeconds = (schedstat) => Number(readFileSync(schedstat, "latin1").split(" ")[0]) / 1e9;

// The scheduler statistics of every Chromium worker thread on the machine.
function workerThreads() {
  const threads = new Set();
  for (const pid of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    try {
      if (!readFileSync(`/proc/${pid}/cmdline`, "latin1").includes("--type=renderer")) continue;
      for (const tid of readdirSync(`/proc/${pid}/task`)) {
        const task = `/proc/${pid}/task/${tid}`;
        if (readFileSync(`${task}/comm`, "latin1").startsWith("DedicatedWorker")) {
          threads.add(`${task}/schedstat`);
        }
      }
    } catch {
      // The process ended while it was read.
    }
  }
  return threads;
}

// The console game without think.txt (20000 playouts), answering the
// computer's first move with 5-5: both moves' times and texts.
function nativeMoves() {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-timing-"));
  const start = process.hrtime.bigint();
  const game = spawn(SeededConsole, [String(Seed)], {cwd: directory});
  const schedstat = `/proc/${game.pid}/schedstat`;
  const moves = [];
  let answered;
  let output = "";
  return new Promise((done, fail) => {
    game.stdout.on("data", (bytes) => {
      output += bytes.toString("latin1");
      const found = [...output.matchAll(/AI:(\d+), (\d+)/g)];
      if (found.length === moves.length) return;
      const [, x, y] = found.at(-1);
      moves.push({at: process.hrtime.bigint(), cpu: cpuSeconds(schedstat), move: `${x}-${y}`});
      if (moves.length === 1) {
        answered = {at: process.hrtime.bigint(), cpu: cpuSeconds(schedstat)};
        game.stdin.write(`${Answer.join(" ")}\n`);
      } else {
        game.stdin.end();
      }
    });
    game.on("exit", () => {
      rmSync(directory, {recursive: true, force: true});
      if (moves.length < 2) return fail(new Error("the native game stopped early"));
      const timed = (from, to) =>
        ({seconds: Number(to.at - from.at) / 1e9, cpu: to.cpu - from.cpu, move: to.move});
      done([timed({at: start, cpu: 0}, moves[0]), timed(answered, moves[1])]);
    });
    game.stdin.write("2\n");
  });
}

// A fresh page's first computer move against the chosen opponent and its
// answer to 5-5, with the time from loading the page until it is ready.
async function browserMoves(browser, url, opponent) {
  const loaded = Date.now();
  const before = workerThreads();
  const page = await openPage(browser, `${url}?seed=${Seed}`);
  try {
    await page.waitForSelector("#play-white:enabled");
    const ready = (Date.now() - loaded) / 1000;
    const [thread] = [...workerThreads()].filter((t) => !before.has(t));
    await page.selectOption("#level", opponent);
    const move = async (request) => {
      const cpu = cpuSeconds(thread);
      await request();
      await settled(page);
      const milliseconds = Number(await page.getAttribute("#report", "data-milliseconds"));
      return {seconds: milliseconds / 1000, cpu: cpuSeconds(thread) - cpu,
              move: await page.getAttribute("#report", "data-move")};
    };
    const first = await move(() => page.click("#play-white"));
    const later = await move(() => page.click(`.target[data-x="${Answer[0]}"][data-y="${Answer[1]}"]`));
    return [first, later, ready];
  } finally {
    await page.context().close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kilobytes = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

function size(file) {
  const bytes = readFileSync(join(Root, "build-web/site", file));
  return `${file} ${kilobytes(bytes.length)} (${kilobytes(gzipSync(bytes).length)} gzipped)`;
}

function sameMove(name, results) {
  const moves = new Set(results.map((r) => r.move));
  if (moves.size !== 1) throw new Error(`${name}: the builds played different moves: ${[...moves]}`);
  return [...moves][0];
}

const loadAverage = () => readFileSync("/proc/loadavg", "latin1").split(" ")[0];

const server = await startServer();
const browser = await launchBrowser();
try {
  const load = [loadAverage()];
  const times = {native: [[], []], chromium: [[], []], top: [[], []], ready: []};
  for (let run = 0; run < Runs; ++run) {
    const native = await nativeMoves();
    const chromium = await browserMoves(browser, server.url, "exact");
    const top = await browserMoves(browser, server.url, String(TopLevel));
    for (const i of [0, 1]) {
      times.native[i].push(native[i]);
      times.chromium[i].push(chromium[i]);
      times.top[i].push(top[i]);
    }
    times.ready.push(chromium[2], top[2]);
  }
  load.push(loadAverage());

  const medianOf = (results, key) => median(results.map((r) => r[key]));
  const row = (name, results) => `| ${name.padEnd(26)} | ${medianOf(results, "seconds").toFixed(3)} s | ${
    Math.min(...results.map((r) => r.seconds)).toFixed(3)} s | ${medianOf(results, "cpu").toFixed(3)} s |`;
  const ratio = (i, key) =>
    (medianOf(times.chromium[i], key) / medianOf(times.native[i], key)).toFixed(2);
  const fastest = (i) => (Math.min(...times.chromium[i].map((r) => r.seconds)) /
                          Math.min(...times.native[i].map((r) => r.seconds))).toFixed(2);
  const moves = [0, 1].map((i) => sameMove(`move ${i + 1}`, [...times.native[i], ...times.chromium[i]]));
  console.log(`The exact game's 20000-playout moves (${moves.join(", then ")} after ${
    Answer.join("-")}), ${Runs} runs each, load average ${load.join(" to ")}:`);
  console.log(`| ${"move".padEnd(26)} | median  | fastest | processor (median) |`);
  console.log(`|${"-".repeat(28)}|---------|---------|--------------------|`);
  console.log(row("native, first", times.native[0]));
  console.log(row("Chromium, first", times.chromium[0]));
  console.log(row("native, later", times.native[1]));
  console.log(row("Chromium, later", times.chromium[1]));
  console.log(row(`level ${TopLevel} in Chromium, first`, times.top[0]));
  console.log(row(`level ${TopLevel} in Chromium, later`, times.top[1]));
  console.log(`Chromium / native, medians: ${ratio(0, "seconds")}x on the first move, ${
    ratio(1, "seconds")}x on the later one; fastest runs ${fastest(0)}x and ${
    fastest(1)}x; processor time ${ratio(0, "cpu")}x and ${ratio(1, "cpu")}x`);
  console.log(`The page is ready ${median(times.ready).toFixed(2)} s after it starts loading ` +
              "(median), its engine warmed up.");
  console.log(`${size("nanaren.wasm")}, ${size("nanaren.js")}`);
} finally {
  await browser.close();
  await server.stop();
}
