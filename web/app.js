"use strict";

// The page: draws the board the engine reports and sends it the person's
// clicks. Whose turn it is, what a move does and who has won all come from
// the engine in the worker; this file only shows them.

// The game's own texts, as the console prints them.
const Texts = {
  yourMove: "あなたの手番です",
  thinking: "[思考中]",
  winningRate: "コンピュータの勝率推定:",
  expectedReply: "プレイヤーの着手推定:(",
  youWin: "あなたの勝ちです",
  youLose: "あなたの負けです",
};
const Hints = {point: "そこには打てません", pass: "いまはパスできません"};
const HintMilliseconds = 1200;

const Black = 1;
const White = 2;
const StoneClasses = ["", "black", "white"];
const ColourNames = ["", "黒", "白"];

// Board geometry in SVG units: point (x, y) sits at (x * Spacing, y * Spacing).
const Spacing = 50;
const StoneRadius = 22;
const SvgNs = "http://www.w3.org/2000/svg";

const $ = (id) => document.getElementById(id);

const page = {
  worker: null,
  human: Black,
  awaitingHuman: false,  // the engine waits for the person and no request is on its way
  lastTry: "point",      // what the person last tried, for the hint
  hintTimer: 0,
  expectedReply: null,   // the reply the computer expects, marked until the person moves
};

