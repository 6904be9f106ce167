// The page as a value: update(state, message) is the next state, a pure
// function with no DOM, storage or worker in it, so that node tests it
// alone. A message is what the person did ("point", "stop", ...) or what the
// engine answered ("game", "progress", ...); the app adds the clock (clock,
// in seconds, seeds new games) and the time (now, in milliseconds). What the
// page must then do (ask the engine, start it again, change the address,
// play a sound) is listed in the new state's commands, for the app to carry
// out; what to keep in storage the app reads from the state itself.
//
// Whose turn it is, what a move does, whether a take-back is possible and
// who has won are the engine's answers, never worked out here.

import {
  Black, White, TwoPeople, PlayoutChoices, isSgfFile, MaxSgfLength, opponentChoice, opponentName,
  parseRecord, readLink,
} from "./record.js";
import {withEntry, withoutEntry} from "./storage.js";

export const DefaultLevel = 2;
export const DefaultPlayouts = 20000;

// A game on the board:
//   id        its entry among the recent games; null while a game from a link
//             or a file is only looked at
//   origin    "own", "link" (the address shows it) or "file"
//   seed, human, opponent  its record's header
//   engine    the engine's last word: {state, canTakeBack, position}
//   review    {positions, index} once it is over: the board after each move
//   busy      what the person waits for: "starting", "replaying",
//             "moving" (the person's move), "computer", "takingBack", or null
//   progress  the search's percent, null before its first step
//   searches  how many searches have begun
//   report    the computer's move while it is the last move: {colour, move,
//             estimate: {winningRate, expectedReply} or null, reason: the
//             engine's certain reason or null}
//   refusal   why the last try was refused: {reason, point}; or why a click
//             was not taken
//   tried     the point the person last tried, null for a pass
//   captured  the stones the last move took, for their animation
//   setup     how many of its first moves were given, not played (a game
//             played on from another's position)
//   hints     how many hints the person has asked for
//   hint      the coach's move: {moves: the game it is for, move, reason,
//             winRate, line, milliseconds}; hinting while one is asked for
//   warning   the teaching mode's warning about a move not yet played:
//             {move, point, class, threat}
//   analysis  the review: {id, running: true, done, total} while it runs,
//             then {id, running: false, moves: the game it is of, review,
//             milliseconds}
//   showLine  whether the review draws the better move's line
//   players   the names and date an SGF file gave: {black, white, date}, or
//             null for a game that came from no such file
function newGame({id, origin, seed, human, opponent, moves, sgf, setup = 0, hints = 0}) {
  return {
    id, origin, seed, human, opponent, engine: null, review: null,
    busy: moves || sgf ? "replaying" : "starting", progress: null, searches: 0, report: null,
    refusal: null, tried: null, captured: [], setup, hints, hint: null, hinting: false,
    warning: null, analysis: null, showLine: false, players: null,
  };
}

export function initialState({language, sound = false, opponent = null, games = [],
                              current = null, available = true, earlierGame = null, warn = false,
                              showEstimate = true, showReply = false}) {
  return {
    language, sound,
    warn,                    // the teaching mode: a warning before a move that loses
    showEstimate,            // whether the report shows the computer's estimate
    showReply,               // whether the reply the computer expects is ringed
    engine: "loading",       // "loading", "ready" or "failed"
    levelCount: 0,           // the engine's levels, 1 to levelCount
    strength: null,          // the measured shares by level, as strength.json
    choice: {level: String(DefaultLevel), playouts: DefaultPlayouts},  // the list's choice
    storedOpponent: opponent,  // the opponent of the last game started, for the next visit
    seed: null,              // a link's seed for every new game
    game: null,
    recent: games,           // the recent games, as storage.js keeps them
    current,                 // the id of the game to resume after a reload
    earlierGame,             // an earlier page's game to keep among the recent ones
    notice: null,            // {key, values} about a link, a record, a stop or storage
    storage: available ? "ok" : "unavailable",  // or "full"
    status: null,            // a short word about the record: copied, saved
    commands: [],
  };
}

// ---- what a state says ----

export const isTwoPeople = (game) => game.opponent === TwoPeople;
const isOver = (game) => game?.engine?.state === "over";
const tokens = (moves) => (moves === "" ? [] : moves.split(" "));
const colourName = (colour) => (colour === Black ? "black" : "white");
const colourOf = (name) => (name === "black" ? Black : White);
const other = (colour) => (colour === Black ? White : Black);

