// Draws the page's state (state.js) into the document: every render draws
// the whole state, changing only what differs, so that watchers of the page
// see one change per change. Nothing here decides anything about the game.

import {BoardView} from "./board.js";
import {Black, opponentChoice, recordQuery, White} from "./record.js";
import {
  analysisOf, awaitsPerson, canAnalyse, canHint, canPlayFromHere, canTakeBack, DefaultLevel,
  expectedReply, hintOf, isTwoPeople, recordOf, reportOf, statusOf,
} from "./state.js";
import {format, Texts} from "./texts.js";

const $ = (id) => document.getElementById(id);
const EmptyBoard = ".".repeat(81);

function setText(element, text) {
  if (element.textContent !== text) element.textContent = text;
}

function setAttribute(element, name, value) {
  if (value === null) {
    if (element.hasAttribute(name)) element.removeAttribute(name);
  } else if (element.getAttribute(name) !== String(value)) {
    element.setAttribute(name, value);
  }
}

// The attribute, which the board's and the graph's SVG elements take too.
const show = (element, shown) => element.toggleAttribute("hidden", !shown);
const enable = (element, enabled) => (element.disabled = !enabled);
// Hidden, but keeping its place.
const conceal = (element, concealed) => element.classList.toggle("concealed", concealed);

const tokens = (moves) => (moves === "" ? [] : moves.split(" "));
const colourName = (colour) => (colour === Black ? "black" : "white");
const pointOf = (move) => {
  const match = /^(\d)-(\d)$/.exec(move ?? "");
  return match ? {x: Number(match[1]), y: Number(match[2])} : null;
};

// The estimate in words, by the person's chances in percent: from "you are
// winning" (85 and more) through "even" (over 40 and under 60) to "the
// computer is winning" (15 and less).
function estimateWords(chances) {
  if (chances >= 85) return 0;
  if (chances >= 60) return 1;
  if (chances > 40) return 2;
  return chances > 15 ? 3 : 4;
}

// The symbol of a review's class beside a move: the estimated classes as
// annotators write them, the certain ones as a win let go (△) or given (×),
// "1" for a win in one.
const ClassSymbols = {
  "inaccuracy": "?!", "mistake": "?", "blunder": "??", "missed-win": "△1",
  "missed-forced-win": "△", "allowed-win": "×1", "allowed-forced-win": "×",
};
// A line of moves in words is cut after this many.
const LineShown = 5;
const percent = (chances) => Math.round(100 * chances);
const other = (colour) => (colour === Black ? White : Black);

// Moves as numbered stones of alternating colours, the first of colour
// first ("black" or "white").
function lineStones(moves, first) {
  const colours = [first, first === "black" ? "white" : "black"];
  return moves.map((move, i) => ({...pointOf(move), colour: colours[i % 2]}))
      .filter((stone) => stone.x !== undefined);
}

// The win-rate graph's drawing, in its view box's units.
const Graph = {width: 400, height: 100, margin: 6};

// The graph's x for move count of a game of total moves, and back.
const graphX = (count, total) =>
  Graph.margin + (Graph.width - 2 * Graph.margin) * (total > 1 ? (count - 1) / (total - 1) : 0.5);
const graphStep = (total, x) =>
  total > 1 ? 1 + (x - Graph.margin) / (Graph.width - 2 * Graph.margin) * (total - 1) : 1;
const graphY = (chances) => Graph.margin + (Graph.height - 2 * Graph.margin) * (1 - chances);

