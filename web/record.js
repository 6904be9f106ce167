// A game as the page saves, shares and replays it: the clock value the
// computer was seeded with, the person's colour, the computer player and the
// moves as the engine writes them. As a file:
//
//   nanaren record 1
//   seed: 1733700000
//   you: black
//   computer: level:4
//   moves: 5-5 4-4 pass 6-6
//   # Black won in 4 moves
//
// and as a link, ?seed=1733700000&you=black&level=4&moves=5-5+4-4+pass+6-6
// (playouts=N instead of level=K for the exact game). Whether the moves can
// be played is the engine's to say; here only the shape is read.

export const Black = 1;
export const White = 2;

const Header = "nanaren record 1";
const Keys = ["seed", "you", "computer", "moves"];
const SideNames = {black: Black, white: White};
const MaxMovesLength = 8000;

const fail = (key, values = {}) => ({error: {key, values}});

const sideName = (human) => (human === Black ? "black" : "white");

// An integer written in decimal that a double holds exactly, or null.
export function integerOf(text) {
  if (text === null || !/^-?\d+$/.test(text)) return null;
  const value = Number(text);
  return Number.isSafeInteger(value) ? value : null;
}

// The engine's name of the computer player: level:K or exact:N.
export const computerName = ({level, playouts}) =>
  level !== undefined ? `level:${level}` : `exact:${playouts}`;

// {level} or {playouts} from a name the page writes, or null.
export function computerChoice(name) {
  const level = /^level:(\d+)$/.exec(name);
  if (level) return {level: Number(level[1])};
  const exact = /^exact:(-?\d+)$/.exec(name);
  const playouts = exact ? integerOf(exact[1]) : null;
  return playouts !== null && playouts === (playouts | 0) ? {playouts} : null;
}

const normalMoves = (moves) => moves.trim().split(/\s+/).filter(Boolean).join(" ");

function checked({seed, you, computer, moves}) {
  const seedValue = integerOf(seed);
  if (seedValue === null) return fail("badSeed");
  if (!(you in SideNames)) return fail("badSide");
  const choice = computerChoice(computer);
  if (choice === null) return fail("badComputer");
  if (moves.length > MaxMovesLength) return fail("badMoves", {detail: moves.slice(0, 20)});
  return {record: {
    seed: seedValue, human: SideNames[you], computer: computerName(choice), moves: normalMoves(moves),
  }};
}

export function formatRecord({seed, human, computer, moves}, comment) {
  const lines = [Header, `seed: ${seed}`, `you: ${sideName(human)}`, `computer: ${computer}`,
                 `moves: ${moves}`];
  if (comment) lines.push(`# ${comment}`);
  return lines.join("\n") + "\n";
}

export function parseRecord(text) {
  const lines = text.split(/\r?\n/).map((line) => line.trim())
      .filter((line) => line !== "" && !line.startsWith("#"));
  if (lines[0] !== Header) return fail("badHeader");
  const values = {};
  for (const line of lines.slice(1)) {
    const match = /^([a-z]+):(.*)$/.exec(line);
    if (!match) return fail("badLine", {line: line.slice(0, 40)});
    const [, key, value] = match;
    if (!Keys.includes(key)) return fail("unknownKey", {key});
    if (key in values) return fail("repeatedKey", {key});
    values[key] = value.trim();
  }
  const missing = Keys.find((key) => !(key in values));
  return missing ? fail("missingKey", {key: missing}) : checked(values);
}

export function recordQuery({seed, human, computer, moves}) {
  const query = new URLSearchParams({seed: String(seed), you: sideName(human)});
  const choice = computerChoice(computer);
  if (choice.level !== undefined) {
    query.set("level", String(choice.level));
  } else {
    query.set("playouts", String(choice.playouts));
  }
  query.set("moves", moves);
  return `?${query}`;
}

// The record a link holds; null when the link holds none (no moves).
export function parseRecordQuery(search) {
  const query = new URLSearchParams(search);
  if (!query.has("moves")) return null;
  for (const key of ["seed", "you"]) {
    if (!query.has(key)) return fail("missingKey", {key});
  }
  const level = query.get("level");
  const playouts = query.get("playouts");
  if (level !== null && playouts !== null) return fail("bothComputers");
  const computer = level !== null ? `level:${level}` : `exact:${playouts ?? ""}`;
  return checked({seed: query.get("seed"), you: query.get("you"), computer,
                  moves: query.get("moves")});
}
