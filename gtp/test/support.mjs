// Starting nanaren-gtp under the GTP client, and the coordinates as the tests
// work them out on their own.
import {fileURLToPath} from 'node:url'
import path from 'node:path'
import gtp from '@sabaki/gtp'

const here = path.dirname(fileURLToPath(import.meta.url))
export const enginePath =
  process.env.NANAREN_GTP || path.join(here, '..', '..', 'build', 'gtp', 'nanaren-gtp')

export function startEngine(args) {
  const controller = new gtp.Controller(enginePath, args)
  controller.start()
  return controller
}

// The answer's text; an error answer fails the test.
export async function ask(controller, name, ...args) {
  const response = await controller.sendCommand({name, args: args.map(String)})
  if (response.error) throw new Error(`${name} ${args.join(' ')}: ${response.content}`)
  return response.content
}

const columns = 'ABCDEFGHJ'

// A GTP vertex as [x, y] from the top-left, or null for a pass.
export function pointOf(vertex) {
  if (vertex.toLowerCase() === 'pass') return null
  return [columns.indexOf(vertex[0].toUpperCase()), 9 - Number(vertex.slice(1))]
}

export function sgfPointOf(vertex) {
  const point = pointOf(vertex)
  if (point == null) return ''
  return 'abcdefghi'[point[0]] + 'abcdefghi'[point[1]]
}

// gogui-rules_board's rows as signs: 1 Black, -1 White, 0 empty.
export function signsOf(board) {
  return board.split('\n').map(row => row.split(' ').map(c => (c === 'X' ? 1 : c === 'O' ? -1 : 0)))
}

// Plays genmove for both sides until the game is won or maxMoves are made;
// the moves, with onMove called after each.
export async function playGame(controller, maxMoves, onMove = async () => {}) {
  const moves = []
  while (moves.length < maxMoves && (await ask(controller, 'gogui-rules_legal_moves')) !== '') {
    const color = moves.length % 2 === 0 ? 'b' : 'w'
    const move = await ask(controller, 'genmove', color)
    moves.push(move)
    await onMove(move, color, moves.length)
  }
  return moves
}
