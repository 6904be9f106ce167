// The record's file and link forms, read back and refused, and the winning
// stones cut into the lines they lie on; no browser needed.

import assert from "node:assert/strict";
import {describe, it} from "node:test";

import {runsOf} from "../board.js";
import {formatRecord, parseRecord, parseRecordQuery, recordQuery} from "../record.js";

const level = {seed: 1733700000, human: 1, computer: "level:4", moves: "5-5 4-4 pass 6-6"};
const exact = {seed: -3, human: 2, computer: "exact:20000", moves: ""};

describe("records", () => {
  it("read back what they write, as a file and as a link", () => {
    for (const record of [level, exact]) {
      assert.deepEqual(parseRecord(formatRecord(record, "Black won in 4 moves")), {record});
      assert.deepEqual(parseRecordQuery(recordQuery(record)), {record});
    }
    assert.equal(recordQuery(level),
                 "?seed=1733700000&you=black&level=4&moves=5-5+4-4+pass+6-6");
  });

  it("read a file written by hand: blank lines, comments, CRLF, runs of blanks", () => {
    const text = "# a game\r\nnanaren record 1\r\n\r\nmoves:  5-5   4-4\tpass 6-6 \r\n" +
                 "computer: level:4\r\nyou: black\r\nseed: 1733700000\r\n";
    assert.deepEqual(parseRecord(text), {record: level});
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
      // Playouts beyond the engine's 32 bits.
      ["badComputer", file([...full.slice(0, 2), "computer: exact:4294967296", full[3]])],
    ];
    for (const [key, text] of refused) assert.equal(parseRecord(text).error?.key, key, text);
    assert.deepEqual(parseRecord(file(full)).record,
                     {seed: 1, human: 2, computer: "exact:300", moves: "5-5"});
  });

  it("hold no record in a link without moves, and refuse a link that is not whole", () => {
    assert.equal(parseRecordQuery("?seed=5&playouts=300"), null);
    assert.equal(parseRecordQuery("?seed=5&you=black&moves=5-5").error.key, "badComputer");
    assert.equal(parseRecordQuery("?you=black&level=1&moves=").error.key, "missingKey");
    assert.equal(parseRecordQuery("?seed=5&you=black&level=1&playouts=3&moves=").error.key,
                 "bothComputers");
    assert.equal(parseRecordQuery(`?seed=${2 ** 53}&you=black&level=1&moves=`).error.key,
                 "badSeed");
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
