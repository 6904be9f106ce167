// The page: draws the game the engine reports and sends it the person's
// clicks and keys. Whose turn it is, what a move does, who has won and what
// a record holds all come from the engine in the worker; this file shows
// them, keeps the game for a reload and hands out its record.

import {BoardView, drawDiagram} from "./board.js";
import {
  Black, White, computerChoice, computerName, formatRecord, integerOf, parseRecord,
  parseRecordQuery, recordQuery,
} from "./record.js";
import {Languages, Texts, format} from "./texts.js";

const HintMilliseconds = 1600;
const DefaultLevel = 4;
const Stored = {language: "nanaren.language", game: "nanaren.game", opponent: "nanaren.opponent"};
// The engine's reasons for a refused point that the page explains; others
// (off the board) get a plain refusal.
const ExplainedRefusals = new Set(["occupied", "ko", "suicide", "overline"]);

const $ = (id) => document.getElementById(id);

const page = {
  worker: null,
  board: null,
  language: "ja",
  levelCount: 0,         // the engine's levels, 1 to levelCount
  game: null,            // {seed, human, computer} of the game on the board
  position: null,        // the engine's last word on that game
  busy: false,           // a request is on its way or the computer is thinking
  replaying: false,      // a record is being played into the new game
  thinking: false,
  report: null,          // {move, estimate} of the computer's move while it is the last one
  expectedReply: null,   // the reply the computer expects, marked until the person moves
  lastTry: null,         // the point the person last tried, null for a pass
  hint: null,            // the text of the hint shown, as a function of the language
  refused: null,         // the point the hint crosses out
  hintTimer: 0,
  review: null,          // {boards, index} once the game is over
  notice: null,          // a message about a record, as a function of the language
};

const t = (key, values) => format(Texts[page.language][key], values);

// Sets an element's text only when it changes, so that watchers of the page
// see one change per change.
function setText(element, text) {
  if (element.textContent !== text) element.textContent = text;
}

function remember(key, value) {
  try {
    if (value === null) {
      localStorage.removeItem(key);
    } else {
      localStorage.setItem(key, value);
    }
  } catch {
    // Storage may be off; the page then forgets.
  }
}

function recall(key) {
  try {
    return localStorage.getItem(key);
  } catch {
    return null;
  }
}

const isOver = (state) => state === "HumanWon" || state === "ComputerWon";
const moveTokens = (moves) => (moves === "" ? [] : moves.split(" "));
const colourName = (colour) => t(colour === Black ? "black" : "white");
const other = (colour) => (colour === Black ? White : Black);

function currentRecord() {
  return {...page.game, moves: page.position?.moves ?? ""};
}

// ---- language ----

function chooseLanguage(language) {
  page.language = language;
  remember(Stored.language, language);
  document.documentElement.lang = language;
  $("lang").value = language;
  render();
}

function initialLanguage() {
  const stored = recall(Stored.language);
  if (Languages.includes(stored)) return stored;
  return navigator.languages.some((l) => l.startsWith("ja")) ? "ja" : "en";
}

function renderStaticTexts() {
  document.title = t("pageTitle");
  for (const element of document.querySelectorAll("[data-text]")) {
    setText(element, t(element.dataset.text));
  }
  for (const element of document.querySelectorAll("[data-label]")) {
    element.setAttribute("aria-label", t(element.dataset.label));
  }
  renderLevels();
}

// ---- the opponent ----

function opponentLabel(computer) {
  const {level, playouts} = computerChoice(computer);
  if (level === undefined) return t("exactOpponent", {playouts});
  return t("level", {level, name: Texts[page.language].levelNames[level - 1] ?? "?"});
}

// A level as the list offers it: its name and how it plays.
function levelOption(level) {
  const label = opponentLabel(computerName({level}));
  return `${label} — ${Texts[page.language].levelAbout[level - 1]}`;
}

