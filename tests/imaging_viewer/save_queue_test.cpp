#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "save_images.h"

using namespace qm;
using namespace std::chrono_literals;

namespace {

// Records writes in order; fails names that contain "fail"; can hold the first write at a gate.
class FakeWriter : public SaveJobWriter {
 public:
  std::mutex m;
  std::condition_variable cv;
  std::vector<std::string> written;
  std::vector<std::string> failures;
  std::multiset<std::uintptr_t> freed;
  bool gateClosed = false;
  bool insideWrite = false;
  std::chrono::milliseconds delay{0};
  bool askProgress = false;
  std::vector<int16_t> answers;

  void Write(const TSaveImageJob& job) override {
    {
      std::unique_lock<std::mutex> lock(m);
      insideWrite = true;
      cv.notify_all();
      cv.wait_for(lock, 10s, [this] { return !gateClosed; });
    }
    if (delay.count()) std::this_thread::sleep_for(delay);
    if (askProgress) {
      int16_t answer = job.ProgressProc(50, job.Thread);
      std::lock_guard<std::mutex> lock(m);
      answers.push_back(answer);
      if (answer == 0) throw std::runtime_error("Could not write Image");
    }
    if (job.FileName.find("fail") != std::string::npos) throw std::runtime_error("Could not write Image");
    std::lock_guard<std::mutex> lock(m);
    written.push_back(job.FileName);
  }
  void FreeDib(std::uintptr_t dib) override {
    std::lock_guard<std::mutex> lock(m);
    freed.insert(dib);
  }
  void ReportFailure(const TSaveImageJob& job, const std::string& message) override {
    std::lock_guard<std::mutex> lock(m);
    failures.push_back(job.FileName + ": " + message);
  }
  void Open() {
    std::lock_guard<std::mutex> lock(m);
    gateClosed = false;
    cv.notify_all();
  }
  bool WaitInside() {
    std::unique_lock<std::mutex> lock(m);
    return cv.wait_for(lock, 10s, [this] { return insideWrite; });
  }
};

std::unique_ptr<TSaveImageJob> Job(TSaveImages& q, const std::string& name, std::uintptr_t dib) {
  auto job = std::make_unique<TSaveImageJob>();
  job->FileName = name;
  job->Dib = dib;
  job->Thread = &q;
  job->ProgressProc = &TSaveImages::ProgressProc;
  return job;
}

}  // namespace

TEST(SaveQueue, WritesJobsInOrderAndFreesEveryBlock) {
  FakeWriter w;
  {
    TSaveImages q(w);
    for (int i = 1; i <= 50; ++i) q.PushJob(Job(q, "page" + std::to_string(i), i));
    ASSERT_TRUE(q.WaitIdle(20s));
    EXPECT_EQ(q.WrittenCount(), 50);
    EXPECT_EQ(q.JobCount(), 0);
  }
  ASSERT_EQ(w.written.size(), 50u);
  for (int i = 1; i <= 50; ++i) EXPECT_EQ(w.written[i - 1], "page" + std::to_string(i));
  EXPECT_EQ(w.freed.size(), 50u);
}