// The opponent the list has chosen.
export function chosenOpponent({level, playouts}) {
  if (level === "exact") return opponentName({playouts});
  if (level === TwoPeople) return TwoPeople;
  return opponentName({level: Number(level)});
}

function choiceOf(opponent, levelCount) {
  const choice = opponentChoice(opponent, levelCount);
  if (!choice) return null;
  if (choice.people) return {level: TwoPeople, playouts: DefaultPlayouts};
  if (choice.level !== undefined) return {level: String(choice.level), playouts: DefaultPlayouts};
  return {level: "exact", playouts: choice.playouts};
}

// Whether the person is a player of the game rather than someone looking at
// another's: a game of their own, or one they have played on.
const isOwn = (game) => game.origin === "own";

// The line above the board: {key, values}.
export function statusOf(state) {
  const game = state.game;
  if (!game) return null;
  if (game.busy === "replaying") return {key: "replaying"};
  if (game.busy === "starting" || !game.engine) return {key: "starting"};
  const {state: turn, position} = game.engine;
  if (turn === "over") {
    const winner = colourOf(position.winner);
    if (isTwoPeople(game) || !isOwn(game)) return {key: winner === Black ? "blackWon" : "whiteWon"};
    return {key: winner === game.human ? "youWin" : "youLose"};
  }
  if (turn === "computerToMove") return {key: "thinking"};
  if (isTwoPeople(game)) return {key: position.toMove === "black" ? "blackToMove" : "whiteToMove"};
  return {key: "yourMove"};
}

// The block under the status, which keeps its place: the search while the
// computer thinks, or a record's replay, either of which can be stopped; the
// computer's move and its estimate while that is the last move; the result
// once the game is over, with the computer's winning move; else nothing.
export function reportOf(state) {
  const game = state.game;
  if (game?.busy === "replaying") return {kind: "replaying"};
  if (!game?.engine) return null;
  if (game.busy === "computer") return {kind: "thinking", progress: game.progress};
  const {position} = game.engine;
  if (isOver(game)) {
    const moves = tokens(position.moves);
    return {kind: "result", winner: colourOf(position.winner), count: moves.length,
            resigned: moves.at(-1) === "resign", computerMove: game.report?.move ?? null,
            reason: game.report?.reason ?? null, colour: game.report?.colour ?? null,
            winnerNamed: statusOf(state).key.endsWith("Won")};
  }
  if (!game.report || game.busy) return null;
  return {kind: "move", ...game.report};
}

// The reply the computer expects, ringed on the board while it may come,
// when the person asks for it.
export function expectedReply(state) {
  const report = reportOf(state);
  if (!state.showReply || report?.kind !== "move") return null;
  return report.estimate?.expectedReply ?? null;
}

export const canTakeBack = (game) => Boolean(game?.engine?.canTakeBack) && !game.busy &&
                                     !game.warning;
export const awaitsPerson = (game) => game?.engine?.state === "personToMove" && !game.busy;
const analysing = (game) => Boolean(game?.analysis?.running);

// The coach's move for the game as it stands.
export function hintOf(game) {
  const hint = game?.hint;
  return hint && awaitsPerson(game) && hint.moves === game.engine.position.moves ? hint : null;
}

export const canHint = (game) => awaitsPerson(game) && !game.hinting && !game.warning &&
                                 !hintOf(game) && !analysing(game) && !game.review;

// The review of the game as it stands, once it is done.
export function analysisOf(game) {
  const analysis = game?.analysis;
  return analysis && !analysis.running && analysis.moves === game.engine?.position.moves ?
    analysis : null;
}

// A game can be analysed once it is over, or when it is someone else's (a
// link's or a file's), as long as nothing else is going on.
export const canAnalyse = (game) => Boolean(game?.engine) && !game.busy && !game.warning &&
  game.engine.position.moves !== "" && (isOver(game) || !isOwn(game)) && !game.analysis;

// The position the review shows, and whether a game can go on from it.
export function reviewedPosition(game) {
  const review = game?.review;
  return review ? review.positions[review.index] : null;
}
export const canPlayFromHere = (game) =>
  !game.busy && reviewedPosition(game)?.winner === "none" && !analysing(game);

// The record of the game on the board.
export function recordOf(game) {
  const moves = game.engine?.position.moves ?? "";
  const setup = Math.min(game.setup, tokens(moves).length);
  return {seed: game.seed, human: game.human, opponent: game.opponent, moves,
          ...(setup > 0 && {setup}), ...(game.hints > 0 && {hints: game.hints})};
}

