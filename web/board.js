// The board as an SVG drawing: the grid, the stones the engine reports, the
// marks on them, and the 81 points as elements that take a click or, with the
// arrow keys, the focus. What a move does is the engine's; this only draws.

// Point (x, y) sits at (x * Spacing, y * Spacing); the labels sit in the
// margin above and to the left, which the view box keeps narrow so that the
// points are far enough apart on a phone.
const Spacing = 50;
const StoneRadius = 22;
const LabelAt = 12;
const SvgNs = "http://www.w3.org/2000/svg";
// The engine's cells: "b" Black, "w" White, "." empty.
export const StoneClasses = {b: "black", w: "white"};
// How long a captured stone takes to fade, as the style sheet's animation.
const FadeMilliseconds = 400;

function svg(tag, attributes, text) {
  const element = document.createElementNS(SvgNs, tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  if (text !== undefined) element.textContent = text;
  return element;
}

const at = (c) => c * Spacing;

// The winning stones as straight runs: the engine lists each line in order
// along it, one line after the other, and a line never continues past its
// own end, so a run ends where the step from stone to stone changes.
export function runsOf(stones) {
  const runs = [];
  for (const stone of stones) {
    const run = runs.at(-1);
    const step = run && [stone.x - run.at(-1).x, stone.y - run.at(-1).y];
    const adjacent = step && Math.max(Math.abs(step[0]), Math.abs(step[1])) === 1;
    const sameWay = run && (run.length < 2 || (step[0] === run.step[0] && step[1] === run.step[1]));
    if (adjacent && sameWay) {
      run.step = step;
      run.push(stone);
    } else {
      runs.push(Object.assign([stone], {step: null}));
    }
  }
  return runs;
}

export class BoardView {
  // onPoint(x, y) is called when a point is clicked or chosen with the keys.
  constructor(element, onPoint) {
    this.element = element;
    this.onPoint = onPoint;
    this.cursor = {x: 5, y: 5};  // the point the keys move from
    this.playable = true;        // whether the keys play, or are left to the page
    this.drawGrid();
    element.addEventListener("click", (event) => {
      const target = event.target.closest(".target");
      if (target) onPoint(Number(target.dataset.x), Number(target.dataset.y));
    });
    element.addEventListener("keydown", (event) => this.onKey(event));
  }

  drawGrid() {
    const board = this.element;
    board.setAttribute("viewBox", "0 0 480 480");
    board.append(svg("rect", {class: "wood", x: 24, y: 24, width: 452, height: 452, rx: 6}));
    for (let i = 1; i <= 9; ++i) {
      board.append(svg("line", {class: "grid", x1: at(1), y1: at(i), x2: at(9), y2: at(i)}));
      board.append(svg("line", {class: "grid", x1: at(i), y1: at(1), x2: at(i), y2: at(9)}));
      // Columns are counted along the top and rows down the side, row 1 on top.
      board.append(svg("text", {class: "label", x: at(i), y: LabelAt}, String(i)));
      board.append(svg("text", {class: "label", x: LabelAt, y: at(i)}, String(i)));
    }
    for (const [x, y] of [[3, 3], [7, 3], [5, 5], [3, 7], [7, 7]]) {
      board.append(svg("circle", {class: "star", cx: at(x), cy: at(y), r: 4}));
    }
    this.stones = svg("g", {id: "stones"});
    this.fading = svg("g", {id: "fading"});
    this.marks = svg("g", {id: "marks"});
    this.targets = svg("g", {id: "targets"});
    board.append(this.stones, this.fading, this.marks, this.targets);
    for (let y = 1; y <= 9; ++y) {
      for (let x = 1; x <= 9; ++x) {
        this.targets.append(svg("rect", {
          class: "target", "data-x": x, "data-y": y, role: "button", tabindex: -1,
          x: at(x) - Spacing / 2, y: at(y) - Spacing / 2, width: Spacing, height: Spacing,
        }));
      }
    }
    this.target(5, 5).setAttribute("tabindex", 0);
  }

  target(x, y) {
    return this.targets.querySelector(`[data-x="${x}"][data-y="${y}"]`);
  }

  // Arrow keys move the focus between points, Enter or Space plays there.
  onKey(event) {
    const target = event.target.closest?.(".target");
    if (!target || !this.playable) return;
    const x = Number(target.dataset.x);
    const y = Number(target.dataset.y);
    const moves = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
    if (event.key in moves) {
      const [dx, dy] = moves[event.key];
      this.moveCursor(Math.min(9, Math.max(1, x + dx)), Math.min(9, Math.max(1, y + dy)));
    } else if (event.key === "Enter" || event.key === " ") {
      this.onPoint(x, y);
    } else {
      return;
    }
    event.preventDefault();
    event.stopPropagation();
  }

  moveCursor(x, y) {
    this.target(this.cursor.x, this.cursor.y).setAttribute("tabindex", -1);
    this.cursor = {x, y};
    const target = this.target(x, y);
    target.setAttribute("tabindex", 0);
    target.focus();
  }

  // cells: the engine's 81 cells row by row; marks: the last stone, the
  // reply the computer expects and its colour ("black" or "white"), the
  // winning stones, a refused point, the stones the last move captured, the
  // coach's hint, a move tried but not played {x, y, colour}, the better
  // move a review shows, and a line of moves as numbered stones
  // {stones: [{x, y, colour}], threat: whether it is the other side's win},
  // all optional. pointLabel(x, y, cell) names a point for a screen reader.
  show(cells, {lastMove, expectedReply, replyColour, winningStones = [], refused, captured, hint,
               tried, best, line}, pointLabel) {
    const before = this.cells;
    this.cells = cells;
    this.stones.replaceChildren();
    Array.from(cells).forEach((cell, i) => {
      const x = (i % 9) + 1;
      const y = Math.floor(i / 9) + 1;
      this.target(x, y).setAttribute("aria-label", pointLabel(x, y, cell));
      if (!(cell in StoneClasses)) return;
      this.stones.append(svg("circle", {
        class: `stone ${StoneClasses[cell]}`, "data-x": x, "data-y": y,
        cx: at(x), cy: at(y), r: StoneRadius,
      }));
    });
    if (captured && captured !== this.captured) {
      this.captured = captured;
      if (before) this.fade(captured, before);
    }
    this.marks.replaceChildren();
    if (lastMove) {
      this.marks.append(svg("circle", {
        class: "last-move", "data-x": lastMove.x, "data-y": lastMove.y,
        cx: at(lastMove.x), cy: at(lastMove.y), r: 7,
      }));
    }
    if (expectedReply) {
      this.marks.append(svg("circle", {
        class: `expected-reply ${replyColour}`,
        "data-x": expectedReply.x, "data-y": expectedReply.y,
        cx: at(expectedReply.x), cy: at(expectedReply.y), r: StoneRadius - 4,
      }));
    }
    this.showWinningLine(winningStones);
    if (refused) this.showRefused(refused);
    if (tried) this.ring(tried, `tried ${tried.colour}`, StoneRadius);
    if (hint) this.ring(hint, "hint-ring", StoneRadius + 1);
    if (best) this.ring(best, "best-move", StoneRadius + 1);
    if (line) this.showLine(line);
  }

  // A circle of the class given at a point.
  ring({x, y}, className, r) {
    this.marks.append(svg("circle", {class: className, "data-x": x, "data-y": y,
                                     cx: at(x), cy: at(y), r}));
  }

  // Moves to come, numbered from 1 on stones of their colours.
  showLine({stones, threat}) {
    stones.forEach(({x, y, colour}, i) => {
      const stone = svg("g", {class: `line-stone ${colour}${threat ? " threat" : ""}`,
                              "data-x": x, "data-y": y, "data-number": i + 1});
      stone.append(svg("circle", {cx: at(x), cy: at(y), r: StoneRadius - 2}),
                   svg("text", {x: at(x), y: at(y)}, String(i + 1)));
      this.marks.append(stone);
    });
  }

  // The captured stones, as they were drawn before, fade away.
  fade(points, cells) {
    for (const {x, y} of points) {
      const colour = StoneClasses[cells[(y - 1) * 9 + x - 1]];
      if (!colour) continue;
      const ghost = svg("circle",
                        {class: `fading ${colour}`, cx: at(x), cy: at(y), r: StoneRadius});
      this.fading.append(ghost);
      setTimeout(() => ghost.remove(), FadeMilliseconds);
    }
  }

  showWinningLine(stones) {
    for (const {x, y} of stones) {
      this.marks.append(svg("circle", {
        class: "winning", "data-x": x, "data-y": y, cx: at(x), cy: at(y), r: StoneRadius + 2,
      }));
    }
    for (const run of runsOf(stones)) {
      const first = run[0];
      const last = run.at(-1);
      this.marks.append(svg("line", {
        class: "win-line", x1: at(first.x), y1: at(first.y), x2: at(last.x), y2: at(last.y),
      }));
    }
  }

  showRefused({x, y}) {
    const d = 12;
    const [cx, cy] = [at(x), at(y)];
    this.marks.append(svg("path", {
      id: "refused", class: "refused",
      d: `M${cx - d},${cy - d}L${cx + d},${cy + d}M${cx + d},${cy - d}L${cx - d},${cy + d}`,
    }));
  }
}

// A small board of its own for the rules, size points a side, step apart.
function smallBoard(element, size, step) {
  const point = (c) => c * step;
  const edge = point(1) - step * 0.6;
  const width = point(size) - point(1) + step * 1.2;
  element.append(svg("rect", {class: "wood", x: edge, y: edge, width, height: width, rx: 4}));
  const line = (x1, y1, x2, y2) => element.append(svg("line", {
    class: "grid", x1: point(x1), y1: point(y1), x2: point(x2), y2: point(y2),
  }));
  for (let i = 1; i <= size; ++i) {
    line(1, i, size, i);
    line(i, 1, i, size);
  }
  return {
    point,
    stone: (x, y, colour) => element.append(svg("circle", {
      class: `stone ${colour}`, cx: point(x), cy: point(y), r: step * 0.42,
    })),
    cross: (x, y) => element.append(svg("path", {
      class: "captured", d: `M${point(x) - 6},${point(y) - 6}l12,12m0,-12l-12,12`,
    })),
  };
}

// Black's seven on the third row, which wins; White's seven on the bottom
// edge, which does not; and a white stone that Black has surrounded.
export function drawDiagram(element) {
  const {point, stone, cross} = smallBoard(element, 9, 20);
  for (let x = 2; x <= 8; ++x) {
    stone(x, 3, "black");
    stone(x, 9, "white");
  }
  for (const [x, y] of [[5, 5], [4, 6], [6, 6], [5, 7]]) stone(x, y, "black");
  stone(5, 6, "white");
  cross(5, 6);
  element.append(
      svg("line", {class: "win-line", x1: point(2), y1: point(3), x2: point(8), y2: point(3)}),
      svg("line", {class: "edge-line", x1: point(2), y1: point(9), x2: point(8), y2: point(9)}));
}

// A ko: Black's last stone (marked) has just taken the white stone from the
// ringed point, where White may not play at once.
export function drawKoDiagram(element) {
  const {point, stone} = smallBoard(element, 5, 20);
  for (const [x, y] of [[2, 2], [1, 3], [2, 4], [3, 3]]) stone(x, y, "black");
  for (const [x, y] of [[3, 2], [4, 3], [3, 4]]) stone(x, y, "white");
  element.append(
      svg("circle", {class: "last-move", cx: point(3), cy: point(3), r: 4}),
      svg("circle", {class: "forbidden", cx: point(2), cy: point(3), r: 7}));
}

// White's eight in a row, which wins; Black's seven with a gap, where the
// crossed point would make eight.
export function drawOverlineDiagram(element) {
  const {point, stone, cross} = smallBoard(element, 9, 20);
  for (let x = 1; x <= 8; ++x) stone(x, 3, "white");
  for (const x of [2, 3, 4, 6, 7, 8, 9]) stone(x, 6, "black");
  cross(5, 6);
  element.append(
      svg("line", {class: "win-line", x1: point(1), y1: point(3), x2: point(8), y2: point(3)}));
}