TEST(SaveQueue, AFailingJobBetweenGoodOnesIsCountedFreedAndReported) {
  FakeWriter w;
  TSaveImages q(w);
  q.PushJob(Job(q, "a", 1));
  q.PushJob(Job(q, "fail-b", 2));
  q.PushJob(Job(q, "c", 3));
  ASSERT_TRUE(q.WaitIdle(20s));
  EXPECT_EQ(w.written, (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(q.FailedCount(), 1);
  ASSERT_EQ(w.failures.size(), 1u);
  EXPECT_EQ(w.failures[0], "fail-b: Could not write Image");
  EXPECT_EQ(w.freed, (std::multiset<std::uintptr_t>{1, 2, 3}));
}

TEST(SaveQueue, CountLeavesOutTheJobBeingWritten) {
  FakeWriter w;
  w.gateClosed = true;
  TSaveImages q(w);
  q.PushJob(Job(q, "first", 1));
  ASSERT_TRUE(w.WaitInside());
  q.PushJob(Job(q, "second", 2));
  q.PushJob(Job(q, "third", 3));
  q.PushJob(Job(q, "fourth", 4));
  EXPECT_EQ(q.JobCount(), 3);
  w.Open();
  ASSERT_TRUE(q.WaitIdle(20s));
  EXPECT_EQ(q.JobCount(), 0);
}

TEST(SaveQueue, DestroyingWithJobsWaitingWritesThemAll) {
  FakeWriter w;
  w.gateClosed = true;
  w.delay = 2ms;
  {
    TSaveImages q(w);
    q.PushJob(Job(q, "p0", 1));
    ASSERT_TRUE(w.WaitInside());
    for (int i = 1; i < 20; ++i) q.PushJob(Job(q, "p" + std::to_string(i), i + 1));
    std::thread opener([&] {
      std::this_thread::sleep_for(20ms);
      w.Open();
    });
    q.Stop();
    opener.join();
  }
  EXPECT_EQ(w.written.size(), 20u);
  EXPECT_EQ(w.written.back(), "p19");
  EXPECT_EQ(w.freed.size(), 20u);
}

TEST(SaveQueue, ProgressHandlerRunsOnTheWorkerAndCanCancel) {
  FakeWriter w;
  w.askProgress = true;
  TSaveImages q(w);
  std::atomic<int> calls{0};
  std::thread::id caller = std::this_thread::get_id();
  std::atomic<bool> onWorker{true};
  q.SetProgressHandler([&](TSaveImages* sender, int16_t progress, int32_t count, bool& cancel) {
    if (std::this_thread::get_id() == caller) onWorker = false;
    EXPECT_EQ(sender, &q);
    EXPECT_EQ(progress, 50);
    EXPECT_GE(count, 0);
    cancel = ++calls == 2;  // cancel the second write
  });
  EXPECT_TRUE(q.ProgressHandler());
  q.PushJob(Job(q, "one", 1));
  q.PushJob(Job(q, "two", 2));
  q.PushJob(Job(q, "three", 3));
  ASSERT_TRUE(q.WaitIdle(20s));
  EXPECT_TRUE(onWorker);
  EXPECT_EQ(w.answers, (std::vector<int16_t>{1, 0, 1}));
  EXPECT_EQ(w.written, (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(q.FailedCount(), 1);
}

TEST(SaveQueue, ProgressWithoutHandlerGoesOn) {
  FakeWriter w;
  TSaveImages q(w);
  EXPECT_EQ(TSaveImages::ProgressProc(10, &q), 1);
  EXPECT_EQ(TSaveImages::ProgressProc(10, nullptr), 1);
}

TEST(SaveQueue, ManyQuickAddsFromSeveralThreadsMissNoWakeUp) {
  FakeWriter w;
  TSaveImages q(w);
  constexpr int kThreads = 4, kJobs = 500;
  std::vector<std::thread> adders;
  for (int t = 0; t < kThreads; ++t)
    adders.emplace_back([&, t] {
      for (int i = 0; i < kJobs; ++i)
        q.PushJob(Job(q, std::to_string(t) + ":" + std::to_string(i), t * kJobs + i + 1));
    });
  for (auto& a : adders) a.join();
  ASSERT_TRUE(q.WaitIdle(30s));
  ASSERT_EQ(w.written.size(), size_t(kThreads * kJobs));
  // Each adder's jobs come out in its own order.
  std::vector<int> last(kThreads, -1);
  for (const std::string& name : w.written) {
    int t = std::stoi(name.substr(0, name.find(':')));
    int i = std::stoi(name.substr(name.find(':') + 1));
    EXPECT_GT(i, last[t]);
    last[t] = i;
  }
  EXPECT_EQ(w.freed.size(), size_t(kThreads * kJobs));
}

TEST(SaveQueue, AddAfterIdleIsAlwaysSeen) {
  FakeWriter w;
  TSaveImages q(w);
  for (int i = 0; i < 300; ++i) {
    q.PushJob(Job(q, "j" + std::to_string(i), i + 1));
    ASSERT_TRUE(q.WaitIdle(10s)) << "job " << i << " never written";
  }
  EXPECT_EQ(w.written.size(), 300u);
}

TEST(SaveQueue, StopOnAnIdleQueueEndsPromptly) {
  FakeWriter w;
  auto start = std::chrono::steady_clock::now();
  {
    TSaveImages q(w);
    q.PushJob(nullptr);  // wakes the worker, adds nothing
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(w.written.empty());
}
