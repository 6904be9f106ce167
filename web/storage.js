// What the page keeps in the browser: the language, the sound, the coach's
// settings, the last opponent chosen, and the recent games, the game on the
// board among them. A recent game is {id, seed, human, opponent, moves,
// setup, hints, over, winner, updated}: its record (setup and hints only
// when not 0), whether it is over and who won ("black", "white" or null),
// and when it last changed (milliseconds). The list is short:
// unfinished games first, newest first, and only the newest few finished
// games; an unfinished game goes only when the person deletes it.

export const Keys = {
  language: "nanaren.language",
  sound: "nanaren.sound",
  opponent: "nanaren.opponent",
  games: "nanaren.games",
  current: "nanaren.current",
  warn: "nanaren.warn",
  estimate: "nanaren.estimate",
  reply: "nanaren.reply",
  // The one unfinished game an earlier version of the page kept, as a record.
  earlierGame: "nanaren.game",
};
export const FinishedKept = 5;

const newestFirst = (a, b) => b.updated - a.updated;

export function ordered(games) {
  const unfinished = games.filter((g) => !g.over).sort(newestFirst);
  const finished = games.filter((g) => g.over).sort(newestFirst).slice(0, FinishedKept);
  return [...unfinished, ...finished];
}

// The list with game added, or put in place of its earlier self.
export function withEntry(games, game) {
  return ordered([...games.filter((g) => g.id !== game.id), game]);
}

export function withoutEntry(games, id) {
  return games.filter((g) => g.id !== id);
}

// A stored list as far as it can be read: entries of the wrong shape go.
function gamesOf(text) {
  try {
    const games = JSON.parse(text ?? "[]");
    if (!Array.isArray(games)) return [];
    const whole = (g) => typeof g?.id === "string" && typeof g.moves === "string" &&
                         typeof g.opponent === "string" && Number.isFinite(g.updated);
    return ordered(games.filter(whole));
  } catch {
    return [];
  }
}

// Everything kept, and whether storage can be used at all.
export function loadStored(storage = globalThis.localStorage) {
  try {
    const get = (key) => storage.getItem(key);
    return {
      available: true, language: get(Keys.language), sound: get(Keys.sound) === "on",
      opponent: get(Keys.opponent), games: gamesOf(get(Keys.games)), current: get(Keys.current),
      earlierGame: get(Keys.earlierGame), warn: get(Keys.warn) === "on",
      showEstimate: get(Keys.estimate) !== "off", showReply: get(Keys.reply) === "on",
    };
  } catch {
    return {available: false, games: []};
  }
}

// Keeps value under key (null removes it); false when the browser refuses,
// full or turned off.
export function store(key, value, storage = globalThis.localStorage) {
  try {
    if (value === null) {
      storage.removeItem(key);
    } else {
      storage.setItem(key, value);
    }
    return true;
  } catch {
    return false;
  }
}
