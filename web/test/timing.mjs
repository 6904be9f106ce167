// Times a 20000-playout first move of the computer, natively and in the
// page's Web Worker in headless Chromium, in turns on the same machine, and
// prints both with the sizes of the built engine.
//
// Both play the same search: the computer opens with the same clock value.
// Native: the whole console process (start, node store, search, exit).
// Chromium: the worker from the request for a new game to the computer's
// move (node store and search), without loading the page.

import {spawnSync} from "node:child_process";
import {mkdtempSync, readFileSync, rmSync} from "node:fs";
import {tmpdir} from "node:os";
import {join} from "node:path";
import {gzipSync} from "node:zlib";

import {launchBrowser, Root, SeededConsole, startServer} from "./support.mjs";

const Seed = 1733700000;
const Runs = Number(process.env.NANAREN_TIMING_RUNS ?? 5);

function nativeMove() {
  // No think.txt: the default of 20000 playouts.
  const directory = mkdtempSync(join(tmpdir(), "nanaren-timing-"));
  try {
    const start = process.hrtime.bigint();
    const run = spawnSync(SeededConsole, [String(Seed)], {cwd: directory, input: "2\n"});
    const seconds = Number(process.hrtime.bigint() - start) / 1e9;
    if (run.status !== 0) throw new Error(`native game exited with ${run.status}`);
    const move = /AI:\d+, \d+/.exec(run.stdout.toString("latin1"))[0];
    return {seconds, move};
  } finally {
    rmSync(directory, {recursive: true, force: true});
  }
}

async function browserMove(browser, url) {
  const page = await browser.newPage();
  try {
    await page.goto(`${url}?seed=${Seed}`);
    await page.click("#play-white");
    await page.waitForSelector('#game[aria-busy="false"]', {state: "attached"});
    const milliseconds = Number(await page.getAttribute("#report", "data-milliseconds"));
    return {seconds: milliseconds / 1000, move: await page.textContent("#computer-move")};
  } finally {
    await page.close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kilobytes = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

function size(file) {
  const bytes = readFileSync(join(Root, "build-web/site", file));
  return `${file} ${kilobytes(bytes.length)} (${kilobytes(gzipSync(bytes).length)} gzipped)`;
}

const server = await startServer();
const browser = await launchBrowser();
try {
  const native = [];
  const chromium = [];
  for (let run = 0; run < Runs; ++run) {
    native.push(nativeMove());
    chromium.push(await browserMove(browser, server.url));
  }
  const moves = new Set([...native, ...chromium].map((r) => r.move));
  if (moves.size !== 1) throw new Error(`the builds played different moves: ${[...moves]}`);

  const row = (name, results) => {
    const seconds = results.map((r) => r.seconds);
    return `| ${name.padEnd(8)} | ${median(seconds).toFixed(3)} s | ${
        Math.min(...seconds).toFixed(3)} s |`;
  };
  const ratio = (pick) => (pick(chromium.map((r) => r.seconds)) /
                           pick(native.map((r) => r.seconds))).toFixed(2);
  console.log(`A 20000-playout first move (${[...moves][0]}), ${Runs} runs each:`);
  console.log("| build    | median  | fastest |");
  console.log("|----------|---------|---------|");
  console.log(row("native", native));
  console.log(row("Chromium", chromium));
  const fastest = (values) => Math.min(...values);
  console.log(`Chromium / native: ${ratio(median)}x (medians), ${ratio(fastest)}x (fastest)`);
  console.log(`${size("nanaren.wasm")}, ${size("nanaren.js")}`);
} finally {
  await browser.close();
  server.stop();
}
