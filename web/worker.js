// The engine's side of the page: runs nanaren.js and nanaren.wasm off the
// page's thread, so that the page stays responsive while the computer
// searches. It plays what the page asks and answers with the engine's own
// JSON (binding.cpp): the game as it stands after each step. The computer
// moves whenever the engine says it is its turn. A search cannot be
// interrupted; the page stops one by ending this worker (engine.js).
//
// From the page, each answered by one or more "game" messages:
//   {type: "new", human, clock, player, moves}  a new game against the player
//       the engine names so ("level:4", "exact:20000", "human" for two
//       people), seeded with clock; moves, a record, replayed into it
//   {type: "play", move}  the person's move: "5-3", "pass" or "resign"
//   {type: "takeBack"}
// To the page:
//   {type: "ready", levelCount}  once the engine is loaded (and warmed up)
//   {type: "game", game, ...}  game is the binding's GameState; with it what
//       happened: started (a new game or a replay stood), played (the
//       person's move's outcome: {outcome, refusal}), tookBack, computer
//       (the computer's move: {move, estimate, milliseconds}); and once the
//       game is over, review: its positions from the empty board on
//   {type: "thinking"}, then {type: "progress", percent} at each step of a
//       search
//   {type: "rejected", reason: "player"} or {type: "rejected", reason:
//       "record", error: {token, text, kind, reason}}: no game to go on with
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

let warmingUp = self.name !== "again";  // the searches before "ready" report nothing
let ready = false;
const waiting = [];  // requests that came before the engine was ready

function warmUp() {
  for (const player of ["exact:2000", "level:5"]) {
    newGame(White, 0, player);
    Module._PlayComputer();
  }
}

function becomeReady() {
  warmingUp = false;
  ready = true;
  postMessage({type: "ready", levelCount: Module._LevelCount()});
  for (const request of waiting.splice(0)) handle(request);
}

var Module = {
  onRuntimeInitialized() {
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

importScripts("nanaren.js");

// The calls that take text, which goes over on the module's stack, and those
// that answer with JSON.
const json = (pointer) => JSON.parse(Module.UTF8ToString(pointer));
const newGame = (human, clock, player) =>
  Module.ccall("NewGame", "number", ["number", "number", "string"], [human, clock, player]);
const replayRecord = (moves) => json(Module.ccall("ReplayRecord", "number", ["string"], [moves]));
const playMove = (move) => json(Module.ccall("Play", "number", ["string"], [move]));
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
  answer({computer: {move, estimate, milliseconds: performance.now() - arrival}});
}

function start({human, clock, player, moves}) {
  if (!newGame(human, clock, player)) {
    postMessage({type: "rejected", reason: "player"});
    return false;
  }
  const error = moves ? replayRecord(moves) : null;
  if (error) {
    postMessage({type: "rejected", reason: "record", error});
    return false;
  }
  answer({started: true});
  return true;
}

function play({move}) {
  answer({played: playMove(move)});
  return true;
}

function takeBack() {
  answer({tookBack: Module._TakeBack() === 1});
  return true;
}

const Requests = {new: start, play, takeBack};

function handle(request) {
  const arrival = performance.now();
  if (Requests[request.type](request)) playComputerIfItsTurn(arrival);
}

onmessage = ({data}) => (ready ? handle(data) : waiting.push(data));