// "2024-05-01" for a time in milliseconds, in the person's time zone.
function dateOf(now) {
  const date = new Date(now);
  const two = (n) => String(n).padStart(2, "0");
  return `${date.getFullYear()}-${two(date.getMonth() + 1)}-${two(date.getDate())}`;
}

// The players' names and the date an SGF record of the game carries: an SGF
// file's own; else the computer as the engine names it and the person
// unnamed, on the day the record is saved.
export function sgfPlayersOf(game, now) {
  const computer = isTwoPeople(game) ? null : other(game.human);
  const name = (colour) => (colour === computer ? `nanaren ${game.opponent}` : "");
  const file = game.players;
  return {black: file?.black ?? name(Black), white: file?.white ?? name(White),
          date: file?.date || dateOf(now)};
}

// ---- changes ----

const withCommands = (state, ...commands) =>
  ({...state, commands: [...state.commands, ...commands]});
// The state with the game on the board changed so.
const withGame = (state, changes) => ({...state, game: {...state.game, ...changes}});
const ask = (request) => ({type: "engine", request});
const isKept = (state, id) => state.recent.some((g) => g.id === id);
const address = (search) => ({type: "address", search});

// The engine's request that starts a game, with a record's moves, the first
// setup of them given rather than played.
function startRequest(game, moves) {
  const setup = Math.min(game.setup, tokens(moves ?? "").length);
  return {type: "new", human: game.human, clock: game.seed, player: game.opponent,
          ...(moves && {moves}), ...(setup > 0 && {setup})};
}

// A new game on the board, asked of the engine (of a fresh engine when the
// old one is busy, which cannot be interrupted).
function open(state, record, {id, origin}) {
  const game = newGame({id, origin, ...record});
  const request = {...startRequest(game, record.moves), ...(record.sgf && {sgf: record.sgf})};
  const busy = state.game?.busy;
  const leavingLink = state.game?.origin === "link" && origin !== "link";
  const next = {...state, game, current: origin === "own" ? id : null, notice: null};
  return withCommands(next, busy ? {type: "restart", request} : ask(request),
                      ...(leavingLink ? [address("")] : []));
}

function home(state, notice = null) {
  const busy = state.game?.busy;
  const commands = [...(busy ? [{type: "restart"}] : []),
                    ...(analysing(state.game) ? [ask({type: "stopAnalysis"})] : []),
                    ...(state.game?.origin === "link" ? [address("")] : [])];
  return withCommands({...state, game: null, current: null, notice}, ...commands);
}

// A game of the person's own from its start: seeded with the link's seed or
// the clock.
function startNew(state, human, opponent, clock, now) {
  const record = {seed: state.seed ?? clock, human, opponent, moves: ""};
  return open(state, record, {id: newId(state, now), origin: "own"});
}

function newId(state, now) {
  let id = `g${now}`;
  while (state.recent.some((g) => g.id === id)) id += "+";
  return id;
}

// The person's game on the board kept among the recent games with these
// moves, once it has one.
function kept(state, {moves, winner}, now) {
  const game = state.game;
  if (!isOwn(game)) return state;
  if (moves === "" && !isKept(state, game.id)) return state;
  const entry = {
    ...recordOf(game), moves, id: game.id, over: winner !== null, winner, updated: now,
  };
  return {...state, recent: withEntry(state.recent, entry)};
}

function keptAsItStands(state, now) {
  const {position, state: turn} = state.game.engine;
  const winner = turn === "over" ? position.winner : null;
  return kept(state, {moves: position.moves, winner}, now);
}

// A game from a link or a file becomes the person's own once they change it.
function adopted(state, now) {
  const game = state.game;
  if (isOwn(game)) return state;
  const id = newId(state, now);
  const next = {...state, game: {...game, id, origin: "own"}, current: id};
  return game.origin === "link" ? withCommands(next, address("")) : next;
}

// The stones on before and gone after.
function capturedStones(before, after) {
  if (!before) return [];
  const gone = [];
  for (let i = 0; i < 81; ++i) {
    if (before.cells[i] !== "." && after.cells[i] === ".") {
      gone.push({x: (i % 9) + 1, y: Math.floor(i / 9) + 1});
    }
  }
  return gone;
}