// The level list is drawn again only in another language, so that an open
// list stays open.
function renderLevels() {
  const select = $("level");
  if (page.levelCount === 0 || select.dataset.language === page.language) return;
  select.dataset.language = page.language;
  const chosen = select.value;
  const options = Array.from({length: page.levelCount},
                             (_, i) => new Option(levelOption(i + 1), String(i + 1)));
  options.push(new Option(t("exactGame"), "exact"));
  select.replaceChildren(...options);
  select.value = chosen || String(DefaultLevel);
}

// The opponent a query (?level=K or ?playouts=N), the last game or the
// default names.
function chooseInitialOpponent() {
  const query = new URLSearchParams(location.search);
  const playouts = integerOf(query.get("playouts"));
  const level = integerOf(query.get("level"));
  const stored = computerChoice(recall(Stored.opponent) ?? "");
  if (playouts !== null && playouts === (playouts | 0)) {
    chooseOpponent({playouts});
  } else if (level !== null && level >= 1 && level <= page.levelCount) {
    chooseOpponent({level});
  } else if (stored && (stored.level === undefined || stored.level <= page.levelCount)) {
    chooseOpponent(stored);
  } else {
    chooseOpponent({level: DefaultLevel});
  }
}

function chooseOpponent({level, playouts}) {
  if (level !== undefined) {
    $("level").value = String(level);
  } else {
    $("level").value = "exact";
    const select = $("playouts");
    let option = [...select.options].find((o) => Number(o.value) === playouts);
    if (!option) select.add(option = new Option(String(playouts)));
    select.value = option.value;
  }
  $("exact-settings").hidden = level !== undefined;
}

function chosenOpponent() {
  const level = $("level").value;
  return level === "exact" ? computerName({playouts: Number($("playouts").value)})
                           : computerName({level: Number(level)});
}

// ---- starting and ending games ----

// The clock value the computer is seeded with: ?seed=N, else the current second.
function newSeed() {
  const seed = integerOf(new URLSearchParams(location.search).get("seed"));
  return seed !== null ? seed : Math.floor(Date.now() / 1000);
}

// A game from its start, or a record replayed into it when moves are given.
function startGame({seed, human, computer, moves}) {
  page.game = {seed, human, computer};
  Object.assign(page, {
    position: null, report: null, expectedReply: null, review: null, hint: null, refused: null,
    notice: null, busy: true, replaying: Boolean(moves), thinking: false,
  });
  $("setup").hidden = true;
  $("game").hidden = false;
  remember(Stored.game, formatRecord({seed, human, computer, moves: moves ?? ""}));
  page.worker.postMessage({type: "new", human, clock: seed, player: computer, moves});
  render();
}

function startNewGame(human) {
  const computer = chosenOpponent();
  remember(Stored.opponent, computer);
  startGame({seed: newSeed(), human, computer});
}

function showSetup(notice = null) {
  page.notice = notice;
  page.game = null;
  page.position = null;
  page.review = null;
  page.busy = false;
  remember(Stored.game, null);
  $("setup").hidden = false;
  $("game").hidden = true;
  render();
}

function refuseRecord(detail) {
  showSetup(() => t("badRecord", {detail: detail()}));
}

// What the page opens with, once the engine is ready: the game a link
// holds, else the game the last visit left, else the choice of a new one.
function openFirstGame() {
  const linked = parseRecordQuery(location.search);
  if (linked) {
    // The link's game goes on here, kept for a reload like any other.
    history.replaceState(null, "", location.pathname);
    return openRecord(linked);
  }
  const stored = recall(Stored.game);
  const resumed = stored && parseRecord(stored);
  if (resumed?.record) return startGame(resumed.record);
  showSetup();
}

function openRecord({record, error}) {
  if (error) return refuseRecord(() => t(error.key, error.values));
  startGame(record);
}

// ---- the person's requests ----

