// The page's state without a browser: what the person's actions and the
// engine's answers make of it, and what the page is asked to do.

import assert from "node:assert/strict";
import {describe, it} from "node:test";

import {analysisOf, hintOf, initialState, recordOf, reportOf, statusOf, update} from "../state.js";
import {MaxSgfLength} from "../record.js";
import {FinishedKept, ordered} from "../storage.js";

const Clock = 1733700000;
let now = 1_000_000;

// Every message as the app sends it, with the clock and the time.
function send(state, message) {
  now += 1000;
  return update(state, {clock: Clock, now, ...message});
}

function run(state, ...messages) {
  return messages.reduce(send, state);
}

// The engine's answer about a game with these moves, as binding.cpp writes
// it; cells put stones where the test needs them.
function answer(moves, {state = "personToMove", canTakeBack = moves !== "", winner = "none",
                        cells = ".".repeat(81), toMove} = {}) {
  const count = moves === "" ? 0 : moves.split(" ").length;
  return {
    type: "game",
    game: {state, canTakeBack, position: {
      cells, lastMove: moves.split(" ").at(-1) || null, moves, winner, winningStones: [],
      toMove: toMove ?? (count % 2 === 0 ? "black" : "white"), captures: {black: 0, white: 0},
    }},
  };
}

const ready = (search = "") => ({type: "ready", levelCount: 7, search});
const requests = (state) => state.commands.map((c) => [c.type, c.request ?? c.search ?? c.kind]);

// A level-2 game as Black with the moves played, the person to move.
function gameAsBlack(moves) {
  let state = run(initialState({language: "en"}), ready(), {type: "start", human: 1});
  state = send(state, {...answer(""), started: true});
  for (let i = 0; i < moves.length; i += 2) {
    state = run(state, {type: "point", x: 1, y: 1},
                {...answer(moves.slice(0, i + 1).join(" "), {state: "computerToMove"}), played: {outcome: "played"}},
                {type: "thinking"},
                {...answer(moves.slice(0, i + 2).join(" ")), computer: {move: moves[i + 1], estimate: null, milliseconds: 1}});
  }
  return state;
}

describe("the person's game", () => {
  it("starts against the chosen level and is kept once it has a move", () => {
    let state = run(initialState({language: "en"}), ready());
    assert.equal(state.choice.level, "2", "a level a newcomer can beat");
    state = send(state, {type: "start", human: 2});
    assert.deepEqual(requests(state),
                     [["engine", {type: "new", human: 2, clock: Clock, player: "level:2"}]]);
    state = send(state, {...answer(""), started: true});
    assert.deepEqual(state.recent, [], "no move, nothing to keep");
    state = send(state, {...answer("5-5"), computer: {move: "5-5", estimate: null, milliseconds: 1}});
    assert.deepEqual(state.recent.map((g) => [g.id, g.moves, g.over]), [[state.game.id, "5-5", false]]);
    assert.equal(state.current, state.game.id);
  });

  it("clears a refusal and the computer's report at the next move that stands", () => {
    let state = gameAsBlack(["5-5", "4-4"]);
    assert.deepEqual(reportOf(state), {kind: "move", colour: "white", move: "4-4", estimate: null, milliseconds: 1});
    state = run(state, {type: "point", x: 5, y: 5},
                {...answer("5-5 4-4"), played: {outcome: "refused", refusal: "occupied"}});
    assert.deepEqual(state.game.refusal, {reason: "occupied", point: {x: 5, y: 5}});
    assert.equal(reportOf(state).kind, "move", "a refusal leaves the position as it was");
    state = run(state, {type: "point", x: 6, y: 6},
                {...answer("5-5 4-4 6-6", {state: "computerToMove"}), played: {outcome: "played"}});
    assert.equal(state.game.refusal, null);
    assert.equal(state.game.report, null);
    assert.equal(reportOf(state).kind, "thinking");
  });

  it("asks for a take-back only when the engine says there is one", () => {
    let state = gameAsBlack(["5-5", "4-4"]);
    state = send(state, {...answer("5-5 4-4", {canTakeBack: false})});
    assert.deepEqual(requests(send(state, {type: "takeBack"})), []);
    state = send(state, answer("5-5 4-4"));
    assert.deepEqual(requests(send(state, {type: "takeBack"})), [["engine", {type: "takeBack"}]]);
  });

  it("says who won: to the players, and to someone looking at another's game", () => {
    const over = answer("5-5 resign", {state: "over", winner: "black"});
    const own = send(gameAsBlack([]), over);
    assert.equal(statusOf(own).key, "youWin");
    assert.equal(reportOf(own).resigned, true);
    assert.equal(own.recent[0].over, true);
    const linked = run(initialState({language: "en"}),
                       ready("?seed=1&you=white&level=2&moves=5-5+resign"), {...over, started: true});
    assert.equal(statusOf(linked).key, "blackWon");
  });
});

