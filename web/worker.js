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

let finished = null;  // the report of the search that has just ended
let warmingUp = true;  // the searches before "ready" report nothing

var Module = {
  onRuntimeInitialized() {
    warmUp();
    setTimeout(() => {
      warmingUp = false;
      postMessage({type: "ready", levels: levels()});
    }, CompilingMilliseconds);
  },
  onProgress(percent) {
    if (!warmingUp) postMessage({type: "progress", percent});
  },
  onFinished(hasEstimate, winningRate, expectedReply) {
    finished = hasEstimate ? {winningRate, expectedReply: pointOf(expectedReply)} : null;
  },
  // The engine could not load, or stopped at a failed consistency check.
  onAbort() {
    postMessage({type: "failed"});
  },
};

importScripts("nanaren.js");

const text = (pointer) => Module.UTF8ToString(pointer);

// The calls that take text, which goes over on the module's stack.
const newGame = (human, clock, player) =>
  Module.ccall("NewGame", "number", ["number", "number", "string"], [human, clock, player]);
const replayRecord = (moves) =>
  text(Module.ccall("ReplayRecord", "number", ["string"], [moves]));

function levels() {
  return Array.from({length: Module._LevelCount()}, (_, i) => ({
    name: {en: text(Module._LevelName(i + 1)), ja: text(Module._LevelJapaneseName(i + 1))},
    percentAgainstBelow: Module._LevelPercentAgainstBelow(i + 1),
  }));
}

// The engine's names for the game's state and a put's result.
const stateName = () => text(Module._CurrentState());

// A vertex of the engine as the page's point, null for none (-1).
const pointOf = (vertex) =>
  vertex === -1 ? null : {x: Module._ColumnOf(vertex), y: Module._RowOf(vertex)};

function cells(cellAt) {
  const all = [];
  for (let y = 1; y <= 9; ++y) {
    for (let x = 1; x <= 9; ++x) all.push(cellAt(x, y));
  }
  return all;
}

const winningStones = () =>
  Array.from({length: Module._WinningStoneCount()}, (_, i) => pointOf(Module._WinningStoneAt(i)));

// Every position of a finished game, from the empty board on, for looking
// back over it.
function reviewBoards(moveCount) {
  return Array.from({length: moveCount + 1}, (_, count) => {
    Module._ReviewMoves(count);
    return {cells: cells(Module._ReviewedCellAt), lastMove: pointOf(Module._ReviewedLastMove())};
  });
}

function position() {
  const state = stateName();
  const moves = text(Module._Record());
  const over = state === "HumanWon" || state === "ComputerWon";
  const moveCount = moves === "" ? 0 : moves.split(" ").length;
  return {
    cells: cells(Module._CellAt), lastMove: pointOf(Module._LastMove()), state, moves,
    winningStones: winningStones(), review: over ? reviewBoards(moveCount) : null,
  };
}

// The engine hands the turn back to the person after every computer move that
// does not win, so one search at most follows each request. Its report says
// how long the request took, from its arrival to the computer's move.
function playComputerIfItsTurn(arrival) {
  if (stateName() !== "ComputerToMove") return;
  postMessage({type: "thinking"});
  const move = pointOf(Module._PlayComputer());
  const milliseconds = performance.now() - arrival;
  postMessage({type: "computer", move, estimate: finished, milliseconds, ...position()});
}

// A new game, or a record replayed in one; false when the engine rejects it
// and there is no game to go on with.
function startGame({human, clock, player, moves}) {
  if (!newGame(human, clock, player)) {
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
  const result = text(Module._PlayHuman(x, y));
  const refusal = result === "Failure" && x !== -1 ? text(Module._RefusalAt(x, y)) : null;
  postMessage({type: "position", result, refusal, ...position()});
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
