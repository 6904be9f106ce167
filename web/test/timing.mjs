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
//
// Then the coach: the review of a 40-move game at the default review level,
// natively (nanaren --review) and in Chromium (from the click on Analyse to
// the graph), and a hint in Chromium (from the click to the ringed point),
// after twenty moves of the same game: the benchmarks' game, the first 40
// moves of level 4 against itself from clock 0. "coach" as the argument
// times the coach alone.
//
// "threads" as the argument times the two levels of two lanes instead: a
// level-7 and a level-8 move from the same position (that game after 20
// moves, Black to move), in the threaded build (the page isolated by its
// service worker) and in the single-thread build (service workers blocked),
// in turn. Its processor time is that of the worker's thread and its
// threads' together.

import {spawn, spawnSync} from "node:child_process";
import {existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync} from "node:fs";
import {tmpdir} from "node:os";
import {join} from "node:path";
import {gzipSync} from "node:zlib";

import {launchBrowser, openPage, Root, SeededConsole, settled, startServer} from "./support.mjs";

const Seed = 1733700000;
const Runs = Number(process.env.NANAREN_TIMING_RUNS ?? 7);
const CoachRuns = Number(process.env.NANAREN_COACH_RUNS ?? 3);
const Console = join(Root, "build/nanaren");
const Match = join(Root, "build/tools/nanaren-match");
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

// ---- the coach ----