describe("the stop button", () => {
  it("goes back to the person's turn before the move the computer was searching", () => {
    let state = gameAsBlack(["5-5", "4-4"]);
    state = run(state, {type: "point", x: 6, y: 6},
                {...answer("5-5 4-4 6-6", {state: "computerToMove"}), played: {outcome: "played"}},
                {type: "thinking"}, {type: "progress", percent: 40}, {type: "stop"});
    assert.deepEqual(requests(state), [["restart", {
      type: "new", human: 1, clock: Clock, player: "level:2", moves: "5-5 4-4",
    }]]);
    assert.equal(state.game.busy, "replaying");
    assert.equal(state.recent[0].moves, "5-5 4-4", "a reload replays the game as it now is");
    // Whatever the old engine still had to say is not heard; the new one's
    // ready changes nothing.
    state = run(state, ready(), {...answer("5-5 4-4"), started: true});
    assert.equal(statusOf(state).key, "yourMove");
    assert.equal(state.game.id, state.current);
  });

  it("leaves a game the computer opened for the first screen", () => {
    let state = run(initialState({language: "en"}), ready(), {type: "start", human: 2},
                    {...answer("", {state: "computerToMove"}), started: true}, {type: "thinking"},
                    {type: "stop"});
    assert.equal(state.game, null);
    assert.deepEqual(requests(state), [["restart", undefined]]);
    assert.deepEqual(state.recent, []);
  });

  it("ends a long replay with the game kept among the recent ones", () => {
    const kept = {id: "g1", seed: 5, human: 1, opponent: "exact:50000", moves: "5-5 4-4",
                  over: false, winner: null, updated: 1};
    const replaying = run(initialState({language: "en", games: [kept], current: "g1"}), ready());
    assert.equal(reportOf(replaying).kind, "replaying", "with the stop button");
    const state = send(replaying, {type: "stop"});
    assert.equal(state.game, null);
    assert.equal(state.current, null, "a reload does not replay it again");
    assert.deepEqual(state.recent, [kept]);
    assert.equal(state.notice.key, "stoppedReplay");
  });
});