function play(x, y) {
  if (!page.game || page.review) return;
  if (page.busy) {
    showHint(() => t(page.replaying ? "replaying" : "computerThinking"));
    return;
  }
  if (page.position?.state !== "HumanToMove") return;
  page.busy = true;
  page.lastTry = x === -1 ? null : {x, y};
  render();
  page.worker.postMessage({type: "play", x, y});
}

function takeBack() {
  if (!canTakeBack()) return;
  page.busy = true;
  render();
  page.worker.postMessage({type: "takeBack"});
}

// The engine says whether there is anything to take back.
function canTakeBack() {
  return Boolean(page.position?.canTakeBack) && !page.busy;
}

function showHint(text, point) {
  clearTimeout(page.hintTimer);
  page.hint = text;
  page.refused = point;
  render();
  page.hintTimer = setTimeout(() => {
    page.hint = null;
    page.refused = null;
    render();
  }, HintMilliseconds);
}

function refusalHint(refusal) {
  if (page.lastTry === null) return () => t("cannotPass");
  return () => t(ExplainedRefusals.has(refusal) ? refusal : "refused");
}

// ---- the engine's answers ----

function followPosition(position) {
  page.position = position;
  page.replaying = false;
  page.busy = position.state === "ComputerToMove";
  if (isOver(position.state)) {
    // The end: no reply is expected any more, and after the person's winning
    // move the report of the search before it is out of date.
    page.expectedReply = null;
    if (position.state === "HumanWon") page.report = null;
    page.review = {boards: position.review, index: position.review.length - 1};
    remember(Stored.game, null);
  } else {
    page.review = null;
    remember(Stored.game, formatRecord(currentRecord()));
  }
  render();
}

const Handlers = {
  failed() {
    $("error").hidden = false;
  },
  ready({levelCount}) {
    page.levelCount = levelCount;
    renderLevels();
    chooseInitialOpponent();
    $("loading").hidden = true;
    $("play-black").disabled = false;
    $("play-white").disabled = false;
    openFirstGame();
  },
  rejected({reason, message}) {
    refuseRecord(() => (reason === "player" ? t("badComputer") : t("badMoves", {detail: message})));
  },
  position({result, refusal, tookBack, ...position}) {
    if (result === "Success" || result === "Win" || tookBack) page.expectedReply = null;
    if (tookBack) page.report = null;
    followPosition(position);
    if (result === "Failure") showHint(refusalHint(refusal), page.lastTry);
  },
  thinking() {
    page.thinking = true;
    $("progress").removeAttribute("value");  // no step yet
    $("percent").textContent = "";
    render();
  },
  progress({percent}) {
    $("progress").value = percent;
    $("percent").textContent = `${percent}%`;
  },
  computer({move, estimate, milliseconds, ...position}) {
    page.thinking = false;
    $("report").dataset.milliseconds = milliseconds.toFixed(1);
    page.report = {move, estimate};
    page.expectedReply = estimate?.expectedReply ?? null;
    followPosition(position);
  },
};

// ---- drawing ----

function render() {
  renderStaticTexts();
  setText($("notice"), page.notice ? page.notice() : "");
  $("notice").hidden = !page.notice;
  if (!page.game) return;
  const over = Boolean(page.review);
  const game = $("game");
  game.setAttribute("aria-busy", String(page.busy));
  game.classList.toggle("over", over);
  $("thinking").hidden = !page.thinking;
  setText($("colours"), t("colours", {
    human: colourName(page.game.human), computer: colourName(other(page.game.human)),
    opponent: opponentLabel(page.game.computer),
  }));
  setText($("status"), statusText());
  setText($("hint"), page.hint ? page.hint() : "");
  renderReport();
  renderBoard();
  renderResult();
  renderMoves();
  renderReview();
  renderRecord();
  const awaiting = !page.busy && page.position?.state === "HumanToMove";
  $("pass").disabled = !awaiting;
  $("take-back").disabled = !canTakeBack();
  $("new-game").disabled = page.busy;
}