// The sound of a move that stood: a stone, or a capture.
function stoneSound(state, captured) {
  const last = state.game.engine.position.lastMove;
  if (!state.sound || last === "pass" || last === "resign") return [];
  return [{type: "sound", kind: captured.length > 0 ? "capture" : "stone"}];
}

// The engine's answer about the game on the board. A refusal and the
// computer's report last until the game changes: a move stands, one is taken
// back, or the game starts again.
function followGame(state, message) {
  const {game: answer, played, computer, tookBack, started, review, sgf, now} = message;
  const game = state.game;
  const personMoved = played !== undefined && played.outcome !== "refused";
  const stood = personMoved || Boolean(computer);
  const changed = stood || tookBack || started;
  const captured = stood ? capturedStones(game.engine?.position, answer.position) : [];
  const next = {
    ...game, engine: answer, progress: null, captured,
    busy: answer.state === "computerToMove" ? "computer" : null,
    review: review ? {positions: review, index: review.length - 1} : null,
    refusal: played?.outcome === "refused" ? {reason: played.refusal, point: game.tried} :
             changed ? null : game.refusal,
    report: computer ? {colour: colourName(other(game.human)), ...computer} :
            changed ? null : game.report,
    warning: null,
    // Any request ends a review under way; one that is done lasts while
    // its game does.
    analysis: game.analysis?.moves === answer.position.moves ? game.analysis : null,
    showLine: false,
    players: sgf ?? game.players,
  };
  let followed = {...state, game: next};
  // The computer's answer to a linked game's last move leaves it the link's.
  if (personMoved || tookBack) followed = adopted(followed, now);
  followed = keptAsItStands(followed, now);
  return stood ? withCommands(followed, ...stoneSound(followed, captured)) : followed;
}

// The record a stop goes back to: the game before the person's last move,
// whose turn it was then. None when the computer opened the game.
function beforePersonsMove(game) {
  const moves = tokens(game.engine?.position.moves ?? "");
  return moves.length === 0 ? null : moves.slice(0, -1).join(" ");
}

function stop(state, now) {
  const game = state.game;
  if (game?.busy === "replaying" || game?.busy === "starting") {
    return home(state, isKept(state, game.id) ? {key: "stoppedReplay"} : null);
  }
  if (game?.busy !== "computer") return state;
  const moves = beforePersonsMove(game);
  if (moves === null) return home(state);
  // The board shows the game as it was until the engine has replayed it.
  const back = {...newGame({...game, moves}), engine: game.engine};
  const next = kept(adopted({...state, game: back}, now), {moves, winner: null}, now);
  return withCommands(next, {type: "restart", request: startRequest(game, moves)});
}

// The person's try: a point {x, y}, or "pass" or "resign".
function tryMove(state, move) {
  const game = state.game;
  if (!game || isOver(game)) return state;
  if (game.busy === "computer" || game.busy === "replaying" || game.busy === "starting") {
    const reason = game.busy === "computer" ? "busyThinking" : "busyReplaying";
    return withGame(state, {refusal: {reason, point: null}});
  }
  const review = game.review;
  if (!awaitsPerson(game) || (review && review.index < review.positions.length - 1)) return state;
  const point = typeof move === "object" ? move : null;
  const text = point ? `${point.x}-${point.y}` : move;
  const warn = state.warn && !isTwoPeople(game) && move !== "resign";
  return withCommands(withGame(state, {busy: "moving", tried: point, warning: null}),
                      ask({type: "play", move: text, ...(warn && {warn})}));
}

// The move the teaching mode warned of, played after all.
function keepMove(state) {
  const warning = state.game?.warning;
  if (!warning) return state;
  return withCommands(withGame(state, {busy: "moving", tried: warning.point, warning: null}),
                      ask({type: "play", move: warning.move}));
}

function askHint(state, now) {
  const game = state.game;
  if (!canHint(game)) return state;
  const next = withGame(state, {hinting: true, hints: game.hints + 1, refusal: null});
  return withCommands(keptAsItStands(next, now), ask({type: "hint"}));
}

function analyse(state, now) {
  if (!canAnalyse(state.game)) return state;
  const analysis = {id: now, running: true, done: 0, total: null};
  return withCommands(withGame(state, {analysis}), ask({type: "analyse", id: now}));
}