describe("links and recent games", () => {
  const unfinished = {id: "g1", seed: 5, human: 1, opponent: "level:3", moves: "5-5 4-4",
                      over: false, winner: null, updated: 1};

  it("resume the game a reload interrupted, but not a finished one", () => {
    let state = run(initialState({language: "en", games: [unfinished], current: "g1"}), ready());
    assert.deepEqual(requests(state), [["engine", {
      type: "new", human: 1, clock: 5, player: "level:3", moves: "5-5 4-4",
    }]]);
    const finished = {...unfinished, over: true, winner: "white"};
    state = run(initialState({language: "en", games: [finished], current: "g1"}), ready());
    assert.equal(state.game, null);
  });

  it("open beside an unfinished game, which stays; played on, the linked game is kept too", () => {
    let state = run(initialState({language: "en", games: [unfinished], current: "g1"}),
                    ready("?seed=9&you=black&level=1&moves=1-1+2-2"));
    assert.deepEqual(state.game.origin, "link");
    assert.equal(state.current, null);
    assert.deepEqual(state.recent, [unfinished]);
    state = run(state, {...answer("1-1 2-2"), started: true}, {type: "point", x: 3, y: 3},
                {...answer("1-1 2-2 3-3", {state: "computerToMove"}), played: {outcome: "played"}});
    assert.equal(state.game.origin, "own");
    assert.deepEqual(requests(state), [["address", ""]], "the address no longer shows this game");
    assert.deepEqual(state.recent.map((g) => g.moves).sort(), ["1-1 2-2 3-3", "5-5 4-4"]);
    state = send(state, {type: "resume", id: "g1"});
    assert.equal(requests(state)[0][0], "restart", "the search is ended before the other game");
    assert.equal(state.current, "g1");
  });

  it("say what is wrong with a link, and go on with the game in progress", () => {
    const state = run(initialState({language: "en", games: [unfinished], current: "g1"}),
                      ready("?level=99"));
    assert.deepEqual(state.notice, {key: "linkRefused", values: {detail: {key: "badLevel", values: {token: "99", count: 7}}}});
    assert.equal(state.game.id, "g1");
  });

  it("name the move the engine refuses in a linked record", () => {
    let state = run(initialState({language: "en"}), ready("?moves=5-5+5-5"));
    assert.equal(state.game.opponent, "human", "a link without an opponent is a game between two people");
    state = send(state, {type: "rejected", reason: "record",
                         error: {token: 2, text: "5-5", kind: "occupied", reason: "Black may not play there"}});
    assert.equal(state.game, null);
    assert.deepEqual(state.notice.values.detail, {key: "badMove", values: {
      token: 2, text: "5-5", kind: {key: "moveKinds.occupied", values: {otherwise: "Black may not play there"}},
    }});
  });

  it("keep the game an earlier page left, as a record, unless it cannot be read", () => {
    const earlierGame = "nanaren record 1\nseed: 3\nyou: white\ncomputer: level:4\nmoves: 5-5 4-4 6-6\n";
    const state = run(initialState({language: "en", earlierGame}), ready());
    assert.deepEqual(state.recent.map((g) => [g.seed, g.human, g.opponent, g.moves, g.over]),
                     [[3, 2, "level:4", "5-5 4-4 6-6", false]]);
    assert.equal(state.earlierGame, null);
    const unreadable = "nanaren record 1\nseed: 3\nyou: white\ncomputer: exact:30\nmoves: 5-5\n";
    assert.equal(run(initialState({language: "en", earlierGame: unreadable}), ready()).earlierGame,
                 unreadable);
  });

  it("keep every unfinished game and the newest finished ones, unfinished first", () => {
    const games = Array.from({length: FinishedKept + 3}, (_, i) =>
      ({id: `f${i}`, over: true, updated: i}));
    const list = ordered([...games, {id: "u", over: false, updated: -1}]);
    assert.deepEqual(list.map((g) => g.id), ["u", ...games.slice(3).reverse().map((g) => g.id)]);
  });
});

describe("two people at one board", () => {
  it("take turns with no computer, and take back a single move", () => {
    let state = run(initialState({language: "en"}), ready(), {type: "chooseLevel", level: "human"},
                    {type: "start", human: 2});
    assert.deepEqual(requests(state)[0][1], {type: "new", human: 1, clock: Clock, player: "human"});
    state = run(state, {...answer(""), started: true}, {type: "point", x: 5, y: 5},
                {...answer("5-5"), played: {outcome: "played"}});
    assert.equal(statusOf(state).key, "whiteToMove");
    assert.equal(reportOf(state), null);
    assert.deepEqual(requests(send(state, {type: "takeBack"})), [["engine", {type: "takeBack"}]]);
  });
});

