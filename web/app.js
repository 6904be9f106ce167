// The page's wiring: every click, key and answer of the engine becomes a
// message for state.js, whose next state the view draws; the commands it
// lists are carried out here (the engine, the address, the sound), and what
// it keeps is written to storage.

import {drawDiagram, drawKoDiagram, drawOverlineDiagram} from "./board.js";
import {Engine} from "./engine.js";
import {Black, formatRecord, White} from "./record.js";
import * as sound from "./sound.js";
import {initialState, recordOf, reportOf, update} from "./state.js";
import {Keys, loadStored, store} from "./storage.js";
import {format, Languages} from "./texts.js";
import {View} from "./view.js";

const StatusMilliseconds = 1600;

const $ = (id) => document.getElementById(id);

let state;
let view;
let engine;
let statusTimer = 0;

function dispatch(message) {
  const before = state;
  state = update(before, {...message, clock: Math.floor(Date.now() / 1000), now: Date.now()});
  const commands = state.commands;
  view.render(state);
  persist(before, state);
  for (const command of commands) run(command);
}

const Commands = {
  engine: ({request}) => engine.request(request),
  restart: ({request}) => engine.restart(request),
  address: ({search}) => history.replaceState(null, "", location.pathname + search),
  sound: ({kind}) => sound.play(kind),
  download({text, name}) {
    download(text, name, "application/x-go-sgf");
    say("savedSgf");
  },
};

function run(command) {
  Commands[command.type](command);
}

// Writes what changed; a refusal of the browser is said on the page.
function persist(before, after) {
  const writes = [
    ["language", Keys.language, after.language],
    ["sound", Keys.sound, after.sound ? "on" : "off"],
    ["warn", Keys.warn, after.warn ? "on" : "off"],
    ["showEstimate", Keys.estimate, after.showEstimate ? "on" : "off"],
    ["showReply", Keys.reply, after.showReply ? "on" : "off"],
    ["storedOpponent", Keys.opponent, after.storedOpponent],
    ["recent", Keys.games, JSON.stringify(after.recent)],
    ["current", Keys.current, after.current],
    ["earlierGame", Keys.earlierGame, after.earlierGame],
  ];
  if (after.storage === "unavailable") return;
  let refused = false;
  for (const [field, key, value] of writes) {
    if (before[field] !== after[field] && !store(key, value)) refused = true;
  }
  if (refused && after.storage === "ok") dispatch({type: "storageFailed"});
}

// ---- records ----

function say(status) {
  clearTimeout(statusTimer);
  dispatch({type: "said", status});
  statusTimer = setTimeout(() => dispatch({type: "said", status: null}), StatusMilliseconds);
}

