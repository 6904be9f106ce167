#include "search/lane_threads.h"

#include <algorithm>

#include "core/check.h"

namespace nanaren {

int ThreadsFor(int requested) {
    if (!ThreadsAvailable) return 1;
    if (requested != AllCores) return std::max(1, requested);
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

LaneThreads::LaneThreads(int threads) {
    NANAREN_ASSERT(threads >= 1);
    if (!ThreadsAvailable) return;
    mWorkers.reserve(threads - 1);
    for (int t = 1; t < threads; ++t)
        mWorkers.emplace_back([this, t] { Work(t); });
}

LaneThreads::~LaneThreads() {
    {
        const std::lock_guard lock(mMutex);
        mClosing = true;
    }
    mWake.notify_all();
    for (std::thread& worker : mWorkers)
        worker.join();
}

void LaneThreads::Dispatch(int lanes, LaneCall call, void* context) {
    if (mWorkers.empty() || lanes <= 1) {
        for (int lane = 0; lane < lanes; ++lane)
            call(context, lane);
        return;
    }
    {
        const std::lock_guard lock(mMutex);
        mLanes = lanes;
        mCall = call;
        mContext = context;
        mBusy = static_cast<int>(mWorkers.size());
        ++mRound;
    }
    mWake.notify_all();
    RunLanesOf(0);
    std::unique_lock lock(mMutex);
    mFinished.wait(lock, [this] { return mBusy == 0; });
}

void LaneThreads::RunLanesOf(int thread) {
    for (int lane = thread; lane < mLanes; lane += Count())
        mCall(mContext, lane);
}

void LaneThreads::Work(int thread) {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mMutex);
            mWake.wait(lock, [&] { return mClosing || mRound != seen; });
            if (mClosing) return;
            seen = mRound;
        }
        RunLanesOf(thread);
        {
            const std::lock_guard lock(mMutex);
            --mBusy;
        }
        mFinished.notify_one();
    }
}

}  // namespace nanaren