describe("the coach", () => {
  const warning = {type: "warning", move: "9-8", warning: {class: "allowed-win", threat: ["8-5"]}};

  it("in the teaching mode leaves a move that loses unplayed until the person decides", () => {
    let state = send(gameAsBlack(["5-5", "4-4"]), {type: "warnMode"});
    state = send(state, {type: "point", x: 9, y: 8});
    assert.deepEqual(requests(state), [["engine", {type: "play", move: "9-8", warn: true}]]);
    assert.deepEqual(requests(send(state, {type: "resign"})), [], "busy with the move");
    state = send(state, warning);
    assert.deepEqual(state.game.warning, {move: "9-8", point: {x: 9, y: 8}, class: "allowed-win",
                                          threat: ["8-5"]});
    assert.equal(state.game.engine.position.moves, "5-5 4-4");
    assert.deepEqual(requests(send(state, {type: "takeBack"})), [], "nothing played to take back");
    assert.equal(send(state, {type: "withdrawMove"}).game.warning, null);
    const kept = send(state, {type: "keepMove"});
    assert.deepEqual(requests(kept), [["engine", {type: "play", move: "9-8"}]]);
    assert.equal(kept.game.warning, null);
    // Resigning is never warned of.
    const resigned = send(send(state, {type: "withdrawMove"}), {type: "resign"});
    assert.deepEqual(requests(resigned), [["engine", {type: "play", move: "resign"}]]);
  });

  it("asks for one hint a position, counts it in the record, and shows it only there", () => {
    let state = gameAsBlack(["5-5", "4-4"]);
    state = send(state, {type: "askHint"});
    assert.deepEqual(requests(state), [["engine", {type: "hint"}]]);
    assert.deepEqual(requests(send(state, {type: "askHint"})), [], "one at a time");
    const hint = {move: "6-6", reason: null, winRate: 52, line: ["6-6"]};
    state = send(state, {type: "hint", moves: "5-5 4-4", hint, milliseconds: 80});
    assert.deepEqual(hintOf(state.game), {moves: "5-5 4-4", ...hint, milliseconds: 80});
    assert.deepEqual(requests(send(state, {type: "askHint"})), [], "already shown");
    assert.equal(recordOf(state.game).hints, 1);
    assert.equal(state.recent[0].hints, 1);
    state = send(state, {...answer("5-5 4-4 6-6", {state: "computerToMove"}), played: {outcome: "played"}});
    assert.equal(hintOf(state.game), null);
  });

  it("analyses a game, hears only its own review, and drops it when the game changes", () => {
    const linked = run(initialState({language: "en"}), ready("?level=human&moves=5-5+4-4"),
                       {...answer("5-5 4-4"), started: true});
    let state = send(linked, {type: "analyse"});
    const {id} = state.game.analysis;
    assert.deepEqual(requests(state), [["engine", {type: "analyse", id}]]);
    state = run(state, {type: "analysis", id: id - 1, done: 2, total: 3},
                {type: "analysis", id, done: 1, total: 3});
    assert.deepEqual([state.game.analysis.done, state.game.analysis.total], [1, 3]);
    assert.deepEqual(requests(send(state, {type: "stopAnalysis"})), [["engine", {type: "stopAnalysis"}]]);
    assert.deepEqual(requests(send(state, {type: "newGame"})),
                     [["engine", {type: "stopAnalysis"}], ["address", ""]], "not left running");
    const positions = ["", "5-5", "5-5 4-4"].map((moves) => answer(moves).game.position);
    const review = {moves: [], sides: {}};
    state = send(state, {type: "analysed", id, moves: "5-5 4-4", review, positions});
    assert.equal(analysisOf(state.game).review, review);
    assert.equal(state.game.review.index, 2, "a game not over is looked back on from its end");
    state = send(state, {type: "point", x: 6, y: 6});
    assert.deepEqual(requests(state), [["engine", {type: "play", move: "6-6"}]]);
    state = send(state, {...answer("5-5 4-4 6-6"), played: {outcome: "played"}});
    assert.equal(state.game.analysis, null);
    assert.equal(state.game.review, null);
  });

  it("plays on from the position looked back on, the moves before it given", () => {
    let state = run(initialState({language: "en"}), ready("?level=human&moves=5-5+4-4+6-6"),
                    {...answer("5-5 4-4 6-6", {state: "over", winner: "black"}),
                     review: ["", "5-5", "5-5 4-4", "5-5 4-4 6-6"].map((m) => answer(m).game.position)});
    state = run(state, {type: "review", index: 1}, {type: "playFromHere", level: 3});
    assert.deepEqual(requests(state)[0], ["engine", {
      type: "new", human: 2, clock: Clock, player: "level:3", moves: "5-5", setup: 1,
    }]);
    state = send(state, {...answer("5-5"), started: true});
    assert.deepEqual(recordOf(state.game), {seed: Clock, human: 2, opponent: "level:3", moves: "5-5",
                                            setup: 1});
    // Stopped before its first move of its own, it goes back to the moves given.
    state = run(state, {type: "point", x: 1, y: 1},
                {...answer("5-5 1-1", {state: "computerToMove"}), played: {outcome: "played"}},
                {type: "thinking"}, {type: "stop"});
    assert.deepEqual(requests(state)[0][1], {type: "new", human: 2, clock: Clock, player: "level:3",
                                             moves: "5-5", setup: 1});
  });
});