function svgElement(tag, attributes) {
  const element = document.createElementNS("http://www.w3.org/2000/svg", tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
  return element;
}

// The graph's shapes: the 50% line, the move shown, the line through
// Black's chances after each move, and a point per move with its class.
function graphShapes(moves, shown) {
  const total = moves.length;
  const blacks = moves.map((m) => (m.mover === "black" ? m.winAfter : 1 - m.winAfter));
  const point = (chances, i) => [graphX(i + 1, total), graphY(chances)];
  const shapes = [svgElement("line", {class: "graph-half", x1: 0, x2: Graph.width,
                                      y1: graphY(0.5), y2: graphY(0.5)})];
  if (shown > 0) {
    const x = graphX(shown, total);
    shapes.push(svgElement("line", {class: "graph-shown", x1: x, x2: x, y1: 0, y2: Graph.height}));
  }
  shapes.push(svgElement("polyline", {
    class: "graph-line", points: blacks.map((c, i) => point(c, i).join(",")).join(" "),
  }));
  blacks.forEach((chances, i) => {
    const [cx, cy] = point(chances, i);
    shapes.push(svgElement("circle", {
      class: "graph-point", cx, cy, r: moves[i].class ? 4 : 2, "data-count": i + 1,
      ...(moves[i].class && {"data-class": moves[i].class}),
    }));
  });
  return shapes;
}

export class View {
  // handlers: onPoint(x, y), for the board.
  constructor({onPoint}) {
    this.board = new BoardView($("board"), onPoint);
    this.state = null;
  }

  t(key, values) {
    return format(this.state.language, key, values);
  }

  opponentLabel(opponent) {
    const choice = opponentChoice(opponent, Infinity) ?? {};
    if (choice.people) return this.t("twoPeople");
    if (choice.level === undefined) return this.t("exactOpponent", {playouts: choice.playouts});
    const name = this.texts.levelNames[choice.level - 1] ?? "?";
    return this.t("level", {level: choice.level, name});
  }

  get texts() {
    return Texts[this.state.language];
  }

  render(state) {
    this.state = state;
    this.renderFrame();
    this.renderSetup();
    this.renderBoard();
    this.renderGame();
    this.renderOptions();
    this.renderRecent();
  }

  // ---- the coach's words ----

  // A line of moves, cut short when long: "6-6, 6-7, 5-8, …".
  lineWords(line) {
    const shown = line.slice(0, LineShown);
    return shown.join(", ") + (line.length > LineShown ? ", …" : "");
  }

  // A certain reason in words; whose names the other side ("yours",
  // "computers", "black", "white").
  reasonWords(reason, whose) {
    return this.t(`reasons.${reason.kind}`, {
      whose: this.texts.whose[whose], point: reason.point ?? "", line: this.lineWords(reason.line),
    });
  }

  className(kind) {
    return this.texts.classes[kind] ?? "";
  }

  // ---- what every screen shows ----

  renderFrame() {
    const state = this.state;
    document.documentElement.lang = state.language;
    document.title = this.t("pageTitle");
    $("lang").value = state.language;
    for (const element of document.querySelectorAll("[data-text]")) {
      setText(element, this.t(element.dataset.text));
    }
    for (const element of document.querySelectorAll("[data-label]")) {
      setAttribute(element, "aria-label", this.t(element.dataset.label));
    }
    for (const element of document.querySelectorAll("[data-title]")) {
      setAttribute(element, "title", this.t(element.dataset.title));
    }
    setText($("sound"), this.t(state.sound ? "soundOn" : "soundOff"));
    setAttribute($("sound"), "aria-pressed", String(state.sound));
    show($("error"), state.engine === "failed");
    const notices = [
      state.notice && this.t(state.notice.key, state.notice.values),
      state.storage === "unavailable" && this.t("storageUnavailable"),
      state.storage === "full" && this.t("storageFull"),
    ].filter(Boolean);
    setText($("notice"), notices.join(" "));
    show($("notice"), notices.length > 0);
  }

  // ---- the first screen ----

  renderSetup() {
    const state = this.state;
    show($("setup"), !state.game);
    this.renderLevels();
    const {level, playouts} = state.choice;
    const people = level === "human";
    const exact = level === "exact";
    const about = people ? this.t("twoPeopleAbout") :
                  exact ? this.t("exactAbout") : this.texts.levelAbout[Number(level) - 1] ?? "";
    setText($("level-about"), about);
    setText($("level-measured"), exact || people ? "" : this.measured(Number(level)));
    show($("exact-settings"), exact);
    $("playouts").value = String(playouts);
    show($("sides"), !people);
    show($("two-people"), people);
    const ready = state.engine === "ready";
    for (const id of ["play-black", "play-white", "play-two"]) enable($(id), ready);
    show($("loading"), state.engine === "loading");
  }

  // The list is drawn again only for another language or other levels, so
  // that an open list stays open.
  renderLevels() {
    const state = this.state;
    const select = $("level");
    const drawn = `${state.language}|${state.levelCount}`;
    if (state.levelCount > 0 && select.dataset.drawn !== drawn) {
      select.dataset.drawn = drawn;
      const options = Array.from({length: state.levelCount}, (_, i) => {
        const option = new Option(this.opponentLabel(`level:${i + 1}`), String(i + 1));
        option.title = this.texts.levelAbout[i] ?? "";
        return option;
      });
      options.push(new Option(this.t("exactGame"), "exact"),
                   new Option(this.t("twoPeople"), "human"));
      select.replaceChildren(...options);
    }
    if (select.value !== state.choice.level) select.value = state.choice.level;
  }

  // A level's measured share, when the generated file has it.
  measured(level) {
    const entry = this.state.strength?.levels?.find((l) => l.level === level);
    if (!entry) return "";
    const below = /^level:(\d+)$/.exec(entry.against);
    const percent = (share) => Math.round(share * 100);
    return this.t("measured", {
      percent: percent(entry.score), games: entry.games,
      low: percent(entry.low), high: percent(entry.high),
      against: below ? this.t("levelNumber", {level: below[1]}) : this.t("lineBuilder"),
    });
  }

  // ---- the board, beside every screen ----

  renderBoard() {
    const game = this.state.game;
    const review = game?.review;
    const last = !review || review.index === review.positions.length - 1;
    const reviewed = this.reviewedMove();
    // The better line is played from the position before the move.
    const lineShown = Boolean(reviewed && game.showLine);
    const position = lineShown ? review.positions[review.index - 1] : this.shownPosition();
    this.board.playable = Boolean(game) && game.engine?.state !== "over";
    const stones = {b: "black", w: "white", ".": "emptyPoint"};
    const label = (x, y, cell) => this.t("point", {x, y, stone: this.t(stones[cell])});
    if (!position) {
      this.board.show(EmptyBoard, {}, label);
    } else {
      this.board.show(position.cells, {
        lastMove: pointOf(position.lastMove),
        expectedReply: last ? pointOf(expectedReply(this.state)) : null,
        replyColour: colourName(game.human),
        winningStones: position.winningStones.map(pointOf),
        refused: last ? game.refusal?.point : null,
        captured: last ? game.captured : null,
        hint: pointOf(hintOf(game)?.move),
        ...this.coachMarks(game, reviewed, lineShown),
      }, label);
    }
    // A refusal's reason over the board's foot; the engine's reasons the
    // page has no words for (off the board) are a plain refusal.
    const refusal = game?.refusal;
    const reason = refusal && (this.texts[refusal.reason] ? refusal.reason : "refused");
    setText($("refusal"), reason ? this.t(reason) : "");
    conceal($("captures"), !position);
    for (const colour of ["black", "white"]) {
      const count = position?.captures[colour] ?? 0;
      setText($(`captures-${colour}`), this.t("capturesOf", {colour: this.t(colour), count}));
    }
  }

  // A warned move with the other side's win, or the review's better move
  // and, on request, its line.
  coachMarks(game, reviewed, lineShown) {
    const warning = game.warning;
    if (warning) {
      const person = colourName(game.human);
      const opponent = colourName(other(game.human));
      return {tried: warning.point && {...warning.point, colour: person},
              line: {stones: lineStones(warning.threat, opponent), threat: true}};
    }
    if (lineShown) return {line: {stones: lineStones(reviewed.bestLine, reviewed.mover)}};
    if (reviewed && reviewed.best !== reviewed.move) return {best: pointOf(reviewed.best)};
    return {};
  }

  // The review of the move that led to the position shown, once analysed.
  reviewedMove() {
    const game = this.state.game;
    const analysis = analysisOf(game);
    const index = game?.review?.index ?? 0;
    return analysis && index > 0 ? analysis.review.moves[index - 1] : null;
  }

  // The position on the board: the engine's, or the one looked back at.
  shownPosition() {
    const game = this.state.game;
    const review = game?.review;
    if (review) return review.positions[review.index];
    return game?.engine?.position ?? null;
  }

  // ---- the game ----

  renderGame() {
    const game = this.state.game;
    show($("game"), Boolean(game));
    if (!game) return;
    const over = game.engine?.state === "over";
    setAttribute($("game"), "aria-busy", String(Boolean(game.busy)));
    $("game").classList.toggle("over", over);
    setText($("colours"), this.coloursText(game));
    const status = statusOf(this.state);
    setText($("status"), status ? this.t(status.key) : "");
    this.renderReport();
    this.renderActions(game, over);
    this.renderCoach(game);
    this.renderMoves(game);
    this.renderSummary(game);
    this.renderAnalysis(game);
    this.renderReview(game);
    this.renderRecord(game);
  }

  coloursText(game) {
    const {black, white} = game.players ?? {};
    if (black || white) {
      const named = (name) => name || this.t("unnamed");
      return this.t("coloursNamed", {black: named(black), white: named(white)});
    }
    if (isTwoPeople(game)) return this.t("coloursTwo");
    const opponent = this.opponentLabel(game.opponent);
    const human = colourName(game.human);
    const computer = colourName(game.human === Black ? White : Black);
    if (game.origin !== "own") {
      return this.t("coloursViewed", {
        [human]: this.t("person"), [computer]: this.t("computer"), opponent,
      });
    }
    return this.t("colours", {human: this.t(human), computer: this.t(computer), opponent});
  }

  renderReport() {
    const report = reportOf(this.state);
    const element = $("report");
    setAttribute(element, "data-kind", report?.kind ?? "none");
    const thinking = report?.kind === "thinking" || report?.kind === "replaying";
    show($("thinking"), thinking);
    setAttribute($("thinking"), "data-searches", this.state.game.searches);
    if (thinking) {
      const progress = report.progress ?? null;  // a replay says none
      setAttribute($("progress"), "value", progress);
      setText($("percent"), progress === null ? "" : `${progress}%`);
    }
    enable($("stop"), thinking);
    const lines = {move: "", reason: "", estimate: "", reply: "", result: ""};
    const data = {move: null, rate: null, reply: null, milliseconds: null};
    const computerMove = report?.kind === "move" ? report.move : report?.computerMove;
    if (computerMove) {
      const colour = this.t(report.colour);
      lines.move = computerMove === "pass" ? this.t("computerPassed", {colour}) :
                                             this.t("computerPlayed", {colour, move: computerMove});
      data.move = computerMove;
      if (report.reason) {
        const reason = this.reasonWords(report.reason, "yours");
        lines.reason = this.t("because", {reason});
      }
    }
    if (report?.kind === "move") {
      data.milliseconds = report.milliseconds.toFixed(1);
      const estimate = report.estimate;
      if (estimate) {
        const chances = 100 - estimate.winningRate;
        const words = this.texts.estimateWords[estimateWords(chances)];
        if (this.state.showEstimate) lines.estimate = this.t("estimate", {words, rate: chances});
        data.rate = estimate.winningRate;
        if (estimate.expectedReply) {
          if (this.state.showReply) {
            lines.reply = this.t("expectedReply", {move: estimate.expectedReply});
          }
          data.reply = estimate.expectedReply;
        }
      }
    } else if (report?.kind === "result") {
      const winner = this.t(colourName(report.winner));
      const loser = this.t(colourName(report.winner === Black ? White : Black));
      // The status names the winner already, or says "you".
      const key = report.resigned ? (report.winnerNamed ? "resignedMoves" : "resignedDetail")
                                  : (report.winnerNamed ? "resultMoves" : "resultDetail");
      lines.result = this.t(key, {winner, loser, count: report.count});
    }
    setText($("computer-move"), lines.move);
    setText($("reason"), lines.reason);
    setText($("result-detail"), lines.result);
    setText($("estimate"), lines.estimate);
    setText($("expected-reply"), lines.reply);
    setAttribute(element, "data-move", data.move);
    setAttribute(element, "data-winning-rate", data.rate);
    setAttribute(element, "data-expected-reply", data.reply);
    if (data.milliseconds !== null) setAttribute(element, "data-milliseconds", data.milliseconds);
  }

  renderActions(game, over) {
    const awaiting = awaitsPerson(game);
    show($("pass"), !over);
    show($("rematch"), over);
    enable($("pass"), awaiting);
    enable($("resign"), awaiting);
    enable($("take-back"), canTakeBack(game));
    enable($("hint"), canHint(game));
  }

  // The hint, or the teaching mode's warning with its two ways on.
  renderCoach(game) {
    const warning = game.warning;
    const hint = hintOf(game);
    let text = "";
    if (warning) {
      const winner = this.t("computer");
      const move = warning.move === "pass" ? this.t("passMove") : warning.move;
      text = warning.class === "allowed-win" ?
        this.t("warningWin", {move, other: winner, point: warning.threat[0]}) :
        this.t("warningForcedWin", {move, other: winner, line: this.lineWords(warning.threat)});
    } else if (game.hinting) {
      text = this.t("hinting");
    } else if (hint) {
      text = hint.reason ?
        this.t("hintReason", {move: hint.move, reason: this.reasonWords(hint.reason, this.otherSide(game))}) :
        this.t("hintChances", {move: hint.move, rate: Math.round(hint.winRate)});
    }
    setText($("coach-text"), text);
    if (hint) setAttribute($("coach"), "data-milliseconds", hint.milliseconds.toFixed(1));
    setAttribute($("coach"), "data-warning", warning?.class ?? null);
    show($("hint"), !warning);
    show($("withdraw-move"), Boolean(warning));
    show($("keep-move"), Boolean(warning));
  }

  // The side the person to move plays against, as the coach's words name it.
  otherSide(game) {
    if (!isTwoPeople(game)) return "computers";
    return game.engine.position.toMove === "black" ? "white" : "black";
  }

  renderReview(game) {
    const review = game.review;
    conceal($("review"), !review);
    const index = review?.index ?? 0;
    const last = (review?.positions.length ?? 1) - 1;
    enable($("review-start"), review && index > 0);
    enable($("review-back"), review && index > 0);
    enable($("review-forward"), review && index < last);
    enable($("review-end"), review && index < last);
    const at = index === 0 ? this.t("reviewEmpty") : this.t("reviewAt", {count: index});
    setText($("review-at"), review ? at : "");
    const reviewed = this.reviewedMove();
    show($("reviewed"), Boolean(review));
    setText($("reviewed-move"), reviewed ? this.reviewedWords(reviewed, index) : "");
    show($("show-line"), Boolean(reviewed));
    enable($("show-line"), reviewed?.bestLine.length > 0);
    setText($("show-line"), this.t(game.showLine ? "hideLine" : "showLine"));
    setAttribute($("show-line"), "aria-pressed", String(Boolean(game.showLine)));
    this.renderFromHereLevels();
    enable($("play-from-here"), Boolean(review) && canPlayFromHere(game));
  }

  // "Move 12, White 9-8: allowed a win in one (8-5). White's chances 55% →
  // 0%. best 8-5 (55%)"
  reviewedWords(reviewed, count) {
    const colour = this.t(reviewed.mover);
    const move = {pass: "passMove", resign: "resignMove"}[reviewed.move];
    const head = this.t("reviewedMove", {count, colour, move: move ? this.t(move) : reviewed.move});
    const kind = reviewed.class ? `: ${this.className(reviewed.class)}` +
      (reviewed.threat.length > 0 ? ` (${this.lineWords(reviewed.threat)})` : "") : "";
    const chances = this.t("reviewedChances", {
      colour, before: percent(reviewed.winBefore), after: percent(reviewed.winAfter),
    });
    const best = this.t("reviewedBest", {best: reviewed.best, rate: percent(reviewed.bestWinRate)});
    const end = this.t("sentences");
    return head + kind + end + chances + end + best;
  }

  // The levels to play on against, drawn again only for another language.
  renderFromHereLevels() {
    const select = $("from-here-level");
    const drawn = `${this.state.language}|${this.state.levelCount}`;
    if (select.dataset.drawn === drawn) return;
    const chosen = select.value || String(Number(this.state.choice.level) || DefaultLevel);
    select.dataset.drawn = drawn;
    select.replaceChildren(...Array.from({length: this.state.levelCount}, (_, i) =>
      new Option(this.opponentLabel(`level:${i + 1}`), String(i + 1))));
    select.value = chosen;
  }

  moveItem(token, i, current, game, reviewed) {
    const item = document.createElement("li");
    const colour = i % 2 === 0 ? "black" : "white";
    const mine = !isTwoPeople(game) && colour === colourName(game.human);
    item.className = `${colour}${mine ? " mine" : ""}`;
    item.dataset.count = String(i + 1);
    const who = document.createElement("span");
    who.className = `who ${colour}`;
    who.title = this.t(colour);
    const point = document.createElement("span");
    point.className = "point";
    const named = {pass: "passMove", resign: "resignMove"};
    point.textContent = named[token] ? this.t(named[token]) : token;
    item.append(who, point);
    const kind = reviewed?.class;
    if (kind) {
      item.dataset.class = kind;
      const mark = document.createElement("span");
      mark.className = "class-mark";
      mark.textContent = ClassSymbols[kind];
      mark.title = this.className(kind);
      mark.setAttribute("aria-hidden", "true");
      const words = document.createElement("span");
      words.className = "visually-hidden";
      words.textContent = ` ${this.className(kind)}`;
      item.append(mark, words);
    }
    if (i + 1 === current) item.setAttribute("aria-current", "step");
    return item;
  }

  // The list scrolls by itself, never the page, by whole rows: to the last
  // move as the game goes on, to the move shown while looking back.
  renderMoves(game) {
    const list = $("moves");
    const moves = tokens(game.engine?.position.moves ?? "");
    const current = game.review ? game.review.index : null;
    const analysis = analysisOf(game);
    const drawn = [this.state.language, game.human, game.opponent, moves.join(" "), current,
                   analysis?.id].join("|");
    if (list.dataset.drawn === drawn) return;
    list.dataset.drawn = drawn;
    const reviewed = analysis?.review.moves ?? [];
    list.replaceChildren(...moves.map((token, i) =>
      this.moveItem(token, i, current, game, reviewed[i])));
    const first = list.firstElementChild;
    if (!first) return;
    const row = first.offsetHeight;
    const shown = list.querySelector("[aria-current]");
    const wanted = shown ? shown.offsetTop - first.offsetTop - list.clientHeight / 2
                         : list.scrollHeight;
    const rows = Math.max(0, Math.round(wanted / row));
    list.scrollTop = Math.min(rows * row, list.scrollHeight - list.clientHeight);
  }

  // Beside the move list once the game is analysed: each side's accuracy
  // and its moves by class.
  renderSummary(game) {
    const analysis = analysisOf(game);
    show($("summary"), Boolean(analysis));
    const drawn = analysis ? `${this.state.language}|${analysis.id}` : "";
    const summary = $("summary");
    if (summary.dataset.drawn === drawn) return;
    summary.dataset.drawn = drawn;
    if (!analysis) return summary.replaceChildren();
    summary.replaceChildren(...["black", "white"].map((colour) => {
      const side = analysis.review.sides[colour];
      const block = document.createElement("div");
      block.className = "side-summary";
      block.dataset.colour = colour;
      const accuracy = Math.round(side.accuracy);
      const head = document.createElement("p");
      const who = document.createElement("span");
      who.className = `who ${colour}`;
      head.append(who, this.briefly(`${accuracy}%`,
                                    this.t("accuracy", {colour: this.t(colour), accuracy})));
      const counts = document.createElement("ul");
      for (const [kind, count] of Object.entries(side.counts)) {
        if (count === 0) continue;
        const item = document.createElement("li");
        item.dataset.class = kind;
        item.append(this.briefly(`${ClassSymbols[kind]} ${count}`,
                                 this.t("classCount", {name: this.className(kind), count})));
        counts.append(item);
      }
      block.append(head, counts);
      return block;
    }));
  }

  // Short text for the eye, its words for a screen reader and a tooltip.
  briefly(text, words) {
    const shown = document.createElement("span");
    shown.textContent = text;
    shown.title = words;
    shown.setAttribute("aria-hidden", "true");
    const read = document.createElement("span");
    read.className = "visually-hidden";
    read.textContent = words;
    const both = document.createElement("span");
    both.append(shown, read);
    return both;
  }

  // The analysis: its button, its progress with a way to stop it, and
  // once it is done the graph.
  renderAnalysis(game) {
    const analysis = game.analysis;
    const running = Boolean(analysis?.running);
    const offered = game.engine?.state === "over" || game.origin !== "own";
    show($("analyse"), offered && !analysisOf(game) && !running);
    enable($("analyse"), canAnalyse(game));
    show($("analysing"), running);
    if (running) {
      const {done, total} = analysis;
      setAttribute($("analysis-progress"), "value", total ? Math.round(100 * done / total) : 0);
      setText($("analysis-count"), total ? this.t("analysing", {done, total}) : "");
    }
    this.renderGraph(game);
  }

  // Black's chances after each move, one point per move, the 50% line, and
  // the move shown.
  renderGraph(game) {
    const analysis = analysisOf(game);
    const graph = $("graph");
    show(graph, Boolean(analysis));
    const index = game.review?.index ?? null;
    const drawn = `${this.state.language}|${analysis?.id}|${index}`;
    if (graph.dataset.drawn === drawn) return;
    graph.dataset.drawn = drawn;
    setAttribute(graph, "aria-label", this.t("graph"));
    const legend = Object.entries(ClassSymbols)
        .map(([kind, symbol]) => `${symbol} ${this.className(kind)}`).join(this.t("separator"));
    setText($("legend"), legend);
    show($("legend"), Boolean(analysis));
    if (!analysis) return graph.replaceChildren();
    setAttribute(graph, "data-milliseconds", analysis.milliseconds.toFixed(1));
    graph.replaceChildren(...graphShapes(analysis.review.moves, index));
  }

  // The move a click on the graph goes to, from its place across.
  graphMove(event) {
    const count = this.reviewedCount();
    const box = $("graph").getBoundingClientRect();
    const x = (event.clientX - box.left) / box.width * Graph.width;
    return Math.min(count, Math.max(1, Math.round(graphStep(count, x))));
  }

  reviewedCount() {
    return analysisOf(this.state.game)?.review.moves.length ?? 0;
  }

  // The coach's settings, which every screen shows.
  renderOptions() {
    $("warn").checked = this.state.warn;
    $("show-estimate").checked = this.state.showEstimate;
    $("show-reply").checked = this.state.showReply;
  }

  renderRecord(game) {
    const link = $("record-link");
    const record = recordOf(game);
    const linkable = record.moves !== "";
    setAttribute(link, "href", linkable ? recordQuery(record) : null);
    setText(link, this.t(linkable ? "replayLink" : "noLinkYet"));
    enable($("copy-link"), linkable);
    setText($("record-status"), this.state.status ? this.t(this.state.status) : "");
    setText($("hints-used"), game.hints > 0 ? this.t("hintsUsed", {count: game.hints}) : "");
    const origins = {link: "linkedGame", file: "fileGame"};
    setText($("origin"), origins[game.origin] ? this.t(origins[game.origin]) : "");
  }

  // ---- the recent games ----

  renderRecent() {
    const state = this.state;
    const list = $("recent");
    const drawn = JSON.stringify([state.language, state.recent, state.game?.id ?? null]);
    show($("recent-empty"), state.recent.length === 0);
    if (list.dataset.drawn === drawn) return;
    list.dataset.drawn = drawn;
    list.replaceChildren(...state.recent.map((entry) => this.recentItem(entry)));
  }

  recentItem(entry) {
    const item = document.createElement("li");
    item.dataset.id = entry.id;
    const onBoard = entry.id === this.state.game?.id;
    const people = entry.opponent === "human";
    const date = new Date(entry.updated)
        .toLocaleString(this.state.language, {dateStyle: "short", timeStyle: "short"});
    const text = document.createElement("span");
    text.className = "recent-text";
    const fields = [
      people ? this.t("recentTwo") : this.opponentLabel(entry.opponent),
      ...(people ? [] : [this.t("recentSide", {colour: this.t(colourName(entry.human))})]),
      this.t("recentMoves", {count: tokens(entry.moves).length}), date,
    ];
    text.textContent = fields.join(this.t("separator"));
    const result = document.createElement("span");
    result.className = entry.over ? "recent-over" : "recent-unfinished";
    const won = () => this.t("recentWon", {colour: this.t(entry.winner)});
    result.textContent = onBoard ? this.t("onBoard") :
                         entry.over ? won() : this.t("recentUnfinished");
    const open = document.createElement("button");
    open.type = "button";
    open.className = "recent-open";
    open.textContent = this.t(entry.over ? "view" : "resume");
    open.disabled = onBoard;
    const forget = document.createElement("button");
    forget.type = "button";
    forget.className = "recent-forget";
    forget.textContent = this.t("forget");
    forget.disabled = onBoard;
    item.append(text, result, open, forget);
    return item;
  }
}
