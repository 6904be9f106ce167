// A game as the page saves, shares and replays it: the clock value the
// computer was seeded with, the person's colour, the opponent and the moves
// as the engine writes them. As a file:
//
//   nanaren record 1
//   seed: 1733700000
//   you: black
//   computer: level:4
//   moves: 5-5 4-4 pass 6-6
//   # Black won in 4 moves
//
// and as a link, ?seed=1733700000&you=black&level=4&moves=5-5+4-4+pass+6-6
// (playouts=N instead of level=K for the exact game). Between two people the
// file says "computer: none" and the link "level=human", with no colour. A
// missing seed is a fresh one, a missing colour Black, a link without an
// opponent a game between two people. Two items are there only when they
// are not 0: "setup: N" (setup=N), the first N moves were given, not played
// against this computer (a game played on from another's position), and
// "hints: N" (hints=N), the hints the person asked for. Readers skip no
// item: one they do not know is named as wrong. Whether the moves can be played is the
// engine's to say; here only the shape is read, and every complaint names
// the field and the text that is wrong.
//
// An SGF file (FF[4], GM[1], SZ[9]) is read by the engine, as a game between
// two people; here it is only told apart from the page's own record.

export const Black = 1;
export const White = 2;
// The exact player's playout counts the page offers; links and files hold
// no others.
export const PlayoutChoices = [300, 1000, 5000, 20000, 50000];
// The engine's name of the opponent in a game between two people.
export const TwoPeople = "human";

const Header = "nanaren record 1";
const FileKeys = ["seed", "you", "computer", "moves", "setup", "hints"];
const SideNames = {black: Black, white: White};
const MaxMovesLength = 8000;

// The longest SGF text the page hands to the engine, which takes it on its
// stack: a game of this board is a few thousand characters.
export const MaxSgfLength = 200000;

const fail = (key, values = {}) => ({error: {key, values}});
const sideName = (human) => (human === Black ? "black" : "white");

// An integer written in decimal that a double holds exactly, or null.
export function integerOf(text) {
  if (text === null || text === undefined || !/^-?\d+$/.test(text)) return null;
  const value = Number(text);
  return Number.isSafeInteger(value) ? value : null;
}

// The engine's name of an opponent: level:K, exact:N or human.
export function opponentName({level, playouts, people}) {
  if (people) return TwoPeople;
  return level !== undefined ? `level:${level}` : `exact:${playouts}`;
}

// {level}, {playouts} or {people} from an engine name the page offers, or
// null.
export function opponentChoice(name, levelCount) {
  if (name === TwoPeople) return {people: true};
  const level = /^level:(\d+)$/.exec(name ?? "");
  if (level) {
    const value = Number(level[1]);
    return value >= 1 && value <= levelCount ? {level: value} : null;
  }
  const exact = /^exact:(\d+)$/.exec(name ?? "");
  const playouts = exact ? integerOf(exact[1]) : null;
  return PlayoutChoices.includes(playouts) ? {playouts} : null;
}

// A link's level=K or level=human.
function levelOf(token, levelCount) {
  const choice = opponentChoice(token === TwoPeople ? token : `level:${token}`, levelCount);
  return choice ? {opponent: opponentName(choice)} :
                  fail("badLevel", {token, count: levelCount});
}

const choices = PlayoutChoices.join(", ");

function playoutsOf(token) {
  const playouts = integerOf(token);
  if (!PlayoutChoices.includes(playouts)) return fail("badPlayouts", {token, choices});
  return {opponent: opponentName({playouts})};
}

// A file's computer: level:K, exact:N, or none between two people.
function computerOf(token, levelCount) {
  const choice = token === "none" ? {people: true} :
                 token === TwoPeople ? null : opponentChoice(token, levelCount);
  if (!choice) return fail("badComputer", {token, count: levelCount, choices});
  return {opponent: opponentName(choice)};
}

const normalMoves = (moves) => moves.trim().split(/\s+/).filter(Boolean).join(" ");

// The counts a record holds only when they are not 0, with their largest
// values given the moves.
const Counts = {setup: (moveCount) => moveCount, hints: () => Number.MAX_SAFE_INTEGER};

// {setup, hints} as given, each a whole number in its range, or {error}.
function countsOf(values, moveCount) {
  const counts = {};
  for (const [key, largest] of Object.entries(Counts)) {
    if (values[key] === undefined) continue;
    const count = integerOf(values[key]);
    if (count === null || count < 0 || count > largest(moveCount)) {
      return fail("badCount", {key, token: values[key]});
    }
    if (count > 0) counts[key] = count;
  }
  return {counts};
}

