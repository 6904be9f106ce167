import test from 'node:test'
import assert from 'node:assert/strict'
import {ask, playGame, pointOf, startEngine} from './support.mjs'

test('a GTP client plays a whole game, with undo and showboard', async () => {
  const engine = startEngine(['exact:100', '--clock', '3'])
  try {
    assert.equal(await ask(engine, 'protocol_version'), '2')
    assert.equal(await ask(engine, 'name'), 'nanaren')
    await ask(engine, 'boardsize', 9)
    await ask(engine, 'clear_board')
    const moves = await playGame(engine, 200, async (move, color, count) => {
      if (count === 10) {
        // The generator goes back with the move: the same move again.
        await ask(engine, 'undo')
        assert.equal(await ask(engine, 'genmove', color), move)
      }
      if (move === 'pass') return
      const [x, y] = pointOf(move)
      const rows = (await ask(engine, 'showboard')).split('\n')
      const row = rows.find(line => line.startsWith(`${String(9 - y).padStart(2)} `))
      assert.equal(row.split(' ').filter(Boolean)[1 + x], color === 'b' ? 'X' : 'O', move)
    })
    assert.ok(moves.length < 200, 'the game was won')
    const winner = moves.length % 2 === 1 ? 'B' : 'W'
    assert.equal(await ask(engine, 'final_score'), `${winner}+`)
    assert.match(await ask(engine, 'gogui-rules_final_result'), /wins with a line of seven/)
    const refused = await engine.sendCommand({name: 'play', args: ['b', 'A1']})
    assert.ok(refused.error)
  } finally {
    await engine.stop()
  }
})

const info =
  /^info move ([A-HJ][1-9]|pass) visits (\d+) winrate (\d+) prior (\d+) lcb (\d+) order (\d+) pv(?: (?:[A-HJ][1-9]|pass))+$/

test('lz-analyze streams info lines until the next command', async () => {
  const engine = startEngine(['exact:2000000', '--clock', '3'])
  try {
    await ask(engine, 'play', 'b', 'E5')
    const lines = []
    const analysis = engine.sendCommand({name: 'lz-analyze', args: ['w', '5']}, ({line}) => {
      if (line.startsWith('info')) lines.push(line)
    })
    for (let waited = 0; lines.length < 3 && waited < 20000; waited += 20)
      await new Promise(resolve => setTimeout(resolve, 20))
    const name = engine.sendCommand({name: 'name'})
    assert.equal((await analysis).error, false)
    assert.equal((await name).content, 'nanaren')
    assert.ok(lines.length >= 3, `${lines.length} lines`)
    for (const line of lines) {
      const groups = line.split(/ (?=info )/)
      groups.forEach((group, order) => {
        const fields = group.match(info)
        assert.ok(fields, group)
        assert.equal(Number(fields[6]), order)
        assert.ok(Number(fields[3]) <= 10000 && Number(fields[5]) <= Number(fields[3]))
      })
    }
    assert.equal(await ask(engine, 'gogui-rules_side_to_move'), 'white')
  } finally {
    await engine.stop()
  }
})
