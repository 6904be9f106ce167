// Runs the engine (nanaren.js and nanaren.wasm) off the page's thread, so the
// page stays responsive while the computer searches. It plays what the page
// asks and answers with the game after each step; the computer moves
// whenever the engine says it is the computer's turn.
//
// From the page: {type: "new", human, clock, player, moves} (moves, a record,
// only to replay one), {type: "play", x, y} (-1 passes), {type: "takeBack"}.
// To the page: "ready" with the levels, once the engine is warmed up;
// "position" after a new game, the person's try or a take-back; "thinking",
// then "progress" at each progress step of the search, then "computer" with
// the move and the report; "rejected" for a player or record the engine will
// not play; "failed" when the engine stops.

const White = 2;

// A fresh module runs its first calls in the browser's quick baseline code;
// a function that has run for a while is compiled again, optimised, on
// another thread, and its next call runs that code. The node store's pages,
// too, cost most the first time they are touched. A short search of each
// player, and a pause for the compiler, before the person can start make
// the first move of a game as quick as the later ones.
const CompilingMilliseconds = 400;

function warmUp() {
  for (const player of ["exact:2000", "level:5"]) {
    newGame(White, 0, player);
    Module._PlayComputer();
  }
}

let warmingUp = true;  // the searches before "ready" report nothing

var Module = {
  onRuntimeInitialized() {
    warmUp();
    setTimeout(() => {
      warmingUp = false;
      postMessage({type: "ready", levelCount: Module._LevelCount()});
    }, CompilingMilliseconds);
  },
  onProgress(percent) {
    if (!warmingUp) postMessage({type: "progress", percent});
  },
  // The engine could not load, or stopped at a failed consistency check.
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
const replayRecord = (moves) =>
  Module.UTF8ToString(Module.ccall("ReplayRecord", "number", ["string"], [moves]));
const playMove = (move) => JSON.parse(Module.UTF8ToString(
  Module.ccall("Play", "number", ["string"], [move])));

// A move in the engine's notation as the page's point, null for none or a pass.
function pointOf(move) {
  const match = /^(\d)-(\d)$/.exec(move ?? "");
  return match ? {x: Number(match[1]), y: Number(match[2])} : null;
}

const Stones = {".": 0, b: 1, w: 2};
const cellsOf = (cells) => Array.from(cells, (c) => Stones[c]);

// The state's name as the page knows it.
function stateOf({state, position}, human) {
  if (state !== "over") return state === "personToMove" ? "HumanToMove" : "ComputerToMove";
  return position.winner === (human === White ? "white" : "black") ? "HumanWon" : "ComputerWon";
}

// Every position of a finished game, from the empty board on, for looking
// back over it.
function reviewBoards(moveCount) {
  return Array.from({length: moveCount + 1}, (_, count) => {
    const reviewed = json(Module._ReviewedPosition(count));
    return {cells: cellsOf(reviewed.cells), lastMove: pointOf(reviewed.lastMove)};
  });
}

let human = 1;

function position() {
  const game = json(Module._GameState());
  const {position} = game;
  const state = stateOf(game, human);
  const over = game.state === "over";
  const moveCount = position.moves === "" ? 0 : position.moves.split(" ").length;
  return {
    cells: cellsOf(position.cells), lastMove: pointOf(position.lastMove), state,
    moves: position.moves, canTakeBack: game.canTakeBack,
    winningStones: position.winningStones.map(pointOf),
    review: over ? reviewBoards(moveCount) : null,
  };
}

const isComputerToMove = () => json(Module._GameState()).state === "computerToMove";

// The engine hands the turn back to the person after every computer move that
// does not win, so one search at most follows each request. Its report says
// how long the request took, from its arrival to the computer's move.
function playComputerIfItsTurn(arrival) {
  if (!isComputerToMove()) return;
  postMessage({type: "thinking"});
  const chosen = json(Module._PlayComputer());
  const milliseconds = performance.now() - arrival;
  const estimate = chosen.estimate && {
    winningRate: chosen.estimate.winningRate, expectedReply: pointOf(chosen.estimate.expectedReply),
  };
  postMessage({type: "computer", move: pointOf(chosen.move), estimate, milliseconds, ...position()});
}

// A new game, or a record replayed in one; false when the engine rejects it
// and there is no game to go on with.
function startGame({human: colour, clock, player, moves}) {
  human = colour;
  if (!newGame(colour, clock, player)) {
    postMessage({type: "rejected", reason: "player", message: player});
    return false;
  }
  if (moves !== undefined) {
    const error = replayRecord(moves);
    if (error !== "") {
      postMessage({type: "rejected", reason: "record", message: error});
      return false;
    }
  }
  postMessage({type: "position", result: null, ...position()});
  return true;
}

function play({x, y}) {
  const {outcome, refusal} = playMove(x === -1 ? "pass" : `${x}-${y}`);
  const result = {played: "Success", won: "Win", refused: "Failure"}[outcome];
  postMessage({type: "position", result, refusal: refusal || null, ...position()});
  return true;
}

function takeBack() {
  const tookBack = Module._TakeBack() === 1;
  postMessage({type: "position", result: null, tookBack, ...position()});
  return true;
}

const Requests = {new: startGame, play, takeBack};

onmessage = ({data}) => {
  const arrival = performance.now();
  if (Requests[data.type](data)) playComputerIfItsTurn(arrival);
};
