// The page's side of the worker (worker.js, whose head lists the messages
// both ways): one engine at a time. A search cannot be interrupted from
// outside, so stopping one ends the worker and starts a fresh one, which
// takes the next request once it has loaded; nothing the old one still had
// to say is heard.

export class Engine {
  // onMessage(data) hears every message of the current worker.
  constructor(onMessage) {
    this.onMessage = onMessage;
    this.worker = this.started("");
  }

  started(name) {
    const worker = new Worker("worker.js", {name});
    worker.onmessage = ({data}) => this.onMessage(data);
    worker.onerror = () => this.onMessage({type: "failed"});
    return worker;
  }

  request(request) {
    this.worker.postMessage(request);
  }

  // A fresh engine, asked request (if any) as soon as it has loaded.
  restart(request) {
    this.worker.onmessage = null;
    this.worker.onerror = null;
    this.worker.terminate();
    this.worker = this.started("again");
    if (request) this.request(request);
  }
}
