#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace nanaren {

// Whether this build can start threads: a browser build without WebAssembly
// threads cannot, and runs every lane on the calling thread.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool ThreadsAvailable = false;
#else
inline constexpr bool ThreadsAvailable = true;
#endif

// A thread count that asks for one thread per core.
inline constexpr int AllCores = 0;

// The threads a request gives on this machine: AllCores is every core the
// system reports (at least one); a build without threads has one.
int ThreadsFor(int requested);

// Runs the lanes of a search on a fixed set of threads: the calling thread
// and workers started once, with the player, so that a search starts none.
// Lane k runs on thread k % Count(), the calling thread being thread 0, and
// each thread takes its lanes in order. Which thread runs a lane changes
// nothing in it: the lanes share no state.
class LaneThreads {
  public:
    // threads: 1 or more, the calling thread included.
    explicit LaneThreads(int threads);
    ~LaneThreads();
    LaneThreads(const LaneThreads&) = delete;
    LaneThreads& operator=(const LaneThreads&) = delete;

    int Count() const { return static_cast<int>(mWorkers.size()) + 1; }

    // Calls run(lane) for every lane from 0 to lanes - 1 and returns when
    // all are done; run must be safe to call from several threads at once
    // for different lanes.
    template <typename F>
    void Run(int lanes, F& run) {
        Dispatch(
            lanes, [](void* f, int lane) { (*static_cast<F*>(f))(lane); }, &run);
    }

  private:
    using LaneCall = void (*)(void* context, int lane);

    void Dispatch(int lanes, LaneCall call, void* context);
    void RunLanesOf(int thread);
    void Work(int thread);

    std::vector<std::thread> mWorkers;  // threads 1 to Count() - 1
    std::mutex mMutex;                  // guards the fields below
    std::condition_variable mWake;      // a new round of lanes, or the end
    std::condition_variable mFinished;  // a worker finished its lanes
    std::uint64_t mRound = 0;           // rounds dispatched so far
    int mBusy = 0;                      // workers still running this round's lanes
    bool mClosing = false;              // the workers are to end
    int mLanes = 0;                     // this round's lanes
    LaneCall mCall = nullptr;           // what runs a lane this round
    void* mContext = nullptr;           // what mCall is given
};

}  // namespace nanaren