function svg(tag, attributes, text) {
  const element = document.createElementNS(SvgNs, tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  if (text !== undefined) element.textContent = text;
  return element;
}

// An integer from the address's query, or null.
function queryInteger(name) {
  const text = new URLSearchParams(location.search).get(name);
  if (text === null || !/^-?\d+$/.test(text)) return null;
  const value = Number(text);
  return Number.isSafeInteger(value) ? value : null;
}

function drawGrid() {
  const board = $("board");
  board.append(svg("rect", {class: "wood", x: 20, y: 20, width: 460, height: 460, rx: 6}));
  for (let i = 1; i <= 9; ++i) {
    const p = i * Spacing;
    board.append(svg("line", {class: "grid", x1: Spacing, y1: p, x2: 9 * Spacing, y2: p}));
    board.append(svg("line", {class: "grid", x1: p, y1: Spacing, x2: p, y2: 9 * Spacing}));
    // Columns are counted along the top and rows down the side, row 1 on top.
    board.append(svg("text", {class: "label", x: p, y: 14}, String(i)));
    board.append(svg("text", {class: "label", x: 10, y: p}, String(i)));
  }
  for (const [x, y] of [[3, 3], [7, 3], [5, 5], [3, 7], [7, 7]]) {
    board.append(svg("circle", {class: "star", cx: x * Spacing, cy: y * Spacing, r: 4}));
  }
  board.append(svg("g", {id: "stones"}), svg("g", {id: "marks"}), svg("g", {id: "targets"}));
  for (let y = 1; y <= 9; ++y) {
    for (let x = 1; x <= 9; ++x) {
      $("targets").append(svg("rect", {
        class: "target", "data-x": x, "data-y": y,
        x: x * Spacing - Spacing / 2, y: y * Spacing - Spacing / 2,
        width: Spacing, height: Spacing,
      }));
    }
  }
}

function drawPosition(cells, lastMove) {
  const stones = $("stones");
  stones.replaceChildren();
  cells.forEach((cell, i) => {
    if (cell !== Black && cell !== White) return;
    const x = (i % 9) + 1;
    const y = Math.floor(i / 9) + 1;
    stones.append(svg("circle", {
      class: `stone ${StoneClasses[cell]}`, "data-x": x, "data-y": y,
      cx: x * Spacing, cy: y * Spacing, r: StoneRadius,
    }));
  });
  drawMarks(lastMove);
}

function drawMarks(lastMove) {
  const marks = $("marks");
  marks.replaceChildren();
  if (lastMove) {
    marks.append(svg("circle", {
      class: "last-move", "data-x": lastMove.x, "data-y": lastMove.y,
      cx: lastMove.x * Spacing, cy: lastMove.y * Spacing, r: 7,
    }));
  }
  const reply = page.expectedReply;
  if (reply) {
    marks.append(svg("circle", {
      class: `expected-reply ${StoneClasses[page.human]}`,
      "data-x": reply.x, "data-y": reply.y,
      cx: reply.x * Spacing, cy: reply.y * Spacing, r: StoneRadius - 4,
    }));
  }
}

// A refused move does nothing but say so for a moment: a cross on the point
// and a line of text.
function showHint(text, x, y) {
  clearTimeout(page.hintTimer);
  $("hint").textContent = text;
  const cross = $("refused");
  if (cross) cross.remove();
  if (x !== undefined) {
    const d = 12;
    const cx = x * Spacing;
    const cy = y * Spacing;
    $("marks").append(svg("path", {
      id: "refused", class: "refused",
      d: `M${cx - d},${cy - d}L${cx + d},${cy + d}M${cx + d},${cy - d}L${cx - d},${cy + d}`,
    }));
  }
  page.hintTimer = setTimeout(() => {
    $("hint").textContent = "";
    const stale = $("refused");
    if (stale) stale.remove();
  }, HintMilliseconds);
}

function setStatus(text) {
  $("status").textContent = text;
}

// Follows the engine's state: the person's turn, the computer's, or the end.
function followState(state) {
  page.awaitingHuman = state === "HumanToMove";
  // Busy from a request until the engine waits for the person or the game is over.
  $("game").setAttribute("aria-busy", String(state === "ComputerToMove"));
  $("pass").disabled = !page.awaitingHuman;
  if (state === "HumanToMove") setStatus(Texts.yourMove);
  if (state === "HumanWon" || state === "ComputerWon") {
    setStatus(state === "HumanWon" ? Texts.youWin : Texts.youLose);
    $("game").classList.add("over");
    $("new-game").hidden = false;
  }
}

// As the console prints them: a pass is the move -1, -1.
function showReport(move, estimate) {
  $("computer-move").textContent = move ? `AI:${move.x}, ${move.y}` : "AI:-1, -1";
  $("winning-rate").textContent = estimate ? `${Texts.winningRate}${estimate.winningRate}%` : "";
  const reply = estimate ? estimate.expectedReply : null;
  $("expected-reply").textContent =
      reply ? `${Texts.expectedReply}${reply.x}, ${reply.y})` : "";
  page.expectedReply = reply;
  $("report").hidden = false;
}

const Handlers = {
  failed() {
    $("error").hidden = false;
  },
  ready() {
    $("play-black").disabled = false;
    $("play-white").disabled = false;
  },
  position({result, cells, lastMove, state}) {
    if (result === "Success" || result === "Win") page.expectedReply = null;
    drawPosition(cells, lastMove);
    if (result === "Failure") {
      const [x, y] = page.lastTry === "pass" ? [] : page.lastTry;
      showHint(page.lastTry === "pass" ? Hints.pass : Hints.point, x, y);
    }
    followState(state);
  },
  thinking() {
    setStatus(Texts.thinking);
    $("progress").removeAttribute("value");  // no step yet
    $("percent").textContent = "";
    $("thinking").hidden = false;
  },
  progress({percent}) {
    $("progress").value = percent;
    $("percent").textContent = `${percent}%`;
  },
  computer({move, estimate, milliseconds, cells, lastMove, state}) {
    $("thinking").hidden = true;
    $("report").dataset.milliseconds = milliseconds.toFixed(1);
    showReport(move, estimate);
    drawPosition(cells, lastMove);
    followState(state);
  },
};

function startGame(human) {
  page.human = human;
  page.expectedReply = null;
  page.awaitingHuman = false;
  const seed = queryInteger("seed");
  const clock = seed !== null ? seed : Math.floor(Date.now() / 1000);
  const playouts = Number($("playouts").value);
  $("colours").textContent =
      `あなた: ${ColourNames[human]}  コンピュータ: ${ColourNames[human === Black ? White : Black]}`;
  showReplayLink(clock, playouts);
  $("setup").hidden = true;
  $("game").hidden = false;
  $("game").classList.remove("over");
  $("new-game").hidden = true;
  $("report").hidden = true;
  $("hint").textContent = "";
  $("game").setAttribute("aria-busy", "true");
  page.worker.postMessage({type: "new", human, clock, playouts});
}

// The address that plays this game again.
function showReplayLink(clock, playouts) {
  const query = `?seed=${clock}&playouts=${playouts}`;
  const link = document.createElement("a");
  link.href = query;
  link.textContent = query;
  $("replay").replaceChildren(link);
}

function play(x, y) {
  if (!page.awaitingHuman) return;
  page.awaitingHuman = false;
  page.lastTry = x === -1 ? "pass" : [x, y];
  $("game").setAttribute("aria-busy", "true");
  page.worker.postMessage({type: "play", x, y});
}

// ?playouts=N chooses a count the list does not offer, within the engine's
// 32-bit range.
function offerQueryPlayouts() {
  const playouts = queryInteger("playouts");
  if (playouts === null || playouts !== (playouts | 0)) return;
  const select = $("playouts");
  let option = [...select.options].find((o) => Number(o.value) === playouts);
  if (!option) {
    option = new Option(String(playouts));
    select.add(option);
  }
  select.value = option.value;
}

function main() {
  drawGrid();
  offerQueryPlayouts();
  page.worker = new Worker("worker.js");
  page.worker.onmessage = ({data}) => Handlers[data.type](data);
  page.worker.onerror = Handlers.failed;
  $("play-black").onclick = () => startGame(Black);
  $("play-white").onclick = () => startGame(White);
  $("pass").onclick = () => play(-1, -1);
  $("new-game").onclick = () => {
    $("setup").hidden = false;
    $("new-game").hidden = true;
  };
  $("board").addEventListener("click", (event) => {
    const target = event.target.closest(".target");
    if (target) play(Number(target.dataset.x), Number(target.dataset.y));
  });
}

main();