describe("SGF files", () => {
  const sgf = "(;FF[4]GM[1]SZ[9]PB[Ann]DT[2024-05-01]\n;B[ee];W[dd])\n";
  // Noon in Greenwich is the same day in every zone within 11 hours of it.
  const mayDay = Date.UTC(2024, 4, 1, 12);

  it("open as a game between two people that the engine reads, and save with the file's " +
     "names and date; a refusal names the place", () => {
    let state = run(initialState({language: "en"}), ready(), {type: "openFile", name: "a.txt", text: `\n${sgf}`});
    assert.deepEqual(requests(state), [["engine", {
      type: "new", human: 1, clock: Clock, player: "human", sgf: `\n${sgf}`,
    }]], "a game tree is SGF whatever the file's name");
    assert.equal(statusOf(state).key, "replaying");
    state = run(state, {...answer("5-5 4-4"), started: true, sgf: {black: "Ann", white: "", date: "2024-05-01"}},
                {type: "saveSgf", now: mayDay + 86_400_000});
    assert.equal(state.game.origin, "file");
    assert.deepEqual(requests(state), [["engine", {
      type: "sgf", black: "Ann", white: "", date: "2024-05-01", language: "en",
    }]]);

    state = run(state, {type: "newGame"}, {type: "openFile", name: "b.SGF", text: "not a game"},
                {type: "rejected", reason: "sgf", error: {line: 1, column: 1, reason: "not an SGF game"}});
    assert.equal(state.game, null);
    assert.deepEqual(state.notice, {key: "fileRefused", values: {detail: {
      key: "badSgf", values: {line: 1, column: 1, reason: "not an SGF game"},
    }}});
    state = send(state, {type: "openFile", name: "c.sgf", text: "(".repeat(MaxSgfLength + 1)});
    assert.deepEqual(state.commands, [], "too long for the engine: not sent");
    assert.equal(state.notice.values.detail.key, "longSgf");
  });

  it("save the game on the board with the computer named, and download only its own answer", () => {
    let state = send(gameAsBlack(["5-5", "4-4"]), {type: "saveSgf", now: mayDay});
    assert.deepEqual(requests(state), [["engine", {
      type: "sgf", black: "", white: "nanaren level:2", date: "2024-05-01", language: "en",
    }]]);
    state = send(state, {type: "sgf", moves: "5-5", text: "(;an older game)"});
    assert.deepEqual(state.commands, []);
    state = send(state, {type: "sgf", moves: "5-5 4-4", text: "(;this game)"});
    assert.deepEqual(state.commands, [{type: "download", text: "(;this game)", name: `nanaren-${Clock}.sgf`}]);
  });
});
