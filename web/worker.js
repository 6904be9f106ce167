// The engine's side of the page: runs nanaren.js and nanaren.wasm (or the
// threaded build, nanaren-threads.js, below) off the page's thread, so that
// the page stays responsive while the computer searches. It plays what the
// page asks and answers with the engine's own JSON (binding.cpp): the game as
// it stands after each step. The computer moves whenever the engine says it
// is its turn. A search cannot be interrupted; the page stops one by ending
// this worker (engine.js). A review goes one position at a time, and hears a
// stop between positions.
//
// From the page, each of the first three answered by one or more "game"
// messages:
//   {type: "new", human, clock, player, moves, setup, sgf}  a new game
//       against the player the engine names so ("level:4", "exact:20000",
//       "human" for two people), seeded with clock; moves, a record, replayed
//       into it, its first setup moves (0 if none) as given; or instead of
//       moves, sgf, the text of an SGF file, whose game the engine reads
//   {type: "play", move, warn}  the person's move: "5-3", "pass" or "resign";
//       with warn (the teaching mode), a move that would allow the other side
//       a certain win is not played but answered with a "warning"
//   {type: "takeBack"}
//   {type: "hint"}  answered with a "hint"
//   {type: "analyse", id}  a review of the game's moves, answered with
//       "analysis" messages and then "analysed"; any other request ends it
//   {type: "stopAnalysis"}  ends the review under way, with no answer
//   {type: "sgf", black, white, date, language}  answered with an "sgf"; a
//       review under way goes on
// To the page:
//   {type: "ready", levelCount, threads}  once the engine is loaded (and
//       warmed up); threads, those the strong player's lanes run on
//   {type: "game", game, ...}  game is the binding's GameState; with it what
//       happened: started (a new game or a replay stood, with sgf: the
//       file's {black, white, date} when it came from one), played (the
//       person's move's outcome: {outcome, refusal}), tookBack, computer
//       (the computer's move: {move, estimate, reason, milliseconds}, reason
//       the binding's certain reason or null); and once the game is over,
//       review: its positions from the empty board on
//   {type: "thinking"}, then {type: "progress", percent} at each step of a
//       search
//   {type: "warning", move, warning: {class, threat}}  the person's move
//       would allow a win ("allowed-win") or a forced win
//       ("allowed-forced-win"), shown by threat; it is not played
//   {type: "hint", moves, hint: {move, reason, winRate, line}, milliseconds}
//       the coach's move for the game with these moves (the record), winRate
//       the chances of the side to move in percent
//   {type: "analysis", id, done, total}  the review's progress, in positions
//   {type: "analysed", id, moves, review, positions, milliseconds}  the
//       review of the game with these moves (the binding's ReviewResult),
//       and its positions
//   {type: "sgf", moves, text}  the game with these moves as an SGF file,
//       with the review's findings once it has been analysed (the binding's
//       SgfOfGame)
//   {type: "rejected", reason: "player"}, {type: "rejected", reason:
//       "record", error: {token, text, kind, reason}} or {type: "rejected",
//       reason: "sgf", error: {line, column, reason}}: no game to go on with
//   {type: "failed"}  the engine could not load or stopped at a failed check

// A fresh module runs its first calls in the browser's quick baseline code;
// a function that has run for a while is compiled again, optimised, on
// another thread, and its next call runs that code. The node store's pages,
// too, cost most the first time they are touched. A short search of each
// player, and a pause for the compiler, before the person can start make
// the first move of a game as quick as the later ones. A worker started
// again after a stop (named "again") skips this: the person is waiting.
const CompilingMilliseconds = 400;
const White = 2;

// A cross-origin-isolated page (sw.js) has SharedArrayBuffer, and there the
// engine built with WebAssembly threads runs the strong player's lanes at
// once, one thread a core; elsewhere the single-thread build runs them in
// turn. Both play the same moves.
const Glue = self.crossOriginIsolated ? "nanaren-threads.js" : "nanaren.js";

let warmingUp = self.name !== "again";  // the searches before "ready" report nothing
let ready = false;
let threads = 1;     // the threads the lanes run on, the worker's own included
const waiting = [];  // requests that came before the engine was ready

function warmUp() {
  for (const player of ["exact:2000", "level:5"]) {
    newGame(White, 0, player);
    Module._PlayComputer();
  }
  Module._LastMoveReason();  // the coach's store, allocated once
}

function becomeReady() {
  warmingUp = false;
  ready = true;
  postMessage({type: "ready", levelCount: Module._LevelCount(), threads});
  for (const request of waiting.splice(0)) handle(request);
}

var Module = {
  // The threads' own workers load the glue from here: inside a worker the
  // glue would take this script for itself.
  mainScriptUrlOrBlob: Glue,
  onRuntimeInitialized() {
    threads = Module._UseThreads(navigator.hardwareConcurrency || 1);
    if (!warmingUp) return becomeReady();
    warmUp();
    setTimeout(becomeReady, CompilingMilliseconds);
  },
  onProgress(percent) {
    if (!warmingUp) postMessage({type: "progress", percent});
  },
  onAbort() {
    postMessage({type: "failed"});
  },
};