// The seed, colour, moves and counts of a record whose opponent is read: the
// seed given or else clock, Black unless said otherwise.
function completed({seed, you, moves, ...rest}, opponent, clock) {
  const seedValue = seed === undefined ? clock : integerOf(seed);
  if (seedValue === null) return fail("badSeed", {token: seed});
  if (you !== undefined && !(you in SideNames)) return fail("badSide", {token: you});
  if (moves.length > MaxMovesLength) return fail("longMoves", {count: moves.length});
  const normal = normalMoves(moves);
  const {counts, error} = countsOf(rest, normal === "" ? 0 : normal.split(" ").length);
  if (error) return {error};
  return {record: {seed: seedValue, human: SideNames[you ?? "black"], opponent, moves: normal,
                   ...counts}};
}

// Whether a file is an SGF record: so named, or a game tree, "(" first.
export function isSgfFile(name, text) {
  return /\.sgf$/i.test(name ?? "") || /^\s*\(/.test(text);
}

export function formatRecord({seed, human, opponent, moves, setup, hints}, comment) {
  const people = opponent === TwoPeople;
  const lines = [Header, `seed: ${seed}`, ...(people ? [] : [`you: ${sideName(human)}`]),
                 `computer: ${people ? "none" : opponent}`, `moves: ${moves}`,
                 ...(setup ? [`setup: ${setup}`] : []), ...(hints ? [`hints: ${hints}`] : [])];
  if (comment) lines.push(`# ${comment}`);
  return lines.join("\n") + "\n";
}

// {record} or {error} from a file's text; clock seeds a record without one.
export function parseRecord(text, {levelCount, clock}) {
  const lines = text.split(/\r?\n/).map((line) => line.trim())
      .filter((line) => line !== "" && !line.startsWith("#"));
  if (lines[0] !== Header) return fail("badHeader");
  const values = {};
  for (const line of lines.slice(1)) {
    const match = /^([a-z]+):(.*)$/.exec(line);
    if (!match) return fail("badLine", {line: line.slice(0, 40)});
    const [, key, value] = match;
    if (!FileKeys.includes(key)) return fail("unknownKey", {key});
    if (key in values) return fail("repeatedKey", {key});
    values[key] = value.trim();
  }
  for (const key of ["computer", "moves"]) {
    if (!(key in values)) return fail("missingKey", {key});
  }
  const opponent = computerOf(values.computer, levelCount);
  return opponent.error ? opponent : completed(values, opponent.opponent, clock);
}

export function recordQuery({seed, human, opponent, moves, setup, hints}) {
  const choice = opponentChoice(opponent, Infinity);
  const query = new URLSearchParams();
  if (choice.people) {
    query.set("level", TwoPeople);
  } else {
    query.set("seed", String(seed));
    query.set("you", sideName(human));
    if (choice.level !== undefined) {
      query.set("level", String(choice.level));
    } else {
      query.set("playouts", String(choice.playouts));
    }
  }
  query.set("moves", moves);
  if (setup) query.set("setup", String(setup));
  if (hints) query.set("hints", String(hints));
  return `?${query}`;
}

// The opponent a link names: {opponent}, {error}, or {} when it names none.
function linkOpponent(query, levelCount) {
  const level = query.get("level");
  const playouts = query.get("playouts");
  if (level !== null && playouts !== null) return fail("bothOpponents");
  if (level !== null) return levelOf(level, levelCount);
  if (playouts !== null) return playoutsOf(playouts);
  return {};
}

// What an address's query holds: {record} for a game (a link with moves,
// which without an opponent is a game between two people), {options} with
// the seed and opponent it picks for new games, or {error} about either.
export function readLink(search, {levelCount, clock}) {
  const query = new URLSearchParams(search);
  const opponent = linkOpponent(query, levelCount);
  if (opponent.error) return opponent;
  const given = (key) => query.get(key) ?? undefined;
  if (!query.has("moves")) {
    const seed = given("seed");
    if (seed !== undefined && integerOf(seed) === null) return fail("badSeed", {token: seed});
    return {options: {seed: seed === undefined ? null : integerOf(seed),
                      opponent: opponent.opponent ?? null}};
  }
  const moves = query.get("moves");
  if (moves.trim() === "") return fail("noMoves");
  return completed({seed: given("seed"), you: given("you"), moves, setup: given("setup"),
                    hints: given("hints")}, opponent.opponent ?? TwoPeople, clock);
}
