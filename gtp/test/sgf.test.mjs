import test from 'node:test'
import assert from 'node:assert/strict'
import fs from 'node:fs'
import os from 'node:os'
import path from 'node:path'
import sgf from '@sabaki/sgf'
import {ask, playGame, sgfPointOf, startEngine} from './support.mjs'

// The moves of a game tree's main line, as [colour, point].
function mainLine(root) {
  const moves = []
  for (let node = root.children[0]; node != null; node = node.children[0]) {
    for (const color of ['B', 'W']) if (node.data[color]) moves.push([color, node.data[color][0]])
  }
  return moves
}

test('a real SGF parser reads what we write, and we read what it writes', async () => {
  const engine = startEngine(['exact:50', '--clock', '11'])
  try {
    const moves = await playGame(engine, 200)
    const [root] = sgf.parse(await ask(engine, 'printsgf'))
    for (const [key, value] of Object.entries({FF: '4', GM: '1', SZ: '9', CA: 'UTF-8'}))
      assert.deepEqual(root.data[key], [value], key)
    assert.match(root.data.RU[0], /line of exactly seven/)
    assert.match(root.data.DT[0], /^\d{4}-\d{2}-\d{2}$/)
    assert.deepEqual(root.data.RE, [moves.length % 2 === 1 ? 'B+' : 'W+'])
    assert.equal(root.data.PB[0], 'nanaren exact:50')
    const expected = moves.map((move, i) => [i % 2 === 0 ? 'B' : 'W', sgfPointOf(move)])
    assert.deepEqual(mainLine(root), expected)

    // The parser's own writing, with a comment that needs escapes and a
    // variation after the main line, loads back as the same game.
    root.data.C = ['a ] and a \\ in a comment']
    root.children[0].children.push({id: 'side', data: {W: ['aa']}, parentId: null, children: []})
    const file = path.join(os.tmpdir(), `nanaren-gtp-${process.pid}.sgf`)
    fs.writeFileSync(file, sgf.stringify([root]))
    const other = startEngine(['exact:50'])
    try {
      await ask(other, 'loadsgf', file)
      assert.deepEqual(mainLine(sgf.parse(await ask(other, 'printsgf'))[0]), expected)
      await ask(other, 'loadsgf', file, 3)
      assert.deepEqual(mainLine(sgf.parse(await ask(other, 'printsgf'))[0]), expected.slice(0, 2))
    } finally {
      await other.stop()
      fs.rmSync(file)
    }
  } finally {
    await engine.stop()
  }
})
