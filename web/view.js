// Draws the page's state (state.js) into the document: every render draws
// the whole state, changing only what differs, so that watchers of the page
// see one change per change. Nothing here decides anything about the game.

import {BoardView} from "./board.js";
import {Black, opponentChoice, recordQuery, White} from "./record.js";
import {
  awaitsPerson, canTakeBack, expectedReply, isTwoPeople, recordOf, reportOf, statusOf,
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

const show = (element, shown) => (element.hidden = !shown);
const enable = (element, enabled) => (element.disabled = !enabled);
// Hidden, but keeping its place.
const conceal = (element, concealed) => element.classList.toggle("concealed", concealed);

const tokens = (moves) => (moves === "" ? [] : moves.split(" "));
const colourName = (colour) => (colour === Black ? "black" : "white");
const pointOf = (move) => {
  const match = /^(\d)-(\d)$/.exec(move ?? "");
  return match ? {x: Number(match[1]), y: Number(match[2])} : null;
};

// The estimate in words: the computer's chances from lost to won.
function estimateWords(rate) {
  const bounds = [15, 40, 60, 85];
  const index = bounds.findIndex((bound) => rate < bound);
  return index === -1 ? bounds.length : index;
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
    this.renderRecent();
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
    const position = this.shownPosition();
    const review = game?.review;
    const last = !review || review.index === review.positions.length - 1;
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
      }, label);
    }
    // A refusal's reason over the board's foot; the engine's reasons the
    // page has no words for (off the board) are a plain refusal.
    const refusal = game?.refusal;
    const reason = refusal && (this.texts[refusal.reason] ? refusal.reason : "refused");
    setText($("hint"), reason ? this.t(reason) : "");
    conceal($("captures"), !position);
    for (const colour of ["black", "white"]) {
      const count = position?.captures[colour] ?? 0;
      setText($(`captures-${colour}`), this.t("capturesOf", {colour: this.t(colour), count}));
    }
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
    this.renderReview(game);
    this.renderMoves(game);
    this.renderRecord(game);
  }

  coloursText(game) {
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
    const lines = {move: "", estimate: "", reply: "", result: ""};
    const data = {move: null, rate: null, reply: null, milliseconds: null};
    const computerMove = report?.kind === "move" ? report.move : report?.computerMove;
    if (computerMove) {
      const colour = this.t(report.colour);
      lines.move = computerMove === "pass" ? this.t("computerPassed", {colour}) :
                                             this.t("computerPlayed", {colour, move: computerMove});
      data.move = computerMove;
    }
    if (report?.kind === "move") {
      data.milliseconds = report.milliseconds.toFixed(1);
      const estimate = report.estimate;
      if (estimate) {
        const words = this.texts.estimateWords[estimateWords(estimate.winningRate)];
        lines.estimate = this.t("estimate", {words, rate: estimate.winningRate});
        data.rate = estimate.winningRate;
        if (estimate.expectedReply) {
          lines.reply = this.t("expectedReply", {move: estimate.expectedReply});
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
  }

  moveItem(token, i, current, game) {
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
    if (i + 1 === current) item.setAttribute("aria-current", "step");
    return item;
  }

  // The list scrolls by itself, never the page, by whole rows: to the last
  // move as the game goes on, to the move shown while looking back.
  renderMoves(game) {
    const list = $("moves");
    const moves = tokens(game.engine?.position.moves ?? "");
    const current = game.review ? game.review.index : null;
    const drawn = [this.state.language, game.human, game.opponent, moves.join(" "), current]
        .join("|");
    if (list.dataset.drawn === drawn) return;
    list.dataset.drawn = drawn;
    list.replaceChildren(...moves.map((token, i) => this.moveItem(token, i, current, game)));
    const first = list.firstElementChild;
    if (!first) return;
    const row = first.offsetHeight;
    const shown = list.querySelector("[aria-current]");
    const wanted = shown ? shown.offsetTop - first.offsetTop - list.clientHeight / 2
                         : list.scrollHeight;
    const rows = Math.max(0, Math.round(wanted / row));
    list.scrollTop = Math.min(rows * row, list.scrollHeight - list.clientHeight);
  }

  renderRecord(game) {
    const link = $("record-link");
    const record = recordOf(game);
    const linkable = record.moves !== "";
    setAttribute(link, "href", linkable ? recordQuery(record) : null);
    setText(link, this.t(linkable ? "replayLink" : "noLinkYet"));
    enable($("copy-link"), linkable);
    setText($("record-status"), this.state.status ? this.t(this.state.status) : "");
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