// The engine's word about the review asked for last; any other is old.
function analysed(state, {id, moves, review, positions, milliseconds}) {
  const game = state.game;
  if (!game?.analysis?.running || game.analysis.id !== id) return state;
  const shown = game.review ?? {positions, index: positions.length - 1};
  const analysis = {id, running: false, moves, review, milliseconds};
  return withGame(state, {analysis, review: shown});
}

function analysisProgress(state, {id, done, total}) {
  const analysis = state.game?.analysis;
  if (!analysis?.running || analysis.id !== id) return state;
  return withGame(state, {analysis: {...analysis, done, total}});
}

function stopAnalysis(state) {
  if (!analysing(state.game)) return state;
  return withCommands(withGame(state, {analysis: null}), ask({type: "stopAnalysis"}));
}

// A game of the person's own from the position the review shows, the side
// to move theirs, against the level chosen.
function playFromHere(state, {level, clock, now}) {
  const game = state.game;
  if (!game || !canPlayFromHere(game)) return state;
  const position = reviewedPosition(game);
  const opponent = opponentName({level});
  const record = {seed: state.seed ?? clock, human: colourOf(position.toMove), opponent,
                  moves: position.moves, setup: tokens(position.moves).length};
  return open(state, record, {id: newId(state, now), origin: "own"});
}

function ready(state, {levelCount, search, clock, now}) {
  if (state.engine === "ready") return state;  // an engine started again after a stop
  let next = {...state, engine: "ready", levelCount};
  next.choice = choiceOf(state.storedOpponent, levelCount) ?? state.choice;
  if (state.earlierGame) next = keptEarlierGame(next, clock, now);
  const link = readLink(search, {levelCount, clock});
  if (link.error) {
    const notice = {key: "linkRefused", values: {detail: link.error}};
    return withCommands(resumeOrHome(next, notice), address(""));
  }
  if (link.options) {
    next.seed = link.options.seed;
    next.choice = choiceOf(link.options.opponent, levelCount) ?? next.choice;
    return resumeOrHome(next);
  }
  if (link.record) return open(next, link.record, {id: null, origin: "link"});
  return resumeOrHome(next);
}

// The game a reload interrupted, if it was unfinished; else the first screen.
function resumeOrHome(state, notice = null) {
  const entry = state.recent.find((g) => g.id === state.current && !g.over);
  if (!entry) return {...state, current: null, notice};
  return {...open(state, entry, {id: entry.id, origin: "own"}), notice};
}

// An earlier page's game among the recent ones; one this page cannot read
// stays where it was.
function keptEarlierGame(state, clock, now) {
  const {record} = parseRecord(state.earlierGame, {levelCount: state.levelCount, clock});
  if (!record) return state;
  const next = {...state, earlierGame: null};
  if (record.moves === "") return next;
  const entry = {...record, id: newId(state, now), over: false, winner: null, updated: now};
  return {...next, recent: withEntry(next.recent, entry)};
}

// A record from a file is looked at first, as a link's; it is never stored
// over another game. An SGF file's game is the engine's to read, as a game
// between two people.
function openFile(state, {name, text, clock}) {
  const refused = (detail) => ({...state, notice: {key: "fileRefused", values: {detail}}});
  if (isSgfFile(name, text)) {
    if (text.length > MaxSgfLength) {
      return refused({key: "longSgf", values: {count: text.length, most: MaxSgfLength}});
    }
    const record = {seed: clock, human: Black, opponent: TwoPeople, moves: "", sgf: text};
    return open(state, record, {id: null, origin: "file"});
  }
  const {record, error} = parseRecord(text, {levelCount: state.levelCount, clock});
  if (error) return refused(error);
  return open(state, record, {id: null, origin: "file"});
}

// The game as an SGF file: asked of the engine, then downloaded if the game
// is still the one on the board.
function saveSgf(state, now) {
  const game = state.game;
  if (!game?.engine) return state;
  return withCommands(state, ask({type: "sgf", ...sgfPlayersOf(game, now),
                                  language: state.language}));
}

function sgfWritten(state, {moves, text}) {
  const game = state.game;
  if (game?.engine?.position.moves !== moves) return state;
  return withCommands(state, {type: "download", text, name: `nanaren-${game.seed}.sgf`});
}

const RefusedGame = {own: "resumeRefused", link: "linkRefused", file: "fileRefused"};

// Why the engine will not play a record's move, with the move named.
const badMove = (error) => ({key: "badMove", values: {
  token: error.token, text: error.text,
  kind: {key: `moveKinds.${error.kind}`, values: {otherwise: error.reason}},
}});

