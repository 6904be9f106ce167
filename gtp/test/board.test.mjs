import test from 'node:test'
import assert from 'node:assert/strict'
import GoBoard from '@sabaki/go-board'
import {ask, playGame, pointOf, signsOf, startEngine} from './support.mjs'

// An independent implementation of captures, ko and suicide follows 100 of
// the computer's games against itself and must hold the same stones after
// every move. A winning stone ends the game before any capture, so the
// board after it is left out.
test('captures of 100 self-play games replay alike on an independent board', async () => {
  const engine = startEngine(['exact:8', '--clock', '5'])
  let captures = 0
  try {
    for (let game = 0; game < 100; ++game) {
      await ask(engine, 'clear_board')
      await ask(engine, 'nanaren-random_state', 7919 * (game + 1))
      let board = GoBoard.fromDimensions(9)
      await playGame(engine, 150, async (move, color, count) => {
        const point = pointOf(move)
        const sign = color === 'b' ? 1 : -1
        if (point != null) {
          board = board.makeMove(sign, point, {preventSuicide: true, preventOverwrite: true, preventKo: true})
        }
        if ((await ask(engine, 'gogui-rules_legal_moves')) === '') return
        assert.deepEqual(signsOf(await ask(engine, 'gogui-rules_board')), board.signMap,
                         `game ${game}, move ${count} (${move})`)
      })
      captures += board.getCaptures(1) + board.getCaptures(-1)
    }
  } finally {
    await engine.stop()
  }
  assert.ok(captures > 100, `only ${captures} stones were captured`)
})