function statusText() {
  const state = page.position?.state;
  if (page.replaying) return t("replaying");
  if (page.thinking) return t("thinking");
  if (state === "HumanWon") return t("youWin");
  if (state === "ComputerWon") return t("youLose");
  return state === "HumanToMove" ? t("yourMove") : "";
}

// As the console prints them: a pass is the move -1, -1.
function renderReport() {
  const report = page.report;
  $("report").hidden = !report;
  if (!report) return;
  const {move, estimate} = report;
  setText($("computer-move"), move ? `AI:${move.x}, ${move.y}` : "AI:-1, -1");
  setText($("winning-rate"), estimate ? `${t("winningRate")}${estimate.winningRate}%` : "");
  const reply = estimate?.expectedReply;
  setText($("expected-reply"), reply ? `${t("expectedReply")}${reply.x}, ${reply.y})` : "");
  // After the computer's winning move no reply is to come.
  $("expected-reply").hidden = isOver(page.position?.state);
}

function pointLabel(x, y, cell) {
  const stone = cell === Black || cell === White ? colourName(cell) : t("emptyPoint");
  return t("point", {x, y, stone});
}

function renderBoard() {
  const position = page.position;
  const board = page.board;
  board.playable = !page.review;
  if (!position) {
    board.show(Array(81).fill(0), {}, pointLabel);
    return;
  }
  const review = page.review;
  if (review && review.index < review.boards.length - 1) {
    const shown = review.boards[review.index];
    board.show(shown.cells, {lastMove: shown.lastMove}, pointLabel);
    return;
  }
  board.show(position.cells, {
    lastMove: position.lastMove, expectedReply: page.expectedReply,
    replyColour: page.game.human, winningStones: position.winningStones, refused: page.refused,
  }, pointLabel);
}

function renderResult() {
  const state = page.position?.state;
  $("result").hidden = !isOver(state);
  if (!isOver(state)) return;
  const winner = state === "HumanWon" ? page.game.human : other(page.game.human);
  setText($("result-text"), statusText());
  setText($("result-detail"), t("resultDetail", {
    winner: colourName(winner), count: moveTokens(page.position.moves).length,
  }));
}

function moveItem(token, i, current) {
  const item = document.createElement("li");
  const colour = i % 2 === 0 ? Black : White;
  item.className = `${colour === Black ? "black" : "white"}${colour === page.game.human ? " mine" : ""}`;
  item.dataset.count = String(i + 1);
  const who = document.createElement("span");
  who.className = "who";
  who.title = colourName(colour);
  const point = document.createElement("span");
  point.className = "point";
  point.textContent = token === "pass" ? t("passMove") : token;
  item.append(who, point);
  if (i + 1 === current) item.setAttribute("aria-current", "step");
  return item;
}

// The list scrolls by itself, never the page: to the last move as the game
// goes on, to the move shown while looking back.
function renderMoves() {
  const list = $("moves");
  const tokens = moveTokens(page.position?.moves ?? "");
  const current = page.review ? page.review.index : null;
  const signature = [page.language, page.game.human, page.position?.moves, current].join("|");
  if (list.dataset.signature === signature) return;
  list.dataset.signature = signature;
  list.replaceChildren(...tokens.map((token, i) => moveItem(token, i, current)));
  const shown = list.querySelector("[aria-current]");
  list.scrollTop = shown ? shown.offsetTop - list.clientHeight / 2 : list.scrollHeight;
}

function renderReview() {
  const review = page.review;
  $("review").hidden = !review;
  if (!review) return;
  const last = review.boards.length - 1;
  $("review-start").disabled = $("review-back").disabled = review.index === 0;
  $("review-forward").disabled = $("review-end").disabled = review.index === last;
  setText($("review-at"),
          review.index === 0 ? t("reviewEmpty") : t("reviewAt", {count: review.index}));
}

