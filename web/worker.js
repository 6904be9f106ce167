// Runs the engine (nanaren.js and nanaren.wasm) off the page's thread, so the
// page stays responsive while the computer searches. It plays what the page
// asks and answers with the position after each step; the computer moves
// whenever the engine says it is the computer's turn.
//
// From the page: {type: "new", human, clock, playouts}, {type: "play", x, y}
// (-1 passes). To the page: "ready"; "position" after a new game or the
// person's try, with its put result; "thinking", then "progress" at each
// progress step of the search, then "computer" with the move and the report;
// "failed" when the engine stops.

let finished = null;  // the report of the search that has just ended

var Module = {
  onRuntimeInitialized() {
    postMessage({type: "ready"});
  },
  onProgress(percent) {
    postMessage({type: "progress", percent});
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

// The engine's names for the game's state and a put's result.
const stateName = () => Module.UTF8ToString(Module._CurrentState());

// A vertex of the engine as the page's point, null for none (-1).
const pointOf = (vertex) =>
  vertex === -1 ? null : {x: Module._ColumnOf(vertex), y: Module._RowOf(vertex)};

function position() {
  const cells = [];
  for (let y = 1; y <= 9; ++y) {
    for (let x = 1; x <= 9; ++x) cells.push(Module._CellAt(x, y));
  }
  return {cells, lastMove: pointOf(Module._LastMove()), state: stateName()};
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

onmessage = ({data}) => {
  const arrival = performance.now();
  if (data.type === "new") {
    Module._NewGame(data.human, data.clock, data.playouts);
    postMessage({type: "position", result: null, ...position()});
  } else if (data.type === "play") {
    const result = Module.UTF8ToString(Module._PlayHuman(data.x, data.y));
    postMessage({type: "position", result, ...position()});
  }
  playComputerIfItsTurn(arrival);
};
