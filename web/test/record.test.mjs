// The record's file and link forms, read back and refused, and the winning
// stones cut into the lines they lie on; no browser needed.

import assert from "node:assert/strict";
import {describe, it} from "node:test";

import {runsOf} from "../board.js";
import {formatRecord, parseRecord, readLink, recordQuery} from "../record.js";

const Reading = {levelCount: 7, clock: 42};
const level = {seed: 1733700000, human: 1, opponent: "level:4", moves: "5-5 4-4 pass 6-6"};
const exact = {seed: -3, human: 2, opponent: "exact:20000", moves: "resign"};
const people = {seed: 42, human: 1, opponent: "human", moves: "5-5 4-4"};

describe("records", () => {
  it("read back what they write, as a file and as a link", () => {
    for (const record of [level, exact, people]) {
      assert.deepEqual(parseRecord(formatRecord(record, "Black won in 4 moves"), Reading), {record});
      assert.deepEqual(readLink(recordQuery(record), Reading), {record});
    }
    assert.equal(recordQuery(level), "?seed=1733700000&you=black&level=4&moves=5-5+4-4+pass+6-6");
    assert.equal(recordQuery(people), "?level=human&moves=5-5+4-4");
  });

  it("carry the moves given and the hints used only when there are any, as a file and a link",
     () => {
    const counted = {...level, setup: 2, hints: 3};
    assert.deepEqual(parseRecord(formatRecord(counted), Reading), {record: counted});
    assert.deepEqual(readLink(recordQuery(counted), Reading), {record: counted});
    assert.match(formatRecord(counted), /\nsetup: 2\nhints: 3\n$/);
    assert.doesNotMatch(formatRecord({...level, setup: 0, hints: 0}), /setup|hints/);
    const refused = ["setup=5", "setup=-1", "hints=1.5", "hints=x"];
    for (const count of refused) {
      assert.equal(readLink(`${recordQuery(level)}&${count}`, Reading).error?.key, "badCount", count);
    }
  });

  it("read a file written by hand: blank lines, comments, CRLF, runs of blanks", () => {
    const text = "# a game\r\nnanaren record 1\r\n\r\nmoves:  5-5   4-4\tpass 6-6 \r\n" +
                 "computer: level:4\r\nyou: black\r\nseed: 1733700000\r\n";
    assert.deepEqual(parseRecord(text, Reading), {record: level});
  });

  it("name what is wrong with a file", () => {
    const file = (lines) => ["nanaren record 1", ...lines].join("\n");
    const full = ["seed: 1", "you: white", "computer: exact:300", "moves: 5-5"];
    const refused = [
      ["badHeader", "nanaren record 2\nseed: 1"],
      ["missingKey", file(full.slice(0, 3))],
      ["repeatedKey", file([...full, "seed: 2"])],
      ["unknownKey", file([...full, "colour: black"])],
      ["badLine", file([...full, "5-5 4-4"])],
      ["badSeed", file(["seed: 1.5", ...full.slice(1)])],
      ["badSide", file([full[0], "you: red", ...full.slice(2)])],
      ["badComputer", file([...full.slice(0, 2), "computer: strong:300", full[3]])],
      ["badComputer", file([...full.slice(0, 2), "computer: level:8", full[3]])],
      // Only the playout counts the page offers.
      ["badComputer", file([...full.slice(0, 2), "computer: exact:301", full[3]])],
    ];
    for (const [key, text] of refused) assert.equal(parseRecord(text, Reading).error?.key, key, text);
  });
});

describe("links", () => {
  const error = (search) => readLink(search, Reading).error;

  it("name the field and the text that is wrong", () => {
    assert.deepEqual(error("?level=99"), {key: "badLevel", values: {token: "99", count: 7}});
    assert.deepEqual(error("?playouts=-5").values.token, "-5");
    assert.deepEqual(error("?playouts=99999999").key, "badPlayouts");
    assert.deepEqual(error("?seed=x&level=1&moves=5-5"), {key: "badSeed", values: {token: "x"}});
    assert.deepEqual(error("?you=red&level=1&moves=5-5"), {key: "badSide", values: {token: "red"}});
    assert.deepEqual(error("?moves="), {key: "noMoves", values: {}});
    assert.deepEqual(error("?level=1&playouts=300&moves=5-5").key, "bothOpponents");
  });

  it("fill in a fresh seed, Black, and two people where they say nothing", () => {
    assert.deepEqual(readLink("?moves=5-5+zz", Reading),
                     {record: {seed: 42, human: 1, opponent: "human", moves: "5-5 zz"}});
    assert.deepEqual(readLink("?level=2&moves=10-10", Reading),
                     {record: {seed: 42, human: 1, opponent: "level:2", moves: "10-10"}});
  });

  it("without moves, pick the opponent and seed of new games", () => {
    assert.deepEqual(readLink("?seed=7&playouts=300", Reading),
                     {options: {seed: 7, opponent: "exact:300"}});
    assert.deepEqual(readLink("", Reading), {options: {seed: null, opponent: null}});
  });
});

describe("the winning stones", () => {
  const points = (text) => text.split(" ").map((p) => {
    const [x, y] = p.split("-").map(Number);
    return {x, y};
  });
  const ends = (runs) => runs.map((run) => [run[0], run.at(-1)].map((p) => `${p.x}-${p.y}`));

  it("lie on one line, or on each line the last stone made in turn", () => {
    assert.deepEqual(ends(runsOf(points("1-5 2-5 3-5 4-5 5-5 6-5 7-5"))), [["1-5", "7-5"]]);
    // The last stone 4-7 ends a column and lies on a diagonal whose first
    // stone touches it.
    const column = "4-1 4-2 4-3 4-4 4-5 4-6 4-7";
    const diagonal = "3-8 4-7 5-6 6-5 7-4 8-3 9-2";
    assert.deepEqual(ends(runsOf(points(`${column} ${diagonal}`))),
                     [["4-1", "4-7"], ["3-8", "9-2"]]);
  });
});