function stepReview(to) {
  const review = page.review;
  if (!review) return;
  review.index = Math.min(review.boards.length - 1, Math.max(0, to));
  render();
}

function renderRecord() {
  const link = $("record-link");
  const href = recordQuery(currentRecord());
  if (link.getAttribute("href") !== href) link.setAttribute("href", href);
}

// ---- records ----

function recordText() {
  const position = page.position;
  if (!isOver(position?.state)) return formatRecord(currentRecord());
  const winner = position.state === "HumanWon" ? page.game.human : other(page.game.human);
  const comment = Texts.en.resultDetail;
  return formatRecord(currentRecord(), format(comment, {
    winner: winner === Black ? "Black" : "White", count: moveTokens(position.moves).length,
  }));
}

async function copy(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    // Without the clipboard interface (an address that is not secure), the
    // older way through a selection.
    const area = document.createElement("textarea");
    area.value = text;
    document.body.append(area);
    area.select();
    const copied = document.execCommand("copy");
    area.remove();
    return copied;
  }
}

function say(key) {
  setText($("record-status"), t(key));
  setTimeout(() => setText($("record-status"), ""), HintMilliseconds);
}

function download(text) {
  const url = URL.createObjectURL(new Blob([text], {type: "text/plain"}));
  const link = document.createElement("a");
  link.href = url;
  link.download = `nanaren-${page.game.seed}.txt`;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// The record to the clipboard and into a file at once: the one to paste, the
// other to keep.
async function saveRecord() {
  const text = recordText();
  download(text);
  say(await copy(text) ? "savedAndCopied" : "savedNotCopied");
}

async function openRecordFile(file) {
  openRecord(parseRecord(await file.text()));
}

// ---- wiring ----

function onKey(event) {
  if (!page.review || event.target.closest("select, input, textarea")) return;
  const steps = {ArrowLeft: -1, ArrowRight: 1};
  if (event.key in steps) {
    stepReview(page.review.index + steps[event.key]);
  } else if (event.key === "Home" || event.key === "End") {
    stepReview(event.key === "Home" ? 0 : Infinity);
  } else {
    return;
  }
  event.preventDefault();
}

function wire() {
  $("lang").onchange = () => chooseLanguage($("lang").value);
  $("level").onchange = () => {
    $("exact-settings").hidden = $("level").value !== "exact";
  };
  $("play-black").onclick = () => startNewGame(Black);
  $("play-white").onclick = () => startNewGame(White);
  $("pass").onclick = () => play(-1, -1);
  $("take-back").onclick = takeBack;
  $("new-game").onclick = () => showSetup();
  $("rematch").onclick = () => startGame({...page.game, seed: newSeed()});
  $("review-start").onclick = () => stepReview(0);
  $("review-back").onclick = () => stepReview(page.review.index - 1);
  $("review-forward").onclick = () => stepReview(page.review.index + 1);
  $("review-end").onclick = () => stepReview(Infinity);
  $("moves").onclick = (event) => {
    const item = event.target.closest("li");
    if (item && page.review) stepReview(Number(item.dataset.count));
  };
  $("record").onclick = saveRecord;
  $("copy-link").onclick = async () => say(await copy($("record-link").href) ? "copied" : "copyFailed");
  $("open-record").onchange = (event) => {
    const [file] = event.target.files;
    event.target.value = "";
    if (file) openRecordFile(file);
  };
  document.addEventListener("keydown", onKey);
}

function main() {
  page.board = new BoardView($("board"), play);
  drawDiagram($("rules-diagram"));
  wire();
  chooseLanguage(initialLanguage());
  page.worker = new Worker("worker.js");
  page.worker.onmessage = ({data}) => Handlers[data.type](data);
  page.worker.onerror = Handlers.failed;
  // Without a service worker (an address that is not secure) the page works
  // as long as the server answers.
  navigator.serviceWorker?.register("sw.js").catch(() => {});
}

main();