importScripts(Glue);

// The calls that take text, which goes over on the module's stack, and those
// that answer with JSON.
const json = (pointer) => JSON.parse(Module.UTF8ToString(pointer));
const newGame = (human, clock, player) =>
  Module.ccall("NewGame", "number", ["number", "number", "string"], [human, clock, player]);
const replayRecord = (moves, setup) =>
  json(Module.ccall("ReplayRecord", "number", ["string", "number"], [moves, setup]));
const playMove = (move) => json(Module.ccall("Play", "number", ["string"], [move]));
const checkMove = (move) => json(Module.ccall("CheckMove", "number", ["string"], [move]));
const recordOfSgf = (text) => json(Module.ccall("RecordOfSgf", "number", ["string"], [text]));
const sgfOfGame = (...texts) =>
  Module.UTF8ToString(Module.ccall("SgfOfGame", "number", Array(4).fill("string"), texts));
const gameState = () => json(Module._GameState());

// Every position of a finished game, from the empty board on, for looking
// back over it.
function reviewPositions(moveCount) {
  return Array.from({length: moveCount + 1}, (_, count) => json(Module._ReviewedPosition(count)));
}

// The game as it stands, with what happened to it.
function answer(happened) {
  const game = gameState();
  const over = game.state === "over";
  const moveCount = game.position.moves === "" ? 0 : game.position.moves.split(" ").length;
  postMessage({type: "game", game, ...happened, ...(over && {review: reviewPositions(moveCount)})});
}

// The engine hands the turn back to the person after every computer move that
// does not win, so one search at most follows each request. Its report says
// how long the request took, from its arrival to the computer's move.
function playComputerIfItsTurn(arrival) {
  if (gameState().state !== "computerToMove") return;
  postMessage({type: "thinking"});
  const {move, estimate} = json(Module._PlayComputer());
  const milliseconds = performance.now() - arrival;
  answer({computer: {move, estimate, reason: json(Module._LastMoveReason()), milliseconds}});
}

function start({human, clock, player, moves, setup = 0, sgf}) {
  if (!newGame(human, clock, player)) {
    postMessage({type: "rejected", reason: "player"});
    return false;
  }
  const file = sgf === undefined ? null : recordOfSgf(sgf);
  if (file?.error) {
    postMessage({type: "rejected", reason: "sgf", error: file.error});
    return false;
  }
  const record = file ? file.record : moves;
  const error = record ? replayRecord(record, setup) : null;
  if (error) {
    postMessage({type: "rejected", reason: "record", error});
    return false;
  }
  const {black, white, date} = file ?? {};
  answer({started: true, ...(file && {sgf: {black, white, date}})});
  return true;
}

// A move the teaching mode warns of is left unplayed, and the computer does
// not answer it until the page decides.
function play({move, warn}) {
  const warning = warn ? checkMove(move) : null;
  if (warning?.class.startsWith("allowed-")) {
    postMessage({type: "warning", move, warning});
    return false;
  }
  answer({played: playMove(move)});
  return true;
}

function takeBack() {
  answer({tookBack: Module._TakeBack() === 1});
  return true;
}

function sgf({black, white, date, language}) {
  const text = sgfOfGame(black, white, date, language);
  postMessage({type: "sgf", moves: gameState().position.moves, text});
  return false;
}

function hint(request, arrival) {
  const moves = gameState().position.moves;
  const found = json(Module._Hint());
  postMessage({type: "hint", moves, hint: found, milliseconds: performance.now() - arrival});
  return false;
}

// ---- the review, one position at a time ----

let analysis = null;  // the review under way: {id, total, arrival}

function analyse({id}, arrival) {
  analysis = {id, total: Module._StartReview(), arrival};
  postMessage({type: "analysis", id, done: 0, total: analysis.total});
  setTimeout(analyseNext, 0);
  return false;
}

// One position, then back to the event loop, where a request may end the
// review before the next.
function analyseNext() {
  if (!analysis) return;
  const {id, total, arrival} = analysis;
  const done = Module._ReviewStep();
  postMessage({type: "analysis", id, done, total});
  if (done < total) {
    setTimeout(analyseNext, 0);
    return;
  }
  analysis = null;
  const review = json(Module._ReviewResult());
  const moves = gameState().position.moves;
  const positions = reviewPositions(review.moves.length);
  const milliseconds = performance.now() - arrival;
  postMessage({type: "analysed", id, moves, review, positions, milliseconds});
}

function stopAnalysis() {
  if (analysis) Module._StopReview();
  analysis = null;
  return false;
}

const Requests = {new: start, play, takeBack, hint, analyse, stopAnalysis, sgf};
// The requests that leave a review under way alone.
const BesideAnalysis = ["stopAnalysis", "sgf"];

function handle(request) {
  const arrival = performance.now();
  if (!BesideAnalysis.includes(request.type)) stopAnalysis();
  if (Requests[request.type](request, arrival)) playComputerIfItsTurn(arrival);
}

onmessage = ({data}) => (ready ? handle(data) : waiting.push(data));