// The engine will not play the player, the record or the SGF file of the
// game being opened: why, with the move or the place in the file named.
function rejected(state, {reason, error}) {
  const game = state.game;
  const detail = reason === "player" ? {key: "badOpponent", values: {token: game.opponent}} :
                 reason === "sgf" ? {key: "badSgf", values: error} : badMove(error);
  const notice = {key: RefusedGame[game.origin], values: {detail}};
  const next = {...state, game: null, current: null, notice};
  return game.origin === "link" ? withCommands(next, address("")) : next;
}

const Handlers = {
  // ---- from the engine ----
  ready,
  failed: (state) => ({...state, engine: "failed"}),
  game: (state, message) => (state.game ? followGame(state, message) : state),
  thinking: (state) => (!state.game ? state : withGame(state, {
    busy: "computer", progress: null, searches: state.game.searches + 1,
  })),
  progress: (state, {percent}) => (state.game ? withGame(state, {progress: percent}) : state),
  warning: (state, {move, warning}) => (state.game?.busy !== "moving" ? state : withGame(state, {
    busy: null, warning: {move, point: state.game.tried, ...warning},
  })),
  hint(state, {moves, hint, milliseconds}) {
    if (!state.game) return state;
    return withGame(state, {hinting: false, hint: {moves, ...hint, milliseconds}});
  },
  analysis: analysisProgress,
  analysed,
  sgf: sgfWritten,
  rejected: (state, message) => (state.game ? rejected(state, message) : state),
  strength: (state, {strength}) => ({...state, strength}),

  // ---- from the person ----
  language: (state, {language}) => ({...state, language}),
  sound: (state) => ({...state, sound: !state.sound}),
  warnMode: (state) => ({...state, warn: !state.warn}),
  estimateShown: (state) => ({...state, showEstimate: !state.showEstimate}),
  replyShown: (state) => ({...state, showReply: !state.showReply}),
  chooseLevel: (state, {level}) => ({...state, choice: {...state.choice, level}}),
  choosePlayouts: (state, {playouts}) =>
    PlayoutChoices.includes(playouts) ? {...state, choice: {...state.choice, playouts}} : state,
  start(state, {human, clock, now}) {
    const opponent = chosenOpponent(state.choice);
    const colour = opponent === TwoPeople ? Black : human;
    return startNew({...state, storedOpponent: opponent}, colour, opponent, clock, now);
  },
  rematch: (state, {clock, now}) =>
    (state.game ? startNew(state, state.game.human, state.game.opponent, clock, now) : state),
  point: (state, {x, y}) => tryMove(state, {x, y}),
  pass: (state) => tryMove(state, "pass"),
  resign: (state) => tryMove(state, "resign"),
  keepMove,
  withdrawMove: (state) => (state.game?.warning ? withGame(state, {warning: null}) : state),
  askHint: (state, {now}) => askHint(state, now),
  analyse: (state, {now}) => analyse(state, now),
  stopAnalysis,
  showLine: (state) =>
    (state.game?.review ? withGame(state, {showLine: !state.game.showLine}) : state),
  playFromHere,
  takeBack(state) {
    if (!canTakeBack(state.game)) return state;
    return withCommands(withGame(state, {busy: "takingBack"}), ask({type: "takeBack"}));
  },
  stop: (state, {now}) => stop(state, now),
  newGame: (state) => home(state),
  resume(state, {id}) {
    const entry = state.recent.find((g) => g.id === id);
    if (!entry || entry.id === state.game?.id) return state;
    return open(state, entry, {id, origin: "own"});
  },
  forget(state, {id}) {
    if (id === state.game?.id) return state;
    return {...state, recent: withoutEntry(state.recent, id)};
  },
  review(state, {index}) {
    const review = state.game?.review;
    if (!review) return state;
    const to = Math.min(review.positions.length - 1, Math.max(0, index));
    return {...state, game: {...state.game, review: {...review, index: to}, showLine: false}};
  },
  openFile,
  saveSgf: (state, {now}) => saveSgf(state, now),
  storageFailed: (state) => (state.storage === "ok" ? {...state, storage: "full"} : state),
  said: (state, {status}) => ({...state, status}),
};

export function update(state, message) {
  const handler = Handlers[message.type];
  if (!handler) throw new Error(`no such message: ${message.type}`);
  return handler({...state, commands: []}, message);
}