// The benchmarks' game: level 4 against itself from clock 0, its first 40
// moves.
function fortyMoves() {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-timing-"));
  try {
    const csv = join(directory, "game.csv");
    const args = ["--players", "level:4,level:4", "--games", "1", "--jobs", "1", "--csv", csv];
    if (spawnSync(Match, args).status !== 0) throw new Error("the match tool failed");
    const [, game] = readFileSync(csv, "latin1").trim().split("\n");
    return game.split(",").at(-1).split(" ").slice(0, 40);
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

// nanaren --review of the moves, timed by the shell: the time on the clock
// and the processor's.
function nativeReview(moves) {
  const directory = mkdtempSync(join(tmpdir(), "nanaren-timing-"));
  try {
    const file = join(directory, "game.txt");
    writeFileSync(file, `nanaren record 1\nseed: 0\ncomputer: none\nmoves: ${moves.join(" ")}\n`);
    const run = spawnSync("bash", ["-c", 'time -p "$0" --review "$1" >/dev/null', Console, file]);
    const times = Object.fromEntries(run.stderr.toString().trim().split("\n")
        .map((line) => line.split(" ")).map(([name, value]) => [name, Number(value)]));
    return {seconds: times.real, cpu: times.user + times.sys};
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

// A fresh page's review of the moves (a game between two people from a
// link) and its first hint after twenty of them, as the worker times them.
async function browserCoach(browser, url, moves) {
  const before = workerThreads();
  const link = (count) => `${url}?level=human&moves=${moves.slice(0, count).join("+")}`;
  const page = await openPage(browser, link(moves.length));
  try {
    await settled(page);
    const [thread] = [...workerThreads()].filter((t) => !before.has(t));
    let cpu = cpuSeconds(thread);
    await page.click("#analyse");
    await page.waitForSelector("#graph:not([hidden])", {timeout: 120000});
    const review = {seconds: Number(await page.getAttribute("#graph", "data-milliseconds")) / 1000,
                    cpu: cpuSeconds(thread) - cpu};
    const reviewed = workerThreads();
    await page.goto(link(20));
    await settled(page);
    const [hinting] = [...workerThreads()].filter((t) => !reviewed.has(t));
    cpu = cpuSeconds(hinting);
    await page.click("#hint");
    await page.waitForSelector("#board .hint-ring");
    const hint = {seconds: Number(await page.getAttribute("#coach", "data-milliseconds")) / 1000,
                  cpu: cpuSeconds(hinting) - cpu};
    return {review, hint};
  } finally {
    await page.context().close();
  }
}

// ---- the lanes on threads ----

const LaneLevels = [7, 8];

// A fresh page's move at the level after the game's first 20 moves, which
// the person (White) completes with its 20th; the worker's build and the
// threads it ran the lanes on.
async function laneMove(browser, url, level, moves, threaded) {
  const before = workerThreads();
  const link = `${url}?seed=${Seed}&you=white&level=${level}&moves=${moves.slice(0, 19).join("+")}`;
  const page = await openPage(browser, link, threaded ? {} : {serviceWorkers: "block"});
  try {
    await settled(page);
    const worker = page.workers().find((w) => w.url().endsWith("/worker.js"));
    const engine = await worker.evaluate(() => ({glue: Glue, threads}));
    // The threads of the worker and its lanes (the page's first worker,
    // before the reload that isolates it, is gone).
    const running = [...workerThreads()].filter((t) => !before.has(t) && existsSync(t));
    const cpu = () => running.reduce((sum, thread) => sum + cpuSeconds(thread), 0);
    const start = cpu();
    const [x, y] = moves[19].split("-");
    await page.click(`.target[data-x="${x}"][data-y="${y}"]`);
    await settled(page);
    const milliseconds = Number(await page.getAttribute("#report", "data-milliseconds"));
    return {seconds: milliseconds / 1000, cpu: cpu() - start, ...engine,
            move: await page.getAttribute("#report", "data-move")};
  } finally {
    await page.context().close();
  }
}

async function timeLanes(server, browser) {
  const moves = fortyMoves();
  const load = [loadAverage()];
  const times = Object.fromEntries(LaneLevels.map((level) => [level, {threaded: [], single: []}]));
  for (let run = 0; run < Runs; ++run) {
    for (const level of LaneLevels) {
      times[level].threaded.push(await laneMove(browser, server.url, level, moves, true));
      times[level].single.push(await laneMove(browser, server.url, level, moves, false));
    }
  }
  load.push(loadAverage());
  console.log(`A move of the two-lane levels after 20 moves of the benchmarks' game, ${Runs} runs each, ` +
              `load average ${load.join(" to ")}:`);
  header();
  for (const level of LaneLevels) {
    const {threaded, single} = times[level];
    const move = sameMove(`level ${level}`, [...threaded, ...single]);
    const {glue, threads} = threaded[0];
    if (glue !== "nanaren-threads.js") throw new Error("the isolated page ran the single-thread build");
    console.log(row(`level ${level}, ${threads} threads`, threaded));
    console.log(row(`level ${level}, single-thread`, single));
    console.log(`level ${level} played ${move}; single-thread / threaded, medians: ${
      (medianOf(single, "seconds") / medianOf(threaded, "seconds")).toFixed(2)}x on the clock, ${
      (medianOf(single, "cpu") / medianOf(threaded, "cpu")).toFixed(2)}x in processor time`);
  }
  console.log(`${size("nanaren-threads.wasm")}, ${size("nanaren-threads.js")}`);
}

// ---- the tables ----

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const medianOf = (results, key) => median(results.map((r) => r[key]));
const row = (name, results) => `| ${name.padEnd(26)} | ${medianOf(results, "seconds").toFixed(3)} s | ${
  Math.min(...results.map((r) => r.seconds)).toFixed(3)} s | ${medianOf(results, "cpu").toFixed(3)} s |`;
const header = () => {
  console.log(`| ${"".padEnd(26)} | median  | fastest | processor (median) |`);
  console.log(`|${"-".repeat(28)}|---------|---------|--------------------|`);
};

async function timeMoves(server, browser) {
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

  const ratio = (i, key) =>
    (medianOf(times.chromium[i], key) / medianOf(times.native[i], key)).toFixed(2);
  const fastest = (i) => (Math.min(...times.chromium[i].map((r) => r.seconds)) /
                          Math.min(...times.native[i].map((r) => r.seconds))).toFixed(2);
  const moves = [0, 1].map((i) => sameMove(`move ${i + 1}`, [...times.native[i], ...times.chromium[i]]));
  console.log(`The exact game's 20000-playout moves (${moves.join(", then ")} after ${
    Answer.join("-")}), ${Runs} runs each, load average ${load.join(" to ")}:`);
  header();
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
}

async function timeCoach(server, browser) {
  const moves = fortyMoves();
  const load = [loadAverage()];
  const times = {native: [], review: [], hint: []};
  for (let run = 0; run < CoachRuns; ++run) {
    times.native.push(nativeReview(moves));
    const {review, hint} = await browserCoach(browser, server.url, moves);
    times.review.push(review);
    times.hint.push(hint);
  }
  load.push(loadAverage());
  console.log(`The coach at its default levels, ${CoachRuns} runs each, load average ${
    load.join(" to ")}:`);
  header();
  console.log(row("review of 40 moves, native", times.native));
  console.log(row("the same in Chromium", times.review));
  console.log(row("a hint in Chromium", times.hint));
}

const server = await startServer();
const browser = await launchBrowser();
try {
  if (process.argv[2] === "threads") {
    await timeLanes(server, browser);
  } else {
    if (process.argv[2] !== "coach") await timeMoves(server, browser);
    await timeCoach(server, browser);
  }
} finally {
  await browser.close();
  await server.stop();
}