// The record as a file, with the result in English as a comment.
function recordText() {
  const report = reportOf(state);
  if (report?.kind !== "result") return formatRecord(recordOf(state.game));
  const winner = report.winner === Black ? "Black" : "White";
  const comment = format("en", "resultDetail", {winner, count: report.count});
  return formatRecord(recordOf(state.game), comment);
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

function download(text, name, type) {
  const url = URL.createObjectURL(new Blob([text], {type}));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// The record to the clipboard and into a file at once: the one to paste, the
// other to keep.
async function saveRecord() {
  const text = recordText();
  download(text, `nanaren-${state.game.seed}.txt`, "text/plain");
  say(await copy(text) ? "savedAndCopied" : "savedNotCopied");
}

// ---- wiring ----

function onKey(event) {
  const review = state.game?.review;
  if (!review || event.target.closest("select, input, textarea")) return;
  const steps = {ArrowLeft: review.index - 1, ArrowRight: review.index + 1, Home: 0, End: Infinity};
  if (!(event.key in steps)) return;
  dispatch({type: "review", index: steps[event.key]});
  event.preventDefault();
}

function onRecent(event) {
  const button = event.target.closest("button");
  const id = button?.closest("li")?.dataset.id;
  if (!id) return;
  dispatch({type: button.classList.contains("recent-forget") ? "forget" : "resume", id});
}

function wire() {
  const on = (id, message) => ($(id).onclick = () => dispatch(message));
  $("lang").onchange = () => dispatch({type: "language", language: $("lang").value});
  $("sound").onclick = () => {
    if (!state.sound) sound.allow();
    dispatch({type: "sound"});
  };
  $("level").onchange = () => dispatch({type: "chooseLevel", level: $("level").value});
  $("playouts").onchange = () =>
    dispatch({type: "choosePlayouts", playouts: Number($("playouts").value)});
  on("play-black", {type: "start", human: Black});
  on("play-white", {type: "start", human: White});
  on("play-two", {type: "start", human: Black});
  on("pass", {type: "pass"});
  on("resign", {type: "resign"});
  on("take-back", {type: "takeBack"});
  on("stop", {type: "stop"});
  on("new-game", {type: "newGame"});
  on("rematch", {type: "rematch"});
  on("hint", {type: "askHint"});
  on("withdraw-move", {type: "withdrawMove"});
  on("keep-move", {type: "keepMove"});
  on("analyse", {type: "analyse"});
  on("stop-analysis", {type: "stopAnalysis"});
  on("show-line", {type: "showLine"});
  $("play-from-here").onclick = () =>
    dispatch({type: "playFromHere", level: Number($("from-here-level").value)});
  $("graph").onclick = (event) => dispatch({type: "review", index: view.graphMove(event)});
  $("warn").onchange = () => dispatch({type: "warnMode"});
  $("show-estimate").onchange = () => dispatch({type: "estimateShown"});
  $("show-reply").onchange = () => dispatch({type: "replyShown"});
  on("review-start", {type: "review", index: 0});
  on("review-end", {type: "review", index: Infinity});
  const step = (by) => () => dispatch({type: "review", index: state.game.review.index + by});
  $("review-back").onclick = step(-1);
  $("review-forward").onclick = step(1);
  $("moves").onclick = (event) => {
    const item = event.target.closest("li");
    if (item && state.game?.review) dispatch({type: "review", index: Number(item.dataset.count)});
  };
  $("record").onclick = saveRecord;
  on("record-sgf", {type: "saveSgf"});
  $("copy-link").onclick = async () =>
    say(await copy($("record-link").href) ? "copied" : "copyFailed");
  $("open-record").onchange = async (event) => {
    const [file] = event.target.files;
    event.target.value = "";
    if (file) dispatch({type: "openFile", name: file.name, text: await file.text()});
  };
  $("recent").onclick = onRecent;
  document.addEventListener("keydown", onKey);
}

async function loadStrength() {
  try {
    const response = await fetch("strength.json");
    if (response.ok) dispatch({type: "strength", strength: await response.json()});
  } catch {
    // Without the measured shares the list shows none.
  }
}

function main() {
  const stored = loadStored();
  const language = Languages.includes(stored.language) ? stored.language :
                   navigator.languages.some((l) => l.startsWith("ja")) ? "ja" : "en";
  state = initialState({...stored, language});
  view = new View({onPoint: (x, y) => dispatch({type: "point", x, y})});
  drawDiagram($("rules-diagram"));
  drawKoDiagram($("ko-diagram"));
  drawOverlineDiagram($("overline-diagram"));
  wire();
  view.render(state);
  // The engine's first word, once it is ready, opens what the address holds.
  engine = new Engine((data) =>
    dispatch(data.type === "ready" ? {...data, search: location.search} : data));
  loadStrength();
  // Without a service worker (an address that is not secure) the page works
  // as long as the server answers.
  navigator.serviceWorker?.register("sw.js").catch(() => {});
  if (navigator.serviceWorker) becomeIsolated(navigator.serviceWorker);
}

// The service worker's answers make the page cross-origin isolated (sw.js),
// which lets the engine run its threads; a page it did not answer, loaded
// before it took control, reloads once when it does. The game on the board
// is stored and the reload resumes it. The note in the session keeps it to
// one reload where isolation does not come (a browser without it): the page
// then goes on with the single-thread engine.
const IsolatingNote = "nanaren.isolating";

function becomeIsolated(serviceWorker) {
  try {
    if (self.crossOriginIsolated) sessionStorage.removeItem(IsolatingNote);
  } catch {
    // Nothing was noted.
  }
  if (self.crossOriginIsolated !== false) return;  // isolated, or a browser that knows no isolation
  serviceWorker.addEventListener("controllerchange", () => {
    try {
      if (sessionStorage.getItem(IsolatingNote)) return;
      sessionStorage.setItem(IsolatingNote, "reloaded");
    } catch {
      return;  // no note, no reload: it could come back again and again
    }
    location.reload();
  });
}

main();
